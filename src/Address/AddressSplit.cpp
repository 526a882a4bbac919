#include "Address/AddressSplit.h"

#include <array>

#include "Address/AddressText.h"
#include "Address/PostalDictionary.h"

namespace plomix::address {
namespace {

constexpr std::array<std::u32string_view, 47> kPrefectures = {
    U"北海道", U"青森県", U"岩手県", U"宮城県", U"秋田県", U"山形県", U"福島県", U"茨城県", U"栃木県",
    U"群馬県", U"埼玉県", U"千葉県", U"東京都", U"神奈川県", U"新潟県", U"富山県", U"石川県", U"福井県",
    U"山梨県", U"長野県", U"岐阜県", U"静岡県", U"愛知県", U"三重県", U"滋賀県", U"京都府", U"大阪府",
    U"兵庫県", U"奈良県", U"和歌山県", U"鳥取県", U"島根県", U"岡山県", U"広島県", U"山口県", U"徳島県",
    U"香川県", U"愛媛県", U"高知県", U"福岡県", U"佐賀県", U"長崎県", U"熊本県", U"大分県", U"宮崎県",
    U"鹿児島県", U"沖縄県"};

// Spellings of one name that addresses mix: 霞が関 and 霞ヶ関, 丸の内 and 丸ノ内.
char32_t Loose(char32_t c) {
  switch (c) {
    case U'ヶ': case U'ケ': case U'ヵ': case U'が': case U'ガ': case U'け': return U'ケ';
    case U'ノ': case U'之': return U'の';
    default: return c;
  }
}

std::size_t SkipBlanks(std::u32string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

// Where `name` ends when the text at `i` spells it (blanks in the text ignored).
std::optional<std::size_t> MatchName(std::u32string_view text, std::size_t i, std::u32string_view name) {
  for (const char32_t c : name) {
    if (IsBlank(c)) continue;
    i = SkipBlanks(text, i);
    if (i >= text.size() || Loose(text[i]) != Loose(c)) return std::nullopt;
    ++i;
  }
  return i;
}

std::size_t AfterPrefecture(std::u32string_view address) {
  const std::size_t start = SkipBlanks(address, 0);
  for (const std::u32string_view prefecture : kPrefectures)
    if (address.substr(start).starts_with(prefecture)) return SkipBlanks(address, start + prefecture.size());
  return start;
}

}  // namespace

std::optional<std::size_t> EndOfTown(std::u32string_view address, const PostalTown &town) {
  const std::u32string prefecture = FoldWidth(FromUtf8(town.prefecture));
  const std::u32string city = FoldWidth(FromUtf8(town.city));
  const std::u32string name = FromUtf8(town.town);
  std::size_t i = SkipBlanks(address, 0);
  if (const auto after = MatchName(address, i, prefecture)) i = *after;
  if (const auto after = MatchName(address, i, city)) i = *after;
  const auto end = MatchName(address, i, name);
  if (!end) return std::nullopt;
  return SkipBlanks(address, *end);
}

std::size_t EndOfCity(std::u32string_view address) {
  const std::size_t start = AfterPrefecture(address);
  // The city is the shortest name of two to eight characters ending in 市, 区, 町 or 村;
  // a county (郡) goes on to its town or village, a city with wards to its ward.
  constexpr std::size_t kLongest = 8;
  auto endOf = [&](std::size_t from, std::u32string_view marks) -> std::optional<std::size_t> {
    for (std::size_t i = from + 1; i < address.size() && i < from + kLongest; ++i) {
      if (IsBlank(address[i]) || IsAsciiDigit(address[i])) return std::nullopt;
      if (marks.find(address[i]) != std::u32string_view::npos) return i + 1;
    }
    return std::nullopt;
  };
  auto end = endOf(start, U"市区町村郡");
  if (!end) return start;
  if (address[*end - 1] == U'郡') {
    const auto town = endOf(*end, U"町村");
    if (town) end = town;
  } else if (address[*end - 1] == U'市') {
    const auto ward = endOf(*end, U"区");
    if (ward) end = ward;
  }
  return SkipBlanks(address, *end);
}

}  // namespace plomix::address
