// The date and time window against the simulated phone, with a PC clock of the test's own.
#include "PhoneUmgebung.h"

#include "phone/Form18.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>

using namespace phone_test;

namespace {

class Form18Test : public HandyTest {
protected:
    ~Form18Test() override { Entladen<Form18>(); }

    Form18* Laden()
    {
        Form18* f = Form18::Instanz();
        Vergessen();
        return f;
    }
    std::string Handyuhr()
    {
        std::string text;
        Zustand([&](sim::SimEinstellungen& e) { text = e.Uhr_Lesen(); });
        return text;
    }
};

TEST_F(Form18Test, LoadShowsThePcClockAndReadsThePhone)
{
    Form18* f = Form18::Instanz();
    EXPECT_EQ(Empfangen(), "AT+CCLK?\r\n");
    EXPECT_EQ(f->MonthView1->selectedDate(), QDate(2001, 3, 5));
    EXPECT_EQ(f->DTPicker1->time(), QTime(12, 34, 56));
    EXPECT_EQ(f->MonthView2->selectedDate(), QDate(2024, 2, 29));
    EXPECT_EQ(f->DTPicker2->time(), QTime(23, 59, 58));
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(f->Timer1->interval(), 1000);
    EXPECT_EQ(Status(), "Fertig.");
    EXPECT_TRUE(uhr.Gestellt.empty());
    EXPECT_TRUE(Module1::Link().Text2.isEmpty());
}

TEST_F(Form18Test, TheWindowIsKnownWhileItsLoadReadsThePhone)
{
    // A second click on the node while the load yields must find this window.
    bool bekannt = false;
    QTimer::singleShot(0, [&bekannt] { bekannt = Form18::Geladen(); });
    Form18::Instanz();
    EXPECT_TRUE(bekannt);
    EXPECT_EQ(Empfangen(), "AT+CCLK?\r\n");
}

TEST_F(Form18Test, WritesThePhoneSideWithoutQuotes)
{
    Form18* f = Laden();
    f->Command14->click();
    EXPECT_EQ(Empfangen(), "AT+CCLK=01/03/05,12:34:56\r\n");
    f->MonthView1->setSelectedDate(QDate(2024, 1, 9));
    f->DTPicker1->setTime(QTime(7, 5, 9));
    f->Command14_Click();
    EXPECT_EQ(Empfangen(), "AT+CCLK=01/03/05,12:34:56\r\nAT+CCLK=24/01/09,07:05:09\r\n");
    EXPECT_EQ(Handyuhr(), "24/01/09,07:05:09");
    EXPECT_EQ(Status(), "Fertig.");
}

TEST_F(Form18Test, RejectedRepliesChangeNothing)
{
    Form18* f = Laden();
    f->MonthView1->setSelectedDate(QDate(2020, 6, 1));
    for (const char* antwort : {"\r\n+CCLK: \"01/13/45,25:00:00\"\r\n\r\nOK\r\n", "\r\nOK\r\n"}) {
        u.Handy->Antwort_Setzen("AT+CCLK?", antwort, 1);
        f->Command13->click();
        EXPECT_EQ(f->MonthView1->selectedDate(), QDate(2020, 6, 1)) << antwort;
        EXPECT_EQ(Status(), "Lese Datum & Uhrzeit...");
        u.Handy->Antwort_Setzen("AT+CCLK?", antwort, 1);
        f->Command1->click();  // and the PC keeps its clock
        EXPECT_TRUE(uhr.Gestellt.empty()) << antwort;
    }
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form18Test, ThePhonesFieldsShowOnlyWhatThePhoneReported)
{
    Form18* f = Laden();
    u.Handy->Antwort_Setzen("AT+CCLK=", sim::Error(), 1);
    f->Command2->click();
    EXPECT_EQ(Befehle().front(), "AT+CCLK=24/02/29,23:59:58");
    EXPECT_EQ(f->MonthView1->selectedDate(), QDate(2001, 3, 5));
    EXPECT_EQ(f->DTPicker1->time(), QTime(12, 34, 56));

    // A refused read leaves nothing on show.
    u.Handy->Antwort_Setzen("AT+CCLK?", sim::Error(), 1);
    f->Command13->click();
    EXPECT_TRUE(f->DTPicker1->text().trimmed().isEmpty()) << f->DTPicker1->text().toStdString();
    EXPECT_FALSE(f->Handyfelder_Gefuellt());
    f->Command13->click();
    EXPECT_EQ(f->DTPicker1->text(), "12:34:56");
}

TEST_F(Form18Test, APasteWithoutTextLeavesTheTimeField)
{
    Form18* f = Laden();
    ASSERT_EQ(f->DTPicker1->text(), "12:34:56");
    f->DTPicker1->setFocus();
    f->DTPicker1->setSelectedSection(QDateTimeEdit::HourSection);
    QGuiApplication::clipboard()->setMimeData(new QMimeData);  // the desktop's empty clipboard
    QKeyEvent einfuegen(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(f->DTPicker1, &einfuegen);
    EXPECT_EQ(f->DTPicker1->text(), "12:34:56");
}

TEST_F(Form18Test, PcFromPhoneSetsOnceAndAsksNothing)
{
    Form18* f = Laden();
    Zustand([](sim::SimEinstellungen& e) { e.Uhr_Setzen("23/12/31,22:10:05"); });
    f->Command1->click();
    EXPECT_EQ(Empfangen(), "AT+CCLK?\r\n");
    ASSERT_EQ(uhr.Gestellt.size(), 1u);
    EXPECT_EQ(uhr.Gestellt[0], QDateTime(QDate(2023, 12, 31), QTime(22, 10, 5)));
    EXPECT_EQ(f->MonthView2->selectedDate(), QDate(2023, 12, 31));
    EXPECT_EQ(f->DTPicker2->time(), QTime(22, 10, 5));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form18Test, RefusedPcClockIsReportedAndNotShown)
{
    Form18* f = Laden();
    uhr.Verweigern = true;
    f->Command1_Click();
    EXPECT_EQ(uhr.Gestellt.size(), 1u);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Systemzeit des PCs konnte nicht geändert werden!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(f->MonthView2->selectedDate(), QDate(2024, 2, 29));
    f->Timer1_Timer();
    EXPECT_EQ(f->DTPicker2->time(), QTime(23, 59, 58));
}

TEST_F(Form18Test, TwoDigitYearsStayIn1970To2069)
{
    Form18* f = Laden();
    Zustand([](sim::SimEinstellungen& e) { e.Uhr_Setzen("99/12/31,22:10:05"); });
    f->Command1->click();
    EXPECT_EQ(f->MonthView1->selectedDate(), QDate(1999, 12, 31));
    ASSERT_EQ(uhr.Gestellt.size(), 1u);
    EXPECT_EQ(uhr.Gestellt[0].date(), QDate(1999, 12, 31));

    // A PC year that two digits cannot carry is refused, not sent as "00".
    uhr.Zeit = QDateTime(QDate(2100, 1, 1), QTime(0, 0, 1));
    f->Timer1_Timer();
    Vergessen();
    f->Command2->click();
    EXPECT_TRUE(Befehle().empty());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das Handy kann nur Jahre von 1970 bis 2069 speichern!"});
    EXPECT_EQ(f->MonthView1->selectedDate(), QDate(1999, 12, 31));
    f->MonthView1->setSelectedDate(QDate(2100, 1, 1));
    EXPECT_EQ(f->MonthView1->selectedDate().year(), 2069);
}

TEST_F(Form18Test, PhoneFromPcAsksNothing)
{
    Form18* f = Laden();
    f->Command2->click();
    EXPECT_EQ(Empfangen(), "AT+CCLK=24/02/29,23:59:58\r\n");
    EXPECT_EQ(f->MonthView1->selectedDate(), QDate(2024, 2, 29));
    EXPECT_EQ(f->DTPicker1->time(), QTime(23, 59, 58));
    EXPECT_EQ(Handyuhr(), "24/02/29,23:59:58");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form18Test, PhoneFromPcWritesThePcClockOfTheClick)
{
    Form18* f = Laden();
    f->MonthView2_GotFocus();  // the PC fields stand still from here
    uhr.Zeit = uhr.Zeit.addSecs(3);
    f->Command2_Click();
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CCLK=24/03/01,00:00:01"}));
    EXPECT_EQ(f->MonthView2->selectedDate(), QDate(2024, 3, 1));
    EXPECT_EQ(f->DTPicker2->time(), QTime(0, 0, 1));
    EXPECT_EQ(f->MonthView1->selectedDate(), QDate(2024, 3, 1));
}

TEST_F(Form18Test, LeavingThePcDateShowsThePcClockAtOnce)
{
    uhr.Zeit = QDateTime(QDate(2024, 5, 6), QTime(12, 0, 0));
    Form18* f = Laden();
    f->MonthView2_GotFocus();
    uhr.Zeit = uhr.Zeit.addSecs(3);
    f->MonthView2_LostFocus();
    EXPECT_EQ(f->DTPicker2->time(), QTime(12, 0, 3));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form18Test, TimerShowsThePcClock)
{
    Form18* f = Laden();
    uhr.Zeit = QDateTime(QDate(2024, 3, 1), QTime(0, 0, 1));
    f->Timer1_Timer();
    EXPECT_EQ(f->MonthView2->selectedDate(), QDate(2024, 3, 1));
    EXPECT_EQ(f->DTPicker2->time(), QTime(0, 0, 1));
}

TEST_F(Form18Test, LeavingThePcTimeAlwaysAsks)
{
    Form18* f = Laden();
    f->DTPicker2_GotFocus();
    EXPECT_FALSE(f->Timer1->isActive());
    f->DTPicker2_LostFocus();  // unchanged: asked all the same, No is the default
    ASSERT_EQ(u.Dialoge.Texte(), QStringList{"Soll die PC-Systemzeit geändert werden?"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Frage);
    EXPECT_TRUE(uhr.Gestellt.empty());
    EXPECT_TRUE(f->Timer1->isActive());

    f->DTPicker2_GotFocus();
    f->DTPicker2->setTime(QTime(8, 15, 0));
    u.Dialoge.Antworten.push_back(Dialoge::Antwort::Ja);
    f->DTPicker2_LostFocus();
    ASSERT_EQ(uhr.Gestellt.size(), 1u);
    EXPECT_EQ(uhr.Gestellt[0], QDateTime(QDate(2024, 2, 29), QTime(8, 15, 0)));  // today's date kept
    EXPECT_EQ(f->DTPicker2->time(), QTime(8, 15, 0));
    EXPECT_TRUE(Befehle().empty());
}

TEST_F(Form18Test, LeavingThePcDateAsksOnlyForAnotherDay)
{
    Form18* f = Laden();
    f->MonthView2_GotFocus();
    EXPECT_FALSE(f->Timer1->isActive());
    f->MonthView2_LostFocus();
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(f->Timer1->isActive());

    f->MonthView2_GotFocus();
    f->MonthView2->setSelectedDate(QDate(2024, 3, 15));
    u.Dialoge.Antworten.push_back(Dialoge::Antwort::Ja);
    f->MonthView2_LostFocus();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Soll das PC-Systemdatum geändert werden?"});
    ASSERT_EQ(uhr.Gestellt.size(), 1u);
    EXPECT_EQ(uhr.Gestellt[0], QDateTime(QDate(2024, 3, 15), QTime(23, 59, 58)));  // the time of day kept

    uhr.Verweigern = true;
    f->MonthView2->setSelectedDate(QDate(2024, 4, 1));
    u.Dialoge.Antworten.push_back(Dialoge::Antwort::Ja);
    f->MonthView2_LostFocus();
    EXPECT_EQ(u.Dialoge.Texte().last(), "Die Systemzeit des PCs konnte nicht geändert werden!");
}

TEST_F(Form18Test, FocusDrivesTheTimerAndTheQuestionComesBeforeAButtonsAction)
{
    Form18* f = Laden();
    f->show();
    f->activateWindow();
    QApplication::setActiveWindow(f);
    QCoreApplication::processEvents();
    f->DTPicker2->setFocus();
    QCoreApplication::processEvents();
    if (!f->DTPicker2->hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    EXPECT_FALSE(f->Timer1->isActive());

    f->Command2->setFocus();
    f->Command2_Click();  // the leave's question is asked first, then the phone is written
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Soll die PC-Systemzeit geändert werden?"});
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CCLK=24/02/29,23:59:58"}));
    EXPECT_TRUE(f->Timer1->isActive());
    QCoreApplication::processEvents();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);  // asked once
}

TEST_F(Form18Test, ClosingWithThePcTimeFocusedAsksNothing)
{
    QMdiArea bereich;
    auto* eingabe = new QLineEdit;  // another window takes the focus once this one is gone
    bereich.addSubWindow(eingabe);
    QMdiSubWindow* rahmen = bereich.addSubWindow(Laden());
    bereich.show();
    QApplication::setActiveWindow(&bereich);
    bereich.setActiveSubWindow(rahmen);
    QCoreApplication::processEvents();
    Form18* f = Form18::Instanz();
    f->DTPicker2->setFocus();
    QCoreApplication::processEvents();
    if (!f->DTPicker2->hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";

    u.Dialoge.Antworten.push_back(Dialoge::Antwort::Ja);
    rahmen->close();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(uhr.Gestellt.empty());
}

}  // namespace
