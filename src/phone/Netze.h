#pragma once
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The network lists of the networks window: the country table, the replies of "AT^SPLM",
// "AT^SPLR" and "AT+COPS=?", and the sort of its grids. Network codes are texts of five or
// six digits (country code and network code); the country is named by their first three.
namespace Module1 {

// The German name of a country code (MCC), "" for codes outside the table.
QString Land_Lesen(int mcc);
// The entries of the table.
int Laender_Anzahl();
// The country of a network code, "" when the code has fewer than three digits.
QString Land_Zum_Code(const QString& code);

// One line "^SPLM: <code>,<name>" of the phone's operator list (the code with or without quotes).
struct Betreibereintrag {
    QString Code;
    QString Name;
};
// The entries in reply order; a malformed one ends the list (entries before it stay).
QVector<Betreibereintrag> SPLM_Antwort_Zerlegen(const QString& antwort);

// The slot range of "^SPLR: (<first>-<last>)".
struct Platzbereich {
    QString Erster;
    QString Letzter;
};
std::optional<Platzbereich> SPLR_Bereich_Lesen(const QString& antwort);

// One line "^SPLR: <slot>,<code>"; an empty slot has the code "" (a code of zeros or none, or
// a line with the slot alone).
struct Bevorzugtes_Netz {
    QString Index;
    QString Code;
};
QVector<Bevorzugtes_Netz> SPLR_Antwort_Zerlegen(const QString& antwort);

// One group "(<state>,<long name>,<short name>,<code>)" of the network scan.
struct Netz_In_Reichweite {
    int Status = 0;  // 0 unknown, 1 available, 2 registered, 3 forbidden
    QString Langname;
    QString Code;
};
// The groups up to the first one without a quoted text (the lists of modes and formats), on
// one line or wrapped onto several up to the final result line.
QVector<Netz_In_Reichweite> COPS_Liste_Zerlegen(const QString& antwort);
// "unbekannt", "verfügbar", "eingebucht", "verboten" ("unbekannt" for any other state).
QString Netzstatus_Text(int status);
// The icon of a state in the window's image list (1..3), 0 for none.
int Netzstatus_Bild(int status);

// Sorts rows of cells by one column as case-sensitive text, keeping the order of equal rows.
void Zeilen_Sortieren(QVector<QStringList>& zeilen, int spalte, bool aufsteigend);

}  // namespace Module1
