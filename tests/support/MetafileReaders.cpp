#include "tests/support/MetafileReaders.h"

#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>

#include <emf2svg.h>

namespace plomix::test {

QByteArray EmfToSvg(const std::string &emf) {
  std::string contents = emf;  // emf2svg takes a mutable buffer
  generatorOptions options{};
  options.nameSpace = const_cast<char *>("");
  options.svgDelimiter = true;
  char *out = nullptr;
  std::size_t length = 0;
  if (emf2svg(contents.data(), contents.size(), &out, &length, &options) == 0 || out == nullptr) {
    std::free(out);
    return {};
  }
  QByteArray svg(out, static_cast<qsizetype>(length));
  std::free(out);
  return svg;
}

QByteArray WmfToSvg(const std::string &wmf) {
  QTemporaryDir dir;
  const QString in = dir.filePath(QStringLiteral("in.wmf"));
  const QString out = dir.filePath(QStringLiteral("out.svg"));
  std::ofstream(in.toStdString(), std::ios::binary) << wmf;
  QProcess process;
  process.start(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), out, in});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  QFile file(out);
  if (!file.open(QIODevice::ReadOnly)) return {};
  // wmf2svg writes each text byte as a text element of its own, so a Shift-JIS double-byte
  // character arrives split in two; read the bytes as Latin-1 to keep the SVG valid.
  // It also leaves "<" and "&" in text unescaped (CODE-128's "<DC2>"); escape them.
  QByteArray svg = QString::fromLatin1(file.readAll()).toUtf8();
  svg.replace("\t><</text>", "\t>&lt;</text>");
  svg.replace("\t>&</text>", "\t>&amp;</text>");
  return svg;
}

QImage RenderSvg(const QByteArray &svg) {
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) return {};
  const QSize size = renderer.defaultSize();
  if (size.isEmpty()) return {};
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

}  // namespace plomix::test
