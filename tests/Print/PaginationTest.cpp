// The one pagination of print and preview: grid counts, the record flow's row and page
// breaks, page starts kept between turns, and sizes that pass 32 bits.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "Print/Pagination.h"

namespace plomix {
namespace {

TEST(PrintGeometry, SizesKeepTheOrderOfOperationsAndPass32Bits) {
  struct Row { TPrintMetrics m; std::int64_t screen, across, down; const char *note; };
  const Row rows[] = {
      {{600, 600, 96, 96, 0, 0, 100}, 96, 600, 600, "one inch"},
      {{1200, 1200, 96, 96, 0, 0, 1000}, 2000, 250000, 250000, "1000 % of 2000 at 1200 dpi: 2.4e9 before the divisions"},
      {{300, 600, 96, 120, 0, 0, 37}, 7, 8, 12, "77700/96/100 = 8.09 and 155400/120/100 = 12.95, truncated"},
      {{600, 600, 96, 96, 0, 0, 10}, 1, 0, 0, "a pixel that scales to nothing"},
  };
  for (const Row &row : rows) {
    EXPECT_EQ(PrinterWidth(row.m, row.screen), row.across) << row.note;
    EXPECT_EQ(PrinterHeight(row.m, row.screen), row.down) << row.note;
  }
}

TEST(PrintGeometry, FitCountCountsCellsStartingInTheRoom) {
  struct Row { std::int64_t room, cell, gap, count; const char *note; };
  const Row rows[] = {
      {100, 50, 0, 2, "exactly two"},
      {100, 45, 10, 2, "the second cell is cut only by its gap"},
      {100, 46, 10, 1, "the second cell does not fit"},
      {100, 150, 0, 1, "wider than the page: still one"},
      {100, 0, 0, 1, "no size and no gap: the guard"},
      {100, 0, 10, 10, "no size with a gap"},
      {250000, 1, 0, 250000, "many small cells"},
  };
  for (const Row &row : rows) EXPECT_EQ(FitCount(row.room, row.cell, row.gap), row.count) << row.note;
}

TEST(PrintGeometry, PreviewZoomFitsTwoPagesAcrossAndOneDown) {
  EXPECT_EQ(PreviewZoom(1920, 1080, 4800, 6600), 13) << "min(1920*99/4800/2 = 19, 1080*80/6600 = 13)";
  EXPECT_EQ(PreviewZoom(800, 600, 2400, 800), 16) << "min(800*99/2400/2 = 16, 600*80/800 = 60)";
  EXPECT_EQ(PreviewZoom(800, 600, 100000, 100000), 1) << "never below 1";
}

TEST(GridPagination, CopiesFillRowsLeftToRightAndPagesTopToBottom) {
  struct Row {
    TCellSteps steps; int pageWidth, pageHeight, copies;
    std::int64_t columns, rows; int pages; std::int64_t onLastPage; const char *note;
  };
  const Row rows[] = {
      {{40, 30, 10, 5}, 100, 100, 5, 2, 3, 1, 5, "N=5 on 2 x 3: one page of five cells"},
      {{40, 30, 10, 5}, 100, 100, 6, 2, 3, 1, 6, "N=6 on a page of exactly 6: no second page"},
      {{40, 30, 10, 5}, 100, 100, 7, 2, 3, 2, 1, "the seventh starts page 2"},
      {{500, 400, 0, 0}, 100, 100, 3, 1, 1, 3, 1, "larger than the page: one cell a page"},
      {{0, 0, 0, 0}, 100, 100, 4, 1, 1, 4, 1, "no size, no spacing: the guard gives one a page"},
  };
  for (const Row &row : rows) {
    const TGridPagination grid(row.steps, row.pageWidth, row.pageHeight, row.copies);
    EXPECT_EQ(grid.Columns(), row.columns) << row.note;
    EXPECT_EQ(grid.Rows(), row.rows) << row.note;
    EXPECT_EQ(grid.PageCount(), row.pages) << row.note;
    EXPECT_EQ(grid.CellsOnPage(row.pages), row.onLastPage) << row.note;
    EXPECT_EQ(grid.CellsOnPage(row.pages + 1), 0) << row.note;
  }
  const TGridPagination grid({40, 30, 10, 5}, 100, 100, 5);
  const TPrintCell fifth = grid.Cell(4, 100);
  EXPECT_EQ((std::vector<std::int64_t>{fifth.X, fifth.Y, fifth.W, fifth.H}),
            (std::vector<std::int64_t>{0, 70, 40, 30})) << "row 2, column 0";
  const TPrintCell zoomed = grid.Cell(3, 50);
  EXPECT_EQ((std::vector<std::int64_t>{zoomed.X, zoomed.Y, zoomed.W, zoomed.H}),
            (std::vector<std::int64_t>{25, 17, 20, 15})) << "sums of halved steps: 20+5, 15+2";
}

// A flow over records of given sizes (screen pixels = printer pixels at 96/96 dpi, 100 %);
// a size of -1 is a record that cannot be displayed.
struct Flow {
  std::vector<std::pair<int, int>> sizes;
  int loads = 0;
  TFlowPagination pagination;
  Flow(std::vector<std::pair<int, int>> s, int pageWidth, int pageHeight, int gap = 0)
      : sizes(std::move(s)),
        pagination({96, 96, 96, 96, pageWidth, pageHeight, 100}, gap, gap, static_cast<int>(sizes.size()),
                   [this](int i) {
                     ++loads;
                     const auto [w, h] = sizes[i];
                     return TFlowSymbol{w >= 0, w, h};
                   }) {}
  // page -> (record, x, y) of its cells
  std::vector<std::tuple<int, std::int64_t, std::int64_t>> Page(int page, int zoom = 100, bool *laid = nullptr) {
    std::vector<std::tuple<int, std::int64_t, std::int64_t>> cells;
    const bool ok = pagination.LayPage(page, zoom, [&](int record, const TPrintCell &cell) {
      cells.emplace_back(record, cell.X, cell.Y);
    });
    if (laid) *laid = ok;
    return cells;
  }
};

using Cells = std::vector<std::tuple<int, std::int64_t, std::int64_t>>;

TEST(FlowPagination, RowAndPageBreaksAtTheEdges) {
  // Page 100 x 100, no gaps. Records 0, 1 fill a row; 2 would cross the right edge and
  // starts row 2 (the row is as high as its tallest cell); 3 would cross the bottom and
  // starts page 2.
  Flow flow({{50, 30}, {40, 40}, {60, 20}, {10, 70}, {90, 20}}, 100, 100);
  EXPECT_EQ(flow.Page(1), (Cells{{0, 0, 0}, {1, 50, 0}, {2, 0, 40}}));
  EXPECT_EQ(flow.Page(2), (Cells{{3, 0, 0}, {4, 10, 0}})) << "a cell at the top of a page is never moved on";
  EXPECT_TRUE(flow.pagination.EndKnown());
  EXPECT_EQ(flow.pagination.LastPage(), 2);
  bool laid = true;
  EXPECT_TRUE(flow.Page(3, 100, &laid).empty());
  EXPECT_FALSE(laid);
}

TEST(FlowPagination, RecordsThatCannotBeDisplayedTakeNoRoomAndMakeNoPage) {
  Flow flow({{-1, -1}, {60, 60}, {-1, -1}, {60, 60}, {-1, -1}}, 100, 100);
  EXPECT_EQ(flow.Page(1), (Cells{{1, 0, 0}}));
  EXPECT_EQ(flow.Page(2), (Cells{{3, 0, 0}}));
  bool laid = true;
  flow.Page(3, 100, &laid);
  EXPECT_FALSE(laid) << "record 4 alone would make a blank page";
  EXPECT_EQ(flow.pagination.LastPage(), 2);
}

TEST(FlowPagination, GapsAndZoomAccumulateAsSumsOfZoomedSteps) {
  // Cells 33 wide with a gap of 7: at 50 % each step is 16 + 3 = 19, not (33 + 7) / 2 = 20.
  Flow flow({{33, 10}, {33, 10}, {33, 10}}, 100, 100, 7);
  EXPECT_EQ(flow.Page(1, 50), (Cells{{0, 0, 0}, {1, 19, 0}, {2, 0, 8}})) << "third: 40+40+33 > 100";
}

TEST(FlowPagination, PageStartsAreKeptSoATurnLaysOutOnlyItsPages) {
  std::vector<std::pair<int, int>> sizes(200, {50, 50});  // 4 a page
  Flow kept(sizes, 100, 100);
  for (int page = 1; page <= 49; ++page) kept.Page(page);
  const int loadsBefore = kept.loads;
  const Cells turned = kept.Page(50);
  EXPECT_EQ(kept.loads - loadsBefore, 4) << "only page 50's records are loaded";
  Flow fresh(sizes, 100, 100);
  EXPECT_EQ(fresh.Page(50), turned) << "the same cells as a walk over every earlier page";
  EXPECT_EQ(fresh.loads, 200);
  EXPECT_EQ(turned.front(), (std::tuple<int, std::int64_t, std::int64_t>{196, 0, 0}));
}

TEST(FlowPagination, NoPageOfNoSizeIsWalked) {
  Flow flow({{10, 10}}, 0, 100);
  bool laid = true;
  flow.Page(1, 100, &laid);
  EXPECT_FALSE(laid);
}

}  // namespace
}  // namespace plomix
