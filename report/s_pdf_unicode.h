// Puts the right characters back into the text of PDF files that Qt writes.
//
// Qt builds the ToUnicode map of an embedded font by taking, for each glyph,
// the lowest code point that the font maps to it. CJK fonts draw many
// characters with a glyph that a lower code point shares: most radicals
// (U+2E80 to U+2FDF) with the glyph of the ideograph they stand for, 胶 with
// that of 㬵, ～ with that of 〜, ／ with that of ∕. The text of "混凝土" or
// "第 1 页" read from the PDF (copied, searched, extracted) would come out
// as "混凝⼟" and "第 1 ⻚".
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFont>
#include <QHash>
#include <functional>

// Repairs the maps of a PDF that passes through it a piece at a time: every
// map entry that names the lowest code point of a glyph names instead the
// character that a project's text would hold (a GB2312 character first, then
// any other GBK one). Every entry keeps its length, so the file's byte
// offsets stay valid. Only a map section is held until it is complete.
class S_Pdf_Unicode_Filter {
 public:
  // Takes the bytes passed on; false fails the write.
  using Sink = std::function<bool(QByteArrayView bytes)>;

  explicit S_Pdf_Unicode_Filter(Sink sink);

  // A face the document's text is set in; its maps are repaired from the
  // next write on (the maps come at the end of the document).
  void add_font(const QFont& font);

  bool write(QByteArrayView bytes);
  // Passes on what is still held.
  bool finish();

 private:
  bool pass(qsizetype n);

  Sink sink;
  QHash<char16_t, char16_t> map;  // the code point Qt writes -> the right one
  QByteArray pending;
  bool failed = false;
};
