#include "app/ClickableLabel.h"

#include <QMouseEvent>
#include <QUrl>

#include "platform/DesktopEffects.h"

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit pressed();
}

LinkBox::LinkBox(QWidget* parent) : ClickableLabel(parent) {
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(p);
  setCursor(Qt::PointingHandCursor);
  connect(this, &ClickableLabel::pressed, this, [this] {
    if (!address_.isEmpty()) Desktop().Open(QUrl(address_));
  });
}

void LinkBox::SetAddress(const QString& address) {
  address_ = address;
  setToolTip(address);
}
