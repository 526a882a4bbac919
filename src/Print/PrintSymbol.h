#pragma once
// The symbol printing and the preview draw with: a copy of the window's symbol, with its
// settings, code, picture and text resolution, that records can be loaded into and
// frames raised on without the window's symbol drawing or telling anyone.
#include "Symbol/TBarSymbol.h"

namespace plomix {

class TPrintSymbol : public TBarSymbol {
 public:
  explicit TPrintSymbol(const TBarSymbol &source);

 protected:
  QPoint ScreenDpi() const override { return FDpi; }

 private:
  QPoint FDpi;  // the source's: texts keep the size they have on screen
};

}  // namespace plomix
