#pragma once
#include <QPointer>

// The one instance of a window that is created on first use, null while it is not loaded.
template <class Fenster>
QPointer<Fenster>& Einzelfenster()
{
    static QPointer<Fenster> fenster;
    return fenster;
}

// Creates and loads the window on first use. It is known before its load runs: the load may
// yield, and a second click must find this one.
template <class Fenster>
Fenster* Einzelfenster_Holen(Fenster* (*erzeugen)(), void (Fenster::*laden)() = nullptr)
{
    QPointer<Fenster>& fenster = Einzelfenster<Fenster>();
    if (!fenster) {
        fenster = erzeugen();
        if (laden)
            (fenster->*laden)();
    }
    return fenster;
}
