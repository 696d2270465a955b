#include "net/PageFetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <mutex>

namespace {

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// The process-wide "root handle": libcurl's global state, set up by whichever call comes
// first, on any thread, and kept until the program ends.
void InitialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

using Clock = std::chrono::steady_clock;

struct Transfer {
  CURL* curl = nullptr;
  std::size_t maxBody = 0;
  Clock::duration stallLimit{};
  Clock::time_point lastByte = Clock::now();  // of the header or the body
  Bytes body;
  bool sized = false;     // the declared length has been looked at
  bool overLimit = false;
};

size_t OnHeader(char*, size_t size, size_t count, void* user) {
  static_cast<Transfer*>(user)->lastByte = Clock::now();
  return size * count;
}

// curl calls this about once a second even while nothing arrives. Its own low-speed check
// averages over several seconds, so a stall after a few bytes would go unnoticed for longer
// than the limit says.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  return Clock::now() - t->lastByte > t->stallLimit ? 1 : 0;
}

// Only the final answer's body reaches this callback: curl drops the bodies of redirects it
// follows, so the declared length read here is the final one.
size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t n = size * count;
  t->lastByte = Clock::now();
  if (!t->sized) {
    t->sized = true;
    curl_off_t declared = -1;
    if (curl_easy_getinfo(t->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &declared) == CURLE_OK &&
        declared > 0)  // one buffer of the announced size (an excess fails at MAXFILESIZE)
      t->body.reserve(std::min<unsigned long long>(declared, t->maxBody));
  }
  if (n > t->maxBody - t->body.size()) {
    t->overLimit = true;
    return 0;
  }
  t->body.append(data, n);
  return n;
}

// The address must be absolute: scheme, host, path. Without a scheme curl would guess one,
// but an address that cannot be split is no request at all.
bool IsAbsoluteHttpAddress(const Text& address) {
  CURLU* url = curl_url();
  if (!url) return false;
  bool ok = false;
  if (curl_url_set(url, CURLUPART_URL, address.c_str(), 0) == CURLUE_OK) {
    char* scheme = nullptr;
    if (curl_url_get(url, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK && scheme) {
      ok = curl_strequal(scheme, "http") || curl_strequal(scheme, "https");
      curl_free(scheme);
    }
  }
  curl_url_cleanup(url);
  return ok;
}

// The address goes out byte for byte, GBK bytes included. Only a blank is written as %20:
// a raw one would end the request line early, and curl refuses it.
Text RequestAddress(const Text& address) {
  Text out;
  out.reserve(address.size());
  for (char c : address) {
    if (c == ' ')
      out += "%20";
    else
      out += c;
  }
  return out;
}

FetchResult Fetch(const Text& rawAddress, bool http10) {
  FetchResult result;
  if (rawAddress.empty()) return result;
  InitialiseOnce();
  const Text address = RequestAddress(rawAddress);
  if (!IsAbsoluteHttpAddress(address)) return result;

  const FetchLimits limits = PageFetchLimits();  // a copy: tests change the shared one
  CURL* curl = curl_easy_init();
  if (!curl) return result;

  Transfer t;
  t.curl = curl;
  t.maxBody = limits.maxBodyBytes;
  t.stallLimit = std::chrono::seconds(limits.stallSeconds);

  curl_slist* headers = curl_slist_append(nullptr, "Accept: */*");

  curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
  curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L);  // the address is used exactly as built
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  if (http10) curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 20L);
  curl_easy_setopt(curl, CURLOPT_PROXY, "");  // a direct connection, whatever the environment says
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // called on worker threads
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &t);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  // Refuses an answer whose Content-Length is already over the limit; OnBody stops one that
  // grows past it.
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);

  const CURLcode code = curl_easy_perform(curl);

  // curl reports a body cut short of its Content-Length as CURLE_PARTIAL_FILE; the length
  // check below also covers a server that closes early on a keep-alive connection.
  bool complete = code == CURLE_OK && !t.overLimit;
  if (complete) {
    curl_off_t declared = -1;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &declared) == CURLE_OK &&
        declared >= 0 && static_cast<unsigned long long>(declared) > t.body.size())
      complete = false;
  }

  curl_easy_cleanup(curl);
  curl_slist_free_all(headers);

  result.complete = complete;
  result.body = std::move(t.body);
  return result;
}

}  // namespace

FetchLimits& PageFetchLimits() {
  static FetchLimits limits;
  return limits;
}

Text FetchPageText(const Text& address) {
  FetchResult r = Fetch(address, false);
  if (!r.complete) return Text();
  return TextFromBytes(r.body);
}

Bytes FetchBytes(const Text& address) {
  FetchResult r = Fetch(address, true);
  if (!r.complete) return Bytes();
  return std::move(r.body);
}

FetchResult FetchBytesChecked(const Text& address) { return Fetch(address, true); }
