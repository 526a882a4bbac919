#include "PrintTxt/TextRows.h"

#include <cstdlib>
#include <cstring>

#include "Common/ShiftJis.h"

namespace plomix {

std::string FormatLineNumber(int lineNumber, int width) {
  if (width == 0) return {};
  const int field = std::abs(width);
  std::string text = std::to_string(lineNumber);
  if (static_cast<int>(text.size()) < field) text.insert(0, field - text.size(), ' ');
  text += ": ";
  const std::size_t keep = static_cast<std::size_t>(field) + 2;
  if (text.size() > keep) text.erase(0, text.size() - keep);
  if (width < 0) {
    for (int i = 0; i < field && text[i] == ' '; ++i) text[i] = '0';
  }
  return text;
}

std::string ExpandTabs(std::string_view text, int tabWidth) {
  std::string out;
  out.reserve(text.size() + 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\t') {
      out += text[i];
    } else if (tabWidth <= 0) {
      continue;
    } else if (i + 1 == text.size()) {
      out += ' ';
    } else {
      out.append(tabWidth - out.size() % tabWidth, ' ');
    }
  }
  return out;
}

std::size_t LineLength(std::string_view text) {
  const char *begin = text.data();
  const char *end = begin + text.size();
  for (const char *p = begin; p < end;) {
    const void *cr = std::memchr(p, '\r', end - p);
    if (!cr) break;
    const char *at = static_cast<const char *>(cr);
    if (at + 1 < end && at[1] == '\n') return at - begin;
    p = at + 1;
  }
  return text.size();
}

bool IsDoubleByteStart(std::string_view line, std::size_t k) {
  if (k + 1 >= line.size()) return false;
  std::size_t i = 0;
  while (i < k) i += IsSjisLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
  return i == k && IsSjisLeadByte(static_cast<unsigned char>(line[k]));
}

std::string FileNamePart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size();) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsSjisLeadByte(c) && i + 1 < path.size()) {
      i += 2;
      continue;
    }
    ++i;
    if (c == '\\' || c == '/' || c == ':') start = i;
  }
  return std::string(path.substr(start));
}

}  // namespace plomix
