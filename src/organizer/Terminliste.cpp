#include "organizer/Terminliste.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

const QString Terminliste::Format = QStringLiteral("application/x-orx-termine");

Terminliste::Terminliste(QWidget* parent) : QTreeWidget(parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDropIndicatorShown(false);
}

QStringList Terminliste::mimeTypes() const { return {Format}; }

QMimeData* Terminliste::mimeData(const QList<QTreeWidgetItem*>&) const
{
    auto* daten = new QMimeData();
    daten->setData(Format, objectName().toUtf8());
    return daten;
}

Qt::DropActions Terminliste::supportedDropActions() const { return Qt::CopyAction; }

void Terminliste::startDrag(Qt::DropActions)
{
    // Copy only: the view must never remove the dragged rows itself.
    emit Ziehen_Beginnt();
    QTreeWidget::startDrag(Qt::CopyAction);
    emit Ziehen_Endet();
}

bool Terminliste::Annehmbar(const QMimeData* daten, QString* quelle) const
{
    if (!daten || !daten->hasFormat(Format))
        return false;
    const QString name = QString::fromUtf8(daten->data(Format));
    if (name == objectName() || !Ablage_Erlaubt || !Ablage_Erlaubt(name))
        return false;
    if (quelle)
        *quelle = name;
    return true;
}

void Terminliste::dragEnterEvent(QDragEnterEvent* event)
{
    if (Annehmbar(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void Terminliste::dragMoveEvent(QDragMoveEvent* event)
{
    if (Annehmbar(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void Terminliste::dropEvent(QDropEvent* event)
{
    QString quelle;
    if (!Annehmbar(event->mimeData(), &quelle)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit Abgelegt(quelle);
}
