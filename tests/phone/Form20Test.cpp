// The diversion window against the simulated phone: query and write per reason and for all,
// the number checks, and replies the row cannot be read from.
#include "PhoneUmgebung.h"

#include "phone/Form20.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace phone_test;

namespace {

const std::string Nummer = "+4912345678";

class Form20Test : public HandyTest {
protected:
    Form20Test()
    {
        f = Form20::Instanz();
        Vergessen();
    }
    ~Form20Test() override { Entladen<Form20>(); }

    void Zeile(int r, bool an, const QString& nummer)
    {
        f->Check2[3 * r]->setChecked(an);
        f->Text7[3 * r]->setText(nummer);
    }
    sim::SimUmleitung Umleitung(int r)
    {
        sim::SimUmleitung u_;
        Zustand([&](sim::SimEinstellungen& e) { u_ = e.Umleitungen[r]; });
        return u_;
    }

    Form20* f = nullptr;
};

TEST_F(Form20Test, LoadsWithVoiceAndFiveSeconds)
{
    EXPECT_EQ(f->Combo4->currentText(), "Sprache");
    EXPECT_EQ(f->Combo1[6]->currentText(), "5");
    EXPECT_EQ(f->Check2[9]->text(), "&Nicht erreichbar:");
    EXPECT_EQ(f->Command9[3]->text(), "Schreiben");
}

TEST_F(Form20Test, QueryUsesTheChosenClass)
{
    f->Command6[1]->click();
    EXPECT_EQ(Empfangen(), "AT+CCFC=1,2,,,1\r\n");
    EXPECT_EQ(Status(), "Fertig.");
    f->Combo4->setCurrentIndex(0);
    u.Handy->Stumm_Setzen(true);
    f->Command6_Click(1);
    EXPECT_EQ(Status(), "Frage Umleitung (Besetzt / Alle) ab...");
    EXPECT_EQ(Befehle().back(), "AT+CCFC=1,2,,,7");
    EXPECT_TRUE(f->Abbruch);
}

TEST_F(Form20Test, WriteRegistersAndActivates)
{
    Zeile(2, true, QString::fromStdString(Nummer));
    f->Combo1[6]->setCurrentIndex(3);  // "20"
    f->Command9[2]->click();
    EXPECT_EQ(Empfangen(), "AT+CCFC=2,3,+4912345678,145,1,,,20\r\nAT+CCFC=2,1,+4912345678,145,1,,,20\r\n");
    EXPECT_EQ(Status(), "Fertig.");
    EXPECT_TRUE(Umleitung(2).Aktiv);
    EXPECT_EQ(Umleitung(2).Zeit, 20);

    Vergessen();
    Zeile(0, true, QString::fromStdString(Nummer));
    f->Command9_Click(0);
    EXPECT_EQ(Empfangen(), "AT+CCFC=0,3,+4912345678,145,1\r\nAT+CCFC=0,1,+4912345678,145,1\r\n");
}

TEST_F(Form20Test, UntickedRowIsErasedWithTwoLineEnds)
{
    Zustand([](sim::SimEinstellungen& e) {
        e.Umleitungen[3] = sim::SimUmleitung{true, true, Nummer, 145, 4, 20};
    });
    f->Combo4->setCurrentIndex(3);  // "Fax"
    f->Command9_Click(3);
    EXPECT_EQ(Empfangen(), "AT+CCFC=3,4,,,4\r\n\r\n");
    EXPECT_FALSE(Umleitung(3).Registriert);
    EXPECT_EQ(Status(), "Fertig.");
}

TEST_F(Form20Test, QueryFillsTheRow)
{
    Zustand([](sim::SimEinstellungen& e) { e.Umleitungen[2] = sim::SimUmleitung{true, true, Nummer, 145, 1, 25}; });
    f->Command6_Click(2);
    EXPECT_TRUE(f->Check2[6]->isChecked());
    EXPECT_EQ(f->Text7[6]->text(), QString::fromStdString(Nummer));
    EXPECT_EQ(f->Combo1[6]->currentText(), "25");

    // Another reason has no delay box: its time field changes nothing.
    Zustand([](sim::SimEinstellungen& e) { e.Umleitungen[0] = sim::SimUmleitung{true, true, "+491", 145, 1, 20}; });
    u.Handy->Antwort_Setzen("AT+CCFC=0,2", "\r\n+CCFC: 1,1,\"+491\",145,,,10\r\n\r\nOK\r\n", 1);
    f->Command6_Click(0);
    EXPECT_EQ(f->Text7[0]->text(), "+491");
    EXPECT_EQ(f->Combo1[6]->currentText(), "25");

    // Not active: unticked and emptied.
    Zeile(1, true, QStringLiteral("+4999"));
    f->Command6_Click(1);
    EXPECT_FALSE(f->Check2[3]->isChecked());
    EXPECT_EQ(f->Text7[3]->text(), "");
}

TEST_F(Form20Test, UnreadableRepliesLeaveTheRow)
{
    Zeile(0, false, QStringLiteral("+4900"));
    u.Handy->Antwort_Setzen("AT+CCFC=0,2", sim::Ok(), 1);
    f->Command6_Click(0);
    u.Handy->Antwort_Setzen("AT+CCFC=0,2", "\r\n+CCFC: 1,1\r\n\r\nOK\r\n", 1);
    f->Command6_Click(0);
    EXPECT_FALSE(f->Check2[0]->isChecked());
    EXPECT_EQ(f->Text7[0]->text(), "+4900");
    EXPECT_EQ(Status(), "Fertig.");

    u.Handy->Antwort_Setzen("AT+CCFC=0,2", "\r\n+CCFC: 1,16,\"+4912345678\",145\r\n\r\nOK\r\n", 1);
    f->Command6_Click(0);
    EXPECT_TRUE(f->Check2[0]->isChecked());
    EXPECT_EQ(f->Text7[0]->text(), QString::fromStdString(Nummer));
}

TEST_F(Form20Test, WrongNumberSendsNothing)
{
    Zeile(0, true, QStringLiteral("012345678"));
    f->Command9_Click(0);
    EXPECT_EQ(u.Dialoge.Texte(),
              QStringList{"Die Rufnummer MUSS im internationalen Format (z.B. +49xxxxxxxxx) angegeben werden!"});
    EXPECT_EQ(u.Dialoge.Meldungen.back().symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(u.Dialoge.Meldungen.back().tasten, Dialoge::Tasten::OK);
    EXPECT_EQ(Status(), "Setze/Lösche Rufumleitung (Immer / Sprache)...");
    EXPECT_TRUE(Befehle().empty());
    EXPECT_FALSE(f->Abbruch);
}

TEST_F(Form20Test, LongOrMalformedNumbersSendNothing)
{
    Zeile(0, true, QStringLiteral("+") + QString(21, QLatin1Char('1')));
    f->Command9_Click(0);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Rufnummer darf höchstens 20 Ziffern haben!"});
    for (const char* nummer : {"+", "++49", "+49+123"}) {
        u.Dialoge.Meldungen.clear();
        Zeile(0, true, QLatin1String(nummer));
        f->Command9_Click(0);
        EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Rufnummer darf nur aus den Zeichen 0.9 und '+' bestehen!"}) << nummer;
    }
    EXPECT_TRUE(Befehle().empty());
}

TEST_F(Form20Test, RefusedRegisterShowsThePhonesDiversion)
{
    Zustand([](sim::SimEinstellungen& e) { e.Umleitungen[1] = sim::SimUmleitung{true, true, "+4930111", 145, 1, 20}; });
    Zeile(1, true, QString::fromStdString(Nummer));
    u.Handy->Antwort_Setzen("AT+CCFC=1,3", sim::CmeError(30), 1);
    f->Command9_Click(1);
    EXPECT_EQ(Befehle().back(), "AT+CCFC=1,2,,,1");
    EXPECT_TRUE(f->Check2[3]->isChecked());
    EXPECT_EQ(f->Text7[3]->text(), "+4930111");
}

TEST_F(Form20Test, ARowWhoseWriteAndRequeryFailedShowsNoTypedNumber)
{
    Zeile(0, true, QStringLiteral("+4930123456"));
    u.Handy->Antwort_Setzen("AT+CCFC=0,3", sim::Error(), 1);
    u.Handy->Antwort_Setzen("AT+CCFC=0,2", sim::Error(), 1);
    f->Command9_Click(0);
    EXPECT_EQ(Befehle().back(), "AT+CPIN?");
    EXPECT_EQ(Anzahl("AT+CCFC=0,2,,,1"), 1);
    EXPECT_FALSE(f->Check2[0]->isChecked());
    EXPECT_TRUE(f->Text7[0]->text().isEmpty());
}

TEST_F(Form20Test, FailedWriteAllShowsThePhonesDiversionsFromThere)
{
    Zustand([](sim::SimEinstellungen& e) {
        for (int r = 1; r < 4; ++r)
            e.Umleitungen[r] = sim::SimUmleitung{true, true, "+493011" + std::to_string(r), 145, 1, 20};
    });
    for (int r = 0; r < 4; ++r)
        Zeile(r, r != 1, QString::fromStdString(Nummer));
    u.Handy->Antwort_Setzen("AT+CCFC=1,4", sim::Error(), 1);
    f->Command44->click();
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CCFC=0,3,+4912345678,145,1", "AT+CCFC=0,1,+4912345678,145,1",
                                                   "AT+CCFC=1,4,,,1", "AT+CPIN?", "AT+CCFC=1,2,,,1",
                                                   "AT+CCFC=2,2,,,1", "AT+CCFC=3,2,,,1"}));
    EXPECT_EQ(f->Text7[0]->text(), QString::fromStdString(Nummer));
    for (int r = 1; r < 4; ++r) {
        EXPECT_TRUE(f->Check2[3 * r]->isChecked()) << r;
        EXPECT_EQ(f->Text7[3 * r]->text(), QStringLiteral("+493011%1").arg(r));
    }
    EXPECT_FALSE(f->Abbruch);
}

