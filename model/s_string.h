// S_String: one text field of a component or of the project, held as GBK bytes.
#pragma once

#include <string>
#include <string_view>

class S_Byte_Reader;
class S_Byte_Writer;

class S_String {
 public:
  S_String() = default;
  explicit S_String(std::string_view bytes) { assign(bytes); }
  // A UTF-8 text (a message, a widget's text, a name typed on the command
  // line) in GBK, through the GBK codec.
  static S_String from_utf8(std::string_view utf8);

  // Takes the bytes up to the first zero byte.
  void assign(const char* text);
  void assign(std::string_view bytes);
  void assign(const S_String& other) { text_ = other.text_; }

  const char* c_str() const { return text_.c_str(); }
  const std::string& bytes() const { return text_; }
  size_t length() const { return text_.size(); }
  bool empty() const { return text_.empty(); }
  // The text in UTF-8, through the GBK codec: for Qt, the command line and
  // the export.
  std::string utf8() const;

  // Stream form: int32 byte length N, then the N bytes, no terminator.
  bool write(S_Byte_Writer& out) const;
  // Refuses a negative length or one larger than the bytes left before
  // allocating anything; the text is then unchanged.
  bool read(S_Byte_Reader& in);

  friend bool operator==(const S_String&, const S_String&) = default;
  // Compares the bytes.
  friend bool operator==(const S_String& text, std::string_view bytes) { return text.text_ == bytes; }

 private:
  std::string text_;
};
