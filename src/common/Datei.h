#pragma once
#include <QByteArray>
#include <QString>

// Every file the program writes whole goes through here. The bytes go to a temporary file
// that replaces the old one only once all of them reached the disk; on any failure the old
// file stays byte for byte and the result is false.
bool Datei_Sichern(const QString& pfad, const QByteArray& daten);
