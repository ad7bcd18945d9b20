// The composing window against the simulated phone: sending to several recipients, storing,
// the send log, the service centre, and the window's own rules for text and recipients.
#include "SMSHilfen.h"
#include "sms/Form5.h"
#include "sms/Form6.h"
#include "sms/Form7.h"
#include "sms/PDU.h"
#include "sms/Servicecenter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QToolBar>
#include <algorithm>
#include <functional>

using namespace Module1;

namespace {

const std::string CtrlZ = "\x1a";

// Runs `tun` on the modal dialog of type D as soon as it is shown.
template <class D>
void Im_Dialog(std::function<void(D*)> tun)
{
    QTimer::singleShot(0, [tun] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        tun(d);
    });
}

class Form6Sim : public SMSSim {
protected:
    Form6Sim()
    {
        Form6::Uhr = [] { return QDateTime(QDate(2003, 2, 1), QTime(12, 34, 56)); };
    }
    ~Form6Sim() override { Form6::Uhr = [] { return QDateTime::currentDateTime(); }; }

    // Loads the window (it reads the service centre) and forgets that exchange.
    Form6* Laden()
    {
        f = Form6::Instanz();
        Vergessen();
        return f;
    }
    void Empfaenger(const QStringList& nummern)
    {
        f->List3->clear();
        f->List3->addItems(nummern);
    }
    QStringList Liste3() const
    {
        QStringList l;
        for (int i = 0; i < f->List3->count(); ++i)
            l << f->List3->item(i)->text();
        return l;
    }
    QStringList Eintraege2() const
    {
        QStringList l;
        for (int i = 0; i < f->Combo2->count(); ++i)
            l << f->Combo2->itemText(i);
        return l;
    }
    QAction* Knopf(const QToolBar* leiste, const char* schluessel) const { return Form6::Knopf(leiste, schluessel); }
    std::vector<std::string> Gesendet() const
    {
        return u.Handy->Mit_Zustand([&](sim::SimHandy&) { return n->Gesendet; });
    }

    Form6* f = nullptr;
};

}  // namespace

// ---- Sending ----------------------------------------------------------------------------

TEST_F(Form6Sim, SendsToEveryRecipientAndLogsEach)
{
    Laden();
    Empfaenger({"+49171234567", "0171234567"});
    f->Text6->setPlainText("Test");
    f->SMS_VERSENDEN();

    EXPECT_EQ(Empfangen(), "at+cmgs=21\r\n0011000B919471214365F70000FF08D4F29C0E028140" + CtrlZ +
                               "at+cmgs=20\r\n0011000A8110173254760000FF08D4F29C0E028140" + CtrlZ);
    EXPECT_EQ(Gesendet().size(), 2u);
    EXPECT_EQ(anzeige.Status,
              QStringList({"Bereite Nachricht vor...(1 von 2)", "Sende Init...(1 von 2)", "Sende Nachricht...(1 von 2)",
                           "Nachricht(en) versandt - angenommen unter Nr. 1.", "Bereite Nachricht vor...(2 von 2)",
                           "Sende Init...(2 von 2)", "Sende Nachricht...(2 von 2)",
                           "Nachricht(en) versandt - angenommen unter Nr. 2."}));
    EXPECT_EQ(Datei_Lesen(Form6::SendeLog_Datei()),
              QString::fromUtf8("Nr. Datum    Uhrzeit  Empfänger \tStatusber.\tAnzeigen\tNachrichteninhalt\r\n"
                                "  1 01.02.2003 12:34:56 +49171234567\tNein\t\tNein\t\tTest\r\n"
                                "  2 01.02.2003 12:34:56 0171234567\tNein\t\tNein\t\tTest\r\n")
                  .toLatin1());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form6Sim, TheLogTakesTextBeyondTheCodePageWhole)
{
    Laden();
    Empfaenger({"+49171234567"});
    f->Text6->setPlainText(QStringLiteral("ΩΔ Test"));
    f->SMS_VERSENDEN();
    EXPECT_EQ(Gesendet().size(), 1u);
    EXPECT_EQ(Datei_Lesen(Form6::SendeLog_Datei()),
              "\xEF\xBB\xBF" + QStringLiteral("Nr. Datum    Uhrzeit  Empfänger \tStatusber.\tAnzeigen\tNachrichteninhalt\r\n"
                                               "  1 01.02.2003 12:34:56 +49171234567\tNein\t\tNein\t\tΩΔ Test\r\n")
                                    .toUtf8());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form6Sim, ALogThatCannotBeWrittenIsToldOnceASending)
{
    Laden();
    Empfaenger({"+49171234567", "0171234567"});
    f->Text6->setPlainText("Test");
    {
        Dateigrenze voll;
        f->SMS_VERSENDEN();
    }
    EXPECT_EQ(Gesendet().size(), 2u);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    EXPECT_FALSE(QFile::exists(Form6::SendeLog_Datei()));
}

