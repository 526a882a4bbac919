#pragma once
// One encoder per symbology; each turns a barcode string into an element pattern,
// the human-readable text and the check value.
#include "BarImage/encoders/EncodeTypes.h"

namespace plomix {

EncodeResult EncodeCode39(const EncodeInput &in);
EncodeResult EncodeNW7(const EncodeInput &in);

}  // namespace plomix
