#pragma once
// The program's GBK texts at the window boundary.

#include <QString>

#include "net/Text.h"

QString ToQString(std::string_view gbk);
Text FromQString(const QString& s);
