#include "media/Bildbox.h"

#include <QMouseEvent>
#include <QPainter>

Bildbox::Bildbox(QWidget* eltern) : QFrame(eltern)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(1);
}

void Bildbox::Picture_Setzen(const Bilddaten& bild)
{
    m_bild = bild;
    update();
}

void Bildbox::Innengroesse_Setzen(const QSize& groesse)
{
    const int rand = 2 * frameWidth();
    setFixedSize(groesse.width() + rand, groesse.height() + rand);
}

void Bildbox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_bild.Leer())
        return;
    QPainter p(this);
    const QRect innen = contentsRect();
    p.setClipRect(innen);
    p.drawImage(innen.topLeft(), m_bild.Pixel);
}

void Bildbox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Klick();
    QFrame::mouseReleaseEvent(event);
}

void Bildbox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Doppelklick();
    QFrame::mouseDoubleClickEvent(event);
}
