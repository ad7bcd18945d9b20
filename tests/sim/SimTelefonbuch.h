#pragma once
// The simulated phone's six phone books and dialling.
//
// Commands (registered on a SimHandy by Telefonbuch_Anmelden):
//   AT+CPBS=<code> / AT+CPBS="<code>"   selects SM, ME, FD, ON, LD or MC; else +CME ERROR: 3
//   AT+CPBS?                            +CPBS: "<code>",<used>,<total>; +CPBS: "<code>" alone
//                                       while `OhneZaehler` is set
//   AT+CPBS=?                           +CPBS: ("SM","ME","FD","ON","LD","MC")
//   AT+CPBR=?                           +CPBR: (1-<total>),<number length>,<name length>
//   AT+CPBR=<a>[,<b>]                   one line +CPBR: <i>,"<number>",<type>,"<name>" per used
//                                       index a..b, then OK; a or b outside 1..total: +CME ERROR: 21;
//                                       one empty index as `LeerIndex` says;
//                                       `Zwischenzeilen` extra lines (a blank one and unsolicited
//                                       "+CSQ: 20,99") between entry lines
//   AT+CPBW=?                           +CPBW: (1-<total>),<number length>,(129,145),<name length>
//   AT+CPBW=<i>                         deletes entry i
//   AT+CPBW=<i>,"<number>",<type>,"<name>"  writes entry i (name up to its last quote)
//                                       books LD and MC, or i outside 1..total: +CME ERROR: 21;
//                                       number or name too long: +CME ERROR: 26 / 24
//   ATD<number>;  ATDT<number>;         a voice call: OK; without ";" NO CARRIER; blanks and
//                                       " /-()." in the number are skipped
//   AT, ATH                             end a running call, OK
// Names are kept in the phone's character codes (Telefon_Codes turns test text into them).
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class SimHandy;

struct SimEintrag {
    std::string Nummer;
    int Typ = 129;     // 145 when the number starts with "+"
    std::string Name;  // phone codes, the "!" marker included
};

struct SimBuch {
    std::string Kennung;  // "SM" ...
    int Gesamt = 0;
    int NummerLaenge = 20;
    int TextLaenge = 18;
    bool Schreibbar = true;
    std::map<int, SimEintrag> Eintraege;  // by index
};

// State of the books; read and change it only under the simulator's lock (Mit_Zustand).
struct SimTelefonbuch {
    SimTelefonbuch();

    SimBuch Buecher[6];  // SM, ME, FD, ON, LD, MC
    int Aktuell = 0;     // selected book (0: SM)
    bool OhneZaehler = false;  // "+CPBS: " names the book only, as 27.007 allows
    int Zwischenzeilen = 0;    // non-entry lines between the entry lines of a read
    // How the read of one empty index is answered: a bare OK, "not found" (+CME ERROR: 22),
    // ERROR, or the entry of another used index, the next one if there is one (then OK).
    enum class Leer { Ok, NichtGefunden, Fehler, AndererEintrag };
    Leer LeerIndex = Leer::Ok;
    std::string Anruf;   // number of the running call, "" when none
    std::vector<std::string> Gewaehlt;  // every number dialled

    // The book of a storage code, nullptr when there is none.
    SimBuch* Buch(const std::string& kennung);
    // Fills entries 1..anzahl: number "0301<index>", name "Name <index>".
    void Fuellen(const std::string& kennung, int anzahl);
    // Stores an entry as the handset's user does, behind the program's back; the name is UTF-8
    // test text, turned into the phone's codes.
    void Am_Handy_Speichern(const std::string& kennung, int index, const std::string& nummer,
                            const std::string& name);
    // A few entries in every book, for the standalone phone.
    void Beispiele_Fuellen();
};

// UTF-8 test text to the phone's codes: the sixteen converted characters, the rest unchanged.
std::string Telefon_Codes(const std::string& utf8);

// Registers the phone-book and dial commands on the phone; the state lives as long as the
// handlers do. With `beispiele` the books start with a few entries.
std::shared_ptr<SimTelefonbuch> Telefonbuch_Anmelden(SimHandy& handy, bool beispiele = false);

}  // namespace sim
