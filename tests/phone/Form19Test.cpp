// The barring window against the simulated phone: query, set and clear per row, the password
// box, and a refused lock.
#include "PhoneUmgebung.h"

#include "phone/Form19.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>

using namespace phone_test;

namespace {

class Form19Test : public HandyTest {
protected:
    Form19Test()
    {
        f = Form19::Instanz();
        Vergessen();
    }
    ~Form19Test() override { Entladen<Form19>(); }

    void Druecken(int zeile, const char* schluessel)
    {
        QAction* knopf = Knopf(zeile, schluessel);
        ASSERT_NE(knopf, nullptr) << zeile << schluessel;
        knopf->trigger();
    }
    QAction* Knopf(int zeile, const char* schluessel) const
    {
        for (QAction* a : f->Toolbar1[zeile]->actions())
            if (a->objectName() == QLatin1String(schluessel))
                return a;
        return nullptr;
    }
    bool Aktiv(const std::string& fac)
    {
        bool aktiv = false;
        Zustand([&](sim::SimEinstellungen& e) { aktiv = e.Sperren[fac].Aktiv; });
        return aktiv;
    }

    Form19* f = nullptr;
};

TEST_F(Form19Test, RowsAndButtons)
{
    EXPECT_EQ(f->Label1[0]->text(), "Tastatursperre");
    EXPECT_EQ(f->Label1[6]->text(), "Ausgehende intern. Rufe außer Heimatland sperren");
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(Knopf(i, "refresh") != nullptr, i < 9) << i;
        ASSERT_NE(Knopf(i, "an"), nullptr);
        EXPECT_EQ(Knopf(i, "an")->toolTip(), "Sperre setzen");
        EXPECT_EQ(Knopf(i, "aus")->toolTip(), "Sperre aufheben");
        EXPECT_EQ(f->Bild[i], 0);
        EXPECT_TRUE(f->Image1[i]->pixmap().isNull());
    }
    EXPECT_EQ(Knopf(0, "refresh")->toolTip(), "Aktualisieren");
    EXPECT_EQ(f->Toolbar1[1]->toolTip(), "Status prüfen");
    EXPECT_TRUE(Befehle().empty());  // nothing is asked at load
}

TEST_F(Form19Test, KeypadLockNeedsNoPassword)
{
    Druecken(0, "an");
    EXPECT_TRUE(u.Dialoge.Eingabeprompts.isEmpty());
    EXPECT_EQ(Empfangen(), "AT+CLCK=CS,1\r\n");
    EXPECT_EQ(f->Bild[0], 2);
    EXPECT_FALSE(f->Image1[0]->pixmap().isNull());
    EXPECT_EQ(Status(), "Fertig.");
    EXPECT_TRUE(Aktiv("CS"));
    Druecken(0, "aus");
    EXPECT_EQ(Befehle().back(), "AT+CLCK=CS,0");
    EXPECT_EQ(f->Bild[0], 1);
}

TEST_F(Form19Test, ClearingWithTheTypedDigits)
{
    Zustand([](sim::SimEinstellungen& e) { e.Sperren["OI"].Aktiv = true; });
    u.Dialoge.Eingaben.push_back(QStringLiteral("0000"));
    Druecken(5, "aus");
    EXPECT_EQ(u.Dialoge.Eingabeprompts, QStringList{"Bitte Passwort angegeben!"});
    EXPECT_EQ(Empfangen(), "AT+CLCK=OI,0,0000\r\n");
    EXPECT_EQ(f->Bild[5], 1);
    EXPECT_FALSE(Aktiv("OI"));
    EXPECT_EQ(Status(), "Fertig.");
}

TEST_F(Form19Test, PasswordMustBeDigitsAndEmptyEndsSilently)
{
    for (const char* falsch : {"12a4", "12 4", "1,2"}) {
        u.Dialoge.Eingaben.push_back(QString::fromLatin1(falsch));
        Druecken(4, "an");
        EXPECT_EQ(u.Dialoge.Texte().last(), "Das Passwort darf nur aus Ziffern (0-9) bestehen!");
        EXPECT_EQ(u.Dialoge.Meldungen.back().symbol, Dialoge::Symbol::Kritisch);
    }
    u.Dialoge.Eingaben.push_back(QString(""));  // empty
    Druecken(4, "an");
    u.Dialoge.Eingaben.push_back(QString());  // cancelled
    Druecken(4, "aus");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 3u);
    EXPECT_TRUE(Befehle().empty());
    EXPECT_EQ(f->Bild[4], 0);
}

