#include "sms/SMSLesen.h"

#include "common/Dialoge.h"
#include "common/Textdatei.h"
#include "common/Zeichen.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/PortKanal.h"
#include "link/Telefonbuecher.h"
#include "sms/Form5.h"
#include "sms/PDU.h"

#include <QFileInfo>
#include <QPointer>

#include <algorithm>

namespace Module1 {

namespace {

// Padded or cut to the length; a character the cut would split goes whole.
QString Passend(const QString& text, int laenge)
{
    return Text_Kuerzen(text, laenge).leftJustified(laenge, QLatin1Char(' '));
}

}  // namespace

std::optional<SMSZeile> SMSZeile_Bilden(const CMGLEintrag& eintrag)
{
    const std::optional<QString> satz = Nachricht_Dekodieren(eintrag.Status, eintrag.PDU);
    if (!satz)
        return std::nullopt;
    static const char* const codes[] = {"EU", "EG", "AU", "AG"};
    static const int symbole[] = {4, 2, 3, 1};
    const SMSFelder felder = SMSFelder::Zerlegen(*satz);

    SMSZeile z;
    z.Code = QLatin1String(codes[eintrag.Status]);
    z.Symbol = symbole[eintrag.Status];
    z.Index = QString::number(eintrag.Index).rightJustified(2, QLatin1Char('0'));
    z.Nummer = felder.Nummer;
    z.Datum = felder.Datum;
    if (z.Datum.size() > 3)
        z.Datum = z.Datum.mid(0, 2) + QLatin1Char('.') + z.Datum.mid(3, 2) + QLatin1Char('.') + z.Datum.mid(6, 2);
    // A stored message has no date; a received one keeps its date under any list status.
    if (Nachrichtentyp(eintrag.PDU) == SMS_SUBMIT)
        z.Datum.clear();
    z.Uhrzeit = felder.Uhrzeit;
    z.Text = felder.Text;
    z.PDU = eintrag.PDU;
    return z;
}

QString SMSLogEintrag_Bilden(const SMSZeile& z)
{
    const QString kopf = Passend(z.Code, 4) + QLatin1Char(' ') + Passend(z.Nummer, 18) + QStringLiteral(" (") +
                         Passend(z.Name, 18) + QStringLiteral(") ") + Passend(z.Datum, 9) + Passend(z.Uhrzeit, 9);
    const QString text = Passend(z.Text, 160);
    const QString crlf = QStringLiteral("\r\n");
    return kopf + crlf + text.left(80) + crlf + text.mid(80) + crlf + QString(80, QLatin1Char('-'));
}

bool Verbindung_Bereit() { return Link().Port && Link().Port->IstOffen(); }

QString Mit_CRLF(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

bool SMSLog::Eintragen(const QString& eintrag)
{
    // A text's own line breaks are written as CR LF, so that the copy read back finds them.
    const QString record = Mit_CRLF(eintrag);
    const QString satz = record + QStringLiteral("\r\n");
    if (!m_gelesen && QFileInfo::exists(m_datei)) {
        m_gelesen = true;
        Status_Setzen(QStringLiteral("Lese SMS-Datei ein..."));
        if (const auto zeilen = Textdatei::Lesen(m_datei))
            for (const QString& zeile : *zeilen)
                m_kopie += QStringLiteral("\r\n") + zeile;
    }
    if (m_kopie.contains(record))
        return true;
    // A new or empty log is UTF-8, so that a message in any alphabet is kept whole; an old
    // Windows-1252 one becomes UTF-8 once, when it must take a character it cannot hold:
    // appended as "?", two texts would look alike and the second would never be logged.
    return Textdatei::Anhaengen(m_datei, {satz}, Textdatei::Kodierung::Utf8);
}

QString Name_Suchen(const QString& nummer)
{
    QVector<NameNummer> buch;
    for (int b : {1, 2})
        for (int platz = 1; platz <= TBuchPlaetze && !TBuchDaten[b][platz][1].isEmpty(); ++platz)
            buch.append({TBuchDaten[b][platz][2], TBuchDaten[b][platz][3]});
    QVector<NameNummer> datei;
    if (!SMSAbsenderDatei.isEmpty())
        if (const auto zeilen = Textdatei::Lesen(SMSAbsenderDatei))
            datei = Absenderdatei_Zerlegen(*zeilen);
    return Absendername_Suchen(nummer, buch, datei);
}

void SMS_Lesen()
{
    // The window may go while the phone is asked.
    QPointer<Form5> f = Form5::Instanz();
    Verbindung& L = Link();
    Status_Setzen(QStringLiteral("Lese SMS-Nachrichten..."));
    f->Liste_Leeren();
    L.Text1.clear();
    if (!Befehl_Senden(QStringLiteral("AT+CMGL=4"), true) || !f)
        return;

    SMSLog log(SMSLogDatei);
    bool logGescheitert = false;
    for (const CMGLEintrag& eintrag : CMGL_Antwort_Zerlegen(L.Text2)) {
        std::optional<SMSZeile> zeile = SMSZeile_Bilden(eintrag);
        if (!zeile)
            continue;
        zeile->Name = Name_Suchen(zeile->Nummer);
        f->Zeile_Anfuegen(*zeile);
        // A log that cannot be written is told once a read, and left alone for the rest of it.
        if (SMSAutoLog && !logGescheitert && !log.Eintragen(SMSLogEintrag_Bilden(*zeile))) {
            logGescheitert = true;
            Schreibfehler_Melden();
        }
    }
    Status_Setzen(QStringLiteral("Fertig."));
    f->Erste_Zeile_Zeigen();
    SMSSpeicher_Pruefen();
}

void SMSSpeicher_Pruefen()
{
    QPointer<Form5> f = Form5::Instanz();
    Verbindung& L = Link();
    f->Speicher_Verbergen();
    Status_Setzen(QStringLiteral("Prüfe freien SMS-Speicher..."));
    L.Text1.clear();
    L.Text2.clear();
    if (!Befehl_Senden(QStringLiteral("AT+CPMS?"), true) || !f)
        return;
    // A reply without two counts leaves the caption hidden.
    const std::optional<SMSSpeicherstand> stand = CPMS_Zaehler_Lesen(L.Text2);
    if (!stand)
        return;
    f->Speicher_Zeigen(*stand);
    Status_Setzen(QStringLiteral("Fertig."));
}

}  // namespace Module1
