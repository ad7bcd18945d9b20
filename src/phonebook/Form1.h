#pragma once
#include "common/Listenstand.h"
#include "common/Werkzeugfenster.h"
#include "phonebook/Form1Layout.h"
#include "phonebook/Listensortierung.h"
#include "phonebook/Sicherung.h"
#include "phonebook/TBuchAnsicht.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QDrag;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace Module1 {
class BaumZeilen;
}

namespace Ui {
class Form1;
}

// The phone-book window "Telefonbücher": the phone list TBuch1 over the local list TBuch2, the
// book and reload buttons, the fill-level frame, both command toolbars and the context menus.
// The controls of Form1.ui are public members of their own names; those of control arrays are
// in arrays (Label1[0] is "Label1_0").
class Form1 : public Werkzeugfenster, public Module1::TBuchAnsicht {
    Q_OBJECT
public:
    static Form1* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form1() override;

    QGroupBox* Frame1 = nullptr;   // "aktuelle Telefonbücher": Toolbar2, Toolbar3, Toolbar5
    QToolBar* Toolbar2 = nullptr;  // book buttons
    QToolBar* Toolbar3 = nullptr;  // reload buttons
    QToolBar* Toolbar5 = nullptr;  // local pane on/off
    QGroupBox* Frame4 = nullptr;   // "Belegung"
    QFrame* Frame2 = nullptr;      // holds Toolbar1
    QToolBar* Toolbar1 = nullptr;  // phone-list commands
    QTreeWidget* TBuch1 = nullptr; // phone list
    QFrame* Frame3 = nullptr;      // holds Toolbar4
    QToolBar* Toolbar4 = nullptr;  // local-list commands
    QTreeWidget* TBuch2 = nullptr; // local list

    // The control arrays, indexed as designed: book - 1 for the fill level, 0 "LOKAL", 1 "MOBIL".
    QLabel* Image1[4] = {};
    QLabel* Label1[4] = {};
    QFrame* Shape1[4] = {};  // background bar, 1815 twips, opaque from the first count on
    QFrame* Shape2[4] = {};  // fill bar
    QLabel* Label2[2] = {};

    // Context menus of the two lists; their items are members of their own names.
    QMenu* popup1 = nullptr;
    QAction* Bearbeiten = nullptr;
    QAction* loeschen = nullptr;
    QAction* smssenden = nullptr;
    QAction* Anrufen = nullptr;
    QAction* Anrufstopp = nullptr;
    QAction* nachlokal = nullptr;
    QMenu* popup2 = nullptr;
    QAction* editLOCAL = nullptr;
    QAction* killLOCAL = nullptr;
    QAction* smsLOCAL = nullptr;
    QAction* callLOCAL = nullptr;
    QAction* callstopLOCAL = nullptr;
    QAction* copytoSIM = nullptr;
    QAction* copytotelefon = nullptr;
    QAction* copytofix = nullptr;
    QAction* copytoown = nullptr;

    // A toolbar's button by its key (object name): Toolbar1 and Toolbar4 "refresh" ... "sms",
    // Toolbar2 "SIM" ... "MISSED", Toolbar3 "Buttons_1" ... "Buttons_6"; nullptr when none.
    static QAction* Knopf(const QToolBar* leiste, const QString& schluessel);
    QAction* Buchknopf(int buch) const;      // Toolbar2, check style
    QAction* Neulesenknopf(int buch) const;  // Toolbar3
    QAction* Lokalknopf() const;             // Toolbar5, check style

    // Toolbar handlers; a check button has already toggled when its handler runs.
    void Toolbar1_ButtonClick(const QString& schluessel);
    void Toolbar2_ButtonClick(int buch);
    void Toolbar3_ButtonClick(int buch);
    void Toolbar4_ButtonClick(const QString& schluessel);
    void Toolbar5_ButtonClick();

    // Reload of one book: marked not loaded, its button released, read again, pressed again.
    // False when the window went meanwhile or the read told why it stopped short.
    bool Buch_Neu_Einlesen(int buch);
    // Presses the local-pane button and applies the split layout (copies into the local list).
    void Lokal_Einblenden();

    // Changes the selected phone-list entry through the entry dialog Form4.
    void EDIT_ITEM();
    // Deletes the selected phone-list entries on the phone (toolbar "kill", menu loeschen).
    void loeschen_Click();
    // The selected phone-list numbers to the composing window (toolbar "sms", menu smssenden).
    void smssenden_Click();
    // The local list: a new entry (Form11 modal), a change of the selected row (Form11 modeless,
    // also menu editLOCAL), deleting the selected rows, their numbers to the composing window.
    void Lokal_Neu();
    void editLOCAL_Click();
    void killLOKAL();
    void SMS_LOCAL();

