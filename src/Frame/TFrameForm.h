#pragma once
// The main window: the symbol view, the control panel with the record list and every
// symbol setting, the button bar, the read-me pane and the pop-up menu.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Encoders/BarTypes.h"
#include "Common/Fonts.h"
#include "Records/RecordList.h"
#include "Sort/SortKey.h"
#include "Widgets/UpDown.h"
#include "Print/PrintState.h"
#include "Print/PrinterChoice.h"
#include "Labels/LabelSettings.h"
#include "ui_TFrameForm.h"

class QAction;
class QMenu;

namespace plomix {

class TSpinner;
class TParameter;
class TBarImage;
struct TFrameSetting;

// The print state fields (PrinterDpiX ... ActualSizeSwitch) come from TPrintState.
class TFrameForm : public QWidget, public Ui::TFrameForm, public TPrintState, public TPrintHost {
  Q_OBJECT

 public:
  // `programDir` is where the environment, data and read-me files live; empty means
  // the program's own directory (or the per-user data directory when that is read-only).
  explicit TFrameForm(const QString &programDir = {}, QWidget *parent = nullptr);
  ~TFrameForm() override;

  // --- the record list and positions ---
  TRecordList *Records() const { return FRecords; }
  int CurrentIndex() const { return ComboBox1->currentIndex(); }
  void SelectRecord(int index);  // the same selection in all three boxes

  // --- fields, in declaration order ---
  int OrgHeight = 100;
  int ShownIndex = -1;
  TSortKey SortKey = skCode;
  int SortDirection = 1;
  QString SaveDir;

  // The record index the data-list window hands back, held in the list button's tag.
  int ListReturnIndex() const;
  void SetListReturnIndex(int index);

  // --- routines used by nearly every handler ---
  void PushRecord();
  void StatusRefresh();
  int FindCode(const std::string &code) const { return FRecords->FindCode(code); }
  void ReadmeScroll(int barType);

  QMenu *PopupMenu1 = nullptr;
  QAction *T1 = nullptr;
  QAction *N01 = nullptr;
  QAction *N901 = nullptr;
  QAction *N1801 = nullptr;
  QAction *N2701 = nullptr;
  QAction *CtrlF51 = nullptr;
  QAction *N4 = nullptr;
  QAction *Help1 = nullptr;
  QAction *N5 = nullptr;  // 住所から作成… (the customer barcode only)
  QAction *CsvImport1 = nullptr;  // reads a CSV file into the list through the data list window

  // The font the font dialog holds; always equal to the symbol's font.
  TFont FontDialog1Font;

  // The environment file (created when the window is first shown).
  std::unique_ptr<TParameter> Parameter1;

  // Where the environment and data files live, and the read-me file's path.
  QString DataDir() const;
  QString ReadmePath() const;

  // --- start-up and shutdown ---
  void FormShow();
  // Writes the data files and the environment file; false (reported) when one could
  // not be written, and the window stays open.
  bool FormCloseQuery();
  void LoadReadme();

  // --- handlers ---
  void ComboBox1KeyDown();
  void ComboBox1Edited();
  void ComboBox1Change(int index);
  void ComboBox7Change(int index);
  void ComboBox8Change(int index);
  void ComboBox7KeyDown();
  void ComboBox8KeyDown();
  void Button5Click();
  void UpDown11Click(TUDBtnType button);
  void Button12Click();
  void BarImage1ChangedCode(TBarImage *sender, bool watch);
  void Button7Click();
  void ComboBox2Change(int index);
  void ComboBox3Change(int index);
  void ComboBox4Change(int index);
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void ComboBox5Change(int index);
  void ComboBox6Change(int index);
  void Button1Click();
  void Button2Click();
  void Button11Click();
  void Button3Click();
  void Button4Click();
  void Button6Click();
  void Button13Click();
  void Button14Click();
  void CsvImport1Click();
  // Opens the data list window with the import of the CSV file at `path` (the menu, the
  // command line and a dropped file); its OK takes the records into the list.
  void ImportCsvFile(const QString &path);
  void PopupMenu1Popup();
  void AngleItemClick(int angle);
  void CtrlF51Click();
  void Help1Click();
  void N4Click();
  void N5Click();
  void Button8Click();
  void Button9Click();
  void Button10Click();
  // Label sheets: their settings dialog, and the prints onto them.
  void LabelSheetButtonClick();
  TLabelSettings &LabelSettings() { return FLabelSettings; }
  void UpDown8Click();
  void Panel7MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void Panel8MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void FormResize();

