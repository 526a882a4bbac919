#include "Sort/CollationKey.h"

#include <unicode/ucol.h>

#include <QChar>
#include <QString>
#include <algorithm>
#include <new>

#include "Common/ShiftJis.h"

namespace plomix {

TCollationKeyMaker::TCollationKeyMaker(const QLocale &locale) {
  if (locale.language() == QLocale::C) return;
  // QCollator opens the collator under the locale's BCP 47 name with '_' and switches
  // normalisation on, case off (secondary strength), numeric mode off and punctuation
  // significant: the same settings give the same order as its compare().
  const QByteArray name = locale.bcp47Name().replace('-', '_').toLatin1();
  UErrorCode status = U_ZERO_ERROR;
  FCollator = ucol_open(name.constData(), &status);
  if (U_FAILURE(status)) {
    FCollator = nullptr;
    return;
  }
  const std::pair<UColAttribute, UColAttributeValue> settings[] = {
      {UCOL_NORMALIZATION_MODE, UCOL_ON},
      {UCOL_STRENGTH, UCOL_SECONDARY},
      {UCOL_NUMERIC_COLLATION, UCOL_OFF},
      {UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE},
  };
  for (const auto &[attribute, value] : settings) {
    status = U_ZERO_ERROR;
    ucol_setAttribute(FCollator, attribute, value, &status);
  }
}

TCollationKeyMaker::TCollationKeyMaker(const TCollationKeyMaker &other) {
  if (!other.FCollator) return;
  UErrorCode status = U_ZERO_ERROR;
  FCollator = ucol_clone(other.FCollator, &status);
  // Without a clone the keys could not be made at all: a failure here is memory running out.
  if (U_FAILURE(status)) throw std::bad_alloc();
}

TCollationKeyMaker::~TCollationKeyMaker() {
  if (FCollator) ucol_close(FCollator);
}

void TCollationKeyMaker::AppendKey(std::string_view sjis, std::string &block) {
  if (sjis.empty()) return;
  // Shift-JIS keeps the ASCII bytes as they are (0x5C and 0x7E included), and most keys
  // are codes or Latin comments: those skip the code page conversion.
  FUnits.clear();
  if (std::all_of(sjis.begin(), sjis.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    FUnits.assign(sjis.begin(), sjis.end());
  } else {
    const QString text = SjisToUnicode(sjis);
    FUnits.assign(text.utf16(), text.utf16() + text.size());
  }
  const int32_t length = static_cast<int32_t>(FUnits.size());

  if (!FCollator) {
    // QString's case-insensitive comparison: code unit by code unit, each case-folded,
    // then the shorter first. Shift-JIS text is all in the basic plane, whose foldings
    // stay there, so each unit is two bytes, high byte first.
    for (char16_t unit : FUnits) {
      const char32_t folded = QChar::toCaseFolded(static_cast<char32_t>(unit));
      block.push_back(static_cast<char>(folded >> 8));
      block.push_back(static_cast<char>(folded & 0xFF));
    }
    return;
  }

  // ICU's key, its closing zero byte included (so no text's key is empty); it holds no
  // other zero byte. Written into a buffer kept from text to text, then appended: the
  // block is not grown and zero-filled to the worst case for every key.
  for (;;) {
    const int32_t size = ucol_getSortKey(FCollator, reinterpret_cast<const UChar *>(FUnits.data()), length,
                                         FKey.data(), static_cast<int32_t>(FKey.size()));
    if (static_cast<std::size_t>(size) <= FKey.size()) {
      block.append(reinterpret_cast<const char *>(FKey.data()), static_cast<std::size_t>(size));
      return;
    }
    FKey.resize(static_cast<std::size_t>(size));
  }
}

}  // namespace plomix
