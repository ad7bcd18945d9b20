#pragma once
// The simulated phone's identity and status values, display language, clock, locks and
// barrings, call diversions and networks.
//
// Commands (registered on a SimHandy by Einstellungen_Anmelden; replies as GSM 07.07 gives them):
//   AT+CGSN, AT+CIMI, AT+CGMI, AT+CGMR   one line with the value, OK (AT+CGMM stays the phone's own);
//                                        AT+CIMI without a SIM (SimHandy::OhneSim): +CME ERROR: 10
//   AT+CBC                               +CBC: <source>,<charge>
//   AT+CSQ                               +CSQ: <rssi>,<ber>
//   AT+COPS?                             +COPS: 0,0,"<operator>"; +COPS: 0 when not registered
//   AT+COPS=?                            +COPS: (<state>,"<long>","<short>","<code>"),...,,(0-4),(0,2)
//   AT+CREG?  AT+CREG=<n>                +CREG: <n>,<stat>[,"<lac>","<ci>"] (location with n = 2)
//   AT^SLNG?  AT^SLNG=<code>  AT^SLNG=?  ^SLNG: <code>; codes of the model (S25 or S35)
//   AT+CCLK?  AT+CCLK=<clock>            +CCLK: "yy/MM/dd,hh:mm:ss"; set with or without quotes
//   AT+CLCK=<fac>,<mode>[,<pw>[,<class>]]  mode 2: +CLCK: <status> (barrings: +CLCK: 1,1 or
//                                        +CLCK: 0,7); wrong password +CME ERROR: 16; AB, AG, AC
//                                        only clear (mode 0), else +CME ERROR: 3
//   AT+CCFC=<reason>,<mode>[,<number>[,<type>[,<class>[,,,<time>]]]]  mode 2: +CCFC: 0,<class>
//                                        or +CCFC: 1,<class>,"<number>",<type>[,,,<time>]
//   AT^SPLM                              ^SPLM: "<code>","<name>" per known operator
//   AT^SPLR=?  AT^SPLR=<a>[,<b>]         ^SPLR: (1-<n>); ^SPLR: <slot>,"<code>" per slot,
//                                        "00000" for an empty one; outside 1..n +CME ERROR: 21
//   AT^SPLW=<slot>[,<code>]              writes or empties a slot
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class SimHandy;

struct SimSperre {
    bool Aktiv = false;
    std::string Passwort;  // "" for the keypad lock, which takes none
};

struct SimUmleitung {
    bool Registriert = false;
    bool Aktiv = false;
    std::string Nummer;
    int Typ = 145;
    int Klassen = 0;  // bits of the classes it serves
    int Zeit = 20;    // no-reply delay (reason 2)
};

struct SimNetz {
    int Status = 1;  // 0 unknown, 1 available, 2 current, 3 forbidden
    std::string Langname;
    std::string Kurzname;
    std::string Code;
};

// The state; read and change it only under the simulator's lock (Mit_Zustand).
struct SimEinstellungen {
    SimEinstellungen();

    std::string IMEI = "350123456789012";
    std::string IMSI = "262019876543210";
    std::string Hersteller = "ACME";
    std::string Revision = "42";
    int Stromquelle = 0;  // +CBC connection status
    int Ladung = 85;
    int Pegel = 20;  // rssi
    int Fehlerrate = 99;
    std::string Betreiber = "Netz A";  // "" while not registered
    int CregModus = 2;
    int CregStatus = 1;
    std::string Ortskennung = "00C3";
    std::string Zelle = "0010";
    int Sprache = 0;

    // The clock: a running clock counts on from the moment it was set.
    bool UhrLaeuft = true;
    // Sets "yy/MM/dd,hh:mm:ss"; false for anything else (a time zone "+zz" is accepted).
    bool Uhr_Setzen(const std::string& text);
    std::string Uhr_Lesen() const;

    std::map<std::string, SimSperre> Sperren;  // by facility, "CS" ... "IR"
    SimUmleitung Umleitungen[4];               // by reason 0..3

    std::vector<std::pair<std::string, std::string>> Betreiberliste;  // code, name
    std::vector<std::string> Bevorzugt;  // slots 1..n; "" empty
    std::vector<SimNetz> InReichweite;

private:
    long long m_uhrSekunden = 0;  // the clock as set, seconds since 2000-01-01
    std::chrono::steady_clock::time_point m_uhrGestellt;
};

// Registers the commands above on the phone; the state lives as long as the handlers do.
std::shared_ptr<SimEinstellungen> Einstellungen_Anmelden(SimHandy& handy);

}  // namespace sim
