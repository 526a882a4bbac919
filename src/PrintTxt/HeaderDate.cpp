#include "PrintTxt/HeaderDate.h"

#include <QLocale>
#include <ctime>
#include <cwchar>

namespace plomix {

QString LocaleLongTime(const QTime &time) {
  std::tm parts{};
  parts.tm_hour = time.hour();
  parts.tm_min = time.minute();
  parts.tm_sec = time.second();
  parts.tm_mday = 1;
  parts.tm_year = 100;
  // The wide form does not depend on the character set of LC_CTYPE.
  wchar_t text[128];
  const std::size_t length = std::wcsftime(text, std::size(text), L"%X", &parts);
  return QString::fromWCharArray(text, static_cast<qsizetype>(length));
}

QString HeaderDateText(const QDateTime &now) {
  return QLocale::system().toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         LocaleLongTime(now.time());
}

}  // namespace plomix
