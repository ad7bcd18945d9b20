#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Line-based text files: read with CR LF, LF or CR as line end, written with CR LF. Program text
// files are in Windows-1252, the code page the Windows program used; a character it cannot hold
// is written as "?", and a file that begins with a UTF-8 byte-order mark is read as UTF-8.
namespace Textdatei {

// Files that only carry the phone's bytes (Latin-1, one character per byte) name it.
enum class Kodierung { Ansi, Telefon };

// The lines of a file; nothing when it cannot be read. A final line end adds no empty line.
std::optional<QStringList> Lesen(const QString& pfad, Kodierung kodierung = Kodierung::Ansi);
// Splits text into lines the same way.
QStringList Zeilen(const QString& text);
// Writes the lines whole, each followed by CR LF; false when that failed, and the old file then
// stays as it was.
bool Schreiben(const QString& pfad, const QStringList& zeilen, Kodierung kodierung = Kodierung::Ansi);
// Appends the lines, each followed by CR LF; creates the file when missing. A file that began
// as UTF-8 with a byte-order mark goes on in UTF-8, so that it never mixes two encodings. False
// when not every byte reached the file.
bool Anhaengen(const QString& pfad, const QStringList& zeilen, Kodierung kodierung = Kodierung::Ansi);

// A whole file's bytes as text: UTF-8 after a byte-order mark, else Windows-1252.
QString Dekodieren(const QByteArray& bytes);
// Text as Windows-1252 bytes, "?" for every character the code page cannot hold.
QByteArray Kodieren(const QString& text);

// Windows-1252 comes from Qt's ICU converter when this build has one, else from a table of our
// own; tests run both.
enum class Wandler { Icu, Tabelle };
bool Icu_Vorhanden();
Wandler Aktueller_Wandler();
void Wandler_Setzen(Wandler wandler);

}  // namespace Textdatei
