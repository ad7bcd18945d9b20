#pragma once
#include <QString>

// The per-user settings store: application "ORX2000", INI format. Section and key
// names compare without regard to case, and every save reaches the disk at once, whole or not
// at all: a failed save keeps the old file and is told once a program run.
namespace Einstellungen {

QString Lesen(const QString& sektion, const QString& schluessel, const QString& vorgabe = QString());
bool Speichern(const QString& sektion, const QString& schluessel, const QString& wert);
bool Loeschen(const QString& sektion, const QString& schluessel);

// Conversions used by the readers: a value that does not convert yields the default.
int Zahl_Lesen(const QString& sektion, const QString& schluessel, int vorgabe);
bool Wahrheit_Lesen(const QString& sektion, const QString& schluessel, bool vorgabe);

// The INI file in use; ORX_EINSTELLUNGEN names another one (tests, the simulated phone).
QString Datei();
void Datei_Setzen(const QString& pfad);
// The next failed save is told again, as in a new program run (tests).
void Fehlermeldung_Zuruecksetzen();

}  // namespace Einstellungen

// The one folder where the program keeps its own files ("debug.log", temporary files ...).
QString Programmordner();
