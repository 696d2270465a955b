#include "net/PageFetch.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <latch>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <httplib.h>

namespace {

using namespace std::string_literals;

// A body whose bytes depend on their position and on `seed`, so a mixed-up or shifted body shows.
std::string PatternBody(std::size_t size, unsigned seed) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 31 + seed * 7 + i / 251) & 0xFF);
  return s;
}

std::size_t EchoSize(int n) { return static_cast<std::size_t>(n) * 37 * 1024 + n; }

// Binds a listening socket on 127.0.0.1 with a free port.
int ListenOnLoopback(int backlog, int& port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(fd, backlog) != 0)
    return -1;
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  port = ntohs(addr.sin_port);
  return fd;
}

// A server at the socket level, for answers an HTTP library will not give: a body cut short of
// its Content-Length, an answer that never comes. Each connection gets `reply` after its request
// head; with holdOpen the connection then stays open, silent, until the server is stopped.
class RawServer {
 public:
  RawServer(std::string reply, bool holdOpen) : reply_(std::move(reply)), holdOpen_(holdOpen) {
    listenFd_ = ListenOnLoopback(8, port_);
    if (listenFd_ >= 0) thread_ = std::thread([this] { Serve(); });
  }
  ~RawServer() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    stopped_.notify_all();
    if (listenFd_ >= 0) ::shutdown(listenFd_, SHUT_RDWR);  // wakes the blocked accept()
    if (thread_.joinable()) thread_.join();
    if (listenFd_ >= 0) ::close(listenFd_);
  }
  int port() const { return port_; }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/file"; }

 private:
  void Serve() {
    for (;;) {
      int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) return;
      std::string head;
      char buffer[1024];
      while (head.find("\r\n\r\n") == std::string::npos) {
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
      }
      ::send(fd, reply_.data(), reply_.size(), MSG_NOSIGNAL);
      if (holdOpen_) {
        std::unique_lock lock(mutex_);
        stopped_.wait(lock, [this] { return stopping_; });
      }
      ::shutdown(fd, SHUT_WR);
      ::close(fd);
    }
  }

  std::string reply_;
  bool holdOpen_;
  int listenFd_ = -1;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable stopped_;
  bool stopping_ = false;
};

class PageFetchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = PageFetchLimits();
    server_.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
      std::lock_guard lock(seenMutex_);
      ++hits_;
      lastUserAgent_ = req.get_header_value("User-Agent");
      lastAccept_ = req.get_header_value("Accept");
      lastVersion_ = req.version;
      lastTarget_ = req.target;
      return httplib::Server::HandlerResponse::Unhandled;
    });
    server_.Get("/zero", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("abc\0def"s, "application/octet-stream");
    });
    server_.Get("/gif", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("GIF89a\x10\x00\x10\x00\x80\x00\x00"s, "image/gif");
    });
    server_.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
      res.status = 404;
      res.set_content("<html>page missing</html>", "text/html");
    });
    server_.Get("/empty", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("", "text/plain");
    });
    server_.Get("/big", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(PatternBody(3u << 20, 1), "application/octet-stream");
    });
    server_.Get("/unsized", [](const httplib::Request&, httplib::Response& res) {
      ServeChunked(res, PatternBody(300000, 2));
    });
    server_.Get("/redirect", [](const httplib::Request&, httplib::Response& res) {
      res.set_redirect("/hop");
    });
    server_.Get("/hop", [](const httplib::Request&, httplib::Response& res) {
      res.set_redirect("/target", 301);
    });
    server_.Get("/target", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("arrived", "text/plain");
    });
    server_.Get("/size/(\\d+)", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content(PatternBody(std::stoul(req.matches[1]), 3), "application/octet-stream");
    });
    server_.Get("/unsized-size/(\\d+)", [](const httplib::Request& req, httplib::Response& res) {
      ServeChunked(res, PatternBody(std::stoul(req.matches[1]), 3));
    });
    server_.Get("/echo/(\\d+)", [](const httplib::Request& req, httplib::Response& res) {
      int n = std::stoi(req.matches[1]);
      res.set_content(PatternBody(EchoSize(n), n), "application/octet-stream");
    });
    server_.Get("/q.*", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("query", "text/plain");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port_, 0);
    // The socket listens from here on; connections wait in its backlog until the loop runs.
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() only ends a loop that has started; this httplib has no ready signal to wait on.
    for (int i = 0; i < 10000 && !server_.is_running(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(server_.is_running());
  }

  void TearDown() override {
    PageFetchLimits() = saved_;
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  static void ServeChunked(httplib::Response& res, std::string body) {
    auto shared = std::make_shared<std::string>(std::move(body));
    res.set_chunked_content_provider("application/octet-stream",
                                     [shared](size_t offset, httplib::DataSink& sink) {
                                       if (offset < shared->size()) {
                                         size_t n = std::min<size_t>(8192, shared->size() - offset);
                                         sink.write(shared->data() + offset, n);
                                       } else {
                                         sink.done();
                                       }
                                       return true;
                                     });
  }

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  int Hits() {
    std::lock_guard lock(seenMutex_);
    return hits_;
  }

  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  FetchLimits saved_;

  std::mutex seenMutex_;
  int hits_ = 0;
  std::string lastUserAgent_, lastAccept_, lastVersion_, lastTarget_;
};

// Both routines on ordinary answers: the body is the answer whatever the status, the text
// stops at the first zero byte and the bytes keep everything.
TEST_F(PageFetchTest, BodyIsTheAnswer) {
  struct Case {
    const char* path;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"/zero", "abc\0def"s, "abc"},
      {"/gif", "GIF89a\x10\x00\x10\x00\x80\x00\x00"s, "GIF89a\x10"},
      {"/missing", "<html>page missing</html>", "<html>page missing</html>"},
      {"/empty", "", ""},
      {"/redirect", "arrived", "arrived"},
      {"/big", PatternBody(3u << 20, 1), TextFromBytes(PatternBody(3u << 20, 1))},
      {"/unsized", PatternBody(300000, 2), TextFromBytes(PatternBody(300000, 2))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    FetchResult checked = FetchBytesChecked(Url(c.path));
    EXPECT_TRUE(checked.complete);
    EXPECT_TRUE(checked.body == c.bytes) << "size " << checked.body.size();
    EXPECT_TRUE(FetchBytes(Url(c.path)) == c.bytes);
    EXPECT_EQ(FetchPageText(Url(c.path)), c.text);
  }
}

TEST_F(PageFetchTest, AddressThatReachesNoServerGivesTheEmptyAnswer) {
  int closedPort = 0;
  int fd = ListenOnLoopback(1, closedPort);
  ASSERT_GE(fd, 0);
  ::close(fd);  // nothing listens there any more: the connection is refused

  const std::string cases[] = {
      "http://no-such-host.invalid/",
      "http://127.0.0.1:" + std::to_string(closedPort) + "/x",
      "http://[::1/x",  // cannot be split
  };
  for (const std::string& address : cases) {
    SCOPED_TRACE(address);
    FetchResult checked = FetchBytesChecked(address);
    EXPECT_FALSE(checked.complete);
    EXPECT_TRUE(checked.body.empty());
    EXPECT_TRUE(FetchBytes(address).empty());
    EXPECT_EQ(FetchPageText(address), "");
  }
}

TEST_F(PageFetchTest, EmptyOrSchemelessAddressMakesNoRequest) {
  const std::string noScheme = "127.0.0.1:" + std::to_string(port_) + "/zero";
  for (const std::string& address : {std::string(), noScheme}) {
    SCOPED_TRACE(address);
    EXPECT_FALSE(FetchBytesChecked(address).complete);
    EXPECT_TRUE(FetchBytes(address).empty());
    EXPECT_EQ(FetchPageText(address), "");
  }
  EXPECT_EQ(Hits(), 0);
  // The same server is reachable with a proper address.
  EXPECT_EQ(FetchPageText(Url("/zero")), "abc");
  EXPECT_EQ(Hits(), 1);
}

TEST_F(PageFetchTest, RequestCarriesTheClientHeaders) {
  ASSERT_EQ(FetchBytes(Url("/zero")).size(), 7u);
  {
    std::lock_guard lock(seenMutex_);
    EXPECT_EQ(lastUserAgent_, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    EXPECT_EQ(lastAccept_, "*/*");
    EXPECT_EQ(lastVersion_, "HTTP/1.0");
  }
  ASSERT_EQ(FetchPageText(Url("/zero")), "abc");
  {
    std::lock_guard lock(seenMutex_);
    EXPECT_EQ(lastUserAgent_, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    EXPECT_EQ(lastAccept_, "*/*");
  }
}

TEST_F(PageFetchTest, AddressIsSentAsBuilt) {
  // GBK bytes and dot segments reach the server untouched; a blank, which cannot stand in a
  // request line, goes as %20.
  struct Case {
    std::string address;
    std::string target;
  } cases[] = {
      {"/q?t=\xC9\xFA\xBB\xEE&u=./a/../b"s, "/q?t=\xC9\xFA\xBB\xEE&u=./a/../b"s},
      {"/q/../q?t=%41", "/q/../q?t=%41"},
      {"/q?t=a b", "/q?t=a%20b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(FetchPageText(Url(c.address)), "query");
    std::lock_guard lock(seenMutex_);
    EXPECT_EQ(lastTarget_, c.target);
  }
}

// Transfers that do not end well: a failure, never a short body passed off as the file.
TEST_F(PageFetchTest, UnfinishedTransferIsAFailure) {
  PageFetchLimits().stallSeconds = 1;
  struct Case {
    const char* name;
    std::string reply;
    bool holdOpen;
    bool complete;
    std::string body;
  } cases[] = {
      {"cut short of its length", "HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789",
       false, false, ""},
      {"ends at close without a length", "HTTP/1.0 200 OK\r\n\r\n0123456789", false, true,
       "0123456789"},
      {"accepted and never answered", "", true, false, ""},
      {"stalls in the middle of the body",
       "HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789", true, false, ""},
      {"stalls in the middle of an unsized body", "HTTP/1.0 200 OK\r\n\r\n0123456789", true,
       false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      RawServer raw(c.reply, c.holdOpen);
      ASSERT_GT(raw.port(), 0);
      FetchResult checked = FetchBytesChecked(raw.Address());
      EXPECT_EQ(checked.complete, c.complete);
      if (c.complete) {
        EXPECT_EQ(checked.body, c.body);
      }
    }
    {
      RawServer raw(c.reply, c.holdOpen);
      EXPECT_EQ(FetchBytes(raw.Address()), c.body);
    }
    {
      RawServer raw(c.reply, c.holdOpen);
      EXPECT_EQ(FetchPageText(raw.Address()), c.body);
    }
  }
}

// A server whose backlog is full never completes the connection; the connect time-out ends the
// wait (without it curl's own five-minute default would outlast the test's time-out).
TEST_F(PageFetchTest, ConnectionNeverTakenEndsAtTheConnectTimeout) {
  int port = 0;
  int listenFd = ListenOnLoopback(0, port);
  ASSERT_GE(listenFd, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(port));
  std::vector<int> fillers;
  for (int i = 0; i < 4; ++i) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    fillers.push_back(fd);
  }
  PageFetchLimits().connectTimeoutMs = 500;
  PageFetchLimits().stallSeconds = 600;
  const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/x";
  FetchResult checked = FetchBytesChecked(address);
  EXPECT_FALSE(checked.complete);
  EXPECT_EQ(FetchPageText(address), "");
  for (int fd : fillers) ::close(fd);
  ::close(listenFd);
}

TEST_F(PageFetchTest, BodyOverTheLimitIsAFailure) {
  PageFetchLimits().maxBodyBytes = 64 * 1024;
  struct Case {
    std::string path;
    bool complete;
  } cases[] = {
      {"/size/" + std::to_string(1 << 20), false},           // announced too large
      {"/unsized-size/" + std::to_string(1 << 20), false},   // grows too large
      {"/size/" + std::to_string(64 * 1024), true},          // exactly at the limit
      {"/unsized-size/" + std::to_string(64 * 1024), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    FetchResult checked = FetchBytesChecked(Url(c.path));
    EXPECT_EQ(checked.complete, c.complete);
    EXPECT_LE(checked.body.size(), 64u * 1024);
    EXPECT_EQ(FetchBytes(Url(c.path)).size(), c.complete ? 64u * 1024 : 0u);
    EXPECT_EQ(FetchPageText(Url(c.path)).empty(), !c.complete);
  }
}

// Several threads making their first call at the same moment share one initialisation, and
// parallel transfers never mix their bodies.
TEST_F(PageFetchTest, SimultaneousFirstCallsAllSucceed) {
  constexpr int kThreads = 8;
  std::latch start(kThreads);
  std::vector<std::string> bodies(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&, i] {
      start.arrive_and_wait();
      bodies[i] = FetchBytes(Url("/echo/" + std::to_string(i + 1)));
    });
  for (auto& t : threads) t.join();
  for (int i = 0; i < kThreads; ++i) EXPECT_TRUE(bodies[i] == PatternBody(EchoSize(i + 1), i + 1)) << i;
}

TEST_F(PageFetchTest, ParallelFetchesKeepTheirOwnBodies) {
  constexpr int kThreads = 24;
  std::vector<FetchResult> results(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&, i] { results[i] = FetchBytesChecked(Url("/echo/" + std::to_string(i))); });
  for (auto& t : threads) t.join();
  for (int i = 0; i < kThreads; ++i) {
    EXPECT_TRUE(results[i].complete) << i;
    EXPECT_TRUE(results[i].body == PatternBody(EchoSize(i), i)) << i;
  }
}

}  // namespace
