#pragma once
#include <QIcon>
#include <QString>

class QAction;
class QToolBar;
class QWidget;

// Toolbar buttons are found and dispatched by their key, the action's object name.
QAction* Knopf_Anlegen(QToolBar* leiste, const QString& schluessel, const QString& tipp, const QIcon& bild = QIcon());
QAction* Knopf_Suchen(const QToolBar* leiste, const QString& schluessel);
// Buttons fill the toolbar to its edges, as the twips layouts were drawn: no margin, no gap.
void Leiste_Ohne_Rand(QToolBar* leiste);
// Every toolbar button of the window (a button that shows an action) is reached with Tab, is
// pressed with Space or Enter, and is named to screen readers by its tooltip.
void Leistenknoepfe_Erschliessen(QWidget* fenster);
