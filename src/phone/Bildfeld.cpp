#include "phone/Bildfeld.h"

#include <QMouseEvent>

void Bildfeld::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Geklickt();
}
