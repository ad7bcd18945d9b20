// The reading window against the simulated phone: reading the list and the storage, the log
// of read messages, deleting, answering, forwarding, saving, sorting and the layout rules.
#include "SMSHilfen.h"
#include "common/Module3.h"
#include "common/Module4.h"
#include "common/Platzierung.h"
#include "common/Textdatei.h"
#include "sms/Form5.h"
#include "sms/SMSLesen.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

using namespace Module1;

namespace {

const std::string Hallo = "0791947101670000040B919471214365F70000302010214365400AE8329BFD4697D9EC37";

// "Hallo", "Welt", "Tschüss" in three lines from +4930123 on 05.06.07 08:09:10.
const std::string Mehrzeilig = "0791947101670000040791940321F300007060508090010012C8309BFD565CCB6CBA823A1FA3FDF339";

class Form5Sim : public SMSSim {
protected:
    Form5* Laden()
    {
        f = Form5::Instanz();
        return f;
    }
    QStringList Zeile(int i) const
    {
        QStringList z;
        for (int spalte = 0; spalte < 7; ++spalte)
            z << f->kal1->topLevelItem(i)->text(spalte);
        return z;
    }
    QStringList Indizes() const
    {
        QStringList z;
        for (int i = 0; i < f->kal1->topLevelItemCount(); ++i)
            z << f->kal1->topLevelItem(i)->text(1);
        return z;
    }
    void Waehlen(std::initializer_list<int> zeilen)
    {
        f->kal1->clearSelection();
        for (int i : zeilen)
            f->kal1->topLevelItem(i)->setSelected(true);
    }
    void Knopf(const char* schluessel) { Form5::Knopf(f->Toolbar1, schluessel)->trigger(); }
    static void Taste(QWidget* feld, Qt::Key taste, const QString& text, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, taste, mod, text);
        QApplication::sendEvent(feld, &e);
    }

    Form5* f = nullptr;
};

}  // namespace

TEST_F(Form5Sim, LoadReadsStorageAndListWithEveryKindOfMessage)
{
    n->Beispiele_Fuellen();
    TBuchDaten[1][1][1] = "001";
    TBuchDaten[1][1][2] = "Anna";
    TBuchDaten[1][1][3] = "0171234567";
    Laden();

    EXPECT_EQ(Empfangen(), "AT+CPMS?\r\nAT+CMGL=4\r\nAT+CPMS?\r\n");
    ASSERT_EQ(f->kal1->topLevelItemCount(), 5);
    EXPECT_EQ(Zeile(0), QStringList({"EG", "01", "+49171234567", "Anna", "01.02.03", "12:34:56", "hellohello"}));
    EXPECT_EQ(Zeile(1), QStringList({"EU", "02", "+49171234567", "Anna", "01.02.03", "12:34:56", "Preis 5@"}));
    EXPECT_EQ(Zeile(2), QStringList({"EU", "03", "+491710760000", "+491710760000", "", "",
                                     "Statusreport: Meldung an +49171234567, gesendet: 01/02/03, 12:34:56 Uhr. "
                                     "Ausgeliefert: 01/02/03, 12:35:08 Uhr."}));
    EXPECT_EQ(Zeile(3), QStringList({"AG", "04", "+49171234567", "Anna", "", "", "Test    "}));
    EXPECT_EQ(Zeile(4), QStringList({"AU", "05", "", "", "", " ", "Hallo"}));
    QList<int> symbole;
    for (int i = 0; i < 5; ++i)
        symbole << Form5::Symbolnummer(f->kal1->topLevelItem(i));
    EXPECT_EQ(symbole, QList<int>({2, 4, 4, 1, 3}));

    // The first row is shown, but not selected; the storage counts five of ten.
    EXPECT_EQ(f->Label35->text(), "Anna");
    EXPECT_EQ(f->Label6->text(), "+49171234567");
    EXPECT_EQ(f->Text5->toPlainText(), "hellohello");
    EXPECT_TRUE(f->kal1->selectedItems().isEmpty());
    EXPECT_TRUE(f->Label3->isVisibleTo(f));
    EXPECT_EQ(f->Label3->text(), "SMS-Speicher: 5 von 10 frei");
    EXPECT_EQ(f->Shape2->width(), 1087 / 15);
    EXPECT_EQ(f->Shape2->x(), (2295 - 1087) / 15);
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());

    // Every message went to the log once. Reading again logs the two that were unread, as read
    // ones now (the first listing read them); a third time nothing.
    EXPECT_EQ(Datei_Lesen(SMSLogDatei).count(QByteArray(80, '-')), 5);
    EXPECT_TRUE(Datei_Lesen(SMSLogDatei)
                    .startsWith("\xEF\xBB\xBF" "EG   +49171234567       (Anna              ) 01.02.03 12:34:56 \r\nhellohello"));
    Knopf("refresh");
    EXPECT_EQ(Zeile(1)[0], "EG");
    EXPECT_EQ(Datei_Lesen(SMSLogDatei).count(QByteArray(80, '-')), 7);
    const QByteArray log = Datei_Lesen(SMSLogDatei);
    Knopf("refresh");
    EXPECT_EQ(Datei_Lesen(SMSLogDatei), log);

    // A new name for the sender logs its three messages again.
    TBuchDaten[1][1][2] = "Anna B";
    Knopf("refresh");
    EXPECT_EQ(Datei_Lesen(SMSLogDatei).count(QByteArray(80, '-')), 10);
}

