// Answers the program never expected: every cut of the blog answers is fed truncated, corrupted
// and random texts. None may crash, read out of bounds or loop, and what they give stays
// consistent with the text they were given.
#include <gtest/gtest.h>

#include <random>

#include "blog/BlogCatalogue.h"
#include "blog/BlogPages.h"
#include "net/ProgramState.h"
#include "tools/SampleAnswers.h"
#include "tools/SampleSpace.h"

namespace {

int Occurrences(const Text& text, const Text& part) {
  int n = 0;
  for (auto at = text.find(part); at != Text::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Every cut of one answer, with the invariants that hold whatever the text.
void CutEverything(const Text& answer) {
  const std::vector<BlogRow> rows = CutBlogRows(answer);
  EXPECT_LE(static_cast<int>(rows.size()), Occurrences(CleanUpSummaries(answer), "<img"));
  for (const BlogRow& row : rows) {
    EXPECT_LE(row.title.size(), answer.size());
    EXPECT_EQ(row.title.find('\0'), Text::npos);
  }
  CutBlogCount(answer);
  const Text body = CutArticleBody(answer);
  EXPECT_FALSE(body.empty());  // a missing marker still gives a text, never nothing
  const std::vector<Text> pictures = PictureAddresses(body);
  EXPECT_LE(static_cast<int>(pictures.size()), Occurrences(body, "<img"));
  BuildBlogPage("t", body);
}

class BadAnswers : public ::testing::Test {
 protected:
  void SetUp() override { CreateProgramState(); }
  void TearDown() override { FreeProgramState(); }
};

TEST_F(BadAnswers, EveryTruncationOfRealAnswers) {
  const sample::Account& account = *sample::FindAccount("20001");
  const Text summaries = sample::BlogSummariesAnswer("20001", 0, 100);
  const Text page = sample::ArticlePage(account, account.articles[3], "http://127.0.0.1:1");
  for (const Text* answer : {&summaries, &page})
    for (std::size_t cut = 0; cut <= answer->size(); cut += 7) CutEverything(answer->substr(0, cut));
}

TEST_F(BadAnswers, CorruptedAndRandomBytes) {
  std::mt19937 random(20131029);
  const sample::Account& account = *sample::FindAccount("20002");
  const Text page = sample::ArticlePage(account, account.articles[0], "http://127.0.0.1:1");
  const Text summaries = sample::BlogSummariesAnswer("20002", 0, 100);
  for (int round = 0; round < 300; ++round) {
    Text corrupted = round % 2 ? page : summaries;
    // Overwrite a few bytes with the characters the cuts care about, lead bytes included.
    static const char kSpecial[] = {'<', '>', '/', '"', '[', ']', '{', '}', ',', ':', '\r',
                                    '\n', '\x81', '\xA1', '\xFF'};
    for (int k = 0; k < 20; ++k)
      corrupted[random() % corrupted.size()] = kSpecial[random() % sizeof kSpecial];
    CutEverything(corrupted);
    Text noise(random() % 4000, '\0');
    for (char& c : noise) c = static_cast<char>(random() % 255 + 1);
    CutEverything(noise);
  }
}

TEST_F(BadAnswers, ManyOpenTagsWithoutEnd) {
  // Tens of thousands of picture tags that never close: the scan gives up without taking the
  // program down and the page is still built.
  Text body = Text(sample::kBodyStartMarker);
  for (int i = 0; i < 30000; ++i) body += "<img src=\"x";
  body += sample::kBodyEndMarker;
  CutEverything(body);
}

}  // namespace