TEST_F(Form6Sim, TypedNumberIsAddedAndTheOptionsShapeThePdu)
{
    Laden();
    f->Text8->setText("0171234567");
    f->Text6->setPlainText("Hallo Welt!");
    Knopf(f->Toolbar1, "report")->trigger();
    Knopf(f->Toolbar1, "log")->trigger();  // released: no log
    f->Combo3->setCurrentIndex(4);
    f->SMS_VERSENDEN();
    EXPECT_EQ(Empfangen(), "at+cmgs=27\r\n0031000A8110173254760000A710C8309BFD065DCB6C7A0804028140" + CtrlZ);
    EXPECT_EQ(Liste3(), QStringList{"0171234567"});
    EXPECT_EQ(f->Text8->text(), "");
    EXPECT_FALSE(QFile::exists(Form6::SendeLog_Datei()));

    // "direkt" makes the message one of class 0; "*" and "#" become A and B.
    Vergessen();
    Knopf(f->Toolbar1, "direkt")->trigger();
    Knopf(f->Toolbar1, "report")->trigger();
    Knopf(f->Toolbar1, "log")->trigger();
    f->Combo3->setCurrentIndex(0);
    Empfaenger({"+49*31#"});
    f->Text6->setPlainText("Test");
    f->SMS_VERSENDEN();
    EXPECT_EQ(Empfangen(), "at+cmgs=18\r\n0011000691943AB100F0FF08D4F29C0E028140" + CtrlZ);
    EXPECT_TRUE(Datei_Lesen(Form6::SendeLog_Datei()).endsWith("+49*31#\tNein\t\tJa\t\tTest\r\n"));
}

TEST_F(Form6Sim, NothingIsSentWhileAnyRecipientIsWrong)
{
    Laden();
    f->Text6->setPlainText("Test");
    struct Fall {
        QStringList liste;
        QString text8;
        QString meldung;
    };
    const QString nummer = QStringLiteral("Für die Rufnummer bitte nur 0-9, '#', '*' und '+' verwenden!");
    const Fall faelle[] = {
        {{"+4930", "DHL"}, "", nummer},  // a name that came with a reply
        {{"+4930", "49+1"}, "", nummer},
        {{"+4930", ""}, "", "Keinen Empfänger angegeben!"},
        {{"+4930"}, "0171 234", nummer},
        {{}, "", "Keinen Empfänger angegeben!"},
    };
    for (const Fall& fall : faelle) {
        Empfaenger(fall.liste);
        f->Text8->setText(fall.text8);
        u.Dialoge.Meldungen.clear();
        f->SMS_VERSENDEN();
        EXPECT_EQ(u.Dialoge.Texte(), QStringList{fall.meldung}) << fall.liste.join(',').toStdString();
        EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
        EXPECT_EQ(Liste3(), fall.liste);
        EXPECT_EQ(f->Text8->text(), fall.text8);  // a refused number stays for correcting
    }
    Empfaenger({"+4930"});
    f->Text8->clear();
    f->Text6->clear();
    u.Dialoge.Meldungen.clear();
    f->SMS_VERSENDEN();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Keinen Text angegeben!"});
    EXPECT_EQ(Empfangen(), "");
}

TEST_F(Form6Sim, AFailedRecipientEndsTheRun)
{
    // The phone answers the first with a reference, the second without one, refuses the third.
    int aufruf = 0;
    u.Handy->Handler_Setzen("AT+CMGS", [&aufruf](sim::SimHandy&, const std::string&) {
        if (++aufruf == 3)
            return sim::Antwort{sim::CmsError(500), {}};
        const bool mitReferenz = aufruf == 1;
        return sim::Antwort{sim::Prompt(), [mitReferenz](const std::string&) {
                                return mitReferenz ? sim::Zeile("+CMGS: 7") + sim::Ok() : sim::Ok();
                            }};
    });
    Laden();
    Empfaenger({"01", "02", "03", "04"});
    f->Text6->setPlainText("x");
    f->SMS_VERSENDEN();
    EXPECT_EQ(anzeige.Status.last(), "Sende Init...(3 von 4)");
    EXPECT_TRUE(anzeige.Status.contains("Nachricht(en) versandt."));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    const std::string empfangen = Empfangen();
    EXPECT_EQ(std::count(empfangen.begin(), empfangen.end(), '\x1a'), 2);
    std::size_t befehle = 0;
    for (std::size_t p = empfangen.find("at+cmgs="); p != std::string::npos; p = empfangen.find("at+cmgs=", p + 1))
        ++befehle;
    EXPECT_EQ(befehle, 3u);  // the fourth is not tried
    const QList<QByteArray> zeilen = Datei_Lesen(Form6::SendeLog_Datei()).split('\n');
    ASSERT_EQ(zeilen.size(), 4);  // header, two messages, the end
    EXPECT_TRUE(zeilen[1].startsWith("  7 01.02.2003 12:34:56 01\t"));
    EXPECT_TRUE(zeilen[2].startsWith("    01.02.2003 12:34:56 02\t"));
}

