#pragma once
// A code or comment from the command line as the Shift-JIS bytes the symbol takes.
#include <QString>
#include <optional>
#include <string>

namespace plomix::cli {

// The text in Shift-JIS. Invalid UTF-8, or a character Shift-JIS cannot hold, is an
// error naming its position, unless `replace` asks for the program's "?" rule.
// `encoding` names the text's source encoding in that message.
std::optional<std::string> ToSjis(const QString &text, bool replace, QString &error,
                                  const char *encoding = "UTF-8");

}  // namespace plomix::cli
