#pragma once
#include <QWidget>

// The phone-book window "Telefonbücher" (placeholder until it is built whole).
class Form1 : public QWidget {
    Q_OBJECT
public:
    static Form1* Instanz();  // created on first use
    static bool Geladen();

    // Loads the given phone-book file into the local list.
    void LOKALLADEN2(const QString& datei);

private:
    Form1();
};
