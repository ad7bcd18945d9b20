// The entry dialog: which books it offers, the index it proposes, the length limits, the checks
// of a save and what it hands back in the record.
#include "phonebook/EintraegeAttrappen.h"
#include "phonebook/Form4.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

class Eingabedialog : public ::testing::Test {
protected:
    void Neu()
    {
        EintragEingabe = {"neu", "", "", "", "0", ""};
    }
    void Aendern(const char* index, const char* name, const char* nummer, const char* buch, const char* merker = "")
    {
        EintragEingabe = {"aendern", QString::fromUtf8(name), nummer, index, buch, merker};
    }
    EintragUmgebung e;
};

TEST_F(Eingabedialog, ProposesTheFirstFreeIndexOfTheLowestBookWithRoom)
{
    Buch_Fuellen(1, {{"001", "A", "1", ""}, {"002", "B", "2", ""}, {"004", "D", "4", ""}}, 10);
    Neu();
    Form4 f;
    EXPECT_TRUE(f.Option1->isChecked());
    EXPECT_EQ(f.Text4->text(), "3");
    EXPECT_EQ(f.windowTitle(), "Neuer Eintrag");
    EXPECT_EQ(f.Command1->text(), "&Speichern");
    EXPECT_EQ(f.Check1->text(), "&Rotes Telefonbuch");
}

TEST_F(Eingabedialog, UnreadFullAndPartlyReadBooksAreNotOffered)
{
    Buch_Fuellen(2, {{"001", "A", "1", ""}, {"002", "B", "2", ""}}, 100);
    Buch_Fuellen(3, {{"001", "A", "1", ""}, {"002", "B", "2", ""}}, 2);     // full
    Buch_Fuellen(4, {{"001", "A", "1", ""}}, 10);
    TBuchVollstaendig[4] = false;                                        // the read broke off
    Neu();
    Form4 f;
    for (QRadioButton* o : {f.Option1, f.Option3, f.Option4}) {
        EXPECT_FALSE(o->isEnabled());
        EXPECT_EQ(o->text(), "- voll/unbekannt -");
    }
    EXPECT_TRUE(f.Option2->isEnabled());
    EXPECT_EQ(f.Option2->text(), "&Telefonspeicher");
    EXPECT_TRUE(f.Option2->isChecked());
    EXPECT_EQ(f.Text4->text(), "3");
}

TEST_F(Eingabedialog, NothingReadCancelsANewEntry)
{
    Neu();
    Form4 f;
    EXPECT_EQ(e.u.Dialoge.Texte(),
              QStringList{"Sie haben noch kein Telefonbuch eingelesen, oder alle Bücher sind voll! Bitte lesen Sie "
                          "mindestens ein Telefonbuch ein oder löschen Sie einen Eintrag!"});
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(DialogModus, "cancel");
    EXPECT_FALSE(f.Command1->isEnabled());
    EXPECT_EQ(f.Gewaehltes_Buch(), 0);
}

TEST_F(Eingabedialog, ChangeKeepsItsBookAndIndexEvenWhenTheBookIsFull)
{
    Buch_Fuellen(1, {{"001", "A", "1", ""}, {"002", "Anna", "0301", "!"}}, 2, 20, 16);
    Aendern("002", "Anna", "0301", "1", "!");
    Form4 f;
    EXPECT_TRUE(f.Option1->isChecked());
    EXPECT_FALSE(f.Option1->isEnabled());
    EXPECT_EQ(f.Text4->text(), "002");
    EXPECT_EQ(f.Text1->text(), "Anna");
    EXPECT_TRUE(f.Check1->isChecked());
    EXPECT_EQ(f.Text1->maxLength(), 15);
    EXPECT_EQ(f.windowTitle(), "Eintrag ändern");
    EXPECT_EQ(f.Command1->text(), "&Ändern");
    EXPECT_TRUE(e.u.Dialoge.Meldungen.empty());
}

TEST_F(Eingabedialog, ChoosingABookProposesItsIndexAndAFullBookItsTotalPlusOne)
{
    Buch_Fuellen(1, {{"001", "A", "1", ""}}, 10);
    Buch_Fuellen(2, {{"001", "A", "1", ""}, {"002", "B", "2", ""}}, 100);
    Neu();
    Form4 f;
    f.Option2->setChecked(true);
    EXPECT_EQ(f.Text4->text(), "3");
    // In change mode the full book stays selectable by code; its proposal fails the size check.
    Buch_Fuellen(3, {{"001", "A", "1", ""}, {"002", "B", "2", ""}, {"003", "C", "3", ""}, {"004", "D", "4", ""}}, 4);
    f.Option_Click(3);
    EXPECT_EQ(f.Text4->text(), "5");
}

