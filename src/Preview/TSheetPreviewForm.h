#pragma once
// The preview of a label-sheet print: one sheet at a time, with the labels' outlines, the
// skipped labels shaded, the symbols on whole dots and a mark on each symbol that would not
// read. 印刷 asks before it goes ahead when a symbol seen would not read.
#include <QDialog>
#include <functional>
#include <set>

#include "Preview/SheetPreview.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace plomix {

class TSheetPreviewForm : public QDialog {
  Q_OBJECT

 public:
  // The preview's own dots: bars snap to them as they will to the printer's.
  static constexpr int kPreviewDpi = 150;

  TSheetPreviewForm(const TSheetLayout &layout, std::int64_t items,
                    std::function<const TSnapSource *(std::int64_t)> load, const TBarSymbol &shown,
                    QWidget *parent = nullptr);

  QLabel *SheetImage = nullptr;
  QLabel *VerdictLabel = nullptr;
  QLabel *SheetLabel = nullptr;
  QPushButton *PriorButton = nullptr;
  QPushButton *NextButton = nullptr;
  QPushButton *PrintButton = nullptr;
  QPushButton *CancelButton = nullptr;

  const TSheetPicture &Shown() const { return FPicture; }
  void ShowSheet(int sheet);
  void PrintButtonClick();

 private:
  TSheetLayout FLayout;
  std::int64_t FItems;
  std::function<const TSnapSource *(std::int64_t)> FLoad;
  const TBarSymbol &FShown;
  TSheetPicture FPicture;
  int FSheet = 0;
  std::set<std::int64_t> FUnreadable;  // items seen that would not read, on any sheet shown
};

}  // namespace plomix
