#pragma once
#include "common/Werkzeugfenster.h"

#include <QDateTime>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;
class QToolBar;

namespace Ui {
class Form6;
}

// The composing window "Neue SMS-Nachricht": text, recipients, options, validity period and
// service centre; it sends the text to every recipient or stores it in the phone. Created and
// loaded on first touch; the phone-book and reading windows fill List3 and Text6 and show it.
class Form6 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form6* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form6() override;

    // Before numbers are handed over from a list: asks whether the recipients so far go
    // ("Ja" empties the list).
    void Empfaenger_Vorher_Leeren();
    // Brings the window to the front with the text box focused, after a hand-over.
    void Zum_Schreiben_Zeigen();

    static constexpr int Hoechstlaenge = 159;  // the longest text, in septets

    // The controls of Form6.ui, by their names.
    QFrame* Frame2 = nullptr;       // holds everything, kept centred
    QGroupBox* Frame1 = nullptr;    // its title is the counter
    QTextEdit* Text6 = nullptr;     // the message text
    QToolBar* Toolbar3 = nullptr;   // "open", "pic", "preview"
    QGroupBox* Frame19 = nullptr;   // "Empfänger"
    QLineEdit* Text8 = nullptr;     // a number to add
    QPushButton* Command30 = nullptr;  // "+"
    QListWidget* List3 = nullptr;   // the recipients, one number each, in the order added
    QToolBar* Toolbar2 = nullptr;   // "kill", "kill2"
    QToolBar* Toolbar5 = nullptr;   // "load"
    QGroupBox* Frame13 = nullptr;   // "SMS-Optionen:"
    QLabel* Label2 = nullptr;
    QComboBox* Combo2 = nullptr;    // service centres
    QPushButton* Command52 = nullptr;  // "&Auslesen"
    QPushButton* Command51 = nullptr;  // "Set&zen"
    QPushButton* Command53 = nullptr;  // "..."
    QLabel* Label1 = nullptr;
    QComboBox* Combo3 = nullptr;    // validity period
    QToolBar* Toolbar1 = nullptr;   // "normal", "direkt", "report", "log"
    QLabel* Label14 = nullptr;
    QPushButton* Command49 = nullptr;  // "&fertige Texte"
    QPushButton* Command55 = nullptr;  // "im &Handy speichern"
    QPushButton* Command26 = nullptr;  // "&Versenden"
    QPushButton* Command23 = nullptr;  // "Logfile zeige&n"

    // A toolbar's button by its key; nullptr when none.
    static QAction* Knopf(const QToolBar* leiste, const QString& schluessel);

    // Public procedures.
    void SMS_VERSENDEN();
    void SMS_SPEICHERN();
    void SMSCENTERSCHREIBEN();
    void Vorschau_Zeigen();

    // Handlers, callable without a shown window.
    void Command30_Click();
    void Toolbar1_ButtonClick();
    void Toolbar2_ButtonClick(const QString& schluessel);
    void Toolbar3_ButtonClick(const QString& schluessel);
    void Toolbar5_ButtonClick();
    void Combo2_Click();
    void Command51_Click();
    void Command52_Click();
    void Command53_Click();
    void Command49_Click();
    void Command23_Click();

    // Replaces the service-centre entries and selects the first; nothing goes to the phone.
    void Combo2_Fuellen(const QStringList& nummern);

    // While true, the next selection action of Combo2 only clears it.
    bool KlickUnterdruecken = false;

    // The time written into the send log.
    static std::function<QDateTime()> Uhr;
    // Starts the text editor with the file; by default the desktop's program for it.
    static std::function<bool(const QString& datei)> Editor_Starten;
    static QString SendeLog_Datei();

private:
    Form6();
    void Leisten_Aufbauen();
    void Form_Load();
    void Form_Resize() override;
    void Text6_Change();
    bool Knopf_Gedrueckt(const char* schluessel) const;
    // Selects an entry as the program does: the selection action runs when it changed.
    void Combo2_Waehlen(int index);
    // "AT+CSCA=<number>,145" (129 without "+"; the number last read from the phone with the type
    // the phone gave it); a message instead when there is no usable number.
    bool Zentrale_Setzen(int index);  // true once the phone took it
    void Zentrale_Zeigen();           // selects the centre the phone holds, none if not known
    // Checks Text8 and adds it to the list; false (after the message) when it is refused.
    bool Empfaenger_Uebernehmen();
    // Every listed number must be one the phone can take; false after the message otherwise.
    bool Empfaengerliste_Pruefen();

    std::unique_ptr<Ui::Form6> ui;
    int m_aenderungEnde = -1;  // where the last edit of Text6 ended, for the length limit
    QString m_handyZentrale;  // the service centre last read from the phone or taken by it
    QString m_handyTyp;       // and its type as the phone reported it
};
