#include "platform/Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace {

// One conversion with iconv. On an invalid or unconvertible sequence, `replacement` is written
// and one input byte (or, for a lead byte, two) is skipped; without a replacement it fails.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in,
                                   const char* replacement, bool twoByteLeads) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[4096];
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    if (r != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (!replacement) {
      iconv_close(cd);
      return std::nullopt;
    }
    out += replacement;
    size_t skip = 1;
    if (twoByteLeads && static_cast<unsigned char>(*src) >= 0x80 && srcLeft >= 2) skip = 2;
    if (!twoByteLeads) {
      // UTF-8 input: skip the whole malformed or unmappable character.
      unsigned char c = static_cast<unsigned char>(*src);
      skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      if (skip > srcLeft) skip = srcLeft;
    }
    src += skip;
    srcLeft -= skip;
  }
  iconv_close(cd);
  return out;
}

}  // namespace

Text ToGbk(std::string_view utf8) {
  return Convert("GBK", "UTF-8", utf8, "?", false).value_or(Text());
}

std::string ToUtf8(std::string_view gbk) {
  return Convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD", true).value_or(std::string());
}

std::optional<std::string> ToUtf8Strict(std::string_view gbk) {
  return Convert("UTF-8", "GBK", gbk, nullptr, true);
}
