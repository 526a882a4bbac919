#include "ReadBack/ElementRuns.h"

namespace plomix::readback {

void RowRuns(const QImage &image, int y, const InkTest &ink, Runs &out) {
  out.clear();
  const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
  for (int x = 0; x < image.width(); ++x) {
    const bool dark = ink(row[x]);
    if (!out.empty() && out.back().first == dark)
      ++out.back().second;
    else
      out.push_back({dark, 1});
  }
}

std::optional<int> FindRuns(const Runs &row, const Runs &expected) {
  if (expected.empty()) return std::nullopt;
  int x = 0;
  for (std::size_t start = 0; start + expected.size() <= row.size(); ++start) {
    bool same = true;
    for (std::size_t k = 0; k < expected.size() && same; ++k) same = row[start + k] == expected[k];
    if (same) return x;
    x += row[start].second;
  }
  return std::nullopt;
}

}  // namespace plomix::readback
