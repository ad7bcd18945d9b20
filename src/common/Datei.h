#pragma once
#include <QByteArray>
#include <QLockFile>
#include <QString>

// Every file the program writes whole goes through here. The bytes go to a temporary file
// that replaces the old one only once all of them reached the disk; on any failure the old
// file stays byte for byte and the result is false.
bool Datei_Sichern(const QString& pfad, const QByteArray& daten);

// The program may run twice on the same files. While a Dateisperre holds a file, no other one,
// in this instance or another, holds it: Qt's lock file beside it (its name with ".lock"), which
// needs no lock of the file system and stays when a safe save replaces the file. The lock of an
// instance that died is taken over. Not to be had within three seconds, or not to be made
// (a folder that cannot be written, a full disk), it holds nothing.
class Dateisperre {
public:
    explicit Dateisperre(const QString& pfad);
    Dateisperre(const Dateisperre&) = delete;
    Dateisperre& operator=(const Dateisperre&) = delete;

    bool Gesperrt() const { return m_sperre.isLocked(); }

private:
    QLockFile m_sperre;
};