TEST_F(Form5Sim, MessagesAsTodaysPhonesListThem)
{
    const std::string zentrale = "0791947101670000";
    const std::string absender = "0B919471214365F7";
    const std::string stempel = "30201021436540";
    Nachrichten({
        // first of two segments of a long message: header skipped, text from the next septet boundary
        {1, {1, zentrale + "44" + absender + "0000" + stempel + "0C050003A10201906536FB0D"}},
        {2, {0, zentrale + "04" + absender + "0008" + stempel + "1C0047007200FC00DF006500200061007500730020004B00F6006C006E"}},
        {3, {1, zentrale + "04" + absender + "0004" + stempel + "0301AB7F"}},
        // a received message listed as stored sent, a SUBMIT listed as received
        {4, {3, zentrale + "04" + absender + "0000" + stempel + "0B9B3268C3C36F7C204104"}},
        {5, {0, zentrale + "11050B919471214365F70000FF04D4F29C0E"}},
        // a status report listed as stored sent, the message not delivered
        {6, {3, zentrale + "062A0B919471214365F7302010214365403020102153804046"}},
    });
    Laden();
    ASSERT_EQ(f->kal1->topLevelItemCount(), 6);
    EXPECT_EQ(Zeile(0), QStringList({"EG", "01", "+49171234567", "+49171234567", "01.02.03", "12:34:56", "Hello"}));
    EXPECT_EQ(Zeile(1)[6], QStringLiteral("Grüße aus Köln"));
    EXPECT_EQ(Zeile(2)[6], "01AB7F");
    EXPECT_EQ(Zeile(3), QStringList({"AG", "04", "+49171234567", "+49171234567", "01.02.03", "12:34:56",
                                     QStringLiteral("€ [x] $_")}));
    EXPECT_EQ(Zeile(4), QStringList({"EU", "05", "+49171234567", "+49171234567", "", "", "Test"}));
    EXPECT_EQ(Zeile(5), QStringList({"AG", "06", "+491710760000", "+491710760000", "", "",
                                     "Statusreport: Meldung an +49171234567, gesendet: 01/02/03, 12:34:56 Uhr. "
                                     "Nicht ausgeliefert: 01/02/03, 12:35:08 Uhr."}));
    EXPECT_TRUE(Datei_Lesen(SMSLogDatei).contains("01.02.03 12:34:56 \r\nHello "));
}

TEST_F(Form5Sim, ALogThatCannotBeWrittenIsToldOnceARead)
{
    SMSLogDatei = Programmdatei("fehlt/sms.log");
    Nachrichten({{1, {1, Hallo}}, {2, {1, Hallo}}});
    Laden();
    EXPECT_EQ(f->kal1->topLevelItemCount(), 2);
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Die Datei konnte nicht geschrieben werden!");
}

