#pragma once
#include <QString>
#include <array>

// Copying rows of the local list into the phone's writable books 1 to 4, and choosing the
// target book of a drop.
namespace Module1 {

class Listenzeilen;

// The answer of the target chooser Form21: " 0" ... " 3" for books 1 ... 4, "" for Abbrechen.
extern QString ZielAuswahl;

// The book a chooser answer names; 0 for "" (Abbrechen) or anything else.
int Ziel_Buch(const QString& auswahl);
// The book a drop goes to without asking: the one of books 1 to 4 whose button alone is
// pressed (books 5 and 6 do not count); 0 when none or several are pressed.
int Ziel_Aus_Knoepfen(const std::array<bool, 4>& gedrueckt);

// Lowest index a copy may take in the book (Index_Frei); 0 when there is none.
int Kopier_Index(int buch);

// Copies local rows (Ort, name, number, marker) into book 1 to 4, whose cache the caller has
// just brought up to date. The SIM takes every selected row, the other books only the
// selected (current) row. A book not completely read is no target: nothing is written, and
// the user is told why. A row whose name the phone would give back changed is left out; the
// names left out are told once.
void Lokal_Kopieren(Listenzeilen& lokal, int buch);

}  // namespace Module1
