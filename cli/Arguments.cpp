#include "cli/Arguments.h"

namespace plomix::cli {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscape(char16_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// The length of the valid UTF-8 sequence at `i` (no overlong forms, no surrogates, at
// most U+10FFFF), or 0.
int ValidSequence(const QByteArray &b, qsizetype i, char32_t &cp) {
  const auto at = [&](qsizetype k) { return static_cast<unsigned char>(b[k]); };
  const unsigned char c = at(i);
  int n;
  char32_t min;
  if (c < 0x80) { cp = c; return 1; }
  if ((c & 0xE0) == 0xC0) { n = 2; cp = c & 0x1F; min = 0x80; }
  else if ((c & 0xF0) == 0xE0) { n = 3; cp = c & 0x0F; min = 0x800; }
  else if ((c & 0xF8) == 0xF0) { n = 4; cp = c & 0x07; min = 0x10000; }
  else return 0;
  if (i + n > b.size()) return 0;
  for (int k = 1; k < n; ++k) {
    if ((at(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (at(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

QString DecodeArgument(const QByteArray &bytes) {
  QString out;
  out.reserve(bytes.size());
  for (qsizetype i = 0; i < bytes.size();) {
    char32_t cp = 0;
    const int n = ValidSequence(bytes, i, cp);
    if (n == 0) {
      out += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
      ++i;
      continue;
    }
    if (QChar::requiresSurrogates(cp)) {
      out += QChar(QChar::highSurrogate(cp));
      out += QChar(QChar::lowSurrogate(cp));
    } else {
      out += QChar(static_cast<char16_t>(cp));
    }
    i += n;
  }
  return out;
}

QByteArray EncodeArgument(const QString &text) {
  QByteArray out;
  qsizetype runStart = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsEscape(text[i].unicode())) continue;
    out += text.mid(runStart, i - runStart).toUtf8();
    if (i < text.size()) out += static_cast<char>(text[i].unicode() - kEscapeBase);
    runStart = i + 1;
  }
  return out;
}

qsizetype InvalidUtf8Position(const QString &decoded) {
  for (qsizetype i = 0; i < decoded.size(); ++i)
    if (IsEscape(decoded[i].unicode())) return EncodeArgument(decoded.left(i)).size() + 1;
  return 0;
}

QStringList DecodeArguments(int argc, char **argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << DecodeArgument(QByteArray(argv[i]));
  return args;
}

}  // namespace plomix::cli
