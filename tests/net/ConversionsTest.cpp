// Number and text conversions.
#include <gtest/gtest.h>

#include "net/Conversions.h"
#include "platform/Gbk.h"

TEST(Conversions, TextToInteger) {
  struct Case {
    Text text;
    long long expected;
  } cases[] = {
      {"57", 57},
      {"  42abc", 42},
      {"abc", 0},
      {"", 0},
      {"-12", -12},
      {"+7", 7},
      {"\t\r\n 9", 9},
      {ToGbk("１２"), 12},            // full-width digits
      {ToGbk("　３"), 3},             // full-width space, then a full-width digit
      {ToGbk("－５"), -5},            // full-width minus
      {ToGbk("未找到左边内容"), 0},
      {"12 34", 12},
      {"99999999999999999999", 9223372036854775807LL},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text), c.expected) << c.text;
}

TEST(Conversions, NumberToTextRealToIntegerJoin) {
  EXPECT_EQ(NumberToText(0), "0");
  EXPECT_EQ(NumberToText(57), "57");
  EXPECT_EQ(NumberToText(-15), "-15");
  EXPECT_EQ(RealToInteger(2.9), 2);
  EXPECT_EQ(RealToInteger(-2.9), -2);
  EXPECT_EQ(JoinTexts({"a", "", "bc"}), "abc");
  EXPECT_EQ(JoinTexts({}), "");
}
