#pragma once
// Draws a code with a real TBarImage, as the program does, for the readers to scan.
#include <QImage>
#include <string>

#include "BarImage/TBarImage.h"

namespace plomix::test {

struct RenderRequest {
  TBarTypes type;
  std::string code;
  bool cd = false;
  char startChar = 'A';
  TSCale scale = 2;
  bool symbolDisp = true;
};

// The bitmap of the drawn symbol; a null image when nothing was drawn.
inline QImage RenderSymbol(const RenderRequest &request) {
  TBarImage bar;
  bar.SetBarEnabled(false);
  bar.SetMatch(true);
  bar.SetBarType(request.type);
  bar.SetCD(request.cd);
  bar.SetStartChar(request.startChar);
  bar.SetScale(request.scale);
  bar.SetSymbolDisp(request.symbolDisp);
  bar.SetBarHeight(60);
  bar.SetCode(request.code);
  bar.SetBarEnabled(true);
  if (!bar.BarDisped()) return {};
  return bar.Picture().Bitmap().copy();
}

}  // namespace plomix::test
