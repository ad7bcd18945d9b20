// The local pane of the phone-book window: the entry dialog Form11 (a new row modally, a change
// modeless and bound to its row), delete, search and the hand-over of numbers.
#include "phonebook/EintraegeAttrappen.h"
#include "phonebook/Form1.h"
#include "phonebook/Form11.h"
#include "phonebook/Sicherung.h"
#include "phonebook/TBuchHilfen.h"
#include "sms/Form6.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

class Lokal : public ::testing::Test {
protected:
    Lokal()
    {
        Buecher_Zuruecksetzen();
        Handytyp = "35";
        LoeschenRueckfrage = false;
        TBRot = TBFett = true;
        f = Form1::Instanz();
        for (const char* name : {"Anna", "Bert", "Carl", "Dora", "Emil"})
            f->Lokal_Anfuegen("SIM", 1, name, QStringLiteral("0%1").arg(f->TBuch2->topLevelItemCount() + 1), "");
        Form6::Instanz()->List3->clear();
    }
    ~Lokal() override
    {
        delete Form11::Offen();
        delete Form1::Instanz();
        Form6::Instanz()->hide();
        Eintraege_Zuruecksetzen();
    }
    void Befehl(const char* schluessel) { Form1::Knopf(f->Toolbar4, schluessel)->trigger(); }
    void Waehlen(int zeile)
    {
        f->TBuch2->clearSelection();
        f->Lokalliste().Waehlen(zeile, true);
    }
    QTreeWidgetItem* Zeile(int i) const { return f->TBuch2->topLevelItem(i - 1); }
    QStringList Namen() const
    {
        QStringList n;
        for (int i = 1; i <= f->TBuch2->topLevelItemCount(); ++i)
            n << Zeile(i)->text(1);
        return n;
    }
    static bool Rot(const QTreeWidgetItem* z, int s) { return z->foreground(s).color() == QColor(255, 0, 0); }

    EintragUmgebung e;
    Form1* f = nullptr;
};

TEST_F(Lokal, NewEntryIsALocalRowWithIconSevenAtTheEndOnceNameAndNumberAreThere)
{
    QString haken;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<Form11*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        haken = d->Check1->text();
        d->Command1->click();
        d->Text1->insert(QString(25, QLatin1Char('F')));
        d->Command1->click();
        EXPECT_EQ(QApplication::activeModalWidget(), d);
        d->Text2->setText("+4930");
        d->Check1->setChecked(true);
        d->Command1->click();
    });
    Befehl("new");
    EXPECT_EQ(haken, "&VIP-Telefonbuch");
    EXPECT_EQ(e.u.Dialoge.Texte(), (QStringList{"Keinen Namen angegeben!", "Keine Nummer angegeben!"}));
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    ASSERT_EQ(f->TBuch2->topLevelItemCount(), 6);
    QTreeWidgetItem* z = Zeile(6);
    EXPECT_EQ(z->text(0), "LOKAL");
    EXPECT_EQ(Form1::Symbolnummer(z), 7);
    EXPECT_EQ(z->text(1), QString(20, QLatin1Char('F')));
    EXPECT_EQ(z->text(2), "+4930");
    EXPECT_EQ(z->text(3), "!");
    EXPECT_TRUE(Rot(z, 1));
    EXPECT_EQ(Form11::Offen(), nullptr);
}

TEST_F(Lokal, ChangeStaysWithItsRowWhileTheSelectionAndTheOrderMove)
{
    Waehlen(2);
    f->editLOCAL->trigger();
    Form11* d = Form11::Offen();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(d->windowTitle(), "Eintrag ändern (lokal)");
    EXPECT_EQ(d->Text1->text(), "Bert");
    EXPECT_EQ(DialogModus, "aendern");

    Waehlen(4);
    f->TBuch2->sortItems(1, Qt::DescendingOrder);
    d->Text1->setText("Berta");
    d->Check1->setChecked(true);
    d->Command1->click();

    EXPECT_EQ(Namen(), (QStringList{"Emil", "Dora", "Carl", "Berta", "Anna"}));
    QTreeWidgetItem* z = Zeile(4);
    EXPECT_EQ(z->text(0), "SIM");
    EXPECT_EQ(z->text(3), "!");
    EXPECT_TRUE(Rot(z, 3));
    EXPECT_TRUE(z->font(2).bold());
    EXPECT_FALSE(Rot(Zeile(2), 1));

    // Taking the mark away takes its looks too.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Waehlen(4);
    Befehl("edit");
    ASSERT_TRUE(Form11::Offen()->Check1->isChecked());
    Form11::Offen()->Check1->setChecked(false);
    Form11::Offen()->Command1_Click();
    EXPECT_EQ(z->text(3), "");
    EXPECT_FALSE(Rot(z, 1));
    EXPECT_FALSE(z->font(2).bold());
}

