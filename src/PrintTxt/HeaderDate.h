#pragma once
// The date and time a printed list carries at its top right.
#include <QDateTime>
#include <QString>

namespace plomix {

// The time as the user's locale writes its long time (the C library's "%X" for LC_TIME:
// "07時24分45秒" in ja_JP, "07:24:45" in C), without a time-zone field.
QString LocaleLongTime(const QTime &time);

// The locale's short date, a blank and its long time.
QString HeaderDateText(const QDateTime &now);

}  // namespace plomix
