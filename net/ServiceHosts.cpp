#include "net/ServiceHosts.h"

namespace {

// "http://127.0.0.1:8123/x" -> "127.0.0.1:8123": what a host-name query value holds.
Text HostPart(const Text& base) {
  Text host = base;
  const auto scheme = host.find("://");
  if (scheme != Text::npos) host.erase(0, scheme + 3);
  const auto path = host.find_first_of("/?#");
  if (path != Text::npos) host.erase(path);
  return host;
}

ServiceHosts& Current() {
  static ServiceHosts hosts = RealServiceHosts();
  return hosts;
}

}  // namespace

ServiceHosts RealServiceHosts() {
  ServiceHosts h;
  h.blog = "http://b.qzone.qq.com";
  h.albumList = "http://alist.photo.qq.com";
  h.photoList = "http://plist.photo.qq.com";
  h.portrait = "http://r.qzone.qq.com";
  h.styleHost = "qzonestyle.gtimg.cn";
  h.imageHost = "qzs.qq.com";
  h.blogHost = "b.qzone.qq.com";
  return h;
}

ServiceHosts LocalServiceHosts(const Text& base) {
  Text root = base;
  while (!root.empty() && root.back() == '/') root.pop_back();
  ServiceHosts h;
  h.blog = root;
  h.albumList = root;
  h.photoList = root;
  h.portrait = root;
  const Text host = HostPart(root);
  h.styleHost = host;
  h.imageHost = host;
  h.blogHost = host;
  return h;
}

// Read and replaced on the user-interface thread only.
ServiceHosts& Hosts() { return Current(); }

void SetHosts(const ServiceHosts& hosts) { Current() = hosts; }
