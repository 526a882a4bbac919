#pragma once
// The symbol component's enumerations and subranges. Ordinals are stored in the
// environment file and used as list indexes: never reorder.
#include <cstdint>

namespace plomix {

enum TBarTypes : std::uint8_t {
  cbarJAN = 0,
  cbarUPC = 1,
  cbarCODE39 = 2,
  cbarNW7 = 3,
  cbarITF = 4,
  cbarCTF = 5,
  cbarIATA = 6,
  cbarMATRIX = 7,
  cbarNEC = 8,
  cbarCUSTOMER = 9,
  cbarCODE128 = 10,
  cbarCODE93 = 11,
};
constexpr int kBarTypeCount = 12;

enum TLocation : std::uint8_t { locLeft = 0, locCenter = 1, locRight = 2 };

enum TPictures : std::uint8_t { picBMP = 0, picEMF = 1, picWMF = 2 };

// Subranges; the setters do not clamp them, the callers keep them in range.
using TSCale = std::uint8_t;          // 1..10
using TElementRatio = std::uint8_t;   // 20..30
using TFrameSize = std::uint8_t;      // 0..100

}  // namespace plomix
