#pragma once
// A recorded symbol drawing as an SVG document: the same shapes the EMF and WMF writers
// write, bars as rectangles on whole pixels, text as text placed character by character.
#include <QSize>
#include <string>

#include "Symbol/Metafile.h"

namespace plomix {

// `size` is the picture's size in pixels: width, height and viewBox.
std::string EncodeSvg(const TMetafile &metafile, QSize size);

}  // namespace plomix
