#include "phonebook/Symbole.h"

#include <QPainter>
#include <QPixmap>

QIcon Buchsymbol(int nummer)
{
    struct Art {
        QColor farbe;
        char buchstabe;
    };
    static const Art arten[] = {{QColor(0, 90, 200), 'S'},  {QColor(150, 90, 0), 'F'}, {QColor(0, 140, 60), 'E'},
                                {QColor(90, 90, 90), 'T'},  {QColor(120, 0, 160), 'Z'}, {QColor(200, 30, 30), 'V'},
                                {QColor(0, 130, 140), 'L'}};
    if (nummer < 1 || nummer > 7)
        return QIcon();
    // Kept for the whole run and never destroyed: pixmaps must not outlive the application.
    static QIcon* const symbole = new QIcon[8];
    QIcon& symbol = symbole[nummer];
    if (symbol.isNull()) {
        const Art& a = arten[nummer - 1];
        QPixmap bild(16, 16);
        bild.fill(Qt::transparent);
        QPainter p(&bild);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(a.farbe);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
        QFont schrift = p.font();
        schrift.setPixelSize(11);
        schrift.setBold(true);
        p.setFont(schrift);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QLatin1Char(a.buchstabe)));
        p.end();
        symbol = QIcon(bild);
    }
    return symbol;
}
