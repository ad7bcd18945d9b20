#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Line-based text files: read with CR LF, LF or CR as line end, written with CR LF. Program text
// files are in Windows-1252, the code page the Windows program used; a character it cannot hold
// is written as "?". A file that begins with a UTF-8 byte-order mark is read as UTF-8 and keeps
// that encoding: the reader tells what it found, the writer takes it, an append looks at the file.
namespace Textdatei {

// Ansi: Windows-1252. Utf8: UTF-8 after a byte-order mark. Files that only carry the phone's
// bytes (Latin-1, one character per byte) name Telefon.
enum class Kodierung { Ansi, Utf8, Telefon };

// The lines of a file; nothing when it cannot be read. A final line end adds no empty line.
// Read as Ansi, a file with the mark is read as UTF-8; `gefunden` learns which it was.
std::optional<QStringList> Lesen(const QString& pfad, Kodierung kodierung = Kodierung::Ansi,
                                 Kodierung* gefunden = nullptr);
// Splits text into lines the same way.
QStringList Zeilen(const QString& text);
// The encoding of a text file: Utf8 when it begins with the mark, Ansi otherwise, and `neu` when
// it is missing or empty.
Kodierung Dateikodierung(const QString& pfad, Kodierung neu = Kodierung::Ansi);
// Writes the lines whole, each followed by CR LF, in the encoding given (Utf8 with the mark);
// false when that failed, and the old file then stays as it was.
bool Schreiben(const QString& pfad, const QStringList& zeilen, Kodierung kodierung = Kodierung::Ansi);
// Appends the lines, each followed by CR LF, in the file's own encoding, so that it never mixes
// two; a missing or empty file is begun in `neu`. Telefon files stay Latin-1. False when not
// every byte reached the file.
bool Anhaengen(const QString& pfad, const QStringList& zeilen, Kodierung neu = Kodierung::Ansi);

// A TAB-separated line of the fields; a TAB or line break inside a field becomes a blank, so
// that it cannot shift the fields after it.
QString Felder_Verbinden(const QStringList& felder);

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
