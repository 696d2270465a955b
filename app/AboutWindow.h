#pragma once
// The about window: the program icon, name, version and credit, and the program's address.
// Opened modally over the main window and destroyed when closed.

#include <QDialog>
#include <memory>

namespace Ui {
class AboutWindow;
}

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* owner);
  ~AboutWindow() override;

 private:
  std::unique_ptr<Ui::AboutWindow> ui_;
};
