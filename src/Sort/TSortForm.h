#pragma once
// The sort dialog: which field to sort by and in which direction. It holds no state of
// its own: it shows the caller's settings and writes them back only when accepted.
#include <QDialog>

#include "Sort/SortKey.h"
#include "ui_TSortForm.h"

namespace plomix {

class TSortForm : public QDialog, public Ui::TSortForm {
  Q_OBJECT

 public:
  TSortForm(TSortKey &sortKey, int &sortDirection, QWidget *owner = nullptr);

  void FormShow();
  void Button1Click();

  // The selected item of a radio group, or -1.
  int RadioGroup1ItemIndex() const;
  int RadioGroup2ItemIndex() const;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  TSortKey &FSortKey;
  int &FSortDirection;
};

}  // namespace plomix
