// Figures for the README: what a silent wait costs the processor, and how fast short
// commands go back and forth with the simulated phone. Prints; asserts nothing about time.
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

}  // namespace
