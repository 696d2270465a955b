#pragma once
// One HTTP GET of one address, answered by one body. No status check: whatever body arrives is
// the answer. Both calls are synchronous, thread-safe and bounded in time (connect time-out and
// a stall limit) and in size.

#include <cstddef>

#include "net/Text.h"

struct FetchResult {
  bool complete = false;  // the transfer ended normally with every declared byte
  Bytes body;             // the bytes received (possibly partial when !complete)
};

// The body up to its first zero byte; the empty text when the transfer failed.
Text FetchPageText(const Text& address);
// Every byte of the body; no bytes when the transfer failed. Use FetchBytesChecked where a
// failure must be told apart from an empty body.
Bytes FetchBytes(const Text& address);
FetchResult FetchBytesChecked(const Text& address);

// Limits, shared by both calls; tests lower them.
struct FetchLimits {
  long connectTimeoutMs = 15000;
  long stallSeconds = 30;                     // no byte for this long: give up
  std::size_t maxBodyBytes = 256u << 20;      // far above any page or photo
};
FetchLimits& PageFetchLimits();