TEST_F(Form6Sim, LineBreaksAreOneCharacterAndCrLfInTheLog)
{
    Laden();
    Empfaenger({"0301234"});
    f->Text6->setPlainText("a\nb");
    EXPECT_EQ(f->Frame1->title(), "SMS-Text (156 Zeichen verbleiben):");
    f->SMS_VERSENDEN();
    ASSERT_EQ(Gesendet().size(), 1u);
    // "a" LF "b" and five blanks of filling
    EXPECT_EQ(Gesendet()[0], "0011000781301032F40000FF0861851804028140");
    EXPECT_TRUE(Datei_Lesen(Form6::SendeLog_Datei()).endsWith("\t\ta\r\nb\r\n"));
}

TEST_F(Form6Sim, ExtensionCharactersArriveAsWrittenAndCountTwice)
{
    Laden();
    Empfaenger({"+49171234567"});
    f->Text6->setPlainText(QStringLiteral("€ [x] $_"));
    EXPECT_EQ(f->Frame1->title(), "SMS-Text (148 Zeichen verbleiben):");
    f->SMS_VERSENDEN();
    EXPECT_EQ(Empfangen(), "at+cmgs=28\r\n0011000B919471214365F70000FF109B3268C3C36F7C20410404028140" + CtrlZ);

    // The limit is 159 septets: a euro sign that would need the 160th and 161st is not taken.
    f->Text6->setPlainText(QString(157, 'x'));
    f->Text6->moveCursor(QTextCursor::End);
    f->Text6->insertPlainText(QStringLiteral("€"));
    EXPECT_EQ(f->Frame1->title(), "SMS-Text (0 Zeichen verbleiben):");
    f->Text6->insertPlainText(QStringLiteral("€"));
    EXPECT_EQ(f->Text6->toPlainText(), QString(157, 'x') + QStringLiteral("€"));
    f->Text6->setPlainText(QString(100, QChar(u'€')));
    EXPECT_EQ(f->Text6->toPlainText(), QString(79, QChar(u'€')));
    EXPECT_EQ(f->Frame1->title(), "SMS-Text (1 Zeichen verbleiben):");
}

TEST_F(Form6Sim, CharactersWithoutGsmCodeGoOutOnlyAfterAsking)
{
    Laden();
    Empfaenger({"+49171234567"});
    f->Text6->setPlainText(QStringLiteral("Привет\t1"));
    const QString frage = QStringLiteral("Der Text enthält Zeichen, die das Handy nicht senden kann. Sie werden als ? "
                                         "gesendet. Trotzdem senden?");
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein, Dialoge::Antwort::Nein};
    f->SMS_VERSENDEN();
    f->SMS_SPEICHERN();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList(2, frage));
    EXPECT_EQ(u.Dialoge.Meldungen[0].tasten, Dialoge::Tasten::JaNein);
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);
    EXPECT_EQ(Empfangen(), "");

    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    f->SMS_VERSENDEN();
    ASSERT_EQ(Gesendet().size(), 1u);
    EXPECT_EQ(Gesendet()[0], PDU_Kodieren("???????1", "+49171234567", false, false, 0).PDU.toStdString());
}

TEST_F(Form6Sim, ARecipientOfMoreThanTwentyDigitsIsRefused)
{
    Laden();
    f->Text6->setPlainText("Test");
    f->Text8->setText(QString(21, '1'));
    f->SMS_VERSENDEN();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Für die Rufnummer bitte nur 0-9, '#', '*' und '+' verwenden!"});
    EXPECT_EQ(Empfangen(), "");
    f->Text8->setText("+" + QString(20, '1'));
    f->SMS_VERSENDEN();
    EXPECT_EQ(Empfangen(), "at+cmgs=25\r\n0011001491" + std::string(20, '1') + "0000FF08D4F29C0E028140" + CtrlZ);
}

