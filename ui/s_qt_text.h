// The widgets' side of the GBK texts: a model text (GBK bytes) shown in a
// widget, and a widget's text stored back into the model.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "model/gbk_codec.h"
#include "model/s_string.h"

inline QString gbk_to_qstring(std::string_view gbk) { return QString::fromUtf8(gbk_to_utf8(gbk)); }
inline QString to_qstring(const S_String& text) { return gbk_to_qstring(text.bytes()); }
inline std::string qstring_to_gbk(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return utf8_to_gbk(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}
