#include "media/Knopfleiste.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QToolButton>
#include <functional>

Knopfleiste::Knopfleiste(QWidget* eltern, int spalten) : QWidget(eltern), m_raster(new QGridLayout(this)), m_spalten(spalten)
{
    m_raster->setContentsMargins(0, 0, 0, 0);
    m_raster->setSpacing(1);
    m_raster->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Knopfleiste::Knopf_Hinzufuegen(QAction* aktion)
{
    aktion->setParent(this);
    auto* knopf = new QToolButton(this);
    knopf->setObjectName(aktion->objectName() + QStringLiteral("_Knopf"));
    knopf->setDefaultAction(aktion);
    knopf->setAutoRaise(true);
    knopf->setIconSize(QSize(16, 16));
    m_raster->addWidget(knopf, m_anzahl / m_spalten, m_anzahl % m_spalten);
    ++m_anzahl;
    connect(aktion, &QAction::triggered, this, [this, aktion] { emit actionTriggered(aktion); });
}

namespace {

QIcon Standard(QStyle::StandardPixmap bild) { return QApplication::style()->standardIcon(bild); }

QIcon Farbe(const QColor& farbe)
{
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setPen(Qt::black);
    p.setBrush(farbe);
    p.drawRect(2, 2, 11, 11);
    return QIcon(bild);
}

QIcon Zeichnen(const std::function<void(QPainter&)>& malen)
{
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setPen(QPen(Qt::black, 1));
    malen(p);
    return QIcon(bild);
}

QIcon Buchstabe(const QString& text)
{
    return Zeichnen([text](QPainter& p) {
        QFont f = p.font();
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
    });
}

}  // namespace

QIcon Medien_Symbol(const QString& k)
{
    if (k == QLatin1String("white")) return Farbe(Qt::white);
    if (k == QLatin1String("green")) return Farbe(QColor(0, 255, 0));
    if (k == QLatin1String("red")) return Farbe(Qt::red);
    if (k == QLatin1String("blue")) return Farbe(Qt::blue);
    if (k == QLatin1String("new")) return Standard(QStyle::SP_FileIcon);
    if (k == QLatin1String("open")) return Standard(QStyle::SP_DialogOpenButton);
    if (k == QLatin1String("save") || k == QLatin1String("speichern")) return Standard(QStyle::SP_DialogSaveButton);
    if (k == QLatin1String("tohandy") || k == QLatin1String("schreiben")) return Standard(QStyle::SP_ArrowUp);
    if (k == QLatin1String("auslesen")) return Standard(QStyle::SP_ArrowDown);
    if (k == QLatin1String("loeschen")) return Standard(QStyle::SP_TrashIcon);
    if (k == QLatin1String("undo")) return Standard(QStyle::SP_ArrowBack);
    if (k == QLatin1String("redo")) return Standard(QStyle::SP_ArrowForward);
    if (k == QLatin1String("farbe")) return Farbe(QColor(0, 128, 255));
    if (k == QLatin1String("sw")) return Farbe(Qt::black);
    if (k == QLatin1String("gitter") || k == QLatin1String("auswahl"))
        return Zeichnen([k](QPainter& p) {
            if (k == QLatin1String("auswahl"))
                p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.drawRect(2, 2, 11, 11);
            if (k == QLatin1String("gitter")) {
                p.drawLine(6, 2, 6, 13);
                p.drawLine(10, 2, 10, 13);
                p.drawLine(2, 6, 13, 6);
                p.drawLine(2, 10, 13, 10);
            }
        });
    if (k == QLatin1String("stift")) return Zeichnen([](QPainter& p) { p.drawLine(3, 13, 12, 3); });
    if (k == QLatin1String("pinsel"))
        return Zeichnen([](QPainter& p) {
            p.setPen(QPen(Qt::black, 3));
            p.drawLine(4, 12, 12, 4);
        });
    if (k == QLatin1String("raze")) return Zeichnen([](QPainter& p) { p.fillRect(3, 6, 10, 5, QColor(255, 160, 160)); p.drawRect(3, 6, 10, 5); });
    if (k == QLatin1String("fill"))
        return Zeichnen([](QPainter& p) {
            p.setBrush(Qt::gray);
            p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(8, 3), QPoint(13, 8), QPoint(8, 13)}));
        });
    if (k == QLatin1String("line")) return Zeichnen([](QPainter& p) { p.drawLine(2, 13, 13, 2); });
    if (k == QLatin1String("box")) return Zeichnen([](QPainter& p) { p.drawRect(2, 4, 11, 8); });
    if (k == QLatin1String("boxfill")) return Zeichnen([](QPainter& p) { p.setBrush(Qt::black); p.drawRect(2, 4, 11, 8); });
    if (k == QLatin1String("circle")) return Zeichnen([](QPainter& p) { p.drawEllipse(2, 3, 11, 9); });
    if (k == QLatin1String("circlefill")) return Zeichnen([](QPainter& p) { p.setBrush(Qt::black); p.drawEllipse(2, 3, 11, 9); });
    if (k == QLatin1String("hor"))
        return Zeichnen([](QPainter& p) {
            p.drawLine(8, 1, 8, 14);
            p.drawPolygon(QPolygon({QPoint(2, 8), QPoint(6, 4), QPoint(6, 12)}));
            p.drawPolygon(QPolygon({QPoint(14, 8), QPoint(10, 4), QPoint(10, 12)}));
        });
    if (k == QLatin1String("ver"))
        return Zeichnen([](QPainter& p) {
            p.drawLine(1, 8, 14, 8);
            p.drawPolygon(QPolygon({QPoint(8, 2), QPoint(4, 6), QPoint(12, 6)}));
            p.drawPolygon(QPolygon({QPoint(8, 14), QPoint(4, 10), QPoint(12, 10)}));
        });
    if (k == QLatin1String("cut"))  // scissors: two blades crossing above two grips
        return Zeichnen([](QPainter& p) {
            p.drawLine(5, 1, 9, 9);
            p.drawLine(10, 1, 6, 9);
            p.setBrush(QColor(255, 160, 160));
            p.drawEllipse(2, 9, 4, 5);
            p.drawEllipse(9, 9, 4, 5);
        });
    if (k == QLatin1String("copy"))  // two sheets, the front one written on
        return Zeichnen([](QPainter& p) {
            p.setBrush(Qt::white);
            p.drawRect(1, 1, 8, 10);
            p.drawRect(6, 4, 8, 10);
            for (int y = 7; y <= 11; y += 2)
                p.drawLine(8, y, 12, y);
        });
    if (k == QLatin1String("paste"))  // a sheet on a clipboard
        return Zeichnen([](QPainter& p) {
            p.setBrush(QColor(205, 165, 100));
            p.drawRect(1, 2, 10, 12);
            p.setBrush(Qt::gray);
            p.drawRect(4, 1, 4, 2);
            p.setBrush(Qt::white);
            p.drawRect(6, 6, 8, 9);
            for (int y = 9; y <= 13; y += 2)
                p.drawLine(8, y, 12, y);
        });
    if (k == QLatin1String("bearbeiten")) return Buchstabe(QStringLiteral("B"));
    return QIcon();
}
