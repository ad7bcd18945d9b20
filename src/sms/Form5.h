#pragma once
#include "common/Werkzeugfenster.h"
#include "sms/SMSLesen.h"

#include <QIcon>
#include <QList>
#include <QWidget>
#include <memory>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class Form5;
}

// The reading window "SMS-Nachrichten lesen": every message of the phone as a row of kal1, the
// clicked one in "Aktive Nachricht", the storage gauge, and the actions of Toolbar1. Its first
// load restores the placement and reads the storage and the list.
class Form5 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form5* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form5() override;

    // The controls of Form5.ui, by their names.
    QToolBar* Toolbar1 = nullptr;
    QTreeWidget* kal1 = nullptr;  // Ort, Index, Rufnummer, Name, Datum, Uhrzeit, Nachricht
    QGroupBox* Frame3 = nullptr;  // "Aktive Nachricht"
    QLabel* Label38 = nullptr;
    QLabel* Label39 = nullptr;
    QLabel* Label40 = nullptr;
    QLabel* Label35 = nullptr;  // name
    QLabel* Label6 = nullptr;   // number
    QLabel* Label36 = nullptr;  // date
    QLabel* Label37 = nullptr;  // time
    QPlainTextEdit* Text5 = nullptr;
    QGroupBox* Frame2 = nullptr;  // "Legende"
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;   // "SMS-Speicher: ..."
    QFrame* Shape1 = nullptr;   // the gauge's background
    QFrame* Shape2 = nullptr;   // the free part, growing leftwards from a fixed right edge

    // The row icons 1 (AG) to 4 (EU); element 0 unused.
    QList<QIcon> ImageList1;

    static QAction* Knopf(const QToolBar* leiste, const QString& schluessel);
    // The icon number a row was given.
    static int Symbolnummer(const QTreeWidgetItem* zeile);

    // Deletes the selected messages in the phone and from the list.
    void SMS_kill();

    // Handlers.
    void kal1_ItemClick(QTreeWidgetItem* zeile);
    void kal1_ColumnClick(int spalte);  // 1..7
    void Toolbar1_ButtonClick(const QString& schluessel);

    // What the list reader and the storage check fill in.
    void Liste_Leeren();
    void Zeile_Anfuegen(const Module1::SMSZeile& zeile);
    void Erste_Zeile_Zeigen();
    void Speicher_Verbergen();
    void Speicher_Zeigen(const Module1::SMSSpeicherstand& stand);

    // The layout of a window size, in twips.
    struct Masse {
        int Breite = 0;
        int Hoehe = 0;
        int Kal1Breite = 0;
        int Kal1Hoehe = 0;
        int Frame3Oben = 0;
        int Frame2Oben = 0;
        int Label3Oben = 0;
        int ShapeOben = 0;
        int Spalten[7] = {};
    };
    static Masse Masse_Berechnen(int breite, int hoehe, bool maximiert, bool nummer, int spalte7);

private:
    Form5();
    void Leisten_Aufbauen();
    void Form_Load();
    void Form_Resize() override;
    void Spalten_Setzen(const Masse& m);
    QList<QTreeWidgetItem*> Gewaehlte_Zeilen() const;
    void Aktive_Leeren();
    // The checks of "answer" and "weiterleiten" and the question about the recipient list.
    bool Uebergabe_Vorbereiten();
    void Antworten();
    void Weiterleiten();
    void Liste_Oeffnen();
    void Speichern();

    std::unique_ptr<Ui::Form5> ui;
    bool m_fuellen = false;  // the program changes the current row: no item click
};
