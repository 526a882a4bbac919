#pragma once
// The address number (住所表示番号): the characters of the address after the town name
// that the customer barcode carries, extracted by Japan Post's rules.
#include <string>
#include <string_view>

namespace plomix::address {

// The address number of `addressB` (the part after the town name): Arabic digits,
// hyphens and single capital letters, e.g. "1丁目3番2号 郵便プラザ503室" gives
// "1-3-2-503". The text may be full-width; the result is ASCII, possibly empty.
std::string ExtractAddressNumber(std::u32string_view addressB);

// Kanji numerals written before 丁目, 丁, 番地, 番, 号, 地割, 線, の or ノ as Arabic
// digits ("三丁目十番地" gives "3丁目10番地"); every other character unchanged.
std::u32string ConvertNumeralsBeforeUnits(std::u32string_view text);

}  // namespace plomix::address
