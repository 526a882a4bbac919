#include "cli/front/OptionTable.h"

#include <array>

namespace plomix::cli {
namespace {

using enum OptionKind;

constexpr std::array kSpecs = {
    OptionSpec{"help", 'h', Flag},
    OptionSpec{"type", 0, Word},
    OptionSpec{"cd", 0, Flag},
    OptionSpec{"no-cd", 0, Flag},
    OptionSpec{"start", 0, Word, {1, 10000}},  // a letter: start character; a number: first label
    OptionSpec{"stop", 0, Letter},
    OptionSpec{"scale", 0, Whole, kScaleRange},
    OptionSpec{"ratio", 0, Whole, kElementRatioRange},
    OptionSpec{"height", 0, Whole, kBarHeightRange},
    OptionSpec{"frame", 0, Whole, kFrameSizeRange},
    OptionSpec{"angle", 0, Whole, {0, 270}},  // and a multiple of 90
    OptionSpec{"reverse", 0, Flag},
    OptionSpec{"no-text", 0, Flag},
    OptionSpec{"up", 0, Text},
    OptionSpec{"down", 0, Text},
    OptionSpec{"space-left", 0, Whole, kSpaceRange},
    OptionSpec{"space-right", 0, Whole, kSpaceRange},
    OptionSpec{"space-up", 0, Whole, kSpaceRange},
    OptionSpec{"space-down", 0, Whole, kSpaceRange},
    OptionSpec{"bar-color", 0, Colour},
    OptionSpec{"back-color", 0, Colour},
    OptionSpec{"transparent", 0, Flag},
    OptionSpec{"picture", 0, Word},
    OptionSpec{"output", 'o', Text},
    OptionSpec{"info", 0, Flag},
    OptionSpec{"replace-unmappable", 0, Flag},
    OptionSpec{"verify", 0, Flag},
    OptionSpec{"batch", 0, Text},
    OptionSpec{"csv", 0, Flag},
    OptionSpec{"input-encoding", 0, Word},
    OptionSpec{"stop-on-error", 0, Flag},
    OptionSpec{"from-address", 0, Flag},
    OptionSpec{"postal-dictionary", 0, Text},
    OptionSpec{"sheet", 0, Text},
    OptionSpec{"dpi", 0, Whole, {72, 2400}},
    OptionSpec{"copies", 0, Whole, {1, 100000}},
    OptionSpec{"offset", 0, Word},
    OptionSpec{"list-sheets", 0, Flag},
};

}  // namespace

std::span<const OptionSpec> OptionSpecs() { return kSpecs; }

const OptionSpec *OptionNamed(std::string_view name) {
  for (const OptionSpec &spec : kSpecs)
    if (spec.name == name || (name.size() == 1 && spec.shortName == name[0])) return &spec;
  return nullptr;
}

}  // namespace plomix::cli
