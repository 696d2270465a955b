#pragma once
// The blog catalogue taken apart without windows: the two summary requests, the count cut, the
// clean-up that turns every article object into one pseudo-tag, and the rows cut from those tags.
// The handlers (ListBlogs, FillBlogList in blog/BlogHandlers.h) put the rows into the blog list.

#include <vector>

#include "net/Text.h"

// Path and query of the request that only learns the number of articles (num=1).
Text CountRequestPath(const Text& qq);
// Path and query of the request for `count` summaries. qq is used exactly as given: nothing is
// trimmed or escaped.
Text ListRequestPath(const Text& qq, long long count);

// The number between "{\"totalNum\":" and ",\n\"hostFlag\"" of the count answer; 0 when a marker
// is missing or the text there is no number.
long long CutBlogCount(const Text& answer);

// The text between the first "[" and the first "]" of the list answer (empty when either is
// missing or "]" comes first).
Text CutListPart(const Text& answer);
// The list part after the replacements, in their order: '"' and "\r\n" and "," removed, "{" to
// "<img " and "}" to "/>\r\n", so that every article object becomes one "<img ... />" tag.
Text CleanUpSummaries(const Text& answer);

struct BlogRow {
  Text number;    // "1" for the first article
  Text title;     // without its last byte
  Text category;  // without its last byte
  Text pubTime;   // as cut, separator byte included
  Text blogId;    // as cut, separator byte included
};

// The rows of a list answer, in answer order. Works through the program's ParseBuffer, Pattern
// and MatchList (CreateProgramState must have run), which keep the flattened text and its
// matches afterwards. User-interface thread only.
std::vector<BlogRow> CutBlogRows(const Text& answer);

// The two closing messages, as GBK texts.
Text BlogCountMessage(long long n);  // "该QQ总共有日志 57 篇"
Text NoBlogMessage();
Text EnterQqMessage();                // "请输入QQ号码！"
