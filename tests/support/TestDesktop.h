#pragma once
// Desktop effects for tests: message boxes are answered at once and recorded, the folder picker
// returns a preset answer, opens and waits are recorded.

#include <QCoreApplication>
#include <QStringList>
#include <QUrl>
#include <vector>

#include "platform/DesktopEffects.h"

class TestDesktop : public DesktopEffects {
 public:
  TestDesktop() { SetDesktop(this); }
  ~TestDesktop() override { SetDesktop(nullptr); }

  void ShowMessage(QWidget*, const QString& text) override { messages.push_back(text); }
  void ShowError(QWidget*, const QString& title, const QString& text) override {
    errors.push_back(title + ": " + text);
  }
  QString PickFolder(QWidget*, const QString& title) override {
    pickerTitles.push_back(title);
    return folderAnswer;
  }
  void Open(const QUrl& url) override { opened.push_back(url); }
  void WaitProcessingEvents(int ms) override {
    waits.push_back(ms);
    QCoreApplication::processEvents();
  }

  QStringList messages;
  QStringList errors;
  QStringList pickerTitles;
  QString folderAnswer;
  std::vector<QUrl> opened;
  std::vector<int> waits;
};
