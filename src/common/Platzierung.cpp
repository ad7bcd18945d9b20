#include "common/Platzierung.h"

#include "common/Einstellungen.h"

#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace Platzierung {
namespace {

const QString Windows = QStringLiteral("Windows");

int Lesen(const Schluessel& s, const char* endung, int vorgabe)
{
    return Einstellungen::Zahl_Lesen(Windows, s.Praefix + QLatin1String(endung), vorgabe);
}

void Schreiben(const Schluessel& s, const char* endung, int wert)
{
    Einstellungen::Speichern(Windows, s.Praefix + QLatin1String(endung), QString::number(wert));
}

}  // namespace

QWidget* Rahmen(QWidget* fenster)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(fenster->parentWidget()))
        return sub;
    return fenster;
}

void Laden(QWidget* fenster, const Schluessel& s)
{
    QWidget* r = Rahmen(fenster);
    r->move(Pixel(Lesen(s, "X", s.X)), Pixel(Lesen(s, "Y", s.Y)));
    if (s.W >= 0 && s.H >= 0) {
        r->resize(Pixel(Lesen(s, "W", s.W)), Pixel(Lesen(s, "H", s.H)));
        // The size is the frame's, title bar included, whether the frame exists yet or not.
        fenster->setProperty(Rahmengroesse, true);
    }
}

int Zustand_Lesen(const Schluessel& s)
{
    const int z = Lesen(s, "WS", 0);
    return (z >= 0 && z <= 2) ? z : 0;
}

void Zustand_Anwenden(QWidget* fenster, const Schluessel& s)
{
    switch (Zustand_Lesen(s)) {
    case 1: Rahmen(fenster)->showMinimized(); break;
    case 2: Rahmen(fenster)->showMaximized(); break;
    default: break;
    }
}

void Speichern(QWidget* fenster, const Schluessel& s)
{
    QWidget* r = Rahmen(fenster);
    const bool maximiert = r->isMaximized();
    if (s.Zustand)
        Schreiben(s, "WS", maximiert ? 2 : r->isMinimized() ? 1 : 0);
    if (maximiert)
        return;
    const QRect g = r->isMinimized() && r->isWindow() ? r->normalGeometry() : QRect(r->pos(), r->size());
    Schreiben(s, "X", Twips(g.x()));
    Schreiben(s, "Y", Twips(g.y()));
    if (s.W >= 0 && s.H >= 0) {
        Schreiben(s, "W", Twips(g.width()));
        Schreiben(s, "H", Twips(g.height()));
    }
}

void Zentrieren(QWidget* fenster, const QWidget* ueber)
{
    const QScreen* schirm = (ueber ? ueber : fenster)->screen();
    const QRect frei = schirm ? schirm->availableGeometry() : QRect();
    QSize groesse = fenster->frameGeometry().size();
    // A window not shown yet has no frame: it gets one like that of the window it opens over.
    if (ueber && groesse == fenster->size())
        groesse += ueber->window()->frameGeometry().size() - ueber->window()->size();
    QRect ziel(QPoint(), groesse);
    ziel.moveCenter(ueber ? ueber->frameGeometry().center() : frei.center());
    if (frei.isValid()) {
        // The top left corner wins over the bottom right one: the title bar stays reachable.
        ziel.moveLeft(std::max(frei.left(), std::min(ziel.left(), frei.right() + 1 - ziel.width())));
        ziel.moveTop(std::max(frei.top(), std::min(ziel.top(), frei.bottom() + 1 - ziel.height())));
    }
    fenster->move(ziel.topLeft());  // a window's position is its frame's
}

}  // namespace Platzierung
