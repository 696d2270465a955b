#pragma once
// Collecting the successive matches of one regular expression in the shared parse buffer.
// Perl syntax over bytes, case-sensitive, the dot matches line breaks; each search starts at the
// end of the previous match.

#include <vector>

#include "net/Text.h"

struct MatchResult {
  int start = 0;   // byte offset of the whole match in the scanned text, from 0
  int length = 0;  // its length in bytes
};

// Every non-overlapping match of pattern in text, left to right. An expression too complex for
// the engine ends the scan with the matches found so far; an invalid pattern gives none.
std::vector<MatchResult> FindAllMatches(std::string_view text, std::string_view pattern);

// Compiles pattern into the program's Pattern, scans ParseBuffer into a new MatchList and
// returns the number of matches. User-interface thread only.
int ScanMatches(std::string_view pattern);
// The text of match i (from 0) of MatchList, taken from ParseBuffer.
Text MatchText(int i);
