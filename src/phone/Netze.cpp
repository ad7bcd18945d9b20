#include "phone/Netze.h"

#include "link/Module1.h"
#include "phone/Antwortteile.h"

#include <QRegularExpression>
#include <algorithm>

namespace Module1 {

namespace {

struct Land {
    int mcc;
    const char* name;  // UTF-8
};

const Land Laender[] = {
    {202, "Griechenland"},
    {204, "Niederlande"},
    {206, "Belgien"},
    {208, "Frankreich"},
    {213, "Andorra"},
    {214, "Spanien"},
    {216, "Ungarn"},
    {218, "Bosnien"},
    {219, "Kroatien"},
    {220, "Jugoslavien"},
    {222, "Italien"},
    {226, "Rumänien"},
    {228, "Schweiz"},
    {230, "Czechische Rep."},
    {231, "Slowakei"},
    {232, "Österreich"},
    {234, "Grossbritanien"},
    {235, "Grossbritanien"},
    {238, "Dänemark"},
    {240, "Schweden"},
    {242, "Norwegen"},
    {244, "Finnland"},
    {246, "Litauen"},
    {247, "Lettland"},
    {248, "Estland"},
    {250, "Russland"},
    {255, "Ukraine"},
    {259, "Moldavien"},
    {260, "Polen"},
    {262, "Deutschland"},
    {266, "Gibraltar"},
    {268, "Portugal"},
    {270, "Luxemburg"},
    {272, "Irland"},
    {274, "Island"},
    {276, "Albanien"},
    {278, "Malta"},
    {280, "Zypern"},
    {282, "Georgien"},
    {283, "Armenien"},
    {284, "Bulgarien"},
    {286, "Türkei"},
    {293, "Slowenien"},
    {294, "Mazedonien"},
    {340, "franz. West Indien"},
    {400, "Azerbaijan"},
    {401, "Kasachstan"},
    {404, "Indien"},
    {413, "Sri Lanka"},
    {415, "Libanon"},
    {416, "Jordanien"},
    {417, "Syrien"},
    {419, "Kuwait"},
    {420, "Saudi Arabien"},
    {422, "Oman"},
    {424, "Vereinigte Arabische Emirate"},
    {425, "Israel"},
    {426, "Bahrain"},
    {427, "Qatar"},
    {434, "Uzbekistan"},
    {437, "Kyrgyzstan"},
    {452, "Vietnam"},
    {454, "Hong Kong"},
    {455, "Macao"},
    {456, "Kambodscha"},
    {460, "China"},
    {466, "Taiwan"},
    {470, "Bangladesh"},
    {502, "Malaysia"},
    {505, "Australien"},
    {510, "Indonesien"},
    {515, "Philippinen"},
    {520, "Thailand"},
    {525, "Singapur"},
    {528, "Brunei"},
    {530, "Neuseeland"},
    {542, "Fiji"},
    {546, "Neukaledonien"},
    {547, "Polynesien"},
    {602, "Ägypten"},
    {604, "Maroko"},
    {608, "Senegal"},
    {611, "Guinea"},
    {612, "Elfenbeinküste"},
    {615, "Tongo"},
    {617, "Mauritius"},
    {620, "Ghana"},
    {633, "Seychellen"},
    {636, "Ethiopien"},
    {640, "Tansania"},
    {641, "Uganda"},
    {643, "Mozambique"},
    {647, "La Reunion"},
    {648, "Zimbabwe"},
    {650, "Malawi"},
    {651, "Lesotho"},
    {655, "Südafrika"},
};

bool Nur_Ziffern(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The entries behind each `marke`, one per line, in reply order.
QStringList Eintragszeilen(const QString& antwort, const QString& marke)
{
    QStringList zeilen;
    qsizetype p = antwort.indexOf(marke);
    while (p >= 0) {
        const QString rest = antwort.mid(p);
        zeilen << *Zeile_Hinter(rest, marke);
        p = antwort.indexOf(marke, p + marke.size());
    }
    return zeilen;
}

// The parenthesised groups of a reply line; parentheses inside quotes do not count.
QStringList Klammergruppen(const QString& text)
{
    QStringList gruppen;
    bool zitat = false;
    int tiefe = 0;
    QString gruppe;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            zitat = !zitat;
        if (!zitat && c == QLatin1Char('(')) {
            if (tiefe++ == 0) {
                gruppe.clear();
                continue;
            }
        } else if (!zitat && c == QLatin1Char(')') && tiefe > 0) {
            if (--tiefe == 0) {
                gruppen << gruppe;
                continue;
            }
        }
        if (tiefe > 0)
            gruppe += c;
    }
    return gruppen;
}

}  // namespace

QString Land_Lesen(int mcc)
{
    for (const Land& l : Laender)
        if (l.mcc == mcc)
            return QString::fromUtf8(l.name);
    return QString();
}

int Laender_Anzahl() { return static_cast<int>(std::size(Laender)); }

QString Land_Zum_Code(const QString& code)
{
    if (code.size() < 3 || !Nur_Ziffern(code.left(3)))
        return QString();
    return Land_Lesen(code.left(3).toInt());
}

QVector<Betreibereintrag> SPLM_Antwort_Zerlegen(const QString& antwort)
{
    QVector<Betreibereintrag> eintraege;
    for (const QString& zeile : Eintragszeilen(antwort, QStringLiteral("^SPLM:"))) {
        const QStringList felder = Felder_Teilen(zeile.trimmed());
        if (felder.size() < 2 || !In_Anfuehrung(felder.at(1)))
            break;
        const QString code = Ohne_Anfuehrung(felder.at(0));
        if (!Nur_Ziffern(code))
            break;
        eintraege.push_back({code, Ohne_Anfuehrung(felder.at(1))});
    }
    return eintraege;
}

std::optional<Platzbereich> SPLR_Bereich_Lesen(const QString& antwort)
{
    const std::optional<QString> zeile = Zeile_Hinter(antwort, QStringLiteral("^SPLR:"));
    if (!zeile)
        return std::nullopt;
    const QStringList gruppen = Klammergruppen(*zeile);
    if (gruppen.isEmpty())
        return std::nullopt;
    const QStringList grenzen = gruppen.first().split(QLatin1Char('-'));
    if (grenzen.size() != 2 || !Nur_Ziffern(grenzen.at(0).trimmed()) || !Nur_Ziffern(grenzen.at(1).trimmed()))
        return std::nullopt;
    return Platzbereich{grenzen.at(0).trimmed(), grenzen.at(1).trimmed()};
}

QVector<Bevorzugtes_Netz> SPLR_Antwort_Zerlegen(const QString& antwort)
{
    QVector<Bevorzugtes_Netz> plaetze;
    for (const QString& zeile : Eintragszeilen(antwort, QStringLiteral("^SPLR:"))) {
        const QStringList felder = Felder_Teilen(zeile.trimmed());
        const QString index = Ohne_Anfuehrung(felder.at(0));
        if (!Nur_Ziffern(index))
            break;
        // A slot without a code, or with a code of zeros, is empty.
        QString code = felder.size() > 1 ? Ohne_Anfuehrung(felder.at(1)) : QString();
        qsizetype ziffern = 0;
        while (ziffern < code.size() && code.at(ziffern).isDigit())
            ++ziffern;
        code.truncate(ziffern);
        if (code.count(QLatin1Char('0')) == code.size())
            code.clear();
        plaetze.push_back({index, code});
    }
    return plaetze;
}

QVector<Netz_In_Reichweite> COPS_Liste_Zerlegen(const QString& antwort)
{
    QVector<Netz_In_Reichweite> netze;
    const qsizetype p = antwort.indexOf(QLatin1String("+COPS:"));
    if (p < 0)
        return netze;
    // A long list may be wrapped onto further lines; it ends with the final result line.
    QString liste;
    static const QRegularExpression zeilenende(QStringLiteral("[\r\n]"));
    for (const QString& zeile : antwort.mid(p + 6).split(zeilenende)) {
        if (Endergebnis(zeile + QLatin1Char('\r')) != Ergebnis::Keins)
            break;
        liste += zeile;
    }
    for (const QString& gruppe : Klammergruppen(liste)) {
        if (!gruppe.contains(QLatin1Char('"')))
            break;
        const QStringList felder = Felder_Teilen(gruppe);
        Netz_In_Reichweite netz;
        netz.Status = Zahl_Vorhanden(felder.at(0)) ? Zahl_Lesen(felder.at(0)) : -1;
        netz.Langname = felder.size() > 1 ? Ohne_Anfuehrung(felder.at(1)) : QString();
        netz.Code = felder.size() > 3 ? Ohne_Anfuehrung(felder.at(3)) : QString();
        netze.push_back(netz);
    }
    return netze;
}

QString Netzstatus_Text(int status)
{
    switch (status) {
    case 1: return QStringLiteral("verfügbar");
    case 2: return QStringLiteral("eingebucht");
    case 3: return QStringLiteral("verboten");
    default: return QStringLiteral("unbekannt");
    }
}

int Netzstatus_Bild(int status)
{
    switch (status) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 3;
    default: return 0;
    }
}

void Zeilen_Sortieren(QVector<QStringList>& zeilen, int spalte, bool aufsteigend)
{
    std::stable_sort(zeilen.begin(), zeilen.end(), [&](const QStringList& a, const QStringList& b) {
        const int v = QString::compare(a.value(spalte), b.value(spalte), Qt::CaseSensitive);
        return aufsteigend ? v < 0 : v > 0;
    });
}

}  // namespace Module1
