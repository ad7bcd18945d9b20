// Phone-book files: the line format, the loaders into the local list, the phone-list backup
// and the local save with their dialogs, settings and the overwrite question.
#include "common/Einstellungen.h"
#include "link/Handytyp.h"
#include "phonebook/Eintraege.h"
#include "phonebook/Form1.h"
#include "phonebook/Sicherung.h"
#include "phonebook/TBuchHilfen.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

const QString Lesefehler = QStringLiteral("Fehler beim Lesen der Datei aufgetreten! Datei scheint fehlerhaft!");
const QByteArray ZweiZeilen = "SIM\t001\tM\xFCller\t+49171\t!\r\nLOKAL\t000\tBob\t0301\t\r\n";

TEST(SicherungsZeile, ReadAndWriteALine)
{
    auto z = SicherungsZeile_Lesen(QStringLiteral("SIM\t001\tMüller\t+49171\t!"));
    ASSERT_TRUE(z);
    EXPECT_EQ(QStringList({z->Ort, z->Index, z->Name, z->Nummer, z->Merker}),
              QStringList({"SIM", "001", "Müller", "+49171", "!"}));
    EXPECT_EQ(SicherungsZeile_Lesen(QStringLiteral("A\tB\tC\tD\t!\tX"))->Merker, "!\tX");
    EXPECT_FALSE(SicherungsZeile_Lesen(QStringLiteral("A\tB\tC\tD")));
    EXPECT_FALSE(SicherungsZeile_Lesen(QString()));
    // A TAB in a name (the phone's code 9) or a line break would break the line apart.
    EXPECT_EQ(SicherungsZeile_Schreiben({"SIM", "002", "A\tB\rC\nD", "1", ""}), "SIM\t002\tA B C D\t1\t");
}

class Dateien : public ::testing::Test {
protected:
    Dateien()
    {
        Buecher_Zuruecksetzen();
        for (const char* k : {"PATH5", "PATH6", "PATH7"})
            Einstellungen::Loeschen("Config", QString::fromLatin1(k));
        Handytyp = QStringLiteral("25");
        f = Form1::Instanz();
    }
    ~Dateien() override
    {
        delete Form1::Instanz();
        Buecher_Zuruecksetzen();
    }

    QString Datei(const QString& name, const QByteArray& inhalt) const
    {
        const QString pfad = ordner.filePath(name);
        QFile d(pfad);
        d.open(QIODevice::WriteOnly);
        d.write(inhalt);
        return pfad;
    }
    static QByteArray Inhalt(const QString& pfad)
    {
        QFile d(pfad);
        return d.open(QIODevice::ReadOnly) ? d.readAll() : QByteArray("<fehlt>");
    }
    QStringList Lokal() const
    {
        QStringList z;
        for (int i = 0; i < f->TBuch2->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* r = f->TBuch2->topLevelItem(i);
            z << QStringList({r->text(0), QString::number(Form1::Symbolnummer(r)), r->text(1), r->text(2), r->text(3)})
                     .join('|');
        }
        return z;
    }
    // A row of a book read in full.
    void Telefonzeile(const QStringList& felder)
    {
        TBuchVollstaendig[TBuch_Nummer(felder[0])] = true;
        auto* r = new QTreeWidgetItem(felder);
        f->TBuch1->addTopLevelItem(r);
    }

    LinkUmgebung u;
    QTemporaryDir ordner;
    Form1* f = nullptr;
};

