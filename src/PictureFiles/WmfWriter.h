#pragma once
// Serialises a TMetafile as a placeable Windows metafile (16-bit WMF) through libUEMF.
#include <string>

#include "Symbol/Metafile.h"
#include "Symbol/ReferenceDevice.h"

namespace plomix {

// The placeable WMF bytes, recorded in pixels: the placeable header's bounding box is
// the picture's size in pixels and its units per inch the device's dpi, so the
// physical size equals the EMF's. Text is written in Shift-JIS with a Shift-JIS font.
// The same input gives the same bytes. Empty when a record cannot be built (for
// example coordinates beyond the 16-bit range).
std::string EncodeWindowsMetafile(const TMetafile &metafile, const TReferenceDevice &device);

}  // namespace plomix