TEST_F(Form5Sim, EmptyPhoneAndRefusedList)
{
    SMSAutoLog = false;
    Laden();
    EXPECT_EQ(f->kal1->topLevelItemCount(), 0);
    EXPECT_EQ(f->Label3->text(), "SMS-Speicher: 10 von 10 frei");
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");
    EXPECT_FALSE(QFile::exists(SMSLogDatei));

    // A refused list: the rows are gone, no storage check and no "Fertig.".
    // An empty list read again leaves nothing in the pane.
    Nachrichten({{1, {1, Hallo}}});
    Knopf("refresh");
    EXPECT_EQ(f->Text5->toPlainText(), "hellohello");
    Nachrichten({});
    Knopf("refresh");
    EXPECT_EQ(f->Text5->toPlainText(), "");
    EXPECT_EQ(f->Label35->text(), "");

    Nachrichten({{1, {1, Hallo}}});
    Knopf("refresh");
    ASSERT_EQ(f->kal1->topLevelItemCount(), 1);
    Vergessen();
    u.Handy->Antwort_Setzen("AT+CMGL", sim::CmsError(321), 1);
    Knopf("refresh");
    EXPECT_EQ(f->kal1->topLevelItemCount(), 0);
    EXPECT_EQ(Empfangen(), "AT+CMGL=4\r\nAT+CPIN?\r\n");
    EXPECT_NE(anzeige.Status.last(), "Fertig.");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);  // the exchange's own message

    // A storage reply without counts leaves the caption hidden.
    u.Handy->Antwort_Setzen("AT+CPMS?", sim::Zeile("+CPMS: \"SM\"") + sim::Ok(), 1);
    Knopf("refresh");
    EXPECT_FALSE(f->Label3->isVisibleTo(f));
}

// The storage check times out: the window reads nothing more and tells it once.
TEST_F(Form5Sim, OpeningOnASilentPhoneIsOneMessage)
{
    u.Handy->Stumm_Setzen(true);
    Laden();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u) << u.Dialoge.Texte().join("|").toStdString();
    EXPECT_EQ(Empfangen(), "AT+CPMS?\r\n");
}

TEST_F(Form5Sim, AStorageReplyThatComesLateIsNotReadAsTheList)
{
    Nachrichten({{1, {1, Hallo}}});
    Laden();
    TimeoutFaktor = 500;
    u.Handy->Verzoegerung_Setzen(1250);
    SMSSpeicher_Pruefen();  // times out; its reply comes while the list is asked for
    u.Handy->Verzoegerung_Setzen(0);
    Vergessen();
    Knopf("refresh");
    EXPECT_EQ(Indizes(), QStringList{"01"});
    EXPECT_EQ(Empfangen(), "ATS3?\r\nAT+CMGL=4\r\nAT+CPMS?\r\n");  // the probe after the time-out first
}

TEST_F(Form5Sim, UnsolicitedLinesBetweenAHeaderAndItsPduAreNoPartOfTheMessage)
{
    Nachrichten({{1, {1, Hallo}}});
    u.Handy->Einschub_Bei("AT+CMGL", "+CMGL:", "\r\nRING\r\n\r\n+CMTI: \"SM\",3\r\n");
    Laden();
    ASSERT_EQ(f->kal1->topLevelItemCount(), 1);
    EXPECT_EQ(Zeile(0), QStringList({"EG", "01", "+49171234567", "+49171234567", "01.02.03", "12:34:56", "hellohello"}));
}

