#pragma once
#include <QByteArray>

// The user melody in the phone: data object "mid" in slot 0, sent in blocks of 176 bytes.

// Larger files are refused before anything is sent.
constexpr qint64 Melodie_Hoechstgroesse = 5000;
// A read reply shorter than this is probably an empty melody.
constexpr int Melodie_KurzeAntwort = 133;

// Deletes the phone's melody, then sends the bytes; "Fertig." at the end. False when a step
// failed (the link has shown why); once the delete went through the old melody is gone.
bool Melodie_Schreiben(const QByteArray& daten);
// Asks the phone for its melody; afterwards the communication log holds the reply.
bool Melodie_Lesen();
bool Melodie_Loeschen();
