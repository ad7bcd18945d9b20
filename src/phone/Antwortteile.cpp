#include "phone/Antwortteile.h"

namespace Module1 {

namespace {

qsizetype Ohne_Blanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return i;
}

bool Ziffer(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool Zeilenende(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

}  // namespace

int Zahl_Lesen(QStringView text)
{
    qint64 wert = 0;
    for (qsizetype i = Ohne_Blanks(text); i < text.size() && Ziffer(text.at(i)); ++i) {
        wert = wert * 10 + (text.at(i).unicode() - '0');
        if (wert > 999999999)  // a reply never holds such numbers; keep clear of overflow
            return 999999999;
    }
    return static_cast<int>(wert);
}

bool Zahl_Vorhanden(QStringView text)
{
    const qsizetype i = Ohne_Blanks(text);
    return i < text.size() && Ziffer(text.at(i));
}

std::optional<QString> Zeile_Hinter(const QString& antwort, const QString& marke)
{
    const qsizetype p = antwort.indexOf(marke);
    if (p < 0)
        return std::nullopt;
    qsizetype ende = p + marke.size();
    while (ende < antwort.size() && !Zeilenende(antwort.at(ende)))
        ++ende;
    return antwort.mid(p + marke.size(), ende - p - marke.size());
}

QStringList Felder_Teilen(const QString& zeile)
{
    QStringList felder;
    QString feld;
    bool zitat = false;
    for (const QChar c : zeile) {
        if (c == QLatin1Char('"'))
            zitat = !zitat;
        if (c == QLatin1Char(',') && !zitat) {
            felder << feld;
            feld.clear();
        } else {
            feld += c;
        }
    }
    felder << feld;
    return felder;
}

QString Ohne_Anfuehrung(const QString& feld)
{
    const QString t = feld.trimmed();
    if (In_Anfuehrung(t))
        return t.mid(1, t.size() - 2);
    return t;
}

bool In_Anfuehrung(const QString& feld)
{
    const QString t = feld.trimmed();
    return t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"'));
}

QString Einzeilig(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

}  // namespace Module1