TEST_F(Form5Sim, ClickShowsTheMessageWithItsLineBreaks)
{
    Nachrichten({{1, {1, Hallo}}, {2, {1, Mehrzeilig}}});
    Laden();
    ASSERT_EQ(f->kal1->topLevelItemCount(), 2);
    EXPECT_EQ(Zeile(1)[6], QString::fromUtf8("Hallo\nWelt\nTschüss"));
    emit f->kal1->itemClicked(f->kal1->topLevelItem(1), 0);
    EXPECT_EQ(f->Text5->toPlainText(), QString::fromUtf8("Hallo\nWelt\nTschüss"));
    EXPECT_EQ(f->Label36->text(), "05.06.07");
    EXPECT_EQ(f->Label37->text(), "08:09:10");
    EXPECT_EQ(f->Label35->text(), "+4930123");
    // CR LF is one break; a "²" is a character that a UCS2 message carries, and it stays.
    f->Zeile_Anfuegen({"EG", 2, "07", "1", "1", "", "", QString::fromUtf8("a²b\r\nc"), {}});
    emit f->kal1->itemClicked(f->kal1->topLevelItem(2), 0);
    EXPECT_EQ(f->Text5->toPlainText(), QString::fromUtf8("a²b\nc"));
}

TEST_F(Form5Sim, AMegabytePasteIntoTheMessageBoxIsCutToWhatAMessageCanShow)
{
    Nachrichten({{1, {1, Hallo}}});
    Laden();
    emit f->kal1->itemClicked(f->kal1->topLevelItem(0), 0);
    f->Text5->selectAll();
    QGuiApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('7')));
    QElapsedTimer uhr;
    uhr.start();
    Taste(f->Text5, Qt::Key_V, QString(), Qt::ControlModifier);
    Taste(f->Text5, Qt::Key_A, "a");  // full: takes nothing
    QCoreApplication::processEvents();
    EXPECT_LT(uhr.elapsed(), 1000);
    // 140 octets of 8-bit data show as 280 hex digits: the longest text of a message.
    EXPECT_EQ(f->Text5->toPlainText(), QString(280, QLatin1Char('7')));

    // A letter with its combining mark across the limit stays out whole.
    f->Text5->selectAll();
    QGuiApplication::clipboard()->setText(QString(279, QLatin1Char('7')) + QString::fromUtf8("e\u0301"));
    Taste(f->Text5, Qt::Key_V, QString(), Qt::ControlModifier);
    EXPECT_EQ(f->Text5->toPlainText(), QString(279, QLatin1Char('7')));
}

TEST_F(Form5Sim, TabLeavesTheMessageBox)
{
    Nachrichten({{1, {1, Hallo}}});
    Laden();
    emit f->kal1->itemClicked(f->kal1->topLevelItem(0), 0);
    const QString text = f->Text5->toPlainText();
    f->Text5->setFocus();
    Taste(f->Text5, Qt::Key_Tab, "\t");
    EXPECT_EQ(f->Text5->toPlainText(), text);
    EXPECT_NE(f->window()->focusWidget(), f->Text5);
}

TEST_F(Form5Sim, DeleteSendsOneCommandPerSelectedRowInListOrder)
{
    Nachrichten({{1, {1, Hallo}}, {2, {1, Hallo}}, {3, {1, Hallo}}, {4, {1, Hallo}}, {5, {1, Hallo}}});
    Laden();
    Waehlen({2, 1});
    Vergessen();
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    f->SMS_kill();
    EXPECT_EQ(Empfangen(), "AT+CMGR=2\r\nAT+CMGD=2\r\nAT+CMGR=3\r\nAT+CMGD=3\r\nAT+CPMS?\r\n");
    EXPECT_EQ(Indizes(), QStringList({"01", "04", "05"}));
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Diese Nachricht(en) wirklich löschen?");
    EXPECT_EQ(u.Dialoge.Meldungen[0].titel, "Löschen");
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);
    EXPECT_TRUE(anzeige.Status.contains("Lösche SMS Nr. 02"));
    EXPECT_TRUE(anzeige.Status.contains("Lösche SMS Nr. 03"));
    EXPECT_EQ(f->Label3->text(), "SMS-Speicher: 7 von 10 frei");
    // The pane is emptied by a delete.
    EXPECT_EQ(f->Label35->text(), "");
    EXPECT_EQ(f->Text5->toPlainText(), "");
}

