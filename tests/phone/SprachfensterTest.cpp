// The two display-language windows against the simulated phone: reading selects the option of
// the longest code found, and only after a successful read does a choice go to the phone.
#include "PhoneUmgebung.h"

#include "common/Einstellungen.h"
#include "phone/Bildfeld.h"
#include "phone/Form16.h"
#include "phone/Form25.h"

#include <QMouseEvent>
#include <QRadioButton>

using namespace phone_test;

namespace {

class Sprachwahl : public HandyTest {
protected:
    Sprachwahl()
    {
        Einstellungen::Loeschen(QStringLiteral("Windows"), QStringLiteral("SprachenX"));
        Einstellungen::Loeschen(QStringLiteral("Windows"), QStringLiteral("SprachenY"));
    }
    ~Sprachwahl() override
    {
        Entladen<Form16>();
        Entladen<Form25>();
    }

    void Modell(const std::string& modell)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy& h) { h.Modell = modell; });
    }
    void Code(int code)
    {
        Zustand([&](sim::SimEinstellungen& e) { e.Sprache = code; });
    }
    int Handysprache()
    {
        int code = -1;
        Zustand([&](sim::SimEinstellungen& e) { code = e.Sprache; });
        return code;
    }
    // The caption of the selected option, "" when none is.
    static QString Gewaehlt(const Sprachfenster* f)
    {
        QList<QRadioButton*> knoepfe = f->findChildren<QRadioButton*>();
        for (const QRadioButton* k : knoepfe)
            if (k->isChecked())
                return k->text();
        return QString();
    }
    static void Klicken(Bildfeld* bild)
    {
        QMouseEvent druck(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent los(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(bild, &druck);
        QCoreApplication::sendEvent(bild, &los);
    }
};

TEST_F(Sprachwahl, Form16ReadsTheLongestCodeAndSendsNothingMeanwhile)
{
    Modell("S25");
    Code(104);
    Form16* f = Form16::Instanz();
    EXPECT_TRUE(f->KlicksSperren);
    f->Sprache_Lesen();
    EXPECT_EQ(Gewaehlt(f), "&Deutsch");
    EXPECT_EQ(Empfangen(), "AT^SLNG?\r\n");
    EXPECT_FALSE(f->KlicksSperren);
    EXPECT_EQ(Status(), "Fertig.");

    f->Option1[5]->click();  // "&Griechisch"
    EXPECT_EQ(Empfangen(), "AT^SLNG?\r\nAT^SLNG=11\r\n");
    EXPECT_EQ(Handysprache(), 11);
    EXPECT_EQ(Status(), "Fertig.");

    for (const auto& [code, text] : std::vector<std::pair<int, const char*>>{{11, "&Griechisch"},
                                                                            {106, "&Italienisch"},
                                                                            {12, "&Türkisch"},
                                                                            {1, "&Englisch"},
                                                                            {0, "&Automatisch"}}) {
        Code(code);
        f->Sprache_Lesen();
        EXPECT_EQ(Gewaehlt(f), QString::fromUtf8(text)) << code;
    }
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Sprachwahl, Form25AutomaticAndGermanShareTheCode)
{
    Code(0);
    Form25* f = Form25::Instanz();
    f->Sprache_Lesen();
    EXPECT_EQ(Gewaehlt(f), "&Automatisch");
    Vergessen();
    f->Option1[0]->click();  // "&Deutsch"
    EXPECT_EQ(Empfangen(), "AT^SLNG=0\r\n");

    Code(10);
    f->Sprache_Lesen();
    EXPECT_EQ(Gewaehlt(f), "&Norwegisch");
    Vergessen();
    f->Option1[7]->click();  // "&Dänisch"
    f->Option2->click();
    EXPECT_EQ(Empfangen(), "AT^SLNG=7\r\nAT^SLNG=0\r\n");
    EXPECT_EQ(f->Option1[4], nullptr);
    EXPECT_EQ(f->Option1[8], nullptr);
}

TEST_F(Sprachwahl, BlockedUntilAReadSucceeds)
{
    Form25* f = Form25::Instanz();
    f->Option1[1]->click();
    Klicken(f->Image1[2]);
    EXPECT_TRUE(Befehle().empty());

    u.Handy->Schweigen_Bei("AT^SLNG?", 1);
    f->Sprache_Lesen();
    EXPECT_TRUE(f->KlicksSperren);
    EXPECT_EQ(Status(), "Lese Display-Sprache...");
    Vergessen();
    f->Option1[3]->click();
    Klicken(f->Image1[5]);
    EXPECT_TRUE(Befehle().empty());

    Code(5);
    f->Sprache_Lesen();  // read again: now it counts
    EXPECT_EQ(Gewaehlt(f), "&Niederländisch");
    Klicken(f->Image1[9]);
    EXPECT_EQ(Gewaehlt(f), "&Finnisch");
    // The probe after the time-out comes first.
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"ATS3?", "AT^SLNG?", "AT^SLNG=9"}));
}

TEST_F(Sprachwahl, Form16PicturesSelectTheirLanguage)
{
    Modell("S25");
    Form16* f = Form16::Instanz();
    f->Sprache_Lesen();
    const char* erwartet[] = {"&Niederländisch", "&Catalanisch", "&Portugiesich", "&Französisch", "&Italienisch",
                              "&Griechisch",     "&Deutsch",     "&Englisch",      "&Türkisch",    "&Spanisch"};
    const int codes[] = {5, 2, 8, 3, 106, 11, 104, 1, 12, 4};
    for (int k = 0; k < 10; ++k) {
        Klicken(f->Image1[k]);
        EXPECT_EQ(Gewaehlt(f), QString::fromUtf8(erwartet[k])) << k;
        EXPECT_EQ(Befehle().back(), "AT^SLNG=" + std::to_string(codes[k])) << k;
    }
}

TEST_F(Sprachwahl, RefusedChangeShowsTheLanguageThePhoneKept)
{
    Code(3);
    Form25* f = Form25::Instanz();
    f->Sprache_Lesen();
    u.Handy->Antwort_Setzen("AT^SLNG=", sim::CmeError(4), 1);
    f->Option1[6]->click();
    EXPECT_EQ(Gewaehlt(f), "&Französisch");
    EXPECT_NE(Status(), "Fertig.");
    EXPECT_FALSE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(Handysprache(), 3);
}

TEST_F(Sprachwahl, AfterATimedOutReadAChoiceShowsTheConfirmedLanguage)
{
    Code(3);
    Form25* f = Form25::Instanz();
    f->Sprache_Lesen();
    ASSERT_EQ(Gewaehlt(f), "&Französisch");
    u.Handy->Schweigen_Bei("AT^SLNG?", 1);
    f->Sprache_Lesen();
    Vergessen();
    f->Option1[6]->click();
    EXPECT_EQ(Gewaehlt(f), "&Französisch");
    Klicken(f->Image1[5]);
    EXPECT_EQ(Gewaehlt(f), "&Französisch");
    EXPECT_TRUE(Befehle().empty());
}

TEST_F(Sprachwahl, BothWindowsShareTheirPlace)
{
    Form16* f16 = Form16::Instanz();
    f16->move(30, 40);
    f16->close();
    EXPECT_EQ(Einstellungen::Lesen(QStringLiteral("Windows"), QStringLiteral("SprachenX")), "450");
    EXPECT_EQ(Einstellungen::Lesen(QStringLiteral("Windows"), QStringLiteral("SprachenY")), "600");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form25::Instanz()->pos(), QPoint(30, 40));
}

}  // namespace
