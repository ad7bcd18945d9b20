#pragma once
#include <QWidget>

class QListWidget;
class QTextEdit;

// The short-message composing window "Neue SMS-Nachricht". Created on first touch;
// the phone-book window fills its recipient list, shows it and gives Text6 the focus.
// Placeholder until subsystem 3 builds it whole.
class Form6 : public QWidget {
    Q_OBJECT
public:
    static Form6* Instanz();  // created (and loaded) on first use
    static bool Geladen();

    QListWidget* List3 = nullptr;  // the recipients, one number each, in the order added
    QTextEdit* Text6 = nullptr;    // the message text

private:
    Form6();
};
