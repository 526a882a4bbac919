#pragma once
// One pagination for the print and the preview. The grid puts N copies of one symbol
// into equal cells, row by row; the flow puts the records' symbols left to right and
// top to bottom, each cell as large as its own symbol. Decisions are taken in printer
// pixels; positions are given at a zoom Z (100 for the printer) as sums of zoomed
// steps, so the preview places cells exactly as it draws them.
#include <cstdint>
#include <functional>
#include <vector>

#include "Print/PrintGeometry.h"

namespace plomix {

// A cell at a zoom: top-left and size in device pixels.
struct TPrintCell {
  std::int64_t X = 0, Y = 0, W = 0, H = 0;
};

class TGridPagination {
 public:
  TGridPagination(const TCellSteps &steps, int pageWidth, int pageHeight, int copies);

  std::int64_t Columns() const { return FColumns; }
  std::int64_t Rows() const { return FRows; }
  std::int64_t SymbolsPerPage() const { return FColumns * FRows; }
  int Copies() const { return FCopies; }
  int PageCount() const;
  // Cells on page `page` (from 1): how many of the copies fall on it.
  std::int64_t CellsOnPage(int page) const;
  // Cell `index` of a page (row by row) at zoom Z.
  TPrintCell Cell(std::int64_t index, int zoom) const;

 private:
  TCellSteps FSteps;
  std::int64_t FColumns, FRows;
  int FCopies;
};

// What loading a record into the symbol gave: whether it is displayed, and its size
// in screen pixels.
struct TFlowSymbol {
  bool Displayed = false;
  int Width = 0;
  int Height = 0;
};

class TFlowPagination {
 public:
  // Loads record i into the symbol and tells what it became.
  using LoadRecord = std::function<TFlowSymbol(int record)>;
  // A displayed record placed into its cell; called while the symbol holds that record.
  using PlaceCell = std::function<void(int record, const TPrintCell &cell)>;

  TFlowPagination(const TPrintMetrics &metrics, int columnSpacing, int rowSpacing,
                  int recordCount, LoadRecord load);

  // Lays out page `page` (from 1) at zoom Z, placing its cells; `visited` is called once
  // for every record the walk loads. Pages before it are laid out first when their
  // starts are not yet known, and their starts are kept, so paging on lays out only the
  // pages shown. False when the records end before that page (or the page would be
  // empty: records that cannot be displayed take no room and make no page).
  bool LayPage(int page, int zoom, const PlaceCell &place,
               const std::function<void()> &visited = {});

  // Once the walk has reached the last record: the number of the last page.
  bool EndKnown() const { return FLastPage > 0; }
  int LastPage() const { return FLastPage; }
  int KnownPageStarts() const { return static_cast<int>(FStarts.size()); }

 private:
  // Walks one page from record `start`: the record the next page starts with, or the
  // record count when the records ran out on this page. `placed` counts the cells.
  int WalkPage(int start, int zoom, const PlaceCell &place, const std::function<void()> &visited,
               int &placed);

  TPrintMetrics FMetrics;
  std::int64_t FColumnGap, FRowGap;
  int FRecordCount;
  LoadRecord FLoad;
  std::vector<int> FStarts{0};  // the first record of each known page
  int FLastPage = 0;
};

}  // namespace plomix
