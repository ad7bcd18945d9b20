#include "phonebook/Kopieren.h"

#include "common/Dialoge.h"
#include "common/Zeichen.h"
#include "link/Module1.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Eintraege.h"

#include <vector>

namespace Module1 {

QString ZielAuswahl;

namespace {

const QString Voll = QStringLiteral("Das gewählte Telefonbuch ist voll! Kopieren abgebrochen.");

void Kritisch(const QString& text) { MsgBox(text, Dialoge::Symbol::Kritisch); }

// Local row `zeile` into the book at `index`; the name cut to the book's length and the mark
// travelling in it, as the entry dialog hands them over. An index found taken on the phone is
// passed by for the next free one. False when the copy stops: no free index was left, or one
// could not be read (each said so).
bool Zeile_Schreiben(const Listenzeilen& lokal, int zeile, int index, int buch)
{
    const QString merker = lokal.Zelle(zeile, 3);
    const bool markiert = merker == QLatin1String("!");
    QString name = Text_Kuerzen(lokal.Zelle(zeile, 1), Namensgrenze(buch, markiert));
    if (markiert)
        name += QLatin1Char('!');
    bool platz = true;
    const Schreibausgang ausgang =
        Eintrag_Schreiben_Neu(QString::number(index), name, lokal.Zelle(zeile, 2), QString::number(buch), merker,
                              [&](int& naechster) {
                                  naechster = Kopier_Index(buch);
                                  platz = naechster != 0;
                                  return platz;
                              });
    if (!platz)
        Kritisch(Voll);
    return platz && ausgang != Schreibausgang::Abbruch;
}

// The rows into the book, each at its lowest free index. A refused write goes on with the next
// row at the same index; one that timed out leaves its index to the phone and ends the copy.
void Zeilen_Kopieren(const Listenzeilen& lokal, const std::vector<int>& zeilen, int buch)
{
    if (zeilen.empty())
        return;
    if (buch == 1) {
        const int frei = TBuchGesamt[buch] - TBuchBelegt[buch];
        if (frei <= 0) {
            Kritisch(Voll);
            return;
        }
        if (static_cast<int>(zeilen.size()) > frei) {
            Kritisch(QStringLiteral("Es sind nicht genuegend freie Plätze im gewählten Telefonbuch vorhanden! "
                                    "Bitte markieren Sie weniger Einträge! Kopieren abgebrochen."));
            return;
        }
    }
    Listenzeilen* telefon = Fenster().Liste;
    for (const int zeile : zeilen) {
        // The count can disagree with the indexes the cache holds.
        const int index = Kopier_Index(buch);
        if (index == 0) {
            Kritisch(Voll);
            return;
        }
        if (!Zeile_Schreiben(lokal, zeile, index, buch))
            return;
        // The window, and the local list with it, may have gone while the phone was asked.
        if (Fenster().Liste != telefon || Ausser_Takt())
            return;
    }
}

}  // namespace

int Ziel_Buch(const QString& auswahl)
{
    static const char* const antworten[] = {" 0", " 1", " 2", " 3"};
    for (int b = 1; b <= 4; ++b)
        if (auswahl == QLatin1String(antworten[b - 1]))
            return b;
    return 0;
}

int Ziel_Aus_Knoepfen(const std::array<bool, 4>& gedrueckt)
{
    int ziel = 0;
    for (int b = 1; b <= 4; ++b) {
        if (!gedrueckt[b - 1])
            continue;
        if (ziel != 0)
            return 0;
        ziel = b;
    }
    return ziel;
}

int Kopier_Index(int buch)
{
    // An entry beyond the cache's places is remembered by its index, so only the phone's room counts.
    if (buch < 1 || buch > 4)
        return 0;
    return Index_Frei(buch);
}

void Lokal_Kopieren(Listenzeilen& lokal, int buch)
{
    if (buch < 1 || buch > 4)
        return;
    // Its free indexes are unknown: the lowest one the cache shows may be taken on the phone.
    if (!TBuchVollstaendig[buch]) {
        Kritisch(QStringLiteral("Das Telefonbuch wurde nicht vollständig eingelesen! Kopieren abgebrochen."));
        return;
    }
    // The SIM takes every selected row, the other books the selected one.
    std::vector<int> gewaehlt;
    if (buch == 1) {
        for (int i = 1; i <= lokal.Zeilen(); ++i)
            if (lokal.Gewaehlt(i))
                gewaehlt.push_back(i);
    } else if (const int zeile = lokal.Gewaehlte_Zeile()) {
        gewaehlt.push_back(zeile);
    }
    // A name goes to the phone only as the phone will give it back; the others are named once.
    std::vector<int> zeilen;
    QStringList ausgelassen;
    for (const int zeile : gewaehlt) {
        const QString name = lokal.Zelle(zeile, 1);
        if (Name_Sendbar(name) && Name_Umkehrbar(name))
            zeilen.push_back(zeile);
        else
            ausgelassen << name;
    }
    Zeilen_Kopieren(lokal, zeilen, buch);
    if (!ausgelassen.isEmpty())
        Kritisch(QStringLiteral("Ungültiges Zeichen im Namen! Bitte ändern.\r\n") +
                 ausgelassen.join(QStringLiteral("\r\n")));
}

}  // namespace Module1
