#pragma once
// The sample space: a small HTTP server on 127.0.0.1 that answers the requests the program makes
// of the QQ Zone web services, in GBK, for a fixed set of generated accounts. Tests start it
// in-process, the demo and the benchmarks run it as the qzone-sample-space process.
//
// The accounts are a public data model, so a test can work out what the program should produce.
// Texts in the model are GBK exactly as they appear in the answers. File addresses are kept as
// paths ("/pic/20001/2001001_0.jpg"); the answers write them as absolute addresses on the
// running server (SampleSpace::Url).

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/Text.h"

namespace sample {

// What a request whose path and query start with a registered prefix gets instead of its answer.
enum class Fault {
  None,
  NotFound404,     // status 404 with a small HTML page
  CutMidBody,      // the full Content-Length is announced, half the body is sent, then the cut
  Stall,           // nothing is sent until Stop() (or 120 s)
  ZeroByteInText,  // the normal answer with one zero byte in its middle
  Huge,            // a chunked answer of 1 GiB, streamed without being held in memory
};

struct SampleOptions {
  int latencyMs = 0;        // added before every answer
  long bytesPerSecond = 0;  // each answer's body is paced to this rate; 0 = unlimited
};

struct Photo {
  Text name;         // <name>
  std::string path;  // <origin_url> is Url(path)
  Text uploadTime;   // <uploadtime>
};

struct Album {
  Text id;            // <id>, also the albumid of the photo-list request
  Text name;          // <name>; two albums of an account may share it
  std::string cover;  // <pre> is Url(cover)
  std::vector<Photo> photos;  // <total> is their number
};

struct Article {
  Text blogId;    // digits, the blogid of the article request
  Text title;     // as written in the summaries (the catalogue's clean-up still applies)
  Text category;  // cate
  Text pubTime;   // "2013-04-01 10:20"
  int commentNum = 0;
  std::vector<std::string> pictures;  // picture paths in body order, duplicates kept
  std::vector<std::string> videos;    // video paths in player order; the page writes Url(path)
};

struct Account {
  std::string qq;
  Text nickname;        // what the portrait answer yields through the nickname cut
  bool closed = false;  // every listing answers without entries
  std::vector<Article> articles;
  std::vector<Album> albums;
};

// The generated accounts (the same on every run) and one of them by QQ number. A number that is
// not among them (or has blanks around it) gives nullptr and is answered like a closed space.
const std::vector<Account>& Accounts();
const Account* FindAccount(std::string_view qq);

// Markers of the article page; each ends with a carriage return and no line feed.
inline constexpr std::string_view kBodyStartMarker =
    "<td valign=\"top\" style=\"word-wrap:break-word\">\r";
inline constexpr std::string_view kBodyEndMarker =
    "<img id=\"paperPicArea1\" style=\"position:relative;display:none;top:auto;\" "
    "src=\"/ac/b.gif\" />\r";
inline constexpr std::string_view kWrapperStartMarker =
    "<div id=\"blogContainer\" style=\"position:relative; overflow:hidden; height:100%;\" >\r";
inline constexpr std::string_view kWrapperEndMarker =
    "<div id=\"blogDetailDiv\" style=\"font-size:14px;\">\r";
// The title list holds at most this many entries per page.
inline constexpr int kTitlesPerPage = 15;

// The article page as served, with baseUrl ("http://127.0.0.1:PORT") in its addresses.
Text ArticlePage(const Account& account, const Article& article, const std::string& baseUrl);
// Exactly the text between the body start marker and the body end marker of that page. The
// wrapper markers lie inside it, with ArticleWrapper() between them.
Text ArticleBody(const Account& account, const Article& article, const std::string& baseUrl);
// The text between the wrapper start and end markers (the same for every article, never empty).
Text ArticleWrapper();
// The title as the title list writes it: a double quote of the title appears as &quot;.
Text TitleListTitle(const Article& article);

// The bytes served at a file path (picture, photo, video, portrait), nothing for any other
// path. Pictures and photos are small valid JPEG, GIF or PNG images that carry their own path
// in a comment, so every file differs from every other; videos start with "FLV".
std::optional<Bytes> FileBytes(std::string_view path);

class SampleSpace {
 public:
  explicit SampleSpace(SampleOptions options = {});
  ~SampleSpace();  // stops the server
  SampleSpace(const SampleSpace&) = delete;
  SampleSpace& operator=(const SampleSpace&) = delete;

  // Binds 127.0.0.1:port (0 picks a free port), serves on a thread of its own and returns the
  // port once connections are accepted; -1 when the port cannot be bound or it already runs.
  // 48 requests are worked on at once; more wait their turn (a stalled one holds its place).
  int Start(int port = 0);
  // Ends stalled and streaming answers, then the server; returns when it is down. Idempotent.
  void Stop();

  int Port() const;             // 0 before Start
  std::string BaseUrl() const;  // "http://127.0.0.1:PORT"
  std::string Url(std::string_view path) const;  // BaseUrl() + path

  // Every request received, in arrival order: the path, plus "?" and the query when there is
  // one, exactly as received ("/cgi-bin/blognew/get_abs?hostUin=20001&blogType=0&...").
  std::vector<std::string> RequestLog() const;
  void ClearLog();
  // The number of logged requests whose path and query start with prefix.
  std::size_t CountRequests(std::string_view pathPrefix) const;

  // Faults by prefix of path and query; where several prefixes match, the longest wins.
  // Fault::None removes a prefix. Thread-safe, effective for the next request.
  void SetFault(std::string pathAndQueryPrefix, Fault f);
  void ClearFaults();
  void SetLatencyMs(int ms);
  void SetBytesPerSecond(long bytesPerSecond);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace sample
