#include "s_ini_file.h"

#include <algorithm>

#include "model/s_file.h"
#include "model/s_platform.h"

namespace {

std::string_view trim(std::string_view s) {
  const char* blanks = " \t";
  const size_t first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// The section name of a header line "[name]", or false.
bool section_name(std::string_view line, std::string_view& name) {
  line = trim(line);
  if (line.size() < 2 || line.front() != '[') return false;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return false;
  name = trim(line.substr(1, close - 1));
  return true;
}

// Splits "key = value"; false for a line with no equals sign.
bool key_value(std::string_view line, std::string_view& key, std::string_view& value) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = trim(line.substr(0, eq));
  value = trim(line.substr(eq + 1));
  return true;
}

}  // namespace

void S_Ini_File::parse(std::string_view text) {
  lines_.clear();
  while (!text.empty()) {
    const size_t nl = text.find('\n');
    Line line;
    if (nl == std::string_view::npos) {
      line.body = std::string(text);
      text = {};
    } else {
      const bool crlf = nl > 0 && text[nl - 1] == '\r';
      line.body = std::string(text.substr(0, crlf ? nl - 1 : nl));
      line.end = crlf ? "\r\n" : "\n";
      text.remove_prefix(nl + 1);
    }
    lines_.push_back(std::move(line));
  }
}

S_Ini_File::Load_Result S_Ini_File::load(const std::filesystem::path& path) {
  lines_.clear();
  if (s_platform::entry_kind(path) == s_platform::Entry::none) return Load_Result::missing;
  // One byte more than the limit tells a file that is too large.
  std::string bytes;
  if (!read_file(path, bytes, MAX_BYTES + 1)) return Load_Result::unreadable;
  if (bytes.size() > MAX_BYTES) return Load_Result::too_large;
  parse(bytes);
  return Load_Result::read;
}

bool S_Ini_File::save(const std::filesystem::path& path) const { return write_file_replacing(path, text()); }

std::string S_Ini_File::text() const {
  std::string out;
  for (const Line& line : lines_) out += line.body + line.end;
  return out;
}

long S_Ini_File::find_section(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::string_view name;
    if (section_name(lines_[i].body, name) && name == section) return static_cast<long>(i);
  }
  return -1;
}

long S_Ini_File::find_key(long header, std::string_view key) const {
  for (size_t i = static_cast<size_t>(header) + 1; i < lines_.size(); ++i) {
    std::string_view name, k, v;
    if (section_name(lines_[i].body, name)) break;
    if (key_value(lines_[i].body, k, v) && k == key) return static_cast<long>(i);
  }
  return -1;
}

size_t S_Ini_File::section_end(long header) const {
  size_t end = static_cast<size_t>(header) + 1;
  for (size_t i = end; i < lines_.size(); ++i) {
    std::string_view name;
    if (section_name(lines_[i].body, name)) break;
    if (!trim(lines_[i].body).empty()) end = i + 1;
  }
  return end;
}

std::string S_Ini_File::line_end() const {
  for (const Line& line : lines_) {
    if (!line.end.empty()) return line.end;
  }
  return "\n";
}

bool S_Ini_File::get(std::string_view section, std::string_view key, std::string& value) const {
  const long header = find_section(section);
  if (header < 0) return false;
  const long at = find_key(header, key);
  if (at < 0) return false;
  std::string_view k, v;
  key_value(lines_[static_cast<size_t>(at)].body, k, v);
  value = std::string(v);
  return true;
}

void S_Ini_File::set(std::string_view section, std::string_view key, std::string_view value) {
  // A line break would end the entry early and turn the rest of the value
  // into lines of their own; a line can only hold it as a blank.
  std::string entry = std::string(key) + "=" + std::string(value);
  std::replace_if(entry.begin(), entry.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  long header = find_section(section);
  if (header < 0) {
    if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = line_end();
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about "[" + std::string.
    lines_.push_back({std::string("[").append(section).append("]"), line_end()});
    header = static_cast<long>(lines_.size()) - 1;
  }
  const long at = find_key(header, key);
  if (at >= 0) {
    lines_[static_cast<size_t>(at)].body = entry;
    return;
  }
  const size_t end = section_end(header);
  if (lines_[end - 1].end.empty()) lines_[end - 1].end = line_end();
  lines_.insert(lines_.begin() + static_cast<long>(end), Line{entry, line_end()});
}
