// plomix-cli: draws one symbol through TBarImage, from scripts, without a display.
#include <QApplication>
#include <QFileInfo>
#include <cstdio>

#include "BarImage/PictureFiles.h"
#include "BarImage/SymbolDefaults.h"
#include "BarImage/TBarImage.h"
#include "Common/Fonts.h"
#include "Common/RuntimeDir.h"
#include "Common/ShiftJis.h"
#include "cli/CliOptions.h"
#include "cli/InfoJson.h"

namespace {

constexpr int kDrawn = 0;
constexpr int kNotEncodable = 1;
constexpr int kUsageError = 2;
constexpr int kNotWritten = 3;

void PrintError(const QString &message) {
  std::fprintf(stderr, "plomix-cli: %s\n", message.toUtf8().constData());
}

void ApplyOptions(plomix::TBarImage &bar, const plomix::cli::CliOptions &o) {
  using namespace plomix;
  bar.SetBarEnabled(false);
  bar.SetBarType(o.type);
  bar.SetCD(o.cd);
  bar.SetStartChar(o.startChar);
  bar.SetStopChar(o.stopChar);
  bar.SetScale(static_cast<TSCale>(o.scale));
  bar.SetElementRatio(static_cast<TElementRatio>(o.ratio));
  bar.SetBarHeight(o.height);
  bar.SetBarFrame(static_cast<TFrameSize>(o.frame));
  bar.SetAngle(o.angle);
  bar.SetReverse(o.reverse);
  bar.SetSymbolDisp(o.symbolDisp);
  bar.SetCommentUp(UnicodeToSjis(o.up));
  bar.SetCommentDown(UnicodeToSjis(o.down));
  bar.SetBarSpaceLeft(o.spaceLeft);
  bar.SetBarSpaceRight(o.spaceRight);
  bar.SetBarSpaceUp(o.spaceUp);
  bar.SetBarSpaceDown(o.spaceDown);
  if (o.barColor) bar.SetBarColor(*o.barColor);
  if (o.backColor) bar.SetBackColor(*o.backColor);
  bar.SetBarPicture(o.picture);
  bar.SetCode(UnicodeToSjis(o.code));
  bar.SetBarEnabled(true);
  // A transparent symbol is drawn over the picture sized by the first drawing, so that
  // only the bars, text, frame and comments are painted.
  if (o.transparent && bar.BarDisped()) bar.SetTransparent(true);
}

}  // namespace

int main(int argc, char *argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  plomix::EnsureRuntimeDir();
  QApplication app(argc, argv);
  plomix::InstallFontSubstitutions();

  QStringList args = QApplication::arguments();
  args.removeFirst();
  QString error;
  const auto options = plomix::cli::ParseCliOptions(args, error);
  if (!options) {
    PrintError(error);
    std::fputs("Try 'plomix-cli --help'.\n", stderr);
    return kUsageError;
  }
  if (options->help) {
    std::fputs(plomix::cli::UsageText().toUtf8().constData(), stdout);
    return kDrawn;
  }
  if (options->transparent && options->picture != plomix::picBMP) {
    PrintError(QStringLiteral("--transparent draws a bitmap only; it cannot go with --picture emf or wmf"));
    return kUsageError;
  }
  if (!options->output.isEmpty()) {
    const auto kind = plomix::PictureFileKindOf(options->output);
    if (!kind) {
      PrintError(QStringLiteral("cannot write \"%1\": the name must end in .bmp, .jpg, .jpeg, "
                                ".png, .emf or .wmf")
                     .arg(options->output));
      return kUsageError;
    }
    const bool metafileFile = *kind == plomix::PictureFileKind::EnhancedMetafile ||
                              *kind == plomix::PictureFileKind::WindowsMetafile;
    if (metafileFile && options->picture == plomix::picBMP) {
      PrintError(QStringLiteral("cannot write \"%1\" from a bitmap: add --picture emf or wmf")
                     .arg(options->output));
      return kUsageError;
    }
  }

  plomix::TBarImage bar;
  plomix::ApplySymbolDesignDefaults(bar);
  ApplyOptions(bar, *options);

  if (options->info) {
    const QByteArray json = plomix::cli::SymbolInfoJson(bar);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    std::fputc('\n', stdout);
  }
  if (!bar.BarDisped()) {
    const std::string_view why = plomix::RefusalText(bar.EncodeRefusal());
    QString message = QStringLiteral("the code \"%1\" cannot be encoded as this symbology").arg(options->code);
    if (!why.empty())
      message += QStringLiteral(": ") + QString::fromLatin1(why.data(), static_cast<qsizetype>(why.size()));
    PrintError(message);
    return kNotEncodable;
  }
  if (!options->output.isEmpty() &&
      !plomix::SavePictureFile(bar.Picture(), options->output, &error)) {
    PrintError(QStringLiteral("cannot write \"%1\": %2").arg(options->output, error));
    return kNotWritten;
  }
  return kDrawn;
}
