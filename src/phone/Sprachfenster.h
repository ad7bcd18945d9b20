#pragma once
#include "common/Werkzeugfenster.h"
#include "phone/Sprachen.h"

#include <QVector>
#include <QWidget>

class Bildfeld;
class QFrame;
class QRadioButton;

// What the two display-language windows Form16 (model "25") and Form25 (model "35") share:
// one option per language and "&Automatisch", a picture per language, Sprache_Lesen, and the
// placement keys "SprachenX" and "SprachenY" of both. A choice is sent to the phone at once,
// but only once the phone's language has been read.
class Sprachfenster : public Werkzeugfenster {
    Q_OBJECT
public:
    // Asks the phone for its language and selects the matching option.
    void Sprache_Lesen();

    void Option1_Click(int index);
    void Option2_Click();
    void Image1_Click(int index);

    // The code the selected option sends, -1 when none is selected.
    int Gewaehlter_Code() const;

    QVector<QRadioButton*> Option1;  // by option index; nullptr where the family has no option
    QRadioButton* Option2 = nullptr;
    QVector<Bildfeld*> Image1;       // by picture index; nullptr where there is none
    QFrame* Line1 = nullptr;

    // While set, choosing an option sends nothing: from the load until a read succeeds.
    bool KlicksSperren = true;

protected:
    explicit Sprachfenster(const Module1::Sprachtabelle& tabelle);
    // Takes the controls made by the window's form ("Option1_0", "Image1_0" ...), draws the
    // pictures, connects the clicks and places the window.
    void Steuerelemente_Uebernehmen();

private:
    void Aendern(int option);
    // Selects an option (Module1::Automatisch for Option2) without sending; -2 selects none.
    void Auswaehlen(int option);
    QRadioButton* Knopf(int option) const;

    const Module1::Sprachtabelle& m_tabelle;
    int m_bestaetigt = -2;  // the option the phone is known to show; -2: not known
};
