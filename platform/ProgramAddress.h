#pragma once
// The one web address of this program. The link boxes of the main window, the about window's
// address and the tray menu's "查看更新" all point at it or below it. example.org is a reserved
// domain, so no page of anyone else is ever opened by accident; the real home page goes here.

#include <QString>

inline constexpr const char* kProgramAddress = "https://qzone-downloader.example.org/";

// A page below the address: "support" (请我喝茶), "contact" (联系作者), "releases" (查看更新).
inline QString ProgramPage(const char* below) {
  return QString::fromUtf8(kProgramAddress) + QString::fromUtf8(below);
}
