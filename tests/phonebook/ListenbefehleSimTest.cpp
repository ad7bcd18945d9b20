// New, change and delete through the phone-book window against the simulated phone: after each
// command the phone, the cache and the list hold the same entries, and a re-read agrees.
#include "common/Zeichen.h"
#include "phonebook/Eintraege.h"
#include "phonebook/Form1.h"
#include "phonebook/Form4.h"
#include "phonebook/TBuchHilfen.h"
#include "sim/SimHandy.h"
#include "sim/SimTelefonbuch.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace Module1;
using sim::SimEintrag;
using sim::Telefon_Codes;

namespace {

class ListenbefehleSim : public ::testing::Test {
protected:
    ListenbefehleSim()
    {
        Buecher_Zuruecksetzen();
        LoeschenRueckfrage = false;
        buecher = sim::Telefonbuch_Anmelden(*u.Handy);
        Link().Anzeige = &anzeige;
        f = Form1::Instanz();
    }
    ~ListenbefehleSim() override
    {
        if (Form1::Geladen())
            delete Form1::Instanz();
        Buecher_Zuruecksetzen();
        LoeschenRueckfrage = true;
    }

    void Setzen(const std::string& kennung, std::map<int, SimEintrag> eintraege)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Buch(kennung)->Eintraege = std::move(eintraege); });
    }
    void Befehl(const char* schluessel) { Form1::Knopf(f->Toolbar1, schluessel)->trigger(); }
    void Lesen(int buch)
    {
        if (!f->Buchknopf(buch)->isChecked())
            f->Buchknopf(buch)->trigger();
    }
    // Plays the entry dialog once it is open.
    void Im_Dialog(std::function<void(Form4*)> spielen)
    {
        QTimer::singleShot(0, [this, spielen] {
            auto* d = qobject_cast<Form4*>(QApplication::activeModalWidget());
            dialogGesehen = d != nullptr;
            if (d)
                spielen(d);
        });
    }
    int Zeile_Von(const QString& name) const
    {
        for (int i = 0; i < f->TBuch1->topLevelItemCount(); ++i)
            if (f->TBuch1->topLevelItem(i)->text(2) == name)
                return i + 1;
        return 0;
    }
    void Waehlen(const QString& name)
    {
        f->TBuch1->clearSelection();
        f->Telefonliste().Waehlen(Zeile_Von(name), true);
    }
    // Moves Bob from SIM index 1 to 2; the phone deletes the old entry, but its answer is lost,
    // and commands starting with `stumm` are not answered either.
    void Bob_Verschieben(const std::string& stumm = {})
    {
        Setzen("SM", {{1, {"0301", 129, "Bob"}}});
        Lesen(1);
        u.Handy->Antwort_Verlieren_Bei("AT+CPBW=1", 1);
        if (!stumm.empty())
            u.Handy->Schweigen_Bei(stumm);
        Waehlen("Bob");
        Im_Dialog([](Form4* d) {
            d->Text4->setText("2");
            d->Command1->click();
        });
        Befehl("edit");
    }

    // The entries of a book as "index|number|name" in the phone's codes, marker in the name.
    QStringList Telefon(const std::string& kennung)
    {
        QStringList l;
        u.Handy->Mit_Zustand([&](sim::SimHandy&) {
            for (const auto& [index, e] : buecher->Buch(kennung)->Eintraege)
                l << QStringLiteral("%1|%2|%3").arg(index).arg(QString::fromStdString(e.Nummer),
                                                            QString::fromLatin1(e.Name.data(), e.Name.size()));
        });
        return l;
    }
    QStringList Cache(int buch) const
    {
        QStringList l;
        for (int s = 1; s <= TBuchPlaetze && !TBuchDaten[buch][s][1].isEmpty(); ++s) {
            QString name = TBuchDaten[buch][s][2] + TBuchDaten[buch][s][4];
            l << QStringLiteral("%1|%2|%3").arg(TBuchDaten[buch][s][1].toInt()).arg(TBuchDaten[buch][s][3],
                                                                                    Zeichen_Wandeln(name));
        }
        l.sort();
        return l;
    }
    QStringList Liste(int buch) const
    {
        QStringList l;
        for (int i = 0; i < f->TBuch1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* z = f->TBuch1->topLevelItem(i);
            if (TBuch_Nummer(z->text(0)) != buch)
                continue;
            QString name = z->text(2) + z->text(4);
            l << QStringLiteral("%1|%2|%3").arg(z->text(1).toInt()).arg(z->text(3), Zeichen_Wandeln(name));
        }
        l.sort();
        return l;
    }
    // Phone, cache and list agree, and so does a fresh read of the book.
    void Alle_Gleich(int buch, const std::string& kennung, const QStringList& erwartet)
    {
        QStringList telefon = Telefon(kennung);
        telefon.sort();
        EXPECT_EQ(telefon, erwartet);
        EXPECT_EQ(Cache(buch), erwartet);
        EXPECT_EQ(Liste(buch), erwartet);
        f->Neulesenknopf(buch)->trigger();
        EXPECT_EQ(Cache(buch), erwartet);
        EXPECT_EQ(Liste(buch), erwartet);
    }

    SimUmgebung u;
    LeseAnzeige anzeige;
    std::shared_ptr<sim::SimTelefonbuch> buecher;
    Form1* f = nullptr;
    bool dialogGesehen = false;
};

