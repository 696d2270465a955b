#pragma once
// The answer texts of the sample space, built from the account model. Internal to the sample
// space; the server picks the builder by path and passes the query values.

#include <string>
#include <string_view>

#include "net/Text.h"
#include "tools/SampleSpace.h"

namespace sample {

// get_abs: totalNum is always the account's full count, the list holds num summaries from pos.
Text BlogSummariesAnswer(std::string_view qq, long pos, long num);
// blog_output_data: the article page, or a page without any marker for an unknown article.
Text ArticleAnswer(std::string_view qq, std::string_view blogId, const std::string& baseUrl);
// blog_output_titlelist: at most kTitlesPerPage entries from `from`.
Text TitleListAnswer(std::string_view qq, long from, long num);
// fcg_list_album and fcg_list_photo.
Text AlbumListAnswer(std::string_view qq, const std::string& baseUrl);
Text PhotoListAnswer(std::string_view qq, std::string_view albumId, const std::string& baseUrl);
// cgi_get_portrait.fcg for the uins value as received.
Text PortraitAnswer(std::string_view uins, const std::string& baseUrl);

// The media type of the bytes served at a file path.
std::string FileContentType(std::string_view bytes);

}  // namespace sample
