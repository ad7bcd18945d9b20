#pragma once
// The simulated phone with its data objects behind the real port, and a display in the exchange
// that records the progress bar and the status texts.
#include "link/Module1.h"
#include "sim/SimDatenobjekte.h"
#include "sim/SimHandy.h"
#include "support/Attrappen.h"

#include <QByteArray>
#include <memory>
#include <string>

struct DatenobjektSim {
    DatenobjektSim() : objekte(sim::Datenobjekte_Anmelden(*u.Handy))
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
    VerlaufAnzeige anzeige;
};
