#include "phonebook/Listensortierung.h"

#include "phonebook/TBuchLesen.h"

#include <QTreeWidget>

namespace Module1 {

namespace {
const char* const ZahlspalteEigenschaft = "Zahlspalte";
}

int Sortierspalte(const QString& kopf, bool lokal)
{
    static const char* const koepfe[] = {"Ort", "Index", "Name", "Rufnummer", "Rot", "VIP"};
    static const int telefon[] = {0, 1, 2, 3, 4, 4};
    static const int lokalSpalten[] = {0, -1, 1, 2, 3, 3};
    for (int i = 0; i < 6; ++i)
        if (kopf == QLatin1String(koepfe[i]))
            return lokal ? lokalSpalten[i] : telefon[i];
    return -1;
}

Sortierung Sortierung_Nach_Klick(Sortierung s, const QString& kopf, bool lokal)
{
    const int spalte = Sortierspalte(kopf, lokal);
    if (spalte < 0)
        return s;
    if (s.Spalte == spalte)
        s.Richtung = s.Richtung == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        s.Spalte = spalte;
    return s;
}

void Zahlspalte_Setzen(QTreeWidget* liste, int spalte) { liste->setProperty(ZahlspalteEigenschaft, spalte); }

bool Ist_Zahlspalte(const QTreeWidget* liste, int spalte)
{
    if (!liste)
        return false;
    const QVariant v = liste->property(ZahlspalteEigenschaft);
    return v.isValid() && v.toInt() == spalte;
}

bool Zeile_Kleiner(const QTreeWidgetItem& a, const QTreeWidgetItem& b, int spalte, bool zahl)
{
    if (zahl)
        return Zahl_Wert(a.text(spalte)) < Zahl_Wert(b.text(spalte));
    return QString::localeAwareCompare(a.text(spalte).toLower(), b.text(spalte).toLower()) < 0;
}

void Einsortieren(QTreeWidget* liste, QTreeWidgetItem* zeile, Sortierung s)
{
    const bool zahl = Ist_Zahlspalte(liste, s.Spalte);
    int unten = 0;
    int oben = liste->topLevelItemCount();
    while (unten < oben) {
        const int mitte = (unten + oben) / 2;
        const QTreeWidgetItem* m = liste->topLevelItem(mitte);
        const bool davor = s.Richtung == Qt::AscendingOrder ? Zeile_Kleiner(*zeile, *m, s.Spalte, zahl)
                                                            : Zeile_Kleiner(*m, *zeile, s.Spalte, zahl);
        if (davor)
            oben = mitte;
        else
            unten = mitte + 1;
    }
    liste->insertTopLevelItem(unten, zeile);
}

bool Listenzeile::operator<(const QTreeWidgetItem& andere) const
{
    const QTreeWidget* liste = treeWidget();
    const int spalte = liste ? liste->sortColumn() : 0;
    return Zeile_Kleiner(*this, andere, spalte, Ist_Zahlspalte(liste, spalte));
}

}  // namespace Module1
