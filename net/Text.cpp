#include "net/Text.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsLeadByte(unsigned char c) {
  return c >= 0x80;
}

// Length in bytes of the character that starts at byte offset i (0-based).
size_t CharLength(std::string_view t, size_t i) {
  return IsLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
}

bool IsFullWidthSpace(std::string_view t, size_t i) {
  return i + 1 < t.size() && static_cast<unsigned char>(t[i]) == 0xA1 &&
         static_cast<unsigned char>(t[i + 1]) == 0xA1;
}

// Offset (0-based) of the first occurrence of s at or after offset `from` that starts on a character
// boundary, or npos.
size_t FindOffset(std::string_view t, std::string_view s, size_t from) {
  if (s.empty() || s.size() > t.size()) return std::string_view::npos;
  const size_t last = t.size() - s.size();
  for (size_t i = 0; i <= last; i += CharLength(t, i)) {
    if (i >= from && std::memcmp(t.data() + i, s.data(), s.size()) == 0) return i;
  }
  return std::string_view::npos;
}

}  // namespace

Text TextFromBytes(std::string_view bytes) {
  return Text(bytes.substr(0, std::min(bytes.size(), bytes.find('\0'))));
}

int TextLength(std::string_view t) {
  return static_cast<int>(t.size());
}

int FindText(std::string_view t, std::string_view s, int start) {
  if (start < 1) start = 1;
  if (t.empty() || start > TextLength(t)) return -1;
  if (s.empty()) return start;
  size_t at = FindOffset(t, s, static_cast<size_t>(start - 1));
  return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

Text LeftText(std::string_view t, int n) {
  if (n <= 0) return Text();
  return Text(t.substr(0, static_cast<size_t>(n)));
}

Text RightText(std::string_view t, int n) {
  if (n <= 0) return Text();
  if (static_cast<size_t>(n) >= t.size()) return Text(t);
  return Text(t.substr(t.size() - static_cast<size_t>(n)));
}

Text MidText(std::string_view t, int p, int n) {
  if (p < 1 || p > TextLength(t) || n <= 0) return Text();
  return Text(t.substr(static_cast<size_t>(p - 1), static_cast<size_t>(n)));
}

Text ReplaceAll(std::string_view t, std::string_view s, std::string_view r) {
  if (t.empty() || s.empty()) return Text(t);
  Text out;
  out.reserve(t.size());
  size_t i = 0;
  while (i < t.size()) {
    if (i + s.size() <= t.size() && std::memcmp(t.data() + i, s.data(), s.size()) == 0) {
      out += r;
      i += s.size();
      continue;
    }
    size_t len = CharLength(t, i);
    out.append(t.data() + i, len);
    i += len;
  }
  return out;
}

Text RemoveSpaces(std::string_view t) {
  Text out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    size_t len = CharLength(t, i);
    bool space = t[i] == ' ' || (len == 2 && IsFullWidthSpace(t, i));
    if (!space) out.append(t.data() + i, len);
    i += len;
  }
  return out;
}

Text TrimSpaces(std::string_view t) {
  size_t begin = 0;
  size_t end = 0;  // one past the last character that is not a space
  bool seenOther = false;
  for (size_t i = 0; i < t.size();) {
    size_t len = CharLength(t, i);
    bool space = t[i] == ' ' || (len == 2 && IsFullWidthSpace(t, i));
    if (!space) {
      if (!seenOther) begin = i;
      seenOther = true;
      end = i + len;
    }
    i += len;
  }
  if (!seenOther) return Text();
  return Text(t.substr(begin, end - begin));
}

Text TextBetween(std::string_view text, std::string_view left, std::string_view right) {
  const int a = FindText(text, left);
  const Text rest = MidText(text, a + TextLength(left), TextLength(text));
  const int b = FindText(rest, right);
  return LeftText(rest, b - 1);
}

Text TextBetweenChecked(std::string_view text, std::string_view left, std::string_view right,
                        int& found) {
  const int a = FindText(text, left);
  if (a == -1) {
    found = 0;
    return "\xCE\xB4\xD5\xD2\xB5\xBD\xD7\xF3\xB1\xDF\xC4\xDA\xC8\xDD";  // 未找到左边内容
  }
  const int b = FindText(text, right);
  if (b == -1) {
    found = 0;
    return "\xCE\xB4\xD5\xD2\xB5\xBD\xD3\xD2\xB1\xDF\xC4\xDA\xC8\xDD";  // 未找到右边内容
  }
  found = 1;
  const int c = a + TextLength(left);
  return MidText(text, c, b - c);
}

Text TextBetweenChecked(std::string_view text, std::string_view left, std::string_view right) {
  int found = 0;
  return TextBetweenChecked(text, left, right, found);
}

Text DropLastChar(std::string_view text) {
  return LeftText(text, TextLength(text) - 1);
}
