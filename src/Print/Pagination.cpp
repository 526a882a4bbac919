#include "Print/Pagination.h"

#include <algorithm>

namespace plomix {

TGridPagination::TGridPagination(const TCellSteps &steps, int pageWidth, int pageHeight, int copies)
    : FSteps(steps),
      FColumns(FitCount(pageWidth, steps.W, steps.G)),
      FRows(FitCount(pageHeight, steps.H, steps.R)),
      FCopies(std::max(copies, 0)) {}

int TGridPagination::PageCount() const {
  const std::int64_t perPage = SymbolsPerPage();
  return static_cast<int>(FCopies / perPage + (FCopies % perPage ? 1 : 0));
}

std::int64_t TGridPagination::CellsOnPage(int page) const {
  const std::int64_t before = (std::int64_t{page} - 1) * SymbolsPerPage();
  if (page < 1 || before >= FCopies) return 0;
  return std::min(SymbolsPerPage(), FCopies - before);
}

TPrintCell TGridPagination::Cell(std::int64_t index, int zoom) const {
  const std::int64_t row = index / FColumns, column = index % FColumns;
  const std::int64_t w = Zoomed(FSteps.W, zoom), h = Zoomed(FSteps.H, zoom);
  return {column * (w + Zoomed(FSteps.G, zoom)), row * (h + Zoomed(FSteps.R, zoom)), w, h};
}

TFlowPagination::TFlowPagination(const TPrintMetrics &metrics, int columnSpacing, int rowSpacing,
                                 int recordCount, LoadRecord load)
    : FMetrics(metrics),
      FColumnGap(PrinterWidth(metrics, columnSpacing)),
      FRowGap(PrinterHeight(metrics, rowSpacing)),
      // A page of no size holds nothing: no walk over it could end.
      FRecordCount(metrics.PageWidth > 0 && metrics.PageHeight > 0 ? std::max(recordCount, 0) : 0),
      FLoad(std::move(load)) {}

bool TFlowPagination::LayPage(int page, int zoom, const PlaceCell &place,
                              const std::function<void()> &visited) {
  if (page < 1 || FRecordCount == 0 || (FLastPage > 0 && page > FLastPage)) return false;
  // Earlier pages, only as far as their starts are unknown.
  while (static_cast<int>(FStarts.size()) < page) {
    const int known = static_cast<int>(FStarts.size());
    int placed = 0;
    const int next = WalkPage(FStarts.back(), 100, {}, visited, placed);
    if (next >= FRecordCount) {
      FLastPage = placed > 0 || known == 1 ? known : known - 1;
      return false;
    }
    FStarts.push_back(next);
  }
  int placed = 0;
  const int next = WalkPage(FStarts[page - 1], zoom, place, visited, placed);
  if (next >= FRecordCount) {
    // A page of records that cannot be displayed only is no page.
    FLastPage = placed > 0 || page == 1 ? page : page - 1;
    return FLastPage == page;
  }
  if (static_cast<int>(FStarts.size()) == page) FStarts.push_back(next);
  return true;
}

int TFlowPagination::WalkPage(int start, int zoom, const PlaceCell &place,
                              const std::function<void()> &visited, int &placed) {
  const std::int64_t pageWidth = FMetrics.PageWidth, pageHeight = FMetrics.PageHeight;
  const std::int64_t zoomedColumnGap = Zoomed(FColumnGap, zoom), zoomedRowGap = Zoomed(FRowGap, zoom);
  int i = start;
  std::int64_t y = 0, zoomedY = 0;
  while (y < pageHeight) {
    std::int64_t x = 0, zoomedX = 0, rowHeight = 0, zoomedRowHeight = 0;
    while (x < pageWidth) {
      const TFlowSymbol symbol = FLoad(i);
      if (visited) visited();
      if (symbol.Displayed) {
        const std::int64_t w = PrinterWidth(FMetrics, symbol.Width);
        const std::int64_t h = PrinterHeight(FMetrics, symbol.Height);
        // Past the right edge: the record starts the next row.
        if (x > 0 && x + w > pageWidth) break;
        // Past the bottom edge: the row takes its height, which ends the page, and the
        // record starts the next page.
        if (y > 0 && y + h > pageHeight) {
          rowHeight = h;
          zoomedRowHeight = Zoomed(h, zoom);
          break;
        }
        const std::int64_t zoomedW = Zoomed(w, zoom), zoomedH = Zoomed(h, zoom);
        if (place) place(i, {zoomedX, zoomedY, zoomedW, zoomedH});
        ++placed;
        x += w + FColumnGap;
        zoomedX += zoomedW + zoomedColumnGap;
        if (h > rowHeight) {
          rowHeight = h;
          zoomedRowHeight = zoomedH;
        }
      }
      if (++i >= FRecordCount) return FRecordCount;
    }
    y += rowHeight + FRowGap;
    zoomedY += zoomedRowHeight + zoomedRowGap;
  }
  return i;
}

}  // namespace plomix