TEST_F(Form5Sim, FailedDeleteStopsAndKeepsTheRest)
{
    Nachrichten({{1, {1, Hallo}}, {2, {1, Hallo}}, {3, {1, Hallo}}, {4, {1, Hallo}}, {5, {1, Hallo}}});
    LoeschenRueckfrage = false;
    Laden();
    Waehlen({1, 2});
    u.Handy->Antwort_Setzen("AT+CMGD=3", sim::Error(), 1);
    Vergessen();
    f->SMS_kill();
    EXPECT_EQ(Empfangen(), "AT+CMGR=2\r\nAT+CMGD=2\r\nAT+CMGR=3\r\nAT+CMGD=3\r\nAT+CPIN?\r\n");
    EXPECT_EQ(Indizes(), QStringList({"01", "03", "04", "05"}));
}

// The phone deletes message 2, but its answer is lost: read back, the row goes. A delete the
// phone did not carry out leaves its row.
TEST_F(Form5Sim, ADeleteWhoseAnswerIsLostReadsTheSlotBack)
{
    Nachrichten({{1, {1, Hallo}}, {2, {1, Hallo}}, {3, {1, Hallo}}});
    LoeschenRueckfrage = false;
    Laden();
    Waehlen({1});
    u.Handy->Antwort_Verlieren_Bei("AT+CMGD=2", 1);
    Knopf("kill");
    EXPECT_EQ(Indizes(), QStringList({"01", "03"}));

    Waehlen({1});
    u.Handy->Schweigen_Bei("AT+CMGD=3", 1);
    Knopf("kill");
    EXPECT_EQ(Indizes(), QStringList({"01", "03"}));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u) << u.Dialoge.Texte().join("|").toStdString();
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { EXPECT_EQ(n->Nachrichten.size(), 2u); });
}

// After a stall the phone answers every command 1.4 s late: no late answer reads as the slot.
TEST_F(Form5Sim, ADeleteAfterAStallLeavesTheMessageThePhoneHolds)
{
    Nachrichten({{1, {1, Hallo}}, {2, {1, Hallo}}});
    LoeschenRueckfrage = false;
    Laden();
    TimeoutFaktor = 1000;
    u.Handy->Stocken(1400);
    EXPECT_FALSE(Befehl_Senden("AT", true));
    Waehlen({0});
    Knopf("kill");
    EXPECT_EQ(Indizes(), QStringList({"01", "02"}));
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return n->Nachrichten.size(); }), 2u);
}

TEST_F(Form5Sim, AMessageGoneAlreadyCountsAsDeleted)
{
    Nachrichten({{1, {1, Hallo}}, {2, {1, Hallo}}, {3, {1, Hallo}}, {4, {1, Hallo}}, {5, {1, Hallo}}});
    LoeschenRueckfrage = false;
    Laden();
    // Deleted elsewhere between reading the slot and deleting it: invalid index.
    u.Handy->Antwort_Setzen("AT+CMGD=2", sim::CmsError(321), 1);
    Waehlen({1, 3});
    Vergessen();
    f->SMS_kill();
    EXPECT_EQ(Empfangen(), "AT+CMGR=2\r\nAT+CMGD=2\r\nAT+CMGR=4\r\nAT+CMGD=4\r\nAT+CPMS?\r\n");
    EXPECT_EQ(Indizes(), QStringList({"01", "03", "05"}));
    EXPECT_FALSE(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return n->Nachrichten.count(4) > 0; }));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());

    // Deleted on the phone before: its slot reads as invalid, and nothing is deleted.
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { n->Nachrichten.erase(1); });
    Waehlen({0});
    Vergessen();
    f->SMS_kill();
    EXPECT_EQ(Empfangen(), "AT+CMGR=1\r\nAT+CPMS?\r\n");
    EXPECT_EQ(Indizes(), QStringList({"03", "05"}));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form5Sim, ASlotReusedSinceTheListIsNotDeleted)
{
    Nachrichten({{1, {1, Hallo}}, {2, {1, Hallo}}, {3, {1, Hallo}}});
    LoeschenRueckfrage = false;
    Laden();
    // On the phone, message 2 goes and a new one arrives in its slot.
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { n->Nachrichten[2] = {0, Mehrzeilig}; });
    Waehlen({1, 2});
    Vergessen();
    f->SMS_kill();
    EXPECT_EQ(Empfangen(), "AT+CMGR=2\r\nAT+CMGR=3\r\nAT+CMGD=3\r\nAT+CMGL=4\r\nAT+CPMS?\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Nachricht wurde im Handy verändert und nicht gelöscht. Die Liste "
                                             "wird neu eingelesen."});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return n->Nachrichten.at(2).PDU; }), Mehrzeilig);
    EXPECT_EQ(Indizes(), QStringList({"01", "02"}));
    EXPECT_EQ(Zeile(1)[6], QString::fromUtf8("Hallo\nWelt\nTschüss"));
}

