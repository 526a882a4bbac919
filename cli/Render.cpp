#include "cli/Render.h"

#include "BarImage/PictureFiles.h"
#include "BarImage/PictureLimits.h"
#include "BarImage/SymbolDefaults.h"
#include "BarImage/TBarImage.h"
#include "cli/Arguments.h"
#include "cli/CodeText.h"
#include "cli/ExitStatus.h"
#include "cli/FileOutput.h"
#include "cli/InfoJson.h"

namespace plomix::cli {
namespace {

std::optional<PictureFileKind> KindOf(const QByteArray &output) {
  if (output.isEmpty()) return std::nullopt;
  return PictureFileKindOf(QString::fromUtf8(output));
}

bool IsMetafileKind(std::optional<PictureFileKind> kind) {
  return kind && (*kind == PictureFileKind::EnhancedMetafile ||
                  *kind == PictureFileKind::WindowsMetafile || *kind == PictureFileKind::Svg);
}

QString Quoted(const QByteArray &path) { return QStringLiteral("\"%1\"").arg(DecodeArgument(path)); }

}  // namespace

Renderer::Renderer(const CliOptions &options) : FOptions(options), FBar(std::make_unique<TBarImage>()) {
  TBarImage &bar = *FBar;
  const CliOptions &o = FOptions;
  ApplySymbolDesignDefaults(bar);
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
  bar.SetBarSpaceLeft(o.spaceLeft);
  bar.SetBarSpaceRight(o.spaceRight);
  bar.SetBarSpaceUp(o.spaceUp);
  bar.SetBarSpaceDown(o.spaceDown);
  if (o.barColor) bar.SetBarColor(*o.barColor);
  if (o.backColor) bar.SetBackColor(*o.backColor);
}

Renderer::~Renderer() = default;

Outcome Renderer::Render(const Job &job) {
  TBarImage &bar = *FBar;
  const CliOptions &o = FOptions;
  Outcome outcome;
  QString error;
  const auto code = ToSjis(job.code, o.replaceUnmappable, error);
  if (!code) return {kNotDrawn, QStringLiteral("the code cannot be used: %1").arg(error), {}};
  const auto up = ToSjis(job.up, o.replaceUnmappable, error);
  if (!up) return {kNotDrawn, QStringLiteral("the upper comment cannot be used: %1").arg(error), {}};
  const auto down = ToSjis(job.down, o.replaceUnmappable, error);
  if (!down) return {kNotDrawn, QStringLiteral("the lower comment cannot be used: %1").arg(error), {}};

  const std::optional<PictureFileKind> kind = KindOf(job.output);
  const TPictures method = IsMetafileKind(kind) ? (o.picture == picBMP ? picEMF : o.picture) : o.picture;

  // Laid out first as a metafile, which allocates no pixels, so that a picture too large
  // for memory or for its file format is refused before it is drawn.
  bar.SetBarEnabled(false);
  bar.SetMatch(true);  // a transparent drawing before turned Match off
  bar.SetBarPicture(method == picBMP ? picEMF : method);
  bar.SetCode(*code);
  bar.SetCommentUp(*up);
  bar.SetCommentDown(*down);
  bar.SetBarEnabled(true);
  const QSize size(bar.Width(), bar.Height());
  if (bar.BarDisped()) {
    if (kind) {
      if (auto problem = PictureFileProblem(size, *kind))
        return {kNotWritten, QStringLiteral("cannot write %1: %2").arg(Quoted(job.output), *problem), {}};
    }
    if (method == picBMP) {
      if (auto problem = PictureMemoryProblem(size))
        return {kNotDrawn, QStringLiteral("the symbol cannot be drawn: %1").arg(*problem), {}};
      bar.SetBarPicture(picBMP);
      // A transparent symbol is drawn over the picture sized by the first drawing, so
      // that only the bars, text, frame and comments are painted.
      if (o.transparent && bar.BarDisped()) bar.SetTransparent(true);
    }
  }

  if (o.info) outcome.info = SymbolInfoJson(bar);
  if (!bar.BarDisped()) {
    outcome.status = kNotDrawn;
    if (bar.Pattern().empty()) {
      const std::string_view why = RefusalText(bar.EncodeRefusal());
      outcome.message = QStringLiteral("the code \"%1\" cannot be encoded as this symbology").arg(job.code);
      if (!why.empty())
        outcome.message += QStringLiteral(": ") + QString::fromLatin1(why.data(), static_cast<qsizetype>(why.size()));
    } else {
      outcome.message = QStringLiteral("the symbol cannot be drawn: its picture of %1 × %2 pixels could not be "
                                       "allocated")
                            .arg(size.width())
                            .arg(size.height());
    }
    return outcome;
  }
  if (!job.output.isEmpty()) {
    std::string bytes;
    if (!EncodePictureFile(bar.Picture(), kind.value_or(PictureFileKind::Bitmap), bytes, &error) ||
        !WriteFileBytes(job.output, bytes, error)) {
      outcome.status = kNotWritten;
      outcome.message = QStringLiteral("cannot write %1: %2").arg(Quoted(job.output), error);
    }
  }
  return outcome;
}

}  // namespace plomix::cli
