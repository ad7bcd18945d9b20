#pragma once
#include "common/Werkzeugfenster.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class Dateiliste;
class Laufwerkliste;
class Ordnerliste;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace Ui {
class Form15;
}

// The ring-tone window "Melodien": on the left the phone's ring type, volume, alert mode and
// vibration, each applied at once; on the right MIDI files to preview on the PC; below, the
// user melody's upload, download and deletion, and the phone playing its ring tone.
class Form15 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form15* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form15() override;

    QGroupBox* Frame22 = nullptr;  // "Handy-Melodien"
    QListWidget* List1 = nullptr;  // the 43 ring types
    QFrame* Frame1 = nullptr;      // alert mode and vibration (x35 phones)
    std::array<QRadioButton*, 3> Option1{};  // by the value of "AT+CALM="
    QCheckBox* Check1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label2 = nullptr;         // the volume
    QScrollBar* VScroll1 = nullptr;   // its top is volume 4: the volume is 4 minus the value
    QGroupBox* Frame21 = nullptr;     // "Midi-Dateien"
    Laufwerkliste* Drive1 = nullptr;
    Ordnerliste* Dir1 = nullptr;
    Dateiliste* File2 = nullptr;
    QPushButton* Command45 = nullptr;  // "&Abspielen"
    QPushButton* Command46 = nullptr;  // "&Stoppen"
    QFrame* Frame2 = nullptr;
    QPushButton* Command10 = nullptr;  // "S&pielen/Stoppen"
    QPushButton* Command2 = nullptr;   // "Ü&bertragen"
    QPushButton* Command1 = nullptr;   // "&Speichern"
    QPushButton* Command3 = nullptr;   // "&Löschen"

    // True while the window sets its controls from the phone's replies: their changes send nothing.
    bool WerteEinlesen = false;
    int Lautstaerke = 0;  // the volume last taken from the scroll bar
    QString MidiPfad;     // the folder of the MIDI file list

    // Reads ring type and volume, and on an x35 phone vibration and alert mode.
    void Melodieholen();
    // The preview of the selected MIDI file on the PC.
    void OpenMidi();
    void PlayMidi();
    void CloseMidi();

    // Handlers.
    void List1_Click();
    void VScroll1_Change();
    void Check1_Click();
    void Option1_Click(int index);
    void Drive1_Change();
    void Dir1_Change();
    void File2_DblClick();
    void Command2_Click();   // upload
    void Command1_Click();   // download into a file
    void Command3_Click();   // delete
    void Command10_Click();  // the phone plays
    void Command45_Click();
    void Command46_Click();

    // The scroll bar position of a volume and back.
    static int Balkenwert(int lautstaerke) { return 4 - lautstaerke; }
    static int Lautstaerke_Bei(int balkenwert) { return 4 - balkenwert; }

private:
    Form15();
    void Form_Load();
    bool Klingel_Lesen();
    // Writes one ring setting and waits for the phone; after a failure the window shows the
    // settings the phone last confirmed, and after a refusal reads them back. False when the
    // write failed.
    bool Einstellung_Schreiben(const QString& befehl);
    // The ring controls as the phone last confirmed them: read from it or written with its "OK".
    void Stand_Merken();
    void Stand_Zeigen();

    struct Klingelstand {
        int Typ = -1;  // no row selected
        int Balken = 0;
        QString Lautstaerke;
        bool Vibration = false;
        int Alarm = -1;  // no option selected
    };
    Klingelstand m_bestaetigt;
    std::unique_ptr<Ui::Form15> ui;
};
