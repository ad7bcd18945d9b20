#pragma once
// The simulated phone's ring settings.
//
// Commands (registered on a SimHandy by Klingel_Anmelden):
//   AT^SRTC?            ^SRTC: <type>,<volume>,<playing 0/1>
//   AT^SRTC=?           ^SRTC: (0-42),(0-4),(0,1)
//   AT^SRTC=<t>         ring type t (0..42); the phone plays it
//   AT^SRTC=,<v>        volume v (0..4)
//   AT^SRTC=<t>,<v>     both
//   AT^SRTC             starts or stops playing the current ring tone
//   AT+CVIB? / =<0|1>   +CVIB: <n>; vibration off or on
//   AT+CALM? / =<0..2>  +CALM: <n>; alert mode normal, silent, single beep
// A value out of range or a malformed command answers +CME ERROR: 4.
#include <memory>
#include <string>

namespace sim {

class SimHandy;

// Read and change it only under the simulator's lock (Mit_Zustand).
struct SimKlingel {
    int Typ = 5;
    int Lautstaerke = 3;
    bool Spielt = false;
    int Vibration = 0;
    int Alarm = 0;
    int Abgespielt = 0;  // how often a ring type was chosen (each choice plays it)
};

std::shared_ptr<SimKlingel> Klingel_Anmelden(SimHandy& handy);

}  // namespace sim
