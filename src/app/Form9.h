#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;

// The program-settings window "Einstellungen" (placeholder until it is built whole).
class Form9 : public QDialog {
    Q_OBJECT
public:
    // Loads the window (hidden) on first use; its load runs then.
    static Form9* Instanz();
    static bool Geladen();
    // Shows it modally; it is unloaded when it closes.
    static void Modal_Zeigen();

    QCheckBox* Check6 = nullptr;  // "&Rückfragen vor Löschaktionen"
    QLabel* Label76 = nullptr;    // the log file of read messages

private:
    Form9();
};
