#include "Param/FontStyles.h"

#include <array>

namespace plomix {
namespace {

constexpr std::array<std::string_view, 4> kStyleNames = {"fsBold", "fsItalic", "fsUnderline",
                                                         "fsStrikeOut"};

}  // namespace

std::string FontStylesToText(TFontStyles styles) {
  std::string text = "[";
  for (std::size_t i = 0; i < kStyleNames.size(); ++i) {
    if (!styles.Contains(static_cast<TFontStyle>(i))) continue;
    if (text.size() > 1) text += ',';
    text += kStyleNames[i];
  }
  return text + "]";
}

TFontStyles FontStylesFromText(std::string_view text) {
  TFontStyles styles;
  for (std::size_t i = 0; i < kStyleNames.size(); ++i)
    if (text.find(kStyleNames[i]) != std::string_view::npos)
      styles.Include(static_cast<TFontStyle>(i));
  return styles;
}

}  // namespace plomix
