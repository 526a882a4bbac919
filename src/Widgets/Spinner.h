#pragma once
// Pairs an edit box with an up-down control: the value applies when an arrow is pressed
// or Enter is typed in the edit box; other keys only edit the text. Text that is not a
// number leaves the previous value in force; leaving the box without Enter shows the
// value in force again.
#include <QObject>
#include <functional>

class QLineEdit;

namespace plomix {

class TUpDown;

class TSpinner : public QObject {
  Q_OBJECT

 public:
  using ApplyFunction = std::function<void(int position)>;

  TSpinner(QLineEdit *edit, TUpDown *upDown, ApplyFunction apply);

  // Sets the position (clamped to the range) and shows it, without applying it.
  void SetPosition(int value);
  int Position() const;
  TUpDown *UpDown() const { return FUpDown; }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void ApplyEditText();
  void ShowPosition();

  QLineEdit *FEdit;
  TUpDown *FUpDown;
  ApplyFunction FApply;
};

}  // namespace plomix
