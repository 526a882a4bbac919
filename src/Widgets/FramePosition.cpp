#include "Widgets/FramePosition.h"

#include <QWidget>
#include <QWindow>

namespace plomix {

void MoveFrameTo(QWidget &window, QPoint topLeft) {
  window.move(topLeft);
  // The native window told the same place as a frame position keeps it one when it is
  // mapped: on X11 it is then shown with north-west gravity, and the window manager puts
  // the frame there. The widget's own geometry already agrees, so showing the window does
  // not hand it a client position again.
  if (QWindow *handle = window.windowHandle()) handle->setFramePosition(topLeft);
}

}  // namespace plomix
