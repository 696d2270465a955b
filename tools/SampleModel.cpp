// The generated accounts of the sample space, the files they point at and the texts of the
// answers. Everything here is a pure function of the account number, so every run serves the
// same bytes and a test can recompute any answer from the model.

#include <cctype>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/Gbk.h"
#include "tools/SampleAnswers.h"
#include "tools/SampleSpace.h"

namespace sample {
namespace {

enum class FileKind { Jpeg, Gif, Png, Video };

struct Catalogue {
  std::vector<Account> accounts;
  std::unordered_map<std::string, FileKind> files;
};

std::string Number(long long n) { return std::to_string(n); }

// Day `day` (from 0) of 2013, plus a time of day, as the blog service writes publish times.
Text PublishTime(int day, int minuteOfDay) {
  static const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  day %= 365;
  int month = 0;
  while (day >= kMonthDays[month]) day -= kMonthDays[month++];
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "2013-%02d-%02d %02d:%02d", month + 1, day + 1,
                (minuteOfDay / 60) % 24, minuteOfDay % 60);
  return buffer;
}

Text UploadTime(int n) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "2013-%02d-%02d %02d:%02d:%02d", 1 + n % 12, 1 + n % 28,
                (8 + n) % 24, (n * 7) % 60, (n * 13) % 60);
  return buffer;
}

const char* Extension(FileKind kind) {
  switch (kind) {
    case FileKind::Gif: return "gif";
    case FileKind::Png: return "png";
    case FileKind::Video: return "flv";
    case FileKind::Jpeg: break;
  }
  return "jpg";
}

// Builds one account; adds every file path it refers to.
class AccountBuilder {
 public:
  AccountBuilder(Catalogue& catalogue, std::string qq, const char* nicknameUtf8)
      : catalogue_(catalogue) {
    account_.qq = std::move(qq);
    account_.nickname = ToGbk(nicknameUtf8);
    catalogue_.files["/portrait/" + account_.qq + ".jpg"] = FileKind::Jpeg;
  }

  Article& AddArticle(const Text& title, const Text& category, const Text& pubTime) {
    Article article;
    article.blogId = account_.qq + Number(1000 + account_.articles.size() + 1).substr(1);
    article.title = title;
    article.category = category;
    article.pubTime = pubTime;
    article.commentNum = static_cast<int>(account_.articles.size() % 5);
    account_.articles.push_back(std::move(article));
    return account_.articles.back();
  }

  // A new picture of the last article, served as `kind` under a name ending in `extension`.
  std::string AddPicture(FileKind kind, const char* extension = nullptr) {
    Article& article = account_.articles.back();
    std::string path = "/pic/" + account_.qq + "/" + article.blogId + "_" +
                       Number(article.pictures.size()) + "." +
                       (extension ? extension : Extension(kind));
    catalogue_.files[path] = kind;
    article.pictures.push_back(path);
    return path;
  }
  // A picture that is already served (same address again, in this or another article).
  void ReusePicture(const std::string& path) { account_.articles.back().pictures.push_back(path); }

  void AddVideo() {
    Article& article = account_.articles.back();
    std::string path = "/video/" + account_.qq + "/" + article.blogId + "_" +
                       Number(article.videos.size()) + ".flv";
    catalogue_.files[path] = FileKind::Video;
    article.videos.push_back(path);
  }

  Album& AddAlbum(const Text& name) {
    Album album;
    album.id = "V1" + account_.qq + Number(10 + account_.albums.size() + 1);
    album.name = name;
    album.cover = "/photo/" + account_.qq + "/" + album.id + "/cover.jpg";
    catalogue_.files[album.cover] = FileKind::Jpeg;
    account_.albums.push_back(std::move(album));
    return account_.albums.back();
  }

  void AddPhoto(const Text& name) {
    Album& album = account_.albums.back();
    Photo photo;
    photo.name = name;
    photo.path = "/photo/" + account_.qq + "/" + album.id + "/" + Number(album.photos.size() + 1) +
                 ".jpg";
    photo.uploadTime = UploadTime(static_cast<int>(album.photos.size()) + 3 * account_.albums.size());
    catalogue_.files[photo.path] = FileKind::Jpeg;
    album.photos.push_back(std::move(photo));
  }

  void Close() { account_.closed = true; }
  void Finish() { catalogue_.accounts.push_back(std::move(account_)); }

 private:
  Catalogue& catalogue_;
  Account account_;
};

