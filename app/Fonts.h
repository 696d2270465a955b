#pragma once
// The window fonts. 微软雅黑 and 宋体 exist only on Windows; elsewhere the next family that is
// installed and holds Chinese glyphs is used, so no text shows as empty boxes.

#include <QFont>

// 微软雅黑 at the given character height in pixels.
QFont YaHeiFont(int pixels);
// 宋体 at the given character height in pixels.
QFont SongFont(int pixels);
