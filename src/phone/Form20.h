#pragma once
#include "common/Werkzeugfenster.h"

#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class Form20;
}

// The window "Rufumleitungen": one row per diversion reason (on/off, target number, read and
// write buttons), the call class of every command, the no-reply delay, and both actions for all
// four reasons.
class Form20 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form20* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form20() override;

    void Command6_Click(int index);  // "Auslesen": query reason index
    void Command9_Click(int index);  // "Schreiben": set or erase reason index; after a failure it is read back
    void Command43_Click();          // "&Alle auslesen"
    void Command44_Click();          // "Alle &Schreiben"; the rows it did not write are read back

    // The arrays are indexed as designed: three times the reason for the boxes.
    QCheckBox* Check2[10] = {};  // 0, 3, 6, 9
    QLineEdit* Text7[10] = {};   // 0, 3, 6, 9
    QPushButton* Command6[4] = {};
    QPushButton* Command9[4] = {};
    QPushButton* Command43 = nullptr;
    QPushButton* Command44 = nullptr;
    QComboBox* Combo4 = nullptr;     // call class
    QComboBox* Combo1[7] = {};       // 6: the no-reply delay
    QLabel* Label48 = nullptr;
    QLabel* Label49 = nullptr;

    bool Abbruch = false;  // a command failed; the all-reasons actions stop on it

private:
    // Runs the action for the four reasons in turn; stops at a failure or when the window goes.
    // Returns the reason it stopped at, 4 when all were done, -1 when the window went.
    int Alle_Zeilen(const std::function<void(int)>& aktion);
    // Query of one reason; false when a phone command failed.
    bool Abfragen(int index);
    // Write of one reason: written, stopped by the number check (nothing sent), or failed.
    enum class Schreibausgang { Geschrieben, Gestoppt, Fehler };
    Schreibausgang Schreiben(int index);
    // After a failed write: these reasons show what the phone holds.
    void Nachlesen(const QVector<int>& zeilen);
    Form20();
    QString Klasse_Text() const;
    int Klasse_Code() const;

    std::unique_ptr<Ui::Form20> ui;
};
