#include "Common/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace plomix {
namespace {

// Windows system colour indexes (COLOR_*), mapped to the nearest palette role.
QColor SystemColor(int index) {
  const QPalette palette = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
  switch (index) {
    case 0: return QColor(200, 200, 200);                              // scroll bar
    case 1: return QColor(0, 0, 0);                                    // desktop
    case 2: return palette.color(QPalette::Active, QPalette::Highlight);   // active caption
    case 3: return palette.color(QPalette::Inactive, QPalette::Highlight); // inactive caption
    case 4: return palette.color(QPalette::Window);                    // menu
    case 5: return palette.color(QPalette::Base);                      // window
    case 6: return palette.color(QPalette::Shadow);                    // window frame
    case 7: return palette.color(QPalette::WindowText);                // menu text
    case 8: return palette.color(QPalette::Text);                      // window text
    case 9: return palette.color(QPalette::HighlightedText);           // caption text
    case 13: return palette.color(QPalette::Highlight);                // highlight
    case 14: return palette.color(QPalette::HighlightedText);          // highlight text
    case 15: return palette.color(QPalette::Button);                   // button face
    case 16: return palette.color(QPalette::Dark);                     // button shadow
    case 17: return palette.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18: return palette.color(QPalette::ButtonText);               // button text
    case 20: return palette.color(QPalette::Light);                    // button highlight
    case 21: return palette.color(QPalette::Shadow);                   // 3D dark shadow
    case 22: return palette.color(QPalette::Midlight);                 // 3D light
    case 23: return palette.color(QPalette::ToolTipText);              // info text
    case 24: return palette.color(QPalette::ToolTipBase);              // info background
    default: return palette.color(QPalette::Window);
  }
}

}  // namespace

QColor ColorToQColor(TColor color) {
  if (color < 0) return SystemColor(static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF));
  const auto v = static_cast<std::uint32_t>(color);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

TColor QColorToColor(const QColor &color) {
  const QColor rgb = color.toRgb();
  return RGBToColor(rgb.red(), rgb.green(), rgb.blue());
}

}  // namespace plomix
