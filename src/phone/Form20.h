#pragma once
#include <QWidget>

// The window "Rufumleitungen"; the tree shows it modeless.
// Placeholder until its subsystem builds it whole: name, caption and what the tree relies on.
class Form20 : public QWidget {
    Q_OBJECT
public:
    static Form20* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form20();
};
