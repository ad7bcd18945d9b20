#pragma once
#include <QWidget>

// The window "Grafik-Editor"; the tree shows it modeless. Its first load asks the phone model.
// Placeholder until its subsystem builds it whole: name, caption and what the tree relies on.
class Form22 : public QWidget {
    Q_OBJECT
public:
    static Form22* Instanz();  // created (and loaded) on first use
    static bool Geladen();

private:
    Form22();
};
