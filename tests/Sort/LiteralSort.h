#pragma once
// The record quicksort written out step by step as the record list's sort is defined,
// with the comparison made from the texts at every call: the oracle for the order.
#include <string>
#include <utility>
#include <vector>

#include "Sort/RecordSort.h"

namespace plomix::test {

struct Record {
  std::string key;
  int id;
  bool operator==(const Record &) const = default;
};

struct LiteralSort {
  std::vector<Record> &records;
  const TRecordCollation &collation;
  int direction;

  int CompareRecords(int i, int j) const {
    return collation.CompareTexts(records[i].key, records[j].key) * direction;
  }
  void QuickSortRecords(int L, int R) {
    int I, J, P;
    do {
      I = L;
      J = R;
      P = static_cast<int>((static_cast<unsigned>(L) + static_cast<unsigned>(R)) >> 1);
      do {
        while (CompareRecords(I, P) < 0) I = I + 1;
        while (CompareRecords(J, P) > 0) J = J - 1;
        if (I <= J) {
          std::swap(records[I], records[J]);
          if (P == I) P = J;
          else if (P == J) P = I;
          I = I + 1;
          J = J - 1;
        }
      } while (!(I > J));
      if (L < J) QuickSortRecords(L, J);
      L = I;
    } while (!(I >= R));
  }
};

}  // namespace plomix::test
