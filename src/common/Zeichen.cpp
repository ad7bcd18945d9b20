#include "common/Zeichen.h"

#include <QTextBoundaryFinder>

namespace Module1 {
namespace {

struct Paar {
    char16_t pc;
    char16_t handy;
};

// PC character and the phone's code for it; no target is the source of another pair.
constexpr Paar Tabelle[] = {
    {u'Ä', 91},  {u'Ö', 92},  {u'Ü', 94},  {u'ä', 123}, {u'ö', 124}, {u'ü', 126},
    {u'ß', 30},  {u'è', 4},   {u'é', 5},   {u'É', 31},  {u'Â', 14},  {u'â', 15},
    {u'à', 127}, {u'ì', 7},   {u'ù', 6},   {u'@', 0},
};

bool Alle_Im_Satz(const QString& text, const QString& satz)
{
    for (const QChar c : text)
        if (!satz.contains(c, Qt::CaseSensitive))
            return false;
    return true;
}

}  // namespace

QString Zeichen_Wandeln(QString& text)
{
    for (QChar& c : text)
        for (const Paar& p : Tabelle)
            if (c.unicode() == p.pc) {
                c = QChar(p.handy);
                break;
            }
    return text;
}

QString Zeichen_Rueckwandeln(QString& text)
{
    for (QChar& c : text)
        for (const Paar& p : Tabelle)
            if (c.unicode() == p.handy) {
                c = QChar(p.pc);
                break;
            }
    return text;
}

bool Adresse_Pruefen(const QString& text) { return Alle_Im_Satz(text, QStringLiteral("0123456789+*#F")); }
bool Nummer_Pruefen(const QString& text) { return Alle_Im_Satz(text, QStringLiteral("0123456789+*#")); }
bool Ziffern_Pruefen(const QString& text) { return Alle_Im_Satz(text, QStringLiteral("0123456789")); }
bool Servicenummer_Pruefen(const QString& text) { return Alle_Im_Satz(text, QStringLiteral("0123456789+")); }

bool Name_Pruefen(const QString& text)
{
    return Alle_Im_Satz(text, QStringLiteral(" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                                             "/*-+()?!<>äöüÄÖÜß#,.'éèÉÂâàìù"));
}

bool Name_Umkehrbar(const QString& name)
{
    QString codes = name;
    Zeichen_Wandeln(codes);
    for (const QChar c : codes)
        if (c.unicode() > 127)
            return false;
    return Zeichen_Rueckwandeln(codes) == name;
}

QString Nummerntyp(const QString& nummer)
{
    return nummer.startsWith(QLatin1Char('+')) ? QStringLiteral("145") : QStringLiteral("129");
}

QString Text_Kuerzen(const QString& text, qsizetype laenge)
{
    if (text.size() <= laenge)
        return text;
    if (laenge <= 0)
        return QString();
    QTextBoundaryFinder grenzen(QTextBoundaryFinder::Grapheme, text);
    grenzen.setPosition(laenge);
    if (!grenzen.isAtBoundary())
        grenzen.toPreviousBoundary();
    return text.left(grenzen.position());
}

}  // namespace Module1
