#pragma once
// A bars-only call drawn with the plain layout and pixel routines (BarLayout), the way the
// symbol component draws a symbol without text into its bitmap, and encoded as its file.
#include <optional>
#include <string>

#include "cli/front/BarsOnlyCall.h"

namespace plomix::cli {

// The file's bytes (empty when the call names no file); nothing when the front cannot
// draw it as the full program would (a code the symbology refuses, a picture beyond the
// memory the full program allows or too large for a BMP file, no memory): the full
// program then answers.
std::optional<std::string> DrawBarsOnly(const BarsOnlyCall &call);

}  // namespace plomix::cli
