#include "media/Klingel.h"

QStringList Klingeltyp_Texte()
{
    QStringList texte;
    for (int i = 0; i < 43; ++i) {
        const char* gruppe = i == 0    ? "Handy stumm"
                             : i <= 4  ? "Standard"
                             : i <= 22 ? "Klassisch"
                             : i <= 26 ? "Traditionell"
                             : i <= 32 ? "Diskret"
                             : i <= 41 ? "Poppig"
                                       : "Individuell";
        texte << QStringLiteral("%1 - %2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(QLatin1String(gruppe));
    }
    return texte;
}

namespace {

// A number read from the start of the text, leading blanks ignored.
std::optional<int> Zahl_Vorn(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype n = 0;
    while (n < t.size() && t.at(n).isDigit())
        ++n;
    if (n == 0 || n > 6)
        return std::nullopt;
    return t.left(n).toInt();
}

}  // namespace

std::optional<Klingelwerte> SRTC_Lesen(const QString& antwort)
{
    const qsizetype s = antwort.indexOf(QLatin1String("SRTC:"));
    if (s < 0)
        return std::nullopt;
    // The phone writes one blank after the colon.
    const QString rest = antwort.mid(s + 6);
    const qsizetype k1 = rest.indexOf(QLatin1Char(','));
    if (k1 < 0)
        return std::nullopt;
    const QString danach = rest.mid(k1 + 1);
    const qsizetype k2 = danach.indexOf(QLatin1Char(','));
    if (k2 < 0)
        return std::nullopt;
    const std::optional<int> typ = Zahl_Vorn(rest.left(k1));
    const QString lautstaerke = danach.left(k2);
    const std::optional<int> stufe = Zahl_Vorn(lautstaerke);
    if (!typ || *typ > 42 || !stufe || *stufe > 4)
        return std::nullopt;
    return Klingelwerte{*typ, lautstaerke};
}

std::optional<bool> CVIB_Lesen(const QString& antwort)
{
    const qsizetype s = antwort.indexOf(QLatin1String("+CVIB:"));
    if (s < 0)
        return std::nullopt;
    const QString rest = antwort.mid(s + 1);
    std::optional<bool> an;
    if (rest.contains(QLatin1Char('1')))
        an = true;
    if (rest.contains(QLatin1Char('0')))
        an = false;
    return an;
}

std::optional<int> CALM_Lesen(const QString& antwort)
{
    const qsizetype s = antwort.indexOf(QLatin1String("+CALM:"));
    if (s < 0)
        return std::nullopt;
    const QString rest = antwort.mid(s + 1);
    std::optional<int> art;
    for (int i = 0; i < 3; ++i)
        if (rest.contains(QLatin1Char(char('0' + i))))
            art = i;
    return art;
}
