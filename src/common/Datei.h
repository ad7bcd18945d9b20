#pragma once
#include <QByteArray>
#include <QString>

// Every file the program writes whole goes through here. The bytes go to a temporary file
// that replaces the old one only once all of them reached the disk; on any failure the old
// file stays byte for byte and the result is false.
bool Datei_Sichern(const QString& pfad, const QByteArray& daten);

// The program may run twice on the same files. While a Dateisperre holds a file, no other one,
// in this instance or another, holds it: it locks the file itself and locks again when a safe
// save put a new file in its place while it waited. A missing file is made, empty, to carry the
// lock, and goes again when nothing was written to it. Not to be had within a few seconds, it
// holds nothing; on a file system without locks it holds the file unlocked.
class Dateisperre {
public:
    explicit Dateisperre(const QString& pfad);
    ~Dateisperre();
    Dateisperre(const Dateisperre&) = delete;
    Dateisperre& operator=(const Dateisperre&) = delete;

    bool Gesperrt() const { return m_fd >= 0; }

private:
    QByteArray m_pfad;
    int m_fd = -1;
    bool m_angelegt = false;
};
