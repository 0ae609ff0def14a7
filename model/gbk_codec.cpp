#include "gbk_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace {

// One iconv conversion direction, opened once for the process.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts text; at a sequence that cannot be converted, appends
  // replacement and skips `skip(rest)` bytes.
  template <typename Skip>
  std::string convert(std::string_view text, std::string_view replacement, Skip skip) {
    std::string out;
    out.reserve(text.size() * 3 / 2 + 4);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char buf[1024];
    while (in_left > 0) {
      char* dst = buf;
      size_t dst_left = sizeof buf;
      size_t r = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
      // EILSEQ or EINVAL (a sequence cut at the end).
      out.append(replacement);
      size_t n = skip(std::string_view(in, in_left));
      in += n;
      in_left -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 sequence that starts rest, or 1 when it is broken.
size_t utf8_sequence_length(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  size_t n = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
  if (n > rest.size()) return 1;
  for (size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return 1;
  }
  return n;
}

}  // namespace

std::string gbk_to_utf8(std::string_view gbk) {
  // GB18030 reads every GBK sequence as GBK does, and also the four-byte
  // forms that utf8_to_gbk writes for characters outside GBK.
  static thread_local Converter decoder("UTF-8", "GB18030");
  for (char c : gbk) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return decoder.convert(gbk, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
    }
  }
  return std::string(gbk);
}

std::string utf8_to_gbk(std::string_view utf8) {
  static thread_local Converter encoder("GB18030", "UTF-8");
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return encoder.convert(utf8, "?", utf8_sequence_length);
    }
  }
  return std::string(utf8);
}
