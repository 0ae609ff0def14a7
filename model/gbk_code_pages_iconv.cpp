#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "gbk_code_pages.h"

namespace {

// One iconv conversion direction, opened once per thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts text up to its first sequence that this direction cannot
  // convert, appending to out; returns the number of bytes converted.
  size_t convert_prefix(std::string_view text, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char buf[1024];
    while (in_left > 0) {
      char* dst = buf;
      size_t dst_left = sizeof buf;
      const size_t r = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) break;  // EILSEQ, or EINVAL for a cut sequence
    }
    return text.size() - in_left;
  }

  // Converts exactly the whole of text, appending to out; false (and nothing
  // appended) when it is not one complete convertible sequence.
  bool convert_whole(std::string_view text, std::string& out) {
    std::string piece;
    if (convert_prefix(text, piece) != text.size()) return false;
    out += piece;
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& cp936_decoder() {
  static thread_local Converter converter("UTF-8", "CP936");
  return converter;
}

Converter& gb18030_decoder() {
  static thread_local Converter converter("UTF-8", "GB18030");
  return converter;
}

Converter& cp936_encoder() {
  static thread_local Converter converter("CP936", "UTF-8");
  return converter;
}

Converter& gb18030_encoder() {
  static thread_local Converter converter("GB18030", "UTF-8");
  return converter;
}

}  // namespace

size_t cp936_decode_prefix(std::string_view gbk, std::string& out) {
  return cp936_decoder().convert_prefix(gbk, out);
}

size_t cp936_encode_prefix(std::string_view utf8, std::string& out) {
  return cp936_encoder().convert_prefix(utf8, out);
}

bool gb18030_decode_character(std::string_view code, std::string& out) {
  return gb18030_decoder().convert_whole(code, out);
}

bool gb18030_encode_character(std::string_view utf8, std::string& out) {
  return gb18030_encoder().convert_whole(utf8, out);
}
