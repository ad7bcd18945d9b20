#pragma once
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The phone's short-message replies, read into values, and the matching of sender numbers
// against stored numbers. No window does its own index arithmetic on these replies.
namespace Module1 {

// One message of the reply to "AT+CMGL=4": list index, status 0..3 and the PDU.
struct CMGLEintrag {
    int Index = 0;
    int Status = 0;
    QString PDU;
};
// Line by line: each "+CMGL:" header with the PDU lines after it, up to the final result.
// A header whose index or status is no number is skipped together with its PDU.
QVector<CMGLEintrag> CMGL_Antwort_Zerlegen(const QString& antwort);

// The PDU in the reply to "AT+CMGR=<i>": the lines after the "+CMGR:" header up to the final
// result. Nothing when the slot is empty: no header (a bare "OK"), or a header without PDU.
std::optional<QString> CMGR_PDU_Lesen(const QString& antwort);

// Used and total count of the first storage in the reply to "AT+CPMS?".
struct SMSSpeicherstand {
    int Belegt = 0;
    int Gesamt = 0;
    int Frei() const { return Gesamt > Belegt ? Gesamt - Belegt : 0; }
    bool Voll() const { return Belegt >= Gesamt; }
};
// Nothing when the reply holds no "+CPMS:" line with two counts.
std::optional<SMSSpeicherstand> CPMS_Zaehler_Lesen(const QString& antwort);
// "SMS-Speicher: 7 von 10 frei"
QString Speicher_Beschriftung(const SMSSpeicherstand& stand);
// The storage bar in twips: it grows leftwards from a fixed right edge.
struct Speicherbalken {
    int Breite = 0;
    int Links = 0;
};
Speicherbalken Speicherbalken_Berechnen(const SMSSpeicherstand& stand);

// The reference between "+CMGS: " and the next CR LF; nothing when there is none.
std::optional<QString> CMGS_Referenz_Lesen(const QString& antwort);

// The reply to "AT+CSCA?": the number between the quotation marks behind "CSCA:" and the type
// behind them (blanks around either skipped), or the word EMPTY (an empty number counts the
// same); Unlesbar when the reply holds neither. Type 145 puts "+" before digits that lack it. Only "+" and at most 20 digits,
// or the digits alone, make a number: anything else (hex digits of a phone left in UCS2, say)
// is Ungueltig.
struct CSCAAntwort {
    enum Art { Unlesbar, Leer, Eingetragen, Ungueltig };
    Art Ergebnis = Unlesbar;
    QString Nummer;
    QString Typ;  // as the phone reported it; "" when it gave none or none that can be read
};
CSCAAntwort CSCA_Antwort_Lesen(const QString& antwort);

// Whether a message number and a stored number are the same number, tolerating the
// forms "+49...", "0049..." and "0...". An empty message number matches nothing.
bool Nummern_Vergleichen(const QString& nachricht, const QString& eintrag);

struct NameNummer {
    QString Name;
    QString Nummer;
};
// Lines of a phone-book backup (place, index, name, number, marker by TAB); lines with
// fewer than four fields are left out.
QVector<NameNummer> Absenderdatei_Zerlegen(const QStringList& zeilen);
// The name for a message number: the first match among the phone-book entries (SIM book,
// then phone book, in slot order), overridden by the first match in the sender file;
// the number itself when nothing matches, "" for an empty number.
QString Absendername_Suchen(const QString& nummer, const QVector<NameNummer>& buchEintraege,
                            const QVector<NameNummer>& dateiEintraege);

}  // namespace Module1
