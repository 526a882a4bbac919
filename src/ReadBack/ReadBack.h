#pragma once
// --verify: a written picture read back. zxing-cpp decodes the symbologies it reads and
// its text is compared with the symbol's; for the others (and codes written with
// notation) the picture is read back into element widths along its rows, or for the
// customer barcode into bar shapes, and matched against the encoder's pattern.
#include <QImage>
#include <QString>

#include "cli/CliOptions.h"

namespace plomix {
class TBarSymbol;
}

namespace plomix::cli {

enum class VerifyMethod { None, Zxing, Elements };

struct VerifyResult {
  VerifyMethod method = VerifyMethod::None;
  bool ok = false;
  QString problem;  // what was read instead, when not ok
};

// `picture` is the picture as written; `turned` when the options' angle and mirror were
// applied to it (bitmaps; metafiles are drawn upright).
VerifyResult VerifySymbol(const QImage &picture, bool turned, const TBarSymbol &bar, const CliOptions &options);

const char *VerifyMethodName(VerifyMethod method);  // "zxing", "elements" or nullptr

}  // namespace plomix::cli
