#pragma once
#include <QWidget>

// The window "Allgemeine Informationen"; the tree shows it modeless and then calls
// ALLELESEN. Placeholder until subsystem 5 builds it whole.
class Form12 : public QWidget {
    Q_OBJECT
public:
    static Form12* Instanz();  // created (and loaded) on first use
    static bool Geladen();

    // Reads all general phone information into the window: IMEI, IMSI, maker, model, revision,
    // battery, power source, signal, operator, cell, in this order; a failing read sets the abort
    // flag and the rest is skipped; the flag is cleared at the start and at the end.
    void ALLELESEN();

    bool Abbruch = false;
    int ALLELESEN_Aufrufe = 0;  // placeholder only: the calls so far (the tree's tests read it)

private:
    Form12();
    void Feld_Lesen(const QString& feld);
};
