// The simulated phone seen from the program's side of the line: plain POSIX, exact bytes.
#include "sim/SimHandy.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Uhr = std::chrono::steady_clock;

// The program's end of the cable.
class Leitung {
public:
    explicit Leitung(const std::string& geraet)
        : m_fd(::open(geraet.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios t{};
        tcgetattr(m_fd, &t);
        cfmakeraw(&t);
        tcsetattr(m_fd, TCSANOW, &t);
    }
    ~Leitung() { ::close(m_fd); }
    bool Offen() const { return m_fd >= 0; }

    void Schreiben(const std::string& s) { ASSERT_EQ(::write(m_fd, s.data(), s.size()), ssize_t(s.size())); }

    // Reads until `anzahl` bytes came or `ms` passed; one string per read().
    std::vector<std::string> Stuecke(std::size_t anzahl, int ms = 3000)
    {
        std::vector<std::string> stuecke;
        std::size_t summe = 0;
        const auto ende = Uhr::now() + std::chrono::milliseconds(ms);
        while (summe < anzahl && Uhr::now() < ende) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            char puffer[256];
            const ssize_t n = ::read(m_fd, puffer, std::min(sizeof puffer, anzahl - summe));
            if (n > 0) {
                stuecke.emplace_back(puffer, std::size_t(n));
                summe += std::size_t(n);
            }
        }
        return stuecke;
    }
    std::string Lesen(std::size_t anzahl)
    {
        std::string alles;
        for (const std::string& s : Stuecke(anzahl))
            alles += s;
        return alles;
    }
    // Sends a command and returns exactly as many bytes as expected, for an exact comparison.
    std::string Frage(const std::string& befehl, const std::string& erwartet)
    {
        Schreiben(befehl);
        return Lesen(erwartet.size());
    }

private:
    int m_fd;
};

class SimHandyTest : public ::testing::Test {
protected:
    sim::SimHandy handy;
    Leitung leitung{handy.Geraet()};

    // Everything before a later "AT" round trip has been read: nothing else came in between.
    void Nichts_Weiter()
    {
        EXPECT_EQ(leitung.Frage("AT\r", "AT\r\r\nOK\r\n"), "AT\r\r\nOK\r\n");
    }
};

