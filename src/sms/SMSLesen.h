#pragma once
#include "sms/SMSAntworten.h"

#include <QString>
#include <optional>

// Reading the phone's messages into the reading window Form5, the log of read messages, the
// sender names and the storage gauge.
namespace Module1 {

// One row of Form5.kal1.
struct SMSZeile {
    QString Code;    // "EU" received unread, "EG" received read, "AU" stored unsent, "AG" stored sent
    int Symbol = 0;  // small icon: EU 4, EG 2, AU 3, AG 1
    QString Index;   // at least two digits
    QString Nummer;
    QString Name;
    QString Datum;   // dd.mm.yy; empty for stored messages
    QString Uhrzeit;
    QString Text;
    QString PDU;  // as listed: a delete checks that the slot still holds it
};

// The row of one listed message, the name left empty; nothing for a status without decoder.
std::optional<SMSZeile> SMSZeile_Bilden(const CMGLEintrag& eintrag);

// The four lines of a record of the read-message log, joined by CR LF, without a final line end.
QString SMSLogEintrag_Bilden(const SMSZeile& zeile);

// Appends records to the log of read messages unless it holds them already. The copy of the
// log it compares with is read once, at the first record that finds the file there. A new or
// empty log is UTF-8 with the byte-order mark; an old one goes on in its own encoding, a
// Windows-1252 one until a record needs more.
class SMSLog {
public:
    explicit SMSLog(const QString& datei) : m_datei(datei) {}
    // False when the record should be in the file and is not.
    bool Eintragen(const QString& eintrag);

private:
    QString m_datei;
    bool m_gelesen = false;
    QString m_kopie;
};

// The name for a message number: SIM book, then phone book of the cache, overridden by the
// sender file SMSAbsenderDatei; the number itself when nothing matches.
QString Name_Suchen(const QString& nummer);

// "AT+CMGL=4" into Form5.kal1 (and the log), then the storage check.
void SMS_Lesen();
// "AT+CPMS?" into Form5's storage caption and bar.
void SMSSpeicher_Pruefen();

// A window reads the phone on its load only while the port is open; its buttons always ask.
bool Verbindung_Bereit();

// Line breaks of a text as CR LF, as the program's files have them.
QString Mit_CRLF(const QString& text);

}  // namespace Module1
