#include "sms/SMSAntworten.h"

#include "common/Textdatei.h"
#include "common/Zeichen.h"

namespace Module1 {
namespace {

bool Ist_Endzeile(const QString& zeile)
{
    return zeile == QLatin1String("OK") || zeile == QLatin1String("ERROR")
           || zeile.startsWith(QLatin1String("+CMS ERROR")) || zeile.startsWith(QLatin1String("+CME ERROR"));
}

// A whole number, blanks around it allowed; nothing for anything else.
std::optional<int> Zahl_Lesen(QStringView feld)
{
    bool gut = false;
    const int wert = feld.trimmed().toInt(&gut);
    if (!gut || wert < 0)
        return std::nullopt;
    return wert;
}

std::optional<CMGLEintrag> Kopf_Lesen(const QString& zeile)
{
    const QStringView felder = QStringView(zeile).mid(zeile.indexOf(QLatin1Char(':')) + 1);
    const auto teile = felder.split(QLatin1Char(','));
    if (teile.size() < 2)
        return std::nullopt;
    const auto index = Zahl_Lesen(teile[0]);
    const auto status = Zahl_Lesen(teile[1]);
    if (!index || !status)
        return std::nullopt;
    return CMGLEintrag{*index, *status, QString()};
}

// The reply's lines up to its final line, trimmed, empty ones left out.
QStringList Antwortzeilen(const QString& antwort)
{
    QStringList zeilen;
    for (const QString& roh : Textdatei::Zeilen(antwort)) {
        const QString zeile = roh.trimmed();
        if (zeile.isEmpty())
            continue;
        if (Ist_Endzeile(zeile))
            break;
        zeilen << zeile;
    }
    return zeilen;
}

}  // namespace

QVector<CMGLEintrag> CMGL_Antwort_Zerlegen(const QString& antwort)
{
    QVector<CMGLEintrag> eintraege;
    bool pduFolgt = false;
    for (const QString& zeile : Antwortzeilen(antwort)) {
        if (zeile.startsWith(QLatin1String("+CMGL:"))) {
            const auto kopf = Kopf_Lesen(zeile);
            pduFolgt = kopf.has_value();
            if (kopf)
                eintraege.append(*kopf);
        } else if (pduFolgt) {
            eintraege.last().PDU += zeile;
        }
    }
    return eintraege;
}

std::optional<QString> CMGR_PDU_Lesen(const QString& antwort)
{
    QString pdu;
    bool kopf = false;
    for (const QString& zeile : Antwortzeilen(antwort)) {
        if (zeile.startsWith(QLatin1String("+CMGR:")))
            kopf = true;
        else if (kopf)
            pdu += zeile;
    }
    if (pdu.isEmpty())
        return std::nullopt;
    return pdu;
}

std::optional<SMSSpeicherstand> CPMS_Zaehler_Lesen(const QString& antwort)
{
    const qsizetype start = antwort.indexOf(QLatin1String("+CPMS:"));
    if (start < 0)
        return std::nullopt;
    QStringView zeile = QStringView(antwort).mid(start + 6);
    const qsizetype ende = zeile.indexOf(QLatin1Char('\r')) >= 0 ? zeile.indexOf(QLatin1Char('\r'))
                                                                  : zeile.indexOf(QLatin1Char('\n'));
    if (ende >= 0)
        zeile = zeile.left(ende);
    const auto felder = zeile.split(QLatin1Char(','));
    if (felder.size() < 3)
        return std::nullopt;
    const auto belegt = Zahl_Lesen(felder[1]);
    const auto gesamt = Zahl_Lesen(felder[2]);
    if (!belegt || !gesamt)
        return std::nullopt;
    return SMSSpeicherstand{*belegt, *gesamt};
}

QString Speicher_Beschriftung(const SMSSpeicherstand& stand)
{
    return QStringLiteral("SMS-Speicher: %1 von %2 frei").arg(stand.Frei()).arg(stand.Gesamt);
}

Speicherbalken Speicherbalken_Berechnen(const SMSSpeicherstand& stand)
{
    constexpr int volleBreite = 2175;
    constexpr int rechterRand = 2295;
    const int breite = stand.Gesamt > 0 ? int(qint64(stand.Frei()) * volleBreite / stand.Gesamt) : 0;
    return {breite, rechterRand - breite};
}

std::optional<QString> CMGS_Referenz_Lesen(const QString& antwort)
{
    const QLatin1String kopf("+CMGS: ");
    const qsizetype start = antwort.indexOf(kopf);
    if (start < 0)
        return std::nullopt;
    const qsizetype ende = antwort.indexOf(QLatin1String("\r\n"), start + kopf.size());
    if (ende < 0)
        return std::nullopt;
    return antwort.mid(start + kopf.size(), ende - start - kopf.size());
}

CSCAAntwort CSCA_Antwort_Lesen(const QString& antwort)
{
    if (antwort.contains(QLatin1String("EMPTY")))
        return {CSCAAntwort::Leer, QString(), QString()};
    const qsizetype kopf = antwort.indexOf(QLatin1String("CSCA:"));
    if (kopf < 0)
        return {};
    const qsizetype auf = antwort.indexOf(QLatin1Char('"'), kopf);
    const qsizetype zu = auf < 0 ? -1 : antwort.indexOf(QLatin1Char('"'), auf + 1);
    if (zu < 0)
        return {CSCAAntwort::Ungueltig, QString(), QString()};
    QString nummer = antwort.mid(auf + 1, zu - auf - 1).trimmed();
    if (nummer.isEmpty())
        return {CSCAAntwort::Leer, QString(), QString()};
    // The type is the rest of the line behind one comma; anything else there makes it unreadable.
    qsizetype ende = zu + 1;
    while (ende < antwort.size() && antwort[ende] != u'\r' && antwort[ende] != u'\n')
        ++ende;
    const QString rest = antwort.mid(zu + 1, ende - zu - 1).trimmed();
    QString typ;
    if (rest.startsWith(QLatin1Char(',')) && Ziffern_Pruefen(rest.mid(1).trimmed()))
        typ = rest.mid(1).trimmed();
    if (typ == QLatin1String("145") && !nummer.startsWith(QLatin1Char('+')))
        nummer.prepend(QLatin1Char('+'));
    const QString ziffern = nummer.startsWith(QLatin1Char('+')) ? nummer.mid(1) : nummer;
    if (ziffern.isEmpty() || ziffern.size() > 20 || !Ziffern_Pruefen(ziffern))
        return {CSCAAntwort::Ungueltig, QString(), QString()};
    return {CSCAAntwort::Eingetragen, nummer, typ};
}

bool Nummern_Vergleichen(const QString& nachricht, const QString& eintrag)
{
    if (nachricht.isEmpty())
        return false;
    if (nachricht.left(3) == eintrag.left(3))
        return nachricht == eintrag;
    // Tails after the international prefix; a tail of no characters would match anything.
    const auto gleicheEnden = [&](qsizetype k) { return k > 0 && nachricht.right(k) == eintrag.right(k); };
    const bool nPlus = nachricht.startsWith(QLatin1Char('+'));
    const bool ePlus = eintrag.startsWith(QLatin1Char('+'));
    const bool nNull = nachricht.startsWith(QLatin1String("00"));
    const bool eNull = eintrag.startsWith(QLatin1String("00"));
    if (nPlus && !ePlus && gleicheEnden(nachricht.size() - 3))
        return true;
    if (ePlus && !nPlus && gleicheEnden(eintrag.size() - 3))
        return true;
    if (nNull && nachricht.size() > 3 && !eNull && gleicheEnden(nachricht.size() - 4))
        return true;
    if (eNull && !nNull && gleicheEnden(eintrag.size() - 4))
        return true;
    return false;
}

QVector<NameNummer> Absenderdatei_Zerlegen(const QStringList& zeilen)
{
    QVector<NameNummer> eintraege;
    for (const QString& zeile : zeilen) {
        const QStringList felder = zeile.split(QLatin1Char('\t'));
        if (felder.size() >= 4)
            eintraege.append({felder[2], felder[3]});
    }
    return eintraege;
}

QString Absendername_Suchen(const QString& nummer, const QVector<NameNummer>& buchEintraege,
                            const QVector<NameNummer>& dateiEintraege)
{
    if (nummer.isEmpty())
        return QString();
    for (const NameNummer& e : dateiEintraege)
        if (Nummern_Vergleichen(nummer, e.Nummer))
            return e.Name;
    for (const NameNummer& e : buchEintraege)
        if (Nummern_Vergleichen(nummer, e.Nummer))
            return e.Name;
    return nummer;
}

}  // namespace Module1
