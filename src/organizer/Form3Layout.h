#pragma once

// The resize layout of the organizer window, in twips as designed.
namespace Form3Layout {

constexpr double ListenLinks = 1920;  // both lists
constexpr double Kal1Oben = 480;
constexpr double Toolbar1Hoehe = 330;
constexpr double MindestBreite = 8200;
constexpr double MindestHoehe = 6500;

struct Masse {
    double Kal1Breite = 0;
    double Kal2Breite = 0;
    double Kal1Hoehe = 0;
    // The local pane; its values only while it is shown.
    bool Lokal = false;
    double Kal2Hoehe = 0;
    double Toolbar2Oben = 0;  // also Label2(0)
    double Kal2Oben = 0;
    // Column widths of kal1 (7) and Kal2 (6); kal1's "Beschreibung" is negative while the list
    // is too narrow for it and is then left as it was.
    double Spalten1[7] = {};
    double Spalten2[6] = {};
};

// W and H are the window's outer size (after the minimum size is applied).
Masse Berechnen(double breite, double hoehe, bool lokal);

// The pane switch recomputes only the pane: the local list is 520 twips lower than the phone list.
Masse Umschalten(double breite, double hoehe, bool lokal);

}  // namespace Form3Layout