TEST_F(Eingabedialog, LimitsFollowTheBookAndTheMark)
{
    Buch_Fuellen(1, {{"001", "A", "1", ""}}, 10, 12, 18);
    Neu();
    Form4 f;
    EXPECT_EQ(f.Text1->maxLength(), 18);
    EXPECT_EQ(f.Text2->maxLength(), 12);
    f.Text1->setText("ABCDEFGHIJKLMNOPQR");
    f.Check1->setChecked(true);
    EXPECT_EQ(f.Text1->text(), "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(f.Text1->maxLength(), 17);
    f.Check1->setChecked(false);
    EXPECT_EQ(f.Text1->maxLength(), 18);
    EXPECT_EQ(f.Text1->text(), "ABCDEFGHIJKLMNOPQ");
    // Typing stops at the limit.
    f.Text2->clear();
    f.Text2->insert("0123456789012345");
    EXPECT_EQ(f.Text2->text(), "012345678901");
}

TEST_F(Eingabedialog, UnknownLengthsLimitNothingAndTheIndexTakesDigitsOnly)
{
    Buch_Fuellen(1, {{"001", "A", "1", ""}}, 10, 0, 0);
    Neu();
    Form4 f;
    f.Check1->setChecked(true);
    f.Text1->setText(QString(40, QLatin1Char('x')));
    EXPECT_EQ(f.Text1->text().size(), 40);
    EXPECT_GT(f.Text2->maxLength(), 40);
    f.Text4->clear();
    f.Text4->insert("1e");
    EXPECT_TRUE(f.Text4->text().isEmpty());
}

struct Pruefung {
    const char* index;
    const char* name;
    const char* nummer;
    const char* meldung;
};

// Stable test names: the default print is the struct's bytes, pointers included.
void PrintTo(const Pruefung& p, std::ostream* os) { *os << "Index " << p.index << ", Nummer " << p.nummer; }

class Speicherpruefung : public Eingabedialog, public ::testing::WithParamInterface<Pruefung> {};

TEST_P(Speicherpruefung, RefusesWithTheMessageAndStaysOpen)
{
    Buch_Fuellen(1, {}, 10);
    Neu();
    Form4 f;
    f.Text4->setText(GetParam().index);
    f.Text1->setText(QString::fromUtf8(GetParam().name));
    f.Text2->setText(GetParam().nummer);
    f.Command1_Click();
    ASSERT_EQ(e.u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].text, QString::fromUtf8(GetParam().meldung));
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_EQ(DialogModus, "neu");
    EXPECT_TRUE(EintragName.isEmpty());
}

const char* const Nummermeldung = "Für die Rufnummer bitte nur 0-9, '*', '#' und '+' verwenden! Bitte ändern.";
const char* const Namensmeldung = "Ungültiges Zeichen im Namen! Bitte ändern.";
const char* const Indexmeldung = "Kein gültiger Index angegeben!";

INSTANTIATE_TEST_SUITE_P(
    Form4, Speicherpruefung,
    ::testing::Values(Pruefung{"1", "", "0301", "Kein Name angegeben!"},
                      Pruefung{"1", "Anna", "", "Keine Rufnummer angegeben!"},
                      Pruefung{"1", "Anna", "030 1", Nummermeldung}, Pruefung{"1", "A@b", "12a", Nummermeldung},
                      Pruefung{"1", "A@b", "0301", Namensmeldung}, Pruefung{"1", "A\"b", "0301", Namensmeldung},
                      Pruefung{"1", "Åsa", "0301", Namensmeldung}, Pruefung{"0", "Anna", "0301", Indexmeldung},
                      Pruefung{"", "Anna", "0301", Indexmeldung}, Pruefung{"1e2", "Anna", "0301", Indexmeldung},
                      Pruefung{"+7", "Anna", "0301", Indexmeldung}));

TEST_F(Eingabedialog, IndexBeyondTheBookStaysOpenWithTheRecordWritten)
{
    Buch_Fuellen(1, {}, 10);
    Neu();
    Form4 f;
    f.Text4->setText("11");
    f.Text1->setText("Anna");
    f.Text2->setText("0301");
    f.Command1_Click();
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{"Index zu groß für dieses Telefonbuch! (Maximale Einträge: 10)"});
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_EQ(EintragIndex, "11");
}

TEST_F(Eingabedialog, SavingAMarkedEntryHandsTheNameWithItsMark)
{
    Buch_Fuellen(1, {}, 10);
    Buch_Fuellen(2, {}, 100);
    Neu();
    Form4 f;
    f.Option2->setChecked(true);
    f.Text4->setText("012");
    f.Text1->setText("Anna Müller");
    f.Text2->setText("+49171*31#");
    f.Check1->setChecked(true);
    f.Command1_Click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_TRUE(e.u.Dialoge.Meldungen.empty());
    EXPECT_EQ(DialogModus, "neu");
    EXPECT_EQ(EintragName, "Anna Müller!");
    EXPECT_EQ(EintragMerker, "!");
    EXPECT_EQ(EintragBuch, "2");
    EXPECT_EQ(EintragIndex, "012");
    EXPECT_EQ(EintragNummer, "+49171*31#");
}

TEST_F(Eingabedialog, CloseBoxAndEscapeCancelLikeAbbrechen)
{
    Buch_Fuellen(1, {}, 10);
    Aendern("001", "Anna", "0301", "1");
    {
        Form4 f;
        f.show();
        f.Text1->setText("Other");
        f.close();
        EXPECT_EQ(DialogModus, "cancel");
    }
    Aendern("001", "Anna", "0301", "1");
    Form4 g;
    g.Command2_Click();
    EXPECT_EQ(DialogModus, "cancel");
    EXPECT_EQ(EintragName, "Anna");
}

TEST_F(Eingabedialog, ShownModallyAndSavedByItsButton)
{
    Buch_Fuellen(1, {{"001", "A", "1", ""}}, 10);
    Neu();
    Handytyp = "35";
    QString haken;
    QTimer::singleShot(0, [&haken] {
        auto* f = qobject_cast<Form4*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        haken = f->Check1->text();
        f->Text1->setText("Bea");
        f->Text2->setText("0302");
        f->Command1->click();
    });
    Form4::Modal_Zeigen();
    EXPECT_EQ(DialogModus, "neu");
    EXPECT_EQ(EintragIndex, "2");
    EXPECT_EQ(EintragName, "Bea");
    EXPECT_EQ(EintragBuch, "1");
    EXPECT_EQ(haken, "&VIP-Telefonbuch");
}

}  // namespace
