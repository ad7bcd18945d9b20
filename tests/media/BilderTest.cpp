// The pictures window: the logo's way to and from the simulated phone and to the editor, the
// picture files with their thumbnails, and saving the logo.
#include "MedienHilfen.h"

#include "media/BildEditor.h"
#include "media/Bildbox.h"
#include "media/Bmp.h"
#include "media/Dateilisten.h"

#include <QAction>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace medien_test;

namespace {

class Bilder : public ::testing::Test, protected MedienSim {
protected:
    explicit Bilder(const std::string& modell = "S35") : MedienSim(modell) {}

    void SetUp() override
    {
        ordner = QDir(temp.path()).filePath("bilder");
        QDir().mkpath(ordner);
        QFile::remove(Form14::Temp_Bmp());
        f = Form14::Instanz();
        Vergessen();
    }

    void Klicken(const char* schluessel) { f->Toolbar1_ButtonClick(QLatin1String(schluessel)); }

    // Puts the file into the picture folder, shows the folder and takes the file over.
    void Uebernehmen(const QString& name, const QByteArray& inhalt)
    {
        Datei_Anlegen(QDir(ordner).filePath(name), inhalt);
        f->Dir1->Path_Setzen(ordner);
        f->File1->Refresh();
        const auto treffer = f->File1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(treffer.size(), 1);
        f->File1->setCurrentItem(treffer.first());
        f->Command22->click();
    }

    QStringList Tipps() const
    {
        QStringList t;
        for (Bildbox* b : f->Picture3)
            t << (b->Picture().Leer() ? QString() : QFileInfo(b->toolTip()).fileName());
        return t;
    }

    QTemporaryDir temp;
    QString ordner;
    Form14* f = nullptr;
};

// ---- Logo transfer ------------------------------------------------------------------------

TEST_F(Bilder, ToolbarHasItsFiveButtonsInOrder)
{
    QStringList schluessel, texte;
    for (QAction* a : f->Toolbar1->actions()) {
        schluessel << a->objectName();
        texte << a->text();
    }
    EXPECT_EQ(schluessel, QStringList({"schreiben", "auslesen", "loeschen", "speichern", "bearbeiten"}));
    EXPECT_EQ(texte, QStringList({"Schreiben ", "Auslesen ", "Löschen ", "Speichern ", "Bearbeiten "}));
    EXPECT_EQ(f->Knopf("speichern")->toolTip(), "Speichert die oben gezeigte Grafik auf der Festplatte");
}

TEST_F(Bilder, UploadSendsTheFilesBytesInBlocksOf176)
{
    const QByteArray logo = Weisses_Logo();
    Uebernehmen("logo.bmp", logo);
    ASSERT_EQ(f->Picture2->Picture().Pixel.size(), QSize(105, 47));
    f->Knopf("schreiben")->trigger();
    EXPECT_EQ(Empfangen(), Hochladung("bmp", logo));
    EXPECT_TRUE(Empfangen().startsWith("AT^SBNW=bmp,0,1,5\r\n424D2E03"));
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), logo);  // no byte added
    EXPECT_EQ(Objekt("bmp"), logo);
    EXPECT_EQ(anzeige.Status, QStringList({"Schreibe Bitmap...", "Fertig."}));
    EXPECT_EQ(anzeige.Maximum, 5);
    EXPECT_EQ(anzeige.Werte, (std::vector<int>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Bilder, UploadArrivesByteExactOverALineOf19200Baud)
{
    u.Handy->Baudrate_Setzen(19200);
    const QByteArray logo = Weisses_Logo();
    Uebernehmen("logo.bmp", logo);
    f->Knopf("schreiben")->trigger();
    EXPECT_EQ(Empfangen(), Hochladung("bmp", logo));
    EXPECT_EQ(Objekt("bmp"), logo);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Bilder, FiveThousandBytesAreSentOneMoreIsRefused)
{
    const QByteArray voll = Weisses_Logo() + QByteArray(5000 - 814, '\0');
    Uebernehmen("voll.bmp", voll);
    Klicken("schreiben");
    EXPECT_EQ(Empfangen(), Hochladung("bmp", voll));
    EXPECT_TRUE(Empfangen().contains("AT^SBNW=bmp,0,29,29\r\n"));

    Vergessen();
    Uebernehmen("gross.bmp", voll + '\0');
    Klicken("schreiben");
    EXPECT_EQ(Empfangen(), "");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Diese Datei ist zu groß! "});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    EXPECT_TRUE(anzeige.Status.isEmpty());
}

TEST_F(Bilder, MissingPromptKeepsTheProgressOfTheLastBlockTaken)
{
    Uebernehmen("logo.bmp", Weisses_Logo());
    u.Handy->Schweigen_Bei("AT^SBNW=bmp,0,2");
    Klicken("schreiben");
    ASSERT_TRUE(u.Handy->Warten_Auf_Empfang("\x1b", 3000));  // the lost prompt is cancelled
    EXPECT_TRUE(Empfangen().endsWith("AT^SBNW=bmp,0,2,5\r\n\x1b"));
    EXPECT_EQ(anzeige.Wert(), 1);
    EXPECT_EQ(anzeige.Status, QStringList{"Schreibe Bitmap..."});
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

TEST_F(Bilder, EmptyBoxSendsNothingEvenWithAnOldTempFile)
{
    Datei_Anlegen(Form14::Temp_Bmp(), Weisses_Logo());
    Klicken("schreiben");
    Klicken("speichern");
    Klicken("bearbeiten");
    EXPECT_EQ(Empfangen(), "");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(u.Dialoge.Dateiwahlen.empty());
    EXPECT_FALSE(Form22::Geladen());
}

TEST_F(Bilder, ATempFileThatCannotBeWrittenSendsNothingAndSaysSoOnce)
{
    Uebernehmen("logo.bmp", Weisses_Logo());
    ASSERT_TRUE(QDir().mkpath(Form14::Temp_Bmp()));  // a folder in the file's place
    Klicken("schreiben");
    EXPECT_EQ(Empfangen(), "");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    Klicken("bearbeiten");
    QDir().rmdir(Form14::Temp_Bmp());
    EXPECT_FALSE(Form22::Geladen());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList(2, "Die Datei konnte nicht geschrieben werden!"));
}

TEST_F(Bilder, DownloadWritesTempBmpAndShowsThePicture)
{
    const QByteArray logo = Weisses_Logo();
    Objekt_Setzen("bmp", logo);
    f->Knopf("auslesen")->trigger();
    EXPECT_EQ(Empfangen(), "AT^SBNR=bmp,0\r\n");
    EXPECT_EQ(Module1::Link().Text1, Leseantwort("bmp", {logo.mid(0, 176), logo.mid(176, 176), logo.mid(352, 176),
                                                         logo.mid(528, 176), logo.mid(704)}));
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), logo);
    EXPECT_EQ(f->Picture2->Picture().Pixel.size(), QSize(105, 47));
    EXPECT_EQ(f->Picture2->Picture().Datei, logo);
    EXPECT_EQ(anzeige.Status, QStringList({"Lese Bitmap vom Handy...", "Fertig."}));
    EXPECT_EQ(anzeige.Wert(), 0);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());

    // The alias does the same.
    QFile::remove(Form14::Temp_Bmp());
    f->Bitmap_Auslesen();
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), logo);
}

