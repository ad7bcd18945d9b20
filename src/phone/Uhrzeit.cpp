#include "phone/Uhrzeit.h"

#include "common/Module3.h"
#include "phone/Antwortteile.h"

#include <QRegularExpression>

namespace Module1 {

std::optional<Handyuhr> CCLK_Antwort_Lesen(const QString& antwort)
{
    const QString gross = antwort.toUpper();
    if (!gross.right(4).contains(QLatin1String("OK")))
        return std::nullopt;
    const std::optional<QString> zeile = Zeile_Hinter(gross, QStringLiteral("+CCLK:"));
    if (!zeile)
        return std::nullopt;
    static const QRegularExpression muster(
        QStringLiteral("^\"(\\d\\d)/(\\d\\d)/(\\d\\d),(\\d\\d):(\\d\\d):(\\d\\d)([+-]\\d\\d)?\"$"));
    const QRegularExpressionMatch m = muster.match(zeile->trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    auto teil = [&](int i) { return m.captured(i).toInt(); };
    const QDate datum(Module3::Jahr_Ergaenzen(teil(1)), teil(2), teil(3));
    const QTime zeit(teil(4), teil(5), teil(6));
    if (!datum.isValid() || !zeit.isValid())
        return std::nullopt;
    return Handyuhr{datum, zeit};
}

std::optional<QString> CCLK_Befehl_Bilden(const QDate& datum, const QTime& zeit)
{
    if (!datum.isValid() || !zeit.isValid() || !Module3::Jahr_Zweistellig_Darstellbar(datum.year()))
        return std::nullopt;
    return QStringLiteral("AT+CCLK=") + datum.toString(QStringLiteral("yy/MM/dd")) + QLatin1Char(',') +
           zeit.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace Module1
