#pragma once
// A written picture's rows as runs of ink and paper, for the checks that read bars back
// without a decoder.
#include <QColor>
#include <QImage>
#include <optional>
#include <utility>
#include <vector>

namespace plomix::readback {

using Runs = std::vector<std::pair<bool, int>>;  // (ink?, length in pixels)

// A pixel is ink when its grey is nearer the bars' grey than the background's (a JPEG
// file changes the colours a little).
class InkTest {
 public:
  InkTest(QColor bar, QColor back) : FInk(qGray(bar.rgb())), FPaper(qGray(back.rgb())) {}
  bool operator()(QRgb pixel) const { return std::abs(qGray(pixel) - FInk) < std::abs(qGray(pixel) - FPaper); }

 private:
  int FInk, FPaper;
};

// Row `y` of an RGB32 image as runs, into `out`.
void RowRuns(const QImage &image, int y, const InkTest &ink, Runs &out);

// The x where `expected` (starting with ink) stands run for run in `row`, if it does.
std::optional<int> FindRuns(const Runs &row, const Runs &expected);

}  // namespace plomix::readback
