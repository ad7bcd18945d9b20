#include "common/Listenstand.h"

#include "common/Dialoge.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTreeWidget>
#include <algorithm>

namespace {

// Every cell's text, row by row, in a fixed order.
QList<QStringList> Zeilen(const QTreeWidget* liste)
{
    QList<QStringList> zeilen;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* z = liste->topLevelItem(i);
        QStringList zellen;
        for (int spalte = 0; spalte < liste->columnCount(); ++spalte)
            zellen << z->text(spalte);
        zeilen << zellen;
    }
    std::sort(zeilen.begin(), zeilen.end());
    return zeilen;
}

// The question names no list: the window that holds it comes to the front before it is asked.
void Fenster_Vorholen(QWidget* liste)
{
    QWidget* w = liste->parentWidget();
    while (w && !qobject_cast<QMdiSubWindow*>(w))
        w = w->parentWidget();
    auto* rahmen = qobject_cast<QMdiSubWindow*>(w);
    if (!rahmen) {
        liste->window()->raise();
        return;
    }
    if (rahmen->isMinimized())
        rahmen->showNormal();
    rahmen->raise();
    if (QMdiArea* bereich = rahmen->mdiArea())
        bereich->setActiveSubWindow(rahmen);
}

}  // namespace

void Listenstand::Merken(const QTreeWidget* liste) { m_zeilen = Zeilen(liste); }

bool Listenstand::Geaendert(const QTreeWidget* liste) const
{
    return Zeilen(liste) != m_zeilen;
}

bool Listenstand::Verwerfen_Erlaubt(QTreeWidget* liste, const std::function<bool()>& sichern) const
{
    if (!Geaendert(liste))
        return true;
    Fenster_Vorholen(liste);
    switch (MsgBox(QStringLiteral("Die lokale Liste wurde geändert. Möchten Sie die Änderungen speichern?"),
                   Dialoge::Symbol::Frage, Dialoge::Tasten::JaNeinAbbrechen, Dialoge::Antwort::Ja)) {
    case Dialoge::Antwort::Ja: return sichern();
    case Dialoge::Antwort::Nein: return true;
    default: return false;
    }
}
