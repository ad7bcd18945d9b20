#pragma once
// The simulated phone's data objects: the thirty appointment slots ("vcs"), the logo ("bmp",
// slot 0) and the melody ("mid", slot 0); other kinds join as one more entry of `Arten`.
//
// Commands (registered on a SimHandy by Datenobjekte_Anmelden):
//   AT^SBNR=<type>,<slot>          an occupied slot: for each block of `LeseBlock` bytes
//                                  "\r\n^SBNR: "<type>",<slot>,<k>,<N>\r\n" and the block as
//                                  upper-case hexadecimal text; then "\r\nOK\r\n".
//                                  An empty slot: OK alone.
//   AT^SBNW=<type>,<slot>,0        deletes the object (also an empty slot): OK
//   AT^SBNW=<type>,<slot>,<k>,<N>  "\r\n> ", then hexadecimal text up to Ctrl-Z: OK; after block
//                                  N of N the slot holds the blocks' bytes. Block 1 starts a new
//                                  object; any other block must follow its predecessor.
// The type may stand in quotes. An unknown type, a slot outside the type's range or a block
// out of turn: +CME ERROR: 21. Data that is no sequence of digit pairs: ERROR. An object
// larger than `Hoechstens`: +CME ERROR: 20. Every refusal drops the object under way.
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class SimHandy;

// One kind of data object.
struct SimObjektart {
    int ErsterPlatz = 0;
    int LetzterPlatz = 0;
    std::size_t LeseBlock = 88;          // bytes under each header line of a read reply
    std::size_t Hoechstens = 0;          // the largest object taken; 0: any size
    std::map<int, std::string> Objekte;  // the bytes, by slot
};

// State of the data objects; read and change it only under the simulator's lock (Mit_Zustand).
struct SimDatenobjekte {
    SimDatenobjekte();  // "vcs" slots 1 to 30, "bmp" and "mid" slot 0 (read in blocks of 176), all empty

    // By type name in lower case; other kinds join by adding an entry here.
    std::map<std::string, SimObjektart> Arten;
    // The kind of a type name (any case), nullptr when there is none.
    SimObjektart* Art(const std::string& typ);

    // Every block received after a prompt, as it came (without Ctrl-Z), in order.
    std::vector<std::string> Bloecke;

    // The object being written.
    struct Schreiben {
        std::string Typ;  // "" when none is under way
        int Platz = 0;
        int Block = 0;    // the last block taken
        int Anzahl = 0;
        std::string Bytes;
    } Laufend;

    // Two appointments in slots 1 and 3, for the standalone phone.
    void Beispiele_Fuellen();
};

// A vCalendar object as the phone keeps it: the lines given, each followed by CR LF, between
// "BEGIN:VCALENDAR", "VERSION:1.0", "BEGIN:VEVENT" and "END:VEVENT", "END:VCALENDAR".
std::string VCalendar(const std::vector<std::string>& eigenschaften);
// Bytes as upper-case hexadecimal text.
std::string Hex(const std::string& bytes);

// Registers the data-object commands on the phone; the state lives as long as the handlers do.
// With `beispiele` the appointment slots start with a few entries.
std::shared_ptr<SimDatenobjekte> Datenobjekte_Anmelden(SimHandy& handy, bool beispiele = false);

}  // namespace sim
