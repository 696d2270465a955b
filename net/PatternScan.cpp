#include "net/PatternScan.h"

#include <stdexcept>

#include "net/ProgramState.h"

namespace {

std::vector<MatchResult> Scan(std::string_view text, const boost::regex& expression) {
  std::vector<MatchResult> found;
  const char* const begin = text.data();
  const char* const end = text.data() + text.size();
  const char* from = begin;
  boost::cmatch match;
  try {
    while (from <= end) {
      auto flags = boost::match_default;
      if (from != begin) flags |= boost::match_prev_avail;
      if (!boost::regex_search(from, end, match, expression, flags)) break;
      const auto start = static_cast<int>(match[0].first - begin);
      const auto length = static_cast<int>(match[0].second - match[0].first);
      found.push_back({start, length});
      // An empty match would be found again at the same place: step over one byte.
      from = match[0].second + (length == 0 ? 1 : 0);
    }
  } catch (const std::runtime_error&) {
    // The engine gave up on an expression too complex for this text: keep what was found.
  }
  return found;
}

std::unique_ptr<boost::regex> Compile(std::string_view pattern) {
  try {
    // Perl syntax, case-sensitive; with the default match flags the dot also matches line breaks.
    return std::make_unique<boost::regex>(pattern.begin(), pattern.end(), boost::regex::perl);
  } catch (const boost::regex_error&) {
    return nullptr;
  }
}

}  // namespace

std::vector<MatchResult> FindAllMatches(std::string_view text, std::string_view pattern) {
  auto expression = Compile(pattern);
  if (!expression) return {};
  return Scan(text, *expression);
}

int ScanMatches(std::string_view pattern) {
  ProgramState& state = Program();
  state.Pattern = Compile(pattern);
  state.MatchList = state.Pattern ? Scan(state.ParseBuffer, *state.Pattern)
                                  : std::vector<MatchResult>();
  return static_cast<int>(state.MatchList.size());
}

Text MatchText(int i) {
  const ProgramState& state = Program();
  if (i < 0 || i >= static_cast<int>(state.MatchList.size())) return Text();
  const MatchResult& m = state.MatchList[static_cast<size_t>(i)];
  return state.ParseBuffer.substr(static_cast<size_t>(m.start), static_cast<size_t>(m.length));
}
