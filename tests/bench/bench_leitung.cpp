// Figures for the README on a line of 19200 baud: reading 30 short messages and uploading a
// logo of 5000 bytes, each against the time the line itself needs for the bytes of the larger
// direction. Prints; asserts nothing about time.
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/PortKanal.h"
#include "media/Logo.h"
#include "sim/SimDatenobjekte.h"
#include "sim/SimHandy.h"
#include "sim/SimNachrichten.h"
#include "sms/Form5.h"
#include "support/Attrappen.h"
#include "support/ZaehlPort.h"

#include <QElapsedTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

constexpr int Baud = 19200;

void Drucken(const char* was, double ms, const ZaehlPort& port)
{
    const long long zeichen = std::max(port.Empfangen, port.Gesendet);
    const double leitung = zeichen * 10.0 * 1000.0 / Baud;
    std::printf("%s bei %d Baud: %.0f ms für %lld Zeichen, die Leitung braucht %.0f ms (+%.1f %%)\n", was, Baud, ms,
                zeichen, leitung, (ms / leitung - 1.0) * 100.0);
    std::fflush(stdout);
}

TEST(Leitung, DreissigKurznachrichtenLesen)
{
    SimUmgebung u(3000);
    auto n = sim::Nachrichten_Anmelden(*u.Handy);
    u.Handy->Mit_Zustand([&](sim::SimHandy&) {
        n->Gesamt = 30;
        for (int i = 1; i <= 30; ++i)  // "hellohello" from +49171234567
            n->Nachrichten[i] = {1, "0791947101670000040B919471214365F70000302010214365400AE8329BFD4697D9EC37"};
    });
    u.Handy->Baudrate_Setzen(Baud);
    ZaehlPort port(*u.Port);
    Module1::Link().Port = &port;
    Module1::SMSLogDatei = Module2::SMSLog_Vorgabe();  // the read logs as the program's does

    QElapsedTimer uhr;
    uhr.start();
    Form5* f = Form5::Instanz();
    const double ms = uhr.nsecsElapsed() / 1e6;
    EXPECT_EQ(f->kal1->topLevelItemCount(), 30);
    Drucken("30 Kurznachrichten lesen", ms, port);
    delete f;
}

TEST(Leitung, LogoMit5000BytesSchreiben)
{
    SimUmgebung u(3000);
    auto objekte = sim::Datenobjekte_Anmelden(*u.Handy);
    u.Handy->Baudrate_Setzen(Baud);
    ZaehlPort port(*u.Port);
    Module1::Link().Port = &port;
    QByteArray logo(5000, '\0');
    for (int i = 0; i < logo.size(); ++i)
        logo[i] = char(i * 7);

    QElapsedTimer uhr;
    uhr.start();
    EXPECT_TRUE(Logo_Schreiben(logo));
    const double ms = uhr.nsecsElapsed() / 1e6;
    const std::string angekommen =
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { return objekte->Art("bmp")->Objekte[0]; });
    EXPECT_EQ(angekommen, logo.toStdString());
    Drucken("Logo mit 5000 Bytes schreiben", ms, port);
}

}  // namespace
