#pragma once
// Drags between the lists of the phone-book window with the mouse. The offscreen platform
// drops nothing, so the drag is carried to its target by hand.
#include "phonebook/Form1.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMouseEvent>
#include <QTreeWidget>

// Presses on the current row of `von` and moves past the drag distance; the drag is dropped on
// `nach`, or outside both lists when that is nullptr. Returns whether a drag ran.
inline bool Maus_Ziehen(Form1* f, QTreeWidget* von, QTreeWidget* nach)
{
    bool gezogen = false;
    f->Ziehen_Ausfuehren = [&gezogen, nach](QDrag& d) {
        gezogen = true;
        if (!nach)
            return;
        QDragEnterEvent rein(QPoint(5, 5), Qt::CopyAction, d.mimeData(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(nach->viewport(), &rein);
        QDropEvent fallen(QPointF(5, 5), Qt::CopyAction, d.mimeData(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(nach->viewport(), &fallen);
    };
    const QPoint start = von->currentItem() ? von->visualItemRect(von->currentItem()).center() : QPoint(5, 5);
    auto maus = [von](QEvent::Type typ, QPoint pos, Qt::MouseButton knopf, Qt::MouseButtons knoepfe) {
        QMouseEvent e(typ, pos, von->viewport()->mapToGlobal(pos), knopf, knoepfe, Qt::NoModifier);
        QCoreApplication::sendEvent(von->viewport(), &e);
    };
    maus(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    maus(QEvent::MouseMove, start + QPoint(1, 0), Qt::NoButton, Qt::LeftButton);
    maus(QEvent::MouseMove, start + QPoint(QApplication::startDragDistance() + 5, 0), Qt::NoButton, Qt::LeftButton);
    f->Ziehen_Ausfuehren = nullptr;
    return gezogen;
}