QString Codes(const char* utf8)
{
    const std::string codes = Telefon_Codes(utf8);
    return QString::fromLatin1(codes.data(), static_cast<qsizetype>(codes.size()));
}

TEST_F(ListenbefehleSim, NewChangeAndDeleteInTheSimAndThePhoneBook)
{
    Setzen("SM", {{1, {"0301", 129, "Bob"}}, {2, {"0302", 129, "Carl"}}, {4, {"0304", 129, "Dora"}}});
    Lesen(1);
    Lesen(2);  // empty, read completely

    // New: the dialog proposes index 3, the mark travels in the name.
    Im_Dialog([](Form4* d) {
        EXPECT_TRUE(d->Option1->isChecked());
        EXPECT_EQ(d->Text4->text(), "3");
        d->Text1->setText("Anna");
        d->Text2->setText("+49171");
        d->Check1->setChecked(true);
        d->Command1->click();
    });
    Befehl("new");
    ASSERT_TRUE(dialogGesehen);
    Alle_Gleich(1, "SM", {"1|0301|Bob", "2|0302|Carl", "3|+49171|Anna!", "4|0304|Dora"});
    EXPECT_EQ(f->TBuch1->topLevelItem(Zeile_Von("Anna") - 1)->text(4), "!");
    EXPECT_EQ(f->Label1[0]->text(), "(246 von 250 frei)");

    // Change in place: new name with umlauts, the mark taken away.
    Waehlen("Anna");
    Im_Dialog([](Form4* d) {
        EXPECT_EQ(d->Text4->text(), "003");
        EXPECT_TRUE(d->Check1->isChecked());
        d->Text1->setText("Änne");
        d->Text2->setText("0171");
        d->Check1->setChecked(false);
        d->Command1->click();
    });
    Befehl("edit");
    Alle_Gleich(1, "SM", {"1|0301|Bob", "2|0302|Carl", "3|0171|" + Codes("Änne"), "4|0304|Dora"});

    // Change into the phone book.
    Waehlen("Bob");
    Im_Dialog([](Form4* d) {
        d->Option2->setChecked(true);
        EXPECT_EQ(d->Text4->text(), "1");
        d->Command1->click();
    });
    Befehl("edit");
    Alle_Gleich(1, "SM", {"2|0302|Carl", "3|0171|" + Codes("Änne"), "4|0304|Dora"});
    Alle_Gleich(2, "ME", {"1|0301|Bob"});
    EXPECT_EQ(f->Label1[1]->text(), "(99 von 100 frei)");

    // Delete after the question.
    LoeschenRueckfrage = true;
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Waehlen("Carl");
    Befehl("kill");
    Alle_Gleich(1, "SM", {"3|0171|" + Codes("Änne"), "4|0304|Dora"});
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Eintrag/Einträge wirklich löschen?"});
    EXPECT_EQ(f->Label1[0]->text(), "(248 von 250 frei)");
}

