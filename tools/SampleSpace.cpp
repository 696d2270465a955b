// The HTTP side of the sample space: routing, the request log, faults, latency and pacing.

#include "tools/SampleSpace.h"

#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include <httplib.h>

#include "tools/SampleAnswers.h"

namespace sample {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kHugeBytes = std::size_t(1) << 30;
constexpr auto kStallLimit = std::chrono::seconds(120);

const char* const kTextHtml = "text/html; charset=gbk";
const char* const kScript = "application/x-javascript; charset=gbk";
const char* const kXml = "text/xml; charset=gbk";

long NumberParam(const httplib::Request& req, const char* key, long absent) {
  if (!req.has_param(key)) return absent;
  return std::strtol(req.get_param_value(key).c_str(), nullptr, 10);
}

struct Answer {
  int status = 200;
  std::string contentType;
  std::string body;
};

Answer NotFoundAnswer() {
  return {404, kTextHtml,
          "<html><head><title>404 Not Found</title></head><body><h1>404 Not Found</h1>"
          "<p>The requested URL was not found on this server.</p></body></html>\r\n"};
}

}  // namespace

struct SampleSpace::Impl {
  explicit Impl(SampleOptions options)
      : latencyMs(options.latencyMs), bytesPerSecond(options.bytesPerSecond) {}

  std::unique_ptr<httplib::Server> server;
  std::thread thread;
  int port = 0;
  std::atomic<bool> stopping{false};
  std::atomic<int> latencyMs;
  std::atomic<long> bytesPerSecond;

  mutable std::mutex mutex;  // guards log and faults
  std::vector<std::string> log;
  std::map<std::string, Fault> faults;

  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port); }

  Fault FaultFor(const std::string& target) const {
    std::lock_guard<std::mutex> lock(mutex);
    Fault fault = Fault::None;
    std::size_t best = 0;
    for (const auto& [prefix, f] : faults) {
      if (target.compare(0, prefix.size(), prefix) == 0 && prefix.size() >= best) {
        best = prefix.size();
        fault = f;
      }
    }
    return fault;
  }

  // Sleeps up to `d`, in small steps so that Stop() is never held up. False once stopping.
  bool Pause(Clock::duration d) const {
    const auto until = Clock::now() + d;
    while (!stopping) {
      auto left = until - Clock::now();
      if (left <= Clock::duration::zero()) return true;
      std::this_thread::sleep_for(std::min<Clock::duration>(left, std::chrono::milliseconds(10)));
    }
    return false;
  }

  Answer Route(const httplib::Request& req) const {
    const std::string& path = req.path;
    const std::string base = BaseUrl();
    if (path == "/cgi-bin/blognew/get_abs")
      return {200, kScript,
              BlogSummariesAnswer(req.get_param_value("hostUin"), NumberParam(req, "pos", 0),
                                  NumberParam(req, "num", kTitlesPerPage))};
    if (path == "/cgi-bin/blognew/blog_output_data")
      return {200, kTextHtml,
              ArticleAnswer(req.get_param_value("uin"), req.get_param_value("blogid"), base)};
    if (path == "/cgi-bin/blognew/blog_output_titlelist")
      return {200, kScript,
              TitleListAnswer(req.get_param_value("uin"), NumberParam(req, "from", 0),
                              NumberParam(req, "num", kTitlesPerPage))};
    if (path == "/fcgi-bin/fcg_list_album")
      return {200, kXml, AlbumListAnswer(req.get_param_value("uin"), base)};
    if (path == "/fcgi-bin/fcg_list_photo")
      return {200, kXml,
              PhotoListAnswer(req.get_param_value("uin"), req.get_param_value("albumid"), base)};
    if (path == "/fcg-bin/cgi_get_portrait.fcg")
      return {200, kScript, PortraitAnswer(req.get_param_value("uins"), base)};
    if (auto bytes = FileBytes(path)) {
      std::string type = FileContentType(*bytes);
      return {200, std::move(type), std::move(*bytes)};
    }
    return NotFoundAnswer();
  }

  // Sends `body`, paced when a bandwidth is set; with cutAt below the size the connection is
  // dropped after cutAt bytes although the full length was announced.
  void Send(httplib::Response& res, Answer answer, std::size_t cutAt) {
    res.status = answer.status;
    const long bps = bytesPerSecond;
    const std::size_t size = answer.body.size();
    if (bps <= 0 && cutAt >= size) {
      res.set_content(std::move(answer.body), answer.contentType);
      return;
    }
    auto body = std::make_shared<std::string>(std::move(answer.body));
    const std::size_t step =
        bps > 0 ? std::clamp<std::size_t>(static_cast<std::size_t>(bps / 50), 1, kChunk) : kChunk;
    const auto start = Clock::now();
    res.set_content_provider(
        size, answer.contentType,
        [this, body, step, bps, start, cutAt](std::size_t offset, std::size_t length,
                                              httplib::DataSink& sink) {
          if (stopping || offset >= cutAt) return false;
          std::size_t n = std::min({step, length, cutAt - offset});
          if (!sink.write(body->data() + offset, n)) return false;
          if (bps > 0) {
            auto due = start + std::chrono::duration_cast<Clock::duration>(
                                   std::chrono::duration<double>(double(offset + n) / bps));
            if (!Pause(due - Clock::now())) return false;
          }
          return true;
        });
  }

  void SendHuge(httplib::Response& res) {
    auto block = std::make_shared<std::string>();
    while (block->size() < kChunk) block->append("<p>sample space: an answer far too large</p>\r\n");
    block->resize(kChunk);
    res.status = 200;
    res.set_chunked_content_provider(
        kTextHtml, [this, block](std::size_t offset, httplib::DataSink& sink) {
          if (stopping) return false;
          if (offset >= kHugeBytes) {
            sink.done();
            return true;
          }
          return sink.write(block->data(), std::min(kChunk, kHugeBytes - offset));
        });
  }

  void Handle(const httplib::Request& req, httplib::Response& res) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      log.push_back(req.target);
    }
    const Fault fault = FaultFor(req.target);
    if (const int ms = latencyMs; ms > 0 && !Pause(std::chrono::milliseconds(ms))) return;
    switch (fault) {
      case Fault::NotFound404:
        Send(res, NotFoundAnswer(), SIZE_MAX);
        return;
      case Fault::Stall:
        Pause(kStallLimit);
        res.status = 503;
        return;
      case Fault::Huge:
        SendHuge(res);
        return;
      case Fault::CutMidBody: {
        Answer answer = Route(req);
        const std::size_t half = answer.body.size() / 2;
        Send(res, std::move(answer), half);
        return;
      }
      case Fault::ZeroByteInText: {
        Answer answer = Route(req);
        answer.body.insert(answer.body.size() / 2, 1, '\0');
        Send(res, std::move(answer), SIZE_MAX);
        return;
      }
      case Fault::None:
        break;
    }
    Send(res, Route(req), SIZE_MAX);
  }
};

