// The simulated phone's books as the program's port sees them: exact replies of the phone-book
// commands, writing and deleting entries, and what it refuses.
#include "link/Module1.h"
#include "sim/SimHandy.h"
#include "sim/SimTelefonbuch.h"
#include "support/Attrappen.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

class SimBuecher : public ::testing::Test {
protected:
    SimBuecher() : buecher(sim::Telefonbuch_Anmelden(*u.Handy)) {}

    // Sends a command line and returns everything up to its final result line.
    QString Frage(const QString& befehl)
    {
        u.Port->Output(befehl + QStringLiteral("\r"));
        QString antwort;
        QElapsedTimer uhr;
        uhr.start();
        while (uhr.elapsed() < 2000) {
            antwort += u.Port->Input();
            if (Module1::Endergebnis(antwort) != Module1::Ergebnis::Keins)
                break;
        }
        return antwort;
    }

    SimUmgebung u;
    std::shared_ptr<sim::SimTelefonbuch> buecher;
};

TEST_F(SimBuecher, SelectCountAndLengths)
{
    EXPECT_EQ(Frage("at+cpbs=\"ME\""), "at+cpbs=\"ME\"\r\r\nOK\r\n");
    EXPECT_EQ(Frage("AT+CPBS?"), "AT+CPBS?\r\r\n+CPBS: \"ME\",0,100\r\n\r\nOK\r\n");
    EXPECT_EQ(Frage("AT+CPBR=?"), "AT+CPBR=?\r\r\n+CPBR: (1-100),20,18\r\n\r\nOK\r\n");
    EXPECT_EQ(Frage("AT+CPBS=XX"), "AT+CPBS=XX\r\r\n+CME ERROR: 3\r\n");
    EXPECT_EQ(Frage("AT+CPBS?"), "AT+CPBS?\r\r\n+CPBS: \"ME\",0,100\r\n\r\nOK\r\n");
}

TEST_F(SimBuecher, WrittenEntriesAreReadBackInThePhonesCodes)
{
    EXPECT_EQ(Frage("AT+CPBS=SM"), "AT+CPBS=SM\r\r\nOK\r\n");
    const QString name = QString::fromLatin1(QByteArray::fromStdString(sim::Telefon_Codes("Müller, \"Hans\"!")));
    EXPECT_EQ(Frage("AT+CPBW=7,\"+4930\",145,\"" + name + "\""), "AT+CPBW=7,\"+4930\",145,\"" + name + "\"\r\r\nOK\r\n");
    EXPECT_EQ(Frage("AT+CPBW=2,\"0301\",129,\"A\""), "AT+CPBW=2,\"0301\",129,\"A\"\r\r\nOK\r\n");
    EXPECT_EQ(Frage("AT+CPBR=1,250"), "AT+CPBR=1,250\r\r\n+CPBR: 2,\"0301\",129,\"A\"\r\n+CPBR: 7,\"+4930\",145,\"" +
                                          name + "\"\r\n\r\nOK\r\n");
    EXPECT_EQ(Frage("AT+CPBS?"), "AT+CPBS?\r\r\n+CPBS: \"SM\",2,250\r\n\r\nOK\r\n");
    EXPECT_EQ(Frage("AT+CPBW=2"), "AT+CPBW=2\r\r\nOK\r\n");
    EXPECT_EQ(Frage("AT+CPBR=1,3"), "AT+CPBR=1,3\r\r\nOK\r\n");
    const auto eintrag = u.Handy->Mit_Zustand([&](sim::SimHandy&) { return buecher->Buch("SM")->Eintraege.at(7); });
    EXPECT_EQ(eintrag.Name, "M~ller, \"Hans\"!");
    EXPECT_EQ(eintrag.Typ, 145);
}

TEST_F(SimBuecher, RefusedWrites)
{
    Frage("AT+CPBS=SM");
    EXPECT_EQ(Frage("AT+CPBW=251,\"1\",129,\"A\""), "AT+CPBW=251,\"1\",129,\"A\"\r\r\n+CME ERROR: 21\r\n");
    EXPECT_EQ(Frage("AT+CPBW=0"), "AT+CPBW=0\r\r\n+CME ERROR: 21\r\n");
    EXPECT_EQ(Frage("AT+CPBW=1,\"1\",129,\"0123456789012345678\""),
              "AT+CPBW=1,\"1\",129,\"0123456789012345678\"\r\r\n+CME ERROR: 24\r\n");
    EXPECT_EQ(Frage("AT+CPBW=1,\"012345678901234567890\",129,\"A\""),
              "AT+CPBW=1,\"012345678901234567890\",129,\"A\"\r\r\n+CME ERROR: 26\r\n");
    EXPECT_EQ(Frage("AT+CPBR=1,251"), "AT+CPBR=1,251\r\r\n+CME ERROR: 21\r\n");
    for (const char* buch : {"LD", "MC"}) {
        Frage(QStringLiteral("AT+CPBS=") + buch);
        EXPECT_EQ(Frage("AT+CPBW=1,\"1\",129,\"A\""), "AT+CPBW=1,\"1\",129,\"A\"\r\r\n+CME ERROR: 21\r\n") << buch;
        EXPECT_EQ(Frage("AT+CPBW=1"), "AT+CPBW=1\r\r\n+CME ERROR: 21\r\n") << buch;
    }
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return buecher->Buch("SM")->Eintraege.size(); }), 0u);
}

TEST_F(SimBuecher, DiallingAVoiceCall)
{
    EXPECT_EQ(Frage("ATDT0301;"), "ATDT0301;\r\r\nOK\r\n");
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return buecher->Anruf; }), "0301");
    EXPECT_EQ(Frage("ATDT03;01;"), "ATDT03;01;\r\r\nERROR\r\n");
    EXPECT_EQ(Frage("ATH"), "ATH\r\r\nOK\r\n");
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return buecher->Anruf; }), "");
}

}  // namespace
