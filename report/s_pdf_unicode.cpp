#include "report/s_pdf_unicode.h"

#include <QHash>
#include <QRawFont>
#include <QString>
#include <QVector>

namespace {

constexpr char16_t RADICALS_FIRST = 0x2E80;
constexpr char16_t RADICALS_LAST = 0x2FDF;
// The unified ideographs of the basic plane (extension A and the main block).
constexpr char16_t IDEOGRAPHS_FIRST = 0x3400;
constexpr char16_t IDEOGRAPHS_LAST = 0x9FFF;

using Code_Map = QHash<char16_t, char16_t>;

QVector<quint32> glyphs_of(const QRawFont& font, char16_t first, char16_t last) {
  QString text;
  for (char32_t code = first; code <= last; ++code) text += QChar(static_cast<char16_t>(code));
  return font.glyphIndexesForString(text);
}

// The radicals that the font draws with an ideograph's glyph, and that
// ideograph; computed once per font.
const Code_Map& radical_ideographs(const QFont& font) {
  static QHash<QString, Code_Map> known;
  const QString key = font.key();
  if (const auto found = known.constFind(key); found != known.constEnd()) return *found;
  Code_Map map;
  const QRawFont raw = QRawFont::fromFont(font);
  if (raw.isValid()) {
    QHash<quint32, char16_t> ideograph_of_glyph;
    const QVector<quint32> ideographs = glyphs_of(raw, IDEOGRAPHS_FIRST, IDEOGRAPHS_LAST);
    for (int i = 0; i < ideographs.size(); ++i)
      if (ideographs[i] != 0 && !ideograph_of_glyph.contains(ideographs[i]))
        ideograph_of_glyph.insert(ideographs[i], static_cast<char16_t>(IDEOGRAPHS_FIRST + i));
    const QVector<quint32> radicals = glyphs_of(raw, RADICALS_FIRST, RADICALS_LAST);
    for (int i = 0; i < radicals.size(); ++i) {
      const auto ideograph = ideograph_of_glyph.constFind(radicals[i]);
      if (radicals[i] != 0 && ideograph != ideograph_of_glyph.constEnd())
        map.insert(static_cast<char16_t>(RADICALS_FIRST + i), *ideograph);
    }
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

void repair_sections(QByteArray& pdf, const Code_Map& map, const char* begin_word, const char* end_word,
                     void (Cmap_Section::*repair)()) {
  const QByteArray begin_mark(begin_word), end_mark(end_word);
  for (qsizetype at = pdf.indexOf(begin_mark); at >= 0; at = pdf.indexOf(begin_mark, at)) {
    const qsizetype begin = at + begin_mark.size();
    const qsizetype end = pdf.indexOf(end_mark, begin);
    if (end < 0) return;
    Cmap_Section section(pdf, begin, end, map);
    (section.*repair)();
    at = end + end_mark.size();
  }
}

}  // namespace

void repair_pdf_unicode_maps(QByteArray& pdf, const QList<QFont>& fonts) {
  Code_Map map;
  for (const QFont& font : fonts) {
    const Code_Map& of_font = radical_ideographs(font);
    for (auto entry = of_font.constBegin(); entry != of_font.constEnd(); ++entry)
      if (!map.contains(entry.key())) map.insert(entry.key(), entry.value());
  }
  if (map.isEmpty()) return;
  repair_sections(pdf, map, "beginbfchar", "endbfchar", &Cmap_Section::repair_chars);
  repair_sections(pdf, map, "beginbfrange", "endbfrange", &Cmap_Section::repair_ranges);
}
