#include "phonebook/Kopieren.h"

#include "common/Dialoge.h"
#include "common/Zeichen.h"
#include "link/Module1.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Eintraege.h"

namespace Module1 {

QString ZielAuswahl;

namespace {

const QString Voll = QStringLiteral("Das gewählte Telefonbuch ist voll! Kopieren abgebrochen.");

void Kritisch(const QString& text) { MsgBox(text, Dialoge::Symbol::Kritisch); }

// Local row `zeile` into the book at `index`; the name cut to the book's length and the mark
// travelling in it, as the entry dialog hands them over. An index found taken on the phone is
// passed by for the next free one. False when no free index was left (and said so).
bool Zeile_Schreiben(const Listenzeilen& lokal, int zeile, int index, int buch)
{
    const QString merker = lokal.Zelle(zeile, 3);
    const bool markiert = merker == QLatin1String("!");
    QString name = Text_Kuerzen(lokal.Zelle(zeile, 1), Namensgrenze(buch, markiert));
    if (markiert)
        name += QLatin1Char('!');
    bool platz = true;
    Eintrag_Schreiben_Neu(QString::number(index), name, lokal.Zelle(zeile, 2), QString::number(buch), merker,
                          [&](int& naechster) {
                              naechster = Kopier_Index(buch);
                              platz = naechster != 0;
                              return platz;
                          });
    if (!platz)
        Kritisch(Voll);
    return platz;
}

void Markierte_Kopieren(Listenzeilen& lokal)
{
    constexpr int buch = 1;
    const int frei = TBuchGesamt[buch] - TBuchBelegt[buch];
    if (frei <= 0) {
        Kritisch(Voll);
        return;
    }
    const int zeilen = lokal.Zeilen();
    int gewaehlt = 0;
    for (int i = 1; i <= zeilen; ++i)
        if (lokal.Gewaehlt(i))
            ++gewaehlt;
    if (gewaehlt > frei) {
        Kritisch(QStringLiteral("Es sind nicht genuegend freie Plätze im gewählten Telefonbuch vorhanden! "
                                "Bitte markieren Sie weniger Einträge! Kopieren abgebrochen."));
        return;
    }
    // A refused write goes on with the next row at the same index; one that timed out leaves
    // its index to the phone and ends the copy.
    Listenzeilen* telefon = Fenster().Liste;
    for (int i = 1; i <= zeilen && i <= lokal.Zeilen(); ++i) {
        if (!lokal.Gewaehlt(i))
            continue;
        // The count can disagree with the indexes the cache holds.
        const int index = Kopier_Index(buch);
        if (index == 0) {
            Kritisch(Voll);
            return;
        }
        if (!Zeile_Schreiben(lokal, i, index, buch))
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
    if (buch == 1) {
        Markierte_Kopieren(lokal);
        return;
    }
    const int index = Kopier_Index(buch);
    if (index == 0) {
        Kritisch(Voll);
        return;
    }
    if (const int zeile = lokal.Gewaehlte_Zeile())
        Zeile_Schreiben(lokal, zeile, index, buch);
}

}  // namespace Module1
