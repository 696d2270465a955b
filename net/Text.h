#pragma once
// The program's text model: a text is a byte string in the GBK code page that never holds a zero
// byte. Lengths and positions count bytes, positions start at 1 and a search that finds nothing
// gives -1. Searches and replacements step over double-byte characters: a byte of 0x80 or above
// starts a two-byte character, so a match is only found where it starts on a character boundary.

#include <string>
#include <string_view>

using Text = std::string;   // GBK bytes, no zero byte
using Bytes = std::string;  // any bytes, as received or written

// The part of some bytes before their first zero byte.
Text TextFromBytes(std::string_view bytes);

int TextLength(std::string_view t);
// First occurrence of s in t starting on a character boundary, searched from byte `start` on.
int FindText(std::string_view t, std::string_view s, int start = 1);
Text LeftText(std::string_view t, int n);
Text RightText(std::string_view t, int n);
Text MidText(std::string_view t, int p, int n);
// Every occurrence of s replaced by r in one left-to-right pass, never overlapping.
Text ReplaceAll(std::string_view t, std::string_view s, std::string_view r);
// Without any half-width space (0x20) or full-width space (A1 A1).
Text RemoveSpaces(std::string_view t);
// Without the half-width and full-width spaces at both ends.
Text TrimSpaces(std::string_view t);

// The text between the first occurrence of left and the next occurrence of right after it,
// with the arithmetic of a missing left marker kept (see the test table).
Text TextBetween(std::string_view text, std::string_view left, std::string_view right);
// The same cut, but the right marker is searched from the start of the whole text and a missing
// marker gives "未找到左边内容" / "未找到右边内容" with found = 0.
Text TextBetweenChecked(std::string_view text, std::string_view left, std::string_view right,
                        int& found);
Text TextBetweenChecked(std::string_view text, std::string_view left, std::string_view right);
// The text without its last byte.
Text DropLastChar(std::string_view text);
