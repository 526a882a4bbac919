#include "cli/Batch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSet>
#include <cstdio>
#include <unistd.h>

#include "cli/Arguments.h"
#include "cli/BatchInput.h"
#include "cli/DrawAhead.h"
#include "cli/ExitStatus.h"
#include "cli/FileOutput.h"
#include "cli/Render.h"

namespace plomix::cli {
namespace {

void PrintError(const QString &message) { std::fprintf(stderr, "plomix-cli: %s\n", message.toUtf8().constData()); }

bool ReadInput(const QString &name, QByteArray &bytes, QString &error) {
  QFile file;
  const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                  : (file.setFileName(QFile::decodeName(EncodeArgument(name))),
                                                     file.open(QIODevice::ReadOnly));
  if (!opened) {
    error = file.errorString();
    return false;
  }
  bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    error = file.errorString();
    return false;
  }
  return true;
}

QString FileName(const QString &templ, qsizetype line, int width, const QString &code) {
  QString name = templ;
  name.replace(QLatin1String("{n}"), QStringLiteral("%1").arg(line, width, 10, QLatin1Char('0')));
  name.replace(QLatin1String("{code}"), SafeFileNamePart(code));
  return name;
}

// Worse statuses win: a file not written, then a symbol that did not read back, then a
// line not drawn.
int Worse(int a, int b) {
  auto rank = [](int s) { return s == kNotWritten ? 3 : s == kNotVerified ? 2 : s == kNotDrawn ? 1 : 0; };
  return rank(b) > rank(a) ? b : a;
}

// "\r12/5000 lines" on a terminal, once the batch has run a second, ten times a second.
class Progress {
 public:
  explicit Progress(std::size_t total) : FTotal(total), FShow(isatty(STDERR_FILENO) == 1) { FClock.start(); }
  void Step(std::size_t done) {
    if (!FShow || FClock.elapsed() < 1000 || FClock.elapsed() - FLast < 100) return;
    FLast = FClock.elapsed();
    std::fprintf(stderr, "\rplomix-cli: %zu/%zu lines", done, FTotal);
    FShown = true;
  }
  ~Progress() {
    if (FShown) std::fprintf(stderr, "\rplomix-cli: %zu/%zu lines\n", FTotal, FTotal);
  }

 private:
  std::size_t FTotal;
  bool FShow, FShown = false;
  QElapsedTimer FClock;
  qint64 FLast = 0;
};

}  // namespace

int RunBatch(const CliOptions &options) {
  QByteArray input;
  QString error;
  if (!ReadInput(options.batch, input, error)) {
    PrintError(QStringLiteral("cannot read \"%1\": %2").arg(options.batch, error));
    return kNotDrawn;
  }
  bool utf8 = true;
  const std::vector<BatchLine> lines = ReadBatchLines(input, options.csv, options.inputEncoding, utf8);
  input.clear();
  if (lines.empty()) {
    PrintError(QStringLiteral("\"%1\" holds no codes").arg(options.batch));
    return kNotDrawn;
  }

  // Every file name first: two lines writing one file are refused before anything is written.
  const int width = static_cast<int>(QString::number(lines.back().line).size());
  std::vector<QByteArray> names(lines.size());
  if (!options.output.isEmpty()) {
    QHash<QByteArray, qsizetype> taken;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      names[i] = EncodeArgument(FileName(options.output, lines[i].line, width, lines[i].code));
      const auto it = taken.constFind(names[i]);
      if (it == taken.constEnd()) {
        taken.insert(names[i], lines[i].line);
      } else {
        PrintError(QStringLiteral("lines %1 and %2 would both write \"%3\"; nothing was written "
                                  "(put {n} or {code} in the -o name)")
                       .arg(*it)
                       .arg(lines[i].line)
                       .arg(DecodeArgument(names[i])));
        return kUsageError;
      }
    }
  }

  const auto jobOf = [&](std::size_t i) -> std::optional<Job> {
    const BatchLine &line = lines[i];
    if (!line.error.isEmpty()) return std::nullopt;
    return Job{line.code, line.up, line.down, names[i], line.line, utf8 ? "UTF-8" : "Shift-JIS", false};
  };
  DrawAhead ahead(options, lines.size(), jobOf, DrawThreads());
  Progress progress(lines.size());
  QSet<QByteArray> written;  // folders that received files
  int status = kDrawn;
  QByteArray info;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const BatchLine &line = lines[i];
    Outcome outcome;
    Drawn drawn = ahead.Take(i);  // every line, so that its place ahead is free again
    if (const std::optional<Job> job = jobOf(i))
      outcome = WriteDrawn(*job, std::move(drawn));
    else
      outcome = {kNotDrawn, line.error, {}};
    if (!names[i].isEmpty() && outcome.status != kNotWritten) {
      const qsizetype slash = names[i].lastIndexOf('/');
      written.insert(slash < 0 ? QByteArray(".") : names[i].left(slash + 1));
    }
    if (!outcome.info.isEmpty()) {
      std::fwrite(outcome.info.constData(), 1, static_cast<std::size_t>(outcome.info.size()), stdout);
      std::fputc('\n', stdout);
    }
    if (outcome.status != kDrawn) {
      PrintError(QStringLiteral("line %1: %2").arg(line.line).arg(outcome.message));
      status = Worse(status, outcome.status);
      // A file that cannot be written (full disk, missing folder) stops the batch:
      // the files after it would fail the same way.
      if (options.stopOnError || outcome.status == kNotWritten) {
        if (i + 1 < lines.size())
          PrintError(QStringLiteral("stopped after line %1; %2 lines were not drawn").arg(line.line).arg(lines.size() - i - 1));
        break;
      }
    }
    progress.Step(i + 1);
  }
  // The files are on the disk before the batch says so.
  for (const QByteArray &folder : written) {
    if (!SyncFileSystemOf(folder + "x", error)) {
      PrintError(QStringLiteral("the files in \"%1\" could not be flushed to the disk: %2")
                     .arg(DecodeArgument(folder), error));
      status = Worse(status, kNotWritten);
    }
  }
  return status;
}

}  // namespace plomix::cli
