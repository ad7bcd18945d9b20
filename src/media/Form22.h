#pragma once
#include "common/Werkzeugfenster.h"

#include <QWidget>
#include <memory>

class BildEditor;
class Knopfleiste;
class QAction;
class QGroupBox;
class QToolBar;
class QToolButton;

namespace Ui {
class Form22;
}

// The logo editor "Grafik-Editor": toolbars around the pixel canvas BMP. Colour pictures for a
// phone whose model is "25", black-and-white ones for every other. "tohandy" hands the picture
// to the pictures window, which sends it to the phone.
class Form22 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form22* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form22() override;

    BildEditor* BMP = nullptr;
    QToolBar* Toolbar1 = nullptr;     // "farbe" ... "gitter"
    Knopfleiste* Toolbar2 = nullptr;  // drawing tools
    Knopfleiste* Toolbar3[2] = {};    // colours of the left (0) and right (1) mouse button
    QToolBar* Toolbar4 = nullptr;     // the zoom button
    QToolButton* Zoomknopf = nullptr; // its one button, with the menu "z2" ... "z6"
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2[2] = {};
    QGroupBox* Frame3 = nullptr;

    // A button by its key, nullptr when the bar has none.
    static QAction* Knopf(const QWidget* leiste, const QString& schluessel);

    // The click handlers, by the clicked button's key; a check button has already changed.
    void Toolbar1_ButtonClick(const QString& schluessel);
    void Toolbar2_ButtonClick(const QString& schluessel);
    void Toolbar3_ButtonClick(int index, const QString& schluessel);
    void Toolbar4_ButtonMenuClick(const QString& schluessel);

    // The window width of each zoom factor 2 ... 6, in twips.
    static int Breite_Bei_Zoom(int zoom);

private:
    Form22();
    void Leisten_Aufbauen();
    void Form_Load();
    void Form_Resize() override;
    void Modus_Anwenden(bool farbig);
    void Breite_Setzen(int twips);

    std::unique_ptr<Ui::Form22> ui;
};
