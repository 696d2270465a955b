#pragma once
// Every effect that blocks on the user or leaves the program: message boxes, the folder picker,
// waits and shell opens. The real one shows Qt dialogs; tests install one that answers and records.

#include <QString>
#include <QUrl>

class QWidget;

class DesktopEffects {
 public:
  virtual ~DesktopEffects() = default;
  // A box titled "提示" with only an OK button and no icon; returns when the user closed it.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // A box with the given title, the information icon and only an OK button.
  virtual void ShowError(QWidget* parent, const QString& title, const QString& text) = 0;
  // The folder picker; the chosen folder's full path, or the empty text when cancelled.
  virtual QString PickFolder(QWidget* parent, const QString& title) = 0;
  // Opens a folder or a web address with the shell's default handler.
  virtual void Open(const QUrl& url) = 0;
  // Waits the given time while window messages keep being processed.
  virtual void WaitProcessingEvents(int ms) = 0;
};

// The effects in force; the real ones unless a test installed others.
DesktopEffects& Desktop();
// Installs other effects (nullptr restores the real ones). The caller keeps ownership.
void SetDesktop(DesktopEffects* effects);