Text G(const char* utf8) { return ToGbk(utf8); }

void AddTypicalAccount(Catalogue& c) {
  AccountBuilder b(c, "20001", "小明");
  const Text life = G("生活"), essay = G("随笔"), travel = G("旅行"), diary = G("个人日记");

  b.AddArticle(G("春游"), life, "2013-04-01 10:20");
  std::string shared = b.AddPicture(FileKind::Jpeg);
  b.AddPicture(FileKind::Gif);

  b.AddArticle(G("读书笔记"), essay, "2013-04-15 21:05");

  b.AddArticle(G("海边的一天"), travel, "2013-05-02 08:00");
  b.AddPicture(FileKind::Jpeg);
  b.AddPicture(FileKind::Png);
  b.AddPicture(FileKind::Jpeg);
  b.AddVideo();

  b.AddArticle(G("同一张图"), life, "2013-05-20 19:30");
  std::string twice = b.AddPicture(FileKind::Jpeg);
  b.ReusePicture(twice);

  // The address does not tell the type: a GIF and a PNG both named .jpg.
  b.AddArticle(G("动图与截图"), essay, "2013-06-08 12:00");
  b.AddPicture(FileKind::Gif, "jpg");
  b.AddPicture(FileKind::Png, "jpg");

  b.AddArticle(G("山里的夏天"), travel, "2013-07-14 16:45");
  b.AddPicture(FileKind::Jpeg);
  b.AddPicture(FileKind::Gif);
  b.AddPicture(FileKind::Jpeg);
  b.AddPicture(FileKind::Jpeg);
  b.AddVideo();
  b.AddVideo();

  b.AddArticle(G("无题"), diary, "2013-08-30 23:59");
  b.AddVideo();

  // The first article's first picture again, in another article.
  b.AddArticle(G("年终总结"), life, "2013-12-31 22:10");
  b.ReusePicture(shared);
  b.AddPicture(FileKind::Jpeg);

  b.AddAlbum(G("旅行"));
  for (const char* name : {"IMG_0001", "IMG_0002", "IMG_0003", "IMG_0004"}) b.AddPhoto(name);
  b.AddAlbum(G("家人"));
  b.AddPhoto(G("全家福"));
  b.AddPhoto(G("生日 聚会"));
  b.AddPhoto("IMG_0001");
  // Same name as the first album, and photo names that collide with its photos.
  b.AddAlbum(G("旅行"));
  b.AddPhoto("IMG_0001");
  b.AddPhoto("IMG_0002");
  b.AddAlbum(G("空相册"));
  b.Finish();
}

void AddTrickyAccount(Catalogue& c) {
  AccountBuilder b(c, "20002", "奇怪 的名字");
  const Text misc = G("杂项");
  int day = 40;
  auto next = [&] {
    day += 3;
    return PublishTime(day, 9 * 60 + day);
  };

  b.AddArticle(G("春 游 记"), G("我的 分类"), next());
  b.AddPicture(FileKind::Jpeg);
  b.AddVideo();
  b.AddArticle(G("全角　空格"), misc, next());
  b.AddVideo();
  b.AddArticle(G("逗号,标题"), misc, next());
  b.AddArticle(G("引号\"标题\""), misc, next());
  b.AddArticle(G("井号#问号?百分%和&"), misc, next());
  b.AddPicture(FileKind::Gif);
  b.AddArticle(G("大于>号"), misc, next());
  b.AddArticle(G("..\\..\\x"), misc, next());
  b.AddPicture(FileKind::Jpeg);
  b.AddArticle(G("普通标题"), "..", next());
  b.AddPicture(FileKind::Jpeg);
  b.AddArticle(G("斜杠/标题"), misc, next());
  b.AddPicture(FileKind::Png);

  b.AddAlbum(G("带 空格"));
  b.AddPhoto(G("照片 一"));
  b.AddAlbum("..");
  b.AddPhoto("IMG_0001");
  b.AddAlbum(G("斜/杠"));
  b.AddPhoto("IMG_0001");
  b.AddAlbum(G("普通"));
  b.AddPhoto("..\\..\\evil");
  b.Finish();
}

