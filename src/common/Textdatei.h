#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Line-based text files: read with CR LF, LF or CR as line end, written with CR LF. Program text
// files are in Windows-1252, the code page the Windows program used, as long as the text fits it
// and its bytes do not look like UTF-8; other text is written as UTF-8 with the byte-order mark,
// so that every file reads back as it was written.
// A file with the mark, or one without it whose bytes are UTF-8 with a character beyond ASCII,
// is read as UTF-8 and keeps its encoding: the reader tells what it found, the writer takes it,
// an append looks at the file.
namespace Textdatei {

// Ansi: Windows-1252, or UTF-8 with the mark where Windows-1252 cannot hold the text.
// Utf8: UTF-8 after a byte-order mark. Utf8OhneMarke: UTF-8 without it. Files that only carry
// the phone's bytes (Latin-1, one character per byte) name Telefon.
enum class Kodierung { Ansi, Utf8, Utf8OhneMarke, Telefon };

// The lines of a file; nothing when it cannot be read. A final line end adds no empty line.
// Read as Ansi, a file in UTF-8 is read as such; `gefunden` learns which it was.
std::optional<QStringList> Lesen(const QString& pfad, Kodierung kodierung = Kodierung::Ansi,
                                 Kodierung* gefunden = nullptr);
// Splits text into lines the same way.
QStringList Zeilen(const QString& text);
// The encoding of a text file as the reader finds it, and `neu` when it is missing or empty.
Kodierung Dateikodierung(const QString& pfad, Kodierung neu = Kodierung::Ansi);
// Writes the lines whole, each followed by CR LF, in the encoding given; false when that failed,
// and the old file then stays as it was.
bool Schreiben(const QString& pfad, const QStringList& zeilen, Kodierung kodierung = Kodierung::Ansi);
// Appends the lines, each followed by CR LF, in the file's own encoding, so that it never mixes
// two; a missing or empty file is begun in `neu`, a missing one with the lines of `kopf` first.
// A Windows-1252 file that cannot hold the lines, or would then look like UTF-8, is turned into
// UTF-8 with the mark first, in one safe save with them. Telefon files stay Latin-1. Under the
// file's lock; false when it could not be had or not every byte reached the file, which is then
// as it was before.
bool Anhaengen(const QString& pfad, const QStringList& zeilen, Kodierung neu = Kodierung::Ansi,
               const QStringList& kopf = {});

// A TAB-separated line of the fields; a TAB or line break inside a field becomes a blank, so
// that it cannot shift the fields after it.
QString Felder_Verbinden(const QStringList& felder);

// The encoding of a whole file's bytes: Utf8 after the mark, Utf8OhneMarke for valid UTF-8 with a
// character beyond ASCII, else Ansi.
Kodierung Erkennen(const QByteArray& bytes);
// A whole file's bytes as text, in the encoding Erkennen finds.
QString Dekodieren(const QByteArray& bytes);
// Text as Windows-1252 bytes, "?" for every character the code page cannot hold.
QByteArray Kodieren(const QString& text);
// Whether Windows-1252 holds every character of the text.
bool Ansi_Fasst(const QString& text);

// Windows-1252 comes from Qt's ICU converter when this build has one, else from a table of our
// own; tests run both.
enum class Wandler { Icu, Tabelle };
bool Icu_Vorhanden();
Wandler Aktueller_Wandler();
void Wandler_Setzen(Wandler wandler);

}  // namespace Textdatei