// ---- Storing ----------------------------------------------------------------------------

TEST_F(Form6Sim, AFullMessageArrivesWholeOverALineOf19200Baud)
{
    Laden();
    u.Handy->Baudrate_Setzen(19200);
    Empfaenger({"+49171234567"});
    QString text;
    for (int i = 0; i < 160; ++i)
        text += QChar(QLatin1Char('a' + i % 26));
    f->Text6->setPlainText(text);
    const SubmitPDU pdu = PDU_Kodieren(text, "+49171234567", false, false, f->Combo3->currentIndex());
    const std::string erwartet = "=" + std::to_string(pdu.Oktette) + "\r\n" + pdu.PDU.toStdString() + CtrlZ;

    f->SMS_VERSENDEN();
    EXPECT_EQ(Empfangen(), "at+cmgs" + erwartet);
    EXPECT_EQ(Gesendet().size(), 1u);

    Vergessen();
    f->SMS_SPEICHERN();
    EXPECT_EQ(Empfangen(), "at+cpms?\r\nat+cmgw" + erwartet);
    EXPECT_EQ(anzeige.Status.last(), "Nachricht gespeichert.");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form6Sim, StoresForTheSelectedRecipientAndReadsItBack)
{
    Laden();
    Empfaenger({"+49171234567", "0301234"});
    f->List3->setCurrentRow(1);
    f->Text6->setPlainText("Test");
    f->SMS_SPEICHERN();
    EXPECT_EQ(Empfangen(), "at+cpms?\r\nat+cmgw=19\r\n0011000781301032F40000FF08D4F29C0E028140" + CtrlZ);
    EXPECT_EQ(anzeige.Status, QStringList({"Prüfe auf freien Speicherplatz...", "Bereite Nachricht vor...",
                                           "Sende Init...", "Speichere Nachricht...", "Nachricht gespeichert."}));
    EXPECT_TRUE(Gesendet().empty());

    // Without a selection the first recipient, with an empty list nobody.
    f->List3->clearSelection();
    Vergessen();
    f->SMS_SPEICHERN();
    EXPECT_NE(Empfangen().find("0011000B919471214365F7"), std::string::npos);
    Empfaenger({});
    Vergessen();
    f->SMS_SPEICHERN();
    EXPECT_NE(Empfangen().find("at+cmgw=15\r\n00110000810000FF08"), std::string::npos);

    Form5* leser = Form5::Instanz();
    ASSERT_EQ(leser->kal1->topLevelItemCount(), 3);
    EXPECT_EQ(leser->kal1->topLevelItem(0)->text(0), "AU");
    EXPECT_EQ(leser->kal1->topLevelItem(0)->text(2), "0301234");
    EXPECT_EQ(leser->kal1->topLevelItem(0)->text(6), "Test    ");
    EXPECT_EQ(leser->kal1->topLevelItem(1)->text(2), "+49171234567");
    EXPECT_EQ(leser->kal1->topLevelItem(2)->text(2), "");
}

TEST_F(Form6Sim, FullStorageStoresNothing)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) {
        n->Gesamt = 2;
        n->Beispiele_Fuellen();
    });
    Laden();
    f->Text6->setPlainText("Test");
    f->SMS_SPEICHERN();
    EXPECT_EQ(Empfangen(), "at+cpms?\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Der SMS-Speicher des Handys ist voll! Bitte löschen Sie vorher eine "
                                             "oder mehrere Nachrichten!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(anzeige.Status.last(), "SMS Speicher ist voll!");

    f->Text6->clear();
    Vergessen();
    f->SMS_SPEICHERN();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Keinen Text angegeben!"});
    EXPECT_EQ(Empfangen(), "");
}

// ---- Service centre ---------------------------------------------------------------------

