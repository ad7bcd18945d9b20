#pragma once
#include <QWidget>

// The window "SMS-Nachrichten lesen"; the tree shows it modeless. (Its first load is to
// restore its placement and read the message storage and list; the placeholder does not.)
// Placeholder until its subsystem builds it whole: name, caption and what the tree relies on.
class Form5 : public QWidget {
    Q_OBJECT
public:
    static Form5* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form5();
};
