#pragma once
// plomix-cli's exit statuses, as its usage text lists them.

namespace plomix::cli {

constexpr int kDrawn = 0;
constexpr int kNotDrawn = 1;     // the code cannot be encoded, or the picture cannot be drawn
constexpr int kUsageError = 2;
constexpr int kNotVerified = 3;  // --verify read something else back
constexpr int kNotWritten = 4;   // the output file cannot be written

}  // namespace plomix::cli