TEST_F(Form5Sim, AReusedSlotIsToldAndTheListReReadWhenALaterSlotFails)
{
    Nachrichten({{1, {1, Hallo}}, {2, {1, Hallo}}, {3, {1, Hallo}}});
    LoeschenRueckfrage = false;
    Laden();
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { n->Nachrichten[2] = {0, Mehrzeilig}; });
    u.Handy->Antwort_Setzen("AT+CMGR=3", sim::Error(), 1);
    Waehlen({0, 1, 2});
    Vergessen();
    f->SMS_kill();
    const std::string empfangen = Empfangen();
    EXPECT_EQ(empfangen.rfind("AT+CMGR=1\r\nAT+CMGD=1\r\nAT+CMGR=2\r\nAT+CMGR=3\r\n", 0), 0u) << empfangen;
    EXPECT_EQ(empfangen.find("AT+CMGD=2"), std::string::npos);
    EXPECT_NE(empfangen.find("AT+CMGL=4\r\n"), std::string::npos) << empfangen;
    EXPECT_EQ(u.Dialoge.Texte().count("Die Nachricht wurde im Handy verändert und nicht gelöscht. Die Liste "
                                      "wird neu eingelesen."),
              1);
    EXPECT_EQ(Indizes(), QStringList({"02", "03"}));
    EXPECT_EQ(Zeile(0)[2], "+4930123");
    EXPECT_EQ(Zeile(0)[6], QString::fromUtf8("Hallo\nWelt\nTschüss"));
}

TEST_F(Form5Sim, EmptyListAndNoSelection)
{
    Laden();
    Vergessen();
    f->SMS_kill();
    Knopf("save");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(u.Dialoge.Dateiwahlen.empty());
    Knopf("answer");
    Knopf("weiterleiten");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList({"Die Liste ist leer!", "Die Liste ist leer!"}));

    Nachrichten({{1, {1, Hallo}}});
    Knopf("refresh");
    Vergessen();
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    f->SMS_kill();  // the question comes before the check of the selection
    Knopf("answer");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList({"Diese Nachricht(en) wirklich löschen?", "Keinen Eintrag ausgewählt!",
                                              "Keinen Eintrag ausgewählt!"}));
    EXPECT_EQ(u.Dialoge.Meldungen[1].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(Empfangen(), "");
}

TEST_F(Form5Sim, AnswerAndForwardFillTheComposingWindow)
{
    Nachrichten({{1, {1, Hallo}}, {2, {2, "00110000810000FF00"}}, {3, {1, Mehrzeilig}}});
    Laden();
    Form6* f6 = Form6::Instanz();  // reads the service centre when it loads
    f6->List3->addItem("+4930");
    Waehlen({0, 1, 2});
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Knopf("answer");
    QStringList liste;
    for (int i = 0; i < f6->List3->count(); ++i)
        liste << f6->List3->item(i)->text();
    EXPECT_EQ(liste, QStringList({"+4930", "+49171234567", "", "+4930123"}));
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Sollen die SMS-Empfängerliste vorher gelöscht werden?");
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Ja);
    EXPECT_TRUE(f6->isVisible());

    // Forwarding takes the selected row that has the focus.
    Waehlen({0, 2});
    f->kal1->setCurrentItem(f->kal1->topLevelItem(2), 0, QItemSelectionModel::NoUpdate);
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Knopf("weiterleiten");
    EXPECT_EQ(f6->List3->count(), 0);
    EXPECT_EQ(f6->Text6->toPlainText(), QString::fromUtf8("Hallo\nWelt\nTschüss"));
}

