// Small helpers of the core suites: byte strings written by hand, float32
// bit patterns, and a temporary folder that removes itself.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "model/s_byte_stream.h"

namespace test_support {

inline std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

inline std::string le32(uint32_t v) {
  return bytes({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF), static_cast<int>(v >> 24)});
}

inline std::string le_f32(float v) { return le32(std::bit_cast<uint32_t>(v)); }

inline float f32_bits(uint32_t bits) { return std::bit_cast<float>(bits); }
inline uint32_t bits_of(float v) { return std::bit_cast<uint32_t>(v); }

// The stream form of a text: int32 length, then the bytes.
inline std::string text_form(std::string_view text) {
  return le32(static_cast<uint32_t>(text.size())) + std::string(text);
}

inline std::string hex(std::string_view s) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

inline std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void put_file(const std::filesystem::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
class Temp_Dir {
 public:
  Temp_Dir() {
    // A name that no other folder has: creating it fails when one does.
    std::random_device random;
    std::error_code ec;
    for (int attempt = 0; attempt < 100; ++attempt) {
      path_ = std::filesystem::temp_directory_path(ec) / ("rv820-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(path_, ec)) return;
    }
    ADD_FAILURE() << "cannot create a temporary folder";
  }
  ~Temp_Dir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  Temp_Dir(const Temp_Dir&) = delete;
  Temp_Dir& operator=(const Temp_Dir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // The names of the entries in the folder, sorted.
  std::string listing() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : " ") + n;
    return out;
  }

 private:
  std::filesystem::path path_;
};

// The stream form of a record (a component, a project), as its write gives it.
template <typename Record>
std::string stream_of(const Record& record) {
  S_Byte_Writer out;
  EXPECT_TRUE(record.write(out));
  return out.bytes();
}

// Today's local date as "yyyy-mm-dd", worked out apart from the code under test.
inline std::string today() {
  const std::time_t now = std::time(nullptr);
  char buf[16];
  std::strftime(buf, sizeof buf, "%Y-%m-%d", std::localtime(&now));
  return buf;
}

}  // namespace test_support
