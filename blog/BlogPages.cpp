#include "blog/BlogPages.h"

#include "net/Conversions.h"
#include "net/PatternScan.h"
#include "platform/Gbk.h"

namespace {

// The two heads are fixed texts that saved pages have always carried; the tails close what the
// heads open and link to the program's home page.
constexpr char kPageHeadUtf8[] =
    "<HTML><HEAD><meta http-equiv='Content-Type' content='text/html; charset=gb2312'>\r\n"
    "<LINK href=\"doda.css\" type=text/css rel=stylesheet>\r\n"
    "<BODY id=bkk bgColor=#FFFFFF leftMargin=5 topMargin=0>\r\n"
    "<TABLE cellSpacing=0 cellPadding=0 width=\"95%\" align=center border=0 valign=\"top\">\r\n"
    " <TBODY>\r\n"
    "  <TR>\r\n"
    "    <TD class=zt style=\"PADDING-TOP: 15px; BORDER-BOTTOM: black 1px solid\" align=right>『<A href=\"index.html\">返回目录</A>』</TD>\r\n"
    "  </TR>\r\n"
    " </TBODY>\r\n"
    "</TABLE>\r\n"
    "<BR>\r\n"
    "<TABLE cellSpacing=0 cellPadding=0 width=\"95%\" align=center border=0 valign=\"top\">\r\n"
    "  <TBODY>\r\n"
    "  <TR>\r\n"
    "    <TD align=middle><BR>\r\n"
    "      <DIV id=content align=left><div style=\"font-size:24px; margin:50px;\" >";

constexpr char kIndexHeadUtf8[] =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" \""
    "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd"
    "\">\r\n"
    "<html xmlns=\""
    "http://www.w3.org/1999/xhtml"
    "\">\r\n"
    "<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n"
    "<title>日志列表</title>\r\n"
    "<style type=\"text/css\">\r\n"
    "<!--\r\n"
    "a:link {\r\n"
    "\ttext-decoration: none;\r\n"
    "}\r\n"
    "a:visited {\r\n"
    "\ttext-decoration: none;\r\n"
    "}\r\n"
    "a:hover {\r\n"
    "\ttext-decoration: none;\r\n"
    "}\r\n"
    "a:active {\r\n"
    "\ttext-decoration: none;\r\n"
    "}\r\n"
    "body,td,th {\r\n"
    "\tfont-size: 14px;\r\n"
    "\tmargin: 10px auto;\r\n"
    "}\r\n"
    "-->\r\n"
    "</style></head>\r\n"
    "<body  bgColor=#ffffff leftMargin=5 topMargin=0>\r\n"
    "<div align=\"center\" style=\"width:80%; margin:5px auto; text-align:center; font-size:16px; background-color:#FFFFCC; line-height:30px\"><strong>日志列表</strong></div>\r\n"
    "<table width=\"80%\" border=\"1\" bordercolordark=#F0fFFF cellspacing=0 bordercolor=#d6d6d6 align=\"center\">";

Text PageTailUtf8() {
  return Text(
             "</DIV></TD></TR>\r\n"
             "  </TBODY>\r\n"
             "</TABLE>\r\n"
             "<TABLE cellSpacing=0 cellPadding=0 width=\"95%\" align=center border=0> \r\n"
             "  <TBODY>\r\n"
             "  <TR>\r\n"
             "    <TD style=\"PADDING-TOP: 15px; BORDER-TOP: black 1px solid\" align=center>"
             "<A href=\"") +
         kProgramAddress +
         "\" target=\"_blank\">砚溪QQ空间下载器 </a></TD>\r\n"
         "  </TR>\r\n"
         "  </TBODY>\r\n"
         "</TABLE>\r\n"
         "</BODY></HTML>\r\n";
}

Text IndexTailUtf8() {
  return Text(
             "</table>\r\n"
             "<div align=\"center\" style=\"width:80%; margin:5px auto; text-align:center; "
             "line-height:30px\"><a href=\"") +
         kProgramAddress +
         "\" target=\"_blank\">砚溪QQ空间下载器 </a></div>\r\n"
         "</body>\r\n"
         "</html>\r\n";
}

bool EscapedInLink(unsigned char c) {
  if (c < 0x20 || c == 0x7F) return true;
  switch (c) {
    case ' ': case '"': case '#': case '%': case '&': case '\'': case '/': case ':': case '<':
    case '>': case '?': case '\\': case '[': case ']': case '^': case '`': case '{': case '|':
    case '}':
      return true;
    default:
      return false;
  }
}

}  // namespace

