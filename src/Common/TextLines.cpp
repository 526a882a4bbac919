#include "Common/TextLines.h"

#include <cstring>

namespace plomix {

std::vector<std::string> SplitTextLines(std::string_view bytes) {
  if (const void *nul = std::memchr(bytes.data(), '\0', bytes.size()))
    bytes = bytes.substr(0, static_cast<const char *>(nul) - bytes.data());
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(bytes.substr(start));
      break;
    }
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

std::string JoinTextLines(const std::vector<std::string> &lines) {
  std::size_t size = 0;
  for (const std::string &line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string &line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace plomix
