#pragma once
// The program's entry after the platform's own start-up.

// Creates the program-wide state, shows the main window, runs the message loop until the main
// window is closed or "退出程序" is chosen, then frees the state. Returns 0.
int StartProgram(int argc, char** argv);
