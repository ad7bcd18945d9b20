// Time to read a full book of 250 entries from the simulated phone into the cache and the
// phone list: once as fast as the pseudo-terminal goes, once at the line speed of 19200 baud,
// where the figure to compare with is the time the line itself needs for the bytes.
#include "link/Handytyp.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/PortKanal.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Form1.h"
#include "phonebook/TBuchLesen.h"
#include "sim/SimHandy.h"
#include "sim/SimTelefonbuch.h"
#include "support/Attrappen.h"
#include "support/ZaehlPort.h"

#include <QElapsedTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

struct Messung {
    double ms = 0;
    long long zeichen = 0;
};

Messung Lesen_Messen(ZaehlPort& port, Form1* f)
{
    f->TBuch1->clear();
    port.Empfangen = 0;
    QElapsedTimer uhr;
    uhr.start();
    const bool vollstaendig = Telefonbuch_Lesen(1);
    const Messung m{uhr.nsecsElapsed() / 1e6, port.Empfangen};
    EXPECT_TRUE(vollstaendig);
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 250);
    EXPECT_EQ(TBuchDaten[1][250][2], "Eintrag Nummer 250");
    return m;
}

TEST(Telefonbuch, Lesen250Eintraege)
{
    const char16_t* namen[] = {u"", u"SIM", u"TELEFON", u"FESTE", u"EIGENE", u"ZULETZT", u"VERSÄUMT"};
    for (int b = 0; b <= TBuchAnzahl; ++b)
        TBuchNamen[b] = QString::fromUtf16(namen[b]);
    TBRot = TBFett = true;

    SimUmgebung u(3000);
    auto buecher = sim::Telefonbuch_Anmelden(*u.Handy);
    u.Handy->Mit_Zustand([&](sim::SimHandy&) {
        for (int i = 1; i <= 250; ++i)
            buecher->Buch("SM")->Eintraege[i] =
                sim::SimEintrag{"+49301234" + std::to_string(1000 + i), 145,
                                "Eintrag Nummer " + std::to_string(i) + (i % 10 == 0 ? "!" : "")};
    });
    ZaehlPort port(*u.Port);
    Link().Port = &port;
    Handytyp = QStringLiteral("35");
    Form1* f = Form1::Instanz();
    f->show();  // the list repaints while it fills

    std::vector<double> schnell;
    for (int lauf = 0; lauf < 5; ++lauf)
        schnell.push_back(Lesen_Messen(port, f).ms);
    std::sort(schnell.begin(), schnell.end());
    std::printf("250 Einträge ohne Leitungstempo: Median %.1f ms (bestes %.1f, schlechtestes %.1f)\n", schnell[2],
                schnell.front(), schnell.back());

    u.Handy->Baudrate_Setzen(19200);
    const Messung m = Lesen_Messen(port, f);
    const double leitung = m.zeichen * 10.0 * 1000.0 / 19200.0;
    std::printf("250 Einträge bei 19200 Baud: %.0f ms für %lld Zeichen, die Leitung braucht %.0f ms (+%.1f %%)\n", m.ms,
                m.zeichen, leitung, (m.ms / leitung - 1.0) * 100.0);
    std::fflush(stdout);

    delete f;
    TBRot = TBFett = false;
    for (int b = 0; b <= TBuchAnzahl; ++b)
        TBuch_Leeren(b);
}

}  // namespace
