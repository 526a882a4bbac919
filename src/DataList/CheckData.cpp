#include "DataList/CheckData.h"

#include <unordered_map>

namespace plomix {

// The pairwise order only ever reaches an empty string or a duplicate in two ways:
// - with the last record R = N compared first, an empty string anywhere above it is met
//   (row K, nearest first) unless a duplicate of record N lies nearer;
// - otherwise no record is empty, and the first finding is the duplicate pair with the
//   largest R, paired with the nearest equal record above it.
TCheckResult CheckData(int count, const std::function<std::string_view(int row)> &code) {
  if (count <= 0) return {};
  const std::string_view last = code(count);
  if (last.empty()) return {count, count};
  for (int k = count - 1; k >= 1; --k) {
    const std::string_view text = code(k);
    if (text.empty()) return {k, k};
    if (text == last) return {k, count};
  }
  // No empty string and no copy of the last: the latest row that repeats an earlier one.
  std::unordered_map<std::string_view, int> lastSeen;
  lastSeen.reserve(static_cast<std::size_t>(count));
  TCheckResult found;
  for (int r = 1; r < count; ++r) {
    auto [it, inserted] = lastSeen.try_emplace(code(r), r);
    if (!inserted) {
      found = {it->second, r};
      it->second = r;
    }
  }
  return found;
}

}  // namespace plomix
