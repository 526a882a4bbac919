#pragma once
// The command line of plomix-cli: options, their ranges and the usage text.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "Encoders/BarTypes.h"
#include "Common/Colors.h"

namespace plomix::address {
class PostalDictionary;
}

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
  bool replaceUnmappable = false;
  bool verify = false;
  // Batch mode: one symbol per input line.
  QString batch;          // the input file, "-" for standard input; empty: single mode
  bool csv = false;       // lines are CSV: code, upper comment, lower comment
  QString inputEncoding;  // "sjis", "utf8" or empty (UTF-8 when valid, else Shift-JIS)
  bool stopOnError = false;  // "?" for characters Shift-JIS cannot hold
  bool help = false;
  // Codes are addresses "[〒]postal-code address" turned into customer-barcode data.
  bool fromAddress = false;
  QString postalDictionary;  // KEN_ALL.CSV named on the command line
  // The postal-code file in use (named, or found in the per-user data folder); loaded
  // once before drawing and shared, read-only, by every drawing thread.
  std::shared_ptr<const address::PostalDictionary> dictionary;
};

// Parses the arguments after the program name. On a usage error returns nothing and
// stores the message in `error`.
std::optional<CliOptions> ParseCliOptions(const QStringList &args, QString &error);

QString UsageText();

}  // namespace plomix::cli
