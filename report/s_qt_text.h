// The one bridge between this program's texts and Qt's: model texts (GBK
// bytes, S_String) shown in widgets and reports and stored back, UTF-8 texts
// (the message table, the evaluation's texts) shown in Qt, and file-system
// paths to and from the texts of dialogs and of Qt's standard folders.
#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/s_string.h"

inline QString utf8_to_qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string qstring_to_utf8(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

inline QString to_qstring(const S_String& text) { return utf8_to_qstring(text.utf8()); }
inline S_String to_s_string(const QString& text) { return S_String::from_utf8(qstring_to_utf8(text)); }

// A path as Qt shows it, and a path that Qt named (a chosen file, a standard
// folder): the path's UTF-8 form, which the path holds in the system's form
// (bytes that are no UTF-8 show as U+FFFD).
inline QString path_to_qstring(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::filesystem::path qstring_to_path(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()), static_cast<size_t>(utf8.size())));
}
