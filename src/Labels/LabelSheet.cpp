#include "Labels/LabelSheet.h"

#include <cmath>

namespace plomix {

QRect LabelRectUm(const TLabelSheet &sheet, int index) {
  const int columns = sheet.Columns > 0 ? sheet.Columns : 1;
  const int row = index / columns, column = index % columns;
  return QRect(sheet.Left + column * sheet.PitchX, sheet.Top + row * sheet.PitchY, sheet.LabelWidth,
               sheet.LabelHeight);
}

std::optional<QString> SheetProblem(const TLabelSheet &s) {
  auto text = [](const char *utf8) { return QString::fromUtf8(utf8); };
  if (s.PaperWidth <= 0 || s.PaperHeight <= 0) return text("用紙の大きさが正しくありません。");
  if (s.Columns < 1 || s.Rows < 1 || s.Columns > 100 || s.Rows > 100)
    return text("ラベルの列数と行数は1から100までです。");
  if (s.LabelWidth <= 0 || s.LabelHeight <= 0) return text("ラベルの大きさが正しくありません。");
  if (s.PitchX < s.LabelWidth || s.PitchY < s.LabelHeight)
    return text("ラベルの間隔がラベルの大きさより小さく、ラベルが重なります。");
  // A few micrometres over the edge are the rounding of published sizes, not a mistake.
  constexpr long long kSlack = 50;
  const long long right = s.Left + static_cast<long long>(s.Columns - 1) * s.PitchX + s.LabelWidth;
  const long long bottom = s.Top + static_cast<long long>(s.Rows - 1) * s.PitchY + s.LabelHeight;
  if (s.Left < 0 || s.Top < 0 || right > s.PaperWidth + kSlack || bottom > s.PaperHeight + kSlack)
    return text("ラベルが用紙からはみ出します。");
  return std::nullopt;
}

int UmToDots(long long um, int dpi) {
  return static_cast<int>(std::llround(static_cast<double>(um) * dpi / 25400.0));
}

}  // namespace plomix
