#include "net/Conversions.h"

#include <cctype>
#include <cmath>
#include <limits>

Text NumberToText(long long n) {
  return std::to_string(n);
}

long long TextToInteger(std::string_view t) {
  // Full-width ASCII forms and the full-width space become their ASCII equivalents first.
  Text plain;
  plain.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    const auto c = static_cast<unsigned char>(t[i]);
    if (c >= 0x80 && i + 1 < t.size()) {
      const auto d = static_cast<unsigned char>(t[i + 1]);
      if (c == 0xA3 && d >= 0xA1 && d <= 0xFE) {
        plain += static_cast<char>(d - 0x80);
      } else if (c == 0xA1 && d == 0xA1) {
        plain += ' ';
      } else {
        plain += static_cast<char>(c);
        plain += static_cast<char>(d);
      }
      ++i;
      continue;
    }
    plain += static_cast<char>(c);
  }

  size_t i = 0;
  while (i < plain.size() && std::isspace(static_cast<unsigned char>(plain[i]))) ++i;
  bool negative = false;
  if (i < plain.size() && (plain[i] == '+' || plain[i] == '-')) negative = plain[i++] == '-';
  long long value = 0;
  constexpr long long kMax = std::numeric_limits<long long>::max();
  for (; i < plain.size() && std::isdigit(static_cast<unsigned char>(plain[i])); ++i) {
    const int digit = plain[i] - '0';
    if (value > (kMax - digit) / 10) return negative ? std::numeric_limits<long long>::min() : kMax;
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

long long RealToInteger(double d) {
  if (std::isnan(d)) return 0;
  if (d >= 9.2e18) return std::numeric_limits<long long>::max();
  if (d <= -9.2e18) return std::numeric_limits<long long>::min();
  return static_cast<long long>(std::trunc(d));
}

Text JoinTexts(std::initializer_list<std::string_view> parts) {
  size_t total = 0;
  for (auto p : parts) total += p.size();
  Text out;
  out.reserve(total);
  for (auto p : parts) out += p;
  return out;
}
