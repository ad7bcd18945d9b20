#include "phonebook/TBuchListe.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

const QString TBuchListe::ZiehFormat = QStringLiteral("application/x-orx-telefonbuchzeilen");

TBuchListe::TBuchListe(QWidget* parent) : QTreeWidget(parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
}

void TBuchListe::mouseMoveEvent(QMouseEvent* event)
{
    m_knoepfe = event->buttons();
    QTreeWidget::mouseMoveEvent(event);
}

void TBuchListe::startDrag(Qt::DropActions) { emit Ziehen_Beginnt(m_knoepfe); }

void TBuchListe::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(ZiehFormat))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TBuchListe::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(ZiehFormat))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TBuchListe::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasFormat(ZiehFormat)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit Abgelegt();
}
