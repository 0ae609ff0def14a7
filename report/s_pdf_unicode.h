// Puts the right characters back into the text of PDF files that Qt writes.
//
// Qt builds the ToUnicode map of an embedded font by taking, for each glyph,
// the lowest code point that the font maps to it. CJK fonts draw most
// radicals (U+2E80 to U+2FDF) with the glyph of the ideograph they stand for,
// so the text of "混凝土" or "第 1 页" read from the PDF (copied, searched,
// extracted) would come out as "混凝⼟" and "第 1 ⻚".
#pragma once

#include <QByteArray>
#include <QFont>
#include <QList>

// Rewrites the map entries that name such a radical to the ideograph that
// the given fonts draw with the same glyph. Every entry keeps its length,
// so the file's byte offsets stay valid.
void repair_pdf_unicode_maps(QByteArray& pdf, const QList<QFont>& fonts);
