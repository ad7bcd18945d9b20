#pragma once
#include "phonebook/TBuchAnsicht.h"

#include <QString>
#include <optional>

// Reading the phone's books into the cache (link/Telefonbuecher.h) and the phone list,
// re-counting a book, and refilling the list from the cache.
namespace Module1 {

// State of the running read.
extern int TBuchPosition;     // last cache slot filled
extern int Lesezaehler;       // entries parsed so far plus one
extern int LeseFortschritt;   // value of the transfer progress bar
extern QString Speicherkennung;  // storage code of the book being read
// Consecutive empty polls after which a silent phone ends the transfer (5000; tests lower it).
extern int LeseLeerlaufGrenze;

// ---- Reply parsers ------------------------------------------------------------------

struct Belegung {
    int Belegt = 0;
    int Gesamt = 0;
};
// +CPBS: "SM",used,total -- nothing when the reply holds no such line.
std::optional<Belegung> CPBS_Zaehler_Lesen(const QString& antwort);

struct Eintragslaengen {
    int Nummer = 0;
    int Text = 0;
};
// +CPBR: (1-250),numberLength,nameLength -- nothing when the reply holds no such line.
std::optional<Eintragslaengen> CPBR_Laengen_Lesen(const QString& antwort);

struct Indexbereich {
    int Von = 0;
    int Bis = 0;
};
// The index range of the same reply, "(1-250)" or "(1)"; nothing without a usable one.
std::optional<Indexbereich> CPBR_Bereich_Lesen(const QString& antwort);

// One entry line as the phone sends it; the name still in the phone's codes, with its marker.
struct CPBR_Eintrag {
    int Index = 0;
    QString Nummer;
    QString Name;
};
// Reads the entry that follows "+CPBR:" at the start of `rest` and drops it from `rest`.
CPBR_Eintrag CPBR_Eintrag_Lesen(QString& rest);
// The name of an entry line as the PC shows it: its marker "!" (the phone's last character)
// taken off into `merker`, then the phone's codes converted back.
QString Eintragsname_Wandeln(QString name, QString& merker);

// The number at the start of a text, as the number conversion reads it: leading blanks and
// line breaks skipped, a sign, digits up to the first other character; 0 when there is none.
int Zahl_Wert(QStringView text);
// Index in the "000" form.
QString Index_Text(int index);

// One pass over the transfer buffer: drops a stale "ERROR" or "OK" in front of the first entry
// and every complete line before it, then cuts out one complete entry line, if there is one.
std::optional<QString> Puffer_Schritt(QString& puffer);

// Cleans received chunks like Antwort_Bereinigen, but holds a CR at the end of a chunk back
// until the next one shows whether an LF follows, so that no line break is lost at a chunk edge.
class Zeilenreiniger {
public:
    QString Bereinigen(const QString& chunk);

private:
    bool m_crOffen = false;
};

// Caption and bar width of a book's fill level; the bar never leaves the background.
Fuellstand Fuellstand_Berechnen(int belegt, int gesamt, int breite = 1815);

// ---- Procedures ------------------------------------------------------------------------

// Reads book 1..6 from the phone into the cache and appends its rows to the phone list.
// True when the book was read completely (also when it is empty); the flag TBuchVollstaendig
// holds the same. A list cut short (idle limit, lost device) is told. `gemeldet` becomes true
// when the read told the user why it stopped short (a failed exchange or a list cut short):
// the action it belongs to has nothing more to say about it.
bool Telefonbuch_Lesen(int buch, bool* gemeldet = nullptr);
// Parses every "+CPBR:" entry in the text into the cache and the list.
void Eintraege_Parsen(const QString& puffer, int buch);
void Antwort_Loeschen();
QString Antwort_Holen();

// Asks "AT+CPBS?" for the book whose storage the caller selected, and updates its counts and
// fill level; false when the exchange failed (nothing changes then).
bool Eintraege_Zaehlen(int buch);
// Shows the fill level of book 1..4 from the cached counts.
void Belegung_Aktualisieren(int buch);
// Rebuilds the phone list from the cache for every pressed, loaded book.
void Liste_Laden();

}  // namespace Module1
