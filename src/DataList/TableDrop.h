#pragma once
// A CSV or text file dragged onto a window (the main window or the data list): the drag
// is taken when it carries one, and the file is opened once the drop is over, because
// what opens it (the import, the data list) is modal and must not run inside the drop.
#include <QString>
#include <functional>

class QDragEnterEvent;
class QDropEvent;
class QObject;

namespace plomix {

void AcceptTableDrag(QDragEnterEvent *event);
// Calls `open` with the dropped file's path from `context`'s event loop, after the drop.
void OpenTableDrop(QDropEvent *event, QObject *context, std::function<void(const QString &)> open);

}  // namespace plomix