// n plain articles; every third has a picture, the listed ones have a video.
void AddCountAccount(Catalogue& c, std::string qq, const char* nickname, int n,
                     std::initializer_list<int> withVideo,
                     std::initializer_list<std::pair<const char*, int>> albums) {
  AccountBuilder b(c, std::move(qq), nickname);
  const std::array<Text, 4> categories = {G("生活"), G("随笔"), G("旅行"), G("工作")};
  for (int i = 1; i <= n; ++i) {
    b.AddArticle(G("第") + Number(i) + G("篇"), categories[i % categories.size()],
                 PublishTime(i * 5, 8 * 60 + i * 17));
    if (i % 3 == 0) b.AddPicture(i % 2 ? FileKind::Gif : FileKind::Jpeg);
    for (int v : withVideo)
      if (v == i) b.AddVideo();
  }
  for (const auto& [name, photos] : albums) {
    b.AddAlbum(G(name));
    for (int j = 1; j <= photos; ++j) b.AddPhoto("P" + Number(10000 + j).substr(1));
  }
  b.Finish();
}

void AddLargeAccount(Catalogue& c) {
  AccountBuilder b(c, "20300", "大户");
  const std::array<Text, 5> categories = {G("生活"), G("随笔"), G("旅行"), G("工作"),
                                          G("读书")};
  const FileKind kinds[4] = {FileKind::Jpeg, FileKind::Gif, FileKind::Png, FileKind::Jpeg};
  for (int i = 1; i <= 300; ++i) {
    b.AddArticle(G("大户日志") + Number(i), categories[i % categories.size()],
                 PublishTime(i, 7 * 60 + i * 3));
    for (FileKind kind : kinds) b.AddPicture(kind);
    if (i % 50 == 0) b.AddVideo();
  }
  for (int a = 1; a <= 3; ++a) {
    b.AddAlbum(G("相册") + Number(a));
    for (int j = 1; j <= 100; ++j) b.AddPhoto("IMG_" + Number(10000 + j).substr(1));
  }
  b.Finish();
}

Catalogue BuildCatalogue() {
  Catalogue c;
  {
    AccountBuilder closed(c, "20000", "关闭的空间");
    closed.Close();
    closed.Finish();
  }
  AddTypicalAccount(c);
  AddTrickyAccount(c);
  AddCountAccount(c, "20015", "十五篇", 15, {15}, {{"风景", 15}});
  AddCountAccount(c, "20057", "五十七篇", 57, {16, 31, 57}, {{"相册一", 20}, {"相册二", 37}});
  AddLargeAccount(c);
  c.files["/ac/b.gif"] = FileKind::Gif;
  return c;
}

const Catalogue& TheCatalogue() {
  static const Catalogue catalogue = BuildCatalogue();
  return catalogue;
}

// ---- file bytes ------------------------------------------------------------------------------

std::uint32_t Hash(std::string_view s) {
  std::uint32_t h = 2166136261u;
  for (unsigned char ch : s) h = (h ^ ch) * 16777619u;
  return h;
}

void Put16Be(Bytes& b, unsigned v) {
  b += static_cast<char>((v >> 8) & 0xFF);
  b += static_cast<char>(v & 0xFF);
}
void Put32Be(Bytes& b, std::uint32_t v) {
  Put16Be(b, v >> 16);
  Put16Be(b, v & 0xFFFF);
}

