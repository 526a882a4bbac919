#pragma once
// The collation keys of a run of records, built once per sort into one key block; a long
// run is split between two threads, each with its own collator.
#include <functional>
#include <string_view>

#include "Sort/SortKeyBlock.h"

namespace plomix {

// key(i): the key text (Shift-JIS bytes) of record i; it must be safe to call from two
// threads at once.
using TKeyText = std::function<std::string_view(int index)>;

// The keys of records L..R in the default locale's collation: slot i is record L + i.
// `threads`: 1 or 2; 0 picks by the run's length and the machine's cores.
TSortKeyBlock BuildKeyBlock(int L, int R, const TKeyText &key, int threads = 0);

}  // namespace plomix
