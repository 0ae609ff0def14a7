#include "report/s_pdf_unicode.h"

#include <QRawFont>
#include <QString>
#include <QVector>
#include <array>
#include <string>

#include "report/s_qt_text.h"

namespace {

using Code_Map = QHash<char16_t, char16_t>;

// How much a code point is wanted as the reading of a glyph: the characters
// of GB2312 (and ASCII) first, then those of GBK, then all others.
enum Rank : unsigned char { GB2312 = 0, GBK = 1, OTHER = 2 };

// Whether the GBK code lead, trail is a character of GB2312: its symbol rows
// (without the cells that GBK or the user fill) and its two levels of
// ideographs.
bool is_gb2312(int lead, int trail) {
  if (trail < 0xA1 || trail > 0xFE) return false;
  const auto in = [trail](int first, int last) { return trail >= first && trail <= last; };
  switch (lead) {
    case 0xA1:
    case 0xA3:
      return true;
    case 0xA2:
      return in(0xB1, 0xE2) || in(0xE5, 0xEE) || in(0xF1, 0xFC);
    case 0xA4:
      return in(0xA1, 0xF3);
    case 0xA5:
      return in(0xA1, 0xF6);
    case 0xA6:
      return in(0xA1, 0xB8) || in(0xC1, 0xD8);
    case 0xA7:
      return in(0xA1, 0xC1) || in(0xD1, 0xF1);
    case 0xA8:
      return in(0xA1, 0xBA) || in(0xC5, 0xE9);
    case 0xA9:
      return in(0xA4, 0xEF);
    case 0xD7:
      return in(0xA1, 0xF9);
    default:
      return lead >= 0xB0 && lead <= 0xF7;
  }
}

const std::array<unsigned char, 0x10000>& ranks() {
  static const auto table = [] {
    std::array<unsigned char, 0x10000> rank;
    rank.fill(OTHER);
    for (char16_t c = 0; c < 0x80; ++c) rank[c] = GB2312;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        if (trail == 0x7F) continue;
        const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
        const QString text = to_qstring(S_String(gbk));
        if (text.size() != 1 || text[0] == QChar::ReplacementCharacter) continue;
        const bool gb2312 = is_gb2312(lead, trail);
        auto& entry = rank[text[0].unicode()];
        entry = std::min<unsigned char>(entry, gb2312 ? GB2312 : GBK);
      }
    }
    return rank;
  }();
  return table;
}

// For each glyph of the font that several code points share, the lowest of
// them (which Qt writes) and the one a project's text holds; computed once
// per font.
const Code_Map& wanted_readings(const QFont& font) {
  static QHash<QString, Code_Map> known;
  const QString key = font.key();
  if (const auto found = known.constFind(key); found != known.constEnd()) return *found;
  Code_Map map;
  const QRawFont raw = QRawFont::fromFont(font);
  if (raw.isValid()) {
    QString text;
    QVector<char16_t> codes;
    for (char32_t code = 1; code < 0x10000; ++code) {
      if (code >= 0xD800 && code <= 0xDFFF) continue;
      text += QChar(static_cast<char16_t>(code));
      codes.append(static_cast<char16_t>(code));
    }
    const QVector<quint32> glyphs = raw.glyphIndexesForString(text);
    const auto& rank = ranks();
    struct Readings {
      char16_t lowest;
      char16_t wanted;
    };
    QHash<quint32, Readings> of_glyph;
    for (qsizetype i = 0; i < codes.size() && i < glyphs.size(); ++i) {
      if (glyphs[i] == 0) continue;
      const char16_t code = codes[i];
      const auto found = of_glyph.find(glyphs[i]);
      if (found == of_glyph.end())
        of_glyph.insert(glyphs[i], {code, code});
      else if (rank[code] < rank[found->wanted])
        found->wanted = code;
    }
    for (const Readings& readings : of_glyph)
      if (readings.wanted != readings.lowest) map.insert(readings.lowest, readings.wanted);
  }
  return *known.insert(key, map);
}

bool is_blank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }

// One token of a CMap section: a hex string <...>, or [ or ].
struct Token {
  qsizetype begin = 0;
  qsizetype end = 0;  // one past the token
  char kind = 0;
};

