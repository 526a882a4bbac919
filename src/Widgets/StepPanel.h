#pragma once
// Value panels stepped with the mouse (right button adds, left takes away) get the same
// steps from the keyboard.
#include <QLabel>
#include <functional>

namespace plomix {

using TPanelStep = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers)>;

// Lets the panel take the focus by Tab or a click. While it has it, Up, Right and "+"
// step it as a right click does, Down, Left and "-" as a left click, with the modifiers
// held (they choose the step as they do for the mouse). A focused panel shows a thicker
// frame, and `description` tells assistive technology what the panel holds and how it
// is changed.
void MakeKeyboardSteppable(QLabel *panel, TPanelStep step, const QString &description);

}  // namespace plomix
