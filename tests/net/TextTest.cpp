// The text model: byte positions from 1, -1 for not found, searches that step over double-byte
// characters, and the two marker cuts with their arithmetic for missing markers.
#include <gtest/gtest.h>

#include <cctype>

#include "net/Text.h"
#include "platform/Gbk.h"

namespace {

const Text kNotFoundLeft = ToGbk("未找到左边内容");
const Text kNotFoundRight = ToGbk("未找到右边内容");

struct BetweenCase {
  const char* name;
  Text text, left, right, expected;
};

class TextBetweenTable : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTable, Cuts) {
  const auto& c = GetParam();
  EXPECT_EQ(TextBetween(c.text, c.left, c.right), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, TextBetweenTable,
    ::testing::Values(
        BetweenCase{"both markers", "ab<x>cd</x>ef", "<x>", "</x>", "cd"},
        BetweenCase{"key names as markers",
                    ToGbk("<img title:旅行 commentNum:3 cate:生活 cateHex:e7/>"), "title:",
                    "commentNum", ToGbk("旅行 ")},
        BetweenCase{"one-byte left marker absent", "abc", "x", "c", ""},
        BetweenCase{"two-byte left marker absent starts at byte 1", "ab:cd;ef", "zz", ";",
                    "ab:cd"},
        BetweenCase{"right marker absent", "a<x>b", "<x>", "</x>", ""},
        BetweenCase{"right marker right behind the left", "a<x></x>b", "<x>", "</x>", ""},
        BetweenCase{"left marker at the very end", "abc<x>", "<x>", "</x>", ""},
        BetweenCase{"right equal to left", "a;b;c", ";", ";", "b"},
        BetweenCase{"line break kept", "<x>a\r\nb</x>", "<x>", "</x>", "a\r\nb"},
        BetweenCase{"empty text", "", "<x>", "</x>", ""}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

struct CheckedCase {
  Text text, left, right, expected;
  int found;
};

TEST(TextBetweenChecked, WorkedExamplesAndEdges) {
  const CheckedCase cases[] = {
      {"n:57,flag:1", "n:", ",flag", "57", 1},
      {"a=1", "b=", ";", kNotFoundLeft, 0},
      {"a=1", "a=", ";", kNotFoundRight, 0},
      {";a=1;", "a=", ";", "", 1},       // the first ; stands before the value
      {"x;abc<x>", "<x>", ";", "", 1},   // left marker at the very end, right marker elsewhere
      {"{\"totalNum\":57,\n\"hostFlag\"", "{\"totalNum\":", ",\n\"hostFlag\"", "57", 1},
  };
  for (const auto& c : cases) {
    int found = -7;
    EXPECT_EQ(TextBetweenChecked(c.text, c.left, c.right, found), c.expected) << c.text;
    EXPECT_EQ(found, c.found) << c.text;
  }
}

TEST(FindText, StepsOverDoubleByteCharacters) {
  // 81 5B is one character whose trail byte is '['; only the real '[' counts.
  EXPECT_EQ(FindText("\x81[[", "["), 3);
  EXPECT_EQ(FindText(ToGbk("春[游"), "["), 3);
  EXPECT_EQ(FindText("abcabc", "c", 4), 6);
  EXPECT_EQ(FindText("abc", "c", 0), 3);   // a start below 1 counts as 1
  EXPECT_EQ(FindText("abc", "a", 4), -1);  // beyond the length
  EXPECT_EQ(FindText("abc", "x"), -1);
  EXPECT_EQ(FindText("abc", ""), 1);
  EXPECT_EQ(FindText("", ""), -1);
  EXPECT_EQ(FindText("ab", "abc"), -1);
  // A start inside a double-byte character does not make its trail byte a boundary.
  EXPECT_EQ(FindText("\x81[x[", "[", 2), 4);
}

TEST(PlainOperations, LeftRightMid) {
  EXPECT_EQ(LeftText("abc", 2), "ab");
  EXPECT_EQ(LeftText("abc", 9), "abc");
  EXPECT_EQ(LeftText("abc", 0), "");
  EXPECT_EQ(LeftText("abc", -1), "");
  EXPECT_EQ(RightText("abc", 2), "bc");
  EXPECT_EQ(RightText("abc", 5), "abc");
  EXPECT_EQ(RightText("abc", 0), "");
  EXPECT_EQ(MidText("abcdef", 2, 3), "bcd");
  EXPECT_EQ(MidText("abcdef", 5, 10), "ef");
  EXPECT_EQ(MidText("abc", 0, 2), "");
  EXPECT_EQ(MidText("abc", 4, 1), "");
  EXPECT_EQ(MidText("abc", 1, 0), "");
  // Byte counts may cut a double-byte character in two.
  EXPECT_EQ(LeftText(ToGbk("春"), 1), "\xB4");
}

TEST(PlainOperations, ReplaceAll) {
  struct Case {
    Text t, s, r, expected;
  } cases[] = {
      {"aaa", "aa", "x", "xa"},
      {"", "a", "x", ""},
      {"abc", "", "x", "abc"},
      {"a,b,,c", ",", "", "abc"},
      {"{a}{b}", "{", "<img ", "<img a}<img b}"},
      {"\x81[[", "[", "(", "\x81[("},  // the trail byte 5B is not an occurrence
      {"abab", "ab", "abab", "abababab"},  // a replacement is not scanned again
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceAll(c.t, c.s, c.r), c.expected) << c.t;
}

TEST(PlainOperations, SpacesAndTrim) {
  const Text full = ToGbk("　");  // A1 A1
  ASSERT_EQ(full, "\xA1\xA1");
  EXPECT_EQ(RemoveSpaces("1 2" + full + "3"), "123");
  EXPECT_EQ(RemoveSpaces("a\tb"), "a\tb");  // other white space stays
  EXPECT_EQ(RemoveSpaces(full + " "), "");
  // A1 A1 across two characters is not a full-width space: B0 A1 | A1 B0.
  EXPECT_EQ(RemoveSpaces("\xB0\xA1\xA1\xB0"), "\xB0\xA1\xA1\xB0");
  EXPECT_EQ(TrimSpaces("  " + full + "12 345" + full + " "), "12 345");
  EXPECT_EQ(TrimSpaces(full + full), "");
  EXPECT_EQ(TrimSpaces(""), "");
  EXPECT_EQ(TrimSpaces("\xB0\xA1 "), "\xB0\xA1");
}

TEST(PlainOperations, DropLastCharAndTextFromBytes) {
  EXPECT_EQ(DropLastChar(ToGbk("旅行 ")), ToGbk("旅行"));
  EXPECT_EQ(DropLastChar("a"), "");
  EXPECT_EQ(DropLastChar(""), "");
  EXPECT_EQ(DropLastChar(ToGbk("旅")), "\xC2");  // the last byte goes, even a trail byte
  EXPECT_EQ(TextFromBytes(std::string_view("GIF\0rest", 8)), "GIF");
  EXPECT_EQ(TextFromBytes(""), "");
}

}  // namespace
