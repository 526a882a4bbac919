#include "cli/front/OptionTable.h"

#include <array>

namespace plomix::cli {
namespace {

using enum OptionKind;

constexpr std::array kSpecs = {
    OptionRow{"help", 'h', Flag},
    OptionRow{"type", 0, Word},
    OptionRow{"cd", 0, Flag},
    OptionRow{"no-cd", 0, Flag},
    OptionRow{"start", 0, Word, {1, 10000}},  // a letter: start character; a number: first label
    OptionRow{"stop", 0, Letter},
    OptionRow{"scale", 0, Whole, kScaleRange},
    OptionRow{"ratio", 0, Whole, kElementRatioRange},
    OptionRow{"height", 0, Whole, kBarHeightRange},
    OptionRow{"frame", 0, Whole, kFrameSizeRange},
    OptionRow{"angle", 0, Whole, {0, 270}},  // and a multiple of 90
    OptionRow{"reverse", 0, Flag},
    OptionRow{"no-text", 0, Flag},
    OptionRow{"up", 0, Text},
    OptionRow{"down", 0, Text},
    OptionRow{"space-left", 0, Whole, kSpaceRange},
    OptionRow{"space-right", 0, Whole, kSpaceRange},
    OptionRow{"space-up", 0, Whole, kSpaceRange},
    OptionRow{"space-down", 0, Whole, kSpaceRange},
    OptionRow{"bar-color", 0, Colour},
    OptionRow{"back-color", 0, Colour},
    OptionRow{"transparent", 0, Flag},
    OptionRow{"picture", 0, Word},
    OptionRow{"output", 'o', Text},
    OptionRow{"info", 0, Flag},
    OptionRow{"replace-unmappable", 0, Flag},
    OptionRow{"verify", 0, Flag},
    OptionRow{"batch", 0, Text},
    OptionRow{"csv", 0, Flag},
    OptionRow{"input-encoding", 0, Word},
    OptionRow{"stop-on-error", 0, Flag},
    OptionRow{"from-address", 0, Flag},
    OptionRow{"postal-dictionary", 0, Text},
    OptionRow{"sheet", 0, Text},
    OptionRow{"dpi", 0, Whole, {72, 2400}},
    OptionRow{"copies", 0, Whole, {1, 100000}},
    OptionRow{"offset", 0, Word},
    OptionRow{"list-sheets", 0, Flag},
};

}  // namespace

std::span<const OptionRow> OptionRows() { return kSpecs; }

const OptionRow *OptionNamed(std::string_view name) {
  for (const OptionRow &row : kSpecs)
    if (row.name == name || (name.size() == 1 && row.shortName == name[0])) return &row;
  return nullptr;
}

}  // namespace plomix::cli
