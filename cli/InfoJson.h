#pragma once
// The --info answer: one JSON object describing the drawn symbol.
#include <QJsonObject>

namespace plomix {
class TBarSymbol;
}

namespace plomix::cli {

QJsonObject SymbolInfoJson(const TBarSymbol &bar);

}  // namespace plomix::cli
