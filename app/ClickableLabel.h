#pragma once
// Labels that react to the left mouse button: the 全选/反选 labels and the link boxes.

#include <QLabel>
#include <QString>

class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickableLabel(QWidget* parent = nullptr);

 signals:
  // The left button went down on the label.
  void pressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

// A link box: blue underlined text. With an address it opens that address through the shell's
// default handler when pressed; without one it only reports the press.
class LinkBox : public ClickableLabel {
  Q_OBJECT

 public:
  explicit LinkBox(QWidget* parent = nullptr);

  void SetAddress(const QString& address);
  QString Address() const { return address_; }

 private:
  QString address_;
};
