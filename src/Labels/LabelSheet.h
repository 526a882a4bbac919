#pragma once
// A sheet of labels: the paper, a grid of equal labels on it and where the grid starts.
// Lengths are whole micrometres, so that a sheet read from text ("37.125") and written
// back is the same sheet, and a label's place on the page is exact arithmetic.
#include <QRect>
#include <QString>
#include <optional>

namespace plomix {

struct TLabelSheet {
  QString Name;                      // shown in lists; empty for a sheet given as text
  int PaperWidth = 0, PaperHeight = 0;  // µm
  int Columns = 0, Rows = 0;
  int LabelWidth = 0, LabelHeight = 0;  // µm
  int PitchX = 0, PitchY = 0;           // µm from one label's left (top) edge to the next's
  int Left = 0, Top = 0;                // µm from the paper's edge to the first label

  int LabelsPerSheet() const { return Columns * Rows; }
  bool operator==(const TLabelSheet &) const = default;
};

constexpr int kMicrometresPerMm = 1000;

// Label `index` (from 0, row by row) on the paper, in µm.
QRect LabelRectUm(const TLabelSheet &sheet, int index);

// Why the sheet cannot be printed on (labels overlapping, the grid off the paper, no
// label at all), or nothing when it can.
std::optional<QString> SheetProblem(const TLabelSheet &sheet);

// A length in µm as dots at `dpi`, the nearest whole dot.
int UmToDots(long long um, int dpi);

}  // namespace plomix
