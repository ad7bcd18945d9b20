#pragma once
#include "common/Werkzeugfenster.h"

#include <QIcon>
#include <QList>
#include <QWidget>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QToolBar;

namespace Ui {
class Form19;
}

// The window "Sperren": the phone's locks and call barrings, one row per facility with a
// status icon and a toolbar to query, set and clear it. Passwords are asked for each action.
class Form19 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form19* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form19() override;

    // Dispatched on the button's key: "refresh", "an", "aus".
    void Toolbar1_ButtonClick(int index, QAction* button);

    QLabel* Label1[12] = {};
    QLabel* Image1[12] = {};
    QToolBar* Toolbar1[12] = {};
    QList<QIcon> ImageList1;  // 1 inactive, 2 active (0 unused)
    int Bild[12] = {};        // the picture each icon shows: 0 none yet, 1 or 2

private:
    Form19();
    void Abfragen(int zeile);
    void Setzen(int zeile);
    void Aufheben(int zeile);
    // The password of an action, nothing when the action ends here (cancelled or refused).
    std::optional<QString> Passwort_Holen(int zeile);
    void Bild_Setzen(int zeile, int bild);

    std::unique_ptr<Ui::Form19> ui;
};
