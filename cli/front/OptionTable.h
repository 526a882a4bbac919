#pragma once
// plomix-cli's options: their names, the kind of value each takes and the ranges of the
// numbers. No toolkit: the program's Qt part parses with this table, and its small front
// (which serves the bars-only calls without starting Qt) reads the same one.
#include <span>
#include <string_view>

#include "BarLayout/SettingRanges.h"

namespace plomix::cli {

enum class OptionKind {
  Flag,    // no value
  Whole,   // a whole number within `range`
  Text,    // any text (codes, comments, file names)
  Letter,  // one of A, B, C, D
  Colour,  // #RRGGBB
  Word,    // one of the words the option lists (--type, --picture, ...), or its own form
};

struct OptionRow {
  std::string_view name;  // the long name, --name
  char shortName;         // -x, or 0
  OptionKind kind;
  IntRange range{0, 0};   // Whole (and --start's label number, --angle's degrees)
};

std::span<const OptionRow> OptionRows();

// The option called `name` (long, or the one letter of a short one); nullptr when none is.
const OptionRow *OptionNamed(std::string_view name);

}  // namespace plomix::cli
