#pragma once
// What of the toolkit a run needs. Starting the GUI layer (its platform plugin, screen
// and font database) costs more than drawing a symbol, and only text needs it: a symbol
// of bars alone is drawn into a QImage with a QPainter, which work without it.
#include "cli/CliOptions.h"

namespace plomix::cli {

// True when the run draws no text and writes nothing that asks the screen: one symbol
// without its text line and comments, drawn as a bitmap into a BMP, PNG or JPEG file (or
// no file). Metafiles and SVG files record the screen as their reference device, and a
// batch may hold comments, so those start the GUI layer; so do codes made from addresses.
bool DrawsWithoutGuiLayer(const CliOptions &options);

}  // namespace plomix::cli
