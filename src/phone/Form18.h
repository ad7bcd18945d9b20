#pragma once
#include <QWidget>

// The window "Datum & Uhrzeit"; the tree shows it modeless. (Its first load is to read the
// phone's clock; the placeholder does not.)
// Placeholder until its subsystem builds it whole: name, caption and what the tree relies on.
class Form18 : public QWidget {
    Q_OBJECT
public:
    static Form18* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form18();
};
