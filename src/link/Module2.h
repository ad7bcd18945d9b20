#pragma once
#include <QString>
#include <functional>

// The program's options, loaded from the store at start and kept current by the settings window.
namespace Module1 {
extern bool LoeschenRueckfrage;  // ask before deleting
extern bool TBRot;               // entries marked "!" in red
extern bool TBFett;              // ... and bold
extern bool LokalTBAutoLaden;
extern QString AutoTelefonbuchDatei;
extern QString SMSLogDatei;
extern QString SMSAbsenderDatei;
extern bool SMSAutoLog;
}  // namespace Module1

namespace Module2 {

// Reads the options and sets up the port (number and line settings, not opened). When the port
// cannot be set up it shows the settings window modally through this hook.
void Einstellungen_Laden();
extern std::function<void()> Einstellungen_Fenster_Zeigen;

// The time-out as stored, clamped so that a wait always ends.
int Timeoutzeit_Lesen();
// The default log file of read messages.
QString SMSLog_Vorgabe();
// "COM:<n> (<settings>) " for status panel 4.
QString Portanzeige();

}  // namespace Module2
