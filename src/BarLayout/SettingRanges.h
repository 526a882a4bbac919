#pragma once
// The ranges of the symbol's numeric settings, shared by the main window's controls and
// plomix-cli's options. The component's setters do not clamp: callers keep values in range.
namespace plomix {

struct IntRange {
  int low;
  int high;
  constexpr bool Contains(int value) const { return value >= low && value <= high; }
};

constexpr IntRange kScaleRange{1, 10};           // module width in pixels (TSCale)
constexpr IntRange kElementRatioRange{20, 30};   // wide-to-narrow ratio × 10 (TElementRatio)
constexpr IntRange kFrameSizeRange{0, 100};      // what a frame width (TFrameSize) holds
constexpr IntRange kBarHeightRange{0, 10000};    // bar height with the text, from a script
constexpr IntRange kSpaceRange{0, 10000};        // margins around the symbol, from a script

// The main window offers narrower ranges where a wider one is of no use on screen.
constexpr IntRange kBarHeightControlRange{16, 516};
constexpr IntRange kFrameSizeControlRange{0, 50};
constexpr IntRange kSpaceControlRange{0, 2000};
constexpr IntRange kPrintCopiesRange{1, 1000};
constexpr IntRange kPrintScaleRange{10, 1000};   // percent

}  // namespace plomix