TEST_F(Form19Test, QueryShowsTheState)
{
    Druecken(2, "refresh");  // the PIN is on
    EXPECT_EQ(Empfangen(), "AT+CLCK=SC,2\r\n");
    EXPECT_EQ(f->Bild[2], 2);
    EXPECT_EQ(Status(), "Fertig.");

    Druecken(7, "refresh");
    EXPECT_EQ(Befehle().back(), "AT+CLCK=AI,2");
    EXPECT_EQ(f->Bild[7], 1);

    u.Handy->Antwort_Setzen("AT+CLCK=AO,2", "\r\n+CLCK: 0,1\r\n+CLCK: 1,2\r\n\r\nOK\r\n", 1);
    Druecken(4, "refresh");
    EXPECT_EQ(f->Bild[4], 2);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form19Test, StatusNamesTheRow)
{
    u.Handy->Stumm_Setzen(true);
    Druecken(2, "refresh");
    EXPECT_EQ(Status(), "Prüfe Status (PIN-Benutzung ein/aus)...");
    EXPECT_EQ(f->Bild[2], 0);
}

// The lock is not answered: told once, and the PIN state is not asked of a phone out of step.
TEST_F(Form19Test, AnUnansweredLockIsOneMessageAndNoPinQuery)
{
    u.Handy->Stumm_Setzen(true);
    u.Dialoge.Eingaben.push_back(QStringLiteral("0000"));
    Druecken(4, "an");
    EXPECT_EQ(Befehle(), std::vector<std::string>{"AT+CLCK=AO,1,0000"});
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u) << u.Dialoge.Texte().join("|").toStdString();
}

TEST_F(Form19Test, RefusedLockKeepsTheIcon)
{
    u.Dialoge.Eingaben.push_back(QStringLiteral("0000"));
    Druecken(4, "aus");
    ASSERT_EQ(f->Bild[4], 1);

    u.Dialoge.Eingaben.push_back(QStringLiteral("9999"));  // wrong barring password
    Druecken(4, "an");
    // A wrong password asks for no PIN: only the window's own follow-up.
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CLCK=AO,0,0000", "AT+CLCK=AO,1,9999", "AT+CPIN?"}));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das Passwort ist falsch!"});
    EXPECT_EQ(u.Dialoge.Meldungen.back().symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(f->Bild[4], 1);
    EXPECT_NE(Status(), "Fertig.");
    EXPECT_FALSE(Aktiv("AO"));
}

TEST_F(Form19Test, WrongPasswordInThePin2StateIsSentOnce)
{
    u.Handy->Mit_Zustand([](sim::SimHandy& h) { h.Pin2Gesperrt = true; });
    u.Dialoge.Eingaben = {QStringLiteral("1111"), QStringLiteral("1234")};  // password, then a PIN2 if asked
    Druecken(4, "an");
    EXPECT_EQ(Anzahl("AT+CLCK=AO,1,1111"), 1);
    EXPECT_EQ(u.Dialoge.Eingabeprompts, QStringList{"Bitte Passwort angegeben!"});
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das Passwort ist falsch!"});
}

TEST_F(Form19Test, PasswordCommandIsNotSentAgainAfterThePin2)
{
    u.Handy->Mit_Zustand([](sim::SimHandy& h) {
        h.Pin2Gesperrt = true;
        h.Pin2Befehle = {"AT+CLCK=FD"};
    });
    u.Dialoge.Eingaben = {QStringLiteral("1234"), QStringLiteral("1234")};  // the lock's PIN2, then the link's
    Druecken(3, "an");
    EXPECT_EQ(u.Dialoge.Eingabeprompts, QStringList({"Bitte Passwort angegeben!", "PIN2 erforderlich:"}));
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CLCK=FD,1,1234", "AT+CPIN?", "AT+CPIN=1234", "AT+CPIN?"}));
    EXPECT_EQ(f->Bild[3], 0);
    EXPECT_FALSE(Aktiv("FD"));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

TEST_F(Form19Test, GroupClearShowsItsMembersInactive)
{
    const char* const mitglieder[] = {"AO", "OI", "OX", "AI", "IR"};
    Zustand([&](sim::SimEinstellungen& e) {
        for (const char* fac : mitglieder)
            e.Sperren[fac].Aktiv = true;
    });
    for (int zeile = 4; zeile <= 8; ++zeile)
        Druecken(zeile, "refresh");
    u.Dialoge.Eingaben.push_back(QStringLiteral("0000"));
    Druecken(9, "aus");
    for (int zeile = 4; zeile <= 9; ++zeile)
        EXPECT_EQ(f->Bild[zeile], 1) << zeile;
    for (const char* fac : mitglieder)
        EXPECT_FALSE(Aktiv(fac)) << fac;
}

TEST_F(Form19Test, GroupsOnlyClear)
{
    Zustand([](sim::SimEinstellungen& e) {
        e.Sperren["AO"].Aktiv = true;
        e.Sperren["AI"].Aktiv = true;
    });
    u.Dialoge.Eingaben.push_back(QStringLiteral("0000"));
    Druecken(10, "aus");  // all outgoing
    EXPECT_EQ(Befehle().back(), "AT+CLCK=AG,0,0000");
    EXPECT_EQ(f->Bild[10], 1);
    EXPECT_FALSE(Aktiv("AO"));
    EXPECT_TRUE(Aktiv("AI"));

    u.Dialoge.Eingaben.push_back(QStringLiteral("0000"));
    Druecken(9, "an");  // the network refuses setting a group
    EXPECT_EQ(f->Bild[9], 0);
}

}  // namespace
