#pragma once

// The resize layout of the phone-book window, in twips as designed.
namespace Form1Layout {

// Design positions the layout builds on.
constexpr double TBuchLinks = 2760;  // both lists
constexpr double TBuch1Oben = 480;
constexpr double LeisteHoehe = 495;  // Frame2 and Frame3
constexpr double MindestBreite = 8200;
constexpr double MindestHoehe = 6500;

struct Masse {
    double Breite = 0;  // the window's outer size after the minimum
    double Hoehe = 0;
    double TBuch1Breite = 0;
    double TBuch2Breite = 0;
    double TBuch1Hoehe = 0;
    double TBuch2Hoehe = 0;
    // Split view only; the single view leaves them where they are.
    bool Geteilt = false;
    double Frame3Oben = 0;
    double Label2_0Oben = 0;
    double TBuch2Oben = 0;
    double Spalten1[5] = {};
    double Spalten2[4] = {};
};

// W and H are the window's outer width and height; a window that is not maximised is held at
// 8200 x 6500 at least.
Masse Berechnen(double breite, double hoehe, bool maximiert, bool geteilt);

}  // namespace Form1Layout
