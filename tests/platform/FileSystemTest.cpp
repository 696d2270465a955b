#include "platform/FileSystem.h"

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Gbk.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

// "\x81\x5C" is one GBK character (U+4E57) whose trail byte is a backslash.
const std::string kTrail5C = "\x81\x5C"s;
const std::string kTrail5CUtf8 = "\xE4\xB9\x97";

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qz-files-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    rootText_ = ToGbk(root_.string());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  // A GBK path below the temporary folder, from UTF-8 parts joined with backslashes.
  Text Path(const std::string& utf8Relative) const { return rootText_ + "\\" + ToGbk(utf8Relative); }

  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> Names(const fs::path& folder) const {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path root_;
  Text rootText_;
};

TEST(NativePathTest, ConvertsGbkAndBackslashes) {
  struct Case {
    std::string path;
    std::optional<std::string> native;
  } cases[] = {
      {ToGbk("/tmp/dl12345\\生活\\春游3.html"), "/tmp/dl12345/生活/春游3.html"},
      {ToGbk("dl12345\\目录.html"), "dl12345/目录.html"},  // relative to the current folder
      {ToGbk("/tmp/dl/照片\\相册一"), "/tmp/dl/照片/相册一"},   // picker's '/' mixed with joins
      {"a\\" + kTrail5C + "\\b", "a/" + kTrail5CUtf8 + "/b"},  // 0x5C inside a character
      {"a\\" + kTrail5C + "x.html", "a/" + kTrail5CUtf8 + "x.html"},
      {"a\\\x81", std::nullopt},     // lone lead byte
      {"a\\\xFF\xFF", std::nullopt},  // not GBK
      {"C:\\dl\\x", std::nullopt},    // a drive means nothing here
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.path));
    auto native = files::NativePath(c.path);
    ASSERT_EQ(native.has_value(), c.native.has_value());
    if (native) {
      EXPECT_EQ(native->string(), *c.native);
    }
  }
}

TEST(SafeJoinTest, RefusesPartsThatLeaveTheFolder) {
  const Text folder = ToGbk("/tmp/dl12345");
  const std::string refused[] = {
      "..\\x",      "a\\..\\..\\x", ".",    "",      "\\abs",     "C:\\x", "c:x",
      "a\\\\b",     "a\\",          "a/b",  "..",    "/etc/passwd", "a\\.\\b",
      "a\\\x81",    "\xFF\xFE\\x",  "x\\..", "../x",
  };
  for (const std::string& relative : refused) {
    SCOPED_TRACE(relative);
    EXPECT_FALSE(files::SafeJoin(folder, relative).has_value());
  }
  EXPECT_FALSE(files::SafeJoin("", "x").has_value());  // would become "\x", the root
}

TEST(SafeJoinTest, JoinsOrdinaryNames) {
  const Text folder = ToGbk("/tmp/dl12345");
  const std::string accepted[] = {
      ToGbk("生活\\春游3.html"), "a b\\c d.html", kTrail5C + ".jpg", "..x", "x..", "...",
      ToGbk("照片\\相册\\1.jpg"),
  };
  for (const std::string& relative : accepted) {
    SCOPED_TRACE(ToUtf8(relative));
    auto joined = files::SafeJoin(folder, relative);
    ASSERT_TRUE(joined.has_value());
    EXPECT_EQ(*joined, folder + "\\" + relative);
  }
}

TEST_F(FileSystemTest, TrailByte5CNamesOneFile) {
  auto joined = files::SafeJoin(rootText_, kTrail5C + ".jpg");
  ASSERT_TRUE(joined);
  ASSERT_TRUE(files::WriteFile(*joined, "x"));
  EXPECT_EQ(Names(root_), std::vector<std::string>{kTrail5CUtf8 + ".jpg"});
}

TEST_F(FileSystemTest, CreateFolderMakesOneLevel) {
  EXPECT_FALSE(files::CreateFolder(Path("缺少\\子目录")));  // parent missing
  EXPECT_FALSE(fs::exists(root_ / "缺少"));
  EXPECT_TRUE(files::CreateFolder(Path("生活")));
  EXPECT_TRUE(fs::is_directory(root_ / "生活"));
  EXPECT_TRUE(files::CreateFolder(Path("生活")));  // already there
  EXPECT_TRUE(files::CreateFolder(Path("生活\\春游")));
  EXPECT_TRUE(files::IsFolder(Path("生活\\春游")));

  ASSERT_TRUE(files::WriteFile(Path("文件"), "x"));
  EXPECT_FALSE(files::CreateFolder(Path("文件")));  // a file holds the name
  EXPECT_TRUE(files::Exists(Path("文件")));
  EXPECT_FALSE(files::IsFolder(Path("文件")));
  EXPECT_FALSE(files::Exists(Path("没有")));
}