TEST_F(Form6Sim, LoadTakesThePhonesCentreIntoTheListAndWritesItBackOnce)
{
    Datei_Schreiben(Servicecenter_Datei(), "+491722270000\r\n");
    f = Form6::Instanz();
    EXPECT_EQ(Empfangen(), "AT+CSCA?\r\nAT+CSCA=+491710760000,145\r\n");
    EXPECT_EQ(Eintraege2(), QStringList({"+491722270000", "+491710760000"}));
    EXPECT_EQ(f->Combo2->currentIndex(), 1);
    EXPECT_EQ(Datei_Lesen(Servicecenter_Datei()), "+491722270000\r\n+491710760000\r\n");
    EXPECT_EQ(Einstellungen::Lesen("Options", "SMS SC"), "1");
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");

    // Next time it is in the list but not selected: written once more. Selected: not written.
    delete f;
    Vergessen();
    f = Form6::Instanz();
    EXPECT_EQ(Empfangen(), "AT+CSCA?\r\nAT+CSCA=+491710760000,145\r\n");
    delete f;
    Datei_Schreiben(Servicecenter_Datei(), "+491710760000\r\n");
    Vergessen();
    f = Form6::Instanz();
    EXPECT_EQ(Empfangen(), "AT+CSCA?\r\n");
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");

    // The user's choice writes; "Setzen" writes without saving the choice.
    Vergessen();
    emit f->Combo2->activated(0);
    f->Command51->click();
    EXPECT_EQ(Empfangen(), "AT+CSCA=+491710760000,145\r\nAT+CSCA=+491710760000,145\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form6Sim, ARefusedCentreLeavesTheBoxAndTheSettingWithThePhonesCentre)
{
    Datei_Schreiben(Servicecenter_Datei(), "+491770000000\r\n");
    Laden();
    ASSERT_EQ(f->Combo2->currentText(), "+491710760000");
    ASSERT_EQ(Einstellungen::Lesen("Options", "SMS SC"), "1");
    u.Handy->Antwort_Setzen("AT+CSCA=", sim::Error(), 1);
    f->Combo2->setCurrentIndex(0);
    emit f->Combo2->activated(0);
    EXPECT_EQ(Empfangen(), "AT+CSCA=+491770000000,145\r\nAT+CPIN?\r\n");
    EXPECT_EQ(f->Combo2->currentText(), "+491710760000");
    EXPECT_EQ(Einstellungen::Lesen("Options", "SMS SC"), "1");
}

TEST_F(Form6Sim, ANationalCentreIsWrittenBackAsNational)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) {
        n->Zentrale = "01710760000";
        n->ZentraleTyp = 129;
    });
    f = Form6::Instanz();
    EXPECT_EQ(Empfangen(), "AT+CSCA?\r\nAT+CSCA=01710760000,129\r\n");
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return n->ZentraleTyp; }), 129);
    Vergessen();
    f->Combo2_Fuellen({"01710760000", "+491710760000"});
    f->Command51->click();
    f->Combo2->setCurrentIndex(1);
    f->Command51->click();
    EXPECT_EQ(Empfangen(), "AT+CSCA=01710760000,129\r\nAT+CSCA=+491710760000,145\r\n");
}

TEST_F(Form6Sim, AnInternationalCentreWithoutPlusKeepsItsType)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) {
        n->Zentrale = "6281100000";
        n->ZentraleTyp = 145;
    });
    f = Form6::Instanz();
    EXPECT_EQ(Empfangen(), "AT+CSCA?\r\nAT+CSCA=+6281100000,145\r\n");
    EXPECT_EQ(Eintraege2(), QStringList{"+6281100000"});
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return n->ZentraleTyp; }), 145);
}

TEST_F(Form6Sim, BlanksInTheReplyDoNotChangeTheCentresType)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { n->Zentrale = "491710760000"; });
    u.Handy->Antwort_Setzen("AT+CSCA?", sim::Zeile("+CSCA: \"491710760000\", 145") + sim::Ok(), 1);
    f = Form6::Instanz();
    const std::string empfangen = Empfangen();
    EXPECT_EQ(empfangen.find(",129"), std::string::npos) << empfangen;
    EXPECT_EQ(Eintraege2(), QStringList{"+491710760000"});
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return n->ZentraleTyp; }), 145);
}

TEST_F(Form6Sim, ACentreWhoseTypeCannotBeReadIsListedButNotWrittenBack)
{
    Datei_Schreiben(Servicecenter_Datei(), "+491722270000\r\n");
    u.Handy->Antwort_Setzen("AT+CSCA?", sim::Zeile("+CSCA: \"491710760000\",14x") + sim::Ok(), 1);
    f = Form6::Instanz();
    EXPECT_EQ(Empfangen(), "AT+CSCA?\r\n");
    EXPECT_EQ(Eintraege2(), QStringList({"+491722270000", "491710760000"}));
    EXPECT_EQ(f->Combo2->currentIndex(), 1);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    // The user's next choice is written as usual.
    Vergessen();
    f->Combo2->setCurrentIndex(0);
    emit f->Combo2->activated(0);
    EXPECT_EQ(Empfangen(), "AT+CSCA=+491722270000,145\r\n");
}

