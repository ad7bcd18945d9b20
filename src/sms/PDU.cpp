#include "sms/PDU.h"

#include "common/Hex.h"
#include "common/Zeichen.h"
#include "sms/SMSAlphabet.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cstdint>

namespace Module1 {
namespace {

QString Zwei_Hex(int wert)
{
    return QStringLiteral("%1").arg(wert, 2, 16, QLatin1Char('0')).toUpper();
}

// Reads a PDU octet by octet. A missing or non-hexadecimal octet stops it for good, so a
// broken PDU gives the fields in front of the damage and empty ones after it.
class PDU_Leser {
public:
    explicit PDU_Leser(QStringView hex) : hex_(hex)
    {
        for (const char b : Hex_Bytes(hex))
            oktette_.append(static_cast<uint8_t>(b));
    }

    int Oktett()
    {
        if (pos_ >= oktette_.size()) {
            pos_ = oktette_.size();
            return -1;
        }
        return oktette_[pos_++];
    }

    void Ueberspringen(qsizetype anzahl) { pos_ = std::min(pos_ + anzahl, oktette_.size()); }
    qsizetype Rest() const { return oktette_.size() - pos_; }
    const uint8_t* Daten() const { return oktette_.data() + pos_; }
    QStringView Hex(qsizetype anzahl) const { return hex_.mid(2 * pos_, 2 * anzahl); }

private:
    QStringView hex_;
    QVarLengthArray<uint8_t, 256> oktette_;
    qsizetype pos_ = 0;
};

// Semi-octet digits of an address; "*" and "#" come back as the sender typed them.
QChar Adressziffer(int halbOktett)
{
    return QLatin1Char("0123456789*#CDEF"[halbOktett & 0x0F]);
}

QChar Stempelziffer(int halbOktett)
{
    return QLatin1Char("0123456789ABCDEF"[halbOktett & 0x0F]);
}

// Up to `anzahl` semi-octets, low half of each octet first, as far as the octets go.
QString Ziffern_Lesen(PDU_Leser& leser, int anzahl)
{
    QString ziffern;
    for (int i = 0; i < (anzahl + 1) / 2; ++i) {
        const int o = leser.Oktett();
        if (o < 0)
            break;
        ziffern += Adressziffer(o);
        if (ziffern.size() < anzahl)
            ziffern += Adressziffer(o >> 4);
    }
    if (ziffern.endsWith(QLatin1Char('F')))
        ziffern.chop(1);
    return ziffern;
}

QString Mit_Vorzeichen(int typ, const QString& ziffern)
{
    return typ == 0x91 && !ziffern.isEmpty() ? QLatin1Char('+') + ziffern : ziffern;
}

QString Zentrale_Lesen(PDU_Leser& leser)
{
    const int laenge = leser.Oktett();
    if (laenge <= 0)
        return {};
    const int typ = leser.Oktett();
    if (typ < 0)
        return {};
    return Mit_Vorzeichen(typ, Ziffern_Lesen(leser, 2 * (laenge - 1)));
}

// Sender or recipient: length in useful semi-octets, type, value. The type of number says
// whether the value is a name in 7-bit packing; the look of the hex digits does not.
QString Adresse_Lesen(PDU_Leser& leser, const QString& ohneZiffern)
{
    const int laenge = leser.Oktett();
    const int typ = leser.Oktett();
    if (laenge < 0 || typ < 0)
        return {};
    if (laenge == 0)
        return ohneZiffern;
    if ((typ & 0x70) == 0x50) {
        const qsizetype oktette = std::min<qsizetype>((laenge + 1) / 2, leser.Rest());
        QString name = Absender_Dekodieren(leser.Hex(oktette).toString(), laenge);
        leser.Ueberspringen(oktette);
        // "^" separates the record's fields; the modifier letter looks the same.
        return name.replace(QLatin1Char('^'), QChar(u'ˆ'));
    }
    return Mit_Vorzeichen(typ, Ziffern_Lesen(leser, laenge));
}

struct Zeitstempel {
    QString Datum;
    QString Uhrzeit;
};

// Seven octets; the time zone is passed over. Date and time need their six octets.
Zeitstempel Zeitstempel_Lesen(PDU_Leser& leser)
{
    int o[7];
    for (int& wert : o)
        wert = leser.Oktett();
    if (o[5] < 0)
        return {};
    const auto zwei = [](int wert) {
        const QChar ziffern[] = {Stempelziffer(wert), Stempelziffer(wert >> 4)};
        return QString(ziffern, 2);
    };
    return {zwei(o[2]) + QLatin1Char('/') + zwei(o[1]) + QLatin1Char('/') + zwei(o[0]),
            zwei(o[3]) + QLatin1Char(':') + zwei(o[4]) + QLatin1Char(':') + zwei(o[5])};
}

// Septet codes packed from the lowest bit of the first octet on; stops at the last whole septet.
QVarLengthArray<uint8_t, 256> Septette_Entpacken(const uint8_t* oktette, qsizetype vorhanden, int anzahl)
{
    QVarLengthArray<uint8_t, 256> septette;
    for (int i = 0; i < anzahl; ++i) {
        const qsizetype bit = 7 * qsizetype(i);
        const qsizetype o = bit / 8;
        const int versatz = int(bit % 8);
        if (o >= vorhanden)
            break;
        int wert = oktette[o] >> versatz;
        if (versatz > 1) {
            if (o + 1 >= vorhanden)
                break;
            wert |= oktette[o + 1] << (8 - versatz);
        }
        septette.append(uint8_t(wert & 0x7F));
    }
    return septette;
}

enum class Kodierung { Septette, UCS2, Hex };

// The data coding scheme: the general groups (also marked for deletion), the message-waiting
// groups and the class group. 8-bit data, compressed texts and reserved codings show as hex.
Kodierung Kodierung_Von(int dcs)
{
    if (dcs < 0)
        return Kodierung::Septette;
    switch (dcs >> 4) {
    case 0x0: case 0x1: case 0x2: case 0x3: case 0x4: case 0x5: case 0x6: case 0x7:
        if (dcs & 0x20)
            return Kodierung::Hex;
        switch ((dcs >> 2) & 0x03) {
        case 0: return Kodierung::Septette;
        case 2: return Kodierung::UCS2;
        default: return Kodierung::Hex;
        }
    case 0xC: case 0xD: return Kodierung::Septette;
    case 0xE: return Kodierung::UCS2;
    case 0xF: return (dcs & 0x04) ? Kodierung::Hex : Kodierung::Septette;
    default: return Kodierung::Hex;
    }
}

// The user data by its coding. A header (its length octet and content) is passed over; 7-bit
// text then starts at the next septet boundary and the length counts the header's septets.
// Only what the length announces is read, so a real "@" at the end stays.
QString Benutzerdaten_Lesen(PDU_Leser& leser, bool mitKopf, int dcs)
{
    const int laenge = leser.Oktett();
    if (laenge < 0)
        return {};
    const uint8_t* daten = leser.Daten();
    const qsizetype vorhanden = leser.Rest();
    leser.Ueberspringen(vorhanden);
    const qsizetype kopf = mitKopf && vorhanden > 0 ? 1 + qsizetype(daten[0]) : 0;

    const Kodierung kodierung = Kodierung_Von(dcs);
    if (kodierung == Kodierung::Septette) {
        const auto septette = Septette_Entpacken(daten, vorhanden, laenge);
        const qsizetype weg = std::min<qsizetype>((kopf * 8 + 6) / 7, septette.size());
        return SMS_Text(septette.data() + weg, septette.size() - weg);
    }
    const qsizetype ende = std::min<qsizetype>(laenge, vorhanden);
    const qsizetype anfang = std::min(kopf, ende);
    QString text;
    if (kodierung == Kodierung::UCS2) {
        text.reserve((ende - anfang) / 2);
        for (qsizetype i = anfang; i + 1 < ende; i += 2)
            text += QChar(char16_t(daten[i] << 8 | daten[i + 1]));
        return text;
    }
    static const char ziffern[] = "0123456789ABCDEF";
    text.reserve(2 * (ende - anfang));
    for (qsizetype i = anfang; i < ende; ++i) {
        text += QLatin1Char(ziffern[daten[i] >> 4]);
        text += QLatin1Char(ziffern[daten[i] & 0x0F]);
    }
    return text;
}

constexpr int KopfBit = 0x40;  // user data begins with a header

// Octets of the validity period by its format in bits 3 and 4 of the first octet.
int Gueltigkeit_Laenge(int erstesOktett)
{
    switch ((erstesOktett >> 3) & 0x03) {
    case 0: return 0;  // none
    case 2: return 1;  // relative
    default: return 7; // enhanced or absolute
    }
}

QString Statusreport_Lesen(PDU_Leser& leser, SMSFelder& felder)
{
    felder.Nummer = felder.Zentrale;
    leser.Ueberspringen(1);  // message reference
    const QString empfaenger = Adresse_Lesen(leser, QString());
    const Zeitstempel gesendet = Zeitstempel_Lesen(leser);
    const Zeitstempel ausgeliefert = Zeitstempel_Lesen(leser);
    // Status 00-1F: the transaction is completed; anything else means the message did not arrive.
    // A report cut before its status keeps the old sentence.
    const int status = leser.Oktett();
    const bool angekommen = status < 0x20;
    felder.Text = QStringLiteral("Statusreport: Meldung an ") + empfaenger + QStringLiteral(", gesendet: ")
                  + gesendet.Datum + QStringLiteral(", ") + gesendet.Uhrzeit
                  + (angekommen ? QStringLiteral(" Uhr. Ausgeliefert: ") : QStringLiteral(" Uhr. Nicht ausgeliefert: "))
                  + ausgeliefert.Datum + QStringLiteral(", ") + ausgeliefert.Uhrzeit + QStringLiteral(" Uhr.");
    return felder.Satz();
}

// What follows the first octet of a stored SMS-SUBMIT: reference, recipient, identifiers,
// validity period, user data.
void Submit_Lesen(PDU_Leser& leser, int erstesOktett, SMSFelder& felder)
{
    leser.Ueberspringen(1);  // message reference
    felder.Nummer = Adresse_Lesen(leser, QString());
    leser.Ueberspringen(1);  // protocol identifier
    const int dcs = leser.Oktett();
    leser.Ueberspringen(Gueltigkeit_Laenge(erstesOktett));
    felder.Text = Benutzerdaten_Lesen(leser, erstesOktett & KopfBit, dcs);
}

}  // namespace

QString SMSFelder::Satz() const
{
    const QChar t = QLatin1Char('^');
    return t + Zentrale + t + Nummer + t + Datum + t + Uhrzeit + t + Text;
}

SMSFelder SMSFelder::Zerlegen(const QString& satz)
{
    QStringView rest(satz);
    if (rest.startsWith(QLatin1Char('^')))
        rest = rest.mid(1);
    SMSFelder f;
    QString* const felder[] = {&f.Zentrale, &f.Nummer, &f.Datum, &f.Uhrzeit};
    for (QString* feld : felder) {
        const qsizetype p = rest.indexOf(QLatin1Char('^'));
        if (p < 0) {
            *feld = rest.toString();
            return f;
        }
        *feld = rest.left(p).toString();
        rest = rest.mid(p + 1);
    }
    f.Text = rest.toString();
    return f;
}

QString PDU_Dekodieren(const QString& pdu)
{
    PDU_Leser leser(pdu);
    SMSFelder felder;
    felder.Zentrale = Zentrale_Lesen(leser);
    const int erstes = leser.Oktett();
    if (erstes < 0)
        return felder.Satz();
    // Message type 10 is a status report, whatever the other bits say.
    if ((erstes & 0x03) == 0x02)
        return Statusreport_Lesen(leser, felder);
    felder.Nummer = Adresse_Lesen(leser, QStringLiteral("???"));
    leser.Ueberspringen(1);  // protocol identifier
    const int dcs = leser.Oktett();
    const Zeitstempel zeit = Zeitstempel_Lesen(leser);
    felder.Datum = zeit.Datum;
    felder.Uhrzeit = zeit.Uhrzeit;
    felder.Text = Benutzerdaten_Lesen(leser, erstes & KopfBit, dcs);
    return felder.Satz();
}

QString PDUGesendet_Dekodieren(const QString& pdu)
{
    const qsizetype komma = pdu.indexOf(QLatin1Char(','));
    PDU_Leser leser(QStringView(pdu).mid(komma + 1));
    SMSFelder felder;
    felder.Zentrale = Zentrale_Lesen(leser);
    const int erstes = leser.Oktett();
    if (erstes >= 0)
        Submit_Lesen(leser, erstes, felder);
    return felder.Satz();
}

QString PDUUngesendet_Dekodieren(const QString& pdu)
{
    PDU_Leser leser(pdu);
    SMSFelder felder;
    felder.Datum = felder.Uhrzeit = QStringLiteral(" ");
    Zentrale_Lesen(leser);
    const int erstes = leser.Oktett();
    if (erstes >= 0)
        Submit_Lesen(leser, erstes, felder);
    return felder.Satz();
}

int Nachrichtentyp(const QString& pdu)
{
    PDU_Leser leser(QStringView(pdu).mid(pdu.indexOf(QLatin1Char(',')) + 1));
    Zentrale_Lesen(leser);
    const int erstes = leser.Oktett();
    return erstes < 0 ? -1 : erstes & 0x03;
}

std::optional<QString> Nachricht_Dekodieren(int status, const QString& pdu)
{
    if (status < 0 || status > 3)
        return std::nullopt;
    // Phones list messages under any status; the message type says how they are built.
    const QString ohneKopf = pdu.mid(pdu.indexOf(QLatin1Char(',')) + 1);
    if (Nachrichtentyp(ohneKopf) == SMS_SUBMIT)
        return status == 2 ? PDUUngesendet_Dekodieren(ohneKopf) : PDUGesendet_Dekodieren(ohneKopf);
    return PDU_Dekodieren(ohneKopf);
}

QString Absender_Dekodieren(const QString& hex, int halbOktette)
{
    PDU_Leser leser(hex);
    const int anzahl = halbOktette < 0 ? int(leser.Rest() * 8 / 7) : halbOktette * 4 / 7;
    const auto septette = Septette_Entpacken(leser.Daten(), leser.Rest(), anzahl);
    return SMS_Text(septette.data(), septette.size());
}

QString Bits_Bilden(int wert)
{
    wert = std::clamp(wert, 0, 255);
    QString bits;
    for (int gewicht = 128; gewicht >= 1; gewicht /= 2) {
        const bool gesetzt = wert >= gewicht;
        if (gesetzt)
            wert -= gewicht;
        bits += QLatin1Char(gesetzt ? '1' : '0');
    }
    return bits;
}

namespace {

int Bits_Wandeln(const QString& bits, int laenge)
{
    if (bits.size() != laenge)
        return 0;
    int wert = 0;
    for (const QChar c : bits)
        wert = wert * 2 + (c == QLatin1Char('1') ? 1 : 0);
    return wert;
}

}  // namespace

int Septett_Wandeln(const QString& bits) { return Bits_Wandeln(bits, 7); }
int Oktett_Wandeln(const QString& bits) { return Bits_Wandeln(bits, 8); }

// ---- Encoding -------------------------------------------------------------------------

QString Text_Auffuellen(const QString& text)
{
    const int septette = SMS_Septettzahl(text);
    return text + QString((septette / 8 + 1) * 8 - septette, QLatin1Char(' '));
}

QString Gueltigkeit_Oktett(int index)
{
    static const char* const oktette[] = {"FF", "0B", "47", "8F", "A7", "AD", "B4", "C2"};
    return QLatin1String(index >= 0 && index < 8 ? oktette[index] : "FF");
}

namespace {

// Length in digits, type 91 (international, "+" not sent) or 81, digits swapped in pairs.
QString Adresse_Kodieren(const QString& nummer)
{
    QString ziffern = nummer;
    QString typ = QStringLiteral("81");
    if (ziffern.startsWith(QLatin1Char('+'))) {
        ziffern.remove(0, 1);
        typ = QStringLiteral("91");
    }
    QString feld = Zwei_Hex(int(ziffern.size())) + typ;
    if (ziffern.size() % 2 != 0)
        ziffern += QLatin1Char('F');
    ziffern.replace(QLatin1Char('*'), QLatin1Char('A')).replace(QLatin1Char('#'), QLatin1Char('B'));
    for (qsizetype i = 0; i + 1 < ziffern.size(); i += 2) {
        feld += ziffern[i + 1];
        feld += ziffern[i];
    }
    return feld;
}

// Eight septets into seven octets: octet k is the low k bits of septet k+1 in front of the
// high 8-k bits of septet k.
QString Septette_Packen(const QByteArray& septette)
{
    QString hex;
    for (qsizetype start = 0; start + 8 <= septette.size(); start += 8) {
        QString septett[8];
        for (int k = 0; k < 8; ++k)
            septett[k] = Bits_Bilden(uint8_t(septette[start + k])).mid(1);
        for (int k = 1; k <= 7; ++k)
            hex += Zwei_Hex(Oktett_Wandeln(septett[k].right(k) + septett[k - 1].left(8 - k)));
    }
    return hex;
}

}  // namespace

SubmitPDU PDU_Kodieren(const QString& text, const QString& nummer, bool report, bool direkt,
                       int gueltigkeit)
{
    QString pdu = QStringLiteral("00");
    pdu += report ? QStringLiteral("31") : QStringLiteral("11");  // SUBMIT, relative validity
    pdu += QStringLiteral("00");                                   // message reference
    pdu += Adresse_Kodieren(nummer);
    pdu += QStringLiteral("00");                                   // protocol identifier
    pdu += direkt ? QStringLiteral("F0") : QStringLiteral("00");   // class 0: shown at once
    const QByteArray septette = SMS_Septette(Text_Auffuellen(SMS_Kuerzen(text, SMSText_Hoechstlaenge)));
    pdu += Gueltigkeit_Oktett(gueltigkeit);
    pdu += Zwei_Hex(int(septette.size()));
    pdu += Septette_Packen(septette);
    return {pdu, int(pdu.size() - 2) / 2};
}

Empfaengerpruefung Empfaenger_Pruefen(const QString& nummer)
{
    if (nummer.isEmpty() || nummer == QLatin1String("+"))
        return Empfaengerpruefung::Leer;
    if (!Nummer_Pruefen(nummer) || nummer.lastIndexOf(QLatin1Char('+')) > 0)
        return Empfaengerpruefung::Ungueltig;
    // The address field holds at most 20 semi-octets.
    if (nummer.size() - (nummer.startsWith(QLatin1Char('+')) ? 1 : 0) > Empfaenger_Hoechststellen)
        return Empfaengerpruefung::Ungueltig;
    return Empfaengerpruefung::Gut;
}

}  // namespace Module1
