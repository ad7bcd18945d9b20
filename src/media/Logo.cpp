#include "media/Logo.h"

#include "common/Datei.h"
#include "common/Dialoge.h"
#include "link/Datenobjekt.h"
#include "link/LinkAnzeige.h"
#include "link/Module1.h"
#include "link/PortKanal.h"

namespace {

const QString Typ = QStringLiteral("bmp");
constexpr int Platz = 0;
constexpr int ZiffernJeBlock = 2 * 176;

void Fertig()
{
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    if (Module1::Link().Anzeige)
        Module1::Link().Anzeige->Fortschritt_Setzen(0, 0);
}

}  // namespace

bool Logo_Schreiben(const QByteArray& daten)
{
    const QStringList bloecke = Datenobjekt::Bloecke_Schneiden(Datenobjekt::Hex_Kodieren(daten), ZiffernJeBlock);
    if (!Datenobjekt::Objekt_Schreiben(Typ, Platz, bloecke, Datenobjekt::Fortschritt::NachBlock,
                                       QStringLiteral("Schreibe Bitmap...")))
        return false;
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    return true;
}

bool Logo_Lesen(const QString& ziel)
{
    Module1::Verbindung& L = Module1::Link();
    Module1::Status_Setzen(QStringLiteral("Lese Bitmap vom Handy..."));
    L.Text1.clear();
    L.Text2.clear();
    if (L.Port)
        L.Port->Input();
    if (!Datenobjekt::Objekt_Lesen(Typ, Platz))
        return false;
    const QString antwort = L.Text2;
    // A reply the cuts leave without a whole number of bytes is as good as none.
    const std::optional<QString> hex =
        antwort.size() < Logo_KurzeAntwort ? std::nullopt : Datenobjekt::Antwort_Schneiden(antwort, Datenobjekt::KommaSchnitt);
    const std::optional<QByteArray> bytes = hex ? Datenobjekt::Hex_Dekodieren(*hex) : std::nullopt;
    if (!bytes || bytes->isEmpty()) {
        MsgBox(QStringLiteral("Keine Bitmap gefunden!"));
        Fertig();
        return false;
    }
    if (!Datei_Sichern(ziel, *bytes)) {
        Schreibfehler_Melden();
        return false;
    }
    return true;
}

bool Logo_Loeschen()
{
    Module1::Status_Setzen(QStringLiteral("Lösche Bitmap im Handy..."));
    Module1::Link().Text1.clear();
    if (!Datenobjekt::Objekt_Loeschen(Typ, Platz))
        return false;
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    return true;
}
