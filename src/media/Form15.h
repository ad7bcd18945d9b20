#pragma once
#include <QWidget>

// The window "Melodien"; the tree shows it modeless. Its first load asks the phone model
// (and is to read the ring-tone settings; the placeholder does not).
// Placeholder until its subsystem builds it whole: name, caption and what the tree relies on.
class Form15 : public QWidget {
    Q_OBJECT
public:
    static Form15* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form15();
};
