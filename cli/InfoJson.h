#pragma once
// The --info answer: one JSON object describing the drawn symbol.
#include <QByteArray>

namespace plomix {
class TBarSymbol;
}

namespace plomix::cli {

QByteArray SymbolInfoJson(const TBarSymbol &bar);

}  // namespace plomix::cli
