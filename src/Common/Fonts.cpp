#include "Common/Fonts.h"

namespace plomix {

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic")});
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"), {QStringLiteral("IPAPGothic")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(QStringLiteral("MS Gothic"), {QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), {QStringLiteral("IPAPMincho"), QStringLiteral("IPAPGothic")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), {QStringLiteral("IPAMincho"), QStringLiteral("IPAGothic")});
}

TFont DefaultSymbolFont() {
  TFont font;
  font.Font = QFont(QStringLiteral("ＭＳ Ｐゴシック"));
  font.Font.setPixelSize(12);
  font.Color = clWindowText;
  return font;
}

}  // namespace plomix
