// Figures for the README: what a silent wait costs the processor, and how fast short
// commands go back and forth with the simulated phone. Prints; asserts nothing about time.
#include "common/Einstellungen.h"
#include "link/Module1.h"
#include "sim/SimHandy.h"
#include "support/Attrappen.h"

#include <QElapsedTimer>
#include <cstdio>
#include <ctime>
#include <gtest/gtest.h>

namespace {

double Prozessorsekunden() { return double(std::clock()) / CLOCKS_PER_SEC; }

TEST(Leistung, StilleWarteschleife)
{
    SimUmgebung u(5000);
    u.Handy->Stumm_Setzen(true);
    QElapsedTimer uhr;
    uhr.start();
    const double cpu0 = Prozessorsekunden();
    EXPECT_FALSE(Module1::Befehl_Senden("AT", true));
    const double cpu = Prozessorsekunden() - cpu0;
    const double wand = uhr.elapsed() / 1000.0;
    std::printf("Stilles Handy, TimeoutFaktor 5000: %.2f s gewartet, %.3f s Prozessorzeit (%.1f %%)\n", wand, cpu,
                100.0 * cpu / wand);
}

TEST(Leistung, TausendKurzeBefehle)
{
    SimUmgebung u;
    QElapsedTimer uhr;
    uhr.start();
    int gut = 0;
    for (int i = 0; i < 1000; ++i)
        gut += Module1::Befehl_Senden("AT", true) ? 1 : 0;
    EXPECT_EQ(gut, 1000);
    std::printf("1000 Befehle \"AT\" mit dem simulierten Handy: %.3f s\n", uhr.elapsed() / 1000.0);
}

TEST(Leistung, LeitungLegtWaehrendDerNetzsucheAuf)
{
    SimUmgebung u(5000);
    u.Handy->Schweigen_Bei("AT+COPS=?");
    Module1::Link().Abarbeiten = [&] {
        if (u.Handy && Module1::Link().Text2.contains("AT+COPS=?\r"))
            u.Handy.reset();
    };
    Einstellungen::Speichern("Ports", "COM1", "/dev/abgezogen");
    QElapsedTimer uhr;
    uhr.start();
    const double cpu0 = Prozessorsekunden();
    EXPECT_FALSE(Module1::Befehl_Senden("AT+COPS=?", true));
    const qint64 ende = uhr.elapsed();
    for (int i = 0; i < 100; ++i)  // while the device is gone
        EXPECT_FALSE(Module1::Befehl_Senden("AT", true));
    std::printf("Netzsuche, die Leitung legt auf: Ende nach %lld ms; dann 100 Befehle ohne Gerät: %.3f s, "
                "%.3f s Prozessorzeit\n",
                static_cast<long long>(ende), (uhr.elapsed() - ende) / 1000.0, Prozessorsekunden() - cpu0);
}

}  // namespace
