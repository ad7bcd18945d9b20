#include "phonebook/Form1Layout.h"

#include <algorithm>

namespace Form1Layout {

Masse Berechnen(double breite, double hoehe, bool maximiert, bool geteilt)
{
    Masse m;
    m.Breite = maximiert ? breite : std::max(breite, MindestBreite);
    m.Hoehe = maximiert ? hoehe : std::max(hoehe, MindestHoehe);
    m.TBuch1Breite = m.Breite - (TBuchLinks + 220);
    m.TBuch2Breite = m.Breite - (TBuchLinks + 220);
    m.Geteilt = geteilt;
    if (geteilt) {
        m.TBuch1Hoehe = (m.Hoehe - (TBuch1Oben + 520)) / 2;
        m.TBuch2Hoehe = m.TBuch1Hoehe - 520;
        m.Frame3Oben = m.TBuch1Hoehe + LeisteHoehe;
        m.Label2_0Oben = m.TBuch1Hoehe + LeisteHoehe + 120;
        m.TBuch2Oben = m.TBuch1Hoehe + LeisteHoehe + LeisteHoehe;
    } else {
        m.TBuch1Hoehe = m.Hoehe - (TBuch1Oben + 520);
        m.TBuch2Hoehe = m.TBuch1Hoehe - 520;
    }
    const double mitte1 = (m.TBuch1Breite - 1745) / 2;
    const double mitte2 = (m.TBuch2Breite - 1170) / 2;
    const double spalten1[5] = {400, 585, mitte1, mitte1, 450};
    const double spalten2[4] = {400, mitte2, mitte2, 450};
    std::copy(spalten1, spalten1 + 5, m.Spalten1);
    std::copy(spalten2, spalten2 + 4, m.Spalten2);
    return m;
}

}  // namespace Form1Layout
