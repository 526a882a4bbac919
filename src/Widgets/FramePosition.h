#pragma once
// Top-level windows placed by their frame's top-left, the position pos() reports.
#include <QPoint>

class QWidget;

namespace plomix {

// Moves a top-level window so that its frame (title bar included) starts at topLeft.
// Bounds restored while the window is being shown arrive before the window manager has
// told the frame's size: QWidget::move() would then place the client area there instead,
// and the window would climb by its title bar at every start.
void MoveFrameTo(QWidget &window, QPoint topLeft);

}  // namespace plomix
