#pragma once
// The command line of plomix-cli: options, their ranges and the usage text.
#include <QString>
#include <QStringList>
#include <optional>

#include "BarImage/BarTypes.h"
#include "Common/Colors.h"

namespace plomix::cli {

struct CliOptions {
  QString code;
  TBarTypes type = cbarJAN;
  bool cd = true;
  char startChar = 'A';
  char stopChar = 'A';
  int scale = 1;
  int ratio = 20;
  int height = 100;
  int frame = 0;
  int angle = 0;
  bool reverse = false;
  bool symbolDisp = true;
  QString up, down;
  int spaceLeft = 10, spaceRight = 10, spaceUp = 10, spaceDown = 10;
  std::optional<TColor> barColor, backColor;
  bool transparent = false;
  TPictures picture = picBMP;
  QString output;
  bool info = false;
  bool replaceUnmappable = false;  // "?" for characters Shift-JIS cannot hold
  bool help = false;
};

// Parses the arguments after the program name. On a usage error returns nothing and
// stores the message in `error`.
std::optional<CliOptions> ParseCliOptions(const QStringList &args, QString &error);

QString UsageText();

}  // namespace plomix::cli
