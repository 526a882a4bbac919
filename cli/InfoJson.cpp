#include "cli/InfoJson.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "Symbol/TBarSymbol.h"
#include "Common/ShiftJis.h"

namespace plomix::cli {

QByteArray SymbolInfoJson(const TBarSymbol &bar) {
  // A symbol not drawn has no picture: its sizes are 0, not those of whatever the
  // component drew before (in a batch, on whichever thread).
  const bool drawn = bar.BarDisped();
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
                          text(bar.Pattern()), QString::number(drawn ? bar.BarWidth() : 0),
                          QString::number(bar.BarHeight()), QString::number(drawn ? bar.Width() : 0),
                          QString::number(drawn ? bar.Height() : 0));
  return json.toUtf8();
}

}  // namespace plomix::cli
