#include "s_date.h"

#include <cstdio>
#include <ctime>

#include "s_platform.h"

std::string today_text() {
  // Every new component asks for today's date; the local time is worked out
  // again only when the clock has moved on by a second.
  thread_local std::time_t cached_at = -1;
  thread_local std::string cached;
  const std::time_t now = std::time(nullptr);
  if (now != cached_at) {
    int year = 0, month = 0, day = 0;
    s_platform::local_date(year, month, day);
    cached = date_text(year, month, day);
    cached_at = now;
  }
  return cached;
}

std::string date_text(int year, int month, int day) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
  return buf;
}

bool is_valid_date(int year, int month, int day) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool parse_date_text(std::string_view text, int& year, int& month, int& day) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  auto number = [&](size_t at, size_t n, int& v) {
    v = 0;
    for (size_t i = at; i < at + n; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      v = v * 10 + (text[i] - '0');
    }
    return true;
  };
  return number(0, 4, year) && number(5, 2, month) && number(8, 2, day) &&
         is_valid_date(year, month, day);
}
