#include "s_messages.h"

std::string message_text(const char* message, std::string_view argument) {
  std::string text = message;
  for (size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size();
       at = text.find('%', at + 1)) {
    if (text[at + 1] == 's' || text[at + 1] == 'd') {
      text.replace(at, 2, argument);
      break;
    }
  }
  return text;
}

std::string message_text(const char* message, int64_t number) {
  return message_text(message, std::to_string(number));
}
