#include "cli/CliOptions.h"

#include <QCommandLineParser>
#include <QHash>
#include <QRegularExpression>
#include <functional>
#include <vector>

#include "Encoders/SymbologyTable.h"
#include "Symbol/SettingRanges.h"

namespace plomix::cli {
namespace {

std::optional<TBarTypes> ParseType(const QString &text) {
  bool numeric = false;
  const int n = text.toInt(&numeric);
  if (numeric) {
    if (n >= 0 && n < kBarTypeCount) return static_cast<TBarTypes>(n);
    return std::nullopt;
  }
  const QByteArray name = text.toLatin1();
  if (QString::fromLatin1(name) != text) return std::nullopt;
  return SymbologyNamed(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
}

std::optional<TColor> ParseColor(const QString &text) {
  static const QRegularExpression pattern(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
  const auto match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const uint rgb = match.captured(1).toUInt(nullptr, 16);
  return RGBToColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                    static_cast<int>(rgb & 0xFF));
}

std::optional<char> ParseLetter(const QString &text) {
  if (text.size() != 1) return std::nullopt;
  const QChar c = text.at(0).toUpper();
  if (c < QLatin1Char('A') || c > QLatin1Char('D')) return std::nullopt;
  return static_cast<char>(c.unicode());
}

QString RangeText(IntRange range) { return QStringLiteral("%1..%2").arg(range.low).arg(range.high); }

}  // namespace

QString UsageText() {
  return QStringLiteral(
      "Usage: plomix-cli [options] [--] CODE\n"
      "       plomix-cli --batch FILE [options]\n"
      "Draws one barcode symbol, or one for each line of FILE.\n\n"
      "  --type T            jan upc code39 nw7 itf ctf iata matrix nec customer code128\n"
      "                      code93, or 0..11 (default jan)\n"
      "  --cd, --no-cd       add the optional check character (default on)\n"
      "  --start X, --stop X start and stop character, A..D\n"
      "  --scale N           module width in pixels, %1\n"
      "  --ratio N           wide-to-narrow ratio times 10, %2\n"
      "  --height N          bar height with the text, %3\n"
      "  --frame N           frame width, %4\n"
      "  --angle N           0, 90, 180 or 270\n"
      "  --reverse           mirror left to right\n"
      "  --no-text           no human-readable text\n"
      "  --up TEXT, --down TEXT   comments above and below\n"
      "  --space-left N, --space-right N, --space-up N, --space-down N   margins, %5\n"
      "  --bar-color #RRGGBB, --back-color #RRGGBB\n"
      "  --transparent       leave the background out\n"
      "  --picture P         bmp, emf or wmf\n"
      "  -o FILE             write the picture: .bmp (32 bits per pixel), .jpg/.jpeg, .png,\n"
      "                      .svg, .emf or .wmf (these two need --picture emf or wmf)\n"
      "  --info              print the result as one JSON object (one per line in a batch)\n"
      "  --verify            read every picture back (zxing-cpp, or the bar and space\n"
      "                      widths for the symbologies it does not read) and compare\n"
      "  --replace-unmappable  write \"?\" for a character Shift-JIS cannot hold (or for\n"
      "                      bytes that are not UTF-8) instead of refusing the code\n"
      "  --from-address      each code is an address, \"[〒]postal-code address\": drawn as\n"
      "                      its customer barcode (needs --type customer); --info adds\n"
      "                      \"code\" (the data) and \"address_number\"\n"
      "  --postal-dictionary FILE   Japan Post's KEN_ALL.CSV (Shift-JIS or UTF-8), to\n"
      "                      split addresses at the town name and check the postal code\n"
      "                      (default: KEN_ALL.CSV in ~/.local/share/Plomix/ when there)\n"
      "  -h, --help          this text\n\n"
      "Batch mode:\n"
      "  --batch FILE        one code per line of FILE (- reads standard input)\n"
      "  --csv               lines are CSV: code, upper comment, lower comment\n"
      "  --input-encoding E  sjis or utf8 (default: utf8 when the input is valid UTF-8)\n"
      "  --stop-on-error     stop at the first line that fails instead of skipping it\n"
      "  -o TEMPLATE         file names: {n} the line number, {code} the code made safe\n"
      "                      for a file name; the extension chooses the format\n\n"
      "Exit status: 0 drawn, 1 a code cannot be encoded or a picture cannot be drawn,\n"
      "2 usage error, 3 a picture does not read back (--verify), 4 an output file cannot\n"
      "be written.\n\n"
      "A bitmap larger than 1 GiB is not drawn; PLOMIX_PICTURE_MEMORY_LIMIT (bytes) sets\n"
      "another limit. BMP files hold at most 4 GiB, JPEG files 65,535 pixels a side and\n"
      "Windows metafiles 32,767.\n")
      .arg(RangeText(kScaleRange), RangeText(kElementRatioRange), RangeText(kBarHeightRange),
           RangeText(kFrameSizeRange), RangeText(kSpaceRange));
}

namespace {

// What an option does with its value (empty for a flag); false and `error` set when the
// value is out of its range. `arg` is the option as typed, for the message.
using Setter = std::function<bool(CliOptions &options, const QString &value, const QString &arg, QString &error)>;

struct OptionRow {
  QStringList names;  // Qt takes each as -x or --name
  bool takesValue;
  Setter apply;
};

Setter Flag(std::function<void(CliOptions &)> set) {
  return [set](CliOptions &o, const QString &, const QString &, QString &) {
    set(o);
    return true;
  };
}

Setter Whole(int CliOptions::*field, IntRange range) {
  return [field, range](CliOptions &o, const QString &value, const QString &arg, QString &error) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || !range.Contains(n)) {
      error = QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                  .arg(arg).arg(range.low).arg(range.high).arg(value);
      return false;
    }
    o.*field = n;
    return true;
  };
}

Setter Text(QString CliOptions::*field) {
  return [field](CliOptions &o, const QString &value, const QString &, QString &) {
    o.*field = value;
    return true;
  };
}

Setter Letter(char CliOptions::*field) {
  return [field](CliOptions &o, const QString &value, const QString &arg, QString &error) {
    const auto letter = ParseLetter(value);
    if (!letter) error = QStringLiteral("%1 takes one of A, B, C, D, not \"%2\"").arg(arg, value);
    else o.*field = *letter;
    return letter.has_value();
  };
}

Setter Colour(std::optional<TColor> CliOptions::*field) {
  return [field](CliOptions &o, const QString &value, const QString &arg, QString &error) {
    const auto color = ParseColor(value);
    if (!color) error = QStringLiteral("%1 takes a colour as #RRGGBB, not \"%2\"").arg(arg, value);
    else o.*field = color;
    return color.has_value();
  };
}

// Every option: its names, whether it takes a value, and what it sets.
const std::vector<OptionRow> &OptionTable() {
  static const std::vector<OptionRow> table = {
      {{"h", "help"}, false, Flag([](CliOptions &o) { o.help = true; })},
      {{"type"}, true,
       [](CliOptions &o, const QString &value, const QString &, QString &error) {
         const auto type = ParseType(value);
         if (!type) error = QStringLiteral("unknown symbology \"%1\"").arg(value);
         else o.type = *type;
         return type.has_value();
       }},
      {{"cd"}, false, Flag([](CliOptions &o) { o.cd = true; })},
      {{"no-cd"}, false, Flag([](CliOptions &o) { o.cd = false; })},
      {{"start"}, true, Letter(&CliOptions::startChar)},
      {{"stop"}, true, Letter(&CliOptions::stopChar)},
      {{"scale"}, true, Whole(&CliOptions::scale, kScaleRange)},
      {{"ratio"}, true, Whole(&CliOptions::ratio, kElementRatioRange)},
      {{"height"}, true, Whole(&CliOptions::height, kBarHeightRange)},
      {{"frame"}, true, Whole(&CliOptions::frame, kFrameSizeRange)},
      {{"angle"}, true,
       [](CliOptions &o, const QString &value, const QString &arg, QString &error) {
         if (!Whole(&CliOptions::angle, {0, 270})(o, value, arg, error)) return false;
         if (o.angle % 90 == 0) return true;
         error = QStringLiteral("--angle takes 0, 90, 180 or 270, not %1").arg(o.angle);
         return false;
       }},
      {{"reverse"}, false, Flag([](CliOptions &o) { o.reverse = true; })},
      {{"no-text"}, false, Flag([](CliOptions &o) { o.symbolDisp = false; })},
      {{"up"}, true, Text(&CliOptions::up)},
      {{"down"}, true, Text(&CliOptions::down)},
      {{"space-left"}, true, Whole(&CliOptions::spaceLeft, kSpaceRange)},
      {{"space-right"}, true, Whole(&CliOptions::spaceRight, kSpaceRange)},
      {{"space-up"}, true, Whole(&CliOptions::spaceUp, kSpaceRange)},
      {{"space-down"}, true, Whole(&CliOptions::spaceDown, kSpaceRange)},
      {{"bar-color"}, true, Colour(&CliOptions::barColor)},
      {{"back-color"}, true, Colour(&CliOptions::backColor)},
      {{"transparent"}, false, Flag([](CliOptions &o) { o.transparent = true; })},
      {{"picture"}, true,
       [](CliOptions &o, const QString &value, const QString &, QString &error) {
         const QString p = value.toLower();
         if (p == QLatin1String("bmp")) o.picture = picBMP;
         else if (p == QLatin1String("emf")) o.picture = picEMF;
         else if (p == QLatin1String("wmf")) o.picture = picWMF;
         else {
           error = QStringLiteral("--picture takes bmp, emf or wmf, not \"%1\"").arg(value);
           return false;
         }
         return true;
       }},
      {{"o", "output"}, true, Text(&CliOptions::output)},
      {{"info"}, false, Flag([](CliOptions &o) { o.info = true; })},
      {{"replace-unmappable"}, false, Flag([](CliOptions &o) { o.replaceUnmappable = true; })},
      {{"verify"}, false, Flag([](CliOptions &o) { o.verify = true; })},
      {{"batch"}, true, Text(&CliOptions::batch)},
      {{"csv"}, false, Flag([](CliOptions &o) { o.csv = true; })},
      {{"input-encoding"}, true,
       [](CliOptions &o, const QString &value, const QString &, QString &error) {
         o.inputEncoding = value;
         if (value == QLatin1String("sjis") || value == QLatin1String("utf8")) return true;
         error = QStringLiteral("--input-encoding takes sjis or utf8, not \"%1\"").arg(value);
         return false;
       }},
      {{"stop-on-error"}, false, Flag([](CliOptions &o) { o.stopOnError = true; })},
      {{"from-address"}, false, Flag([](CliOptions &o) { o.fromAddress = true; })},
      {{"postal-dictionary"}, true, Text(&CliOptions::postalDictionary)},
  };
  return table;
}

const OptionRow *RowNamed(const QString &name) {
  for (const OptionRow &row : OptionTable())
    if (row.names.contains(name)) return &row;
  return nullptr;
}

// The argument a parser error is about, as the user typed it: the first one before "--"
// that names `name` (with or without a value glued on).
QString ArgumentNaming(const QStringList &args, const QString &name) {
  for (const QString &arg : args) {
    if (arg == QLatin1String("--")) break;
    if (!arg.startsWith(QLatin1Char('-'))) continue;
    const QString bare = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
    if (bare == name || (name.size() == 1 && !arg.startsWith(QLatin1String("--")) && bare.contains(name)))
      return arg;
  }
  return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

}  // namespace

std::optional<CliOptions> ParseCliOptions(const QStringList &args, QString &error) {
  QCommandLineParser parser;
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  for (const OptionRow &row : OptionTable())
    parser.addOption(row.takesValue ? QCommandLineOption(row.names, QString(), QStringLiteral("value"))
                                    : QCommandLineOption(row.names));
  // QCommandLineParser expects the program name first.
  if (!parser.parse(QStringList{QStringLiteral("plomix-cli")} + args)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
      error = QStringLiteral("unknown option %1").arg(ArgumentNaming(args, unknown.first()));
    else  // the only other refusal: a value option is the last argument
      error = QStringLiteral("option %1 needs a value").arg(args.isEmpty() ? QString() : args.last());
    return std::nullopt;
  }

  CliOptions options;
  // Options apply in the order given, so that a later one wins (--cd ... --no-cd).
  QHash<QString, qsizetype> seen;
  for (const QString &name : parser.optionNames()) {
    const QString arg = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    const QString value = parser.values(name).value(seen[name]++);
    if (!RowNamed(name)->apply(options, value, arg, error)) return std::nullopt;
  }

  if (!options.postalDictionary.isEmpty() && !options.fromAddress) {
    error = QStringLiteral("--postal-dictionary needs --from-address");
    return std::nullopt;
  }
  if (options.fromAddress && options.type != cbarCUSTOMER) {
    error = QStringLiteral("--from-address draws the customer barcode: add --type customer");
    return std::nullopt;
  }
  const QStringList codes = parser.positionalArguments();
  const bool batch = !options.batch.isEmpty();
  if (batch && !codes.isEmpty()) {
    error = QStringLiteral("a code (\"%1\") cannot go with --batch, which reads the codes from its file")
                .arg(codes.first());
    return std::nullopt;
  }
  if (!batch && (options.csv || options.stopOnError || !options.inputEncoding.isEmpty())) {
    error = QStringLiteral("--csv, --input-encoding and --stop-on-error need --batch");
    return std::nullopt;
  }
  if (batch) return options;
  if (codes.size() > 1) {
    error = QStringLiteral("only one code may be given (\"%1\" is a second one)").arg(codes[1]);
    return std::nullopt;
  }
  if (codes.isEmpty() && !options.help) {
    error = QStringLiteral("no code given");
    return std::nullopt;
  }
  if (!codes.isEmpty()) options.code = codes.first();
  return options;
}

}  // namespace plomix::cli
