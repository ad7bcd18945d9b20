#pragma once
#include <QList>
#include <QString>
#include <array>

// The facilities of the barring window and their "AT+CLCK" commands.
namespace Module1 {

struct Sperrzeile {
    const char* Kennung;       // facility, e.g. "AO"
    const char* Beschriftung;  // UTF-8
    bool Abfragbar;            // has a "refresh" button
};
extern const std::array<Sperrzeile, 12> Sperrzeilen;

enum class Sperraktion { Abfragen, Setzen, Aufheben };

// "AT+CLCK=<fac>,2", "AT+CLCK=<fac>,1,<pw>", "AT+CLCK=<fac>,0,<pw>"; the keypad lock (row 0)
// takes no password. Facility and password are not quoted.
QString CLCK_Befehl_Bilden(int zeile, Sperraktion aktion, const QString& passwort);

// The rows whose barrings a group row (AB, AG, AC) clears with it; none for the other rows.
QList<int> Gruppenzeilen(int zeile);

// Whether a status reply reports the lock active ("+CLCK: 1" in any line).
bool CLCK_Aktiv_Lesen(const QString& antwort);

}  // namespace Module1