TEST_F(Form6Sim, AnUnreadableCentreIsNeitherListedNorWritten)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { n->Zentrale = "002B0034003900310037"; });
    Datei_Schreiben(Servicecenter_Datei(), "+491722270000\r\n");
    f = Form6::Instanz();
    EXPECT_EQ(Empfangen(), "AT+CSCA?\r\n");
    EXPECT_EQ(Eintraege2(), QStringList{"+491722270000"});
    EXPECT_EQ(Datei_Lesen(Servicecenter_Datei()), "+491722270000\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die SMS-Servicecenter-Adresse im Handy kann nicht gelesen werden!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
}

TEST_F(Form6Sim, PhoneWithoutCentreAndTheNextChoice)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { n->Zentrale.clear(); });
    Datei_Schreiben(Servicecenter_Datei(), "+491722270000\r\n+491710760000\r\n");
    f = Form6::Instanz();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Keine SMS-Servicecenter-Adresse im Handy eingetragen!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    // The read that found nothing does not swallow the user's next choice.
    Vergessen();
    f->Combo2->setCurrentIndex(1);
    emit f->Combo2->activated(1);
    EXPECT_EQ(Empfangen(), "AT+CSCA=+491710760000,145\r\n");
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return n->Zentrale; }), "+491710760000");

    // A failed read neither.
    u.Handy->Antwort_Setzen("AT+CSCA?", sim::Error(), 1);
    f->Command52->click();
    Vergessen();
    emit f->Combo2->activated(1);
    EXPECT_EQ(Empfangen(), "AT+CSCA=+491710760000,145\r\n");

    // An empty box has nothing to write.
    f->Combo2_Fuellen({});
    u.Dialoge.Meldungen.clear();
    f->Command51->click();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Keine SMS-Servicecenter-Adresse angegeben!"});
}

TEST_F(Form6Sim, ServiceCentreDialogWritesOnlyTheChosenNumberOnlyAfterOk)
{
    Datei_Schreiben(Servicecenter_Datei(), "+491722270000\r\n");
    Laden();
    ASSERT_EQ(f->Combo2->currentIndex(), 1);

    // OK with the new third entry selected: the list and the file have it, and it is written once.
    u.Dialoge.Eingaben = {"+4930"};
    Im_Dialog<Form7>([](Form7* d) {
        d->Command1->click();
        d->List1->setCurrentRow(2);
        d->Command4->click();
    });
    f->Command53->click();
    EXPECT_EQ(Eintraege2(), QStringList({"+491722270000", "+491710760000", "+4930"}));
    EXPECT_EQ(f->Combo2->currentIndex(), 2);
    EXPECT_EQ(SMSCenterWahl, 2);
    EXPECT_EQ(Empfangen(), "AT+CSCA=+4930,145\r\n");

    // Closed without OK: nothing written, the selection stays.
    Vergessen();
    Im_Dialog<Form7>([](Form7* d) {
        d->List1->setCurrentRow(0);
        d->Command2->click();
        d->reject();
    });
    f->Command53->click();
    EXPECT_EQ(Empfangen(), "");
    EXPECT_EQ(f->Combo2->currentIndex(), 2);
    EXPECT_EQ(Eintraege2().size(), 3);

    // OK without a selection: one message, nothing written.
    Im_Dialog<Form7>([](Form7* d) {
        d->List1->clearSelection();
        d->Command4->click();
    });
    f->Command53->click();
    EXPECT_EQ(SMSCenterWahl, -1);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Keine SMS-Servicecenter-Adresse angegeben!"});
    EXPECT_EQ(Empfangen(), "");
}

// ---- The window's own rules -------------------------------------------------------------

TEST_F(Form6Sim, RecipientBoxAndListButtons)
{
    Laden();
    f->Command30->click();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Keinen Empfänger angegeben!"});
    for (const char* nummer : {"0171 234", "+49+1"}) {
        f->Text8->setText(nummer);
        emit f->Text8->returnPressed();
        EXPECT_EQ(f->Text8->text(), nummer);
    }
    f->Text8->setText("+49*31#");
    f->Command30->click();
    f->Text8->setText("+49*31#");
    f->Command30->click();
    EXPECT_EQ(Liste3(), QStringList({"+49*31#", "+49*31#"}));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 3u);

    // "kill" without a selection does nothing; with one it asks first.
    Vergessen();
    f->List3->clearSelection();
    Knopf(f->Toolbar2, "kill")->trigger();
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    f->List3->setCurrentRow(0);
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Knopf(f->Toolbar2, "kill")->trigger();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Eintrag wirklich löschen?"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].titel, "LÖSCHEN");
    EXPECT_EQ(Liste3().size(), 1);
    LoeschenRueckfrage = false;
    Knopf(f->Toolbar2, "kill2")->trigger();
    EXPECT_EQ(Liste3().size(), 0);
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

