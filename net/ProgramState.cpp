#include "net/ProgramState.h"

namespace {
std::unique_ptr<ProgramState> state;
}  // namespace

void CreateProgramState() {
  state = std::make_unique<ProgramState>();
}

void FreeProgramState() {
  state.reset();
}

ProgramState& Program() {
  // A handler run without start-up (a test, a tool) still gets a state of its own.
  if (!state) CreateProgramState();
  return *state;
}

bool ProgramStateExists() {
  return state != nullptr;
}
