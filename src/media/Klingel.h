#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// The phone's ring settings as its replies carry them.

// The 43 ring types, "01 - Handy stumm" ... "43 - Individuell"; the index is the type number.
QStringList Klingeltyp_Texte();

struct Klingelwerte {
    int Typ = 0;          // 0 ... 42
    QString Lautstaerke;  // the volume as the phone wrote it, "0" ... "4"
};
// The reply to "AT^SRTC?": "^SRTC: <type>,<volume>,<third>". Nothing when "SRTC:" or the two
// commas are missing or a value lies outside its range.
std::optional<Klingelwerte> SRTC_Lesen(const QString& antwort);

// The reply to "AT+CVIB?": nothing without "+CVIB:", else whether the vibration is on. The text
// after the "+" decides: a "1" in it ticks, then a "0" clears, so the later test wins.
std::optional<bool> CVIB_Lesen(const QString& antwort);
// The reply to "AT+CALM?": nothing without "+CALM:", else the alert mode 0, 1 or 2: the text
// after the "+" is tested for "0", then "1", then "2", and the last one found wins.
std::optional<int> CALM_Lesen(const QString& antwort);
