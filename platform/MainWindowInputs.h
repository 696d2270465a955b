#pragma once
// The two inputs of every job, read afresh from the main window's boxes at every use:
// QqNumber (编辑框1) and SaveRoot (保存位置), and the account folder formed from them.
// Safe to call from a worker thread: the read is then carried out by the user-interface thread,
// which must be processing events at that moment.

#include "net/Text.h"

class QWidget;
class ReportList;

// SaveRoot immediately followed by the QQ number, with nothing between them:
// "D:\dl" and "12345" give "D:\dl12345", "D:\" and "12345" give "D:\12345".
Text AccountFolder(const Text& saveRoot, const Text& qq);

// The text of 编辑框1, exactly as typed (GBK).
Text QqNumberOf(QWidget* window);
// The text of 保存位置 (GBK).
Text SaveRootOf(QWidget* window);
// AccountFolder of the window's current texts.
Text AccountFolderOf(QWidget* window);

// Click on 到目录, and the end of the photo download: asks the shell to open the account folder.
// Nothing is tested before and nothing is reported; a folder that does not exist is not opened.
void OpenAccountFolder(QWidget* window);

// The window's report list of that design name ("超级列表框_日志"), or nullptr.
// User-interface thread only.
ReportList* ListOf(QWidget* window, const char* name);
