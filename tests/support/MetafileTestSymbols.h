#pragma once
// Symbols drawn as metafiles for the file and clipboard tests: a few symbologies, each
// with both comments and a frame, as the main window draws them.
#include <memory>
#include <ostream>
#include <string>

#include "BarImage/TBarImage.h"
#include "tests/support/Oracles.h"

namespace plomix::test {

struct MetafileSymbolCase {
  const char *note;
  TBarTypes type;
  std::string code;
  Format format;
  std::string read;  // what the reader returns
};

inline void PrintTo(const MetafileSymbolCase &c, std::ostream *os) { *os << c.note; }

// The symbologies that exist so far; a new one adds its row here.
inline const MetafileSymbolCase kMetafileSymbols[] = {
    {"Code 39, read back by zxing", cbarCODE39, "PLOMIX-39", Format::Code39, "PLOMIX-39"},
    {"NW-7 with start and stop, read back by zxing", cbarNW7, "40156", Format::Codabar, "A40156B"},
    {"JAN-13 with its check digit 4, read back by zxing", cbarJAN, "490123456789", Format::EAN13,
     "4901234567894"},
    {"ITF, read back by zxing", cbarITF, "12345678", Format::ITF, "12345678"},
    {"CODE-128 in code set A, read back by zxing", cbarCODE128, "PLOMIX-128", Format::Code128,
     "PLOMIX-128"},
    {"CODE-93, read back by zxing", cbarCODE93, "PLOMIX-93", Format::Code93, "PLOMIX-93"},
};

// A symbol with comments above and below and a frame, drawn as `picture`.
inline std::unique_ptr<TBarImage> MakeFramedSymbol(const MetafileSymbolCase &c, TPictures picture,
                                                   int scale = 3) {
  auto bar = std::make_unique<TBarImage>();
  bar->SetBarEnabled(false);
  bar->resize(100, 100);
  bar->SetMatch(true);
  bar->SetBarPicture(picture);
  bar->SetBarType(c.type);
  bar->SetCD(false);
  bar->SetStartChar('A');
  bar->SetStopChar('B');
  bar->SetScale(static_cast<TSCale>(scale));
  bar->SetElementRatio(25);
  bar->SetBarHeight(80);
  bar->SetBarSpaceLeft(60);
  bar->SetBarSpaceRight(60);
  bar->SetBarSpaceUp(24);
  bar->SetBarSpaceDown(24);
  bar->SetBarFrame(4);
  const TFont font = DefaultSymbolFont();
  bar->SetBarFont(&font);
  bar->SetCommentUp("\x8f\xe3\x82\xcc\x83\x52\x83\x81\x83\x93\x83\x67");  // 上のコメント
  bar->SetCommentDown("lower comment");
  bar->SetCommentUpLoc(locCenter);
  bar->SetCode(c.code);
  bar->SetBarEnabled(true);
  return bar;
}

}  // namespace plomix::test
