#pragma once
#include <QString>

namespace Module1 {

// One row of the phone list as the reader and the refill build it.
struct TBuchZeile {
    int Buch = 0;     // 1..6: the Ort text and the icon
    QString Index;    // "007"
    QString Name;     // PC text, without the marker
    QString Nummer;
    QString Merker;   // "!" or ""
    bool Unbekannt = false;  // whether the phone still holds it is not known
};

// What a book's fill level shows: the caption and the bar width in twips.
struct Fuellstand {
    QString Text;    // "(247 von 250 frei)"
    int Balken = 0;  // 0 .. the background width
};

// The phone list and the fill-level frame as the phone-book logic sees them; the phone-book
// window implements it, tests put a recorder in its place.
class TBuchAnsicht {
public:
    virtual ~TBuchAnsicht() = default;

    // Appends a row (in sort order once the list is sorted), red and bold by the options.
    virtual void Zeile_Anfuegen(const TBuchZeile& zeile) = 0;
    virtual void Zeilen_Leeren() = 0;
    // The book's button is pressed.
    virtual bool Buch_Gedrueckt(int buch) const = 0;
    // Sorts by the remembered column and direction and keeps the list sorted from now on.
    virtual void Sortierung_Auffrischen() = 0;
    // Books 1..4: the caption and the bar; the background turns opaque.
    virtual void Belegung_Zeigen(int buch, const Fuellstand& stand) = 0;
};

// The view in use (the open phone-book window); nullptr when none is open.
TBuchAnsicht* TBuch_Ansicht();
void TBuch_Ansicht_Setzen(TBuchAnsicht* ansicht);

}  // namespace Module1
