#pragma once
#include <QByteArray>
#include <QString>

// The operator logo in the phone: data object "bmp" in slot 0, sent in blocks of 176 bytes.

// Larger files are refused before anything is sent.
constexpr qint64 Logo_Hoechstgroesse = 5000;
// A read reply shorter than this holds no logo.
constexpr int Logo_KurzeAntwort = 50;

// Sends the bytes; "Fertig." at the end. False when a step failed (the link has shown why).
bool Logo_Schreiben(const QByteArray& daten);
// Reads the logo into the file, replacing it. False when nothing was written: a failed command
// (the status stays), a reply without a logo ("Keine Bitmap gefunden!", then "Fertig."), or a
// file that cannot be written ("Die Datei konnte nicht geschrieben werden!").
bool Logo_Lesen(const QString& ziel);
// Deletes the logo in the phone; "Fertig." on success.
bool Logo_Loeschen();
