#pragma once
// Prints a text in side-by-side columns with optional line numbers, tab expansion, a
// title and the date in the top margin and a number under every column. Knows nothing
// of records: the caller hands in Shift-JIS text, fonts and layout values.
#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "PrintTxt/ColumnIndex.h"
#include "PrintTxt/PrinterInfo.h"
#include "PrintTxt/TextPage.h"
#include "PrintTxt/TextSurface.h"

class QPainter;
class QPrinter;
class QPrinterInfo;

namespace plomix {

enum THeaderFlag { hfTitle = 1, hfDate = 2, hfColumnNumber = 4 };

struct TPrintTextParams {
  std::string Text;   // Shift-JIS, lines end with CR LF
  std::string Title;  // Shift-JIS; its file-name part names the job and heads the page
  QFont BodyFont;
  QColor BodyColor = Qt::black;  // the text's colour; the header stays black
  int TabWidth = 8;         // 0..32; 0 removes TABs
  int LineNumberWidth = 0;  // -8..8; 0 no numbers, < 0 zero-padded
  int LeftMargin = 0;       // 0..255 hundredths of an inch from the paper edge
  int RightMargin = 0;
  int TopMargin = 0;
  int BottomMargin = 0;
  int Columns = 1;    // 1..256 per page
  int ColumnGap = 0;  // 0..1024 printer pixels
  int HeaderFlags = 0;
  QFont HeaderFont;
  int Copies = 1;  // 1..1000
};

struct TPrintTextResult {
  int Columns = 0;     // columns laid out; 0 when nothing was printed
  int Pages = 0;       // pages sent, all copies
  QString Error;       // why the job did not run or was aborted; empty on success
  QString OutputFile;  // the PDF written when no printer was available
};

// Called before every page with the pages sent so far and the job's total; returning
// false cancels the job.
using TPrintProgress = std::function<bool(int done, int total)>;

// An empty text when every parameter is within its range, else which one is not.
QString CheckPrintTextParams(const TPrintTextParams &params);

// One print job of the text on `printer`: the geometry, the column index and the pages.
class TTextPrinter {
 public:
  TTextPrinter(const TPrintTextParams &params, QPrinter &printer);
  ~TTextPrinter();

  const PrinterInfo &Info() const { return info_; }
  const TTextPageGeometry &Geometry() const { return geometry_; }
  const TColumnIndex &Index() const { return index_; }
  int ColumnCount() const { return index_.Count(); }
  int Pages() const;
  // Rows that fit in one column of the body font.
  int RowsPerColumn() const;

  // Draws the page holding column `firstColumn` (from 1), from that column on, with its
  // header and footer. False when the number lies outside 1..ColumnCount().
  bool RenderPage(QPainter &painter, int firstColumn);

 private:
  void DrawHeader(int firstOnPage, int lastOnPage);

  const TPrintTextParams params_;
  PrinterInfo info_;
  TTextPageGeometry geometry_;
  TTextSurface body_;
  TTextSurface header_;
  TColumnIndex index_;
  QString title_;
  QString date_;
};

// Prints on `printer`. Out-of-range parameters give 0 and no job. Text that cannot be
// laid out gives 0 with the job begun and ended. A failure while sending pages aborts
// the job and comes back in Error.
TPrintTextResult PrintText(const TPrintTextParams &params, QPrinter &printer,
                           const TPrintProgress &progress = {});

// Where a job goes: the printer the user chose, else the system's default printer,
// else a new PDF file in the user's documents folder (PdfFile), never an existing one.
struct TTextPrinterChoice {
  std::unique_ptr<QPrinter> Owned;  // the printer made here, when none was chosen
  QPrinter *Printer = nullptr;
  QString PdfFile;
};
TTextPrinterChoice ChooseTextPrinter(QPrinter *chosen, const QPrinterInfo &systemDefault,
                                     const std::string &title);

// Prints on ChooseTextPrinter(chosen, QPrinterInfo::defaultPrinter(), Title); a PDF
// written for want of a printer is named in OutputFile.
TPrintTextResult PrintText(const TPrintTextParams &params, QPrinter *chosen,
                           const TPrintProgress &progress = {});

}  // namespace plomix
