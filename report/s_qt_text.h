// The one bridge between this program's texts and Qt's: model texts (GBK
// bytes, S_String) shown in widgets and reports and stored back, and UTF-8
// texts (the message table, paths) shown in Qt.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

#include "model/gbk_codec.h"
#include "model/s_string.h"

inline QString utf8_to_qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string qstring_to_utf8(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

inline QString gbk_to_qstring(std::string_view gbk) { return utf8_to_qstring(gbk_to_utf8(gbk)); }
inline QString to_qstring(const S_String& text) { return gbk_to_qstring(text.bytes()); }
inline std::string qstring_to_gbk(const QString& text) { return utf8_to_gbk(qstring_to_utf8(text)); }
