// The command exchange end to end: the real serial port on the simulated phone's pseudo-terminal.
#include "common/Einstellungen.h"
#include "link/Handytyp.h"
#include "link/Module1.h"
#include "sim/SimDatenobjekte.h"
#include "sim/SimHandy.h"
#include "sim/SimTelefonbuch.h"
#include "support/Attrappen.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

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

    // A busy phone needs 1.4 s for Anna and drops Bert, who comes while it is busy; Anna's late
    // "OK" arrives while the program waits for Bert.
    void Bert_Kommt_Waehrend_Anna()
    {
        const auto buch = sim::Telefonbuch_Anmelden(handy);
        TimeoutFaktor = 600;
        handy.Taub_Wenn_Beschaeftigt(true);
        handy.Verzoegerung_Setzen(1400);
        EXPECT_FALSE(Befehl_Senden("AT+CPBW=1,\"030\",129,\"Anna\"", true));
        handy.Verzoegerung_Setzen(0);
        EXPECT_FALSE(Befehl_Senden("AT+CPBW=2,\"040\",129,\"Bert\"", true));
        EXPECT_EQ(u.Dialoge.Texte(), (QStringList{Timeout, Timeout}));
        handy.Mit_Zustand([&](sim::SimHandy&) {
            const auto& eintraege = buch->Buch("SM")->Eintraege;
            EXPECT_EQ(eintraege.size(), 1u);
            EXPECT_EQ(eintraege.count(1), 1u);
        });
        u.Dialoge.Meldungen.clear();
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

    // The late ERROR comes while the next command waits, just before that command's echo.
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(Link().Text2, "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    // No reader finds it in the log it parses; the log window shows it.
    EXPECT_EQ(Link().Text1, Link().Text2);
    EXPECT_EQ(u.Anzeige.Log, "\r\nERROR\r\nAT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(handy.Empfangen(), "AT+LANGSAM\r\nAT+CGMM\r\n");
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

TEST_F(AustauschSim, AReplyOwedByATimedOutCommandNeverAnswersTheNextWithEcho)
{
    Bert_Kommt_Waehrend_Anna();
    // Its echo shows the phone in step again.
    EXPECT_TRUE(Befehl_Senden("AT", true));
}

TEST_F(AustauschSim, AReplyOwedByATimedOutCommandNeverAnswersTheNextWithoutEcho)
{
    handy.Echo_Setzen(false);
    Bert_Kommt_Waehrend_Anna();
}

TEST_F(AustauschSim, APromptThatFailsIsCancelled)
{
    sim::Datenobjekte_Anmelden(handy);
    handy.Prompt_Verlieren();
    EXPECT_FALSE(Prompt_Senden("AT^SBNW=bmp,0,1,1", true));
    u.Dialoge.Meldungen.clear();
    EXPECT_TRUE(Befehl_Senden("AT", true));
    EXPECT_EQ(handy.Empfangen(), "AT^SBNW=bmp,0,1,1\r\n\x1b" "AT\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(AustauschSim, TheFirstFinalLineDecidesResultAndMessage)
{
    handy.Antwort_Setzen("AT+ZWEI", sim::Ok() + sim::Error(), 1);
    EXPECT_TRUE(Befehl_Senden("AT+ZWEI", true));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(AustauschSim, TheNetworkScanOutwaitsTheTimeOut)
{
    // A clock a hundred times fast: the phone's 0.4 s are 40 s to the exchange.
    QElapsedTimer echt;
    echt.start();
    Link().Uhr = [echt] { return echt.elapsed() * 100; };
    TimeoutFaktor = 100;
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
