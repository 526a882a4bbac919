#include "cli/CliOptions.h"

#include <QCommandLineParser>
#include <QHash>
#include <QRegularExpression>
#include <array>
#include <cmath>

#include "BarImage/SymbologyTable.h"

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

// "0.5x-1.25": millimetres right and down as µm, each within ±50 mm.
bool ParseOffset(const QString &text, int &x, int &y) {
  static const QRegularExpression pattern(QStringLiteral("^([-+]?\\d{1,2}(?:\\.\\d{1,3})?)[xX×]([-+]?\\d{1,2}(?:\\.\\d{1,3})?)$"));
  const auto match = pattern.match(text);
  if (!match.hasMatch()) return false;
  auto um = [](const QString &mm) { return static_cast<int>(std::lround(mm.toDouble() * 1000)); };
  x = um(match.captured(1));
  y = um(match.captured(2));
  return std::abs(x) <= 50000 && std::abs(y) <= 50000;
}

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
      "  --scale N           module width in pixels, 1..10\n"
      "  --ratio N           wide-to-narrow ratio times 10, 20..30\n"
      "  --height N          bar height with the text, 0..10000\n"
      "  --frame N           frame width, 0..100\n"
      "  --angle N           0, 90, 180 or 270\n"
      "  --reverse           mirror left to right\n"
      "  --no-text           no human-readable text\n"
      "  --up TEXT, --down TEXT   comments above and below\n"
      "  --space-left N, --space-right N, --space-up N, --space-down N   margins, 0..10000\n"
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
      "  -h, --help          this text\n\n"
      "Label sheets (a PDF with the symbols on the printer's dots):\n"
      "  --sheet S           a sheet by name (see --list-sheets) or as\n"
      "                      PAPER,COLSxROWS,WxH[,PITCHXxPITCHY[,LEFTxTOP]] in mm\n"
      "                      (PAPER: A3..A6, B4, B5, Letter or WxH; the pitch defaults to\n"
      "                      the label, without LEFTxTOP the grid is centred)\n"
      "  --dpi N             the printer's resolution, 72..2400 (default 600)\n"
      "  --start K           begin at label K of the first sheet (default 1); a number\n"
      "                      here, a letter A..D the start character\n"
      "  --copies N          labels of the one code, 1..100000 (default 1)\n"
      "  --offset XxY        move everything by X, Y mm (right and down; may be negative)\n"
      "  -o FILE.pdf         the PDF; with --batch one label per line\n"
      "  --list-sheets       the sheets Plomix knows, as name and layout\n\n"
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
      "Windows metafiles 32,767.\n");
}

