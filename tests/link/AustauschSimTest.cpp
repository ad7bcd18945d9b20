// The command exchange end to end: the real serial port on the simulated phone's pseudo-terminal.
#include "common/Einstellungen.h"
#include "link/Handytyp.h"
#include "link/Module1.h"
#include "sim/SimDatenobjekte.h"
#include "sim/SimHandy.h"
#include "sim/SimTelefonbuch.h"
#include "support/Attrappen.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>

using namespace Module1;

namespace {

const QString Fehler = QStringLiteral(
    "Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte versuchen Sie es erneut.");
const QString Timeout = QStringLiteral(
    "Bei der Kommunikation mit dem Handy ist es zum Timeout gekommen - bitte prüfen Sie, ob das Handy verfügbar "
    "ist. Setzen Sie ggf. die Timeoutzeit höher!");
const QString PinFehler = QStringLiteral(
    "Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte versuchen Sie es erneut. (Eine PIN(2) "
    "war nicht nötig.)");

class AustauschSim : public ::testing::Test {
protected:
    SimUmgebung u{300};
    sim::SimHandy& handy = *u.Handy;

    void Pin2_Sperren()
    {
        handy.Mit_Zustand([](sim::SimHandy& h) {
            h.Pin2Gesperrt = true;
            h.Pin2Befehle = {"AT+CPBW"};
        });
    }

    // A busy phone needs 1.8 s for Anna and drops what comes meanwhile; the user takes 1.2 s over
    // the time-out message. Bert is reported written only when he is on the phone, and once the
    // phone is idle the next write goes through at once.
    void Bert_Kommt_Waehrend_Anna()
    {
        const auto buch = sim::Telefonbuch_Anmelden(handy);
        QElapsedTimer echt;
        echt.start();
        qint64 versatz = 0;
        Link().Uhr = [&] { return echt.elapsed() + versatz; };
        u.Dialoge.BeiMeldung = [&](const DialogeSkript::Meldung_&) { versatz += 1200; };
        TimeoutFaktor = 600;
        handy.Taub_Wenn_Beschaeftigt(true);
        handy.Verzoegerung_Setzen(1800);
        EXPECT_FALSE(Befehl_Senden("AT+CPBW=1,\"030\",129,\"Anna\"", true));
        handy.Verzoegerung_Setzen(0);
        const bool bert = Befehl_Senden("AT+CPBW=2,\"040\",129,\"Bert\"", true);
        const bool bertDa = handy.Mit_Zustand([&](sim::SimHandy&) { return buch->Buch("SM")->Eintraege.count(2) == 1; });
        EXPECT_EQ(bert, bertDa);
        EXPECT_TRUE(bert);  // sent once a probe found the phone in step
        EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});

        handy.Empfangen_Loeschen();
        EXPECT_TRUE(Befehl_Senden("AT+CPBW=3,\"050\",129,\"Clara\"", true));
        EXPECT_EQ(handy.Empfangen(), "AT+CPBW=3,\"050\",129,\"Clara\"\r\n");
        EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
        Link().Uhr = nullptr;
    }

    // RING every 200 ms while a command goes unanswered: the wait ends after its time-out.
    void Ring_Waehrend_Stille(bool echo)
    {
        TimeoutFaktor = 500;
        if (echo)
            handy.Schweigen_Bei("AT+CGMM");
        else
            handy.Stumm_Setzen(true);
        handy.Melden_Alle("\r\nRING\r\n", 200, 15);
        QElapsedTimer uhr;
        uhr.start();
        EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
        EXPECT_LT(uhr.elapsed(), 500 + 1000);
        EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
    }
};