// After the read, "VomHandy" is stored at SIM index 3 on the handset.
TEST_F(ListenbefehleSim, ANewEntryReadsItsIndexFirstAndAsksBeforeOverwritingTheHandsetsEntry)
{
    Setzen("SM", {{1, {"0301", 129, "Bob"}}, {2, {"0302", 129, "Carl"}}});
    Lesen(1);
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Buch("SM")->Eintraege[3] = {"0303", 129, "VomHandy"}; });
    u.Handy->Empfangen_Loeschen();
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Im_Dialog([](Form4* d) {
        EXPECT_EQ(d->Text4->text(), "3");
        d->Text1->setText("Neu PC");
        d->Text2->setText("0304");
        d->Command1->click();
    });
    Befehl("new");
    ASSERT_TRUE(dialogGesehen);
    EXPECT_EQ(u.Handy->Empfangen(), "AT+CPBS=SM\r\nAT+CPBR=3\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{QStringLiteral("Der Index 3 ist bereits vergeben!\r\nMöchten Sie den "
                                                            "Eintrag VomHandy (0303) wirklich überschreiben?")});
    Alle_Gleich(1, "SM", {"1|0301|Bob", "2|0302|Carl", "3|0303|VomHandy"});
}

// After the read the handset changes the entries behind the rows the user deletes, edits and moves.
TEST_F(ListenbefehleSim, AnEntryTheHandsetChangedIsNeitherDeletedNorWrittenOver)
{
    Setzen("SM", {{1, {"0301", 129, "Anna"}}, {5, {"0305", 129, "BOOK"}}});
    Lesen(1);
    const auto handy = [this](int index, const char* nummer, const char* name) {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Am_Handy_Speichern("SM", index, nummer, name); });
    };
    const QString geloescht = QStringLiteral("Der Eintrag wurde im Handy verändert und nicht gelöscht.");
    const QString geaendert = QStringLiteral("Der Eintrag wurde im Handy verändert und nicht geändert.");

    handy(5, "0399", "Neu Handy");
    Waehlen("BOOK");
    Befehl("kill");
    EXPECT_EQ(Liste(1), QStringList({"1|0301|Anna", "5|0399|Neu Handy"}));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{geloescht});

    handy(1, "0398", "Bob Handy");
    Waehlen("Anna");
    Im_Dialog([](Form4* d) {
        d->Text2->setText("0111");
        d->Command1->click();
    });
    Befehl("edit");
    EXPECT_EQ(Liste(1), QStringList({"1|0398|Bob Handy", "5|0399|Neu Handy"}));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList({geloescht, geaendert}));

    handy(5, "0397", "Eve Handy");
    Waehlen("Neu Handy");
    Im_Dialog([](Form4* d) {
        d->Text4->setText("9");
        d->Command1->click();
    });
    Befehl("edit");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList({geloescht, geaendert, geaendert}));

    const auto befehle = u.Handy->Befehle();
    EXPECT_EQ(std::count_if(befehle.begin(), befehle.end(),
                            [](const std::string& b) { return b.rfind("AT+CPBW=", 0) == 0; }),
              0);
    Alle_Gleich(1, "SM", {"1|0398|Bob Handy", "5|0397|Eve Handy"});
}

TEST_F(ListenbefehleSim, AnIndexThePhoneCallsNotFoundIsFreeForANewEntry)
{
    Lesen(1);
    u.Handy->Antwort_Setzen("AT+CPBR=5", sim::CmeError(22), 1);
    EXPECT_TRUE(Eintrag_Neu_Schreiben("5", "Neu", "0305", "1", ""));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(Telefon("SM").contains("5|0305|Neu"));
}

TEST_F(ListenbefehleSim, UmlautsAndAtSignAreStoredInThePhonesCodesAndReadBackUnchanged)
{
    Lesen(1);
    EXPECT_TRUE(Eintrag_Schreiben("5", "Jürgen@Büro", "0301", "1", ""));
    EXPECT_EQ(Telefon("SM"), QStringList{"5|0301|" + Codes("Jürgen@Büro")});
    f->Neulesenknopf(1)->trigger();
    EXPECT_EQ(TBuchDaten[1][1][2], "Jürgen@Büro");
    EXPECT_EQ(f->TBuch1->topLevelItem(0)->text(2), "Jürgen@Büro");
}

