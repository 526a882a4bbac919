#pragma once
// The clipboard formats of a symbol picture. The Windows formats map to MIME types: a
// bitmap is an image (the toolkit offers PNG and BMP); an enhanced metafile is
// image/emf and image/x-emf; a Windows metafile picture is image/wmf and image/x-wmf
// (placeable WMF bytes, whose header carries the physical size). Like the Windows
// clipboard, which synthesises other formats, a metafile copy also offers a PNG.
#include <QImage>
#include <QMimeData>
#include <memory>

#include "Symbol/Metafile.h"
#include "Symbol/ReferenceDevice.h"

namespace plomix {

inline constexpr char kMimeEmf[] = "image/emf";
inline constexpr char kMimeXEmf[] = "image/x-emf";
inline constexpr char kMimeWmf[] = "image/wmf";
inline constexpr char kMimeXWmf[] = "image/x-wmf";

std::unique_ptr<QMimeData> BitmapMimeData(const QImage &image);
// Nothing when the metafile cannot be serialised.
std::unique_ptr<QMimeData> EnhancedMetafileMimeData(const TMetafile &metafile,
                                                    const TReferenceDevice &device);
std::unique_ptr<QMimeData> WindowsMetafileMimeData(const TMetafile &metafile,
                                                   const TReferenceDevice &device);

// The first line of clipboard text (before the first CR LF) as Shift-JIS, at most
// `maxBytes` bytes without splitting a double-byte character. Looks at no more of the
// text than it needs, so megabytes on the clipboard cost no more than a line.
std::string ClipboardCodeText(const QString &text, std::size_t maxBytes);

}  // namespace plomix
