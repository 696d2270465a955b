// The program against the sample space instead of the real services: starts the sample space on
// a free port of 127.0.0.1, points the service hosts at it and runs the program. Try the QQ
// numbers 20001 (typical), 20002 (awkward names), 20015, 20057, 20300 (large) and 20000 (closed).
#include <cstdio>

#include "app/StartProgram.h"
#include "net/ServiceHosts.h"
#include "tools/SampleSpace.h"

int main(int argc, char** argv) {
  sample::SampleSpace space;
  const int port = space.Start(0);
  if (port <= 0) {
    std::fprintf(stderr, "the sample space could not start\n");
    return 1;
  }
  std::printf("sample space on %s; accounts 20001 20002 20015 20057 20300 20000\n",
              space.BaseUrl().c_str());
  std::fflush(stdout);
  SetHosts(LocalServiceHosts(space.BaseUrl()));
  return StartProgram(argc, argv);
}