// The entries between a "beginbfchar" or "beginbfrange" and its end.
class Cmap_Section {
 public:
  Cmap_Section(QByteArray& pdf, qsizetype begin, qsizetype end, const Code_Map& map)
      : pdf(pdf), at(begin), end(end), map(map) {}

  // bfchar entries are pairs <source> <destination>.
  void repair_chars() {
    Token source, destination;
    while (next(source) && next(destination)) rewrite(destination);
  }

  // bfrange entries are <low> <high> followed by an array of destinations or
  // by one destination, the first of consecutive codes (rewritten only for a
  // range of one code).
  void repair_ranges() {
    Token low, high, destination;
    while (next(low) && next(high) && next(destination)) {
      if (destination.kind == '[') {
        Token item;
        while (next(item) && item.kind != ']') rewrite(item);
      } else if (text(low) == text(high)) {
        rewrite(destination);
      }
    }
  }

 private:
  QByteArrayView text(const Token& token) const {
    return QByteArrayView(pdf.constData() + token.begin, token.end - token.begin);
  }

  bool next(Token& token) {
    while (at < end && is_blank(pdf[at])) ++at;
    if (at >= end) return false;
    token.begin = at;
    token.kind = pdf[at];
    if (token.kind == '<') {
      const qsizetype close = pdf.indexOf('>', at);
      if (close < 0 || close >= end) return false;
      at = close + 1;
    } else {
      ++at;
    }
    token.end = at;
    return true;
  }

  // Rewrites a destination of exactly one UTF-16 code unit that the map has.
  void rewrite(const Token& token) {
    if (token.kind != '<' || token.end - token.begin != 6) return;
    bool ok = false;
    const auto code = static_cast<char16_t>(QByteArray(pdf.constData() + token.begin + 1, 4).toUInt(&ok, 16));
    const auto ideograph = map.constFind(code);
    if (!ok || ideograph == map.constEnd()) return;
    const QByteArray hex =
        QByteArray::number(static_cast<uint>(*ideograph), 16).toUpper().rightJustified(4, '0');
    pdf.replace(token.begin + 1, 4, hex);
  }

  QByteArray& pdf;
  qsizetype at;
  qsizetype end;
  const Code_Map& map;
};

}  // namespace

S_Pdf_Unicode_Filter::S_Pdf_Unicode_Filter(Sink sink) : sink(std::move(sink)) {}

void S_Pdf_Unicode_Filter::add_font(const QFont& font) {
  const Code_Map& of_font = wanted_readings(font);
  for (auto entry = of_font.constBegin(); entry != of_font.constEnd(); ++entry)
    if (!map.contains(entry.key())) map.insert(entry.key(), entry.value());
}

bool S_Pdf_Unicode_Filter::pass(qsizetype n) {
  failed = failed || !sink(QByteArrayView(pending.constData(), n));
  pending.remove(0, n);
  return !failed;
}

bool S_Pdf_Unicode_Filter::write(QByteArrayView bytes) {
  // A section of a map: from "beginbfchar" or "beginbfrange" to its end.
  static const QByteArray BEGIN("beginbf"), END("endbf");
  // A section is a few kilobytes; what goes on far longer is no map.
  constexpr qsizetype MAX_SECTION = 1 << 20;
  if (failed) return false;
  pending.append(bytes);
  for (;;) {
    const qsizetype begin = pending.indexOf(BEGIN);
    if (begin < 0) return pass(std::max<qsizetype>(0, pending.size() - (BEGIN.size() - 1)));
    if (begin > 0 && !pass(begin)) return false;
    const qsizetype end = pending.indexOf(END, BEGIN.size());
    if (end < 0) return pending.size() <= MAX_SECTION || pass(pending.size());
    static const QByteArray CHARS("beginbfchar"), RANGES("beginbfrange");
    if (!map.isEmpty() && pending.startsWith(CHARS))
      Cmap_Section(pending, CHARS.size(), end, map).repair_chars();
    if (!map.isEmpty() && pending.startsWith(RANGES))
      Cmap_Section(pending, RANGES.size(), end, map).repair_ranges();
    if (!pass(end + END.size())) return false;
  }
}

bool S_Pdf_Unicode_Filter::finish() { return !failed && pass(pending.size()); }
