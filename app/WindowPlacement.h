#pragma once
// Placing top-level windows.

class QDialog;
class QWidget;

// Moves the window so that its outer rectangle lies in the centre of the screen's work area.
// Before the window was shown its frame is not known yet; a single fixed border of 3 pixels and
// a 23 pixel caption are assumed then.
void CentreOnScreen(QWidget* window);

// An information window: modal, fixed to the given client size, close button only, and never
// ending the program when closed (even while the main window is hidden in the tray).
void SetUpInformationWindow(QDialog* window, int clientWidth, int clientHeight);