TEST_F(Dateien, LoadsRowsWithIconsAndMarks)
{
    TBRot = TBFett = true;
    f->LOKALLADEN2(Datei("a.orx", ZweiZeilen));
    EXPECT_EQ(Lokal(), QStringList({"SIM|1|Müller|+49171|!", "LOKAL|0|Bob|0301|"}));
    const QTreeWidgetItem* mueller = f->TBuch2->topLevelItem(0);
    for (int spalte = 1; spalte <= 3; ++spalte) {
        EXPECT_EQ(mueller->foreground(spalte).color(), QColor(255, 0, 0));
        EXPECT_TRUE(mueller->font(spalte).bold());
    }
    EXPECT_FALSE(mueller->font(0).bold());
    EXPECT_FALSE(f->TBuch2->topLevelItem(1)->font(1).bold());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Dateien, LineFeedsAloneAndAMissingLastLineEndAreAccepted)
{
    f->LOKALLADEN2(Datei("lf.orx", "SIM\t001\tA\t1\t\nSIM\t002\tB\t2\t"));
    EXPECT_EQ(f->TBuch2->topLevelItemCount(), 2);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Dateien, BadFilesStopTheLoadWithTheMessage)
{
    const struct {
        QByteArray inhalt;
        int zeilen;  // rows left in the list
    } faelle[] = {
        {ZweiZeilen + "\r\n", 2},                                                 // a trailing empty line
        {"SIM\t001\tA\t1\t\r\nA\tB\tC\tD\r\nSIM\t002\tB\t2\t\r\n", 1},  // three TABs
    };
    for (const auto& fall : faelle) {
        f->LOKALLADEN2(Datei("a.orx", ZweiZeilen));
        f->LOKALLADEN2(Datei("b.orx", fall.inhalt));
        EXPECT_EQ(f->TBuch2->topLevelItemCount(), fall.zeilen) << fall.inhalt.constData();
    }
    f->LOKALLADEN2(Datei("a.orx", ZweiZeilen));
    f->LOKALLADEN2(ordner.filePath("fehlt.orx"));
    EXPECT_EQ(f->TBuch2->topLevelItemCount(), 0);
    ASSERT_EQ(u.Dialoge.Texte(), QStringList(3, Lesefehler));
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(u.Dialoge.Meldungen[0].titel, "ORX 2000");
}

TEST_F(Dateien, SixFieldsAreNoMark)
{
    TBRot = true;
    f->LOKALLADEN2(Datei("a.orx", "A\tB\tC\tD\t!\tX\r\n"));
    ASSERT_EQ(f->TBuch2->topLevelItemCount(), 1);
    EXPECT_EQ(f->TBuch2->topLevelItem(0)->text(3), "!\tX");
    EXPECT_NE(f->TBuch2->topLevelItem(0)->foreground(1).color(), QColor(255, 0, 0));
}

TEST_F(Dateien, LoadWithTheDialogRemembersTheFile)
{
    u.Dialoge.Dateien = {QString()};  // cancelled
    f->LOKALLADEN2(Datei("a.orx", ZweiZeilen));
    f->lokalLADEN();
    EXPECT_EQ(f->TBuch2->topLevelItemCount(), 2);
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH5"), "");
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Filter, "*.orx (*.orx)");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Startdatei, Programmordner());

    const QString b = Datei("b.orx", "LOKAL\t000\tEva\t0171\t\r\n");
    u.Dialoge.Dateien = {b};
    f->Toolbar4_ButtonClick("load");
    EXPECT_EQ(Lokal(), QStringList{"LOKAL|0|Eva|0171|"});
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH5"), b);

    u.Dialoge.Dateien = {QString()};
    f->lokalLADEN();
    EXPECT_EQ(u.Dialoge.Dateiwahlen.back().Startdatei, ordner.path());
}

TEST_F(Dateien, LocalSaveAndLoadRoundTripByteForByte)
{
    const QByteArray lokal = "LOKAL\t000\tBob\t0301\t\r\nSIM\t000\tM\xFC\xDFig @ B\xE9ro\t+49*31#\t!\r\n";
    f->LOKALLADEN2(Datei("ein.orx", lokal));
    const QString aus = ordner.filePath("aus.orx");
    u.Dialoge.Dateien = {aus};
    f->Toolbar4_ButtonClick("save");
    EXPECT_EQ(Inhalt(aus), lokal);
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Vorgabename, Sicherung_Vorgabename(true, QDate::currentDate()));
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH7"), aus);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());  // no question of its own

    f->LOKALLADEN2(aus);
    EXPECT_EQ(Lokal(), QStringList({"LOKAL|0|Bob|0301|", "SIM|1|Müßig @ Béro|+49*31#|!"}));
}