TEST_F(Bilder, ARingRightAfterTheReplyLeavesTheLogoWhole)
{
    const QByteArray logo = Weisses_Logo();
    Objekt_Setzen("bmp", logo);
    u.Handy->Nachsatz_Bei("AT^SBNR=bmp", "\r\nRING\r\n", 1);
    Klicken("auslesen");
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), logo);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Bilder, ADownloadThatCannotBeWrittenSaysSo)
{
    Uebernehmen("logo.bmp", Weisses_Logo());
    ASSERT_TRUE(QDir().mkpath(Form14::Temp_Bmp()));  // a folder in the file's place
    Objekt_Setzen("bmp", QByteArray(200, 'x'));
    Klicken("auslesen");
    QDir().rmdir(Form14::Temp_Bmp());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    EXPECT_EQ(f->Picture2->Picture().Datei, Weisses_Logo());
}

TEST_F(Bilder, ReplyOfFortyNineCharactersIsNoLogoFiftyAreDecoded)
{
    // The reply is 42 characters and two per byte.
    Uebernehmen("logo.bmp", Weisses_Logo());
    Datei_Anlegen(Form14::Temp_Bmp(), "stale");
    Objekt_Setzen("bmp", QByteArray::fromHex("0A0BFF"));  // 48 characters
    Klicken("auslesen");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Keine Bitmap gefunden!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    EXPECT_EQ(anzeige.Status, QStringList({"Lese Bitmap vom Handy...", "Fertig."}));
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), "stale");
    EXPECT_EQ(f->Picture2->Picture().Datei, Weisses_Logo());

    Objekt_Setzen("bmp", QByteArray::fromHex("0A0BFF00"));  // 50 characters: no picture, but bytes
    Klicken("auslesen");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), QByteArray::fromHex("0A0BFF00"));
    EXPECT_EQ(f->Picture2->Picture().Datei, Weisses_Logo());
    EXPECT_EQ(anzeige.Letzter_Status(), "Fertig.");
}

