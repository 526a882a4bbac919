#pragma once
// Answers the next modal dialog a test opens: a timer waits for the active modal widget
// and hands it to `answer`, which accepts, rejects or fills it in.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace plomix::test {

inline void AnswerNextModal(std::function<void(QWidget *)> answer, int timeoutMs = 5000) {
  auto *timer = new QTimer;
  auto elapsed = std::make_shared<int>(0);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, answer, elapsed, timeoutMs] {
    *elapsed += timer->interval();
    if (QWidget *modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    } else if (*elapsed > timeoutMs) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start();
}

}  // namespace plomix::test