TEST_F(FileSystemTest, WriteAndReadKeepEveryByte) {
  std::string bytes = "GIF89a\0\0\x01\xFF"s;
  bytes += std::string(200000, '\0');
  bytes += "end";
  const Text path = Path("图片.gif");
  ASSERT_TRUE(files::WriteFile(path, bytes));
  EXPECT_TRUE(Slurp(root_ / "图片.gif") == bytes);
  auto read = files::ReadFile(path);
  ASSERT_TRUE(read);
  EXPECT_TRUE(*read == bytes);

  ASSERT_TRUE(files::WriteFile(path, "short"));  // replaces, does not overwrite in place
  EXPECT_EQ(files::ReadFile(path), std::optional<Bytes>("short"));
  ASSERT_TRUE(files::WriteFile(path, ""));
  EXPECT_EQ(files::ReadFile(path), std::optional<Bytes>(""));
  EXPECT_EQ(Names(root_), std::vector<std::string>{"图片.gif"});  // no temporary left

  EXPECT_FALSE(files::ReadFile(Path("没有.gif")));
  ASSERT_TRUE(files::CreateFolder(Path("目录")));
  EXPECT_FALSE(files::ReadFile(Path("目录")));
}

TEST_F(FileSystemTest, FailedWriteLeavesEarlierFileAndNoTemporary) {
  ASSERT_TRUE(files::WriteFile(Path("a.jpg"), "earlier"));
  ASSERT_TRUE(files::CreateFolder(Path("folder")));
  ASSERT_TRUE(files::WriteFile(Path("folder\\inside"), "x"));

  EXPECT_FALSE(files::WriteFile(Path("missing\\a.jpg"), "new"));  // folder missing
  EXPECT_FALSE(files::WriteFile(Path("folder"), "new"));           // a folder holds the name
  EXPECT_EQ(Slurp(root_ / "folder" / "inside"), "x");
  EXPECT_FALSE(files::WriteFile(Path("a.jpg\\"), "new"));          // no file name

  // A write that fails half-way (file size limit) keeps the earlier file whole.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit low = saved;
  low.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &low), 0);
  const bool wrote = files::WriteFile(Path("a.jpg"), std::string(100000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(wrote);

  EXPECT_EQ(Slurp(root_ / "a.jpg"), "earlier");
  EXPECT_EQ(Names(root_), (std::vector<std::string>{"a.jpg", "folder"}));
}

TEST_F(FileSystemTest, CopyReplacesAndDeleteRemoves) {
  ASSERT_TRUE(files::WriteFile(Path("源.flv"), "video\0bytes"s));
  ASSERT_TRUE(files::WriteFile(Path("目标.flv"), "old old old old"));
  EXPECT_TRUE(files::CopyFile(Path("源.flv"), Path("目标.flv")));
  EXPECT_EQ(Slurp(root_ / "目标.flv"), "video\0bytes"s);
  EXPECT_EQ(Slurp(root_ / "源.flv"), "video\0bytes"s);

  EXPECT_FALSE(files::CopyFile(Path("没有.flv"), Path("目标.flv")));
  EXPECT_EQ(Slurp(root_ / "目标.flv"), "video\0bytes"s);
  EXPECT_FALSE(files::CopyFile(Path("源.flv"), Path("没有\\目标.flv")));
  EXPECT_EQ(Names(root_), (std::vector<std::string>{"源.flv", "目标.flv"}));

  EXPECT_TRUE(files::DeleteFile(Path("源.flv")));
  EXPECT_FALSE(files::Exists(Path("源.flv")));
  EXPECT_FALSE(files::DeleteFile(Path("源.flv")));
  ASSERT_TRUE(files::CreateFolder(Path("目录")));
  EXPECT_FALSE(files::DeleteFile(Path("目录")));
  EXPECT_TRUE(files::IsFolder(Path("目录")));
}

TEST_F(FileSystemTest, FindEntriesMatchesWildcards) {
  for (const char* name : {"a.flv", "B.FLV", "c.txt", "noext", "中文.flv", "ab.flv.tmp", "get_video"})
    ASSERT_TRUE(files::WriteFile(Path(name), "x"));
  ASSERT_TRUE(files::CreateFolder(Path("sub.d")));

  struct Case {
    const char* pattern;
    std::vector<std::string> names;  // UTF-8, in GBK byte order
  } cases[] = {
      {"*.flv", {"B.FLV", "a.flv", "中文.flv"}},
      {"*.*", {"B.FLV", "a.flv", "ab.flv.tmp", "c.txt", "get_video", "noext", "sub.d", "中文.flv"}},
      {"*", {"B.FLV", "a.flv", "ab.flv.tmp", "c.txt", "get_video", "noext", "sub.d", "中文.flv"}},
      {"?.txt", {"c.txt"}},
      {"??.flv", {"中文.flv"}},  // '?' is one character, double-byte ones included
      {"?.flv", {"B.FLV", "a.flv"}},
      {"中*", {"中文.flv"}},
      {"noext.*", {"noext"}},
      {"*.FLV*", {"B.FLV", "a.flv", "ab.flv.tmp", "中文.flv"}},
      {"get_*", {"get_video"}},
      {"*.d", {"sub.d"}},
      {"x*", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    std::vector<std::string> names;
    for (const auto& e : files::FindEntries(rootText_, ToGbk(c.pattern))) names.push_back(ToUtf8(e.name));
    EXPECT_EQ(names, c.names);
  }

  auto all = files::FindEntries(rootText_, "*.d");
  ASSERT_EQ(all.size(), 1u);
  EXPECT_TRUE(all[0].isFolder);
  EXPECT_FALSE(files::FindEntries(rootText_, "c.txt").at(0).isFolder);
  EXPECT_TRUE(files::FindEntries(Path("没有"), "*.*").empty());
}

}  // namespace