// An 8x8 grey baseline JPEG: one block, a DC value only, Huffman tables with one code each.
// The COM segment carries `comment`; the grey level follows from it too.
Bytes MakeJpeg(std::string_view comment) {
  Bytes b("\xFF\xD8", 2);
  b.append("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
  b += "\xFF\xFE";
  Put16Be(b, static_cast<unsigned>(comment.size() + 2));
  b += comment;
  b.append("\xFF\xDB\x00\x43\x00", 5);
  b += static_cast<char>(64);  // DC step: the coded value times 8 is the grey offset
  b.append(63, '\x01');
  b.append("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);
  // DC table 0: one code of length 1 for category 4; AC table 0: one code for end of block.
  b.append("\xFF\xC4\x00\x14\x00\x01", 6);
  b.append(15, '\x00');
  b += '\x04';
  b.append("\xFF\xC4\x00\x14\x10\x01", 6);
  b.append(15, '\x00');
  b += '\x00';
  b.append("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
  // Category 4 value in 8..15 (light) or -15..-8 (dark), coded as 4 bits.
  unsigned bits = Hash(comment) % 16;  // 0..7 dark, 8..15 light
  unsigned char scan = static_cast<unsigned char>((bits << 3) | 0x03);  // 0 vvvv 0 11
  b += static_cast<char>(scan);
  b += "\xFF\xD9";
  return b;
}

// A 1x1 GIF89a with a comment extension; the colour follows from the comment.
Bytes MakeGif(std::string_view comment) {
  std::uint32_t h = Hash(comment);
  Bytes b = "GIF89a";
  b.append("\x01\x00\x01\x00\x80\x00\x00", 7);
  b += static_cast<char>(h & 0xFF);
  b += static_cast<char>((h >> 8) & 0xFF);
  b += static_cast<char>((h >> 16) & 0xFF);
  b.append(3, '\x00');
  b += "\x21\xFE";
  for (std::size_t at = 0; at < comment.size(); at += 255) {
    std::string_view part = comment.substr(at, 255);
    b += static_cast<char>(part.size());
    b += part;
  }
  b += '\x00';
  b.append("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B", 16);
  return b;
}

std::uint32_t Crc32(std::string_view data) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char ch : data) c = table[(c ^ ch) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void PngChunk(Bytes& b, std::string_view type, std::string_view data) {
  Put32Be(b, static_cast<std::uint32_t>(data.size()));
  std::string body(type);
  body += data;
  b += body;
  Put32Be(b, Crc32(body));
}

// A 4x4 RGB PNG in one colour (from the comment) with a tEXt chunk; the pixels are stored
// uncompressed inside the zlib stream.
Bytes MakePng(std::string_view comment) {
  std::uint32_t h = Hash(comment);
  Bytes b("\x89PNG\r\n\x1A\n", 8);
  Bytes ihdr;
  Put32Be(ihdr, 4);
  Put32Be(ihdr, 4);
  ihdr.append("\x08\x02\x00\x00\x00", 5);
  PngChunk(b, "IHDR", ihdr);
  Bytes text = "Comment";
  text += '\0';
  text += comment;
  PngChunk(b, "tEXt", text);
  Bytes raw;
  for (int row = 0; row < 4; ++row) {
    raw += '\0';
    for (int col = 0; col < 4; ++col) {
      raw += static_cast<char>(h & 0xFF);
      raw += static_cast<char>((h >> 8) & 0xFF);
      raw += static_cast<char>((h >> 16) & 0xFF);
    }
  }
  Bytes z("\x78\x01\x01", 3);
  unsigned len = static_cast<unsigned>(raw.size());
  z += static_cast<char>(len & 0xFF);
  z += static_cast<char>(len >> 8);
  z += static_cast<char>(~len & 0xFF);
  z += static_cast<char>((~len >> 8) & 0xFF);
  z += raw;
  std::uint32_t s1 = 1, s2 = 0;
  for (unsigned char ch : raw) {
    s1 = (s1 + ch) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  Put32Be(z, (s2 << 16) | s1);
  PngChunk(b, "IDAT", z);
  PngChunk(b, "IEND", "");
  return b;
}

// A few KB with an FLV file header and one script-data tag that holds the path and filler.
Bytes MakeVideo(std::string_view comment) {
  Bytes data(comment);
  data += '\0';
  std::uint32_t h = Hash(comment);
  while (data.size() < 4096) {
    h = h * 1103515245u + 12345u;
    data += static_cast<char>((h >> 16) & 0xFF);
  }
  Bytes b("FLV\x01\x05\x00\x00\x00\x09", 9);
  Put32Be(b, 0);
  b += '\x12';
  std::uint32_t size = static_cast<std::uint32_t>(data.size());
  b += static_cast<char>((size >> 16) & 0xFF);
  Put16Be(b, size & 0xFFFF);
  b.append(7, '\x00');  // timestamp, extension and stream id
  b += data;
  Put32Be(b, size + 11);
  return b;
}

// ---- texts -----------------------------------------------------------------------------------

Text HexOf(std::string_view s) {
  static const char* digits = "0123456789abcdef";
  Text out;
  for (unsigned char ch : s) {
    out += digits[ch >> 4];
    out += digits[ch & 15];
  }
  return out;
}

Text ReplaceEvery(std::string_view text, std::string_view what, std::string_view by) {
  Text out;
  std::size_t at = 0;
  for (std::size_t hit; (hit = text.find(what, at)) != std::string_view::npos;
       at = hit + what.size()) {
    out.append(text.substr(at, hit - at));
    out.append(by);
  }
  out.append(text.substr(at));
  return out;
}

const Article* FindArticle(const Account& account, std::string_view blogId) {
  // Like the real service, read the number and ignore the separator the program's cut of the
  // summaries leaves behind it ("20001001 ").
  while (!blogId.empty() && std::isspace(static_cast<unsigned char>(blogId.back())))
    blogId.remove_suffix(1);
  for (const Article& article : account.articles)
    if (article.blogId == blogId) return &article;
  return nullptr;
}

const Account* VisibleAccount(std::string_view qq) {
  const Account* account = FindAccount(qq);
  return account && !account->closed ? account : nullptr;
}

}  // namespace

const std::vector<Account>& Accounts() { return TheCatalogue().accounts; }

const Account* FindAccount(std::string_view qq) {
  for (const Account& account : Accounts())
    if (account.qq == qq) return &account;
  return nullptr;
}

std::optional<Bytes> FileBytes(std::string_view path) {
  const auto& files = TheCatalogue().files;
  auto it = files.find(std::string(path));
  if (it == files.end()) return std::nullopt;
  switch (it->second) {
    case FileKind::Gif: return MakeGif(path);
    case FileKind::Png: return MakePng(path);
    case FileKind::Video: return MakeVideo(path);
    case FileKind::Jpeg: break;
  }
  return MakeJpeg(path);
}

std::string FileContentType(std::string_view bytes) {
  if (bytes.starts_with("GIF")) return "image/gif";
  if (bytes.starts_with("\x89PNG")) return "image/png";
  if (bytes.starts_with("FLV")) return "video/x-flv";
  return "image/jpeg";
}

// No marker is followed by a line feed: a cut that expects CR LF after a marker finds nothing.
Text ArticleWrapper() {
  return "<div class=\"blogToolbar\"><span class=\"op\">" + G("分享") +
         "</span> <span class=\"op\">" + G("转载") + "</span></div>\t";
}

Text ArticleBody(const Account& account, const Article& article, const std::string& baseUrl) {
  (void)account;
  Text body(kWrapperStartMarker);
  body += ArticleWrapper();
  body += kWrapperEndMarker;
  body += "<p>" + G("日志 ") + article.blogId + G(" 的正文，第一段。") + "</p>\r\n";
  for (std::size_t k = 0; k < article.pictures.size(); ++k) {
    body += "<p><img src=\"" + baseUrl + article.pictures[k] + "\" border=\"0\" alt=\"" +
            G("图片") + "\" /></p>\r\n";
    body += "<p>" + G("第 ") + std::to_string(k + 1) + G(" 张图的说明。") + "</p>\r\n";
  }
  for (const std::string& video : article.videos) {
    body += "<p><embed enablecontextmenu=\"False\" type=\"application/x-shockwave-flash\" src=\"" +
            baseUrl + video +
            "\" width=\"480\" height=\"400\" allowfullscreen=\"true\" wmode=\"transparent\">"
            "</embed></p>\r\n";
  }
  body += "<p>" + G("全文完。") + "</p>\r\n</div>\r\n</div>\r\n";
  return body;
}

Text ArticlePage(const Account& account, const Article& article, const std::string& baseUrl) {
  Text page =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>\r\n<head>\r\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n<title>" +
      article.title + " - " + G("QQ空间") +
      "</title>\r\n</head>\r\n<body>\r\n<div id=\"blogArticle\">\r\n"
      "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\r\n<tr>\r\n";
  page += kBodyStartMarker;
  page += ArticleBody(account, article, baseUrl);
  page += kBodyEndMarker;
  page += "</td>\r\n</tr>\r\n</table>\r\n</div>\r\n<script type=\"text/javascript\">"
          "var g_blogId = \"" + article.blogId + "\";</script>\r\n</body>\r\n</html>\r\n";
  return page;
}

Text TitleListTitle(const Article& article) { return ReplaceEvery(article.title, "\"", "&quot;"); }

Text BlogSummariesAnswer(std::string_view qq, long pos, long num) {
  const Account* account = VisibleAccount(qq);
  const std::size_t total = account ? account->articles.size() : 0;
  Text out = "_Callback({\"totalNum\":" + Number(total) +
             ",\n\"hostFlag\":0,\"blogType\":0,\"cateName\":\"\",\"list\":[";
  if (account && pos >= 0) {
    bool first = true;
    for (std::size_t i = pos; i < total && static_cast<long>(i - pos) < num; ++i) {
      const Article& a = account->articles[i];
      if (!first) out += ", \r\n";
      first = false;
      // Members end with a comma and a blank: the blank is the byte the catalogue's cut keeps.
      out += "{\"blogId\":" + a.blogId + ", \"blogType\":0, \"title\":\"" + a.title +
             "\", \"commentNum\":" + Number(a.commentNum) + ", \"pubTime\":\"" + a.pubTime +
             "\", \"cate\":\"" + a.category + "\", \"cateHex\":\"" + HexOf(a.category) + "\"}";
    }
  }
  out += "]});\n";
  return out;
}

Text ArticleAnswer(std::string_view qq, std::string_view blogId, const std::string& baseUrl) {
  const Account* account = VisibleAccount(qq);
  const Article* article = account ? FindArticle(*account, blogId) : nullptr;
  if (!article)
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />"
           "</head><body><p>" +
           G("对不起，这篇日志不存在或主人设置了访问权限。") + "</p></body></html>\r\n";
  return ArticlePage(*account, *article, baseUrl);
}

Text TitleListAnswer(std::string_view qq, long from, long num) {
  const Account* account = VisibleAccount(qq);
  Text out = "_Callback(\"<div class=\\\"blogList\\\" id=\\\"titleList\\\">\\r\\n<ul>\\r\\n";
  if (account && from >= 0) {
    const long count = std::min<long>(num, kTitlesPerPage);
    const std::size_t total = account->articles.size();
    for (std::size_t i = from; i < total && static_cast<long>(i - from) < count; ++i) {
      const Article& a = account->articles[i];
      out += "<li class=\\\"item\\\"><input type=\\\"checkbox\\\" onclick=\\\"return false;\\\" value=\\\"" +
             a.blogId + "\\\" /><span title=\\\"" + TitleListTitle(a) + G(" -- 发表于 ") +
             a.pubTime + "\\\"><a href=\\\"javascript:;\\\" onclick=\\\"selectBlog(" + a.blogId +
             ");return false;\\\">" + TitleListTitle(a) + "</a></span>" + G("<!-- 右边功能选项 -->") +
             "<span class=\\\"op\\\">" + G("评论") + "(" + Number(a.commentNum) +
             ")</span></li>\\r\\n";
    }
  }
  out += "</ul>\\r\\n</div>\");\n";
  return out;
}

Text AlbumListAnswer(std::string_view qq, const std::string& baseUrl) {
  const Account* account = VisibleAccount(qq);
  Text out = "<?xml version=\"1.0\" encoding=\"GBK\" ?>\r\n<data>\r\n<albumnum>" +
             Number(account ? account->albums.size() : 0) + "</albumnum>\r\n";
  if (account) {
    for (const Album& album : account->albums) {
      out += "<album>\r\n<id>" + album.id + "</id>\r\n<name>" + album.name +
             "</name>\r\n<desc></desc>\r\n<classid>100</classid>\r\n<pre>" + baseUrl +
             album.cover + "</pre>\r\n<total>" + Number(album.photos.size()) +
             "</total>\r\n</album>\r\n";
    }
  }
  out += "</data>\r\n";
  return out;
}

Text PhotoListAnswer(std::string_view qq, std::string_view albumId, const std::string& baseUrl) {
  const Account* account = VisibleAccount(qq);
  Text out = "<?xml version=\"1.0\" encoding=\"GBK\" ?>\r\n<data>\r\n<albumid>" + Text(albumId) +
             "</albumid>\r\n";
  if (account) {
    for (const Album& album : account->albums) {
      if (album.id != albumId) continue;
      for (const Photo& photo : album.photos) {
        out += "<pic>\r\n<name>" + photo.name + "</name>\r\n<origin_url>" + baseUrl + photo.path +
               "</origin_url>\r\n<url>" + baseUrl + photo.path + "</url>\r\n<uploadtime>" +
               photo.uploadTime + "</uploadtime>\r\n</pic>\r\n";
      }
    }
  }
  out += "</data>\r\n";
  return out;
}

Text PortraitAnswer(std::string_view uins, const std::string& baseUrl) {
  const Account* account = FindAccount(uins);
  const Text nickname = account ? account->nickname : Text();
  return "portraitCallBack({\"" + Text(uins) + "\":[\"" + baseUrl + "/portrait/" + Text(uins) +
         ".jpg\",0,-1,0,0,0,\"" + nickname + "\",0]})";
}

}  // namespace sample
