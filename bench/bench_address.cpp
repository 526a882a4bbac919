// The postal-code file indexed whole (a synthetic file of KEN_ALL.CSV's size and format),
// and addresses turned into customer-barcode data. The peer of the indexing is the
// Shift-JIS conversion of the same bytes alone, the least any reading of the file does.
#include <benchmark/benchmark.h>

#include <iconv.h>
#include <string>
#include <vector>

#include "Address/CustomerData.h"
#include "Address/PostalDictionary.h"

namespace {

constexpr int kPostalLines = 124000;  // about the size of the published file

const char *const kPrefectures[] = {"北海道", "東京都", "大阪府", "福岡県", "愛知県", "宮城県"};
const char *const kSyllables[] = {"山", "川", "田", "中", "本", "松", "原", "野", "西", "東", "南", "北",
                                  "宮", "森", "池", "高", "岡", "崎", "島", "浜", "谷", "沢", "井", "木"};

std::string Name(unsigned seed, int length) {
  std::string name;
  for (int i = 0; i < length; ++i) name += kSyllables[(seed >> (i * 3)) % 24];
  return name;
}

std::string Code(int i) {
  char code[8];
  std::snprintf(code, sizeof code, "%07d", 10000 + i * 79);
  return code;
}

// UTF-8 lines in the file's column layout; every fortieth town with a note over two lines.
std::string SyntheticPostalFileUtf8() {
  std::string file;
  file.reserve(kPostalLines * 130);
  for (int i = 0; i < kPostalLines; ++i) {
    const unsigned seed = static_cast<unsigned>(i) * 2654435761u;
    const std::string code = Code(i);
    const std::string prefix = "01101,\"" + code.substr(0, 3) + "  \",\"" + code + "\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼ\",\"ﾁｮｳｲｷ\",\"" +
                               kPrefectures[i % 6] + "\",\"" + Name(seed, 2) + "市\",\"";
    if (i % 40 == 0 && i + 1 < kPostalLines) {
      file += prefix + Name(seed >> 7, 3) + "（" + Name(seed >> 11, 2) + "、１～２０\",0,0,1,0,0,0\r\n";
      file += prefix + "番地）\",0,0,1,0,0,0\r\n";
      ++i;
      continue;
    }
    file += prefix + Name(seed >> 7, 3) + "町\",0,0,1,0,0,0\r\n";
  }
  return file;
}

std::string ToShiftJis(const std::string &utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size(), '\0');
  char *in = const_cast<char *>(utf8.data());
  std::size_t inLeft = utf8.size(), outLeft = out.size();
  char *outPtr = out.data();
  iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

const std::string &PostalFileSjis() {
  static const std::string file = ToShiftJis(SyntheticPostalFileUtf8());
  return file;
}

void BM_IndexPostalFile(benchmark::State &state) {
  const std::string &file = PostalFileSjis();
  std::size_t towns = 0;
  for (auto _ : state) {
    std::string error;
    const auto dictionary = plomix::address::PostalDictionary::FromBytes(file, error);
    towns = dictionary ? dictionary->TownCount() : 0;
    benchmark::DoNotOptimize(towns);
  }
  state.counters["towns"] = static_cast<double>(towns);
  state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_IndexPostalFile)->Unit(benchmark::kMillisecond);

void BM_ShiftJisConversionOnly(benchmark::State &state) {
  const std::string &file = PostalFileSjis();
  for (auto _ : state) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out(file.size() * 3 / 2, '\0');
    char *in = const_cast<char *>(file.data());
    std::size_t inLeft = file.size(), outLeft = out.size();
    char *outPtr = out.data();
    iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    benchmark::DoNotOptimize(outPtr);
  }
}
BENCHMARK(BM_ShiftJisConversionOnly)->Unit(benchmark::kMillisecond);

// 10,000 mailing-list addresses of the synthetic file's towns.
std::vector<std::string> MailingList() {
  std::vector<std::string> lines;
  for (int i = 0; i < 10000; ++i) {
    const int town = (i * 37) % kPostalLines;
    const unsigned seed = static_cast<unsigned>(town) * 2654435761u;
    const std::string code = Code(town);
    lines.push_back("〒" + code.substr(0, 3) + "-" + code.substr(3) + " " + kPrefectures[town % 6] + Name(seed, 2) + "市" +
                    Name(seed >> 7, 3) + (town % 40 == 0 ? "" : "町") + std::to_string(i % 9 + 1) + "丁目" +
                    std::to_string(i % 30 + 1) + "番" + std::to_string(i % 12 + 1) + "号 " + Name(seed >> 13, 2) +
                    "ハイツ" + std::to_string(100 + i % 400) + "号室");
  }
  return lines;
}

void DeriveAll(benchmark::State &state, const plomix::address::PostalDictionary *dictionary) {
  const std::vector<std::string> lines = MailingList();
  std::size_t converted = 0;
  for (auto _ : state) {
    converted = 0;
    for (const std::string &line : lines)
      converted += plomix::address::DeriveCustomerDataFromLine(line, dictionary).ok() ? 1 : 0;
    benchmark::DoNotOptimize(converted);
  }
  state.counters["addresses"] = static_cast<double>(lines.size());
  state.counters["converted"] = static_cast<double>(converted);
}

void BM_DeriveTenThousandAddresses(benchmark::State &state) { DeriveAll(state, nullptr); }
BENCHMARK(BM_DeriveTenThousandAddresses)->Unit(benchmark::kMillisecond);

void BM_DeriveTenThousandAddressesWithPostalFile(benchmark::State &state) {
  std::string error;
  static const auto dictionary = plomix::address::PostalDictionary::FromBytes(PostalFileSjis(), error);
  DeriveAll(state, dictionary ? &*dictionary : nullptr);
}
BENCHMARK(BM_DeriveTenThousandAddressesWithPostalFile)->Unit(benchmark::kMillisecond);

}  // namespace
