// plomix-cli: draws barcode symbols with the symbol component's engine (TBarSymbol), from
// scripts, without a display or widgets.
#include <QFile>
#include <QGuiApplication>
#include <fontconfig/fontconfig.h>
#include <csignal>
#include <malloc.h>
#include <cstdio>
#include <memory>
#include <new>
#include <thread>

#include "PictureFiles/PictureFiles.h"
#include "Common/Fonts.h"
#include "Common/PostalFileLocation.h"
#include "Common/RuntimeDir.h"
#include "Address/PostalDictionary.h"
#include "cli/Arguments.h"
#include "cli/Batch.h"
#include "cli/CliOptions.h"
#include "cli/ExitStatus.h"
#include "cli/LabelPdf.h"
#include "cli/Render.h"
#include "cli/Startup.h"

namespace {

using namespace plomix::cli;

void PrintError(const QString &message) {
  std::fprintf(stderr, "plomix-cli: %s\n", message.toUtf8().constData());
}

// Combinations of options that cannot work, found before anything is drawn.
bool CheckCombinations(const CliOptions &o, QString &error) {
  const auto kind = o.output.isEmpty() ? std::nullopt : plomix::PictureFileKindOf(o.output);
  const bool svg = o.output.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
  if (o.transparent && (o.picture != plomix::picBMP || svg)) {
    error = QStringLiteral("--transparent draws a bitmap only; it cannot go with --picture emf or wmf or an .svg file");
    return false;
  }
  if (o.output.isEmpty()) return true;
  if (!kind) {
    error = QStringLiteral("cannot write \"%1\": the name must end in .bmp, .jpg, .jpeg, .png, .svg, .emf or .wmf")
                .arg(o.output);
    return false;
  }
  const plomix::PictureFileKind k = kind.value_or(plomix::PictureFileKind::Bitmap);
  const bool metafileFile = k == plomix::PictureFileKind::EnhancedMetafile || k == plomix::PictureFileKind::WindowsMetafile;
  if (metafileFile && o.picture == plomix::picBMP) {
    error = QStringLiteral("cannot write \"%1\" from a bitmap: add --picture emf or wmf").arg(o.output);
    return false;
  }
  if (svg && (o.angle != 0 || o.reverse)) {
    error = QStringLiteral("an .svg file is drawn upright and unmirrored, as the metafiles are; "
                           "leave out --angle and --reverse");
    return false;
  }
  return true;
}

// The postal-code file for --from-address: the one named, else the one in the per-user
// data folder, else none (addresses are split by the rules alone).
bool LoadPostalDictionary(CliOptions &o, QString &error) {
  if (!o.fromAddress) return true;
  const QString path = o.postalDictionary.isEmpty() ? plomix::DefaultPostalFilePath() : o.postalDictionary;
  if (path.isEmpty()) return true;
  std::string why;
  auto dictionary = plomix::address::PostalDictionary::Load(QFile::encodeName(path).toStdString(), why);
  if (!dictionary) {
    error = QStringLiteral("cannot use the postal-code file: %1").arg(QString::fromStdString(why));
    return false;
  }
  o.dictionary = std::make_shared<const plomix::address::PostalDictionary>(std::move(*dictionary));
  return true;
}

}  // namespace

namespace {

int Run(int argc, char *argv[]) {
  // Past a file-size limit a write fails with "File too large" instead of ending the process.
  std::signal(SIGXFSZ, SIG_IGN);
  // A batch allocates and frees one picture after another: keep the memory in the heap
  // instead of mapping fresh, zero-filled pages from the system for every picture.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);

  QString error;
  auto options = ParseCliOptions(DecodeArguments(argc, argv), error);
  if (!options) {
    PrintError(error);
    std::fputs("Try 'plomix-cli --help'.\n", stderr);
    return kUsageError;
  }
  // The application object sees only the program name: every argument is ours, even one
  // that looks like a toolkit option (-reverse, -style, -platform, ...).
  int qtArgc = 1;
  char *qtArgv[] = {argv[0], nullptr};
  // The GUI layer only when text is drawn or the screen is asked (see Startup.h).
  std::unique_ptr<QGuiApplication> app;
  std::jthread fontConfiguration;
  if (!DrawsWithoutGuiLayer(*options)) {
    // The system's font configuration takes longer to load than the toolkit takes to
    // start: it loads beside it, and is there when the first text is measured.
    fontConfiguration = std::jthread([] { FcInit(); });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    plomix::EnsureRuntimeDir();
    app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    plomix::InstallFontSubstitutions();
  }
  if (options->help) {
    std::fputs(UsageText().toUtf8().constData(), stdout);
    return kDrawn;
  }
  if (fontConfiguration.joinable()) fontConfiguration.join();  // loaded once, not again by the toolkit
  if (options->listSheets) return ListSheets();
  if (!options->sheet.isEmpty()) return RunLabelPdf(*options);
  if (!CheckCombinations(*options, error)) {
    PrintError(error);
    return kUsageError;
  }

  if (!LoadPostalDictionary(*options, error)) {
    PrintError(error);
    return kNotDrawn;
  }

  if (!options->batch.isEmpty()) return RunBatch(*options);
  Renderer renderer(*options);
  const Outcome outcome =
      renderer.Render(Job{options->code, options->up, options->down, EncodeArgument(options->output)});
  if (!outcome.info.isEmpty()) {
    std::fwrite(outcome.info.constData(), 1, static_cast<std::size_t>(outcome.info.size()), stdout);
    std::fputc('\n', stdout);
  }
  if (!outcome.message.isEmpty())
    PrintError(outcome.status == kDrawn ? QStringLiteral("warning: ") + outcome.message : outcome.message);
  return outcome.status;
}

}  // namespace

int main(int argc, char *argv[]) {
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc &) {
    std::fputs("plomix-cli: out of memory\n", stderr);
    return kNotDrawn;
  }
}