TEST_F(SimHandyTest, EchoRahmenUndEingebauteBefehle)
{
    ASSERT_TRUE(leitung.Offen());
    EXPECT_EQ(leitung.Frage("AT\r", "AT\r\r\nOK\r\n"), "AT\r\r\nOK\r\n");
    const std::string cgmm = "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n";
    EXPECT_EQ(leitung.Frage("AT+CGMM\r\n", cgmm), cgmm);
    // "AT" answers only itself; other commands reach their own handler or ERROR.
    EXPECT_EQ(leitung.Frage("ATZ\r", "ATZ\r\r\nERROR\r\n"), "ATZ\r\r\nERROR\r\n");
    EXPECT_EQ(leitung.Frage("at^smso\r", "at^smso\r\r\nOK\r\n"), "at^smso\r\r\nOK\r\n");
    EXPECT_TRUE(handy.Mit_Zustand([](sim::SimHandy& h) { return h.Ausgeschaltet; }));

    handy.Mit_Zustand([](sim::SimHandy& h) { h.Modell = "S25"; });
    EXPECT_EQ(leitung.Frage("ATE0\r", "ATE0\r\r\nOK\r\n"), "ATE0\r\r\nOK\r\n");
    EXPECT_EQ(leitung.Frage("at+cgmm\r", "\r\nS25\r\n\r\nOK\r\n"), "\r\nS25\r\n\r\nOK\r\n");
    // The empty line gets nothing, and "ATE1" itself is not echoed yet.
    EXPECT_EQ(leitung.Frage("\rATE1\r", "\r\nOK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{"AT", "AT+CGMM", "ATZ", "at^smso", "ATE0", "at+cgmm", "ATE1"}));
}

TEST_F(SimHandyTest, Pin2SperrtUndEntsperrt)
{
    handy.Handler_Setzen("AT+CLCK", [](sim::SimHandy&, const std::string&) { return sim::Antwort{sim::Ok(), {}}; });
    handy.Mit_Zustand([](sim::SimHandy& h) {
        h.Pin2Gesperrt = true;
        h.Pin2Befehle = {"at+clck"};
    });
    handy.Echo_Setzen(false);
    EXPECT_EQ(leitung.Frage("AT+CPIN?\r", "\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n"), "\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n");
    EXPECT_EQ(leitung.Frage("AT+CLCK=\"SC\",2\r", "\r\n+CME ERROR: 17\r\n"), "\r\n+CME ERROR: 17\r\n");
    EXPECT_EQ(leitung.Frage("AT+CPIN=4321\r", "\r\n+CME ERROR: 16\r\n"), "\r\n+CME ERROR: 16\r\n");
    EXPECT_EQ(leitung.Frage("AT+CPIN=\"1234\"\r", "\r\nOK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(leitung.Frage("AT+CPIN?\r", "\r\n+CPIN: READY\r\n\r\nOK\r\n"), "\r\n+CPIN: READY\r\n\r\nOK\r\n");
    EXPECT_EQ(leitung.Frage("AT+CLCK=\"SC\",2\r", "\r\nOK\r\n"), "\r\nOK\r\n");
}

TEST_F(SimHandyTest, UeberschreibungenZaehlenUndNeuesteZuerst)
{
    handy.Echo_Setzen(false);
    const std::string normal = "\r\nS35\r\n\r\nOK\r\n";
    handy.Antwort_Setzen("at+cgmm", sim::CmeError(100), 2);
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", sim::CmeError(100)), sim::CmeError(100));
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", sim::CmeError(100)), sim::CmeError(100));
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", normal), normal);

    handy.Antwort_Setzen("AT+C", sim::Error());
    handy.Antwort_Setzen("AT+CGMM", sim::Zeile("X") + sim::Ok(), 1);
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", "\r\nX\r\n\r\nOK\r\n"), "\r\nX\r\n\r\nOK\r\n");
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", sim::Error()), sim::Error());

    handy.Ueberschreibungen_Loeschen();
    handy.Echo_Setzen(true);
    handy.Schweigen_Bei("AT+CGMM", 1);
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", "AT+CGMM\r"), "AT+CGMM\r");
    Nichts_Weiter();
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", "AT+CGMM\r" + normal), "AT+CGMM\r" + normal);
}

TEST_F(SimHandyTest, StummHoertZuUndSagtNichts)
{
    handy.Stumm_Setzen(true);
    leitung.Schreiben("AT+CGMM\r");
    ASSERT_TRUE(handy.Warten_Auf_Empfang("AT+CGMM\r", 3000));
    handy.Stumm_Setzen(false);
    Nichts_Weiter();
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{"AT+CGMM", "AT"}));
}

TEST_F(SimHandyTest, AntwortKommtInStueckenVerzoegertUndImLeitungstakt)
{
    handy.Echo_Setzen(false);
    handy.Stueckelung_Setzen(3, 40);
    leitung.Schreiben("AT+CGMM\r");
    const auto stuecke = leitung.Stuecke(13);
    std::string alles;
    for (const std::string& s : stuecke) {
        EXPECT_LE(s.size(), 3u);
        alles += s;
    }
    EXPECT_EQ(alles, "\r\nS35\r\n\r\nOK\r\n");

    handy.Stueckelung_Setzen(0, 0);
    handy.Echo_Setzen(true);
    handy.Verzoegerung_Setzen(150);
    leitung.Schreiben("AT\r");
    EXPECT_EQ(leitung.Lesen(3), "AT\r");
    const auto nachEcho = Uhr::now();
    EXPECT_EQ(leitung.Lesen(6), "\r\nOK\r\n");
    EXPECT_GE(Uhr::now() - nachEcho, std::chrono::milliseconds(140));

    // 1200 baud: 21 bytes of echo and reply take 175 ms.
    handy.Verzoegerung_Setzen(0);
    handy.Baudrate_Setzen(1200);
    const auto anfang = Uhr::now();
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n"), "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    EXPECT_GE(Uhr::now() - anfang, std::chrono::milliseconds(165));
}

TEST_F(SimHandyTest, DatenmodusBisCtrlZUndAbbruchMitEsc)
{
    std::vector<std::string> erhalten;
    handy.Handler_Setzen("AT+CMGW", [&](sim::SimHandy&, const std::string&) {
        return sim::Antwort{sim::Prompt(), [&](const std::string& daten) {
                                erhalten.push_back(daten);
                                return sim::Zeile("+CMGW: 7") + sim::Ok();
                            }};
    });
    EXPECT_EQ(leitung.Frage("AT+CMGW=5\r\n", "AT+CMGW=5\r\r\n> "), "AT+CMGW=5\r\r\n> ");
    const std::string daten("07\r\n91\0F", 7);
    EXPECT_EQ(leitung.Frage(daten + "\x1a", daten + "\r\n+CMGW: 7\r\n\r\nOK\r\n"), daten + "\r\n+CMGW: 7\r\n\r\nOK\r\n");

    EXPECT_EQ(leitung.Frage("AT+CMGW=5\r", "AT+CMGW=5\r\r\n> "), "AT+CMGW=5\r\r\n> ");
    leitung.Schreiben("XY\x1b");
    EXPECT_EQ(leitung.Lesen(2), "XY");
    Nichts_Weiter();
    EXPECT_EQ(handy.Mit_Zustand([&](sim::SimHandy&) { return erhalten; }), std::vector<std::string>{daten});
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{"AT+CMGW=5", "AT+CMGW=5", "AT"}));
}

