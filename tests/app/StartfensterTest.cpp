// The splash paces nine ticks, shows the tip of the day when it is on, then
// loads the main window and closes itself.
#include "HauptfensterUmgebung.h"
#include "common/Buildnummer.h"

#include "app/frmSplash.h"

#include <QLabel>
#include <QPointer>
#include <gtest/gtest.h>

using namespace hauptfenster_test;

namespace {

class Startfenster : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(Einstellungen::Datei());
        m_tipp = frmSplash::Tipp_Zeigen;
        m_haupt = frmSplash::Hauptfenster_Laden;
    }
    void TearDown() override
    {
        frmSplash::Tipp_Zeigen = m_tipp;
        frmSplash::Hauptfenster_Laden = m_haupt;
    }

    // Runs a splash with recording hooks until it has gone; the steps in the order they ran.
    QStringList Ablauf(qint64* dauer = nullptr)
    {
        QStringList schritte;
        QPointer<frmSplash> splash;
        frmSplash::Tipp_Zeigen = [&] {
            schritte << QStringLiteral("Tipp %1 %2").arg(splash->Ticks).arg(int(splash->isVisible()));
        };
        frmSplash::Hauptfenster_Laden = [&] {
            schritte << QStringLiteral("Hauptfenster %1 %2").arg(splash->Ticks).arg(int(splash->isVisible()));
        };
        QElapsedTimer uhr;
        uhr.start();
        splash = frmSplash::Starten();
        EXPECT_TRUE(splash->isVisible());
        EXPECT_EQ(splash->lblVersion->text(), QStringLiteral("Build ") + Buildnummer());
        EXPECT_EQ(splash->Timer1->interval(), 100);
        EXPECT_TRUE(splash->Timer1->isActive());
        EXPECT_TRUE(Warten_Bis([&] { return splash.isNull(); }, 5000));
        if (dauer)
            *dauer = uhr.elapsed();
        return schritte;
    }

private:
    std::function<void()> m_tipp;
    std::function<void()> m_haupt;
};

TEST_F(Startfenster, WithoutTheKeyTheTipComesBeforeTheMainWindow)
{
    qint64 dauer = 0;
    EXPECT_EQ(Ablauf(&dauer), QStringList({"Tipp 9 1", "Hauptfenster 9 1"}));
    EXPECT_GE(dauer, 850);  // the ninth tick of 100 ms
}

TEST_F(Startfenster, TipOnlyWhenTheOptionIsOne)
{
    Einstellungen::Speichern("Options", "TippdesTages", "0");
    EXPECT_EQ(Ablauf(), QStringList{"Hauptfenster 9 1"});
    Einstellungen::Speichern("Options", "TippdesTages", "1");
    EXPECT_EQ(Ablauf(), QStringList({"Tipp 9 1", "Hauptfenster 9 1"}));
    Einstellungen::Speichern("Options", "TippdesTages", "ja");  // no number: no tip
    EXPECT_EQ(Ablauf(), QStringList{"Hauptfenster 9 1"});
}

// The whole road with the real main window against the simulated phone.
TEST(StartfensterHandy, LoadsTheMainWindowAndCloses)
{
    Umgebung u;
    Einstellungen::Speichern("Options", "TippdesTages", "0");
    QPointer<frmSplash> splash = frmSplash::Starten();
    EXPECT_TRUE(Warten_Bis([&] { return splash.isNull(); }, 5000));
    u.Fenster = MDIForm1::Instanz();
    ASSERT_NE(u.Fenster, nullptr);
    EXPECT_TRUE(u.Fenster->isVisible());
    EXPECT_TRUE(u.Fenster->MSComm1.IstOffen());
    EXPECT_EQ(Module1::TBuchNamen[6], "VERSÄUMT");
    EXPECT_EQ(u.Beendet, 0);
}

}  // namespace
