#pragma once
// The settings windows against the simulated phone behind a real serial port, with a PC clock
// of their own: no test sets the machine's clock.
#include "link/Module1.h"
#include "phone/Systemuhr.h"
#include "sim/SimEinstellungen.h"
#include "sim/SimHandy.h"
#include "support/Attrappen.h"

#include <QCoreApplication>
#include <algorithm>
#include <ostream>
#include <gtest/gtest.h>
#include <vector>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace phone_test {

// A PC clock that stands still until a test moves it, records every set and can refuse.
class UhrAttrappe : public Systemuhr {
public:
    UhrAttrappe() { Systemuhr::Setzen(this); }
    ~UhrAttrappe() override { Systemuhr::Setzen(nullptr); }

    QDateTime Jetzt() const override { return Zeit; }
    bool Stellen(const QDateTime& zeitpunkt, QString* grund) override
    {
        Gestellt.push_back(zeitpunkt);
        if (Verweigern) {
            if (grund)
                *grund = QStringLiteral("Zugriff verweigert");
            return false;
        }
        Zeit = zeitpunkt;
        return true;
    }

    QDateTime Zeit{QDate(2024, 2, 29), QTime(23, 59, 58)};
    std::vector<QDateTime> Gestellt;  // every set asked for, refused ones too
    bool Verweigern = false;
};

class HandyTest : public ::testing::Test {
protected:
    HandyTest()
    {
        handy = sim::Einstellungen_Anmelden(*u.Handy);
        Zustand([](sim::SimEinstellungen& e) { e.UhrLaeuft = false; });
    }

    // Changes the phone's state under the simulator's lock.
    template <class F>
    void Zustand(F&& f)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { f(*handy); });
    }

    QString Status() const { return u.Anzeige.Panels.value(2); }
    std::string Empfangen() const { return u.Handy->Empfangen(); }
    std::vector<std::string> Befehle() const { return u.Handy->Befehle(); }
    int Anzahl(const std::string& befehl) const
    {
        const auto b = Befehle();
        return static_cast<int>(std::count(b.begin(), b.end(), befehl));
    }
    void Vergessen() { u.Handy->Empfangen_Loeschen(); }

    SimUmgebung u;
    UhrAttrappe uhr;
    std::shared_ptr<sim::SimEinstellungen> handy;
};

// Deletes a window that is created on first use, so that every test loads a fresh one.
template <class Fenster>
void Entladen()
{
    if (Fenster::Geladen())
        delete Fenster::Instanz();
}

}  // namespace phone_test