TEST_F(Dateien, AUtf8FileIsSavedBackInUtf8WithItsMark)
{
    const QByteArray utf8 = "\xEF\xBB\xBFLOKAL\t000\t\xC5\x81\xC3\xB3" "d\xC5\xBA\t0301\t\r\n";  // "Łódź"
    f->LOKALLADEN2(Datei("utf8.orx", utf8));
    const QString aus = ordner.filePath("aus.orx");
    u.Dialoge.Dateien = {aus};
    f->Toolbar4_ButtonClick("save");
    EXPECT_EQ(Inhalt(aus), utf8);
}

TEST_F(Dateien, WindowsCodePageRoundTripAndWindowsWrittenFile)
{
    f->Lokal_Anfuegen("LOKAL", 7, QStringLiteral("Müller €uro „Zitat“ –"), "0301", "");
    const QString aus = ordner.filePath("ansi.orx");
    u.Dialoge.Dateien = {aus};
    Lokal_Sichern();
    EXPECT_EQ(Inhalt(aus), "LOKAL\t000\tM\xFCller \x80uro \x84Zitat\x93 \x96\t0301\t\r\n");
    f->LOKALLADEN2(aus);
    EXPECT_EQ(Lokal(), QStringList{QStringLiteral("LOKAL|0|Müller €uro „Zitat“ –|0301|")});

    // A name the code page cannot hold makes the file UTF-8 with the mark, never a "?".
    f->Lokal_Anfuegen("LOKAL", 7, QStringLiteral("中"), "0302", "");
    u.Dialoge.Dateien = {aus};
    Lokal_Sichern();
    EXPECT_EQ(Inhalt(aus), "\xEF\xBB\xBF" + QStringLiteral("LOKAL\t000\tMüller €uro „Zitat“ –\t0301\t\r\n"
                                                             "LOKAL\t000\t中\t0302\t\r\n")
                                                  .toUtf8());

    f->LOKALLADEN2(Datei("windows.orx", "SIM\t001\t\x8A\x9A \x91x\x92 \x85\t0301\t!\r\n"));
    EXPECT_EQ(Lokal(), QStringList{QStringLiteral("SIM|1|Šš ‘x’ …|0301|!")});
}

TEST_F(Dateien, NamesWhoseCodePageBytesLookLikeUtf8ReadBackAsSaved)
{
    f->Lokal_Anfuegen("LOKAL", 7, QStringLiteral("Gruß…"), "0301", "");
    f->Lokal_Anfuegen("LOKAL", 7, QStringLiteral("Gruß“"), "0302", "");
    const QString aus = ordner.filePath("neu.orx");
    u.Dialoge.Dateien = {aus};
    Lokal_Sichern();
    f->LOKALLADEN2(aus);
    EXPECT_EQ(Lokal(), (QStringList{QStringLiteral("LOKAL|0|Gruß…|0301|"), QStringLiteral("LOKAL|0|Gruß“|0302|")}));
}

TEST_F(Dateien, LocalSaveWritesZeroIndexes)
{
    f->Lokal_Anfuegen("LOKAL", 7, "Bob", "0301", "");
    const QString aus = ordner.filePath("l.orx");
    u.Dialoge.Dateien = {aus};
    Lokal_Sichern();
    EXPECT_EQ(Inhalt(aus), "LOKAL\t000\tBob\t0301\t\r\n");
    f->LOKALLADEN2(aus);
    EXPECT_EQ(Lokal(), QStringList{"LOKAL|0|Bob|0301|"});  // no icon once loaded
}

TEST_F(Dateien, BackupOfThePhoneList)
{
    Telefonzeile({"SIM", "001", "Müller", "+49171", "!"});
    Telefonzeile({"TELEFON", "012", "Ab\tc", "0", ""});
    const QString aus = ordner.filePath("s.orx");
    u.Dialoge.Dateien = {aus};
    f->Toolbar1_ButtonClick("save");
    EXPECT_EQ(Inhalt(aus), "SIM\t001\tM\xFCller\t+49171\t!\r\nTELEFON\t012\tAb c\t0\t\r\n");
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Vorgabename,
              "Sicherung vom " + QDate::currentDate().toString("dd.MM.yyyy") + ".orx");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Filter, "*.orx (*.orx)");
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH6"), aus);

    // Loaded into the local list the index goes.
    f->LOKALLADEN2(aus);
    EXPECT_EQ(Lokal(), QStringList({"SIM|1|Müller|+49171|!", "TELEFON|4|Ab c|0|"}));
}

