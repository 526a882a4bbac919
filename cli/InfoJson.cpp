#include "cli/InfoJson.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "BarImage/TBarSymbol.h"
#include "Common/ShiftJis.h"

namespace plomix::cli {

QByteArray SymbolInfoJson(const TBarSymbol &bar) {
  // QJsonObject sorts its keys; the answer keeps the documented order instead.
  auto text = [](const std::string &sjis) {
    return QString::fromUtf8(QJsonDocument(QJsonObject{{"v", SjisToUnicode(sjis)}})
                                 .toJson(QJsonDocument::Compact))
        .mid(5)
        .chopped(1);
  };
  QString json = QStringLiteral("{\"displayed\": %1, \"symbol\": %2, \"cdn\": %3, \"cdc\": %4, "
                                "\"pattern\": %5, \"bar_width\": %6, \"bar_height\": %7, "
                                "\"width\": %8, \"height\": %9}")
                     .arg(bar.BarDisped() ? QStringLiteral("true") : QStringLiteral("false"),
                          text(bar.Symbol()), QString::number(bar.CDN()), text(bar.CDC()),
                          text(bar.Pattern()), QString::number(bar.BarWidth()),
                          QString::number(bar.BarHeight()), QString::number(bar.Width()),
                          QString::number(bar.Height()));
  return json.toUtf8();
}

}  // namespace plomix::cli
