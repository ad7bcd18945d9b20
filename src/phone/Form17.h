#pragma once
#include "common/Werkzeugfenster.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QWidget>
#include <memory>

class QAction;
class QLabel;
class QTabWidget;
class QTableWidget;
class QToolBar;
class QTreeWidget;

namespace Ui {
class Form17;
}

// The window "Netze": the networks the phone knows (its operator list), its preferred networks
// and the networks in range, each code with its operator's name and its country.
class Form17 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form17* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form17() override;

    void LIESNETZE();            // the operator list, then the preferred list
    void LIESBEVORZUGTENETZE();  // the preferred list
    void netzdazu();             // the selected known network into the selected slot
    void netzweg();              // empties the selected slot
    void REICHWEITE();           // the networks in range

    void Toolbar1_ButtonClick(int index, QAction* button);
    void Toolbar8_ButtonClick(QAction* button);
    void MSFlexGrid6_Click(int spalte);  // a click on the header row
    void MSFlexGrid7_Click(int spalte);
    void L1_ColumnClick(int spalte);

    QTabWidget* SSTab1 = nullptr;
    QToolBar* Toolbar1[2] = {};  // "Toolbar1_0", "Toolbar1_1": one button "Einlesen " each
    QToolBar* Toolbar8 = nullptr;  // keys "dazu", "raus"
    QTableWidget* MSFlexGrid6 = nullptr;  // known networks; property "Tag" "" or "j"
    QTableWidget* MSFlexGrid7 = nullptr;  // preferred networks; property "Tag" as above
    QTreeWidget* L1 = nullptr;            // networks in range
    QLabel* Label17 = nullptr;
    QLabel* Label34 = nullptr;
    QList<QIcon> ImageList1;  // state icons 1 registered, 2 available, 3 forbidden (0 unused)

    // Operator names by network code, as the operator list delivered them since the load.
    QHash<QString, QString> Betreiber;

private:
    Form17();
    void Gitter_Sortieren(QTableWidget* gitter, int spalte);

    std::unique_ptr<Ui::Form17> ui;
    int m_L1Spalte = -1;  // the column L1 is kept sorted by; -1 none yet
};
