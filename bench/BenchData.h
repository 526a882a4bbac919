#pragma once
// Test data the benchmarks share.
#include <QString>

namespace plomix::bench {

// Writes "Plomix.txt", "PlomixUp.txt" and "PlomixDn.txt" with `count` records into
// `dir`, as the program would have saved them: 13-digit JAN codes with their check digit
// (every tenth record a CODE-128 string in angle-bracket notation), Shift-JIS comments of
// a few words (every fifth comment empty), CR LF line ends. The same `count` always gives
// the same bytes. Returns false when a file cannot be written.
bool WriteBenchRecordFiles(const QString &dir, int count = 100000);

}  // namespace plomix::bench
