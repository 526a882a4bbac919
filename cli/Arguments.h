#pragma once
// Command-line arguments as the bytes given. Bytes that are not valid UTF-8 are kept as
// lone surrogates U+DC80..U+DCFF, so a file name comes back byte for byte and a code can
// say where its text is broken.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace plomix::cli {

QString DecodeArgument(const QByteArray &bytes);
QByteArray EncodeArgument(const QString &text);

// The 1-based byte position of the first byte that was not valid UTF-8, or 0.
qsizetype InvalidUtf8Position(const QString &decoded);

QStringList DecodeArguments(int argc, char **argv);  // without the program name

}  // namespace plomix::cli
