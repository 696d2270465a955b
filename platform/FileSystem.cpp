#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <random>
#include <string>

#include "platform/Gbk.h"

namespace fs = std::filesystem;

namespace files {
namespace {

bool IsLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrivePrefix(std::string_view t) { return t.size() >= 2 && IsAsciiLetter(t[0]) && t[1] == ':'; }

// The characters of a GBK text: one byte, or two when the first is 0x80 or above. A lone lead
// byte at the end counts as one character (it is not valid GBK anyway).
std::vector<std::string_view> Characters(std::string_view t) {
  std::vector<std::string_view> out;
  for (std::size_t i = 0; i < t.size();) {
    std::size_t n = IsLead(t[i]) && i + 1 < t.size() ? 2 : 1;
    out.push_back(t.substr(i, n));
    i += n;
  }
  return out;
}

std::vector<std::string_view> SplitOnBackslash(std::string_view utf8) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = utf8.find('\\');
    parts.push_back(utf8.substr(0, at));
    if (at == std::string_view::npos) return parts;
    utf8.remove_prefix(at + 1);
  }
}

std::string RandomSuffix() {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  static const char digits[] = "0123456789abcdef";
  std::uint64_t v = generator();
  std::string s;
  for (int i = 0; i < 12; ++i, v >>= 4) s += digits[v & 15];
  return s;
}

// A temporary name beside `target`, short enough for any file system that takes the target.
fs::path TemporaryBeside(const fs::path& target) {
  std::string stem = target.filename().string();
  constexpr std::size_t kMaxStem = 180;
  if (stem.size() > kMaxStem) {
    std::size_t cut = kMaxStem;
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;  // UTF-8 boundary
    stem.resize(cut);
  }
  return target.parent_path() / ("." + stem + ".part-" + RandomSuffix());
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Fills a new temporary file beside `target` with `fill`, then moves it over `target`. On any
// failure the temporary is removed and `target` keeps what it held.
bool ReplaceThroughTemporary(const fs::path& target, const std::function<bool(int)>& fill) {
  if (target.filename().empty()) return false;
  fs::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = TemporaryBeside(target);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = fill(fd);
  if (::close(fd) != 0) ok = false;
  // rename() never puts a file in place of a folder (EISDIR).
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

// '*' any run of characters, '?' one character; ASCII letters match regardless of case.
bool MatchCharacters(const std::vector<std::string_view>& name, std::size_t n,
                     const std::vector<std::string_view>& pattern, std::size_t p) {
  auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a.size() == 1) {
      char x = a[0], y = b[0];
      if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
      return x == y;
    }
    return a == b;
  };
  // Greedy match with one back-tracking point for the last '*'.
  std::size_t starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == "?" || same(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  const auto nameChars = Characters(name);
  const auto patternChars = Characters(pattern);
  if (MatchCharacters(nameChars, 0, patternChars, 0)) return true;
  // As the system's search does, a trailing ".*" also matches a name without that dot: "*.*"
  // lists every entry, "readme.*" finds "readme".
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*") {
    auto shorter = Characters(pattern.substr(0, pattern.size() - 2));
    return MatchCharacters(nameChars, 0, shorter, 0);
  }
  return false;
}

}  // namespace

std::optional<fs::path> NativePath(const Text& path) {
  if (path.empty() || HasDrivePrefix(path)) return std::nullopt;
  // Convert first: in UTF-8 a backslash byte is always a backslash.
  std::optional<std::string> utf8 = ToUtf8Strict(path);
  if (!utf8) return std::nullopt;
  std::string native = std::move(*utf8);
  std::replace(native.begin(), native.end(), '\\', '/');
  return fs::path(native);
}

std::optional<Text> SafeJoin(const Text& folder, const Text& relative) {
  // An empty folder would turn "\x" into the root of the disk.
  if (folder.empty() || relative.empty()) return std::nullopt;
  // A folder ending in a lone lead byte would swallow the joining backslash.
  if (!ToUtf8Strict(folder)) return std::nullopt;
  if (relative[0] == '\\' || relative[0] == '/' || HasDrivePrefix(relative)) return std::nullopt;
  // The parts are judged as NativePath will see them: after the conversion, where a trail
  // byte 0x5C has become part of its character.
  std::optional<std::string> utf8 = ToUtf8Strict(relative);
  if (!utf8) return std::nullopt;
  for (std::string_view part : SplitOnBackslash(*utf8)) {
    if (part.empty() || part == "." || part == "..") return std::nullopt;
    if (part.find('/') != std::string_view::npos) return std::nullopt;
  }
  return folder + "\\" + relative;
}

bool CreateFolder(const Text& path) {
  auto native = NativePath(path);
  if (!native) return false;
  ::mkdir(native->c_str(), 0777);  // one level only: fails when the parent is missing
  std::error_code ec;
  return fs::is_directory(*native, ec);
}

bool Exists(const Text& path) {
  auto native = NativePath(path);
  std::error_code ec;
  return native && fs::exists(*native, ec);
}

bool IsFolder(const Text& path) {
  auto native = NativePath(path);
  std::error_code ec;
  return native && fs::is_directory(*native, ec);
}

bool WriteFile(const Text& path, std::string_view bytes) {
  auto native = NativePath(path);
  if (!native) return false;
  return ReplaceThroughTemporary(*native, [&](int fd) { return WriteAll(fd, bytes); });
}

std::optional<Bytes> ReadFile(const Text& path) {
  auto native = NativePath(path);
  if (!native) return std::nullopt;
  int fd = ::open(native->c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  Bytes bytes;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

bool CopyFile(const Text& from, const Text& to) {
  auto source = NativePath(from);
  auto target = NativePath(to);
  if (!source || !target) return false;
  int in = ::open(source->c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st;
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(in);
    return false;
  }
  // Streamed: the video copies can be large.
  bool ok = ReplaceThroughTemporary(*target, [in](int out) {
    char buffer[65536];
    for (;;) {
      ssize_t n = ::read(in, buffer, sizeof buffer);
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (n == 0) return true;
      if (!WriteAll(out, std::string_view(buffer, static_cast<std::size_t>(n)))) return false;
    }
  });
  ::close(in);
  return ok;
}

bool DeleteFile(const Text& path) {
  auto native = NativePath(path);
  return native && ::unlink(native->c_str()) == 0;
}

std::vector<FoundEntry> FindEntries(const Text& folder, const Text& pattern) {
  std::vector<FoundEntry> found;
  auto native = NativePath(folder);
  if (!native) return found;
  std::error_code ec;
  fs::directory_iterator it(*native, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string utf8 = it->path().filename().string();
    // A name GBK cannot hold would come back as a different name that opens nothing.
    Text name = ToGbk(utf8);
    auto back = ToUtf8Strict(name);
    if (!back || *back != utf8) continue;
    if (!MatchesWildcard(name, pattern)) continue;
    std::error_code typeError;
    found.push_back({name, it->is_directory(typeError)});
  }
  std::sort(found.begin(), found.end(),
            [](const FoundEntry& a, const FoundEntry& b) { return a.name < b.name; });
  return found;
}

}  // namespace files
