// The composing window's dialogs: service-centre list, text templates and picture tokens.
#include "SMSHilfen.h"
#include "sms/Bildzeichen.h"
#include "sms/Form26.h"
#include "sms/Form7.h"
#include "sms/Form8.h"
#include "sms/Servicecenter.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>

using namespace Module1;

namespace {

// No phone: the composing window loads without reading it.
class Dialogfenster : public ::testing::Test {
protected:
    Dialogfenster() { Link_Zuruecksetzen(); }
    ~Dialogfenster() override { Link_Zuruecksetzen(); }

    FrischesProgramm frisch;
    DialogeSkript dialoge;
};

QStringList Eintraege(const QListWidget* liste)
{
    QStringList l;
    for (int i = 0; i < liste->count(); ++i)
        l << liste->item(i)->text();
    return l;
}

QStringList Zeilen(const QTableWidget* grid)
{
    QStringList l;
    for (int i = 0; i < grid->rowCount(); ++i)
        l << grid->item(i, 0)->text();
    return l;
}

}  // namespace

// ---- Service centres --------------------------------------------------------------------

TEST_F(Dialogfenster, ServiceCentreListLoadsWithoutEmptyLinesAndSavesOnOk)
{
    Datei_Schreiben(Servicecenter_Datei(), "+491710760000\r\n\r\n+491722270000\r\n");
    Form7 d;
    EXPECT_EQ(Eintraege(d.List1), QStringList({"+491710760000", "+491722270000"}));
    EXPECT_EQ(d.List1->currentRow(), 0);
    Servicecenter_Laden();
    EXPECT_EQ(Form6::Instanz()->Combo2->count(), 2);
    EXPECT_EQ(Form6::Instanz()->Combo2->currentIndex(), 0);

    d.List1->setCurrentRow(1);
    d.Command4->click();
    EXPECT_EQ(Datei_Lesen(Servicecenter_Datei()), "+491710760000\r\n+491722270000\r\n");
    EXPECT_EQ(SMSCenterWahl, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);

    // Deleting the selected entry leaves none selected: OK gives -1; an empty list an empty file.
    Form7 leer;
    leer.List1->setCurrentRow(0);
    leer.Command2->click();
    leer.Command4->click();
    EXPECT_EQ(SMSCenterWahl, -1);
    Form7 nichts;
    nichts.List1->setCurrentRow(0);
    nichts.Command2->click();
    nichts.Command4->click();
    EXPECT_EQ(Datei_Lesen(Servicecenter_Datei()), "");
    EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(Dialogfenster, ServiceCentreNumbersAreCheckedUntilAcceptedOrCancelled)
{
    Form7 d;
    const QString ziffern = QStringLiteral("Die Nummer darf nur aus Ziffern (0-9) und '+' bestehen!");
    const QString format =
        QStringLiteral("Die Nummer muß im internatinalen Format (z.B. '+4917xxxxxxxx') angegeben werden!");
    dialoge.Eingaben = {"0171 234", "0171234", "+"};
    d.Command1->click();
    EXPECT_EQ(dialoge.Texte(), QStringList({ziffern, format}));
    EXPECT_EQ(dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(dialoge.Eingabeprompts, QStringList(3, "Neue Servicecenter-Nummer:"));
    EXPECT_EQ(Eintraege(d.List1), QStringList{"+"});

    // An empty input or cancel ends without change.
    dialoge.Eingaben = {""};
    d.Command1->click();
    d.Command1->click();
    EXPECT_EQ(d.List1->count(), 1);

    // Change: nothing without a selection; else the entry is replaced where it stands.
    d.List1->clearSelection();
    d.Command3->click();
    EXPECT_EQ(dialoge.Eingabeprompts.size(), 5);
    d.List1->setCurrentRow(0);
    dialoge.Eingaben = {"49", "+4930"};
    d.Command3->click();
    EXPECT_EQ(Eintraege(d.List1), QStringList{"+4930"});
    EXPECT_EQ(dialoge.Eingabeprompts.last(), "Servicecenter-Nummer ändern:");
    EXPECT_FALSE(QFile::exists(Servicecenter_Datei()));  // only OK writes
}

TEST_F(Dialogfenster, UnwritableServiceCentreListSaysSoAndStaysOpen)
{
    ASSERT_TRUE(QDir().mkpath(Servicecenter_Datei()));  // a folder where the file should be
    SMSCenterWahl = 0;
    Form7 d;
    dialoge.Eingaben = {"+491710760000"};
    d.Command1->click();
    d.Command4->click();
    ASSERT_EQ(dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    EXPECT_EQ(dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(SMSCenterWahl, 0);
    EXPECT_EQ(Eintraege(d.List1), QStringList{"+491710760000"});
}

TEST_F(Dialogfenster, OverwriteQuestion)
{
    const QString datei = Programmdatei("x.txt");
    EXPECT_FALSE(Ueberschreiben_Fragen(datei));
    EXPECT_TRUE(dialoge.Meldungen.empty());
    Datei_Schreiben(datei, "x");
    dialoge.Antworten = {Dialoge::Antwort::Ja, Dialoge::Antwort::Nein};
    EXPECT_FALSE(Ueberschreiben_Fragen(datei));
    EXPECT_TRUE(Ueberschreiben_Fragen(datei));
    EXPECT_EQ(dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);
    EXPECT_EQ(dialoge.Meldungen[0].titel, "ORX 2000");
}

// ---- Templates --------------------------------------------------------------------------

TEST_F(Dialogfenster, TemplatesLoadCutAndCount)
{
    Datei_Schreiben(Form8::Vorlagen_Datei(), "Bin gleich da\r\n\r\n" + QByteArray(170, 'a') + "\r\n");
    Form8 d;
    EXPECT_EQ(Zeilen(d.MSFlexGrid1), QStringList({"Bin gleich da", "", QString(159, 'a')}));
    EXPECT_EQ(d.Aktuelle_Zeile(), 0);
    EXPECT_EQ(d.Label1->text(), "159 von 159 Zeichen übrig");
    d.Text1->setText(QString(159, 'b'));
    EXPECT_EQ(d.Label1->text(), "0 von 159 Zeichen übrig");
    // Septets as they are sent: a euro sign takes two, so five of ten do not fit.
    const QString euro = QStringLiteral("€");
    d.Text1->setText(QString(149, 'e') + euro.repeated(10));
    EXPECT_EQ(d.Text1->text(), QString(149, 'e') + euro.repeated(5));
    EXPECT_EQ(d.Label1->text(), "0 von 159 Zeichen übrig");
    d.Text1->setCursorPosition(0);
    d.Text1->insert("x");  // typing into a full text changes nothing
    EXPECT_EQ(d.Text1->text(), QString(149, 'e') + euro.repeated(5));
    EXPECT_EQ(d.Text1->cursorPosition(), 0);
    d.Text1->setText(QString(149, 'e') + euro.repeated(4));
    EXPECT_EQ(d.Label1->text(), "2 von 159 Zeichen übrig");

    d.Text1->clear();
    d.Command1->click();
    EXPECT_EQ(dialoge.Texte(), QStringList{"Sie haben keinen Text eingegeben!"});
    EXPECT_EQ(dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    d.Text1->setText("X");
    d.Command1->click();
    d.Command1->click();
    EXPECT_EQ(Datei_Lesen(Form8::Vorlagen_Datei()),
              "Bin gleich da\r\n\r\n" + QByteArray(159, 'a') + "\r\nX\r\nX\r\n");
}

TEST_F(Dialogfenster, ChangedTemplateStaysTheOneTakenOver)
{
    Datei_Schreiben(Form8::Vorlagen_Datei(), "eins\r\nzwei\r\ndrei\r\nvier\r\nfuenf\r\n");
    Form8 d;
    d.MSFlexGrid1->setCurrentCell(1, 0);
    emit d.MSFlexGrid1->cellClicked(1, 0);
    EXPECT_EQ(d.Text1->text(), "zwei");
    d.Text1->setText("neu");
    d.Command3->click();
    EXPECT_EQ(Datei_Lesen(Form8::Vorlagen_Datei()), "eins\r\nneu\r\ndrei\r\nvier\r\nfuenf\r\n");
    d.Command4->click();
    EXPECT_EQ(Form6::Instanz()->Text6->toPlainText(), "neu");
    EXPECT_EQ(d.result(), QDialog::Accepted);

    // Deleting keeps the position; the empty template empties the text.
    Datei_Schreiben(Form8::Vorlagen_Datei(), "eins\r\n\r\ndrei\r\n");
    Form8 e;
    e.MSFlexGrid1->setCurrentCell(0, 0);
    dialoge.Antworten = {Dialoge::Antwort::Ja};
    e.Command2->click();
    EXPECT_EQ(dialoge.Texte(), QStringList{"Eintrag / Einträge wirklich löschen?"});
    EXPECT_EQ(dialoge.Meldungen[0].titel, "LÖSCHEN");
    EXPECT_EQ(Zeilen(e.MSFlexGrid1), QStringList({"", "drei"}));
    e.Command4->click();
    EXPECT_EQ(Form6::Instanz()->Text6->toPlainText(), "");
}

TEST_F(Dialogfenster, FirstTemplateCanBeTakenOverAndChangedAtOnce)
{
    Form8 d;
    d.Text1->setText("Bin gleich da");
    d.Command1->click();
    EXPECT_EQ(d.Aktuelle_Zeile(), 0);
    d.Text1->setText("Komme gleich");
    d.Command3->click();
    EXPECT_EQ(Datei_Lesen(Form8::Vorlagen_Datei()), "Komme gleich\r\n");
    d.Command4->click();
    EXPECT_TRUE(dialoge.Meldungen.empty());
    EXPECT_EQ(Form6::Instanz()->Text6->toPlainText(), "Komme gleich");
}

TEST_F(Dialogfenster, Utf8TemplatesStayUtf8WithTheirMark)
{
    const QByteArray lodz = "\xEF\xBB\xBF\xC5\x81\xC3\xB3" "d\xC5\xBA\r\n";  // "Łódź"
    Datei_Schreiben(Form8::Vorlagen_Datei(), lodz);
    Form8 d;
    d.Text1->setText("X");
    d.Command1->click();
    EXPECT_EQ(Datei_Lesen(Form8::Vorlagen_Datei()), lodz + "X\r\n");
}

TEST_F(Dialogfenster, TemplatesBeyondTheCodePageAreSavedAndReadBackWhole)
{
    Form8 d;
    d.Text1->setText(QStringLiteral("ΔΩ neu"));
    d.Command1->click();
    EXPECT_EQ(Datei_Lesen(Form8::Vorlagen_Datei()), "\xEF\xBB\xBF" + QStringLiteral("ΔΩ neu\r\n").toUtf8());
    Form8 wieder;
    EXPECT_EQ(Zeilen(wieder.MSFlexGrid1), QStringList{QStringLiteral("ΔΩ neu")});

    // A file in UTF-8 without the mark, as a Linux editor leaves it, stays so.
    const QByteArray ohne = QStringLiteral("Привет\r\n").toUtf8();
    Datei_Schreiben(Form8::Vorlagen_Datei(), ohne);
    Form8 e;
    EXPECT_EQ(Zeilen(e.MSFlexGrid1), QStringList{QStringLiteral("Привет")});
    e.Text1->setText(QStringLiteral("Köln"));
    e.Command1->click();
    EXPECT_EQ(Datei_Lesen(Form8::Vorlagen_Datei()), ohne + QStringLiteral("Köln\r\n").toUtf8());
    EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(Dialogfenster, TemplatesWhoseCodePageBytesLookLikeUtf8ReadBackAsSaved)
{
    for (const QString& text : {QStringLiteral("Viel Spaß…"), QStringLiteral("Gruß“")}) {
        Datei_Schreiben(Form8::Vorlagen_Datei(), "Bin gleich da\r\n");
        Form8 d;
        d.Text1->setText(text);
        d.Command1->click();
        Form8 wieder;
        EXPECT_EQ(Zeilen(wieder.MSFlexGrid1), (QStringList{"Bin gleich da", text}));
    }
}

TEST_F(Dialogfenster, UnwritableTemplatesSaySo)
{
    ASSERT_TRUE(QDir().mkpath(Form8::Vorlagen_Datei()));
    Form8 d;
    d.Text1->setText("X");
    d.Command1->click();
    ASSERT_EQ(dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    EXPECT_EQ(dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
}

TEST_F(Dialogfenster, DeletingTheOnlyTemplateLeavesNothing)
{
    Datei_Schreiben(Form8::Vorlagen_Datei(), "eins\r\n");
    LoeschenRueckfrage = false;
    Form8 d;
    d.Command2->click();
    EXPECT_EQ(d.MSFlexGrid1->rowCount(), 0);
    EXPECT_EQ(Datei_Lesen(Form8::Vorlagen_Datei()), "");
    d.Command2->click();  // nothing left: nothing happens
    d.Command3->click();
    d.Command4->click();
    EXPECT_EQ(dialoge.Texte(), QStringList({"Sie haben keinen Eintrag ausgewählt!", "Sie haben keinen Text ausgewählt!"}));
    EXPECT_NE(d.result(), QDialog::Accepted);
}

// ---- Picture tokens ---------------------------------------------------------------------

TEST(Bildzeichen, TokenAtTheCursorCutAtTheLimit)
{
    struct Fall {
        QString text;
        int position, index;
        QString ergebnis;
        int cursor;
    };
    const Fall faelle[] = {
        {"abc", 0, 9, "\"%Yes\"abc", 6},
        {"abc", 3, 16, "abc\"%No\"", 8},
        {"abcd", 2, 13, "ab\"%Kiss\"cd", 9},
        {QString(155, 'x'), 155, 0, QString(155, 'x') + "\"%Fl", 159},
        {"", 0, 5, "\"%Halloween\"", 12},
        {"", 0, 24, "\"%Holiday\"", 10},
    };
    for (const Fall& f : faelle) {
        const Bildeinfuegung e = Bildzeichen_Einfuegen(f.text, f.position, f.index, 159);
        EXPECT_EQ(e.Text, f.ergebnis);
        EXPECT_EQ(e.Cursor, f.cursor);
    }
    EXPECT_EQ(Bildzeichen(0).size(), 10);
    EXPECT_EQ(Bildzeichen_Beschriftung(5), "Helloween");
    EXPECT_EQ(Bildzeichen_Beschriftung(21), QString::fromUtf8("Schildkröte"));
}

TEST_F(Dialogfenster, PictureButtonInsertsAtTheComposingCursor)
{
    QTextEdit* text6 = Form6::Instanz()->Text6;
    text6->setPlainText("abcd");
    QTextCursor auswahl = text6->textCursor();
    auswahl.setPosition(2);
    auswahl.setPosition(4, QTextCursor::KeepAnchor);
    text6->setTextCursor(auswahl);
    Form26 d;
    EXPECT_EQ(d.Command1[13]->text(), "Kuss");
    // The designed grid of five by five, each button 4 px wider so that "Liebeskummer" fits.
    EXPECT_EQ(d.Command1[24]->geometry(), QRect(8 + 4 * 84, 3000 / 15, 85, 49));
    d.Command1[13]->click();
    EXPECT_EQ(text6->toPlainText(), "ab\"%Kiss\"cd");
    EXPECT_EQ(text6->textCursor().position(), 9);
    EXPECT_EQ(d.result(), QDialog::Accepted);

    text6->setPlainText(QString(155, 'x'));
    text6->moveCursor(QTextCursor::End);
    Form26 e;
    e.Command1[0]->click();
    EXPECT_EQ(text6->toPlainText(), QString(155, 'x') + "\"%Fl");
    EXPECT_EQ(Form6::Instanz()->Frame1->title(), "SMS-Text (0 Zeichen verbleiben):");
}
