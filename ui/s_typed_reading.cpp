#include "s_typed_reading.h"

#include <charconv>
#include <optional>

namespace {

constexpr long long LOWEST_PLAIN_READING = 10;
constexpr long long HIGHEST_PLAIN_READING = 98;
constexpr long long HIGHEST_READING = 255;

// A decimal integer with an optional sign, nothing else; none otherwise.
// Values beyond the range of long long are taken at that range's bound.
std::optional<long long> integer_value(std::string_view text) {
  const char* first = text.data();
  const char* last = first + text.size();
  bool negative = false;
  if (first != last && (*first == '+' || *first == '-')) {
    negative = *first == '-';
    ++first;
  }
  if (first == last || *first < '0' || *first > '9') return std::nullopt;
  long long value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (end != last) return std::nullopt;
  if (error == std::errc::result_out_of_range) value = HIGHEST_READING + 1;
  return negative ? -value : value;
}

}  // namespace

S_Typed_Reading typed_reading(std::string_view text) {
  using Verdict = S_Typed_Reading::Verdict;
  const bool forced = !text.empty() && (text.back() == 'n' || text.back() == 'N');
  if (forced) text.remove_suffix(1);
  const std::optional<long long> number = integer_value(text);
  if (!number) return {Verdict::Not_A_Number};
  // A reading is one byte: a number outside it is refused, not cut down.
  if (*number < 0 || *number > HIGHEST_READING) return {Verdict::Out_Of_Range};
  if (!forced && (*number < LOWEST_PLAIN_READING || *number > HIGHEST_PLAIN_READING))
    return {Verdict::Not_Forced};
  return {Verdict::Accepted, static_cast<uint8_t>(*number)};
}
