#pragma once
#include "common/Textdatei.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// Phone-book files (".orx"): one entry a line, five TAB-separated fields, CR LF, ISO 8859-1.
namespace Module1 {

struct SicherungsZeile {
    QString Ort;     // "SIM" ... "VERSÄUMT", "LOKAL" or any text
    QString Index;   // three digits; "000" in local saves
    QString Name;    // PC text without the marker
    QString Nummer;
    QString Merker;  // "!" or ""; a sixth field and more stay in here
};

// Splits a line: fields 1 to 4 end at a TAB, field 5 is the rest. Nothing when there are
// fewer than four TABs (an empty line too).
std::optional<SicherungsZeile> SicherungsZeile_Lesen(const QString& zeile);
// The line without its CR LF; a TAB or line break inside a field becomes a blank.
QString SicherungsZeile_Schreiben(const SicherungsZeile& zeile);

// Icon of a loaded row by its place text (exact): SIM 1, TELEFON 4, FESTE 2, EIGENE 3,
// ZULETZT 5, VERSÄUMT 6; 0 (none) for anything else, "LOKAL" too.
int Ort_Symbol(const QString& ort);

// A file as the loaders read it: the rows up to the first bad line, and whether reading failed
// (missing or unreadable file, a line with fewer than four TABs, an empty line). An empty file
// holds no rows.
struct Sicherung {
    QList<SicherungsZeile> Zeilen;
    bool Fehler = false;
    Textdatei::Kodierung Kodierung = Textdatei::Kodierung::Ansi;  // for saving them back
};
Sicherung Sicherung_Lesen(const QString& pfad);
// Writes the rows atomically: a failed save leaves the old file.
bool Sicherung_Schreiben(const QString& pfad, const QList<SicherungsZeile>& zeilen,
                         Textdatei::Kodierung kodierung = Textdatei::Kodierung::Ansi);

// "Sicherung vom 09.12.2000.orx" and "Sicherung (lokal) vom 09.12.2000.orx".
QString Sicherung_Vorgabename(bool lokal, const QDate& datum);
// The folder a file dialog starts in: that of the file last chosen ("Config"/key), else the
// program folder.
QString Sicherung_Startordner(const QString& schluessel);

// The phone list's rows to a file the user picks ("Config"/"PATH6"); nothing for an empty list.
// A file that cannot be written is told.
void Telefonbuch_Sichern(const QList<SicherungsZeile>& zeilen);
// The same for the local list, with "000" as every index ("Config"/"PATH7"), in the encoding
// of the file the list was loaded from; true once the file is written (not for a cancelled
// dialog). An empty list gives an empty file.
bool Lokal_Sichern(const QList<SicherungsZeile>& zeilen,
                   Textdatei::Kodierung kodierung = Textdatei::Kodierung::Ansi);
// The rows of the open phone-book window; a written local list counts as saved there.
void Telefonbuch_Sichern();
bool Lokal_Sichern();

}  // namespace Module1
