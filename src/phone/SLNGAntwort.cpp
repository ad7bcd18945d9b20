#include "phone/SLNGAntwort.h"

namespace Module1 {

std::optional<int> SLNG_Code_Lesen(const QString& antwort)
{
    static const QString marke = QStringLiteral("SLNG: ");
    const qsizetype anfang = antwort.indexOf(marke);
    if (anfang < 0)
        return std::nullopt;
    qsizetype ende = anfang + marke.size();
    while (ende < antwort.size() && antwort.at(ende).isDigit() && ende - anfang - marke.size() < 5)
        ++ende;
    bool ok = false;
    const int code = antwort.mid(anfang + marke.size(), ende - anfang - marke.size()).toInt(&ok);
    return ok ? std::optional<int>(code) : std::nullopt;
}

}  // namespace Module1
