#include "organizer/Form3Layout.h"

namespace Form3Layout {

namespace {

void Bereich_Setzen(Masse& m, double hoehe, bool lokal)
{
    m.Lokal = lokal;
    if (!lokal) {
        m.Kal1Hoehe = hoehe - (Kal1Oben + 220) - 520;
        return;
    }
    m.Kal1Hoehe = (hoehe - (Kal1Oben + 520)) / 2 - 500;
    m.Kal2Hoehe = m.Kal1Hoehe;
    m.Toolbar2Oben = Toolbar1Hoehe + m.Kal1Hoehe + 520;
    m.Kal2Oben = m.Kal1Hoehe + 2 * Toolbar1Hoehe + 520;
}

}  // namespace

Masse Berechnen(double breite, double hoehe, bool lokal)
{
    Masse m;
    m.Kal1Breite = breite - (ListenLinks + 220);
    m.Kal2Breite = breite - (ListenLinks + 220);
    Bereich_Setzen(m, hoehe, lokal);
    const double spalten1[7] = {1200, 585, 1100, 700, m.Kal1Breite - 5335, 700, 700};
    const double spalten2[6] = {1200, 1100, 700, m.Kal1Breite - 4750, 700, 700};
    for (int i = 0; i < 7; ++i)
        m.Spalten1[i] = spalten1[i];
    for (int i = 0; i < 6; ++i)
        m.Spalten2[i] = spalten2[i];
    return m;
}

Masse Umschalten(double breite, double hoehe, bool lokal)
{
    Masse m = Berechnen(breite, hoehe, lokal);
    if (lokal)
        m.Kal2Hoehe = m.Kal1Hoehe - 520;
    return m;
}

}  // namespace Form3Layout
