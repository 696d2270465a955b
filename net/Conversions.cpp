#include "net/Conversions.h"

#include <cctype>
#include <cmath>
#include <limits>

Text NumberToText(long long n) {
  return std::to_string(n);
}

Text HalfWidthForms(std::string_view t) {
  Text out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    const auto b = static_cast<unsigned char>(t[i]);
    if (b < 0x80 || i + 1 >= t.size()) {
      out.push_back(t[i]);
      continue;
    }
    const auto trail = static_cast<unsigned char>(t[i + 1]);
    if (b == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
      out.push_back(static_cast<char>(trail - 0x80));
    else if (b == 0xA1 && trail == 0xA1)
      out.push_back(' ');
    else
      out.append(t.substr(i, 2));
    ++i;
  }
  return out;
}

long long TextToInteger(std::string_view t) {
  const Text plain = HalfWidthForms(t);
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
