// TFrameForm's opening and closing: the environment file and the three data files read
// when the window is first shown and written when it closes, and the read-me pane.
#include <QCloseEvent>
#include <QFile>
#include <QMessageBox>
#include <QShowEvent>

#include "BarImage/TBarImage.h"
#include "Common/ProgramDir.h"
#include "Common/ShiftJis.h"
#include "DataList/DataListDefaults.h"
#include "Frame/EnvironmentKeys.h"
#include "Frame/TFrameForm.h"
#include "Param/TParameter.h"
#include "Records/RecordFiles.h"

namespace plomix {
namespace {

QString Text(const char *utf8) { return QString::fromUtf8(utf8); }
std::string Sjis(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }
std::string FromQtPath(const QString &path) { return QFile::encodeName(path).toStdString(); }

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

  if (firstRun) ApplyDesignSettings();
  else RestoreSettings(problems);

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

}  // namespace plomix
