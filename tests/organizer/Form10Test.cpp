// The appointment dialog: the call-number rule, the length limits, the model, the object it
// writes and what cancelling leaves.
#include "OrganizerHilfen.h"

#include "link/Handytyp.h"
#include "organizer/Form10.h"
#include "phonebook/Eintraege.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <gtest/gtest.h>

using namespace Module1;
using namespace organizer_test;

namespace {

// Typing, one character at a time, through the line edit's own checks.
void Tippen(QLineEdit* feld, const QString& text)
{
    for (const QChar c : text)
        feld->insert(QString(c));
}

class Terminformular : public ::testing::Test {
protected:
    Terminformular()
    {
        Handytyp = QStringLiteral("35");
        QDir().mkpath(Programmordner());
        QFile::remove(Neuer_Termin_Datei());
    }
    ~Terminformular() override
    {
        Link_Zuruecksetzen();
        QFile::remove(Neuer_Termin_Datei());
        QDir().rmdir(Neuer_Termin_Datei());
    }
    static QByteArray Datei() { return Datei_Lesen(Neuer_Termin_Datei()); }

    DialogeSkript dialoge;
};

TEST_F(Terminformular, ACallTakesANumberOnly)
{
    Form10 d;
    EXPECT_EQ(d.windowTitle(), "Neuer Termin");
    d.Option1[1]->click();
    d.Text1->setText(QStringLiteral("0171 234"));
    d.Command1_Click();
    ASSERT_EQ(dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(dialoge.Meldungen[0].text, "Bei einem Anruf darf im Text nur eine Rufnummer stehen!");
    EXPECT_EQ(dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    EXPECT_EQ(dialoge.Meldungen[0].tasten, Dialoge::Tasten::OK);
    EXPECT_FALSE(QFile::exists(Neuer_Termin_Datei()));
    EXPECT_NE(d.result(), QDialog::Accepted);

    for (const char* text : {"+49171234", ""}) {
        d.Text1->setText(QLatin1String(text));
        d.Command1_Click();
        EXPECT_TRUE(Datei().contains("\r\nCATEGORIES:PHONE CALL\r\n")) << text;
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    EXPECT_EQ(dialoge.Meldungen.size(), 1u);
}

TEST_F(Terminformular, TypingStopsAtTheLimitOfTheType)
{
    Form10 d;
    const QString siebzehn(17, QLatin1Char('a'));
    Tippen(d.Text1, QString(22, QLatin1Char('n')));
    EXPECT_EQ(d.Text1->text().size(), 20);  // the design limit, also for the preselected "&Notiz"

    d.Text1->clear();
    d.Option1[2]->click();
    Tippen(d.Text1, siebzehn);
    EXPECT_EQ(d.Text1->text().size(), 16);

    d.Text1->clear();
    d.Option1[1]->click();
    Tippen(d.Text1, QString(22, QLatin1Char('1')));
    EXPECT_EQ(d.Text1->text().size(), 20);

    // A caller's longer text stays whole; typing may shorten it but not lengthen it.
    TerminZeile z;
    z.Art = QStringLiteral("Treffen");
    z.Beschreibung = QString(25, QLatin1Char('x'));
    d.Fuellen(z);
    EXPECT_EQ(d.Textgrenze(), 16);
    EXPECT_EQ(d.Text1->text().size(), 25);
    d.Text1->end(false);
    Tippen(d.Text1, QStringLiteral("y"));
    EXPECT_EQ(d.Text1->text().size(), 25);
    d.Text1->backspace();
    EXPECT_EQ(d.Text1->text().size(), 24);
}

TEST_F(Terminformular, APasteKeepsItsFirstCharactersAndNoTab)
{
    Form10 d;
    d.Text1->insert(QStringLiteral("0123456789abcdefghijXYZ"));
    EXPECT_EQ(d.Text1->text(), "0123456789abcdefghij");

    d.Text1->setText(QStringLiteral("<>"));
    d.Text1->setCursorPosition(1);
    d.Text1->insert(QStringLiteral("a\tb") + QString(30, QLatin1Char('c')));
    EXPECT_EQ(d.Text1->text(), "<ab" + QString(16, QLatin1Char('c')) + ">");
    EXPECT_EQ(d.Text1->cursorPosition(), 19);
}

TEST_F(Terminformular, TheOlderModelHasNoMonthlyRepetition)
{
    Handytyp = QStringLiteral("35");
    EXPECT_TRUE(Form10().Option2[4]->isEnabled());

    // Not known yet, the model is asked from the phone.
    Link_Zuruecksetzen();
    SimUmgebung u;
    u.Handy->Mit_Zustand([](sim::SimHandy& h) { h.Modell = "S25"; });
    Form10 d;
    EXPECT_FALSE(d.Option2[4]->isEnabled());
    EXPECT_TRUE(d.Option2[3]->isEnabled());
    EXPECT_EQ(u.Handy->Empfangen(), "AT+CGMM\r\n");
}

TEST_F(Terminformular, ConfirmingWritesTheObject)
{
    Form10 d;
    EXPECT_EQ(d.MonthView1->selectedDate(), QDate::currentDate());
    d.MonthView1->setSelectedDate(QDate(2001, 3, 5));
    d.DT1->setTime(QTime(9, 5, 7));
    d.Check1->setChecked(true);
    d.Option2[4]->click();
    d.Text1->setText(QStringLiteral("Arzt"));
    d.Command1->click();
    EXPECT_EQ(Datei(), QByteArray("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MEMO\r\n"
                                  "DALARM:20010305T090507\r\nDTSTART:20010305T090507\r\nRRULE:M1 05\r\n"
                                  "DESCRIPTION:Arzt\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(Terminformular, AFileThatCannotBeWrittenKeepsTheDialogOpen)
{
    ASSERT_TRUE(QDir().mkpath(Neuer_Termin_Datei()));  // a folder in the file's place
    Form10 d;
    d.Text1->setText(QStringLiteral("Arzt"));
    d.Command1->click();
    ASSERT_EQ(dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(dialoge.Meldungen[0].text, "Die Datei konnte nicht geschrieben werden!");
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Text1->text(), "Arzt");
}

TEST_F(Terminformular, CancellingWritesNothing)
{
    Datei_Anlegen(Neuer_Termin_Datei(), "alt");
    DialogModus = QStringLiteral("aendern");
    Form10().Command2->click();
    EXPECT_EQ(DialogModus, "cancel");
    EXPECT_EQ(Datei(), "alt");

    // The close box leaves the mode as the caller set it.
    DialogModus = QStringLiteral("aendern");
    Form10().reject();
    EXPECT_EQ(DialogModus, "aendern");
    EXPECT_EQ(Datei(), "alt");
}

TEST_F(Terminformular, AnEditingCallerFillsItFromTheRow)
{
    Form10 d;
    d.Fuellen(TerminZeile{"Anruf", "12", "24.12.2000", "18:30", "0171", "Ja", "Woche"});
    EXPECT_EQ(d.windowTitle(), "Eintrag bearbeiten");
    EXPECT_EQ(d.MonthView1->selectedDate(), QDate(2000, 12, 24));
    EXPECT_EQ(d.DT1->time(), QTime(18, 30, 0));
    EXPECT_TRUE(d.Check1->isChecked());
    EXPECT_EQ(d.Wiederholung(), 2);
    EXPECT_EQ(d.Typ(), 1);
    EXPECT_EQ(d.Text1->text(), "0171");
    EXPECT_EQ(d.Textgrenze(), 20);

    // A kind of no button leaves the design choice, a rule of no button checks none and stays;
    // a date that is none leaves today.
    Form10 g;
    g.Fuellen(TerminZeile{"HOLIDAY", "", "..", "25:99", "", "", "W1 #0"});
    EXPECT_EQ(g.Typ(), 0);
    EXPECT_EQ(g.Wiederholung(), -1);
    EXPECT_EQ(g.Objekt().Regel, "W1 #0");
    EXPECT_EQ(g.Textgrenze(), 20);
    EXPECT_EQ(g.MonthView1->selectedDate(), QDate::currentDate());
    EXPECT_FALSE(g.Check1->isChecked());
}

}  // namespace
