#include "csv_export.h"

#include <string>
#include <string_view>

#include "model/s_byte_stream.h"
#include "model/s_file.h"

namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr std::string_view RECORD_END = "\r\n";

bool write_text(S_Byte_Writer& out, std::string_view text) { return out.write(text.data(), text.size()); }

std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + '"';
}

// One record of fields, each named by field(i).
template <typename Field>
bool write_record(S_Byte_Writer& out, size_t count, const Field& field) {
  std::string line;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) line += ',';
    line += csv_field(field(i));
  }
  line += RECORD_END;
  return write_text(out, line);
}

}  // namespace

bool write_csv(const Export_Table& table, S_Byte_Writer& out) {
  const size_t count = table.columns.size();
  if (!write_text(out, BYTE_ORDER_MARK)) return false;
  if (!write_record(out, count, [&](size_t i) -> std::string_view { return table.columns[i].header; }))
    return false;
  return table.for_each_row([&](const Export_Table::Row& row) {
    return write_record(out, count, [&](size_t i) -> std::string_view { return row[i].text; });
  });
}

bool export_csv(const Export_Table& table, const std::filesystem::path& path) {
  S_File_Writer writer;
  return export_csv(table, path, writer);
}

bool export_csv(const Export_Table& table, const std::filesystem::path& path, S_File_Writer& writer) {
  return write_file_replacing(
      path, [&](S_Byte_Writer& out) { return write_csv(table, out); }, writer);
}