namespace {

// Every option, by its long name; the one- and two-dash forms of the names are Qt's.
QList<QCommandLineOption> OptionTable() {
  const QString v = QStringLiteral("value");
  auto flag = [](QStringList names) { return QCommandLineOption(names); };
  auto valued = [&](QStringList names) { return QCommandLineOption(names, QString(), v); };
  return {flag({"h", "help"}),
          valued({"type"}),
          flag({"cd"}),
          flag({"no-cd"}),
          valued({"start"}),
          valued({"stop"}),
          valued({"scale"}),
          valued({"ratio"}),
          valued({"height"}),
          valued({"frame"}),
          valued({"angle"}),
          flag({"reverse"}),
          flag({"no-text"}),
          valued({"up"}),
          valued({"down"}),
          valued({"space-left"}),
          valued({"space-right"}),
          valued({"space-up"}),
          valued({"space-down"}),
          valued({"bar-color"}),
          valued({"back-color"}),
          flag({"transparent"}),
          valued({"picture"}),
          valued({"o", "output"}),
          flag({"info"}),
          flag({"replace-unmappable"}),
          flag({"verify"}),
          valued({"batch"}),
          flag({"csv"}),
          valued({"input-encoding"}),
          flag({"stop-on-error"}),
          valued({"sheet"}),
          valued({"dpi"}),
          valued({"copies"}),
          valued({"offset"}),
          flag({"list-sheets"})};
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
  parser.addOptions(OptionTable());
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
    const QStringList values = parser.values(name);
    const QString text = values.value(seen[name]++);
    auto integer = [&](int &out, int low, int high) {
      bool ok = false;
      const int n = text.toInt(&ok);
      if (!ok || n < low || n > high) {
        error = QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                    .arg(arg).arg(low).arg(high).arg(text);
        return false;
      }
      out = n;
      return true;
    };
    bool ok = true;
    if (name == QLatin1String("h") || name == QLatin1String("help")) {
      options.help = true;
    } else if (name == QLatin1String("type")) {
      const auto type = ParseType(text);
      if (!type) {
        error = QStringLiteral("unknown symbology \"%1\"").arg(text);
        ok = false;
      } else {
        options.type = *type;
      }
    } else if (name == QLatin1String("cd")) {
      options.cd = true;
    } else if (name == QLatin1String("no-cd")) {
      options.cd = false;
    } else if (name == QLatin1String("start") && !text.isEmpty() && text.at(0).isDigit()) {
      // A number is a label position; a letter the start character.
      ok = integer(options.start, 1, 10000);
      options.startGiven = true;
    } else if (name == QLatin1String("start") || name == QLatin1String("stop")) {
      const auto letter = ParseLetter(text);
      if (!letter) {
        error = QStringLiteral("%1 takes one of A, B, C, D, not \"%2\"").arg(arg, text);
        ok = false;
      } else {
        (name == QLatin1String("start") ? options.startChar : options.stopChar) = *letter;
      }
    } else if (name == QLatin1String("scale")) {
      ok = integer(options.scale, 1, 10);
    } else if (name == QLatin1String("ratio")) {
      ok = integer(options.ratio, 20, 30);
    } else if (name == QLatin1String("height")) {
      ok = integer(options.height, 0, 10000);
    } else if (name == QLatin1String("frame")) {
      ok = integer(options.frame, 0, 100);
    } else if (name == QLatin1String("angle")) {
      if ((ok = integer(options.angle, 0, 270)) && options.angle % 90 != 0) {
        error = QStringLiteral("--angle takes 0, 90, 180 or 270, not %1").arg(options.angle);
        ok = false;
      }
    } else if (name == QLatin1String("reverse")) {
      options.reverse = true;
    } else if (name == QLatin1String("no-text")) {
      options.symbolDisp = false;
    } else if (name == QLatin1String("up")) {
      options.up = text;
    } else if (name == QLatin1String("down")) {
      options.down = text;
    } else if (name == QLatin1String("space-left")) {
      ok = integer(options.spaceLeft, 0, 10000);
    } else if (name == QLatin1String("space-right")) {
      ok = integer(options.spaceRight, 0, 10000);
    } else if (name == QLatin1String("space-up")) {
      ok = integer(options.spaceUp, 0, 10000);
    } else if (name == QLatin1String("space-down")) {
      ok = integer(options.spaceDown, 0, 10000);
    } else if (name == QLatin1String("bar-color") || name == QLatin1String("back-color")) {
      const auto color = ParseColor(text);
      if (!color) {
        error = QStringLiteral("%1 takes a colour as #RRGGBB, not \"%2\"").arg(arg, text);
        ok = false;
      } else {
        (name == QLatin1String("bar-color") ? options.barColor : options.backColor) = color;
      }
    } else if (name == QLatin1String("transparent")) {
      options.transparent = true;
    } else if (name == QLatin1String("picture")) {
      const QString p = text.toLower();
      if (p == QLatin1String("bmp")) options.picture = picBMP;
      else if (p == QLatin1String("emf")) options.picture = picEMF;
      else if (p == QLatin1String("wmf")) options.picture = picWMF;
      else {
        error = QStringLiteral("--picture takes bmp, emf or wmf, not \"%1\"").arg(text);
        ok = false;
      }
    } else if (name == QLatin1String("o") || name == QLatin1String("output")) {
      options.output = text;
    } else if (name == QLatin1String("info")) {
      options.info = true;
    } else if (name == QLatin1String("replace-unmappable")) {
      options.replaceUnmappable = true;
    } else if (name == QLatin1String("verify")) {
      options.verify = true;
    } else if (name == QLatin1String("batch")) {
      options.batch = text;
    } else if (name == QLatin1String("csv")) {
      options.csv = true;
    } else if (name == QLatin1String("stop-on-error")) {
      options.stopOnError = true;
    } else if (name == QLatin1String("sheet")) {
      options.sheet = text;
    } else if (name == QLatin1String("dpi")) {
      ok = integer(options.dpi, 72, 2400);
    } else if (name == QLatin1String("copies")) {
      ok = integer(options.copies, 1, 100000);
      options.copiesGiven = true;
    } else if (name == QLatin1String("offset")) {
      ok = ParseOffset(text, options.offsetX, options.offsetY);
      if (!ok) error = QStringLiteral("--offset takes XxY in mm (for example 0.5x-1), not \"%1\"").arg(text);
    } else if (name == QLatin1String("list-sheets")) {
      options.listSheets = true;
    } else if (name == QLatin1String("input-encoding")) {
      if (text != QLatin1String("sjis") && text != QLatin1String("utf8")) {
        error = QStringLiteral("--input-encoding takes sjis or utf8, not \"%1\"").arg(text);
        ok = false;
      }
      options.inputEncoding = text;
    }
    if (!ok) return std::nullopt;
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
  if ((options.copiesGiven || options.startGiven || options.offsetX || options.offsetY) && options.sheet.isEmpty()) {
    error = QStringLiteral("--copies, --offset and --start K need --sheet");
    return std::nullopt;
  }
  if (batch && options.copiesGiven) {
    error = QStringLiteral("--copies prints one code; a batch prints one label per line");
    return std::nullopt;
  }
  if (batch) return options;
  if (codes.size() > 1) {
    error = QStringLiteral("only one code may be given (\"%1\" is a second one)").arg(codes[1]);
    return std::nullopt;
  }
  if (options.listSheets) return options;
  if (codes.isEmpty() && !options.help) {
    error = QStringLiteral("no code given");
    return std::nullopt;
  }
  if (!codes.isEmpty()) options.code = codes.first();
  return options;
}

}  // namespace plomix::cli
