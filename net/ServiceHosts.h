#pragma once
// Where the web services are. The real table names the real hosts; tests and the demo point it at
// the sample space on 127.0.0.1. The program itself reads no setting.

#include "net/Text.h"

struct ServiceHosts {
  Text blog;       // scheme://host[:port] of the blog service
  Text albumList;  // album-list service
  Text photoList;  // photo-list service
  Text portrait;   // portrait-and-nickname service
  Text styleHost;  // host names the title-list request passes as query values
  Text imageHost;
  Text blogHost;
};

ServiceHosts RealServiceHosts();
// All services at one base address, e.g. "http://127.0.0.1:8123".
ServiceHosts LocalServiceHosts(const Text& base);
ServiceHosts& Hosts();
void SetHosts(const ServiceHosts& hosts);
