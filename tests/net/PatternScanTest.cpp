// Pattern scanning over the shared parse buffer: lazy matches across line breaks, matches that
// never overlap, and an engine that gives up without taking the program down.
#include <gtest/gtest.h>

#include "net/PatternScan.h"
#include "net/ProgramState.h"
#include "platform/Gbk.h"

namespace {

class ScanMatchesTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateProgramState(); }
  void TearDown() override { FreeProgramState(); }

  std::vector<Text> Scan(const Text& buffer, const char* pattern) {
    Program().ParseBuffer = buffer;
    const int n = ScanMatches(pattern);
    std::vector<Text> texts;
    for (int i = 0; i < n; ++i) texts.push_back(MatchText(i));
    return texts;
  }
};

TEST_F(ScanMatchesTest, WorkedExamples) {
  EXPECT_EQ(Scan("<img a/>\r\n<img b/>\r\n", "<img(.*?)>"),
            (std::vector<Text>{"<img a/>", "<img b/>"}));
  EXPECT_EQ(Scan("<pic>p\r\n<uploadtime>t</uploadtime> <pic>q", "<pic>(.*?)</uploadtime>"),
            (std::vector<Text>{"<pic>p\r\n<uploadtime>t</uploadtime>"}));
}

TEST_F(ScanMatchesTest, EdgeCases) {
  // An opening literal inside another match is not matched on its own.
  EXPECT_EQ(Scan("<img a<img b>", "<img(.*?)>"), (std::vector<Text>{"<img a<img b>"}));
  // A tag closed by a plain '>' runs on to the next "/>".
  EXPECT_EQ(Scan("<img src=\"a\">x\n<img src=\"b\"/>", "<img(.*?)/>"),
            (std::vector<Text>{"<img src=\"a\">x\n<img src=\"b\"/>"}));
  // Capitals are not lower case.
  EXPECT_TRUE(Scan("<IMG src=x/>", "<img(.*?)/>").empty());
  EXPECT_TRUE(Scan("", "<img(.*?)>").empty());
  // Double-byte characters in the pattern are matched as their bytes.
  const Text page = ToGbk("false;一<span>甲</span><!-- 右边功能选项 -->false;二<!-- 右边功能选项 -->");
  EXPECT_EQ(Scan(page, ToGbk("false;(.*?)<!-- 右边功能选项 -->").c_str()).size(), 2u);
}

TEST_F(ScanMatchesTest, ReplacesTheOldMatchList) {
  EXPECT_EQ(Scan("<id>1</total><id>2</total>", "<id>(.*?)</total>").size(), 2u);
  EXPECT_EQ(Scan("nothing", "<id>(.*?)</total>").size(), 0u);
  EXPECT_TRUE(Program().MatchList.empty());
  EXPECT_EQ(MatchText(0), "");
}

TEST_F(ScanMatchesTest, InvalidPatternGivesNoMatch) {
  EXPECT_TRUE(Scan("abc", "(unclosed").empty());
}

TEST(FindAllMatches, TooComplexForTheEngineKeepsWhatWasFound) {
  // Tens of thousands of "<img" without a closing '>' behind the first good match.
  Text text = "<img ok>";
  for (int i = 0; i < 40000; ++i) text += "<img xxxxxxxx ";
  const auto found = FindAllMatches(text, "<img(.*?)>");
  ASSERT_GE(found.size(), 1u);
  EXPECT_EQ(found[0].start, 0);
  EXPECT_EQ(found[0].length, 8);
}

}  // namespace
