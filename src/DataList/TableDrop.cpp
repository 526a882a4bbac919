#include "DataList/TableDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMetaObject>

#include "DataList/SheetText.h"

namespace plomix {

void AcceptTableDrag(QDragEnterEvent *event) {
  if (!DroppedTableFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void OpenTableDrop(QDropEvent *event, QObject *context, std::function<void(const QString &)> open) {
  const QString path = DroppedTableFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  QMetaObject::invokeMethod(context, [open = std::move(open), path] { open(path); }, Qt::QueuedConnection);
}

}  // namespace plomix
