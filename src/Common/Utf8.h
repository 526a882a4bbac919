#pragma once
// UTF-8 validation, by Qt's own decoder (no overlong forms, no surrogates, nothing past
// U+10FFFF).
#include <QByteArrayView>

namespace plomix {

// Whether `bytes` is valid UTF-8. A large input is decoded in slices, so it is never
// held a second time as UTF-16.
bool IsValidUtf8(QByteArrayView bytes);

// How many bytes the sequence that starts with `lead` claims: 1 to 4 (1 for a byte that
// cannot start one).
int Utf8LeadLength(unsigned char lead);

}  // namespace plomix
