// TFrameForm's start-up restore and shutdown save: the environment file, the three data
// files and the read-me pane.
#include <QCloseEvent>
#include <QFile>
#include <QMessageBox>
#include <QShowEvent>

#include "BarImage/TBarImage.h"
#include "Common/ProgramDir.h"
#include "Common/ShiftJis.h"
#include "DataList/DataListDefaults.h"
#include "Frame/EnvironmentKeys.h"
#include "Frame/FontSizes.h"
#include "Frame/TFrameForm.h"
#include "Param/TParameter.h"
#include "Records/RecordFiles.h"
#include "Widgets/Spinner.h"

namespace plomix {
namespace {

QString Text(const char *utf8) { return QString::fromUtf8(utf8); }
std::string Sjis(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }
std::string FromQtPath(const QString &path) { return QFile::encodeName(path).toStdString(); }

// An integer setting that must lie in [low, high] to be taken.
int ReadIndex(const TParameter &parameters, const char *name, int low, int high) {
  const int value = parameters.ReadInteger(Sjis(name));
  if (value < low || value > high)
    throw EValueName("Value of " + Sjis(name) + " '" + std::to_string(value) + "' is not within " +
                     std::to_string(low) + ".." + std::to_string(high) + ".");
  return value;
}

}  // namespace

QString TFrameForm::DataDir() const {
  return FProgramDirGiven ? DataDirectoryFor(FProgramDir) : DataDirectory();
}

QString TFrameForm::ReadmePath() const {
  return FProgramDirGiven ? FProgramDir + QStringLiteral("/Readme.txt") : plomix::ReadmePath();
}

void TFrameForm::ReportProblems(const QString &title, const QStringList &problems) {
  if (problems.isEmpty()) return;
  QMessageBox box(QMessageBox::Warning, title, problems.join(QLatin1Char('\n')), QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

void TFrameForm::LoadReadme() {
  Memo1->clear();
  const QString path = ReadmePath();
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = file.readAll();
  Memo1->setPlainText(SjisToUnicode(std::string_view(bytes.constData(), bytes.size())));
}

void TFrameForm::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  if (FShownOnce) return;
  FShownOnce = true;
  FormShow();
}

void TFrameForm::closeEvent(QCloseEvent *event) {
  if (FormCloseQuery()) event->accept();
  else event->ignore();
}

// ---------------------------------------------------------------- start-up

void TFrameForm::FormShow() {
  QStringList problems;
  BarImage1->SetBarEnabled(false);
  LoadReadme();

  Parameter1 = std::make_unique<TParameter>();
  try {
    if (FProgramDirGiven) {
      Parameter1->SetDir(FromQtPath(DataDir()));
      Parameter1->SetExeName(FromQtPath(FProgramDir + QStringLiteral("/plomix")));
      Parameter1->Load();
    } else {
      Parameter1->Open();
    }
  } catch (const std::exception &error) {
    problems << SjisToUnicode(error.what());
  }
  // A list that the data-list window started alone holds none of this window's keys.
  const bool firstRun = Parameter1->Count() == 0 ||
                        Parameter1->Lines(0).find(kDataListMarker) != std::string::npos;

  RecordFileContents files = LoadRecordFiles(DataDir());
  problems << files.Notices;
  FRecords->Replace(std::move(files.Codes), std::move(files.CommentsUp), std::move(files.CommentsDown));

  if (firstRun) {
    ComboBox2->setCurrentIndex(cbarJAN);
    for (QComboBox *box : {ComboBox3, ComboBox4}) {
      box->setEditable(true);
      box->setCurrentIndex(0);
      box->setEditText(QStringLiteral(" "));
    }
    ComboBox5->setCurrentIndex(0);
    ComboBox6->setCurrentIndex(0);
    OrgHeight = BarImage1->BarHeight();
    ActualSizeSwitch = false;
    ColumnSpacing = 0;
    RowSpacing = 10;
    SetSpacingPanel(Panel7, "行間隔 = ", RowSpacing);
    SetSpacingPanel(Panel8, "列間隔 = ", ColumnSpacing);
    SortKey = skCode;
    SortDirection = 1;
    SaveDir.clear();
    ReadmeScroll(BarImage1->BarType());
  } else {
    RestoreSettings(problems);
  }

  if (FRecords->IsEmpty()) {
    SelectRecord(-1);
    if (!firstRun) Panel5->clear();
  } else {
    int current = 0;
    if (!firstRun) {
      try {
        current = Parameter1->ReadInteger(Sjis(envkey::CurrentRecord));
      } catch (const std::exception &error) {
        problems << SjisToUnicode(error.what());
      }
      if (current < 0 || current >= FRecords->Count()) current = 0;
    }
    SelectRecord(current);
  }

  if (!FRecords->IsEmpty()) {
    PushRecord();
    BarImage1->SetBarEnabled(true);
    StatusRefresh();
  } else {
    BarImage1->SetBarEnabled(true);
  }
  ListPrintMode = false;
  ShownIndex = CurrentIndex();
  if (!problems.isEmpty())
    problems.prepend(Text("設定の一部を読み込めませんでした。読めなかった項目は初期値を使います。\n"));
  ReportProblems(Text("Plomix"), problems);
}

// Reads every key in table order; a key that cannot be read keeps its design-time value
// and is reported.
void TFrameForm::RestoreSettings(QStringList &problems) {
  const TParameter &p = *Parameter1;
  auto attempt = [&problems](auto &&step) {
    try {
      step();
    } catch (const std::exception &error) {
      problems << SjisToUnicode(error.what());
    }
  };
  auto integer = [&p](const char *name) {
    try {
      return p.ReadInteger(Sjis(name));
    } catch (const EConvertError &error) {  // name the key the text belongs to
      throw EConvertError(Sjis(name) + ": " + error.what());
    }
  };
  auto boolean = [&p](const char *name) { return p.ReadBool(Sjis(name)); };
  auto spinner = [&](const char *name, int number, auto apply) {
    attempt([&] {
      FSpinners[number]->SetPosition(integer(name));
      apply(FSpinners[number]->Position());
    });
  };
  TBarImage *bar = BarImage1;

  QRect bounds = geometry();
  attempt([&] { bounds.moveLeft(integer(envkey::Left)); });
  attempt([&] { bounds.moveTop(integer(envkey::Top)); });
  attempt([&] { bounds.setWidth(std::max(1, integer(envkey::Width))); });
  attempt([&] { bounds.setHeight(std::max(1, integer(envkey::Height))); });
  move(bounds.topLeft());
  resize(bounds.size());
  attempt([&] {
    switch (ReadIndex(p, envkey::WindowState, 0, 2)) {
      case 1: setWindowState(Qt::WindowMinimized); break;
      case 2: setWindowState(Qt::WindowMaximized); break;
      default: setWindowState(Qt::WindowNoState); break;
    }
  });
  attempt([&] {
    ComboBox2->setCurrentIndex(ReadIndex(p, envkey::BarType, 0, kBarTypeCount - 1));
    bar->SetBarType(static_cast<TBarTypes>(ComboBox2->currentIndex()));
  });
  attempt([&] {
    const int index = ReadIndex(p, envkey::StartChar, -1, 3);
    ComboBox3->setCurrentIndex(index);
    bar->SetStartChar(static_cast<char>('A' + index));
  });
  attempt([&] {
    const int index = ReadIndex(p, envkey::StopChar, -1, 3);
    ComboBox4->setCurrentIndex(index);
    bar->SetStopChar(static_cast<char>('A' + index));
  });
  attempt([&] {
    CheckBox2->setChecked(boolean(envkey::SymbolDisp));
    bar->SetSymbolDisp(CheckBox2->isChecked());
  });
  attempt([&] {
    CheckBox1->setChecked(boolean(envkey::CheckDigit));
    bar->SetCD(CheckBox1->isChecked());
  });
  attempt([&] {
    CheckBox3->setChecked(boolean(envkey::ClipWatch));
    bar->SetClipWatch(CheckBox3->isChecked());
    Button12->setEnabled(!CheckBox3->isChecked());
  });
  spinner(envkey::Scale, 1, [bar](int v) { bar->SetScale(static_cast<TSCale>(v)); });
  spinner(envkey::Frame, 6, [bar](int v) { bar->SetBarFrame(static_cast<TFrameSize>(v)); });
  attempt([&] { ComboBox5->setCurrentIndex(ReadIndex(p, envkey::DisplayFormat, 0, 1)); });
  spinner(envkey::BarHeight, 2, [bar](int v) { bar->SetBarHeight(v); });
  spinner(envkey::SpaceUp, 9, [bar](int v) { bar->SetBarSpaceUp(v); });
  spinner(envkey::SpaceDown, 10, [bar](int v) { bar->SetBarSpaceDown(v); });
  spinner(envkey::SpaceLeft, 4, [bar](int v) { bar->SetBarSpaceLeft(v); });
  spinner(envkey::SpaceRight, 5, [bar](int v) { bar->SetBarSpaceRight(v); });
  attempt([&] {
    ComboBox6->setCurrentIndex(ReadIndex(p, envkey::CopyMethod, 0, 2));
    bar->SetBarPicture(static_cast<TPictures>(ComboBox6->currentIndex()));
  });
  spinner(envkey::ElementRatio, 3, [bar](int v) { bar->SetElementRatio(static_cast<TElementRatio>(v)); });
  spinner(envkey::PrintCopies, 7, [](int) {});
  spinner(envkey::PrintScale, 8, [](int) {});
  attempt([&] { bar->SetBarColor(integer(envkey::BarColor)); });
  attempt([&] { bar->SetBackColor(integer(envkey::BackColor)); });
  attempt([&] { OrgHeight = integer(envkey::OrgHeight); });
  attempt([&] { ActualSizeSwitch = boolean(envkey::ActualSizeSwitch); });
  attempt([&] {
    RowSpacing = std::clamp(integer(envkey::RowSpacing), 0, 2000);
    SetSpacingPanel(Panel7, "行間隔 = ", RowSpacing);
  });
  attempt([&] {
    ColumnSpacing = std::clamp(integer(envkey::ColumnSpacing), 0, 2000);
    SetSpacingPanel(Panel8, "列間隔 = ", ColumnSpacing);
  });
  attempt([&] {
    const int key = integer(envkey::SortKey);  // never written otherwise: codes
    SortKey = (key == skCommentUp || key == skCommentDown) ? static_cast<TSortKey>(key) : skCode;
  });
  attempt([&] { SortDirection = integer(envkey::SortDirection) == 1 ? -1 : 1; });
  const int dpi = logicalDpiY();
  attempt([&] { FontDialog1Font.Font.setFamily(SjisToUnicode(p.ReadString(Sjis(envkey::FontName)))); });
  attempt([&] { SetFontSizePoints(FontDialog1Font.Font, integer(envkey::FontSize), dpi); });
  attempt([&] {
    const TFontStyles styles = p.ReadFontStyle(Sjis(envkey::FontStyle));
    FontDialog1Font.Font.setBold(styles.Contains(fsBold));
    FontDialog1Font.Font.setItalic(styles.Contains(fsItalic));
    FontDialog1Font.Font.setUnderline(styles.Contains(fsUnderline));
    FontDialog1Font.Font.setStrikeOut(styles.Contains(fsStrikeOut));
  });
  attempt([&] { FontDialog1Font.Color = integer(envkey::FontColor); });
  bar->SetBarFont(&FontDialog1Font);
  attempt([&] { SaveDir = SjisToUnicode(p.ReadString(Sjis(envkey::SaveDir))); });

  ComboBox2Change(bar->BarType());
}

// ---------------------------------------------------------------- shutdown

bool TFrameForm::FormCloseQuery() {
  QString error;
  if (!SaveRecordFiles(DataDir(), FRecords->List(rfCode), FRecords->List(rfCommentUp),
                       FRecords->List(rfCommentDown), &error)) {
    ReportProblems(Text("Plomix"), {error});
    return false;
  }
  if (!Parameter1) Parameter1 = std::make_unique<TParameter>();
  TParameter &p = *Parameter1;
  if (p.ExeName().empty()) {
    p.SetDir(FromQtPath(DataDir()));
    p.SetExeName(FromQtPath((FProgramDirGiven ? FProgramDir : ProgramDirectory()) + QStringLiteral("/plomix")));
  }

  std::vector<std::string> carried;
  if (p.Count() > 0 && p.Lines(0).find(kDataListMarker) != std::string::npos) {
    while (p.Count() > 0) {
      carried.push_back(p.Lines(0));
      p.Delete(0);
    }
  } else if (p.Count() == 0) {
    for (std::string_view line : kDataListDefaultLines) carried.push_back(Sjis(std::string(line).c_str()));
  }
  WriteSettings(p);
  for (const std::string &line : carried) p.Add(line);
  try {
    p.Save();
  } catch (const std::exception &failure) {
    ReportProblems(Text("Plomix"), {SjisToUnicode(failure.what())});
    return false;
  }
  return true;
}

void TFrameForm::WriteSettings(TParameter &p) {
  auto integer = [&p](const char *name, int value) { p.WriteInteger(Sjis(name), value); };
  auto boolean = [&p](const char *name, bool value) { p.WriteBool(Sjis(name), value); };
  const QRect bounds = QRect(pos(), size());
  const bool newFile = p.Count() == 0;
  if (newFile) p.Add(Sjis(kEnvironmentHeader));
  if (newFile || !isMaximized()) {  // a maximised window keeps its last normal bounds
    integer(envkey::Left, bounds.left());
    integer(envkey::Top, bounds.top());
    integer(envkey::Width, bounds.width());
    integer(envkey::Height, bounds.height());
  }
  const int state = isMaximized() ? 2 : isMinimized() ? 1 : 0;
  integer(envkey::WindowState, state);
  integer(envkey::CurrentRecord, CurrentIndex());
  integer(envkey::BarType, ComboBox2->currentIndex());
  integer(envkey::StartChar, ComboBox3->currentIndex());
  integer(envkey::StopChar, ComboBox4->currentIndex());
  boolean(envkey::SymbolDisp, CheckBox2->isChecked());
  boolean(envkey::CheckDigit, CheckBox1->isChecked());
  boolean(envkey::ClipWatch, CheckBox3->isChecked());
  integer(envkey::Scale, UpDown1->Position());
  integer(envkey::Frame, UpDown6->Position());
  integer(envkey::DisplayFormat, ComboBox5->currentIndex());
  integer(envkey::BarHeight, UpDown2->Position());
  integer(envkey::SpaceUp, UpDown9->Position());
  integer(envkey::SpaceDown, UpDown10->Position());
  integer(envkey::SpaceLeft, UpDown4->Position());
  integer(envkey::SpaceRight, UpDown5->Position());
  integer(envkey::CopyMethod, ComboBox6->currentIndex());
  integer(envkey::ElementRatio, UpDown3->Position());
  integer(envkey::PrintCopies, UpDown7->Position());
  integer(envkey::PrintScale, UpDown8->Position());
  integer(envkey::BarColor, BarImage1->BarColor());
  integer(envkey::BackColor, BarImage1->BackColor());
  integer(envkey::OrgHeight, OrgHeight);
  boolean(envkey::ActualSizeSwitch, ActualSizeSwitch);
  integer(envkey::RowSpacing, RowSpacing);
  integer(envkey::ColumnSpacing, ColumnSpacing);
  integer(envkey::SortKey, SortKey);
  integer(envkey::SortDirection, SortDirection == -1 ? 1 : 0);
  p.WriteString(Sjis(envkey::FontName), UnicodeToSjis(FontDialog1Font.Font.family()));
  integer(envkey::FontSize, FontSizePoints(FontDialog1Font.Font, logicalDpiY()));
  TFontStyles styles;
  if (FontDialog1Font.Font.bold()) styles.Include(fsBold);
  if (FontDialog1Font.Font.italic()) styles.Include(fsItalic);
  if (FontDialog1Font.Font.underline()) styles.Include(fsUnderline);
  if (FontDialog1Font.Font.strikeOut()) styles.Include(fsStrikeOut);
  p.WriteFontStyle(Sjis(envkey::FontStyle), styles);
  integer(envkey::FontColor, FontDialog1Font.Color);
  p.WriteString(Sjis(envkey::SaveDir), UnicodeToSjis(SaveDir));
}

}  // namespace plomix
