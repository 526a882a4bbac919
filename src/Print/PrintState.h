#pragma once
// The print state the main window keeps for printing and the preview, and what the
// preview and the print read from their host window.
#include <string>

class QPrinter;

namespace plomix {

class TBarSymbol;
class TRecordList;

struct TPrintState {
  int PrinterDpiX = 0;
  int PrinterDpiY = 0;
  int ScreenDpiX = 0;
  int ScreenDpiY = 0;
  int PageWidth = 0;   // printable area, printer pixels
  int PageHeight = 0;
  int ColumnSpacing = 0;  // screen pixels, 0..2000
  int RowSpacing = 10;
  bool ListPrintMode = false;
  int PrintableCount = 0;
  bool ActualSizeSwitch = false;
};

// The window that prints: its symbol, records, print state and print controls. The
// symbol gives the settings, code and picture printing starts from; it is never changed.
class TPrintHost {
 public:
  virtual ~TPrintHost() = default;
  virtual TPrintState &PrintState() = 0;
  virtual const TBarSymbol &PrintSymbol() const = 0;
  virtual const TRecordList &PrintRecords() const = 0;
  virtual int PrintScale() const = 0;         // percent, 10..1000
  virtual void SetPrintScale(int percent) = 0;  // held within 10..1000
  virtual int PrintCopies() const = 0;        // 1..1000
  virtual QPrinter &Printer() = 0;            // the printer chosen for every print
  // Bars drawn on the printer's whole dots; else the picture stretched as it is.
  virtual bool PrintSnapToDots() const { return false; }
};

}  // namespace plomix
