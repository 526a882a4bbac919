#pragma once
// The customer barcode read back from a written picture: its bars differ in height and
// position, not width, so each column of the pattern is read as the thirds of the bar
// height it inks and compared with the encoder's digit.
#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "ReadBack/ElementRuns.h"

namespace plomix::readback {

// Nothing when some place in the upright picture holds the pattern's bars column for
// column (every bar `scale` wide on its pitch, inking exactly the thirds its digit
// names); else what was read instead.
std::optional<QString> CustomerShapesProblem(const QImage &upright, const std::string &pattern, int scale,
                                             const InkTest &ink);

}  // namespace plomix::readback