const Text& BlogPageHead() {
  static const Text head = ToGbk(kPageHeadUtf8);
  return head;
}

const Text& BlogPageTail() {
  static const Text tail = ToGbk(PageTailUtf8());
  return tail;
}

const Text& BlogIndexHead() {
  static const Text head = ToGbk(kIndexHeadUtf8);
  return head;
}

const Text& BlogIndexTail() {
  static const Text tail = ToGbk(IndexTailUtf8());
  return tail;
}

Text BlogArticleAddress(const Text& blogHost, const Text& qq, const Text& blogId) {
  return JoinTexts({blogHost, "/cgi-bin/blognew/blog_output_data?uin=", qq, "&blogid=", blogId,
                    "&g_tk=", kBlogToken});
}

Text CutArticleBody(std::string_view answer) {
  Text body = TextBetweenChecked(answer, kBlogBodyStart, kBlogBodyEnd);
  Text wrapper = TextBetweenChecked(answer, kBlogWrapperStart, kBlogWrapperEnd);
  return ReplaceAll(body, wrapper, " ");
}

Text PictureAddressOfTag(std::string_view tag) {
  return TextBetween(tag, "src=\"", "\"");
}

std::vector<Text> PictureAddresses(std::string_view body) {
  std::vector<Text> addresses;
  for (const MatchResult& m : FindAllMatches(body, kPictureTagPattern))
    addresses.push_back(PictureAddressOfTag(body.substr(m.start, m.length)));
  return addresses;
}

Text BuildBlogPage(const Text& title, const Text& body) {
  return JoinTexts({BlogPageHead(), title, "</div>", body, "<p><p><p>", BlogPageTail()});
}

Text BlogPageFileName(const Text& title, const Text& number) {
  return JoinTexts({title, number, ".html"});
}

Text EscapeLinkPart(std::string_view part) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text out;
  out.reserve(part.size());
  for (std::size_t i = 0; i < part.size(); ++i) {
    const auto c = static_cast<unsigned char>(part[i]);
    if (c >= 0x80) {
      // A double-byte character goes whole: its trail byte may look like '\' or '|'.
      out += part[i];
      if (i + 1 < part.size()) out += part[++i];
    } else if (EscapedInLink(c)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += part[i];
    }
  }
  return out;
}

Text InCategory(const Text& category, const Text& name) {
  return category.empty() ? name : JoinTexts({category, "\\", name});
}

Text BlogIndexLink(const Text& category, const Text& title, const Text& number) {
  const Text file = EscapeLinkPart(BlogPageFileName(title, number));
  return category.empty() ? file : JoinTexts({EscapeLinkPart(category), "/", file});
}

Text BlogIndexRow(const Text& number, const Text& title, const Text& category,
                  const Text& pubTime) {
  return JoinTexts({"<tr><td width=5%>", number, "</td><td ><A target=\"_blank\" href=\"",
                    BlogIndexLink(category, title, number), "\">", title,
                    "</a></td><td width=25%>", category, "</td><td width=25%>", pubTime,
                    "</td></tr>\r\n"});
}

Text BuildBlogIndex(const Text& rows) {
  return JoinTexts({BlogIndexHead(), rows, BlogIndexTail()});
}

std::string_view PictureExtension(std::string_view firstBytes) {
  return firstBytes.substr(0, 3) == "GIF" ? "GIF" : "jpg";
}

Text PictureLocalName(const Text& title, int index, std::string_view extension) {
  return JoinTexts({title, NumberToText(index), ".", extension});
}

Text RewritePictureAddresses(std::string_view page, const std::vector<PictureRewrite>& rewrites) {
  Text text(page);
  for (const PictureRewrite& r : rewrites) {
    if (r.address.empty()) continue;
    text = ReplaceAll(text, r.address, r.localName);
  }
  return text;
}