TEST_F(Lokal, ChangeOfADeletedRowWritesNothing)
{
    Waehlen(2);
    Befehl("edit");
    Befehl("kill");
    Form11* d = Form11::Offen();
    d->Text1->setText("Neu");
    d->Command1_Click();
    EXPECT_EQ(Namen(), (QStringList{"Anna", "Carl", "Dora", "Emil"}));
    EXPECT_FALSE(d->isVisible());
}

TEST_F(Lokal, OneChangeDialogAtATime)
{
    f->TBuch2->clearSelection();
    Befehl("edit");
    EXPECT_EQ(Form11::Offen(), nullptr);  // no selected row

    Waehlen(1);
    Befehl("edit");
    Form11* d = Form11::Offen();
    Waehlen(3);
    Befehl("edit");  // the open dialog takes the new row
    EXPECT_EQ(Form11::Offen(), d);
    EXPECT_EQ(d->Text1->text(), "Carl");
    EXPECT_EQ(d->Gebundene_Zeile(), Zeile(3));
    Befehl("new");  // would block if it opened a modal dialog
    EXPECT_EQ(Form11::Offen(), d);
    EXPECT_EQ(f->TBuch2->topLevelItemCount(), 5);
}

TEST_F(Lokal, DeleteSearchAndHandOver)
{
    Waehlen(2);
    f->Lokalliste().Waehlen(4, true);
    Befehl("kill");
    EXPECT_EQ(Namen(), (QStringList{"Anna", "Carl", "Emil"}));

    e.u.Dialoge.Eingaben = {"MIL"};
    Befehl("search");
    EXPECT_EQ(f->Lokalliste().Gewaehlte_Zeile(), 3);

    f->Lokalliste().Waehlen(1, true);
    Form6::Instanz()->List3->addItem("0999");
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Nein, Dialoge::Antwort::Ja};
    Befehl("sms");
    QStringList liste3;
    for (int i = 0; i < Form6::Instanz()->List3->count(); ++i)
        liste3 << Form6::Instanz()->List3->item(i)->text();
    EXPECT_EQ(liste3, (QStringList{"0999", "01", "05"}));
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{"Sollen die SMS-Empfängerliste vorher gelöscht werden?"});
    EXPECT_EQ(e.u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Ja);
    EXPECT_TRUE(Form6::Instanz()->isVisible());
    f->smsLOCAL->trigger();
    EXPECT_EQ(Form6::Instanz()->List3->count(), 2);
}

TEST_F(Lokal, ClosingWithUnsavedRowsAsksFirst)
{
    f->show();
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Abbrechen};
    EXPECT_FALSE(f->close());
    ASSERT_EQ(e.u.Dialoge.Meldungen.size(), 1u);
    const auto frage = e.u.Dialoge.Meldungen[0];
    EXPECT_EQ(frage.text, "Die lokale Liste wurde geändert. Möchten Sie die Änderungen speichern?");
    EXPECT_EQ(frage.symbol, Dialoge::Symbol::Frage);
    EXPECT_EQ(frage.tasten, Dialoge::Tasten::JaNeinAbbrechen);
    EXPECT_EQ(frage.standard, Dialoge::Antwort::Ja);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->TBuch2->topLevelItemCount(), 5);

    // "Ja" whose save cannot write the file: told, and the window stays.
    QTemporaryDir ordner;
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    e.u.Dialoge.Dateien = {ordner.filePath("fehlt/lokal.orx")};
    EXPECT_FALSE(f->close());
    ASSERT_EQ(e.u.Dialoge.Meldungen.size(), 3u);
    EXPECT_EQ(e.u.Dialoge.Meldungen[2].text, "Die Datei konnte nicht geschrieben werden!");
    EXPECT_EQ(e.u.Dialoge.Meldungen[2].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_TRUE(f->isVisible());

    e.u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    EXPECT_TRUE(f->close());
    EXPECT_EQ(e.u.Dialoge.Meldungen.size(), 4u);
}

TEST_F(Lokal, AListTheUserEmptiedIsAskedAboutAndSavesAsAnEmptyList)
{
    QTemporaryDir ordner;
    e.u.Dialoge.Dateien = {ordner.filePath("voll.orx")};
    ASSERT_TRUE(f->Lokal_Speichern());
    for (int i = 1; i <= 5; ++i)
        f->Lokalliste().Waehlen(i, true);
    Befehl("kill");
    ASSERT_EQ(f->TBuch2->topLevelItemCount(), 0);

    f->show();
    const QString leer = ordner.filePath("leer.orx");
    e.u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    e.u.Dialoge.Dateien = {leer};
    EXPECT_TRUE(f->close());
    EXPECT_EQ(e.u.Dialoge.Texte(), QStringList{"Die lokale Liste wurde geändert. Möchten Sie die Änderungen speichern?"});
    const Sicherung gelesen = Sicherung_Lesen(leer);
    EXPECT_FALSE(gelesen.Fehler);
    EXPECT_TRUE(gelesen.Zeilen.isEmpty());
}

}  // namespace
