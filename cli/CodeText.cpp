#include "cli/CodeText.h"

#include "Common/ShiftJis.h"
#include "cli/Arguments.h"

#include <algorithm>

namespace plomix::cli {

std::optional<std::string> ToSjis(const QString &text, bool replace, QString &error, const char *encoding) {
  if (const qsizetype at = InvalidUtf8Position(text); at != 0 && !replace) {
    error = QStringLiteral("byte %1 is not valid %2").arg(at).arg(QLatin1String(encoding));
    return std::nullopt;
  }
  // Plain ASCII, most codes, is the same bytes in Shift-JIS: no converter is needed.
  if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) return text.toLatin1().toStdString();
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  qsizetype position = 0;  // in characters
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString one = text.mid(i, width);
    ++position;
    const std::string bytes = UnicodeToSjis(one);
    if (bytes == "?" && one != QLatin1String("?") && !replace) {
      error = QStringLiteral("character %1 (\"%2\", U+%3) cannot be written in Shift-JIS; "
                             "--replace-unmappable writes \"?\" for it")
                  .arg(position)
                  .arg(one)
                  .arg(QString::number(static_cast<uint>(one.toUcs4().value(0)), 16).toUpper().rightJustified(4, QLatin1Char('0')));
      return std::nullopt;
    }
    out += bytes;
    i += width - 1;
  }
  return out;
}

}  // namespace plomix::cli
