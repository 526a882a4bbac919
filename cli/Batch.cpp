#include "cli/Batch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHashFunctions>
#include <QSet>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>
#include <cstdio>
#include <unistd.h>

#include "cli/Arguments.h"
#include "cli/BatchInput.h"
#include "cli/DrawAhead.h"
#include "cli/ExitStatus.h"
#include "Common/AtomicFile.h"
#include "cli/Render.h"

namespace plomix::cli {
namespace {

void PrintError(const QString &message) { std::fprintf(stderr, "plomix-cli: %s\n", message.toUtf8().constData()); }


QString FileName(const QString &templ, qsizetype line, int width, const QString &code) {
  QString name = templ;
  name.replace(QLatin1String("{n}"), QStringLiteral("%1").arg(line, width, 10, QLatin1Char('0')));
  if (name.contains(QLatin1String("{code}"))) name.replace(QLatin1String("{code}"), SafeFileNamePart(code));
  return name;
}

// The first record (in input order) whose file name an earlier record already takes,
// with that earlier record. Names are compared by hash first, so that the input's names need
// not all be held at once; lines with equal hashes are compared by their names.
template <typename NameOf>
std::optional<std::pair<std::size_t, std::size_t>> FirstNameClash(const BatchInput &records, const NameOf &nameOf) {
  std::vector<std::pair<std::size_t, std::size_t>> hashes;  // (hash of the name, record)
  hashes.reserve(records.Count());
  for (std::size_t i = 0; i < records.Count(); ++i) {
    const QByteArray name = nameOf(records.Record(i));
    if (!name.isEmpty()) hashes.emplace_back(qHash(name), i);
  }
  std::sort(hashes.begin(), hashes.end());
  std::optional<std::pair<std::size_t, std::size_t>> first;  // (earlier record, later record)
  for (std::size_t g = 0; g < hashes.size();) {
    std::size_t end = g + 1;
    while (end < hashes.size() && hashes[end].first == hashes[g].first) ++end;
    for (std::size_t j = g + 1; j < end; ++j) {
      const QByteArray name = nameOf(records.Record(hashes[j].second));
      for (std::size_t k = g; k < j; ++k) {
        if (nameOf(records.Record(hashes[k].second)) != name) continue;
        if (!first || hashes[j].second < first->second) first = std::pair(hashes[k].second, hashes[j].second);
        break;
      }
    }
    g = end;
  }
  return first;
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
  if (!ReadBatchInput(options.batch, input, error)) {
    PrintError(QStringLiteral("cannot read \"%1\": %2").arg(options.batch, error));
    return kNotDrawn;
  }
  const BatchInput records(std::move(input), options.csv, options.inputEncoding);
  const std::size_t count = records.Count();
  if (count == 0) {
    PrintError(QStringLiteral("\"%1\" holds no codes").arg(options.batch));
    return kNotDrawn;
  }
  const int width = static_cast<int>(QString::number(records.LineOf(count - 1)).size());
  const auto nameOf = [&](const BatchLine &line) {
    return options.output.isEmpty() || !line.error.isEmpty()
               ? QByteArray()
               : EncodeArgument(FileName(options.output, line.line, width, line.code));
  };

  // Every file name first: two lines writing one file are refused before anything is written.
  // A name made of the line number alone (the rest of it fixed) differs from line to line:
  // nothing to look at.
  const bool namesDiffer = options.output.contains(QLatin1String("{n}")) && !options.output.contains(QLatin1String("{code}"));
  if (!options.output.isEmpty() && !namesDiffer) {
    if (const auto clash = FirstNameClash(records, nameOf)) {
      PrintError(QStringLiteral("lines %1 and %2 would both write \"%3\"; nothing was written "
                                "(put {n} or {code} in the -o name)")
                     .arg(records.LineOf(clash->first))
                     .arg(records.LineOf(clash->second))
                     .arg(DecodeArgument(nameOf(records.Record(clash->second)))));
      return kUsageError;
    }
  }

  const char *encoding = records.Utf8() ? "UTF-8" : "Shift-JIS";
  const auto jobOf = [&](std::size_t i) -> std::optional<Job> {
    BatchLine line = records.Record(i);
    if (!line.error.isEmpty()) return std::nullopt;
    QByteArray name = nameOf(line);
    return Job{std::move(line.code), std::move(line.up), std::move(line.down), std::move(name), line.line, encoding, false};
  };
  // Workers write the files too, except when the batch stops at the first failure: then
  // no file after the failing line may be written, so the files go one by one from here.
  const bool workersWrite = !options.stopOnError;
  DrawAhead ahead(options, count, jobOf, DrawThreads(), workersWrite);
  Progress progress(count);
  QSet<QByteArray> written;  // folders that received files
  int status = kDrawn;
  // Gives line i's answer in its turn; false when the batch stops there.
  const auto answer = [&](std::size_t i) {
    Outcome outcome;
    Drawn drawn = ahead.Take(i);  // every line, so that its place ahead is free again
    if (const std::optional<Job> job = jobOf(i)) {
      outcome = WriteDrawn(*job, std::move(drawn));  // a file a worker wrote is not written again
      if (!job->output.isEmpty() && outcome.status != kNotWritten) {
        const qsizetype slash = job->output.lastIndexOf('/');
        written.insert(slash < 0 ? QByteArray(".") : job->output.left(slash + 1));
      }
    } else {
      outcome = {kNotDrawn, records.Record(i).error, {}};
    }
    if (!outcome.info.isEmpty()) {
      std::fwrite(outcome.info.constData(), 1, static_cast<std::size_t>(outcome.info.size()), stdout);
      std::fputc('\n', stdout);
    }
    if (outcome.status == kDrawn) {
      if (!outcome.message.isEmpty())
        PrintError(QStringLiteral("line %1: warning: %2").arg(records.LineOf(i)).arg(outcome.message));
      return true;
    }
    PrintError(QStringLiteral("line %1: %2").arg(records.LineOf(i)).arg(outcome.message));
    status = Worse(status, outcome.status);
    // A file that cannot be written (full disk, missing folder) stops the batch:
    // the files after it would fail the same way.
    return !options.stopOnError && outcome.status != kNotWritten;
  };
  for (std::size_t i = 0; i < count; ++i) {
    if (answer(i)) {
      progress.Step(i + 1);
      continue;
    }
    // Lines the workers had already taken and written (or failed to) are answered too,
    // and the batch says where it stopped. Drawn lines that no worker wrote are dropped.
    std::size_t last = i;
    if (workersWrite)
      for (const std::size_t done = ahead.Stop(); last + 1 < done; ++last) answer(last + 1);
    if (last + 1 < count)
      PrintError(QStringLiteral("stopped after line %1; %2 lines were not drawn")
                     .arg(records.LineOf(last))
                     .arg(count - last - 1));
    break;
  }
  // The files are on the disk before the batch says so.
  for (const QByteArray &folder : written) {
    if (!SyncFileSystemOf(folder + "x", &error)) {
      PrintError(QStringLiteral("the files in \"%1\" could not be flushed to the disk: %2")
                     .arg(DecodeArgument(folder), error));
      status = Worse(status, kNotWritten);
    }
  }
  return status;
}

}  // namespace plomix::cli
