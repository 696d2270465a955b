// qzone-sample-space --port N [--latency MS] [--bandwidth BYTES_PER_S] [--fault PREFIX=KIND]...
// Serves the sample space on 127.0.0.1 until SIGINT or SIGTERM. The first line of standard
// output is the port (useful with --port 0, which picks a free one). KIND is one of 404, cut,
// stall, zero, huge; PREFIX is matched against the path and query of every request.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <string>
#include <utility>
#include <vector>

#include "tools/SampleSpace.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: qzone-sample-space --port N [--latency MS] [--bandwidth BYTES_PER_S]\n"
               "                          [--fault PREFIX=404|cut|stall|zero|huge]...\n");
  return 2;
}

// "PREFIX=KIND", split at the last '=' (a prefix may hold a query with '=' in it).
bool ReadFault(const std::string& text, std::pair<std::string, sample::Fault>& fault) {
  const std::size_t eq = text.rfind('=');
  if (eq == std::string::npos) return false;
  const std::string kind = text.substr(eq + 1);
  using sample::Fault;
  const std::pair<const char*, Fault> kinds[] = {{"404", Fault::NotFound404},
                                                 {"cut", Fault::CutMidBody},
                                                 {"stall", Fault::Stall},
                                                 {"zero", Fault::ZeroByteInText},
                                                 {"huge", Fault::Huge}};
  for (const auto& [name, f] : kinds) {
    if (kind == name) {
      fault = {text.substr(0, eq), f};
      return true;
    }
  }
  return false;
}

bool ReadNumber(const char* text, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return end && end != text && *end == '\0' && value >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  long port = 0;
  sample::SampleOptions options;
  std::vector<std::pair<std::string, sample::Fault>> faults;
  for (int i = 1; i < argc; ++i) {
    if (i + 1 >= argc) return Usage();
    if (std::strcmp(argv[i], "--fault") == 0) {
      std::pair<std::string, sample::Fault> fault;
      if (!ReadFault(argv[++i], fault)) return Usage();
      faults.push_back(std::move(fault));
      continue;
    }
    long value = 0;
    if (!ReadNumber(argv[i + 1], value)) return Usage();
    if (std::strcmp(argv[i], "--port") == 0 && value <= 65535) {
      port = value;
    } else if (std::strcmp(argv[i], "--latency") == 0) {
      options.latencyMs = static_cast<int>(value);
    } else if (std::strcmp(argv[i], "--bandwidth") == 0) {
      options.bytesPerSecond = value;
    } else {
      return Usage();
    }
    ++i;
  }

  // Block the stop signals before any thread exists, so that only sigwait below receives them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  sample::SampleSpace space(options);
  for (auto& [prefix, fault] : faults) space.SetFault(prefix, fault);
  const int bound = space.Start(static_cast<int>(port));
  if (bound < 0) {
    std::fprintf(stderr, "qzone-sample-space: cannot listen on 127.0.0.1:%ld\n", port);
    return 1;
  }
  std::printf("%d\n", bound);
  std::fflush(stdout);
  std::fprintf(stderr, "qzone-sample-space: serving %s\n", space.BaseUrl().c_str());

  int received = 0;
  sigwait(&stopSignals, &received);
  space.Stop();
  return 0;
}
