// A small INI reader and writer over bytes (GBK sections, keys and values).
// Reading accepts LF and CR LF line ends and ignores blanks around keys and
// values; writing replaces a value where it stands and keeps every other line
// byte for byte.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class S_Ini_File {
 public:
  // The largest settings file that is read. A settings file holds a few
  // lines; reading a larger one would take time and memory that grow with
  // whatever the file holds.
  static constexpr size_t MAX_BYTES = 64 * 1024;

  enum class Load_Result { read, missing, unreadable, too_large };

  // Parses INI text (replacing what the object held).
  void parse(std::string_view text);
  // Reads the file; a missing one reads as empty. A file that cannot be read
  // or is larger than MAX_BYTES leaves the object empty.
  Load_Result load(const std::filesystem::path& path);
  // Writes the text through a temporary file that replaces the old one.
  bool save(const std::filesystem::path& path) const;

  // The value of a key in a section, with its surrounding blanks removed.
  bool get(std::string_view section, std::string_view key, std::string& value) const;
  // Replaces the value where the key stands, or adds the key at the end of
  // the section, or the section at the end of the text. A line break in the
  // key or the value is written as a blank.
  void set(std::string_view section, std::string_view key, std::string_view value);

  std::string text() const;

 private:
  struct Line {
    std::string body;  // without its line end
    std::string end;   // "\n", "\r\n" or "" for a last line without one
  };
  // Index of the section's header line, or -1.
  long find_section(std::string_view section) const;
  // Index of the key's line inside the section that starts at header, or -1.
  long find_key(long header, std::string_view key) const;
  // Index after the last non-blank line of the section that starts at header.
  size_t section_end(long header) const;
  std::string line_end() const;

  std::vector<Line> lines_;
};