TEST_F(Form5Sim, SaveWritesTheShownMessage)
{
    Nachrichten({{1, {1, Mehrzeilig}}});
    TBuchDaten[2][1][1] = "001";
    TBuchDaten[2][1][2] = "Anna/Bert";
    TBuchDaten[2][1][3] = "+4930123";
    Laden();
    QTemporaryDir ordner;
    const QString ziel = ordner.filePath("sms.txt");
    Datei_Schreiben(ziel, "alt");
    // The existing file: No shows the dialog again, with the name chosen last.
    u.Dialoge.Dateien = {ziel, ziel};
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein, Dialoge::Antwort::Ja};
    Knopf("save");
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 2u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Vorgabename, "SMS von Anna-Bert(05.06.07).txt");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Filter, "Textdateien (*.txt)");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[1].Vorgabename, "sms.txt");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[1].Startdatei, ordner.path());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList(2, "Es existiert bereits eine Datei mit diesem Namen! Möchten Sie sie "
                                                "überschreiben?"));
    EXPECT_EQ(Datei_Lesen(ziel), QString::fromUtf8("Anna/Bert\r\n05.06.07\r\n08:09:10\r\nHallo\r\nWelt\r\nTschüss\r\n")
                                     .toLatin1());
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH11"), ziel);

    // Cancelling ends silently; after a delete the pane is empty and so is the file.
    u.Dialoge.Dateien = {QString()};
    Knopf("save");
    EXPECT_EQ(Datei_Lesen(ziel).left(4), "Anna");
    LoeschenRueckfrage = false;
    Waehlen({0});
    f->SMS_kill();
    Nachrichten({{1, {1, Hallo}}});
    Knopf("refresh");
    f->Label35->clear();
    f->Label36->clear();
    f->Label37->clear();
    f->Text5->clear();
    const QString leer = ordner.filePath("leer.txt");
    u.Dialoge.Dateien = {leer};
    Knopf("save");
    EXPECT_EQ(u.Dialoge.Dateiwahlen.back().Vorgabename, "SMS von ().txt");
    EXPECT_EQ(Datei_Lesen(leer), "\r\n\r\n\r\n\r\n");
}

TEST_F(Form5Sim, AMessageBeyondTheCodePageIsSavedWhole)
{
    // "Привет мир" in UCS2 from +49171234567
    Nachrichten({{1, {1, "0791947101670000040B919471214365F7000830201021436540"
                         "14041F044004380432043504420020043C04380440"}}});
    Laden();
    QTemporaryDir ordner;
    const QString ziel = ordner.filePath("sms.txt");
    u.Dialoge.Dateien = {ziel};
    Knopf("save");
    EXPECT_TRUE(Datei_Lesen(ziel).startsWith("\xEF\xBB\xBF"));
    const std::optional<QStringList> zeilen = Textdatei::Lesen(ziel);
    ASSERT_TRUE(zeilen.has_value());
    EXPECT_EQ(zeilen->value(3), QStringLiteral("Привет мир"));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form5Sim, AFailedSaveSaysSoAndKeepsTheOldFile)
{
    Nachrichten({{1, {1, Mehrzeilig}}});
    Laden();
    QTemporaryDir ordner;
    const QString ziel = ordner.filePath("sms.txt");
    Datei_Schreiben(ziel, "alt");
    u.Dialoge.Dateien = {ziel};
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    {
        Dateigrenze voll;
        Knopf("save");
    }
    EXPECT_EQ(Datei_Lesen(ziel), "alt");
    EXPECT_NE(Einstellungen::Lesen("Config", "PATH11"), ziel);
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 2u);
    EXPECT_EQ(u.Dialoge.Meldungen[1].text, "Die Datei konnte nicht geschrieben werden!");
    EXPECT_EQ(u.Dialoge.Meldungen[1].symbol, Dialoge::Symbol::Kritisch);
}

