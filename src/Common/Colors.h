#pragma once
// Colours are kept as the Windows 32-bit value: 0x00BBGGRR, or a negative value
// 0x80000000 + index naming a system colour (-2147483640 is the window-text colour).
#include <QColor>
#include <cstdint>

namespace plomix {

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000Fu);
constexpr TColor clWindow = static_cast<TColor>(0x80000005u);

constexpr TColor RGBToColor(int r, int g, int b) {
  return static_cast<TColor>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

// The colour a value stands for; system colours come from the application palette.
QColor ColorToQColor(TColor color);

// The Windows value of a colour: always a plain 0x00BBGGRR value.
TColor QColorToColor(const QColor &color);

}  // namespace plomix
