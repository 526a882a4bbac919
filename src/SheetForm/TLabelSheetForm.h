#pragma once
// The label print settings: plain paper or a label sheet, the user's own sheets (added,
// edited, removed), the start position, the offsets of the chosen printer with a
// calibration page to measure them, and whether bars go on the printer's dots.
#include <QDialog>

#include "Labels/LabelSettings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace plomix {

class TLabelSheetForm : public QDialog {
  Q_OBJECT
 public:
  TLabelSheetForm(const TLabelSettings &settings, QPrinter &printer, QWidget *parent = nullptr);

  // The settings as the controls hold them.
  TLabelSettings Settings() const;

  QComboBox *SheetComboBox;
  QSpinBox *StartSpinBox;
  QDoubleSpinBox *OffsetXSpinBox, *OffsetYSpinBox;
  QCheckBox *SnapCheckBox;
  QPushButton *AddSheetButton, *EditSheetButton, *RemoveSheetButton, *CalibrationButton;
  QLabel *SheetLabel, *PrinterLabel;

  void SheetComboBoxChange();
  void AddSheetButtonClick();
  void EditSheetButtonClick();
  void RemoveSheetButtonClick();
  void CalibrationButtonClick();

 private:
  void FillSheets(const QString &select);
  // Asks for a sheet's name and layout; nothing when the user cancels or gives one that
  // cannot be printed (after saying why).
  std::optional<TLabelSheet> AskSheet(const TLabelSheet *editing);
  const TLabelSheet *UserSheetShown() const;

  TLabelSettings FSettings;
  QPrinter &FPrinter;
};

}  // namespace plomix