SampleSpace::SampleSpace(SampleOptions options) : impl_(std::make_unique<Impl>(options)) {}

SampleSpace::~SampleSpace() { Stop(); }

int SampleSpace::Start(int port) {
  if (impl_->server) return -1;
  impl_->stopping = false;
  auto server = std::make_unique<httplib::Server>();
  server->new_task_queue = [] { return new httplib::ThreadPool(48); };
  // Every picture of a download may arrive at once; a deep accept queue keeps them waiting
  // instead of refused.
  int listening = -1;
  // SO_REUSEADDR only: the library's default adds SO_REUSEPORT, which would let a second
  // server share the port instead of failing to bind.
  server->set_socket_options([&listening](socket_t sock) {
    int yes = 1;
    ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    listening = sock;
  });
  server->set_keep_alive_timeout(2);
  server->Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
    impl_->Handle(req, res);
  });
  int bound = -1;
  if (port == 0) {
    bound = server->bind_to_any_port("127.0.0.1");
  } else if (server->bind_to_port("127.0.0.1", port)) {
    bound = port;
  }
  if (bound <= 0) return -1;
  if (listening >= 0) ::listen(listening, 1024);
  impl_->port = bound;
  impl_->server = std::move(server);
  httplib::Server* running = impl_->server.get();
  impl_->thread = std::thread([running] { running->listen_after_bind(); });
  // Stop() only reaches a server whose accept loop has begun.
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!running->is_running() && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return bound;
}

void SampleSpace::Stop() {
  if (!impl_->server) return;
  impl_->stopping = true;
  impl_->server->stop();
  if (impl_->thread.joinable()) impl_->thread.join();
  impl_->server.reset();
}

int SampleSpace::Port() const { return impl_->port; }

std::string SampleSpace::BaseUrl() const { return impl_->BaseUrl(); }

std::string SampleSpace::Url(std::string_view path) const { return BaseUrl() + std::string(path); }

std::vector<std::string> SampleSpace::RequestLog() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->log;
}

void SampleSpace::ClearLog() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->log.clear();
}

std::size_t SampleSpace::CountRequests(std::string_view pathPrefix) const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return std::count_if(impl_->log.begin(), impl_->log.end(),
                       [&](const std::string& entry) { return entry.starts_with(pathPrefix); });
}

void SampleSpace::SetFault(std::string pathAndQueryPrefix, Fault f) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  if (f == Fault::None)
    impl_->faults.erase(pathAndQueryPrefix);
  else
    impl_->faults[std::move(pathAndQueryPrefix)] = f;
}

void SampleSpace::ClearFaults() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->faults.clear();
}

void SampleSpace::SetLatencyMs(int ms) { impl_->latencyMs = ms; }

void SampleSpace::SetBytesPerSecond(long bytesPerSecond) { impl_->bytesPerSecond = bytesPerSecond; }

}  // namespace sample