  // --- printing: the printer every print uses (also the text list and the size report) ---
  QPrinter &Printer() override { return FPrinterChoice.Printer(); }
  TPrinterChoice &PrinterChoice() { return FPrinterChoice; }
  TPrintState &PrintState() override { return *this; }
  const TBarSymbol &PrintSymbol() const override { return *BarImage1; }
  const TRecordList &PrintRecords() const override { return *FRecords; }
  int PrintScale() const override { return UpDown8->Position(); }
  void SetPrintScale(int percent) override;
  int PrintCopies() const override { return UpDown7->Position(); }
  bool PrintSnapToDots() const override { return FLabelSettings.SnapToDots; }

  // Spinners: the edit box and up-down pairs of the control panel and the button bar.
  TSpinner *Spinner(const TUpDown *upDown) const;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

 private:
  // The read-back verdict of the shown symbol, under the symbol (FrameReadBack.cpp).
  QLabel *ReadBackPanel = nullptr;
  void CreateReadBackPanel();
  void ShowReadBack();
  void CreatePopupMenu();
  // The data list window; `csvPath`, when given, is imported as soon as it shows.
  void OpenDataList(const QString &csvPath);
  void CreateSpinners();
  void ConnectHandlers();
  void SetSymbolComments(const std::string &up, const std::string &down);
  void SetStatus(const QString &text, const QColor &color);
  void SetSpacingPanel(QLabel *panel, const char *caption, int value);
  void ApplySymbologyControls(TBarTypes type);
  // The settings table (FrameSettings.cpp) and the three walks over it.
  std::vector<TFrameSetting> SettingsTable();
  void ApplyDesignSettings();
  void RestoreSettings(QStringList &problems);
  void WriteSettings(TParameter &parameters);
  void ReportProblems(const QString &title, const QStringList &problems);
  void ShowMessage(const QString &text);
  // After a print: the error, or where a PDF file nobody chose went.
  void ReportPrint(bool printed, const QString &error);
  bool AskCloseWithoutSaving(const QString &failure);
  QString KeepEnvironmentFile(bool readable);
  void PlaceWindow(const QRect &stored);
  // Inserts (code, "", "") after the shown record, or appends to an empty list, and selects it.
  void AddCodeAfterShown(const std::string &code);
  // A code the symbol took from the clipboard: its record is selected with its comments,
  // or a new record is added after the shown one.
  void TakeSymbolCode(const std::string &code);
  // The symbol's code with a CR, LF or NUL in it (a pasted or watched text) replaced as
  // the data files store it; the symbol is given the same text.
  std::string OneLineSymbolCode();
  int InsertPosition() const;

  QString FProgramDir;
  bool FProgramDirGiven = false;
  bool FShownOnce = false;
  // Chosen once, when the window is first shown; every read and write of the run uses it.
  QString FDataDir;
  // Files whose original could not be backed up at start-up: the close leaves them as they are.
  QStringList FUntouchableDataFiles;
  bool FEnvironmentUntouchable = false;
  // The window's bounds as read, and where it was put because they were not reachable
  // (invalid when it was put exactly there).
  QRect FStoredBounds;
  QRect FPlacedBounds;
  TRecordList *FRecords;
  // An edit box with its up-down pair, the key it is saved under and what its value
  // sets on the symbol (restored values too; empty for the print settings).
  struct TFrameSpinner {
    const char *Key;
    TSpinner *Spinner;
    std::function<void(int)> ToSymbol;
  };
  std::vector<TFrameSpinner> FSpinners;
  const TFrameSpinner &SpinnerFor(const char *key) const;
  TPrinterChoice FPrinterChoice;
  TLabelSettings FLabelSettings;
  // Prints `items` symbols onto the chosen sheet: the copies of the shown symbol, or the
  // records (`records`); true when something was printed or nothing was asked.
  void PrintOnSheet(const TLabelSheet &sheet, bool records);
  void RestoreLabelSettings(const class TParameter &parameters);
  void WriteLabelSettings(class TParameter &parameters);
};

}  // namespace plomix
