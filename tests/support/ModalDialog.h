#pragma once
// Answers the next modal dialog a test opens: a timer waits for the active modal widget
// (one that `wanted` accepts, when given) and hands it to `answer`, which accepts,
// rejects or fills it in. The timer gives up after `timeoutMs`; delete it to stop it earlier.
#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace plomix::test {

inline QTimer *AnswerNextModal(std::function<void(QWidget *)> answer, int timeoutMs = 5000,
                            std::function<bool(QWidget *)> wanted = {}) {
  auto *timer = new QTimer;
  // Real time, not counted ticks: a busy machine turns the event loop less often, and a
  // timer left over from one test must not answer the next test's dialog.
  const QDeadlineTimer deadline(timeoutMs);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, answer, deadline, wanted] {
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && (!wanted || wanted(modal))) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    } else if (deadline.hasExpired()) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start();
  return timer;  // deleted by itself once it answered or gave up
}

// Turns the event loop until `done` holds: true as soon as it does, false when it still
// does not after `limitMs`, a bound for a hung program that a passing test never reaches.
inline bool WaitUntil(const std::function<bool()> &done, int limitMs = 5000) {
  return QTest::qWaitFor(done, limitMs);
}

// Delivers what is already queued (posted events, zero-time timers and what they queue in
// turn), so whatever a click started has happened: a dialog it would open is open now.
inline void DeliverQueuedEvents() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

}  // namespace plomix::test
