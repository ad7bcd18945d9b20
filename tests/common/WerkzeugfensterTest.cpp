// The frame of the tool windows, on a window of its own in an MDI area.
#include "common/Einstellungen.h"
#include "common/Werkzeugfenster.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {

const QString Windows = QStringLiteral("Windows");

class Testfenster : public Werkzeugfenster {
public:
    Testfenster() : Werkzeugfenster({QStringLiteral("Test"), 0, 0, 6000, 4500, true}) {}
    static Testfenster* Instanz()
    {
        return Einzelfenster_Holen<Testfenster>([] { return new Testfenster(); }, &Testfenster::Form_Load);
    }
    void Form_Load() { BeimLadenBekannt = Einzelfenster<Testfenster>() == this; }
    bool BeimLadenBekannt = false;
    int Layouts = 0;

protected:
    void Form_Resize() override { ++Layouts; }
};

class WerkzeugfensterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* k : {"TestX", "TestY", "TestW", "TestH", "TestWS"})
            Einstellungen::Loeschen(Windows, QLatin1String(k));
    }
    void TearDown() override
    {
        delete Einzelfenster<Testfenster>().data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QString Wert(const char* k) { return Einstellungen::Lesen(Windows, QLatin1String(k)); }

    QMdiArea bereich;
};

TEST_F(WerkzeugfensterTest, OneInstanceKnownWhileItLoadsAndGoneWhenClosed)
{
    Testfenster* f = Testfenster::Instanz();
    EXPECT_TRUE(f->BeimLadenBekannt);
    EXPECT_EQ(Testfenster::Instanz(), f);
    f->close();  // never shown, never placed: nothing is saved
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Einzelfenster<Testfenster>().isNull());
    EXPECT_TRUE(Wert("TestX").isNull());
}

TEST_F(WerkzeugfensterTest, PlacesItsFrameWhenFirstShownAndSavesItOnClose)
{
    Einstellungen::Speichern(Windows, QStringLiteral("TestX"), QStringLiteral("300"));
    Einstellungen::Speichern(Windows, QStringLiteral("TestY"), QStringLiteral("450"));
    bereich.resize(800, 600);
    bereich.show();
    Testfenster* f = Testfenster::Instanz();
    QMdiSubWindow* rahmen = bereich.addSubWindow(f);
    f->show();
    EXPECT_EQ(rahmen->pos(), QPoint(20, 30));
    EXPECT_EQ(rahmen->size(), QSize(400, 300));
    EXPECT_GT(f->Layouts, 0);

    rahmen->setGeometry(40, 50, 420, 330);
    f->close();
    EXPECT_EQ(Wert("TestX"), "600");
    EXPECT_EQ(Wert("TestY"), "750");
    EXPECT_EQ(Wert("TestW"), "6300");
    EXPECT_EQ(Wert("TestH"), "4950");
    EXPECT_EQ(Wert("TestWS"), "0");
}

TEST_F(WerkzeugfensterTest, RestoresTheStoredState)
{
    Einstellungen::Speichern(Windows, QStringLiteral("TestWS"), QStringLiteral("2"));
    bereich.show();
    Testfenster* f = Testfenster::Instanz();
    QMdiSubWindow* rahmen = bereich.addSubWindow(f);
    f->show();
    EXPECT_TRUE(rahmen->isMaximized());
}

}  // namespace
