#pragma once
// Shared helpers of the organizer tests: a display that records the progress bar and the status
// texts, and the simulated phone with its data objects behind the real port.
#include "common/Einstellungen.h"
#include "link/Module1.h"
#include "sim/SimDatenobjekte.h"
#include "sim/SimHandy.h"
#include "support/Attrappen.h"
#include "support/Testdateien.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace organizer_test {

using Protokollanzeige = VerlaufAnzeige;

// The simulated phone with its data objects, and the display above in the exchange.
struct OrganizerSim {
    OrganizerSim() : objekte(sim::Datenobjekte_Anmelden(*u.Handy))
    {
        Module1::Link().Anzeige = &anzeige;
        u.Handy->Empfangen_Loeschen();
    }

    // The bytes the phone received, as text.
    QByteArray Empfangen() const { return QByteArray::fromStdString(u.Handy->Empfangen()); }

    void Termin_Setzen(int platz, const std::string& bytes)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { objekte->Art("vcs")->Objekte[platz] = bytes; });
    }
    std::string Termin(int platz)
    {
        return u.Handy->Mit_Zustand([&](sim::SimHandy&) {
            const auto& o = objekte->Art("vcs")->Objekte;
            const auto it = o.find(platz);
            return it == o.end() ? std::string() : it->second;
        });
    }

    SimUmgebung u;
    std::shared_ptr<sim::SimDatenobjekte> objekte;
    Protokollanzeige anzeige;
};

}  // namespace organizer_test
