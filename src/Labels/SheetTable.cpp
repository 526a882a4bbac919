#include "Labels/SheetTable.h"

#include <array>

namespace plomix {
namespace {

struct ShippedRow {
  const char *name;
  int paperWidth, paperHeight;  // µm
  int columns, rows;
  int labelWidth, labelHeight;
  int pitchX, pitchY;
  int left, top;
};

constexpr int kA4Width = 210000, kA4Height = 297000;

// Labels of a row side by side and rows one under the other unless a pitch says otherwise;
// the margins centre the grid on the paper, as the makers' sheets do.
constexpr std::array<ShippedRow, 12> kShipped{{
    {"A4 10面 86.4×50.8mm", kA4Width, kA4Height, 2, 5, 86400, 50800, 86400, 50800, 18600, 21500},
    {"A4 12面 86.4×42.3mm", kA4Width, kA4Height, 2, 6, 86400, 42300, 86400, 42300, 18600, 21600},
    {"A4 18面 86.4×31mm", kA4Width, kA4Height, 2, 9, 86400, 31000, 86400, 31000, 18600, 9000},
    {"A4 21面 70×42.3mm", kA4Width, kA4Height, 3, 7, 70000, 42300, 70000, 42300, 0, 450},
    {"A4 24面 70×37mm", kA4Width, kA4Height, 3, 8, 70000, 37000, 70000, 37000, 0, 500},
    {"A4 24面 70×33.9mm", kA4Width, kA4Height, 3, 8, 70000, 33900, 70000, 33900, 0, 12900},
    {"A4 44面 48.3×25.4mm", kA4Width, kA4Height, 4, 11, 48300, 25400, 48300, 25400, 8400, 8800},
    {"A4 65面 38.1×21.2mm", kA4Width, kA4Height, 5, 13, 38100, 21200, 40600, 21200, 4750, 10700},
    {"A4 はがき4面 100×148mm", kA4Width, kA4Height, 2, 2, 100000, 148000, 100000, 148000, 5000, 500},
    {"はがき 100×148mm", 100000, 148000, 1, 1, 100000, 148000, 100000, 148000, 0, 0},
    {"長形3号封筒 120×235mm", 120000, 235000, 1, 1, 120000, 235000, 120000, 235000, 0, 0},
    {"角形2号封筒 240×332mm", 240000, 332000, 1, 1, 240000, 332000, 240000, 332000, 0, 0},
}};

std::vector<TLabelSheet> MakeShipped() {
  std::vector<TLabelSheet> sheets;
  for (const ShippedRow &r : kShipped)
    sheets.push_back({QString::fromUtf8(r.name), r.paperWidth, r.paperHeight, r.columns, r.rows, r.labelWidth,
                      r.labelHeight, r.pitchX, r.pitchY, r.left, r.top});
  return sheets;
}

}  // namespace

const std::vector<TLabelSheet> &ShippedSheets() {
  static const std::vector<TLabelSheet> sheets = MakeShipped();
  return sheets;
}

const TLabelSheet *FindSheet(const QString &name, const std::vector<TLabelSheet> &userSheets) {
  for (const TLabelSheet &sheet : userSheets)
    if (sheet.Name == name) return &sheet;
  for (const TLabelSheet &sheet : ShippedSheets())
    if (sheet.Name == name) return &sheet;
  return nullptr;
}

}  // namespace plomix