    // Copies local rows into a phone book (menu popup2, drop onto the phone list): the book
    // is pressed and brought up to date first; the SIM takes every selected row, the others
    // the current one.
    void copytoSIM_Click();
    void copytotelefon_Click();
    void copytofix_Click();
    void copytoown_Click();
    // The selected phone rows into the local list, which is shown first.
    void nachlokal_Click();
    // Appends the selected phone rows to the local list, selected and scrolled into view.
    void Nach_Lokal_Kopieren();

    // Events of the two lists. A header click sorts by the header's column; the same column
    // again reverses the direction.
    void TBuch1_ColumnClick(const QString& kopf);
    void TBuch2_ColumnClick(const QString& kopf);
    void TBuch1_DblClick();
    void TBuch2_DblClick();
    // A move with the left button alone (past the drag distance, from a row) starts a drag of
    // the list's rows.
    void TBuch1_MouseMove(Qt::MouseButtons knoepfe);
    void TBuch2_MouseMove(Qt::MouseButtons knoepfe);
    // The right button shows the list's context menu at the mouse.
    void TBuch1_MouseUp(Qt::MouseButton knopf);
    void TBuch2_MouseUp(Qt::MouseButton knopf);
    // A drop onto the list; which list the drag came from decides, by the two flags.
    void TBuch1_DragDrop();
    void TBuch2_DragDrop();

    // A drag started in the phone list / in the local list runs.
    bool MobilGezogen = false;
    bool LokalGezogen = false;
    // Runs a drag to its end (QDrag::exec when empty). Tests put in their own: the offscreen
    // platform drops nothing.
    std::function<void(QDrag&)> Ziehen_Ausfuehren;
    // The rows of the two lists as the entry logic sees them.
    Module1::BaumZeilen& Telefonliste() const { return *m_telefonliste; }
    Module1::BaumZeilen& Lokalliste() const { return *m_lokalliste; }

    // Loading a phone-book file into the local list: with the file dialog, or the given file.
    // Both ask first when the local list holds changes not yet saved.
    void lokalLADEN();
    void LOKALLADEN2(const QString& datei);
    // Saves the local list through its file dialog; true once the file is written.
    bool Lokal_Speichern();
    // Before the local list is discarded: asks when it holds changes not yet saved; false when
    // the user keeps it.
    bool Lokal_Verwerfen_Erlaubt();
    // The encoding of the file loaded last, in which the local list is saved.
    Textdatei::Kodierung LokalKodierung = Textdatei::Kodierung::Ansi;

    // The rows of the two lists as file lines, in display order.
    QList<Module1::SicherungsZeile> Telefonzeilen() const;
    QList<Module1::SicherungsZeile> Lokalzeilen() const;
    // Appends a row to the local list: icon 1..7 or 0 for none; a "!" row red and bold by the options.
    QTreeWidgetItem* Lokal_Anfuegen(const QString& ort, int symbol, const QString& name, const QString& nummer,
                                    const QString& merker);

    // Sub-items von..bis red and bold by TBRot and TBFett when marked, else in the list's normal look.
    static void Zeile_Markieren(QTreeWidgetItem* zeile, int von, int bis, bool markiert);
    // The icon number a row was given (0: none).
    static int Symbolnummer(const QTreeWidgetItem* zeile);
    // Icon of a book's rows (1..6).
    static int Buchsymbolnummer(int buch);

    // Sorting of the phone list: column and direction, and whether it keeps itself sorted.
    int SortSpalte = 0;
    Qt::SortOrder SortRichtung = Qt::AscendingOrder;
    bool Sortiert = false;
    // The same for the local list, which keeps the order of adding until its first header click.
    Module1::Sortierung LokalSortierung;
    bool LokalSortiert = false;

    // The layout last applied, in twips.
    Form1Layout::Masse Masse;

    // Module1::TBuchAnsicht
    void Zeile_Anfuegen(const Module1::TBuchZeile& zeile) override;
    void Zeilen_Leeren() override;
    bool Buch_Gedrueckt(int buch) const override;
    void Sortierung_Auffrischen() override;
    void Belegung_Zeigen(int buch, const Module1::Fuellstand& stand) override;

private:
    Form1();
    void Leisten_Aufbauen();
    void Menues_Aufbauen();
    void Listen_Verbinden();
    // Presses the book's button, reads the book (or refills the list) and enables its reload
    // button; false when the window went meanwhile or the read told why it stopped short.
    bool Ziel_Vorbereiten(int buch);
    void Kopieren_In(int buch);  // the local rows into a phone book, as one action
    void Kopieren_Nach(int buch);
    void Ziehen(QTreeWidget* quelle);
    void Form_Resize() override;
    void closeEvent(QCloseEvent* event) override;
    void Ansicht_Teilen(const Form1Layout::Masse& m);
    void Lokal_Einlesen(const QString& datei);
    std::unique_ptr<Ui::Form1> ui;
    std::unique_ptr<Module1::BaumZeilen> m_telefonliste;
    std::unique_ptr<Module1::BaumZeilen> m_lokalliste;
    Listenstand m_lokalstand;
};
