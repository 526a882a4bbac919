#pragma once
// A row of the main window's settings table: one key of the environment file.
#include <QRect>
#include <functional>

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

}  // namespace plomix
