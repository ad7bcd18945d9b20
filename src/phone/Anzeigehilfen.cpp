#include "phone/Anzeigehilfen.h"

#include "app/MDIForm1.h"
#include "link/LinkAnzeige.h"
#include "link/Module1.h"

#include <QPainter>
#include <QProgressBar>

namespace Module1 {

void Fortschritt_Nullen()
{
    LinkAnzeige* anzeige = Link().Anzeige;
    if (!anzeige)
        return;
    const MDIForm1* haupt = MDIForm1::Instanz();
    anzeige->Fortschritt_Setzen(0, haupt ? haupt->ProgressBar4->maximum() : 1);
}

void Zeitmeter_Nullen()
{
    if (Link().Anzeige)
        Link().Anzeige->Meter_Setzen(0);
}

QPixmap Akkubild_Malen(int stufe)
{
    QPixmap bild(46, 46);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(6, 14, 32, 18);
    p.fillRect(38, 19, 4, 8, Qt::black);
    const QColor farbe = stufe <= 0 ? QColor(200, 0, 0) : stufe == 1 ? QColor(230, 160, 0) : QColor(0, 160, 0);
    const int breite = stufe <= 0 ? 4 : 7 * stufe;
    p.fillRect(8, 16, breite, 14, farbe);
    return bild;
}

QPixmap Pegelbild_Malen(int stufe)
{
    QPixmap bild(46, 46);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 5; ++i) {
        const int hoehe = 6 + 7 * i;
        const QRect balken(4 + 8 * i, 40 - hoehe, 6, hoehe);
        p.setPen(QPen(Qt::gray, 1));
        p.setBrush(i < stufe ? QBrush(QColor(0, 90, 180)) : QBrush(Qt::NoBrush));
        p.drawRect(balken);
    }
    if (stufe == 0) {  // nothing measured: crossed out
        p.setPen(QPen(QColor(200, 0, 0), 3));
        p.drawLine(6, 8, 40, 40);
        p.drawLine(40, 8, 6, 40);
    }
    return bild;
}

QPixmap Flagge_Malen(const QColor& a, const QColor& b, const QColor& c, bool senkrecht)
{
    QPixmap bild(30, 20);
    QPainter p(&bild);
    const QColor farben[] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        if (senkrecht)
            p.fillRect(10 * i, 0, 10, 20, farben[i]);
        else
            p.fillRect(0, 7 * i, 30, i == 2 ? 6 : 7, farben[i]);
    }
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, 29, 19);
    return bild;
}

QIcon Lampe_Malen(const QColor& farbe)
{
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(farbe.darker(150), 1));
    p.setBrush(farbe);
    p.drawEllipse(2, 2, 12, 12);
    return QIcon(bild);
}

}  // namespace Module1
