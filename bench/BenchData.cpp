#include "BenchData.h"

#include <string>
#include <vector>

#include "Common/ShiftJis.h"
#include "Records/RecordFiles.h"

namespace plomix::bench {
namespace {

// A JAN-13 code: "49" + ten digits + the modulo-10 check digit (weights 1, 3 from the left).
std::string JanCode(unsigned serial) {
  std::string code = "49" + std::to_string(1000000000u + serial % 1000000000u).substr(1);
  int sum = 0;
  for (std::size_t i = 0; i < code.size(); ++i) sum += (code[i] - '0') * (i % 2 ? 3 : 1);
  return code + static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace

bool WriteBenchRecordFiles(const QString &dir, int count) {
  const std::vector<std::string> words = {
      UnicodeToSjis(QStringLiteral("商品")),     UnicodeToSjis(QStringLiteral("在庫")),
      UnicodeToSjis(QStringLiteral("第二倉庫")), UnicodeToSjis(QStringLiteral("ｻﾝﾌﾟﾙ")),
      UnicodeToSjis(QStringLiteral("棚番")),     "No.",
      UnicodeToSjis(QStringLiteral("出荷予定")), "Lot"};
  std::vector<std::string> codes, ups, downs;
  codes.reserve(count);
  ups.reserve(count);
  downs.reserve(count);
  unsigned state = 12345;  // a fixed linear congruential sequence: same data every run
  const auto next = [&state] { return state = state * 1103515245u + 12345u; };
  for (int i = 0; i < count; ++i) {
    codes.push_back(i % 10 == 9 ? "<FNC1>01" + JanCode(next()) + "<CODEB>lot" + std::to_string(i)
                                : JanCode(next()));
    ups.push_back(i % 5 == 4 ? std::string() : words[next() % words.size()] + words[next() % words.size()]);
    downs.push_back(i % 5 == 2 ? std::string() : words[next() % words.size()] + " " + std::to_string(i + 1));
  }
  return SaveRecordFiles(dir, codes, ups, downs);
}

}  // namespace plomix::bench
