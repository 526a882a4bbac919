#include "cli/Startup.h"

#include "PictureFiles/PictureFiles.h"

namespace plomix::cli {

bool DrawsWithoutGuiLayer(const CliOptions &o) {
  if (o.help) return true;
  if (!o.batch.isEmpty() || o.symbolDisp || !o.up.isEmpty() || !o.down.isEmpty()) return false;
  if (o.fromAddress) return false;  // drawn as before, until measured on its own
  if (o.picture != picBMP) return false;
  if (o.output.isEmpty()) return true;
  const auto kind = PictureFileKindOf(o.output);
  return kind == PictureFileKind::Bitmap || kind == PictureFileKind::Png || kind == PictureFileKind::Jpeg;
}

}  // namespace plomix::cli
