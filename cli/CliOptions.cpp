#include "cli/CliOptions.h"

#include <QRegularExpression>
#include <array>

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

}  // namespace

QString UsageText() {
  return QStringLiteral(
      "Usage: plomix-cli [options] [--] CODE\n"
      "Draws one barcode symbol.\n\n"
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
      "                      .emf or .wmf (these two need --picture emf or wmf)\n"
      "  --info              print the result as one JSON object\n"
      "  -h, --help          this text\n\n"
      "Exit status: 0 drawn, 1 the code cannot be encoded, 2 usage error,\n"
      "3 the output file cannot be written.\n");
}

std::optional<CliOptions> ParseCliOptions(const QStringList &args, QString &error) {
  CliOptions options;
  bool haveCode = false;
  bool optionsEnded = false;

  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString &arg = args[i];
    auto value = [&](QString &out) {
      if (i + 1 >= args.size()) {
        error = QStringLiteral("option %1 needs a value").arg(arg);
        return false;
      }
      out = args[++i];
      return true;
    };
    auto integer = [&](int &out, int low, int high) {
      QString text;
      if (!value(text)) return false;
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

    if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
      if (haveCode) {
        error = QStringLiteral("only one code may be given (\"%1\" is a second one)").arg(arg);
        return std::nullopt;
      }
      options.code = arg;
      haveCode = true;
      continue;
    }
    bool ok = true;
    QString text;
    if (arg == QLatin1String("--")) {
      optionsEnded = true;
    } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
      options.help = true;
    } else if (arg == QLatin1String("--type")) {
      if ((ok = value(text))) {
        const auto type = ParseType(text);
        if (!type) {
          error = QStringLiteral("unknown symbology \"%1\"").arg(text);
          ok = false;
        } else {
          options.type = *type;
        }
      }
    } else if (arg == QLatin1String("--cd")) {
      options.cd = true;
    } else if (arg == QLatin1String("--no-cd")) {
      options.cd = false;
    } else if (arg == QLatin1String("--start") || arg == QLatin1String("--stop")) {
      if ((ok = value(text))) {
        const auto letter = ParseLetter(text);
        if (!letter) {
          error = QStringLiteral("%1 takes one of A, B, C, D, not \"%2\"").arg(arg, text);
          ok = false;
        } else {
          (arg == QLatin1String("--start") ? options.startChar : options.stopChar) = *letter;
        }
      }
    } else if (arg == QLatin1String("--scale")) {
      ok = integer(options.scale, 1, 10);
    } else if (arg == QLatin1String("--ratio")) {
      ok = integer(options.ratio, 20, 30);
    } else if (arg == QLatin1String("--height")) {
      ok = integer(options.height, 0, 10000);
    } else if (arg == QLatin1String("--frame")) {
      ok = integer(options.frame, 0, 100);
    } else if (arg == QLatin1String("--angle")) {
      if ((ok = integer(options.angle, 0, 270)) && options.angle % 90 != 0) {
        error = QStringLiteral("--angle takes 0, 90, 180 or 270, not %1").arg(options.angle);
        ok = false;
      }
    } else if (arg == QLatin1String("--reverse")) {
      options.reverse = true;
    } else if (arg == QLatin1String("--no-text")) {
      options.symbolDisp = false;
    } else if (arg == QLatin1String("--up")) {
      ok = value(options.up);
    } else if (arg == QLatin1String("--down")) {
      ok = value(options.down);
    } else if (arg == QLatin1String("--space-left")) {
      ok = integer(options.spaceLeft, 0, 10000);
    } else if (arg == QLatin1String("--space-right")) {
      ok = integer(options.spaceRight, 0, 10000);
    } else if (arg == QLatin1String("--space-up")) {
      ok = integer(options.spaceUp, 0, 10000);
    } else if (arg == QLatin1String("--space-down")) {
      ok = integer(options.spaceDown, 0, 10000);
    } else if (arg == QLatin1String("--bar-color") || arg == QLatin1String("--back-color")) {
      if ((ok = value(text))) {
        const auto color = ParseColor(text);
        if (!color) {
          error = QStringLiteral("%1 takes a colour as #RRGGBB, not \"%2\"").arg(arg, text);
          ok = false;
        } else {
          (arg == QLatin1String("--bar-color") ? options.barColor : options.backColor) = color;
        }
      }
    } else if (arg == QLatin1String("--transparent")) {
      options.transparent = true;
    } else if (arg == QLatin1String("--picture")) {
      if ((ok = value(text))) {
        const QString p = text.toLower();
        if (p == QLatin1String("bmp")) options.picture = picBMP;
        else if (p == QLatin1String("emf")) options.picture = picEMF;
        else if (p == QLatin1String("wmf")) options.picture = picWMF;
        else {
          error = QStringLiteral("--picture takes bmp, emf or wmf, not \"%1\"").arg(text);
          ok = false;
        }
      }
    } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
      ok = value(options.output);
    } else if (arg == QLatin1String("--info")) {
      options.info = true;
    } else {
      error = QStringLiteral("unknown option %1").arg(arg);
      ok = false;
    }
    if (!ok) return std::nullopt;
  }
  if (!haveCode && !options.help) {
    error = QStringLiteral("no code given");
    return std::nullopt;
  }
  return options;
}

}  // namespace plomix::cli
