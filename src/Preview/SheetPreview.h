#pragma once
// One label sheet as the preview shows it: the labels' outlines (the skipped ones
// shaded), every symbol drawn on the preview's dots as the printer will draw it on its
// own, and each symbol read back from the page, with a mark on the ones that would not
// read. Paints on an image only: no widgets.
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "Labels/SheetPainter.h"

namespace plomix {

class TBarSymbol;

struct TSheetMark {
  std::int64_t Item = 0;
  QRect Symbol;  // page pixels
  bool Ok = false;
  QString Verdict;  // "読み取り確認: ..."
};

struct TSheetPicture {
  QImage Page;  // marks painted in
  std::vector<TSheetMark> Marks;
  bool More = false;  // items go on to a later sheet
  int Unreadable() const;
};

// Sheet `sheet` (from 0) of `items` items laid out by `layout` (its dpi is the page
// image's; its paper origin the image's corner). `load` puts item i into `shown` and
// returns its source, as the print does, so each placed symbol is read back as `shown`.
TSheetPicture RenderSheet(const TSheetLayout &layout, std::int64_t items, int sheet,
                          const std::function<const TSnapSource *(std::int64_t)> &load, const TBarSymbol &shown);

}  // namespace plomix