TEST_F(AustauschSim, OkWithExactBytesOnTheWire)
{
    ASSERT_TRUE(u.Port->IstOffen());
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(handy.Empfangen(), "AT+CGMM\r\n");
    EXPECT_EQ(Link().Text2, "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_FALSE(u.Anzeige.LampeRot);
}

TEST_F(AustauschSim, ChunkedAndSlowRepliesAreCollectedWhole)
{
    handy.Stueckelung_Setzen(3, 5);
    handy.Verzoegerung_Setzen(50);
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    // The final line is complete at its CR; the LF may still be on the way.
    EXPECT_TRUE(Link().Text2.startsWith("AT+CGMM\r\r\nS35\r\n\r\nOK\r"));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(AustauschSim, ErrorWithReadyPinState)
{
    EXPECT_FALSE(Befehl_Senden("AT+UNBEKANNT", true));
    EXPECT_EQ(handy.Empfangen(), "AT+UNBEKANNT\r\nAT+CPIN?\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{PinFehler});
}

TEST_F(AustauschSim, Pin2EnteredAndTheCommandResent)
{
    Pin2_Sperren();
    handy.Handler_Setzen("AT+CPBW", [](sim::SimHandy&, const std::string&) { return sim::Antwort{sim::Ok()}; });
    u.Dialoge.Eingaben = {"1234"};
    EXPECT_TRUE(Befehl_Senden("AT+CPBW=1,\"030\",129,\"Anna\"", true));
    EXPECT_EQ(handy.Empfangen(), "AT+CPBW=1,\"030\",129,\"Anna\"\r\nAT+CPIN?\r\nAT+CPIN=1234\r\n"
                                 "AT+CPBW=1,\"030\",129,\"Anna\"\r\n");
    EXPECT_EQ(u.Dialoge.Eingabeprompts, QStringList{"PIN2 erforderlich:"});
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_FALSE(handy.Mit_Zustand([](sim::SimHandy& h) { return h.Pin2Gesperrt; }));
}

TEST_F(AustauschSim, WrongPin2)
{
    Pin2_Sperren();
    u.Dialoge.Eingaben = {"9999"};
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1", true));
    EXPECT_EQ(handy.Empfangen(), "AT+CPBW=1\r\nAT+CPIN?\r\nAT+CPIN=9999\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), (QStringList{"PIN nicht richtig!", Fehler}));
}

TEST_F(AustauschSim, AnUnansweredPin2IsOneTimeOutNotAWrongPin)
{
    Pin2_Sperren();
    handy.Schweigen_Bei("AT+CPIN=", 1);
    u.Dialoge.Eingaben = {"1234"};
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1", true));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, Pin2Cancelled)
{
    Pin2_Sperren();
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1", true));
    EXPECT_EQ(handy.Empfangen(), "AT+CPBW=1\r\nAT+CPIN?\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(AustauschSim, ResentCommandFailsAgain)
{
    Pin2_Sperren();
    u.Dialoge.Eingaben = {"1234"};
    handy.Antwort_Setzen("AT+CPBW", sim::CmeError(21), -1);
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=300", true));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Fehler});
}

TEST_F(AustauschSim, ThePhoneWaitingForItsSimPinGetsNoPin2)
{
    handy.Mit_Zustand([](sim::SimHandy& h) { h.PinZustand = "SIM PIN"; });
    handy.Antwort_Setzen("AT+CLCK", sim::CmeError(11), 1);
    u.Dialoge.Eingaben = {"2222"};
    EXPECT_FALSE(Befehl_Senden("AT+CLCK=\"AO\",2", true));
    EXPECT_EQ(handy.Empfangen(), "AT+CLCK=\"AO\",2\r\nAT+CPIN?\r\n");
    EXPECT_TRUE(u.Dialoge.Eingabeprompts.isEmpty());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das Handy wartet auf die Eingabe von SIM PIN. Bitte geben Sie den Code "
                                             "am Handy ein."});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
}

TEST_F(AustauschSim, ATimedOutPinQueryAsksForNothing)
{
    handy.Antwort_Setzen("AT+CPBW", sim::CmeError(17), 1);
    handy.Schweigen_Bei("AT+CPIN?", 1);
    u.Dialoge.Eingaben = {"1234"};
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1", true));
    EXPECT_TRUE(u.Dialoge.Eingabeprompts.isEmpty());
    EXPECT_EQ(handy.Empfangen(), "AT+CPBW=1\r\nAT+CPIN?\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, ThePinEntryTakesItsAnswerFromItsOwnEcho)
{
    Pin2_Sperren();
    u.Dialoge.Eingaben = {"9999"};
    // A stray final line comes while the user types.
    u.Dialoge.BeiEingabe = [&](const QString&) { handy.Senden("\r\nOK\r\n"); };
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1", true));
    EXPECT_EQ(handy.Empfangen(), "AT+CPBW=1\r\nAT+CPIN?\r\nAT+CPIN=9999\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), (QStringList{"PIN nicht richtig!", Fehler}));
}

TEST_F(AustauschSim, AVerboseWrongPasswordIsTheWrongPassword)
{
    handy.Antwort_Setzen("AT+CLCK", "\r\n+CME ERROR: incorrect password\r\n", 1);
    EXPECT_FALSE(Befehl_Senden("AT+CLCK=\"AO\",1,\"0000\",1", true));
    EXPECT_EQ(handy.Empfangen(), "AT+CLCK=\"AO\",1,\"0000\",1\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das Passwort ist falsch!"});
}

TEST_F(AustauschSim, SilentPhoneEndsAfterAboutTimeoutFaktorMilliseconds)
{
    handy.Stumm_Setzen(true);
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_FALSE(Befehl_Senden("AT", true));
    const qint64 ms = uhr.elapsed();
    EXPECT_GE(ms, 280);
    EXPECT_LT(ms, 3000);
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_TRUE(u.Dialoge.Meldungen[0].text.contains("Timeout"));
}

TEST_F(AustauschSim, NulBytesPassAndAReplyWithoutLineEndTimesOut)
{
    const char roh[] = "\r\n+X: \"\0@\0\"\r\n\r\nOK\r\n";
    const std::string antwort(roh, sizeof roh - 1);
    handy.Antwort_Setzen("AT+NUL", antwort, 1);
    EXPECT_TRUE(Befehl_Senden("AT+NUL", true));
    EXPECT_EQ(Link().Text2, "AT+NUL\r" + QString::fromLatin1(antwort.data(), qsizetype(antwort.size())));

    handy.Antwort_Setzen("AT+OFFEN", "\r\nOK", 1);
    EXPECT_FALSE(Befehl_Senden("AT+OFFEN", true));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

TEST_F(AustauschSim, PromptThenDataThenOk)
{
    handy.Handler_Setzen("AT+CMGW", [](sim::SimHandy&, const std::string&) {
        sim::Antwort a;
        a.text = sim::Prompt();
        a.daten = [](const std::string& daten) { return sim::Zeile("+CMGW: " + std::to_string(daten.size())) + sim::Ok(); };
        return a;
    });
    EXPECT_TRUE(Prompt_Senden("AT+CMGW=5", true));
    EXPECT_TRUE(Befehl_Senden(QStringLiteral("0011AA") + QChar(26), false));
    EXPECT_TRUE(Link().Text2.contains("+CMGW: 6"));
}

TEST_F(AustauschSim, ALineRightAfterTheFinalLineIsNoPartOfTheReply)
{
    handy.Nachsatz_Bei("AT+CGMM", "\r\nRING\r\n", 1);
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(Link().Text2, "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    EXPECT_EQ(Link().Text1, Link().Text2);
}

TEST_F(AustauschSim, ModelDetection)
{
    handy.Mit_Zustand([](sim::SimHandy& h) { h.Modell = "S25"; });
    EXPECT_EQ(Handytyp_Pruefen(), "25");
    EXPECT_EQ(Handytyp_Pruefen(), "25");
    EXPECT_EQ(handy.Befehle(), std::vector<std::string>{"AT+CGMM"});
}

// ---- A real line: late replies, slow scans, unplugged adapters --------------------------

TEST_F(AustauschSim, ALateReplyBeforeTheNextEchoIsDroppedAndLogged)
{
    handy.Antwort_Setzen("AT+LANGSAM", sim::Error(), 1);
    handy.Verzoegerung_Setzen(1000);
    EXPECT_FALSE(Befehl_Senden("AT+LANGSAM", true));
    handy.Verzoegerung_Setzen(0);
    u.Dialoge.Meldungen.clear();

    // The late ERROR comes before the next command is sent, ahead of the probe's echo.
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(Link().Text2, "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    // No reader finds it or the probe in the log it parses; the log window shows them.
    EXPECT_EQ(Link().Text1, Link().Text2);
    EXPECT_EQ(u.Anzeige.Log, "\r\nERROR\r\nATS3?\r\r\n013\r\n\r\nOK\r\nAT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(handy.Empfangen(), "AT+LANGSAM\r\nATS3?\r\nAT+CGMM\r\n");
}

TEST_F(AustauschSim, WithoutEchoTheLineIsWaitedQuietAfterATimeOut)
{
    TimeoutFaktor = 500;
    handy.Echo_Setzen(false);
    handy.Antwort_Setzen("AT+LANGSAM", sim::Error(), 1);
    handy.Verzoegerung_Setzen(900);  // 0.4 s after the time-out
    EXPECT_FALSE(Befehl_Senden("AT+LANGSAM", true));
    handy.Verzoegerung_Setzen(0);
    u.Dialoge.Meldungen.clear();

    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(Link().Text2, "\r\nS35\r\n\r\nOK\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(AustauschSim, ALateOkNeverAnswersADroppedCommandWithEcho) { Bert_Kommt_Waehrend_Anna(); }

TEST_F(AustauschSim, ALateOkNeverAnswersADroppedCommandWithoutEcho)
{
    handy.Echo_Setzen(false);
    Bert_Kommt_Waehrend_Anna();
}

TEST_F(AustauschSim, AnEchoWhileBusyDoesNotLetALateOkAnswerTheNextCommand)
{
    TimeoutFaktor = 600;
    handy.Echo_Waehrend_Beschaeftigt(true);
    handy.Antwort_Setzen("AT+A", sim::Ok(), 1);
    handy.Verzoegerung_Setzen(1400);
    EXPECT_FALSE(Befehl_Senden("AT+A", true));
    handy.Verzoegerung_Setzen(0);
    handy.Antwort_Setzen("AT+B", sim::CmeError(16), 1);
    EXPECT_FALSE(Befehl_Senden("AT+B", true));
    EXPECT_EQ(u.Dialoge.Texte(), (QStringList{Timeout, "Das Passwort ist falsch!"}));
}

TEST_F(AustauschSim, AQueuedProbeAnsweredLateDoesNotAnswerTheNextCommand)
{
    // A busy phone answers the timed-out write A late, just after the quiet wait that follows
    // the time-out, and the queued probe 0.6 s after that.
    const auto buch = sim::Telefonbuch_Anmelden(handy);
    TimeoutFaktor = 1000;
    handy.Echo_Setzen(false);
    handy.Verzoegerung_Setzen(800);
    handy.Antwort_Verlieren_Bei("AT+CPBW=1", 1);
    bool spaet = false;
    u.Dialoge.BeiMeldung = [&](const DialogeSkript::Meldung_&) {
        if (!std::exchange(spaet, true))
            handy.Melden_Alle(sim::Ok(), 700, 1);
    };
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1,\"030\",129,\"Anna\"", true));
    handy.Antwort_Setzen("AT+CPBW=2", sim::CmeError(21), 1);
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=2,\"040\",129,\"Bert\"", true));
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{"AT+CPBW=1,\"030\",129,\"Anna\"", "ATS3?",
                                                          "AT+CPBW=2,\"040\",129,\"Bert\"", "AT+CPIN?"}));
    EXPECT_EQ(u.Dialoge.Texte(), (QStringList{Timeout, PinFehler}));
    EXPECT_EQ(handy.Mit_Zustand([&](sim::SimHandy&) { return buch->Buch("SM")->Eintraege.size(); }), 1u);
}

TEST_F(AustauschSim, APhoneWithoutTheProbesQueryIsInStepOnItsErrorLine)
{
    handy.Antwort_Setzen("ATS3?", sim::Error());
    handy.Schweigen_Bei("AT+CGMM", 1);
    EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(handy.Empfangen(), "AT+CGMM\r\nATS3?\r\nAT+CGMM\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, WithoutEchoOneLostReplyLetsTheFollowingWritesSucceed)
{
    const auto buch = sim::Telefonbuch_Anmelden(handy);
    handy.Echo_Setzen(false);
    handy.Antwort_Verlieren_Bei("AT+CPBW", 1);
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1,\"030\",129,\"Anna\"", true));
    std::string erwartet = "AT+CPBW=1,\"030\",129,\"Anna\"\r\nATS3?\r\n";
    for (int i = 2; i <= 5; ++i) {
        const QString befehl = QStringLiteral("AT+CPBW=%1,\"04%1\",129,\"Name%1\"").arg(i);
        EXPECT_TRUE(Befehl_Senden(befehl, true)) << i;
        erwartet += befehl.toStdString() + "\r\n";
    }
    EXPECT_EQ(handy.Empfangen(), erwartet);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
    EXPECT_EQ(handy.Mit_Zustand([&](sim::SimHandy&) { return buch->Buch("SM")->Eintraege.size(); }), 5u);
}

TEST_F(AustauschSim, ADroppedEscLeavesNoPhoneInDataMode)
{
    sim::Datenobjekte_Anmelden(handy);
    const auto buch = sim::Telefonbuch_Anmelden(handy);
    handy.Taub_Wenn_Beschaeftigt(true);
    handy.Verzoegerung_Setzen(1500);  // the prompt comes late, and the ESC comes while busy
    EXPECT_FALSE(Prompt_Senden("AT^SBNW=bmp,0,1,1", true));
    handy.Verzoegerung_Setzen(0);
    EXPECT_TRUE(Befehl_Senden("AT+CPBW=1,\"030\",129,\"Anna\"", true));
    EXPECT_EQ(handy.Empfangen(), "AT^SBNW=bmp,0,1,1\r\n\x1b" "ATS3?\r\n\x1b" "ATS4?\r\nAT+CPBW=1,\"030\",129,\"Anna\"\r\n");
    EXPECT_EQ(handy.Mit_Zustand([&](sim::SimHandy&) { return buch->Buch("SM")->Eintraege.count(1); }), 1u);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, APhoneThatStopsEchoingIsTakenAsNotEchoingAfterTwoAnswers)
{
    ASSERT_TRUE(Befehl_Senden("ATE0", true));
    // Its first answer without an echo is not taken, nor is the first probe's, which is the second.
    EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(Link().Text2, "\r\nS35\r\n\r\nOK\r\n");
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(handy.Empfangen(), "ATE0\r\nAT+CGMM\r\nATS3?\r\nATS4?\r\nAT+CGMM\r\nAT+CGMM\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, APromptThatFailsIsCancelled)
{
    sim::Datenobjekte_Anmelden(handy);
    handy.Prompt_Verlieren();
    EXPECT_FALSE(Prompt_Senden("AT^SBNW=bmp,0,1,1", true));
    u.Dialoge.Meldungen.clear();
    EXPECT_TRUE(Befehl_Senden("AT", true));
    // The probe shows the phone out of its data mode first.
    EXPECT_EQ(handy.Empfangen(), "AT^SBNW=bmp,0,1,1\r\n\x1b" "ATS3?\r\nAT\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(AustauschSim, TheFirstFinalLineDecidesResultAndMessage)
{
    handy.Antwort_Setzen("AT+ZWEI", sim::Ok() + sim::Error(), 1);
    EXPECT_TRUE(Befehl_Senden("AT+ZWEI", true));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(AustauschSim, RingingKeepsNoUnansweredCommandWaitingWhenDropped) { Ring_Waehrend_Stille(false); }

TEST_F(AustauschSim, RingingKeepsNoUnansweredCommandWaitingWhenEchoed) { Ring_Waehrend_Stille(true); }

TEST_F(AustauschSim, AGreaterSignInsideALineIsNoPrompt)
{
    handy.Antwort_Setzen("AT+CMGS", sim::Zeile("+CUSD: 0,\"Guthaben > 5 EUR\",15"), 1);
    EXPECT_FALSE(Prompt_Senden("AT+CMGS=23", true));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
    EXPECT_TRUE(handy.Warten_Auf_Empfang("\x1b", 1000));
    EXPECT_EQ(handy.Empfangen(), "AT+CMGS=23\r\n\x1b");
}

TEST_F(AustauschSim, TheNetworkScanOutwaitsTheTimeOut)
{
    // A clock a hundred times fast: the phone's 0.4 s are 40 s to the exchange, its time-out 10 s.
    QElapsedTimer echt;
    echt.start();
    Link().Uhr = [echt] { return echt.elapsed() * 100; };
    TimeoutFaktor = 10000;
    handy.Antwort_Setzen("AT+COPS=?", sim::Zeile("+COPS: (2,\"Netz A\",\"NA\",\"26201\")") + sim::Ok(), 1);
    handy.Verzoegerung_Setzen(400);
    EXPECT_TRUE(Befehl_Senden("AT+COPS=?", true));
    EXPECT_TRUE(Link().Text2.contains("+COPS: (2,\"Netz A\""));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(AustauschSim, ASilentPhoneEndsTheScanAfterTheOrdinaryTimeOut)
{
    // A clock fifty times fast: the scan's own bound would end the wait after 2.4 s.
    QElapsedTimer echt;
    echt.start();
    Link().Uhr = [echt] { return echt.elapsed() * 50; };
    handy.Stumm_Setzen(true);
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_FALSE(Befehl_Senden("AT+COPS=?", true));
    EXPECT_LT(uhr.elapsed(), 1500);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, OneUnsolicitedLineDoesNotStartTheScansLongBound)
{
    QElapsedTimer echt;
    echt.start();
    Link().Uhr = [echt] { return echt.elapsed() * 50; };
    TimeoutFaktor = 5000;
    // The phone drops the scan and reports its network once.
    handy.Stumm_Setzen(true);
    int polls = 0;
    bool gemeldet = false;
    Link().Abarbeiten = [&] {
        if (++polls == 50) {
            gemeldet = true;
            handy.Senden("\r\n+CREG: 1\r\n");
        }
    };
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_FALSE(Befehl_Senden("AT+COPS=?", true));
    EXPECT_LT(uhr.elapsed(), 1500);
    EXPECT_TRUE(gemeldet);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, AHangUpEndsTheWaitAtOnceAndTheDeviceIsTakenBackWhenItReturns)
{
    for (const QString& befehl : {QStringLiteral("AT+COPS=?"), QStringLiteral("AT+CGMM")}) {
        // The phone echoes, then the line hangs up.
        u.Handy->Schweigen_Bei(befehl.toStdString());
        Link().Abarbeiten = [&] {
            if (u.Handy && Link().Text2.contains(befehl + QLatin1Char('\r')))
                u.Handy.reset();
        };
        QElapsedTimer uhr;
        uhr.start();
        EXPECT_FALSE(Befehl_Senden(befehl, true));
        EXPECT_LT(uhr.elapsed(), 1000) << befehl.toStdString();
        EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
        EXPECT_FALSE(u.Port->IstOffen());

        u.Handy = std::make_unique<sim::SimHandy>();
        Einstellungen::Speichern("Ports", "COM1", QString::fromStdString(u.Handy->Geraet()));
        EXPECT_TRUE(Befehl_Senden("AT", true));
        EXPECT_EQ(u.Handy->Empfangen(), "AT\r\n");
        u.Dialoge.Meldungen.clear();
    }
}

TEST_F(AustauschSim, APhoneWithoutEchoPluggedInAfterAHangUpAnswersItsFirstCommand)
{
    handy.Echo_Setzen(false);
    u.Handy->Schweigen_Bei("AT+CGMM");
    Link().Abarbeiten = [&] {
        if (u.Handy && u.Handy->Warten_Auf_Empfang("AT+CGMM\r\n", 0))
            u.Handy.reset();
    };
    EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
    Link().Abarbeiten = nullptr;

    u.Handy = std::make_unique<sim::SimHandy>();
    u.Handy->Echo_Setzen(false);
    Einstellungen::Speichern("Ports", "COM1", QString::fromStdString(u.Handy->Geraet()));
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(u.Handy->Empfangen(), "AT+CGMM\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, AfterAReplugThePhoneWithoutEchoHasItsFirstWriteReportedWritten)
{
    // The old phone echoes, then its line hangs up while it owes a reply.
    u.Handy->Schweigen_Bei("AT+CGMM");
    Link().Abarbeiten = [&] {
        if (u.Handy && Link().Text2.contains("AT+CGMM\r"))
            u.Handy.reset();
    };
    EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
    Link().Abarbeiten = nullptr;

    u.Handy = std::make_unique<sim::SimHandy>();
    u.Handy->Echo_Setzen(false);
    const auto buch = sim::Telefonbuch_Anmelden(*u.Handy);
    Einstellungen::Speichern("Ports", "COM1", QString::fromStdString(u.Handy->Geraet()));
    EXPECT_TRUE(Befehl_Senden("AT+CPBW=1,\"030\",129,\"Anna\"", true));
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return buch->Buch("SM")->Eintraege.count(1); }), 1u);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, AHangUpInThePinPathAsksForNoPin)
{
    u.Handy->Antwort_Setzen("AT+CGMM", sim::Error(), 1);
    Link().Abarbeiten = [&] {
        if (u.Handy && Link().Text2.contains("ERROR"))
            u.Handy.reset();
    };
    u.Dialoge.Eingaben = {"1234"};
    EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
    EXPECT_TRUE(u.Dialoge.Eingabeprompts.isEmpty());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(AustauschSim, AnUnpluggedDeviceFailsAtOnceAndIsReopenedWhenBack)
{
    ASSERT_TRUE(Befehl_Senden("AT", true));
    // Unplugged: the device goes, and with it its node (whose number another terminal may take).
    u.Handy.reset();
    Einstellungen::Speichern("Ports", "COM1", "/dev/abgezogen");
    EXPECT_FALSE(Befehl_Senden("AT", true));
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_TRUE(u.Dialoge.Meldungen[0].text.contains("Timeout"));
    EXPECT_FALSE(u.Port->IstOffen());

    QElapsedTimer uhr;
    uhr.start();
    EXPECT_FALSE(Befehl_Senden("AT", true));
    EXPECT_LT(uhr.elapsed(), 1000);

    u.Handy = std::make_unique<sim::SimHandy>();
    Einstellungen::Speichern("Ports", "COM1", QString::fromStdString(u.Handy->Geraet()));
    EXPECT_TRUE(Befehl_Senden("AT", true));
    EXPECT_EQ(u.Handy->Empfangen(), "AT\r\n");
}

// ---- In step again: each probe known by its own answer --------------------------------

TEST_F(AustauschSim, AfterAStallAnEarlierProbesAnswerNeverAnswersARefusedWrite)
{
    TimeoutFaktor = 1000;
    handy.Stocken(1400);
    EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
    handy.Antwort_Setzen("AT+CPBW", sim::CmeError(21));
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1,\"030\",129,\"Anna\"", true));
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{"AT+CGMM", "ATS3?", "ATS4?", "ATS5?"}));
    EXPECT_EQ(u.Dialoge.Texte(), (QStringList{Timeout, Timeout}));
}

TEST_F(AustauschSim, ALateErrorBeforeTheProbesEchoIsNotItsAnswer)
{
    // Busy, the phone neither echoes nor answers; the dropped command's ERROR comes after the probe.
    handy.Stumm_Setzen(true);
    EXPECT_FALSE(Befehl_Senden("AT+A", true));
    QTimer spaet;
    QObject::connect(&spaet, &QTimer::timeout, [&] {
        if (!handy.Warten_Auf_Empfang("ATS3?\r\n", 0))
            return;
        spaet.stop();
        handy.Stumm_Setzen(false);
        handy.Senden(sim::Error());
    });
    spaet.start(5);
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{"AT+A", "ATS3?", "ATS4?", "AT+CGMM"}));
}

TEST_F(AustauschSim, APhoneWithoutEchoThatRefusesTheProbeStaysOutOfStep)
{
    handy.Echo_Setzen(false);
    handy.Antwort_Setzen("ATS", sim::Error());
    handy.Schweigen_Bei("AT+CGMM", 1);
    EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
    EXPECT_FALSE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{"AT+CGMM", "ATS3?", "ATS4?", "ATS5?"}));
    EXPECT_EQ(u.Dialoge.Texte(), (QStringList{Timeout, Timeout}));
}

TEST_F(AustauschSim, ACharacterThePortCannotSendRefusesTheCommandUnsent)
{
    QElapsedTimer uhr;
    uhr.start();
    EXPECT_FALSE(Befehl_Senden(QStringLiteral("AT+CPBW=1,\"123\",129,\"Preis 5€\""), true));
    EXPECT_LT(uhr.elapsed(), 200);
    EXPECT_FALSE(handy.Warten_Auf_Empfang("AT", 100));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Fehler});
}

// ---- Unsolicited lines stay out of the reply -------------------------------------------

TEST_F(AustauschSim, UnsolicitedLinesInsideAReplyGoToTheLogOnly)
{
    const std::string meldungen = "\r\nRING\r\n\r\n+CMTI: \"SM\",3\r\n";
    handy.Einschub_Bei("AT+CGMM", "", meldungen);
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(Link().Text2, "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    EXPECT_EQ(Link().Text1, "AT+CGMM\r" + QString::fromStdString(meldungen) + "\r\nS35\r\n\r\nOK\r\n");
}

TEST(Port, ThatCannotBeOpened)
{
    Einstellungen::Speichern("Ports", "COM7", "/dev/gibt-es-nicht");
    SerialPortKanal port;
    EXPECT_FALSE(port.CommPort_Setzen(0));
    EXPECT_TRUE(port.CommPort_Setzen(7));
    EXPECT_FALSE(port.Oeffnen());
    EXPECT_FALSE(port.IstOffen());
    EXPECT_EQ(port.Input(), "");
    port.Output("AT\r\n");  // nothing happens, nothing crashes
    EXPECT_EQ(Port_Geraet(2), "/dev/ttyS1");
    EXPECT_FALSE(port.Settings_Setzen("schnell,n,8,1"));
    EXPECT_TRUE(port.Settings_Setzen("57600,n,8,1"));
}

}  // namespace