TEST_F(Bilder, RepliesWithoutWholeBytesAreNoLogo)
{
    Datei_Anlegen(Form14::Temp_Bmp(), "stale");
    const std::string kopf = "\r\n^SBNR: \"bmp\",0,1,1\r\n";
    for (const std::string& daten : {std::string("ABC") + std::string(60, '0'), std::string("4D5G") + std::string(60, '0')}) {
        u.Handy->Antwort_Setzen("AT^SBNR=bmp", kopf + daten + "\r\n\r\nOK\r\n", 1);
        Klicken("auslesen");
    }
    u.Handy->Antwort_Setzen("AT^SBNR=bmp", sim::Ok(), 1);  // an empty slot
    Klicken("auslesen");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList(3, "Keine Bitmap gefunden!"));
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), "stale");
}

TEST_F(Bilder, AHeaderThatCannotBeCutEndsTheData)
{
    const std::string antwort = "\r\n^SBNR: \"bmp\",0,1,2\r\n" + std::string(60, 'F') + "\r\n^SBNR:" +
                                std::string(40, 'X') + "\r\nOK\r\n";
    u.Handy->Antwort_Setzen("AT^SBNR=bmp", antwort, 1);
    Klicken("auslesen");
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), QByteArray(30, char(0xFF)));
    EXPECT_EQ(anzeige.Letzter_Status(), "Fertig.");
}

TEST_F(Bilder, DeleteAsksWithItsOwnTitle)
{
    Objekt_Setzen("bmp", Weisses_Logo());
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Klicken("loeschen");
    EXPECT_EQ(Empfangen(), "");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Bitmap wirklich löschen?");
    EXPECT_EQ(u.Dialoge.Meldungen[0].titel, "LÖSCHEN");
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Frage);
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);

    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Klicken("loeschen");
    EXPECT_EQ(Empfangen(), "AT^SBNW=bmp,0,0\r\n");
    EXPECT_TRUE(Objekt("bmp").isEmpty());
    EXPECT_EQ(anzeige.Status, QStringList({"Lösche Bitmap im Handy...", "Fertig."}));

    Vergessen();
    Module1::LoeschenRueckfrage = false;
    Klicken("loeschen");
    EXPECT_EQ(Empfangen(), "AT^SBNW=bmp,0,0\r\n");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u);
}

TEST_F(Bilder, OtherKeysDoNothing)
{
    Uebernehmen("logo.bmp", Weisses_Logo());
    for (const char* k : {"Schreiben", "xyz", ""})
        Klicken(k);
    EXPECT_EQ(Empfangen(), "");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Bilder, EditHandsThePictureToTheEditor)
{
    QImage bild = Einfarbig(105, 47, qRgb(255, 255, 255));
    bild.setPixel(3, 4, qRgb(0, 0, 0));
    Uebernehmen("punkt.bmp", Bmp_Schreiben(bild));
    Klicken("bearbeiten");
    ASSERT_TRUE(Form22::Geladen());
    EXPECT_EQ(Datei_Lesen(Form14::Temp_Bmp()), Bmp_Schreiben(bild));
    EXPECT_EQ(Form22::Instanz()->BMP->Pixelbild(), bild);
    EXPECT_EQ(Form22::Instanz()->BMP->Festschreiben(), 1);
}

// ---- Files, thumbnails, saving ------------------------------------------------------------

TEST_F(Bilder, ThumbnailsShowBmpAndJpgFilesOnly)
{
    ASSERT_TRUE(Einfarbig(10, 10, qRgb(255, 0, 0)).save(QDir(ordner).filePath("B.JPG"), "JPG"));
    Datei_Anlegen(QDir(ordner).filePath("a.bmp"), Weisses_Logo());
    Datei_Anlegen(QDir(ordner).filePath("c.jpeg"), Datei_Lesen(QDir(ordner).filePath("B.JPG")));
    Datei_Anlegen(QDir(ordner).filePath("d.txt"), "text");
    f->Dir1->Path_Setzen(ordner);
    EXPECT_EQ(f->File1->Eintraege(), QStringList({"a.bmp", "B.JPG", "c.jpeg"}));
    EXPECT_EQ(Tipps(), QStringList({"a.bmp", "B.JPG", "", "", "", "", "", ""}));
    EXPECT_EQ(f->Picture3[0]->toolTip(), ordner + "/a.bmp");
    EXPECT_EQ(f->VScroll4->minimum(), 1);
    EXPECT_EQ(f->VScroll4->maximum(), 2);
    EXPECT_EQ(f->Bildordner(), ordner + "/");
    EXPECT_EQ(Einstellungen::Lesen("Settings", "PATHforBMPs"), ordner);
    EXPECT_EQ(Einstellungen::Lesen("Config", "BMPS_PATH"), ordner);

    // A thumbnail click takes its picture over.
    f->Picture3[1]->Klick();
    EXPECT_EQ(f->Picture2->Picture().Pixel.size(), QSize(10, 10));

    // ".jpeg" is listed but refused.
    f->File1->setCurrentRow(2);
    f->Command22->click();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Kein gültiger Dateityp!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(f->Picture2->Picture().Pixel.size(), QSize(10, 10));

    // An empty thumbnail empties the box.
    f->Picture3[5]->Doppelklick();
    EXPECT_TRUE(f->Picture2->Picture().Leer());

    // A folder without thumbnail files empties the thumbnails and keeps the scroll bar.
    const QString leer = QDir(temp.path()).filePath("leer");
    QDir().mkpath(leer);
    f->Dir1->Path_Setzen(leer);
    EXPECT_EQ(Tipps(), QStringList(8, QString()));
    EXPECT_EQ(f->VScroll4->maximum(), 2);
}

