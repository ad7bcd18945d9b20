#include "link/Module2.h"

#include "common/Einstellungen.h"
#include "link/LinkAnzeige.h"
#include "link/Module1.h"
#include "link/PortKanal.h"

#include <QDir>

namespace Module1 {
bool LoeschenRueckfrage = true;
bool TBRot = true;
bool TBFett = true;
bool LokalTBAutoLaden = false;
QString AutoTelefonbuchDatei;
QString SMSLogDatei;
QString SMSAbsenderDatei;
bool SMSAutoLog = true;
}  // namespace Module1

namespace Module2 {

std::function<void()> Einstellungen_Fenster_Zeigen;

namespace {
const QString Options = QStringLiteral("Options");
const QString Settings = QStringLiteral("Settings");
}  // namespace

int Timeoutzeit_Lesen()
{
    return qBound(1000, Einstellungen::Zahl_Lesen(Options, QStringLiteral("Timeoutzeit"), 7500), 30000);
}

QString SMSLog_Vorgabe() { return QDir(Programmordner()).filePath(QStringLiteral("sms.log")); }

QString Portanzeige()
{
    PortKanal* port = Module1::Link().Port;
    if (!port)
        return QString();
    return QStringLiteral("COM:%1 (%2) ").arg(port->CommPort()).arg(port->Settings());
}

void Einstellungen_Laden()
{
    using namespace Module1;
    using Einstellungen::Lesen;
    using Einstellungen::Wahrheit_Lesen;
    Verbindung& L = Link();

    TimeoutFaktor = Timeoutzeit_Lesen();
    if (L.Anzeige)
        L.Anzeige->Meter_Maximum_Setzen(TimeoutFaktor);
    LoeschenRueckfrage = Wahrheit_Lesen(Options, QStringLiteral("LoeschenOhneNachfrage"), true);
    LokalTBAutoLaden = Wahrheit_Lesen(Options, QStringLiteral("LOKTBAUTOLADEN"), false);
    AutoTelefonbuchDatei = Lesen(Options, QStringLiteral("DIESESTBAUTOLOAD"));
    SMSLogDatei = Lesen(Options, QStringLiteral("SMSLOGFILE"), SMSLog_Vorgabe());
    SMSAbsenderDatei = Lesen(Options, QStringLiteral("SMSABSFILE"));
    SMSAutoLog = Wahrheit_Lesen(Options, QStringLiteral("SMSAUTOLOG"), true);
    const QString comPort = Lesen(Settings, QStringLiteral("ComPort"), QStringLiteral("0"));
    const QString geschwindigkeit = Lesen(Settings, QStringLiteral("Geschwindigkeit"), QStringLiteral("19200"));
    TBFett = Wahrheit_Lesen(Options, QStringLiteral("tbFETT"), true);
    TBRot = Wahrheit_Lesen(Options, QStringLiteral("tbROT"), true);

    bool zahl = false;
    const int nummer = comPort.trimmed().toInt(&zahl);
    const bool eingerichtet = L.Port && zahl && L.Port->CommPort_Setzen(nummer) &&
                              L.Port->Settings_Setzen(geschwindigkeit.trimmed() + QStringLiteral(",n,8,1"));
    if (!eingerichtet) {
        if (Einstellungen_Fenster_Zeigen)
            Einstellungen_Fenster_Zeigen();
        return;
    }
    if (L.Anzeige)
        L.Anzeige->Panel_Setzen(4, Portanzeige());
}

}  // namespace Module2
