// Date texts "yyyy-mm-dd": today's date, validity, and the empty date.
#pragma once

#include <string>
#include <string_view>

// The text stored for an empty date edit: the date zero of the date numbering.
constexpr const char* EMPTY_DATE_TEXT = "1899-12-30";

// The current local date as "yyyy-mm-dd".
std::string today_text();

// Formats a date as "yyyy-mm-dd" (four-digit year, zero-padded).
std::string date_text(int year, int month, int day);

// True when the month has that day (Gregorian calendar).
bool is_valid_date(int year, int month, int day);

// Reads a complete "yyyy-mm-dd" text naming a valid date.
bool parse_date_text(std::string_view text, int& year, int& month, int& day);