TEST(Vorschaubelegung, EightFilesFromThePosition)
{
    QStringList namen;
    for (int i = 1; i <= 20; ++i)
        namen << QStringLiteral("f%1.bmp").arg(i, 2, 10, QLatin1Char('0'));
    const auto bei = [&](int p) {
        const std::array<QString, 8> b = Form14::Vorschau_Belegung(namen, p);
        return QStringList(b.begin(), b.end());
    };
    EXPECT_EQ(bei(1), namen.mid(0, 8));
    EXPECT_EQ(bei(13), namen.mid(12, 8));
    EXPECT_EQ(bei(20), QStringList({"f20.bmp", "", "", "", "", "", "", ""}));
    EXPECT_EQ(Form14::Vorschaudateien({"a.BMP", "b.Jpg", "c.jpeg", "d.bmpx", "e.gif"}), QStringList({"a.BMP", "b.Jpg"}));
}

TEST_F(Bilder, ScrollingRefillsTheThumbnails)
{
    for (int i = 1; i <= 20; ++i)
        Datei_Anlegen(QDir(ordner).filePath(QStringLiteral("f%1.bmp").arg(i, 2, 10, QLatin1Char('0'))), Weisses_Logo());
    f->Dir1->Path_Setzen(ordner);
    EXPECT_EQ(f->VScroll4->maximum(), 20);
    f->VScroll4->setValue(13);
    EXPECT_EQ(Tipps(), QStringList({"f13.bmp", "f14.bmp", "f15.bmp", "f16.bmp", "f17.bmp", "f18.bmp", "f19.bmp", "f20.bmp"}));
    f->VScroll4->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Tipps(), QStringList({"f20.bmp", "", "", "", "", "", "", ""}));
}

TEST_F(Bilder, SaveWritesTheLogoAndRemembersTheFile)
{
    Uebernehmen("logo.bmp", Weisses_Logo());
    const QString ziel = QDir(temp.path()).filePath("out.bmp");
    u.Dialoge.Dateien = {ziel};
    Klicken("speichern");
    EXPECT_EQ(Datei_Lesen(ziel), Weisses_Logo());
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH2"), ziel);
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Titel, "Bitmap auf Festplatte speichern");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Filter, "Bitmap (*.bmp)");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Vorgabename, "S25.bmp");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Startdatei, Programmordner());

    // The next dialog starts in the folder of the file saved last; cancelling saves nothing.
    Klicken("speichern");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[1].Startdatei, temp.path());
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH2"), ziel);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());

    // A file that cannot be written is told.
    u.Dialoge.Dateien = {QDir(temp.path()).filePath("fehlt/out.bmp")};
    Klicken("speichern");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Die Datei konnte nicht geschrieben werden!");
}

TEST_F(Bilder, LoadingRestoresTheFolderAndClosingThePlacement)
{
    f->Dir1->Path_Setzen(ordner);
    f->move(20, 30);
    f->close();
    Abarbeiten();
    EXPECT_EQ(Einstellungen::Lesen("Windows", "BMPSX"), "300");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "BMPSY"), "450");
    ASSERT_FALSE(Form14::Geladen());
    EXPECT_EQ(Form14::Instanz()->Dir1->Path(), ordner);
    EXPECT_EQ(Form14::Instanz()->File1->Path(), ordner);
}

TEST_F(Bilder, PictureSizeOfAnX35)
{
    EXPECT_EQ(f->Picture2->contentsRect().size(), QSize(105, 47));
    for (Bildbox* b : f->Picture3)
        EXPECT_EQ(b->contentsRect().size(), QSize(105, 47));
}

class BilderS25 : public Bilder {
protected:
    BilderS25() : Bilder("S25") {}
};

TEST_F(BilderS25, PictureSizeOfAnS25)
{
    EXPECT_EQ(f->Picture2->contentsRect().size(), QSize(101, 30));
    EXPECT_EQ(f->Picture3[7]->contentsRect().size(), QSize(101, 30));
}

}  // namespace