TEST_F(ListenbefehleSim, RefusedWritesLeaveTheEntryWhereItWas)
{
    Setzen("SM", {{1, {"0301", 129, "Bob"}}});
    Lesen(1);
    // The phone would delete, but refuses every entry written.
    u.Handy->Antwort_Setzen("AT+CPBW=001,", "\r\n+CME ERROR: 21\r\n");
    u.Handy->Antwort_Setzen("AT+CPBW=2,", "\r\n+CME ERROR: 21\r\n");

    // Changed in place: written over, nothing deleted first.
    Waehlen("Bob");
    Im_Dialog([](Form4* d) {
        d->Text1->setText("Robert");
        d->Command1->click();
    });
    Befehl("edit");
    ASSERT_TRUE(dialogGesehen);
    // Moved to another index.
    Waehlen("Bob");
    Im_Dialog([](Form4* d) {
        d->Text4->setText("2");
        d->Command1->click();
    });
    Befehl("edit");
    // A new entry.
    Im_Dialog([](Form4* d) {
        d->Text1->setText("Eve");
        d->Text2->setText("0171");
        d->Command1->click();
    });
    Befehl("new");

    std::vector<std::string> schreiben;
    for (const std::string& b : u.Handy->Befehle())
        if (b.rfind("AT+CPBW=", 0) == 0)
            schreiben.push_back(b);
    EXPECT_EQ(schreiben, (std::vector<std::string>{"AT+CPBW=001,\"0301\",129,\"Robert\"",
                                                   "AT+CPBW=2,\"0301\",129,\"Bob\"",
                                                   "AT+CPBW=2,\"0171\",129,\"Eve\""}));
    EXPECT_FALSE(u.Dialoge.Meldungen.empty());  // the exchange told why
    u.Handy->Ueberschreibungen_Loeschen();
    Alle_Gleich(1, "SM", {"1|0301|Bob"});
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 1);
}

TEST_F(ListenbefehleSim, DeleteLoopOverFiveEntriesStopsAtTheFirstFailure)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Fuellen("SM", 5); });
    Lesen(1);
    ASSERT_EQ(f->TBuch1->topLevelItemCount(), 5);
    f->TBuch1->selectAll();
    u.Handy->Antwort_Setzen("AT+CPBW=2", "\r\nERROR\r\n");

    Befehl("kill");

    // The first entry is gone everywhere; the loop stopped at the second, the list not refilled.
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 4);
    EXPECT_EQ(f->TBuch1->topLevelItem(0)->text(1), "002");
    EXPECT_EQ(TBuchBelegt[1], 4);
    u.Handy->Ueberschreibungen_Loeschen();
    Alle_Gleich(1, "SM", {"2|03012|Name 2", "3|03013|Name 3", "4|03014|Name 4", "5|03015|Name 5"});
    const auto befehle = u.Handy->Befehle();
    EXPECT_EQ(std::count(befehle.begin(), befehle.end(), "AT+CPBW=3"), 0);
}

// The phone deletes Bob's old entry, but its answer is lost.
TEST_F(ListenbefehleSim, AMoveWhoseDeleteTimedOutReadsTheOldIndexBack)
{
    Bob_Verschieben();
    ASSERT_TRUE(dialogGesehen);

    const auto befehle = u.Handy->Befehle();
    EXPECT_NE(std::find(befehle.begin(), befehle.end(), "AT+CPBR=1"), befehle.end());
    for (const QString& text : u.Dialoge.Texte())
        EXPECT_FALSE(text.contains("Beide Einträge")) << text.toStdString();
    EXPECT_EQ(f->TBuch1->topLevelItemCount(), 1);
    Alle_Gleich(1, "SM", {"2|0301|Bob"});
}

