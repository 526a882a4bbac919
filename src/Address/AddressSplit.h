#pragma once
// An address split into the part up to the town name (住所A) and the rest (住所B).
#include <optional>
#include <string_view>

namespace plomix::address {

struct PostalTown;

// Where the rest starts when the address (width-folded, without its postal code) names
// the town: the prefecture and the city may be left out, blanks may stand between the
// names, and ケ/ヶ/が and の/ノ are taken as the same. Nothing when the town is not there.
std::optional<std::size_t> EndOfTown(std::u32string_view address, const PostalTown &town);

// Without a postal-code file: where the part after the prefecture and the city starts
// (0 when neither is recognised).
std::size_t EndOfCity(std::u32string_view address);

}  // namespace plomix::address
