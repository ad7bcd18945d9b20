// The settings loader and the model detection against a scripted port.
#include "common/Einstellungen.h"
#include "link/Handytyp.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "support/Attrappen.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

class Loader : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(Einstellungen::Datei());
        Module2::Einstellungen_Fenster_Zeigen = [this] { ++fensterGezeigt; };
    }
    void TearDown() override { Module2::Einstellungen_Fenster_Zeigen = nullptr; }

    LinkUmgebung u;
    int fensterGezeigt = 0;
};

TEST_F(Loader, EmptyStoreGivesTheDefaultsAndOpensTheSettingsWindow)
{
    LoeschenRueckfrage = TBRot = TBFett = SMSAutoLog = false;
    LokalTBAutoLaden = true;
    Module2::Einstellungen_Laden();
    EXPECT_EQ(TimeoutFaktor, 7500);
    EXPECT_EQ(u.Anzeige.MeterMaximum, 7500);
    EXPECT_TRUE(LoeschenRueckfrage);
    EXPECT_TRUE(TBRot);
    EXPECT_TRUE(TBFett);
    EXPECT_TRUE(SMSAutoLog);
    EXPECT_FALSE(LokalTBAutoLaden);
    EXPECT_EQ(AutoTelefonbuchDatei, "");
    EXPECT_EQ(SMSAbsenderDatei, "");
    EXPECT_EQ(SMSLogDatei, Programmordner() + "/sms.log");
    EXPECT_EQ(fensterGezeigt, 1);
    EXPECT_FALSE(u.Anzeige.Panels.contains(4));
    EXPECT_FALSE(QFile::exists(Einstellungen::Datei()));  // the loader writes nothing
}

TEST_F(Loader, StoredValues)
{
    Einstellungen::Speichern("Settings", "ComPort", "3");
    Einstellungen::Speichern("Settings", "Geschwindigkeit", "57600");
    Einstellungen::Speichern("Options", "tbROT", "0");
    Einstellungen::Speichern("Options", "SMSLOGfile", "/x/log.txt");
    Einstellungen::Speichern("Options", "LOKTBAUTOLADEN", "1");
    Einstellungen::Speichern("Options", "DIESESTBAUTOLOAD", "/tmp/a.orx");
    Einstellungen::Speichern("Options", "Timeoutzeit", "12000");
    QFile f(Einstellungen::Datei());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray vorher = f.readAll();
    f.close();

    Module2::Einstellungen_Laden();
    EXPECT_EQ(u.Port.Nummer, 3);
    EXPECT_EQ(u.Port.Einstellung, "57600,n,8,1");
    EXPECT_EQ(u.Anzeige.Panels[4], "COM:3 (57600,n,8,1) ");
    EXPECT_FALSE(u.Port.Offen);  // the loader does not open the port
    EXPECT_FALSE(TBRot);
    EXPECT_TRUE(TBFett);
    EXPECT_EQ(SMSLogDatei, "/x/log.txt");
    EXPECT_TRUE(LokalTBAutoLaden);
    EXPECT_EQ(AutoTelefonbuchDatei, "/tmp/a.orx");
    EXPECT_EQ(TimeoutFaktor, 12000);
    EXPECT_EQ(fensterGezeigt, 0);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), vorher);
}

TEST_F(Loader, TimeoutOutOfRangeIsClampedAndBadPortValuesTakeTheFailurePath)
{
    Einstellungen::Speichern("Options", "Timeoutzeit", "40000");
    Einstellungen::Speichern("Settings", "ComPort", "x");
    Module2::Einstellungen_Laden();
    EXPECT_EQ(TimeoutFaktor, 30000);
    EXPECT_EQ(fensterGezeigt, 1);

    Einstellungen::Speichern("Options", "Timeoutzeit", "5");
    Einstellungen::Speichern("Settings", "ComPort", "2");
    Einstellungen::Speichern("Settings", "Geschwindigkeit", "schnell");
    Module2::Einstellungen_Laden();
    EXPECT_EQ(TimeoutFaktor, 1000);
    EXPECT_EQ(fensterGezeigt, 2);
}

TEST(Handytyp, KeptAfterTheFirstAnswerOnly)
{
    LinkUmgebung u;
    u.Port.Bei("AT+CGMM", {"AT+CGMM\r\r\nX35i\r\n\r\nOK\r\n"});
    EXPECT_EQ(Handytyp_Pruefen(), "35");
    EXPECT_EQ(Handytyp_Pruefen(), "35");
    EXPECT_EQ(u.Port.Gesendet, "AT+CGMM\r\n");
    EXPECT_EQ(u.Anzeige.Panels[2], "Fertig.");
}

TEST(Handytyp, UnknownAndSilentAreAskedAgain)
{
    LinkUmgebung u;
    u.Port.Bei("AT+CGMM", {"\r\nP10\r\n\r\nOK\r\n"});
    u.Port.Bei("AT+CGMM", {"\r\nP10\r\n\r\nOK\r\n"});
    EXPECT_EQ(Handytyp_Pruefen(), "unbekannt");
    EXPECT_EQ(Handytyp_Pruefen(), "unbekannt");
    EXPECT_EQ(u.Port.Gesendet, "AT+CGMM\r\nAT+CGMM\r\n");
    EXPECT_EQ(Handytyp, "");

    EXPECT_EQ(Handytyp_Pruefen(), "");  // no reply: the time-out
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(Handytyp, "");
    EXPECT_EQ(u.Anzeige.Panels[2], "Prüfe Handytyp");

    // Answered with the echo: a final line alone could be the late one of the silent command.
    u.Port.Bei("AT+CGMM", {"AT+CGMM\r\r\nX25-35\r\n\r\nOK\r\n"});
    EXPECT_EQ(Handytyp_Pruefen(), "35");
}

}  // namespace