TEST_F(Dateien, BackupAsksBeforeReplacingAndNoShowsTheDialogAgain)
{
    Telefonzeile({"SIM", "001", "A", "1", ""});
    const QString alt = Datei("alt.orx", "alt\r\n");
    u.Dialoge.Dateien = {alt, alt};
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein, Dialoge::Antwort::Ja};
    Telefonbuch_Sichern();
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 2u);
    const auto& frage = u.Dialoge.Meldungen[0];
    EXPECT_EQ(frage.text, "Diese Datei existiert bereits, möchten Sie sie ersetzen?");
    EXPECT_EQ(frage.titel, "Überschreiben?");
    EXPECT_EQ(frage.tasten, Dialoge::Tasten::JaNein);
    EXPECT_EQ(frage.symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(frage.standard, Dialoge::Antwort::Nein);
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 2u);
    // Again with the dated name, starting where the last choice was.
    EXPECT_EQ(u.Dialoge.Dateiwahlen[1].Vorgabename, u.Dialoge.Dateiwahlen[0].Vorgabename);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[1].Startdatei, ordner.path());
    EXPECT_EQ(Inhalt(alt), "SIM\t001\tA\t1\t\r\n");

    // No, then cancelled: the old file stays.
    Datei("alt.orx", "alt\r\n");
    u.Dialoge.Dateien = {alt};
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Telefonbuch_Sichern();
    EXPECT_EQ(Inhalt(alt), "alt\r\n");
}

TEST_F(Dateien, ShortFileNamesAreWrittenWithoutTheQuestion)
{
    Telefonzeile({"SIM", "001", "A", "1", ""});
    const QString kurz = Datei("ab", "alt\r\n");
    u.Dialoge.Dateien = {kurz};
    Telefonbuch_Sichern();
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(Inhalt(kurz), "SIM\t001\tA\t1\t\r\n");
}

TEST_F(Dateien, EmptyListsAreSilentAndFailedSavesAreTold)
{
    Telefonbuch_Sichern();
    f->Toolbar4_ButtonClick("save");
    EXPECT_TRUE(u.Dialoge.Dateiwahlen.empty());
    EXPECT_TRUE(QDir(ordner.path()).isEmpty());

    f->Lokal_Anfuegen("LOKAL", 7, "Bob", "0301", "");
    Telefonzeile({"SIM", "001", "A", "1", ""});
    u.Dialoge.Dateien = {ordner.filePath("fehlt/x.orx"), ordner.filePath("fehlt/y.orx")};
    EXPECT_FALSE(Lokal_Sichern());
    Telefonbuch_Sichern();
    const QString fehler = QStringLiteral("Die Datei konnte nicht geschrieben werden!");
    ASSERT_EQ(u.Dialoge.Texte(), QStringList({fehler, fehler}));
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_TRUE(QDir(ordner.path()).isEmpty());
}

TEST_F(Dateien, AFailedSaveRemembersNoFile)
{
    Einstellungen::Speichern("Config", "PATH6", "/alt/a.orx");
    Einstellungen::Speichern("Config", "PATH7", "/alt/b.orx");
    f->Lokal_Anfuegen("LOKAL", 7, "Bob", "0301", "");
    Telefonzeile({"SIM", "001", "A", "1", ""});
    u.Dialoge.Dateien = {ordner.filePath("fehlt/x.orx"), ordner.filePath("fehlt/y.orx")};
    EXPECT_FALSE(Lokal_Sichern());
    Telefonbuch_Sichern();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u);
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH6"), "/alt/a.orx");
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH7"), "/alt/b.orx");
}

}  // namespace