// The phone deletes entry 2, but its answer is lost: read back, the row goes. A delete the phone
// did not carry out leaves its row. Each told once, as the time-out it was.
TEST_F(ListenbefehleSim, ADeleteWhoseAnswerIsLostReadsTheSlotBack)
{
    Setzen("SM", {{1, {"0301", 129, "Ada"}}, {2, {"0302", 129, "Bob"}}, {3, {"0303", 129, "Cleo"}}});
    Lesen(1);
    u.Handy->Antwort_Verlieren_Bei("AT+CPBW=2", 1);
    Waehlen("Bob");
    Befehl("kill");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    Alle_Gleich(1, "SM", {"1|0301|Ada", "3|0303|Cleo"});

    u.Handy->Schweigen_Bei("AT+CPBW=3", 1);
    Waehlen("Cleo");
    Befehl("kill");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u);
    Alle_Gleich(1, "SM", {"1|0301|Ada", "3|0303|Cleo"});

    // Not even the read-back is answered: the row stays, shown as unknown, its index taken.
    u.Handy->Stumm_Setzen(true);
    Waehlen("Ada");
    Befehl("kill");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 3u);
    EXPECT_EQ(Liste(1), (QStringList{"1|0301|Ada", "3|0303|Cleo"}));
    EXPECT_TRUE(f->TBuch1->topLevelItem(Zeile_Von("Ada") - 1)->font(2).italic());
    EXPECT_EQ(Index_Frei(1), 2);
}

// After a stall the phone answers every command 1.4 s late and refuses the delete: the entry stays.
TEST_F(ListenbefehleSim, ADeleteAfterAStallIsNotTakenForDoneByALateAnswer)
{
    Setzen("SM", {{1, {"0301", 129, "Ada"}}});
    Lesen(1);
    TimeoutFaktor = 1000;
    u.Handy->Stocken(1400);
    EXPECT_FALSE(Befehl_Senden("AT", true));
    u.Handy->Antwort_Setzen("AT+CPBW=1", sim::CmeError(21));
    Waehlen("Ada");
    Befehl("kill");
    EXPECT_EQ(Telefon("SM"), QStringList{"1|0301|Ada"});
    EXPECT_EQ(Liste(1), QStringList{"1|0301|Ada"});
    EXPECT_EQ(Cache(1), QStringList{"1|0301|Ada"});
}

// Neither the delete nor the read-back is answered: the old index may or may not be free.
TEST_F(ListenbefehleSim, AMoveWhoseOldEntryCannotBeReadBackKeepsItsIndexTaken)
{
    Bob_Verschieben("ATS");  // the probes: the phone never shows it is in step for a read-back

    // One message, in place of the time-outs of the delete and of the read-back.
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Ob der alte Eintrag gelöscht wurde, ist nicht bekannt. Bitte lesen Sie "
                                             "das Telefonbuch neu ein."});
    EXPECT_EQ(Liste(1), QStringList{"2|0301|Bob"});
    EXPECT_EQ(Index_Frei(1), 3);
    u.Dialoge.Meldungen.clear();
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    EXPECT_FALSE(Schreiben_Erlaubt("1", 1));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);

    // A read of the book settles it.
    u.Handy->Ueberschreibungen_Loeschen();
    f->Neulesenknopf(1)->trigger();
    EXPECT_EQ(Index_Frei(1), 1);
    Alle_Gleich(1, "SM", {"2|0301|Bob"});
}