TEST_F(Form6Sim, TextLimitCounterAndPreview)
{
    Laden();
    f->Text6->setPlainText(QString(200, 'x'));
    EXPECT_EQ(f->Text6->toPlainText(), QString(159, 'x'));
    EXPECT_EQ(f->Frame1->title(), "SMS-Text (0 Zeichen verbleiben):");
    // Typing into a full text changes nothing.
    QTextCursor cursor = f->Text6->textCursor();
    cursor.setPosition(3);
    f->Text6->setTextCursor(cursor);
    f->Text6->insertPlainText("ab");
    EXPECT_EQ(f->Text6->toPlainText(), QString(159, 'x'));
    // The preview follows every change, hidden until shown.
    f->Text6->setPlainText("Hallo");
    EXPECT_EQ(f->Frame1->title(), "SMS-Text (154 Zeichen verbleiben):");
    ASSERT_TRUE(Form27::Geladen());
    EXPECT_EQ(Form27::Instanz()->Text1->toPlainText(), "Hallo");
    EXPECT_FALSE(Form27::Instanz()->isVisible());
    Knopf(f->Toolbar3, "preview")->trigger();
    EXPECT_TRUE(Form27::Instanz()->isVisible());
    EXPECT_TRUE(Form27::Instanz()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(Form6Sim, APasteWithoutTextLeavesTheTypedTextAndAPasteOfTextWorks)
{
    Laden();
    const auto tippen = [this](Qt::Key taste, const QString& text, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, taste, mod, text);
        QApplication::sendEvent(f->Text6, &e);
    };
    for (const QChar c : QStringLiteral("Hallo"))
        tippen(Qt::Key_unknown, c);
    // An empty clipboard of the desktop: data without any format.
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    tippen(Qt::Key_V, QString(), Qt::ControlModifier);
    EXPECT_EQ(f->Text6->toPlainText(), "Hallo");
    QGuiApplication::clipboard()->setText(" Welt");
    tippen(Qt::Key_V, QString(), Qt::ControlModifier);
    EXPECT_EQ(f->Text6->toPlainText(), "Hallo Welt");
}

TEST_F(Form6Sim, APasteIsCutBeforeItIsLaidOut)
{
    Laden();
    int hoechstens = 0;
    QObject::connect(f->Text6->document(), &QTextDocument::contentsChange, f,
                     [&hoechstens](int, int, int hinzu) { hoechstens = std::max(hoechstens, hinzu); });
    QGuiApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('x')));
    QKeyEvent e(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(f->Text6, &e);
    EXPECT_EQ(f->Text6->toPlainText(), QString(Form6::Hoechstlaenge, QLatin1Char('x')));
    EXPECT_LT(hoechstens, 1000);  // the megabyte never reached the document
}

TEST_F(Form6Sim, ThePreviewOpensCentredOverTheMainWindow)
{
    Laden();
    QWidget* haupt = f->window();
    haupt->show();
    haupt->setGeometry(240, 180, 640, 480);
    f->Text6->setPlainText("Hallo");
    Knopf(f->Toolbar3, "preview")->trigger();
    const Form27* vorschau = Form27::Instanz();
    const QPoint abstand = vorschau->frameGeometry().center() - haupt->frameGeometry().center();
    EXPECT_LE(abstand.manhattanLength(), 8);  // the frame's border is known only once it is shown
    EXPECT_GE(vorschau->frameGeometry().top(), vorschau->screen()->availableGeometry().top());
}

TEST_F(Form6Sim, ThePreviewLiesWholeOnTheScreenBesideAMainWindowInTheCorner)
{
    Laden();
    QWidget* haupt = f->window();
    haupt->show();
    const QRect frei = haupt->screen()->availableGeometry();
    haupt->setGeometry(QRect(QPoint(), haupt->size()).translated(frei.bottomRight() - QPoint(200, 150)));
    f->Text6->setPlainText("Hallo");
    Knopf(f->Toolbar3, "preview")->trigger();
    QCoreApplication::processEvents();
    const QRect rahmen = Form27::Instanz()->frameGeometry();
    EXPECT_TRUE(frei.contains(rahmen)) << rahmen.bottom() << " " << frei.bottom() << " " << rahmen.right() << " "
                                       << frei.right();
}