TEST_F(SimHandyTest, VerlorenerPromptUndTaubWennBeschaeftigt)
{
    // The prompt is lost, the data mode comes all the same; ESC ends it and means nothing after.
    handy.Handler_Setzen("AT+CMGW", [](sim::SimHandy&, const std::string&) {
        return sim::Antwort{sim::Prompt(), [](const std::string&) { return sim::Ok(); }};
    });
    handy.Prompt_Verlieren();
    EXPECT_EQ(leitung.Frage("AT+CMGW=5\r", "AT+CMGW=5\r"), "AT+CMGW=5\r");
    leitung.Schreiben("AT\r\x1b\x1b");
    EXPECT_EQ(leitung.Lesen(3), "AT\r");
    Nichts_Weiter();

    // Busy with a late reply, the phone drops what comes meanwhile.
    handy.Taub_Wenn_Beschaeftigt(true);
    handy.Verzoegerung_Setzen(300);
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", "AT+CGMM\r"), "AT+CGMM\r");
    leitung.Schreiben("ATZ\r");
    handy.Verzoegerung_Setzen(0);
    EXPECT_EQ(leitung.Lesen(13), "\r\nS35\r\n\r\nOK\r\n");
    Nichts_Weiter();
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{"AT+CMGW=5", "AT", "AT+CGMM", "AT"}));
    EXPECT_NE(handy.Empfangen().find("ATZ\r"), std::string::npos);
}

TEST_F(SimHandyTest, EchoWaehrendBeschaeftigtMeldungenUndSimPin)
{
    // Busy, the phone echoes at once and answers in order after the late reply.
    handy.Echo_Waehrend_Beschaeftigt(true);
    handy.Verzoegerung_Setzen(300);
    EXPECT_EQ(leitung.Frage("AT+CGMM\r", "AT+CGMM\r"), "AT+CGMM\r");
    handy.Verzoegerung_Setzen(0);
    EXPECT_EQ(leitung.Frage("ATZ\r", "ATZ\r"), "ATZ\r");
    EXPECT_EQ(leitung.Lesen(22), "\r\nS35\r\n\r\nOK\r\n\r\nERROR\r\n");
    Nichts_Weiter();

    handy.Melden_Alle("\r\nRING\r\n", 20, 3);
    EXPECT_EQ(leitung.Lesen(24), "\r\nRING\r\n\r\nRING\r\n\r\nRING\r\n");

    handy.Mit_Zustand([](sim::SimHandy& h) { h.PinZustand = "SIM PUK"; });
    EXPECT_EQ(leitung.Frage("AT+CPIN?\r", "AT+CPIN?\r\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n"),
              "AT+CPIN?\r\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n");
}

TEST_F(SimHandyTest, ZeichnetJedesByteAufUndSendetRoh)
{
    const std::string roh("A\0B\r\nAT\r", 8);
    leitung.Schreiben(roh);
    ASSERT_TRUE(handy.Warten_Auf_Empfang("AT\r", 3000));
    EXPECT_EQ(handy.Empfangen(), roh);
    EXPECT_EQ(handy.Befehle(), (std::vector<std::string>{std::string("A\0B", 3), "AT"}));
    const std::string antwort = std::string("A\0B\r", 4) + "\r\nERROR\r\n" + "AT\r\r\nOK\r\n";
    EXPECT_EQ(leitung.Lesen(antwort.size()), antwort);

    handy.Empfangen_Loeschen();
    EXPECT_EQ(handy.Empfangen(), "");
    EXPECT_TRUE(handy.Befehle().empty());
    EXPECT_FALSE(handy.Warten_Auf_Empfang("AT", 50));

    handy.Senden(std::string("\r\n+CRING\0\r\n", 11));
    EXPECT_EQ(leitung.Lesen(11), std::string("\r\n+CRING\0\r\n", 11));
}

// The program opens and closes the port again and again; the phone must not notice.
TEST(SimHandyLeitung, UeberlebtSchliessenUndWiederoeffnen)
{
    sim::SimHandy handy;
    for (int i = 0; i < 2; ++i) {
        Leitung leitung(handy.Geraet());
        ASSERT_TRUE(leitung.Offen());
        EXPECT_EQ(leitung.Frage("AT\r", "AT\r\r\nOK\r\n"), "AT\r\r\nOK\r\n");
    }
}

}  // namespace
