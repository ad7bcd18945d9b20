#pragma once
#include <QString>

// Picture tokens: a word between '"%' and '"' that phones of the x35 series show as a picture.
namespace Module1 {

constexpr int Bildzeichen_Anzahl = 25;

// Caption of picture button 0..24, and its token ('"%Flowers"' for 0).
QString Bildzeichen_Beschriftung(int index);
QString Bildzeichen(int index);

struct Bildeinfuegung {
    QString Text;
    int Cursor = 0;
};
// The token at the position (a selection is not replaced), the result cut to `hoechstlaenge`
// at the end, even inside the token; the cursor right behind the token.
Bildeinfuegung Bildzeichen_Einfuegen(const QString& text, int position, int index, int hoechstlaenge);

}  // namespace Module1
