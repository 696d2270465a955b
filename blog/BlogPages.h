#pragma once
// The text side of the blog download: the article request, the cuts of the answer, the saved page,
// the index page and its links, the pictures' local names and the rewrite of a page to them.
// Pure functions over GBK texts; no widget, no file, no network.

#include <string_view>
#include <utility>
#include <vector>

#include "net/Text.h"

#include "platform/ProgramAddress.h"  // kProgramAddress, linked from the foot of every page

// Markers of the article answer; each ends with a carriage return and no line feed.
inline constexpr std::string_view kBlogBodyStart =
    "<td valign=\"top\" style=\"word-wrap:break-word\">\r";
inline constexpr std::string_view kBlogBodyEnd =
    "<img id=\"paperPicArea1\" style=\"position:relative;display:none;top:auto;\" "
    "src=\"/ac/b.gif\" />\r";
inline constexpr std::string_view kBlogWrapperStart =
    "<div id=\"blogContainer\" style=\"position:relative; overflow:hidden; height:100%;\" >\r";
inline constexpr std::string_view kBlogWrapperEnd =
    "<div id=\"blogDetailDiv\" style=\"font-size:14px;\">\r";

// The picture tags of an article body.
inline constexpr std::string_view kPictureTagPattern = "<img(.*?)/>";
// The blog service expects this token with every article request; it is the same for all accounts.
inline constexpr std::string_view kBlogToken = "386042917";

// Templates, as GBK texts.
const Text& BlogPageHead();
const Text& BlogPageTail();
const Text& BlogIndexHead();
const Text& BlogIndexTail();

// blogHost + "/cgi-bin/blognew/blog_output_data?uin=" + qq + "&blogid=" + blogId + "&g_tk=" + token.
Text BlogArticleAddress(const Text& blogHost, const Text& qq, const Text& blogId);

// The article body of an answer: cut between the body markers, with every occurrence of the text
// between the wrapper markers replaced by one blank. Missing markers give the checked cut's texts
// ("未找到左边内容" / "未找到右边内容"); a failed fetch (empty answer) gives a single blank.
Text CutArticleBody(std::string_view answer);

// The address of one picture tag (a match of kPictureTagPattern): after its first src=" up to
// the next double quote.
Text PictureAddressOfTag(std::string_view tag);
// Every picture tag's address in a body, in order, duplicates kept.
std::vector<Text> PictureAddresses(std::string_view body);

// BlogPageHead + title + "</div>" + body + "<p><p><p>" + BlogPageTail.
Text BuildBlogPage(const Text& title, const Text& body);

// title + number + ".html": the page's file name in its category folder, blanks kept.
Text BlogPageFileName(const Text& title, const Text& number);

// One path part of an index link: a character a URL or the unquoted HTML attribute treats
// specially becomes %XX (blank, quotes, '#', '%', '?', '&', '/', '\', ':', '<', '>', the
// brackets and braces, control bytes). Double-byte characters stay as they are, trail bytes
// included.
Text EscapeLinkPart(std::string_view part);
// A file's place below the account folder: category + "\" + name, or the bare name for an
// article without category (whose page then lies in the account folder itself).
Text InCategory(const Text& category, const Text& name);

// category + "/" + title + number + ".html", each part escaped: reaches the page written by the
// page pass from the folder of 目录.html.
Text BlogIndexLink(const Text& category, const Text& title, const Text& number);
// One row of 目录.html, ending with CR LF.
Text BlogIndexRow(const Text& number, const Text& title, const Text& category,
                  const Text& pubTime);
// BlogIndexHead + rows + BlogIndexTail.
Text BuildBlogIndex(const Text& rows);

// "GIF" when the data starts with the bytes of GIF, otherwise "jpg".
std::string_view PictureExtension(std::string_view firstBytes);
// title + index + "." + extension, e.g. 春游记0.GIF.
Text PictureLocalName(const Text& title, int index, std::string_view extension);

// One picture of a page: its address in the page and the local name it is saved under.
struct PictureRewrite {
  Text address;
  Text localName;
};
// Applies the rewrites in order, each replacing every occurrence of its address in one
// left-to-right pass; an empty address changes nothing.
Text RewritePictureAddresses(std::string_view page, const std::vector<PictureRewrite>& rewrites);
