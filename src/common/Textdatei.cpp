#include "common/Textdatei.h"

#include <QFile>
#include <QSaveFile>

namespace Textdatei {
namespace {

QByteArray Mit_Zeilenenden(const QStringList& zeilen)
{
    QByteArray daten;
    for (const QString& z : zeilen) {
        daten += z.toLatin1();
        daten += "\r\n";
    }
    return daten;
}

}  // namespace

QStringList Zeilen(const QString& text)
{
    QStringList zeilen;
    QString zeile;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            zeilen << zeile;
            zeile.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            zeile += c;
        }
    }
    if (!zeile.isEmpty())
        zeilen << zeile;
    return zeilen;
}

std::optional<QStringList> Lesen(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return Zeilen(QString::fromLatin1(f.readAll()));
}

bool Schreiben(const QString& pfad, const QStringList& zeilen)
{
    QSaveFile f(pfad);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray daten = Mit_Zeilenenden(zeilen);
    if (f.write(daten) != daten.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool Anhaengen(const QString& pfad, const QStringList& zeilen)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray daten = Mit_Zeilenenden(zeilen);
    return f.write(daten) == daten.size();
}

}  // namespace Textdatei
