#pragma once
// The --info answer: one JSON object describing the drawn symbol.
#include <QByteArray>

namespace plomix {
class TBarImage;
}

namespace plomix::cli {

QByteArray SymbolInfoJson(const TBarImage &bar);

}  // namespace plomix::cli
