#pragma once
// One row per symbology: its encoder, its name on the command line and how its settings
// affect the symbol. Adding a symbology means one row here and its encoder.
#include <optional>
#include <string_view>

#include "Encoders/BarTypes.h"
#include "Encoders/EncoderKit.h"

namespace plomix {

// Where the check characters stand in the symbol text.
enum class CheckTextRule : std::uint8_t {
  AfterCode,          // every character after the code
  AfterCodeThenStop,  // after the code, up to the stop character that ends the text
  LastCharacter,      // the text's last character
};

struct SymbologyInfo {
  TBarTypes type;
  std::string_view name;     // lower-case name taken by plomix-cli --type
  EncodeFunction encode;
  bool usesElementRatio;     // wide elements stretched by ElementRatio / 20
  bool cdRedraws;            // CD changes the symbol
  bool startCharRedraws;     // StartChar changes the symbol
  bool stopCharRedraws;      // StopChar changes the symbol
  bool ownElementShapes;     // pattern digits are bar shapes on a fixed pitch, not widths
  bool fixedBarHeight;       // the bar height follows the scale; BarHeight is not used
  bool frameAroundBars;      // the frame is a bearer around the bars only
  CheckTextRule checkText;
  int readmeLine;            // zero-based line of Readme.txt where its section starts
  // The start and stop characters the symbology always draws, as the control panel shows
  // them while their boxes are disabled (" " for none); unused where the user picks them.
  const char *fixedStart;
  const char *fixedStop;
};

const SymbologyInfo &Symbology(TBarTypes type);

// The symbology named `name` (case ignored), if any.
std::optional<TBarTypes> SymbologyNamed(std::string_view name);

// Width in pixels of one element digit (symbologies with their own shapes read digits otherwise).
constexpr int ElementWidth(char digit, int scale, int elementRatio, bool usesElementRatio) {
  int w = ((digit - '0') / 2 + 1) * scale;
  if (usesElementRatio && w > scale) w = (w * elementRatio) / 20;
  return w;
}

}  // namespace plomix
