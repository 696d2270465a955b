#pragma once
// Small helpers for driving real widgets in tests.

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// A left button press (and, with `release`, its release) in the middle of `w` or at `at`.
inline void PressLeft(QWidget* w, QPoint at = QPoint(-1, -1), bool release = false) {
  const QPointF local = at.x() < 0 ? QPointF(w->width() / 2.0, w->height() / 2.0) : QPointF(at);
  const QPointF global = w->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  if (!release) return;
  QMouseEvent up(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                 Qt::NoModifier);
  QApplication::sendEvent(w, &up);
}

// Runs `act` on the modal window once one is open, from inside its event loop, and records
// whether one ever opened. Gives up after a generous number of turns.
class WhenModalOpens {
 public:
  explicit WhenModalOpens(std::function<void(QWidget*)> act)
      : state_(std::make_shared<State>(State{false, std::move(act)})) {
    Arm(state_, 500);
  }
  bool Opened() const { return state_->opened; }

 private:
  struct State {
    bool opened;
    std::function<void(QWidget*)> act;
  };
  static void Arm(std::shared_ptr<State> state, int turnsLeft) {
    QTimer::singleShot(0, [state, turnsLeft] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        state->opened = true;
        state->act(modal);
      } else if (turnsLeft > 0) {
        Arm(state, turnsLeft - 1);
      }
    });
  }
  std::shared_ptr<State> state_;
};

// Processes the events that showing, hiding or moving a window has posted.
inline void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}
