#pragma once
#include <QWidget>

// The window "Sperren"; the tree shows it modeless.
// Placeholder until its subsystem builds it whole: name, caption and what the tree relies on.
class Form19 : public QWidget {
    Q_OBJECT
public:
    static Form19* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form19();
};
