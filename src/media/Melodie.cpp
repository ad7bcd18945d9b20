#include "media/Melodie.h"

#include "link/Datenobjekt.h"
#include "link/Module1.h"
#include "link/PortKanal.h"

namespace {
const QString Typ = QStringLiteral("mid");
constexpr int Platz = 0;
constexpr int ZiffernJeBlock = 2 * 176;
}  // namespace

bool Melodie_Schreiben(const QByteArray& daten)
{
    if (!Datenobjekt::Objekt_Loeschen(Typ, Platz))
        return false;
    // An empty file leaves the phone without a melody and no block to send.
    const QStringList bloecke = Datenobjekt::Bloecke_Schneiden(Datenobjekt::Hex_Kodieren(daten), ZiffernJeBlock);
    if (!Datenobjekt::Objekt_Schreiben(Typ, Platz, bloecke, Datenobjekt::Fortschritt::NachBlock,
                                       QStringLiteral("Schreibe MIDI...")))
        return false;
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    return true;
}

bool Melodie_Lesen()
{
    Module1::Verbindung& L = Module1::Link();
    Module1::Status_Setzen(QStringLiteral("Lese Melodie vom Handy..."));
    L.Text1.clear();
    L.Text2.clear();
    if (L.Port)
        L.Port->Input();
    return Datenobjekt::Objekt_Lesen(Typ, Platz);
}

bool Melodie_Loeschen() { return Datenobjekt::Objekt_Loeschen(Typ, Platz); }
