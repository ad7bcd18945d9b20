#include "phonebook/Waehlen.h"

#include "common/Dialoge.h"
#include "common/Module3.h"
#include "link/Module1.h"
#include "phonebook/Form1.h"

#include <QTreeWidget>

namespace Module1 {

QString Waehlbefehl(const QString& nummer) { return QStringLiteral("ATDT") + nummer + QStringLiteral(";\r\n"); }

bool Waehlnummer_Pruefen(const QString& nummer)
{
    // A quote or a semicolon would end the dial string and let a second command follow.
    for (const QChar c : nummer)
        if (c == QLatin1Char(';') || c == QLatin1Char('"') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

bool Waehlen(const QString& anzeige, const QString& nummer)
{
    if (!Waehlnummer_Pruefen(nummer)) {
        MsgBox(QStringLiteral("Für die Rufnummer bitte nur 0-9, '*', '#' und '+' verwenden! Bitte ändern."),
               Dialoge::Symbol::Kritisch);
        return false;
    }
    Status_Setzen(QStringLiteral("Wähle Nummer ") + anzeige + QStringLiteral("..."));
    Roh_Schreiben(Waehlbefehl(nummer));
    return true;
}

void Nummer_Waehlen()
{
    if (!Form1::Geladen())
        return;
    if (const QTreeWidgetItem* zeile = Module3::Ausgewaehlte_Zeile(Form1::Instanz()->TBuch1))
        Waehlen(zeile->text(2), zeile->text(3));
}

void Lokal_Waehlen()
{
    if (!Form1::Geladen())
        return;
    if (const QTreeWidgetItem* zeile = Module3::Ausgewaehlte_Zeile(Form1::Instanz()->TBuch2))
        Waehlen(zeile->text(2), zeile->text(2));
}

void Anruf_Beenden()
{
    Status_Setzen(QStringLiteral("Auflegen..."));
    Roh_Schreiben(QStringLiteral("AT\r\n"));
    Status_Setzen(QStringLiteral("Fertig."));
}

}  // namespace Module1
