#pragma once
// A set of font styles as the environment file stores it: "[fsBold,fsUnderline]".
#include <string>
#include <string_view>

namespace plomix {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle style : styles) Include(style);
  }
  constexpr bool Contains(TFontStyle style) const { return FBits & (1u << style); }
  constexpr void Include(TFontStyle style) { FBits |= 1u << style; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr bool operator==(const TFontStyles &) const = default;

 private:
  unsigned FBits = 0;
};

// "[" + the members' names joined by "," + "]", in the order fsBold, fsItalic,
// fsUnderline, fsStrikeOut; the empty set is "[]".
std::string FontStylesToText(TFontStyles styles);

// Each of the four names that occurs anywhere in the text (case-sensitive) adds its
// style; any other text is ignored.
TFontStyles FontStylesFromText(std::string_view text);

}  // namespace plomix
