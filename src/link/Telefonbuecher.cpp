#include "link/Telefonbuecher.h"

namespace Module1 {

QString TBuchNamen[TBuchAnzahl + 1];
QString TBuchDaten[TBuchAnzahl + 1][TBuchPlaetze + 1][TBuchFelder + 1];
int TBuchGesamt[TBuchAnzahl + 1];
int TBuchBelegt[TBuchAnzahl + 1];
double TBuchNummerLaenge[TBuchAnzahl + 1];
int TBuchTextLaenge[TBuchAnzahl + 1];
bool TBuchVollstaendig[TBuchAnzahl + 1];

QString Speicher_Kennung(int buch)
{
    static const char* const kennungen[] = {"", "SM", "ME", "FD", "ON", "LD", "MC"};
    return (buch >= 1 && buch <= TBuchAnzahl) ? QString::fromLatin1(kennungen[buch]) : QString();
}

bool TBuch_Geladen(int buch) { return buch >= 1 && buch <= TBuchAnzahl && !TBuchDaten[buch][1][1].isEmpty(); }

void TBuch_Leeren(int buch)
{
    if (buch < 1 || buch > TBuchAnzahl)
        return;
    for (int slot = 1; slot <= TBuchPlaetze; ++slot)
        for (int feld = 1; feld <= TBuchFelder; ++feld)
            TBuchDaten[buch][slot][feld].clear();
    TBuchVollstaendig[buch] = false;
}

}  // namespace Module1
