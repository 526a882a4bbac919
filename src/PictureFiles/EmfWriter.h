#pragma once
// Serialises a TMetafile as an enhanced metafile (EMF) through libUEMF.
#include <string>

#include "Symbol/Metafile.h"
#include "Symbol/ReferenceDevice.h"

namespace plomix {

// The EMF bytes, recorded in pixels against `device`: the header's bounds are the
// picture in pixels, its frame the same area in hundredths of a millimetre at the
// device's dpi. The same input gives the same bytes (no time stamps). Empty when
// libUEMF cannot build a record.
std::string EncodeEnhancedMetafile(const TMetafile &metafile, const TReferenceDevice &device);

}  // namespace plomix
