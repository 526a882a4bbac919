// TFrameForm's opening and closing: the environment file and the three data files read
// when the window is first shown and written when it closes, and the read-me pane.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

#include "BarImage/TBarImage.h"
#include "Common/UiText.h"
#include "Common/FileBackup.h"
#include "Common/FileRead.h"
#include "Common/ProgramDir.h"
#include "Common/ShiftJis.h"
#include "DataList/DataListDefaults.h"
#include "Frame/EnvironmentKeys.h"
#include "Frame/FrameSettings.h"
#include "Frame/PostalFileSetting.h"
#include "Frame/TFrameForm.h"
#include "Param/TParameter.h"
#include "Records/RecordFiles.h"
#include "Widgets/FramePosition.h"

namespace plomix {
namespace {

std::string FromQtPath(const QString &path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

QString TFrameForm::DataDir() const { return FDataDir; }

QString TFrameForm::ReadmePath() const {
  return FProgramDirGiven ? FProgramDir + QStringLiteral("/Readme.txt") : plomix::ReadmePath();
}

// One message box however much there is to say: each line cut short and the list cut
// after a screenful, so that the box and its button stay on the screen.
void TFrameForm::ReportProblems(const QString &title, const QStringList &problems) {
  if (problems.isEmpty()) return;
  constexpr int kMaxLines = 15;
  constexpr int kMaxLineLength = 200;
  QStringList lines;
  for (const QString &problem : problems) {
    if (lines.size() == kMaxLines) {
      lines << QStringLiteral("ほかに %1 件あります。").arg(problems.size() - kMaxLines);
      break;
    }
    lines << (problem.size() > kMaxLineLength ? problem.left(kMaxLineLength) + QStringLiteral("…") : problem);
  }
  QMessageBox box(QMessageBox::Warning, title, lines.join(QLatin1Char('\n')), QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

// Asked when a file cannot be written at close: stay open (the default), or close and
// leave the files not yet written as they are on disk.
bool TFrameForm::AskCloseWithoutSaving(const QString &failure) {
  QMessageBox box(QMessageBox::Warning, Text("Plomix"),
                  failure + Text("\n\n保存せずに終了すると、まだ保存していないファイルはディスク上の元のままになります。"),
                  QMessageBox::NoButton, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  QPushButton *quit = box.addButton(Text("保存せずに終了"), QMessageBox::DestructiveRole);
  quit->setObjectName(QStringLiteral("CloseWithoutSaving"));
  QPushButton *stay = box.addButton(Text("戻る"), QMessageBox::RejectRole);
  box.setDefaultButton(stay);
  box.setEscapeButton(stay);
  box.exec();
  return box.clickedButton() == quit;
}

void TFrameForm::LoadReadme() {
  Memo1->clear();
  const QString path = ReadmePath();
  if (path.isEmpty()) return;
  constexpr qint64 kReadmeLimit = 16LL * 1024 * 1024;
  const FileReadResult file = ReadRegularFile(path, kReadmeLimit);
  if (!file.Read) return;
  Memo1->setPlainText(SjisToUnicode(std::string_view(file.Bytes.constData(), file.Bytes.size())));
}

// Keeps the environment file's original beside it; when that fails, the close leaves
// the file as it is. Returns the sentence that says which.
QString TFrameForm::KeepEnvironmentFile(bool readable) {
  const QString path = QFile::decodeName(QByteArray::fromStdString(Parameter1->FullName()));
  QString error;
  QString backup;
  if (readable) {
    const FileReadResult file = ReadRegularFile(path, kEnvironmentFileLimit);
    backup = file.Read ? KeepBackup(path, &file.Bytes, &error) : QString();
    if (!file.Read) error = file.Error;
  } else {
    backup = KeepBackup(path, nullptr, &error);
  }
  if (!backup.isEmpty()) return Text("元のファイルは「%1」に残してあります。").arg(backup);
  FEnvironmentUntouchable = true;
  return Text("控えを作れなかった（%1）ため、終了するときもこのファイルは書き換えません。").arg(error);
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
  QStringList notices;   // the folder and the files
  QStringList problems;  // settings that could not be restored
  BarImage1->SetBarEnabled(false);
  LoadReadme();

  // The folder is chosen once: a folder that becomes writable later must not send the
  // close to files this run never read.
  const QString programDir = FProgramDirGiven ? FProgramDir : ProgramDirectory();
  FDataDir = DataDirectoryFor(programDir);
  Parameter1 = std::make_unique<TParameter>();
  Parameter1->SetDir(FromQtPath(FDataDir));
  Parameter1->SetExeName(FromQtPath(FProgramDirGiven ? FProgramDir + QStringLiteral("/plomix")
                                                     : QCoreApplication::applicationFilePath()));
  const QString environmentName = QFile::decodeName(QByteArray::fromStdString(Parameter1->FileName()));
  if (QDir(FDataDir) != QDir(programDir)) {
    QStringList ignored;
    for (const QString &name : {environmentName, QString::fromLatin1(kCodeFileName),
                                QString::fromLatin1(kCommentUpFileName), QString::fromLatin1(kCommentDownFileName)})
      if (QFileInfo::exists(QDir(programDir).filePath(name))) ignored << Text("「%1」").arg(name);
    if (!ignored.isEmpty())
      notices << Text("プログラムのフォルダ「%1」に書き込めないため、そこにある %2 は使わず、「%3」のファイルを使います。")
                     .arg(QDir::toNativeSeparators(programDir), ignored.join(Text("、")),
                          QDir::toNativeSeparators(FDataDir));
  }
  try {
    Parameter1->Load();
    if (Parameter1->TextAfterNul())
      notices << Text("環境設定ファイル「%1」の NUL 文字から後ろは読み込みませんでした。").arg(environmentName) +
                     KeepEnvironmentFile(true);
  } catch (const std::exception &error) {
    notices << Text("環境設定ファイル「%1」を読み込めませんでした（%2）。").arg(environmentName, SjisToUnicode(error.what())) +
                   KeepEnvironmentFile(false);
  }
  // A list that the data-list window started alone holds none of this window's keys.
  const bool firstRun = Parameter1->Count() == 0 ||
                        Parameter1->Lines(0).find(kDataListMarker) != std::string::npos;

  RecordFileContents files = LoadRecordFiles(FDataDir);
  notices << files.Notices;
  FUntouchableDataFiles = files.Untouchable;
  FRecords->Replace(std::move(files.Codes), std::move(files.CommentsUp), std::move(files.CommentsDown));

  if (firstRun) ApplyDesignSettings();
  else RestoreSettings(problems);
  RestorePostalFileSetting(*Parameter1);

  if (FRecords->IsEmpty()) {
    SelectRecord(-1);
    if (!firstRun) Panel5->clear();
  } else {
    int current = 0;
    if (!firstRun) {
      try {
        current = Parameter1->ReadInteger(Sjis(envkey::CurrentRecord));
      } catch (const std::exception &error) {
        problems << SettingProblem(envkey::CurrentRecord, error);
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
    problems.prepend(Text("環境設定ファイル「%1」の次の設定を読み込めなかったため、初期値を使います。").arg(environmentName));
  ReportProblems(Text("Plomix"), notices + problems);
}

// Puts the window at the bounds read from the file, moved and sized onto the available
// area of the screen they fall on (or the primary one) when they would not be reachable
// there. The bounds read are kept, to be written back while the window stays put.
void TFrameForm::PlaceWindow(const QRect &stored) {
  FStoredBounds = stored;
  FPlacedBounds = QRect();
  QScreen *screen = QGuiApplication::screenAt(stored.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  QRect placed = stored;
  if (screen) {
    const QRect area = screen->availableGeometry();
    const QSize least(std::min(Panel2->width(), area.width()),
                      std::min(Panel2->height() + Panel3->height(), area.height()));
    placed.setSize(stored.size().expandedTo(least).boundedTo(area.size()));
    placed.moveLeft(std::clamp(stored.left(), area.left(), area.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(stored.top(), area.top(), area.bottom() + 1 - placed.height()));
  }
  resize(placed.size());  // first: a resize would make the position a client position again
  MoveFrameTo(*this, placed.topLeft());
  if (placed != stored) FPlacedBounds = QRect(pos(), size());
}

// ---------------------------------------------------------------- shutdown

bool TFrameForm::FormCloseQuery() {
  // Never shown: nothing was read, so nothing may be written over the files.
  if (FDataDir.isEmpty()) return true;
  QString error;
  if (!SaveRecordFiles(FDataDir, FRecords->List(rfCode), FRecords->List(rfCommentUp),
                       FRecords->List(rfCommentDown), &error, FUntouchableDataFiles))
    return AskCloseWithoutSaving(error);
  TParameter &p = *Parameter1;
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
  SavePostalFileSetting(p);
  for (const std::string &line : carried) p.Add(line);
  if (FEnvironmentUntouchable) return true;
  try {
    p.Save();
  } catch (const std::exception &failure) {
    return AskCloseWithoutSaving(Text("環境設定ファイル「%1」を保存できませんでした（%2）。")
                                     .arg(QFile::decodeName(QByteArray::fromStdString(p.FileName())),
                                          SjisToUnicode(failure.what())));
  }
  return true;
}

}  // namespace plomix
