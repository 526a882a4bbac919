#pragma once
// An up-down control: two arrow buttons holding an integer position within a range.
// Spinners pair one with an edit box; the record mover uses one for its arrows only.
#include <QWidget>

class QToolButton;

namespace plomix {

enum TUDBtnType { btNext, btPrev };  // btNext is the up arrow

class TUpDown : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int min READ Min WRITE setMin)
  Q_PROPERTY(int max READ Max WRITE setMax)
  Q_PROPERTY(int position READ Position WRITE setPosition)

 public:
  explicit TUpDown(QWidget *parent = nullptr);

  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  void setMin(int value);
  void setMax(int value);
  // Stores the value clamped to the range (no Click).
  void setPosition(int value);

  // A press on an arrow: steps the position (clamped) and reports the button.
  void PressArrow(TUDBtnType button);

  // When set, a press that finds the position beyond the guard (either sign) resets it
  // to 0 and reports nothing: the control only serves to produce arrow events.
  void SetResetGuard(int guard) { FResetGuard = guard; }

 signals:
  void Click(TUDBtnType button);

 protected:
  void resizeEvent(QResizeEvent *event) override;

 private:
  QToolButton *FUpButton;
  QToolButton *FDownButton;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FResetGuard = 0;
};

}  // namespace plomix