TEST_F(Form5Sim, LogListOpensTheLogOrSaysItIsMissing)
{
    Laden();
    QStringList geoeffnet;
    Module4::Shell = [&](const Module4::Shellaufruf& a) {
        geoeffnet << a.Datei;
        return QFile::exists(a.Datei) ? Module4::Shell_Erfolg : Module4::Shell_DateiFehlt;
    };
    Knopf("liste");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Datei wurde nicht gefunden oder ist noch leer!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    Datei_Schreiben(SMSLogDatei, "x");
    Knopf("liste");
    EXPECT_EQ(geoeffnet, QStringList(2, SMSLogDatei));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    Module4::Shell = nullptr;
}

TEST_F(Form5Sim, SortingByColumns)
{
    const std::string spaet = "0791947101670000040B919471214365F70000301020214365400AE8329BFD4697D9EC37";  // 02.01.03
    const std::string frueh = "0791947101670000040B919471214365F70000992131214365400AE8329BFD4697D9EC37";  // 13.12.99
    Nachrichten({{9, {1, spaet}}, {10, {1, Hallo}}, {11, {1, frueh}}});
    Laden();
    Module3::SortierRichtung = {};
    const auto klick = [&](int spalte) { emit f->kal1->header()->sectionClicked(spalte - 1); };
    klick(5);
    EXPECT_EQ(Indizes(), QStringList({"11", "09", "10"}));
    klick(5);
    EXPECT_EQ(Indizes(), QStringList({"10", "09", "11"}));
    // The index sorts as a number.
    klick(2);
    EXPECT_EQ(Indizes(), QStringList({"09", "10", "11"}));
    klick(1);  // the shared direction of column 1 was false: ascending
    EXPECT_TRUE(Module3::SortierRichtung[1]);
}

TEST_F(Form5Sim, NameOrNumberColumnAndTheLayoutRules)
{
    Laden();
    const auto breite = [&](int spalte) { return f->kal1->header()->sectionSize(spalte - 1); };
    EXPECT_EQ(breite(3), 0);
    EXPECT_EQ(breite(4), 1365 / 15);
    Knopf("nummer");
    EXPECT_EQ(breite(3), 1365 / 15);
    EXPECT_EQ(breite(4), 0);
    EXPECT_FALSE(Form5::Knopf(f->Toolbar1, "name")->isChecked());
    f->resize(700, 500);
    EXPECT_EQ(breite(3), 1365 / 15);

    // Too small is raised to 7300 x 6500 twips.
    f->resize(100, 100);
    EXPECT_EQ(f->width(), 487);
    EXPECT_EQ(f->height(), 434);

    const Form5::Masse m = Form5::Masse_Berechnen(5000, 5000, false, false, 1000);
    EXPECT_EQ(m.Breite, 7300);
    EXPECT_EQ(m.Hoehe, 6500);
    EXPECT_EQ(m.Kal1Breite, 7300 - 280);
    EXPECT_EQ(m.Kal1Hoehe, 6500 - (420 + 520 + 1935));
    EXPECT_EQ(m.Frame3Oben, 6500 - 2455);
    EXPECT_EQ(m.Label3Oben, m.Frame3Oben + 1435);
    EXPECT_EQ(m.ShapeOben, m.Label3Oben - 20);
    EXPECT_EQ(m.Spalten[6], 7020 - 4575);
    // Maximised, nothing is limited; a narrow list keeps its last column, never below zero.
    const Form5::Masse klein = Form5::Masse_Berechnen(4800, 3000, true, true, 1000);
    EXPECT_EQ(klein.Breite, 4800);
    EXPECT_EQ(klein.Spalten[6], 1000);
    EXPECT_EQ(Form5::Masse_Berechnen(4850, 3000, true, true, 1000).Spalten[6], 0);
}

TEST_F(Form5Sim, ClosingSavesThePlacement)
{
    Laden();
    f->move(30, 45);
    f->resize(600, 450);
    f->close();
    EXPECT_EQ(Einstellungen::Lesen("Windows", "SMSLesenX"), "450");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "SMSLesenW"), "9000");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "SMSLesenWS"), "0");
}
