#pragma once
// A record field is one line of text: the data files hold one record per line, so a CR,
// LF or NUL inside a field is stored as a space. The window applies the same rule when
// text enters the record list, so that what it shows is what it saves.
#include <algorithm>
#include <string>

namespace plomix {

inline std::string OneLineField(std::string field) {
  std::replace_if(field.begin(), field.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return field;
}

}  // namespace plomix
