#pragma once
// The program-wide state shared by the handlers, all on the user-interface thread.

#include <memory>
#include <vector>

#include <boost/regex.hpp>

#include "net/PatternScan.h"
#include "net/Text.h"

struct ProgramState {
  Text ParseBuffer;                       // the text being taken apart
  std::unique_ptr<boost::regex> Pattern;  // the compiled expression of the last scan
  std::vector<MatchResult> MatchList;     // the matches of the last scan
  int PhotoTotal = 0;                     // photo rows listed for the photo download
  Text VideoAddress;
  Text VideoTitle;
  Text VideoAccountFolder;
  Text BrowserCacheFolder;
};

// Creates the shared objects; called once at start-up before any window exists.
void CreateProgramState();
// Frees them; runs once at the end, after the windows are gone.
void FreeProgramState();
// The state between CreateProgramState and FreeProgramState.
ProgramState& Program();
bool ProgramStateExists();
