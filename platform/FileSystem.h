#pragma once
// The file system as the program sees it: every path is a GBK text with backslashes between its
// parts ("D:\dl12345\生活\春游3.html"). This layer turns such a text into a native path
// (backslash -> separator, GBK -> UTF-8 file names) and carries out every file access. File
// contents stay bytes exactly as given.
//
// Names that come from the network are joined with SafeJoin, which refuses any part that would
// leave the folder it is meant to stay in; a refused path fails like a name the file system
// refuses.

#include <filesystem>
#include <optional>
#include <vector>

#include "net/Text.h"

namespace files {

// The native path of a GBK path text; nothing when the text is not valid GBK.
std::optional<std::filesystem::path> NativePath(const Text& path);

// folder + "\" + relative, where relative ("生活\春游3.html") may hold several parts. Nothing
// when a part of relative is empty, "." or "..", when relative starts with a separator or a
// drive prefix ("C:"), or when a part holds "/" (a separator here).
std::optional<Text> SafeJoin(const Text& folder, const Text& relative);

// One level: the parent must exist. True when the folder exists afterwards.
bool CreateFolder(const Text& path);
bool Exists(const Text& path);
bool IsFolder(const Text& path);

// Writes the whole file through a temporary name in the same folder, then moves it into place:
// a failed write leaves any earlier file of that name untouched.
bool WriteFile(const Text& path, std::string_view bytes);
// The whole file, or nothing when it cannot be read.
std::optional<Bytes> ReadFile(const Text& path);
bool CopyFile(const Text& from, const Text& to);  // replaces `to`
bool DeleteFile(const Text& path);

struct FoundEntry {
  Text name;  // GBK
  bool isFolder = false;
};
// The entries of folder whose names match pattern ("*.flv", "*.*"; '*' and '?' as wildcards).
std::vector<FoundEntry> FindEntries(const Text& folder, const Text& pattern);

}  // namespace files
