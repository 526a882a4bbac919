#include "cli/Render.h"

#include "PictureFiles/PictureFiles.h"
#include "PictureFiles/PictureLimits.h"
#include "Symbol/SymbolDefaults.h"
#include "Symbol/TBarSymbol.h"
#include "cli/Arguments.h"
#include "cli/CodeText.h"
#include "cli/ExitStatus.h"
#include "Common/AtomicFile.h"
#include "cli/InfoJson.h"
#include "ReadBack/ReadBack.h"
#include "Common/ShiftJis.h"
#include "cli/AddressCode.h"

#include <QPainter>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSvgRenderer>

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

// The picture as a reader of the written file sees it: the file's own pixels for the
// raster formats, the SVG rendered at its size, the metafile replayed.
QImage WrittenImage(const TBarSymbol &bar, std::optional<PictureFileKind> kind, const std::string &bytes) {
  if (kind && !bytes.empty()) {
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    switch (*kind) {
      case PictureFileKind::Bitmap: return QImage::fromData(data, "BMP");
      case PictureFileKind::Png: return QImage::fromData(data, "PNG");
      case PictureFileKind::Jpeg: return QImage::fromData(data, "JPEG");
      case PictureFileKind::Svg: {
        QSvgRenderer svg(data);
        QImage image(svg.defaultSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        svg.render(&painter);
        return image;
      }
      default: break;
    }
  }
  return PictureToImage(bar.Picture());
}

// The --info object; in batch mode it starts with the line, with --verify it ends with
// the check that ran ("false" when none passed).
QByteArray InfoLine(const Job &job, const TBarSymbol &bar, const char *verified) {
  QJsonObject info = SymbolInfoJson(bar);
  if (job.line > 0) info.insert(QStringLiteral("line"), job.line);
  if (verified) {
    info.insert(QStringLiteral("verified"), std::string_view(verified) == "false"
                                                ? QJsonValue(false)
                                                : QJsonValue(QString::fromLatin1(verified)));
  }
  return QJsonDocument(info).toJson(QJsonDocument::Compact);
}

}  // namespace

