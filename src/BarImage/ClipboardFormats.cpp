#include "BarImage/ClipboardFormats.h"

#include "PictureFiles/EmfWriter.h"
#include "Symbol/Picture.h"
#include "PictureFiles/WmfWriter.h"
#include "Common/ShiftJis.h"

namespace plomix {
namespace {

std::unique_ptr<QMimeData> MetafileMimeData(const std::string &bytes, const char *mime,
                                            const char *xMime, const TMetafile &metafile) {
  if (bytes.empty()) return nullptr;
  auto data = std::make_unique<QMimeData>();
  const QByteArray payload(bytes.data(), static_cast<qsizetype>(bytes.size()));
  data->setData(QString::fromLatin1(mime), payload);
  data->setData(QString::fromLatin1(xMime), payload);
  data->setImageData(MetafileToImage(metafile));
  return data;
}

}  // namespace

std::unique_ptr<QMimeData> BitmapMimeData(const QImage &image) {
  auto data = std::make_unique<QMimeData>();
  data->setImageData(image);
  return data;
}

std::unique_ptr<QMimeData> EnhancedMetafileMimeData(const TMetafile &metafile,
                                                    const TReferenceDevice &device) {
  return MetafileMimeData(EncodeEnhancedMetafile(metafile, device), kMimeEmf, kMimeXEmf, metafile);
}

std::unique_ptr<QMimeData> WindowsMetafileMimeData(const TMetafile &metafile,
                                                   const TReferenceDevice &device) {
  return MetafileMimeData(EncodeWindowsMetafile(metafile, device), kMimeWmf, kMimeXWmf, metafile);
}

std::string ClipboardCodeText(const QString &text, std::size_t maxBytes) {
  qsizetype end = text.indexOf(QLatin1String("\r\n"));
  if (end < 0) end = text.size();
  // Every UTF-16 unit gives at least one byte except a surrogate pair, which gives one
  // byte ("?") for two units: twice maxBytes units always hold maxBytes bytes.
  const qsizetype enough = static_cast<qsizetype>(2 * maxBytes + 2);
  const std::string bytes = UnicodeToSjis(text.left(std::min(end, enough)));
  return std::string(SjisPrefix(bytes, maxBytes));
}

}  // namespace plomix
