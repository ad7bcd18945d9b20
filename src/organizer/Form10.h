#pragma once
#include "organizer/Termin.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class QCalendarWidget;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace Ui {
class Form10;
}

// The modal appointment dialog "Neuer Termin". Its only product is "vcsnew.pvp" in the program
// folder, written on "&OK"; "Abbrechen" writes nothing and sets DialogModus to "cancel". It does
// not talk to the phone beyond asking the model when it loads.
class Form10 : public QDialog {
    Q_OBJECT
public:
    // The load: the model ("25" has no monthly repetition), today, the time now.
    explicit Form10(QWidget* parent = nullptr);
    ~Form10() override;

    // Loads the dialog, fills it from the row when one is given (caption "Eintrag bearbeiten")
    // and shows it modally; it is gone when this returns.
    static void Modal_Zeigen(const Module1::TerminZeile* vorlage, const QStringList& objekt = {});
    // When set, runs with the loaded and filled dialog in place of showing it (tests).
    static std::function<void(Form10&)> Bedienung;

    // What an editing caller sets: date, time, alarm, repetition, type, text and caption. A
    // repetition no button expresses checks none and stays as it is. From then on "&OK" writes
    // nothing while nothing changed; with the lines of the phone's object, it changes only the
    // lines of what changed.
    void Fuellen(const Module1::TerminZeile& zeile, const QStringList& objekt = {});
    // The description as a caller sets it: whole, whatever the limit.
    void Text_Setzen(const QString& text);

    // A type chosen: the text box takes 20 characters for a call, 16 for the others; text
    // already there stays whole.
    void Option1_Click(int index);
    void Command1_Click();  // "&OK"
    void Command2_Click();  // "Abbrechen"

    // The number of characters typing may reach.
    int Textgrenze() const { return m_grenze; }
    int Typ() const;           // index of the selected Option1
    int Wiederholung() const;  // index of the selected Option2; -1 for the row's own rule
    // The object the controls stand for.
    Module1::TerminObjekt Objekt() const;

    QRadioButton* Option1[4] = {};
    QRadioButton* Option2[5] = {};
    QCalendarWidget* MonthView1 = nullptr;
    QTimeEdit* DT1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    class Laengengrenze;
    std::unique_ptr<Ui::Form10> ui;
    Laengengrenze* m_laengengrenze = nullptr;
    int m_grenze = 20;
    QString m_eigeneRegel;                         // a rule of no button, kept
    std::optional<Module1::TerminObjekt> m_vorher;  // as filled by an editing caller
    QStringList m_objekt;                          // the phone's object lines
};
