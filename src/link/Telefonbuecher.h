#pragma once
#include <QString>

// The phone's six books and the cache of what was read from them. Book numbers 1..6
// (index 0 carries nothing): 1 SIM "SM", 2 phone "ME", 3 fixed dialling "FD", 4 own numbers
// "ON", 5 last dialled "LD", 6 missed calls "MC"; books 5 and 6 cannot be written.
namespace Module1 {

constexpr int TBuchAnzahl = 6;
constexpr int TBuchPlaetze = 250;  // cache slots per book
constexpr int TBuchFelder = 6;

// Display names, written once at start-up: "SIM", "TELEFON", "FESTE", "EIGENE", "ZULETZT", "VERSÄUMT".
extern QString TBuchNamen[TBuchAnzahl + 1];

// The cache, indexed (book, slot 1..250, field 1..6): 1 index as three digits ("007"; empty:
// free slot, and an empty slot 1 means the book is not loaded), 2 name as PC text,
// 3 number as the phone sent it, 4 marker "!" or "", 5 and 6 carried along.
extern QString TBuchDaten[TBuchAnzahl + 1][TBuchPlaetze + 1][TBuchFelder + 1];
extern int TBuchGesamt[TBuchAnzahl + 1];           // capacity from "+CPBS: "
extern int TBuchBelegt[TBuchAnzahl + 1];           // used entries from "+CPBS: "
extern double TBuchNummerLaenge[TBuchAnzahl + 1];  // from "AT+CPBR=?"
extern int TBuchTextLaenge[TBuchAnzahl + 1];       // from "AT+CPBR=?"
// True only when the last read of the book ended with the phone's "OK": an incomplete book
// is no target for copies, and its free indexes are unknown.
extern bool TBuchVollstaendig[TBuchAnzahl + 1];

// Storage code of a book ("SM" ... "MC"); "" outside 1..6.
QString Speicher_Kennung(int buch);
// The book is in the cache (slot 1 holds an index).
bool TBuch_Geladen(int buch);
// Empties every slot of the book.
void TBuch_Leeren(int buch);

}  // namespace Module1