TEST_F(Form20Test, WriteAllGoesOnAfterAWrongNumber)
{
    for (int r = 0; r < 4; ++r)
        Zeile(r, true, QString::fromStdString(Nummer));
    f->Text7[0]->setText(QStringLiteral("0301234"));
    f->Command44_Click();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(Anzahl("AT+CCFC=0,3,+4912345678,145,1"), 0);
    EXPECT_EQ(Befehle().size(), 7u);
    for (int r = 1; r < 4; ++r)
        EXPECT_TRUE(Umleitung(r).Aktiv) << r;
    // The row the check stopped shows what the phone holds, not what was typed.
    EXPECT_EQ(Befehle().back(), "AT+CCFC=0,2,,,1");
    EXPECT_FALSE(f->Check2[0]->isChecked());
    EXPECT_TRUE(f->Text7[0]->text().isEmpty());
}

// After a stall the phone answers every command 1.4 s late: no row shows another row's diversion.
TEST_F(Form20Test, ReadAllAfterAStallShowsNoLateReplyInARow)
{
    Zustand([](sim::SimEinstellungen& e) { e.Umleitungen[0] = sim::SimUmleitung{true, true, "+49301111", 145, 1, 20}; });
    Module1::TimeoutFaktor = 1000;
    u.Handy->Stocken(1400);
    EXPECT_FALSE(Module1::Befehl_Senden("AT", true));
    f->Command43->click();
    for (int r = 1; r < 4; ++r) {
        EXPECT_FALSE(f->Check2[3 * r]->isChecked()) << r;
        EXPECT_TRUE(f->Text7[3 * r]->text().isEmpty()) << r;
    }
}

TEST_F(Form20Test, ReadAllFillsEveryRow)
{
    Zustand([](sim::SimEinstellungen& e) {
        e.Umleitungen[1] = sim::SimUmleitung{true, true, "+4930111", 145, 1, 20};
        e.Umleitungen[3] = sim::SimUmleitung{true, true, "+4930333", 145, 1, 20};
    });
    f->Command43->click();
    EXPECT_EQ(Empfangen(), "AT+CCFC=0,2,,,1\r\nAT+CCFC=1,2,,,1\r\nAT+CCFC=2,2,,,1\r\nAT+CCFC=3,2,,,1\r\n");
    EXPECT_FALSE(f->Check2[0]->isChecked());
    EXPECT_EQ(f->Text7[3]->text(), "+4930111");
    EXPECT_FALSE(f->Check2[6]->isChecked());
    EXPECT_EQ(f->Text7[9]->text(), "+4930333");

    // A silent phone stops the run at the first reason.
    Vergessen();
    u.Handy->Stumm_Setzen(true);
    f->Command43_Click();
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CCFC=0,2,,,1"}));
}

}  // namespace
