#pragma once
#include <QString>
#include <optional>

// Short messages in the phone's PDU mode: decoding what the message list delivers and
// building the SMS-SUBMIT unit that is sent or stored.
namespace Module1 {

// One message as the list reader receives it. As text: "^" before each of the five fields.
struct SMSFelder {
    QString Zentrale;
    QString Nummer;
    QString Datum;
    QString Uhrzeit;
    QString Text;

    QString Satz() const;
    // The first four fields end at the next "^"; the text is the rest, "^" included.
    static SMSFelder Zerlegen(const QString& satz);
};

// The texts are decoded by their data coding scheme: GSM 7-bit with the extension table, UCS2,
// and 8-bit or unknown data as hexadecimal digits; a user-data header is passed over.

// The longest text a decoded message shows: 140 octets of 8-bit data as hexadecimal digits
// (160 septets or 70 UCS2 characters are shorter).
constexpr int SMSAnzeige_Hoechstlaenge = 2 * 140;

// Received message (SMS-DELIVER) or status report.
QString PDU_Dekodieren(const QString& pdu);
// Stored sent message (SMS-SUBMIT). A list header before the first "," is dropped.
QString PDUGesendet_Dekodieren(const QString& pdu);
// Stored unsent message (SMS-SUBMIT). Date and time are one blank each.
QString PDUUngesendet_Dekodieren(const QString& pdu);

// Message type bits of the first octet (after a list header and the service-centre field);
// -1 when there is no first octet.
constexpr int SMS_DELIVER = 0, SMS_SUBMIT = 1, SMS_STATUS_REPORT = 2;
int Nachrichtentyp(const QString& pdu);
// The record of a message listed with status 0 to 3; nothing for any other status. The message
// type chooses the decoder: a SUBMIT is read as stored unsent under status 2, else as stored
// sent; everything else as received message or status report.
std::optional<QString> Nachricht_Dekodieren(int status, const QString& pdu);

// A 7-bit packed alphanumeric address in the SMS alphabet. halbOktette is the
// address length field (useful semi-octets); negative means all of the hex text.
QString Absender_Dekodieren(const QString& hex, int halbOktette = -1);

// Bit strings, most significant bit first.
QString Bits_Bilden(int wert);                 // 0..255 to 8 characters "0"/"1"
int Septett_Wandeln(const QString& bits);      // 7 characters to 0..127, else 0
int Oktett_Wandeln(const QString& bits);       // 8 characters to 0..255, else 0

// ---- Encoding -------------------------------------------------------------------------

// The longest text a message carries before filling, in septets (a character of the extension
// table takes two).
constexpr int SMSText_Hoechstlaenge = 159;
// The most digits ("*" and "#" included, a leading "+" not) a recipient may have.
constexpr int Empfaenger_Hoechststellen = 20;

struct SubmitPDU {
    QString PDU;     // upper-case hexadecimal, service-centre field "00" first
    int Oktette = 0; // the count that follows "at+cmgs=" / "at+cmgw=": without the first field
};

// Appends 1 to 8 blanks so that the length in septets is a multiple of 8.
QString Text_Auffuellen(const QString& text);
// Relative validity period for the index of the duration box; any other index is "FF".
QString Gueltigkeit_Oktett(int index);
// The unit for one recipient. The number must have passed Empfaenger_Pruefen or be empty
// (stored without address); the text is cut to SMSText_Hoechstlaenge septets and goes in the
// GSM alphabet with its extension table, "?" for a character without code.
SubmitPDU PDU_Kodieren(const QString& text, const QString& nummer, bool report, bool direkt,
                       int gueltigkeit);

enum class Empfaengerpruefung { Gut, Leer, Ungueltig };
// Every recipient is checked before anything is sent: digits, "*", "#", and "+" in front only.
// Leer: no number at all (or "+" alone); Ungueltig: a character that has no address code, or
// more than Empfaenger_Hoechststellen digits.
Empfaengerpruefung Empfaenger_Pruefen(const QString& nummer);

}  // namespace Module1
