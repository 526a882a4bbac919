#pragma once
// A row of the main window's settings table: one key of the environment file.
#include <QRect>
#include <QString>
#include <functional>
#include <stdexcept>
#include <string>

namespace plomix {

class TParameter;

// What the rows of one restore or save share.
struct TSettingsPass {
  QRect Bounds;          // restore: the window's bounds, gathered from four keys
  bool NewFile = false;  // save: the file held nothing before
};

struct TFrameSetting {
  const char *Key;
  // Takes the key's value; throws when it cannot. Empty: the key is read elsewhere.
  std::function<void(const TParameter &, TSettingsPass &)> Restore;
  std::function<void(TParameter &, TSettingsPass &)> Save;
  // A first run's value. Empty: the control's design-time value stands.
  std::function<void()> Design;
};

// The limits a stored value must keep to be taken: what the font dialog accepts, and
// text lengths no real font name or folder reaches.
inline constexpr int kMinFontPoints = 1;
inline constexpr int kMaxFontPoints = 512;
inline constexpr std::size_t kMaxFontNameBytes = 255;
inline constexpr std::size_t kMaxPathBytes = 4096;

// A value outside the range its control allows; what() is a Japanese sentence (UTF-8)
// naming the key and the value (cut short when long).
class ESettingOutOfRange : public std::runtime_error {
 public:
  ESettingOutOfRange(const char *key, const std::string &value, int low, int high, bool length = false);
};

// The line the start-up notice shows for a key that could not be restored.
QString SettingProblem(const char *key, const std::exception &error);

}  // namespace plomix
