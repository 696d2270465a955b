#pragma once
// GBK (code page 936) <-> UTF-8, for the window texts and the file names on disk.

#include <optional>
#include <string>
#include <string_view>

#include "net/Text.h"

// UTF-8 to GBK; a character GBK cannot hold becomes '?'.
Text ToGbk(std::string_view utf8);
// GBK to UTF-8; a byte sequence that is not GBK becomes U+FFFD.
std::string ToUtf8(std::string_view gbk);
// GBK to UTF-8, or nothing when the bytes are not valid GBK.
std::optional<std::string> ToUtf8Strict(std::string_view gbk);