// The re-read is refused at once; then a new entry goes to index 3 through the entry dialog.
TEST_F(ListenbefehleSim, ARereadThatFailsAtItsFirstCommandLeavesTheBookNotRead)
{
    Setzen("SM", {{1, {"0301", 129, "Anna"}}, {2, {"0302", 129, "Bob"}}});
    Lesen(1);
    ASSERT_TRUE(TBuchVollstaendig[1]);
    u.Handy->Antwort_Setzen("at+cpbs=\"SM\"", sim::Error(), 1);
    f->Neulesenknopf(1)->trigger();
    EXPECT_FALSE(TBuchVollstaendig[1]);
    EXPECT_EQ(Cache(1), QStringList{});
    EXPECT_EQ(Index_Frei(1), 0);

    Fenster().Eintrag_Dialog = [] {
        EintragBuch = "1";
        EintragIndex = "3";
        EintragName = "Neu";
        EintragNummer = "0303";
        EintragMerker.clear();
    };
    u.Dialoge.Meldungen.clear();
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Befehl("new");
    Fenster().Eintrag_Dialog = nullptr;
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);  // asked, as the book is not read
    EXPECT_EQ(Telefon("SM"), QStringList({"1|0301|Anna", "2|0302|Bob", "3|0303|Neu"}));
    // Nothing cached or listed stands for an entry it is not.
    EXPECT_EQ(Cache(1), QStringList{"3|0303|Neu"});
    EXPECT_EQ(Liste(1), QStringList{"3|0303|Neu"});
    EXPECT_FALSE(TBuchVollstaendig[1]);
    f->Neulesenknopf(1)->trigger();
    EXPECT_TRUE(TBuchVollstaendig[1]);
    EXPECT_EQ(Liste(1), Telefon("SM"));
}

TEST_F(ListenbefehleSim, EntriesBeyondAFullCacheAreNotOverwrittenUnasked)
{
    u.Handy->Mit_Zustand([&](sim::SimHandy&) {
        buecher->Buch("ME")->Gesamt = 500;
        buecher->Fuellen("ME", 250);
    });
    Lesen(2);
    ASSERT_TRUE(TBuchVollstaendig[2]);
    Im_Dialog([](Form4* d) {
        EXPECT_EQ(d->Text4->text(), "251");
        d->Text1->setText("First");
        d->Text2->setText("0171");
        d->Command1->click();
    });
    Befehl("new");
    // The next proposal passes it by; typing its index brings the overwrite question, No by default.
    Im_Dialog([](Form4* d) {
        EXPECT_EQ(d->Text4->text(), "252");
        d->Text4->setText("251");
        d->Text1->setText("Second");
        d->Text2->setText("0172");
        d->Command1->click();
    });
    Befehl("new");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{QStringLiteral("Der Index 251 ist bereits vergeben!\r\nMöchten Sie den "
                                                            "Eintrag First (0171) wirklich überschreiben?")});
    EXPECT_EQ(Telefon("ME").mid(250), QStringList{"251|0171|First"});
}

TEST_F(ListenbefehleSim, IndexChangeInAPartlyReadBookAsksFirst)
{
    Setzen("SM", {{1, {"0301", 129, "A"}}, {2, {"0302", 129, "B"}}, {3, {"0303", 129, "C"}}});
    u.Handy->Antwort_Setzen("AT+CPBR=1,",
                            "\r\n+CPBR: 1,\"0301\",129,\"A\"\r\n+CPBR: 2,\"0302\",129,\"B\"\r\n\r\n+CME ERROR: 100\r\n",
                            1);
    Lesen(1);
    ASSERT_FALSE(TBuchVollstaendig[1]);
    u.Handy->Empfangen_Loeschen();
    for (const Dialoge::Antwort antwort : {Dialoge::Antwort::Nein, Dialoge::Antwort::Ja}) {
        u.Dialoge.Antworten = {antwort};
        Waehlen("A");
        Im_Dialog([](Form4* d) {
            d->Text4->setText("3");
            d->Command1->click();
        });
        Befehl("edit");
    }
    EXPECT_EQ(u.Dialoge.Texte(),
              QStringList(2, QStringLiteral("Der Index 3 ist vielleicht bereits vergeben: das Telefonbuch wurde nicht "
                                            "vollständig eingelesen!\r\nMöchten Sie einen vorhandenen Eintrag wirklich "
                                            "überschreiben?")));
    // Only the answer Yes changed the phone.
    const auto befehle = u.Handy->Befehle();
    const auto schreiben = [](const std::string& b) { return b.rfind("AT+CPBW=", 0) == 0; };
    EXPECT_EQ(std::count_if(befehle.begin(), befehle.end(), schreiben), 2);
    EXPECT_EQ(Telefon("SM"), QStringList({"2|0302|B", "3|0301|A"}));
}

}  // namespace
