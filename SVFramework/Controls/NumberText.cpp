#include "SVFramework/Controls/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace SV {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The length of the digits (with at most one point) starting at `i`; counts the digits.
size_t ScanMantissa(std::u16string_view text, size_t i, int& digits) {
  bool point = false;
  const size_t start = i;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) ++digits;
    else if (text[i] == u'.' && !point) point = true;
    else break;
  }
  return i - start;
}

size_t ScanExponent(std::u16string_view text, size_t i) {
  if (i >= text.size() || (text[i] != u'e' && text[i] != u'E')) return 0;
  size_t j = i + 1;
  if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) ++j;
  const size_t digitsStart = j;
  while (j < text.size() && IsDigit(text[j])) ++j;
  return j > digitsStart ? j - i : 0;
}

}  // namespace

std::optional<double> ReadLeadingNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r')) ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  int digits = 0;
  i += ScanMantissa(text, i, digits);
  if (digits == 0) return std::nullopt;
  i += ScanExponent(text, i);
  std::string narrow;
  for (size_t k = start; k < i; ++k) narrow.push_back(static_cast<char>(text[k]));
  if (!narrow.empty() && narrow[0] == '+') narrow.erase(0, 1);
  double value = 0;
  const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::u16string FormatNumber(double value, int32_t decimals) {
  decimals = std::clamp(decimals, 0, 17);
  char buffer[400];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string narrow = error == std::errc() ? std::string(buffer, end) : std::string("0");
  if (narrow.find_first_not_of("-0.") == std::string::npos && narrow[0] == '-') narrow.erase(0, 1);
  return std::u16string(narrow.begin(), narrow.end());
}

}  // namespace SV
