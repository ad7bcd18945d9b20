#pragma once
// The simulated phone's short-message storage and service centre (PDU mode).
//
// Commands (registered on a SimHandy by Nachrichten_Anmelden):
//   AT+CMGL=<stat>        one "+CMGL: <i>,<stat>,,<length>" line and the PDU line per stored
//                         message of that status (4: all), in index order, then OK; a received
//                         unread message (0) counts as read (1) once it was listed;
//                         a status outside 0..4: +CMS ERROR: 302
//   AT+CMGR=<i>           "+CMGR: <stat>,,<length>" and the PDU line, then OK; a received unread
//                         message counts as read from then on; an empty or invalid index:
//                         +CMS ERROR: 321
//   AT+CPMS?              +CPMS: "<store>",<used>,<total> three times
//   AT+CMGS=<n>           "> ", then the PDU up to Ctrl-Z: +CMGS: <reference>; a PDU that is not
//                         hexadecimal or whose length after the service-centre field is not n
//                         octets: +CMS ERROR: 304
//   AT+CMGW=<n>[,<stat>]  the same, stored as unsent (2) in the first free index: +CMGW: <index>;
//                         a full storage: +CMS ERROR: 322
//   AT+CMGD=<i>           deletes message i; an empty or invalid index: +CMS ERROR: 321
//   AT+CSCA?              +CSCA: "<number>",<type>, or +CSCA: EMPTY when none is set
//   AT+CSCA=<number>[,<type>]  sets it (quotes allowed); anything but digits and "+": ERROR
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class SimHandy;

struct SimNachricht {
    int Status = 0;   // 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
    std::string PDU;  // hexadecimal, with the service-centre field
};

// State of the storage; read and change it only under the simulator's lock (Mit_Zustand).
struct SimNachrichten {
    std::string Speicher = "SM";
    int Gesamt = 10;
    std::map<int, SimNachricht> Nachrichten;  // by index 1..Gesamt
    std::string Zentrale = "+491710760000";   // "" answers EMPTY
    int ZentraleTyp = 145;
    int NaechsteReferenz = 1;
    std::vector<std::string> Gesendet;  // every PDU accepted by AT+CMGS, in order

    // A received message (read and unread), a status report, a stored sent and a stored unsent one.
    void Beispiele_Fuellen();
};

// Octets of a PDU after its service-centre field (the count a list line and AT+CMGS carry);
// -1 when the text is no whole hexadecimal PDU.
int TPDU_Laenge(const std::string& pdu);

// Registers the message commands on the phone; the state lives as long as the handlers do.
std::shared_ptr<SimNachrichten> Nachrichten_Anmelden(SimHandy& handy, bool beispiele = false);

}  // namespace sim
