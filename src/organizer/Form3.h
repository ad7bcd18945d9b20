#pragma once
#include "common/Listenstand.h"
#include "common/Textdatei.h"
#include "common/Werkzeugfenster.h"
#include "organizer/Form3Layout.h"
#include "organizer/Termine.h"

#include <QWidget>
#include <memory>

class QAction;
class QLabel;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class Terminliste;

namespace Ui {
class Form3;
}

// The organizer window "Organizer bearbeiten": the phone list kal1 ("MOBIL") over the local
// list Kal2 ("LOKAL"), each with its toolbar, and the pane switch Toolbar5. Rows are dragged
// between the lists: local rows onto the phone list are written into free slots, phone rows onto
// the local list are copied. Its first load restores its placement ("OrganizerWS", "OrganizerX",
// "OrganizerY", "OrganizerW" 8200, "OrganizerH" 6500); closing it saves the placement.
class Form3 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form3* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form3() override;

    QToolBar* Toolbar5 = nullptr;  // "&Lokale Termine", check style
    QToolBar* Toolbar1 = nullptr;  // phone-list commands
    QToolBar* Toolbar2 = nullptr;  // local-list commands
    QLabel* Label2[2] = {};        // 0 "LOKAL", 1 "MOBIL"
    Terminliste* kal1 = nullptr;   // phone list
    Terminliste* Kal2 = nullptr;   // local list

    // A toolbar's button by its key (object name): Toolbar1 "refresh", "save", "new", "edit",
    // "kill"; Toolbar2 "load", "save", "new", "edit", "kill"; nullptr when none.
    static QAction* Knopf(const QToolBar* leiste, const QString& schluessel);
    QAction* Lokalknopf() const;  // Toolbar5

    // A drag began in the phone list, respectively the local list.
    bool ZiehenMobil = false;
    bool ZiehenLokal = false;

    // Handlers; a check button has already toggled when its handler runs. Columns count from 1.
    void Toolbar1_ButtonClick(const QString& schluessel);
    void Toolbar2_ButtonClick(const QString& schluessel);
    void Toolbar5_ButtonClick();
    void kal1_ColumnClick(int spalte);
    void Kal2_ColumnClick(int spalte);
    void kal1_DblClick();
    void Kal2_DblClick();
    // The drops: each acts only when the drag began in the other list.
    void kal1_DragDrop();
    void Kal2_DragDrop();

    // Changes the selected phone appointment in its own slot through the appointment dialog.
    void Termin_Bearbeiten();
    // Deletes the phone appointment of row `position` (1-based) as Termin_Entfernen does.
    Module1::Zeilenschritt Termin_Loeschen(int position, bool& veraendert);

    // The ".kal" files and the local appointments. A save that cannot write its file says so;
    // the local save returns true once the file is written. Loading asks first when the local
    // list holds changes not yet saved.
    void saveTERMINE();
    void TermineLaden_fromdisk();
    bool saveTERMINElokal();
    void neuerTermin_LOKAL();
    void Terminedit_LOKAL();
    // Before the local list is discarded: asks when it holds changes not yet saved; false when
    // the user keeps it.
    bool Lokal_Verwerfen_Erlaubt();

    // The layout last applied, in twips.
    Form3Layout::Masse Masse;

private:
    // The sort a list was given last, applied again after an edit.
    struct Sortierung {
        int Spalte = 0;  // 0: never sorted
        int Art = 0;
        bool Richtung = true;
    };

    Form3();
    void Leisten_Aufbauen();
    void Ziehen_Verbinden();
    void Form_Resize() override;
    void closeEvent(QCloseEvent* event) override;
    void Bereich_Zeigen(const Form3Layout::Masse& m);
    void Sortieren(QTreeWidget* liste, Sortierung& s, int spalte, int art);
    static void Neu_Sortieren(QTreeWidget* liste, const Sortierung& s);
    bool Loeschen_Bestaetigt() const;
    // Tells once that the phone held other appointments than the rows showed.
    void Veraendert_Melden(const QString& text);
    void Lokal_Nach_Mobil();
    void Mobil_Nach_Lokal();
    bool Liste_Sichern(QTreeWidget* liste, bool mitIndex, const QString& schluessel, const QString& vorgabe,
                       Textdatei::Kodierung kodierung);

    std::unique_ptr<Ui::Form3> ui;
    Sortierung m_sortMobil;
    Sortierung m_sortLokal;
    Listenstand m_lokalstand;
    // The encoding of the ".kal" file loaded last, in which the local list is saved.
    Textdatei::Kodierung m_kodierungLokal = Textdatei::Kodierung::Ansi;
};
