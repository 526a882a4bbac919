#pragma once
// The record quicksort: a Hoare partition whose pivot is held by index and follows its
// record through the exchanges. Equal keys are left in whatever order the partitioning
// gives, so callers that must agree with each other all go through this one routine.
#include <tuple>
#include <utility>
#include <vector>

namespace plomix {

// One Hoare partition of records L..R (R > L) around the middle record, which the pivot
// index follows through the exchanges. Returns {I, J}, J < I: what remains is to sort
// L..J and I..R, which share no record.
template <class Compare, class Exchange>
std::pair<int, int> PartitionRecords(int L, int R, Compare &compare, Exchange &exchange) {
  int I = L;
  int J = R;
  int P = static_cast<int>((static_cast<unsigned>(L) + static_cast<unsigned>(R)) >> 1);
  do {
    while (compare(I, P) < 0) ++I;
    while (compare(J, P) > 0) --J;
    if (I <= J) {
      exchange(I, J);
      if (P == I) P = J;
      else if (P == J) P = I;
      ++I;
      --J;
    }
  } while (I <= J);
  return {I, J};
}

// Sorts records L..R (inclusive) in place. compare(i, j) returns <0, 0 or >0 for the
// records now at positions i and j; exchange(i, j) swaps two whole records.
//
// The left part of each partition is taken before the right part, as a recursion on the
// left and a loop on the right would; the pending right parts are kept on the heap so
// that an unlucky input cannot exhaust the call stack. The two parts share no record, so
// the order each ends in does not depend on which is sorted first.
template <class Compare, class Exchange>
void QuickSortRecords(int L, int R, Compare &&compare, Exchange &&exchange) {
  std::vector<std::pair<int, int>> pending;  // right parts still to be sorted
  for (;;) {
    const auto [I, J] = PartitionRecords(L, R, compare, exchange);
    if (I < R) pending.emplace_back(I, R);
    if (L < J) {
      R = J;  // the left part first
      continue;
    }
    if (pending.empty()) return;
    std::tie(L, R) = pending.back();
    pending.pop_back();
  }
}

}  // namespace plomix
