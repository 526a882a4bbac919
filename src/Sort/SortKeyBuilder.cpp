#include "Sort/SortKeyBuilder.h"

#include <QLocale>

#include "Sort/CollationKey.h"
#include "Sort/TwoThreads.h"

namespace plomix {
namespace {

// Below this many records a second thread costs more than it saves.
constexpr int kRecordsWorthASecondThread = 8192;

void AddKeys(int first, int last, const TKeyText &key, TCollationKeyMaker &maker, TSortKeyBlock &keys) {
  keys.Reserve(static_cast<std::size_t>(last - first + 1), 32);
  for (int i = first; i <= last; ++i) keys.Add([&](std::string &block) { maker.AppendKey(key(i), block); });
}

}  // namespace

TSortKeyBlock BuildKeyBlock(int L, int R, const TKeyText &key, int threads) {
  TSortKeyBlock keys;
  if (R < L) return keys;
  TCollationKeyMaker maker{QLocale()};
  const int count = R - L + 1;
  if (threads == 0) threads = count >= kRecordsWorthASecondThread && HasSecondCore() ? 2 : 1;
  if (threads < 2) {
    AddKeys(L, R, key, maker, keys);
    return keys;
  }
  // The second half on a thread of its own with a clone of the collator (a collator
  // serves one thread at a time), then appended to the first half's block.
  const int middle = L + count / 2;
  TCollationKeyMaker secondMaker{maker};
  TSortKeyBlock second;
  RunBeside([&] { AddKeys(middle, R, key, secondMaker, second); }, [&] { AddKeys(L, middle - 1, key, maker, keys); });
  keys.Append(second);
  return keys;
}

}  // namespace plomix
