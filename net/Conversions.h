#pragma once
// The number and text conversions every part of the program relies on.

#include <cstdint>
#include <initializer_list>

#include "net/Text.h"

// Full-width ASCII forms (A3 A1..A3 FE) as their ASCII characters and the full-width space as a
// blank, as numbers are read everywhere in the program; other double-byte characters stay.
Text HalfWidthForms(std::string_view t);

// Plain decimal: "-12", "0", "57".
Text NumberToText(long long n);
// Full-width ASCII forms (A3 A1..A3 FE) and the full-width space count as their ASCII
// equivalents; leading white space is skipped, then an optional sign and the digits are read.
// Anything that does not start with a number reads as 0.
long long TextToInteger(std::string_view t);
// Truncation toward zero.
long long RealToInteger(double d);
// Joins texts in order without separator.
Text JoinTexts(std::initializer_list<std::string_view> parts);
