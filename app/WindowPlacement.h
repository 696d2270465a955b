#pragma once
// Placing top-level windows.

class QWidget;

// Moves the window so that its outer rectangle lies in the centre of the screen's work area.
// Before the window was shown its frame is not known yet; a single fixed border of 3 pixels and
// a 23 pixel caption are assumed then.
void CentreOnScreen(QWidget* window);
