#pragma once
// A drawn symbol read back. zxing-cpp decodes the symbologies it reads and its text is
// compared with the symbol's; for the others (and codes written with notation) the
// picture is read back into element widths along its rows, or for the customer barcode
// into bar shapes, and matched against the encoder's pattern. Used by plomix-cli's
// --verify, the main window's status line and the label-sheet preview.
#include <QImage>
#include <QString>

namespace plomix {
class TBarSymbol;
}

namespace plomix::readback {

enum class ReadBackMethod { None, Zxing, Elements };

// Why a symbol did not read back; the window words each one for the user.
enum class ReadBackFault {
  None,
  NoPicture,
  LowContrast,  // bars and background too near in grey for a scanner
  LightBars,    // bars lighter than their background: linear scanners read dark bars
  ReadNothing,
  ReadOther,
  ElementsDiffer,
  ShapesDiffer
};

// The least difference in grey (0..255) between bars and background that counts as
// readable: 20 %, the symbol contrast below which a print grades as failing.
constexpr int kLeastSymbolContrast = 51;

struct ReadBackResult {
  ReadBackMethod method = ReadBackMethod::None;
  bool ok = false;
  ReadBackFault fault = ReadBackFault::None;
  QString problem;  // what was read instead, when not ok (English, for the command line)
  QString read;     // zxing-cpp's text, for ReadOther
};

// `picture` is the symbol's picture; `turned` when the symbol's angle and mirror were
// applied to it (bitmaps; metafiles are drawn upright). The scale, element ratio, colours,
// angle and mirror are the symbol's own. A transparent background is read as white paper.
// `moduleScale`: the pixels a module takes in `picture` when it was drawn on another grid
// than the symbol's (a printer's dots); 0 for the symbol's own scale.
ReadBackResult ReadBackSymbol(const QImage &picture, bool turned, const TBarSymbol &bar, int moduleScale = 0);

const char *ReadBackMethodName(ReadBackMethod method);  // "zxing", "elements" or nullptr

// The verdict as the window shows it: "読み取り確認: OK" or, when not ok, why not.
QString ReadBackVerdict(const ReadBackResult &result);

}  // namespace plomix::readback