TEST_F(Form6Sim, TextFileIsJoinedAndCut)
{
    Laden();
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("text.txt");
    Datei_Schreiben(datei, "ab\r\ncd\r\nef\r\n");
    u.Dialoge.Dateien = {datei};
    Knopf(f->Toolbar3, "open")->trigger();
    EXPECT_EQ(f->Text6->toPlainText(), "abcdef");
    EXPECT_EQ(f->Frame1->title(), "SMS-Text (153 Zeichen verbleiben):");
    EXPECT_EQ(Einstellungen::Lesen("Config", "SMS_TEXT_PATH"), datei);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Filter, "Textdateien (*.txt)");

    // A text already there: No keeps it and the file is appended; UTF-8 is read as such.
    Datei_Schreiben(datei, QString::fromUtf8("Grüße\n").toUtf8());
    u.Dialoge.Dateien = {datei};
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Knopf(f->Toolbar3, "open")->trigger();
    EXPECT_EQ(f->Text6->toPlainText(), QString::fromUtf8("abcdefGrüße"));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Bestehenden Text vorher löschen?"});
    EXPECT_EQ(u.Dialoge.Dateiwahlen[1].Startdatei, datei);

    // Anything else is the Windows code page, as a message saved on Windows is.
    Datei_Schreiben(datei, "\x80 \x84x\x93");
    u.Dialoge.Dateien = {datei};
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Knopf(f->Toolbar3, "open")->trigger();
    EXPECT_EQ(f->Text6->toPlainText(), QStringLiteral("€ „x“"));

    Datei_Schreiben(datei, QByteArray(100, 'a') + "\r\n" + QByteArray(100, 'b'));
    u.Dialoge.Dateien = {datei};
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Knopf(f->Toolbar3, "open")->trigger();
    EXPECT_EQ(f->Text6->toPlainText(), QString(100, 'a') + QString(59, 'b'));

    u.Dialoge.Dateien = {QString()};
    Knopf(f->Toolbar3, "open")->trigger();
    EXPECT_EQ(f->Text6->toPlainText().size(), 159);
}

TEST_F(Form6Sim, OptionsAreKeptForTheNextLoad)
{
    Einstellungen::Speichern("SMS", "Dauer", "9");
    Laden();
    EXPECT_EQ(f->Combo3->currentIndex(), 0);
    EXPECT_EQ(Einstellungen::Lesen("SMS", "Dauer"), "0");
    EXPECT_TRUE(Knopf(f->Toolbar1, "normal")->isChecked());
    EXPECT_FALSE(Knopf(f->Toolbar1, "report")->isChecked());
    EXPECT_TRUE(Knopf(f->Toolbar1, "log")->isChecked());

    Knopf(f->Toolbar1, "direkt")->trigger();
    Knopf(f->Toolbar1, "report")->trigger();
    Knopf(f->Toolbar1, "direkt")->trigger();  // stays down: one of the pair always is
    f->Combo3->setCurrentIndex(4);
    EXPECT_EQ(Einstellungen::Lesen("Settings", "ShowSMSFlash"), "1");
    EXPECT_EQ(Einstellungen::Lesen("Settings", "SMSReport"), "1");
    EXPECT_EQ(Einstellungen::Lesen("Settings", "LOGSMS"), "1");
    delete f;
    Laden();
    EXPECT_TRUE(Knopf(f->Toolbar1, "direkt")->isChecked());
    EXPECT_FALSE(Knopf(f->Toolbar1, "normal")->isChecked());
    EXPECT_TRUE(Knopf(f->Toolbar1, "report")->isChecked());
    EXPECT_EQ(f->Combo3->currentIndex(), 4);
}

TEST_F(Form6Sim, WindowSizeLogAndPlacement)
{
    Laden();
    f->show();
    f->resize(200, 200);
    EXPECT_EQ(f->width(), 523);  // wide enough for the option captions in one row
    EXPECT_EQ(f->height(), 378);
    // Frame2 centred by the window's own rule
    EXPECT_EQ(f->Frame2->x(), (7845 / 2 - (7665 + 180) / 2) / 15);

    QStringList gestartet;
    const auto vorher = Form6::Editor_Starten;
    Form6::Editor_Starten = [&](const QString& datei) {
        gestartet << datei;
        return true;
    };
    f->Command23->click();
    Form6::Editor_Starten = vorher;
    EXPECT_EQ(gestartet, QStringList{Programmdatei("SMSLOG.TXT")});

    f->move(30, 45);
    f->close();
    EXPECT_EQ(Einstellungen::Lesen("Windows", "SMSSendenX"), "450");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "SMSSendenY"), "675");
}
