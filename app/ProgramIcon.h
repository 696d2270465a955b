#pragma once
// The program icon: one icon holding the 48, 32, 24 and 16 pixel images.

#include <QIcon>

QIcon ProgramIcon();
