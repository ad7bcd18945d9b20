#pragma once
#include <QString>

class QWidget;

// Window placement in section "Windows", in twips (15 per pixel at 96 dpi), as the program
// has always stored it. For an MDI child the sub-window frame is placed.
namespace Platzierung {

constexpr int TwipsJePixel = 15;
inline int Pixel(int twips) { return twips / TwipsJePixel; }
inline int Twips(int pixel) { return pixel * TwipsJePixel; }

struct Schluessel {
    QString Praefix;      // "Main" gives "MainX", "MainY", "MainW", "MainH", "MainWS"
    int X = 0;            // defaults in twips
    int Y = 0;
    int W = -1;           // -1: the size is not stored
    int H = -1;
    bool Zustand = false; // "<Praefix>WS": 0 normal, 1 minimised, 2 maximised
};

// Set on a tool window whose stored size was applied: its size is the frame's, and its designed
// size no longer counts.
constexpr const char* Rahmengroesse = "Rahmengroesse";

// The widget that is placed: the MDI sub-window frame of a tool window, else the window itself.
QWidget* Rahmen(QWidget* fenster);
// Applies the stored placement (or the defaults).
void Laden(QWidget* fenster, const Schluessel& s);
// The stored window state (0, 1 or 2).
int Zustand_Lesen(const Schluessel& s);
// Minimises or maximises the window's frame as stored; the frame must exist (first show).
void Zustand_Anwenden(QWidget* fenster, const Schluessel& s);
// Saves the state; position and size only when the window is not maximised
// (while minimised, the normal placement is saved).
void Speichern(QWidget* fenster, const Schluessel& s);

// Puts a top-level window centred over `ueber` (the screen when null), its frame inside the
// screen's free area so that its title bar can be reached.
void Zentrieren(QWidget* fenster, const QWidget* ueber);

}  // namespace Platzierung
