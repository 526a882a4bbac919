#pragma once
// The progress window: a small always-on-top tool window with one progress bar, shown
// while the print preview composes its pages.
#include <QWidget>

class QFrame;
class QProgressBar;

namespace plomix {

class TProgressForm : public QWidget {
  Q_OBJECT

 public:
  explicit TProgressForm(QWidget *parent = nullptr);

  QFrame *Panel1;
  QProgressBar *ProgressBar1;

  // Advances the bar by its step, as the preview does once per composed page.
  void StepIt();
  int Step = 1;

 protected:
  void showEvent(QShowEvent *event) override;
};

// The one progress window of the program, created at start.
extern TProgressForm *ProgressForm;

}  // namespace plomix
