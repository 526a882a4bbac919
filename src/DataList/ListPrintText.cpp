#include "DataList/ListPrintText.h"

#include <cstdio>

#include "Records/RecordList.h"

namespace plomix {

int PrintNumberWidth(int rowCount) {
  if (rowCount < 100) return 2;
  if (rowCount < 10000) return 4;
  if (rowCount < 1000000) return 6;
  return 8;
}

std::string PrintLinePrefix(int number, int width) {
  char buffer[32];
  const int length = std::snprintf(buffer, sizeof buffer, "%*d: ", width, number);
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::string ListPrintText(const std::vector<TDataRecord> &records, int count) {
  const int width = PrintNumberWidth(count + 2);
  const auto end = records.begin() + count;
  std::string text;
  std::size_t size = 0;
  for (auto record = records.begin(); record != end; ++record)
    size += record->Code.size() + record->CommentUp.size() + record->CommentDown.size() + 3 * (width + 4);
  text.reserve(size);
  int number = 0;
  for (auto it = records.begin(); it != end; ++it) {
    const TDataRecord &record = *it;
    const std::string prefix = PrintLinePrefix(++number, width);
    for (const std::string *field : {&record.CommentUp, &record.Code, &record.CommentDown}) {
      text += prefix;
      text += *field;
      text += "\r\n";
    }
  }
  return text;
}

}  // namespace plomix
