#pragma once
// The help window: how to download blogs, albums and videos. Opened modally over the main window
// and destroyed when closed.

#include <QDialog>
#include <memory>

namespace Ui {
class HelpWindow;
}

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* owner);
  ~HelpWindow() override;

  // Click on 关闭.
  void CloseHelpWindow();

 private:
  std::unique_ptr<Ui::HelpWindow> ui_;
};
