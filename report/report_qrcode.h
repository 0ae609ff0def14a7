// Report_Qrcode: a QR code of a template. Its text may hold placeholders; it
// is encoded by libqrencode (byte mode, UTF-8, error correction level M) and
// drawn as vector squares, so that it stays sharp at any resolution.
#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <vector>

#include "report/report_drawing.h"
#include "report/report_text.h"

// The modules of a QR code: width × width, row by row, true where dark.
struct Report_Qr_Modules {
  int width = 0;
  std::vector<bool> dark;
};

// Encodes text; false when it is too long for the largest QR code. An empty
// text has no modules.
bool encode_qrcode(const QString& text, Report_Qr_Modules& out);

struct Report_Qrcode {
  Report_Text text;
  double size = 20.0;  // mm, the side of the code with its quiet zone

  // The code of the text expanded with values. A text that is empty draws
  // nothing; one too long for a QR code draws a crossed box with a notice
  // in font, so that the missing code is seen, and sets too_long.
  std::shared_ptr<const Report_Drawing> drawing(const Report_Text_Values& values, const QFont& font,
                                                bool& too_long) const;
};
