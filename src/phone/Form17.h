#pragma once
#include <QWidget>

// The window "Netze"; the tree shows it modeless.
// Placeholder until its subsystem builds it whole: name, caption and what the tree relies on.
class Form17 : public QWidget {
    Q_OBJECT
public:
    static Form17* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form17();
};
