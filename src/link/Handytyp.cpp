#include "link/Handytyp.h"

#include "link/Module1.h"

namespace Module1 {

QString Handytyp;

QString Handytyp_Pruefen()
{
    if (!Handytyp.isEmpty())
        return Handytyp;
    Status_Setzen(QStringLiteral("Prüfe Handytyp"));
    Link().Text2.clear();
    if (!Befehl_Senden(QStringLiteral("AT+CGMM"), true))
        return QString();
    Status_Setzen(QStringLiteral("Fertig."));
    const QString& antwort = Link().Text2;
    for (const QString& modell : {QStringLiteral("35"), QStringLiteral("25")})
        if (antwort.contains(modell)) {
            Handytyp = modell;
            return Handytyp;
        }
    Status_Setzen(QStringLiteral("Fertig."));
    return QStringLiteral("unbekannt");
}

}  // namespace Module1