Renderer::Renderer(const CliOptions &options) : FOptions(options), FBar(std::make_unique<TBarSymbol>()) {
  TBarSymbol &bar = *FBar;
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

Drawn Renderer::Draw(const Job &given) {
  const CliOptions &o = FOptions;
  // An address is drawn as the data derived from it; the answer names both.
  AddressCode fromAddress;
  if (o.fromAddress) {
    fromAddress = DeriveAddressCode(given.code, o.dictionary.get());
    if (!fromAddress.ok) {
      Outcome refused{kNotDrawn, QStringLiteral("the address cannot be converted: %1").arg(fromAddress.problem), {}};
      if (o.info) refused.info = AddressRefusalJson(given.line, fromAddress);
      return refused;
    }
  }
  Drawn drawn = DrawCode(o.fromAddress ? Job{fromAddress.data, given.up, given.down, given.output, given.line,
                                             given.encoding, given.flush}
                                       : given);
  if (o.fromAddress) {
    for (QByteArray *info : {&drawn.outcome.info, &drawn.unwrittenInfo})
      if (!info->isEmpty()) AppendAddressKeys(*info, fromAddress);
    if (drawn.outcome.status == kDrawn) drawn.outcome.message = fromAddress.warnings;
  }
  return drawn;
}

Drawn Renderer::DrawCode(const Job &job) {
  TBarSymbol &bar = *FBar;
  const CliOptions &o = FOptions;
  Outcome outcome;
  QString error;
  const auto code = ToSjis(job.code, o.replaceUnmappable, error, job.encoding);
  if (!code) return Outcome{kNotDrawn, QStringLiteral("the code cannot be used: %1").arg(error), {}};
  const auto up = ToSjis(job.up, o.replaceUnmappable, error, job.encoding);
  if (!up) return Outcome{kNotDrawn, QStringLiteral("the upper comment cannot be used: %1").arg(error), {}};
  const auto down = ToSjis(job.down, o.replaceUnmappable, error, job.encoding);
  if (!down) return Outcome{kNotDrawn, QStringLiteral("the lower comment cannot be used: %1").arg(error), {}};

  const std::optional<PictureFileKind> kind = KindOf(job.output);
  const TPictures method = IsMetafileKind(kind) ? (o.picture == picBMP ? picEMF : o.picture) : o.picture;

  // Measured first, which allocates no pixels, so that a picture too large for memory or
  // for its file format is refused before it is drawn.
  bar.SetBarEnabled(false);
  bar.SetMatch(true);  // a transparent drawing before turned Match off
  bar.SetBarPicture(method);
  bar.SetCode(*code);
  bar.SetCommentUp(*up);
  bar.SetCommentDown(*down);
  const std::optional<QSize> size = bar.MeasureBar();
  if (size) {
    if (kind) {
      if (auto problem = PictureFileProblem(*size, *kind))
        return Outcome{kNotWritten, QStringLiteral("cannot write %1: %2").arg(Quoted(job.output), *problem), {}};
    }
    if (method == picBMP) {
      if (auto problem = PictureMemoryProblem(*size))
        return Outcome{kNotDrawn, QStringLiteral("the symbol cannot be drawn: %1").arg(*problem), {}};
    }
    bar.SetBarEnabled(true);
    // A transparent symbol is drawn over the picture sized by the first drawing, so
    // that only the bars, text, frame and comments are painted. That picture is first
    // cleared to the background: the text's blended edges drawn twice would darken.
    if (method == picBMP && o.transparent && bar.BarDisped()) {
      bar.Picture().Bitmap().fill(ColorToQColor(bar.BackColor()));
      bar.SetTransparent(true);
    }
  }

  if (!bar.BarDisped()) {
    if (o.info) outcome.info = InfoLine(job, bar, nullptr);
    outcome.status = kNotDrawn;
    if (bar.Pattern().empty()) {
      const std::string_view why = RefusalText(bar.EncodeRefusal());
      outcome.message = QStringLiteral("the code \"%1\" cannot be encoded as this symbology").arg(job.code);
      if (!why.empty())
        outcome.message += QStringLiteral(": ") + QString::fromLatin1(why.data(), static_cast<qsizetype>(why.size()));
      if (bar.ExpectedCheckDigit() >= 0)
        outcome.message += QStringLiteral(", it should be %1").arg(bar.ExpectedCheckDigit());
    } else if (size) {
      outcome.message = QStringLiteral("the symbol cannot be drawn: its picture of %1 × %2 pixels could not be "
                                       "allocated")
                            .arg(size->width())
                            .arg(size->height());
    } else {
      outcome.message = QStringLiteral("the symbol cannot be drawn: it has no width");
    }
    return outcome;
  }
  Drawn drawn;
  if (!job.output.isEmpty()) {
    if (!EncodePictureFile(bar.Picture(), kind.value_or(PictureFileKind::Bitmap), drawn.bytes, &error)) {
      if (o.info) outcome.info = InfoLine(job, bar, nullptr);
      return Outcome{kNotWritten, QStringLiteral("cannot write %1: %2").arg(Quoted(job.output), error), outcome.info};
    }
    if (o.info) drawn.unwrittenInfo = InfoLine(job, bar, nullptr);
  }
  // The check reads the file's bytes as they will be written.
  const char *verified = nullptr;
  if (o.verify) {
    const readback::ReadBackResult check =
        readback::ReadBackSymbol(WrittenImage(bar, kind, drawn.bytes), method == picBMP, bar);
    verified = check.ok ? readback::ReadBackMethodName(check.method) : nullptr;
    if (!check.ok) {
      outcome.status = kNotVerified;
      outcome.message = QStringLiteral("the symbol%1 does not read back as \"%2\": %3")
                            .arg(job.output.isEmpty() ? QString() : QStringLiteral(" in ") + Quoted(job.output),
                                 SjisToUnicode(bar.Symbol()), check.problem);
    }
  }
  if (o.info) outcome.info = InfoLine(job, bar, o.verify ? (verified ? verified : "false") : nullptr);
  drawn.outcome = std::move(outcome);
  return drawn;
}

Outcome WriteDrawn(const Job &job, Drawn &&drawn) {
  if (job.output.isEmpty() || drawn.bytes.empty()) return std::move(drawn.outcome);
  QString error;
  // Missing folders of the name are made, so that `-o 'out/{n}.png'` works in a fresh folder.
  if (!WriteFileAtomicallyByName(job.output, drawn.bytes, &error, {.flush = job.flush, .createFolders = true}))
    return {kNotWritten, QStringLiteral("cannot write %1: %2").arg(Quoted(job.output), error),
            std::move(drawn.unwrittenInfo)};
  return std::move(drawn.outcome);
}

Outcome Renderer::Render(const Job &job) { return WriteDrawn(job, Draw(job)); }

}  // namespace plomix::cli
