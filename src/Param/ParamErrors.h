#pragma once
// The errors the parameter store raises. It handles none of them itself: the caller
// decides (the start-up reports them and carries on with design-time values).
// what() is Shift-JIS bytes (names and file names included): show it with SjisToUnicode.
#include <stdexcept>
#include <string>

namespace plomix {

// A missing or empty setting ("Name '%s' is not found in parameters.") or a Boolean
// setting with another text ("Value of %s '%s' is not Boolean Type.").
class EValueName : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An integer setting whose text is not a 32-bit decimal integer
// ("'%s' is not a valid integer value").
class EConvertError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// A line index outside the list ("%d is not within the valid range of %d..%d").
class ERangeError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// A file that exists but cannot be read, or that cannot be written; the message names
// the file and the system's reason.
class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace plomix
