#pragma once
#include "common/Werkzeugfenster.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;

namespace Ui {
class Form12;
}

// The window "Allgemeine Informationen": ten identity and status values of the phone, each
// with its own read button, the battery and signal pictures, and the report file. The tree
// shows it modeless and then calls ALLELESEN.
class Form12 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form12* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form12() override;

    // Reads the ten values in order, each anew; a refused one stays empty, and a read whose
    // command failed otherwise (time-out, busy link) ends the run.
    void ALLELESEN();

    void Command19_Click();  // IMEI
    void Command20_Click();  // IMSI
    void Command34_Click();  // maker
    void Command35_Click();  // model
    void Command36_Click();  // revision
    void Command37_Click();  // battery charge
    void Command38_Click();  // power source
    void Command39_Click();  // signal
    void Command40_Click();  // operator
    void Command41_Click();  // cell
    void Command42_Click();  // "Alle Aktualisisern"
    void Command58_Click();  // "&Daten speichern"

    // The values ("Label11_0" ...), the read buttons in value order, the pictures.
    QLabel* Label11[10] = {};
    QPushButton* Command19 = nullptr;
    QPushButton* Command20 = nullptr;
    QPushButton* Command34 = nullptr;
    QPushButton* Command35 = nullptr;
    QPushButton* Command36 = nullptr;
    QPushButton* Command37 = nullptr;
    QPushButton* Command38 = nullptr;
    QPushButton* Command39 = nullptr;
    QPushButton* Command40 = nullptr;
    QPushButton* Command41 = nullptr;
    QPushButton* Lesen[10] = {};  // the read buttons above in value order
    QPushButton* Command42 = nullptr;
    QPushButton* Command58 = nullptr;
    QLabel* Image3[5] = {};  // battery, one over the other
    QLabel* Image2[6] = {};  // signal, one over the other

    bool Abbruch = false;  // a read's command failed; ALLELESEN stops on it

private:
    Form12();
    void Wert_Lesen(int index);

    std::unique_ptr<Ui::Form12> ui;
};
