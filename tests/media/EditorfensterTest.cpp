// The logo editor window: start by model, modes, tools, colours, zoom, files, and the picture's
// way to the phone through the pictures window.
#include "MedienHilfen.h"

#include "media/BildEditor.h"
#include "media/Bildbox.h"
#include "media/Knopfleiste.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace medien_test;

namespace {

class Editorfenster : public ::testing::Test, protected MedienSim {
protected:
    explicit Editorfenster(const std::string& modell = "S35") : MedienSim(modell) {}

    void SetUp() override
    {
        QFile::remove(Programmdatei("temp123456789.bmp"));
        f = Form22::Instanz();
        Vergessen();
    }

    QAction* Knopf(const QWidget* leiste, const char* schluessel) const
    {
        QAction* a = Form22::Knopf(leiste, QLatin1String(schluessel));
        EXPECT_NE(a, nullptr) << schluessel;
        return a;
    }
    // A click on a button as the user makes it: check buttons change before the handler runs.
    void Klicken(const QWidget* leiste, const char* schluessel) { Knopf(leiste, schluessel)->trigger(); }

    bool Farbknoepfe_An(int index) const
    {
        bool an = true;
        for (const char* k : {"white", "green", "red", "blue"})
            an = an && Form22::Knopf(f->Toolbar3[index], QLatin1String(k))->isEnabled();
        return an;
    }

    Form22* f = nullptr;
};

TEST_F(Editorfenster, BlackAndWhiteForAnyPhoneButTheS25)
{
    BildEditor* b = f->BMP;
    EXPECT_FALSE(b->Farbig());
    EXPECT_EQ(b->Pixelbild().size(), QSize(105, 47));
    EXPECT_TRUE(Knopf(f->Toolbar1, "sw")->isChecked());
    EXPECT_FALSE(Knopf(f->Toolbar1, "farbe")->isChecked());
    EXPECT_FALSE(Farbknoepfe_An(0));
    EXPECT_FALSE(Farbknoepfe_An(1));
    EXPECT_EQ(b->LinkeFarbe(), 0u);
    EXPECT_EQ(b->RechteFarbe(), 0xFFFFFFu);
    EXPECT_EQ(b->Zoom(), 4);
    EXPECT_EQ(f->width(), 555);
    EXPECT_EQ(b->Werkzeug(), BildEditor::Auswahl);
    EXPECT_TRUE(Knopf(f->Toolbar2, "auswahl")->isChecked());
    EXPECT_TRUE(b->Raster_Erlaubt());
    EXPECT_EQ(b->Rueckgaengig_Tiefe(), 10);
    EXPECT_EQ(b->Wiederholen_Tiefe(), 10);
    EXPECT_EQ(f->Zoomknopf->text(), "1:4");
}

class EditorfensterS25 : public Editorfenster {
protected:
    EditorfensterS25() : Editorfenster("S25") {}
};

TEST_F(EditorfensterS25, ColourWithBlueLeftAndGreenRight)
{
    BildEditor* b = f->BMP;
    EXPECT_TRUE(b->Farbig());
    EXPECT_EQ(b->Pixelbild().size(), QSize(101, 30));
    EXPECT_TRUE(Knopf(f->Toolbar1, "farbe")->isChecked());
    EXPECT_TRUE(Farbknoepfe_An(0));
    EXPECT_TRUE(Farbknoepfe_An(1));
    EXPECT_TRUE(Knopf(f->Toolbar3[0], "blue")->isChecked());
    EXPECT_EQ(b->LinkeFarbe(), 0xFF0000u);
    EXPECT_EQ(b->RechteFarbe(), 0x00FF00u);
    EXPECT_EQ(b->Werkzeug(), BildEditor::Auswahl);
}

TEST_F(EditorfensterS25, ModeChangeAsksFirst)
{
    f->BMP->Werkzeug_Setzen(BildEditor::Stift);
    f->BMP->Neu_Farbig(0);
    const QImage vorher = f->BMP->Pixelbild();
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Klicken(f->Toolbar1, "sw");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Aktuelle Grafik verwerfen?");
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Ja);
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Frage);
    EXPECT_TRUE(Knopf(f->Toolbar1, "farbe")->isChecked());
    EXPECT_TRUE(f->BMP->Farbig());
    EXPECT_EQ(f->BMP->LinkeFarbe(), 0xFF0000u);

    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Klicken(f->Toolbar1, "sw");
    EXPECT_FALSE(f->BMP->Farbig());
    EXPECT_EQ(f->BMP->Pixelbild().size(), QSize(105, 47));
    EXPECT_FALSE(Farbknoepfe_An(0));
    EXPECT_EQ(f->BMP->LinkeFarbe(), 0u);
    EXPECT_EQ(f->BMP->RechteFarbe(), 0xFFFFFFu);

    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Klicken(f->Toolbar1, "farbe");
    EXPECT_TRUE(f->BMP->Farbig());
    EXPECT_TRUE(Farbknoepfe_An(1));
    EXPECT_EQ(f->BMP->RechteFarbe(), 0x00FF00u);
}

TEST_F(EditorfensterS25, NoToThePressedModeKeepsItPressed)
{
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Klicken(f->Toolbar1, "farbe");
    EXPECT_TRUE(Knopf(f->Toolbar1, "farbe")->isChecked());
    EXPECT_FALSE(Knopf(f->Toolbar1, "sw")->isChecked());
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Klicken(f->Toolbar1, "new");
    EXPECT_TRUE(f->BMP->Farbig());
}

TEST_F(Editorfenster, NewPictureAsksAndKeepsTheMode)
{
    QImage bild = Einfarbig(30, 20, qRgb(0, 0, 0));
    const QString pfad = QDir(Programmordner()).filePath("schwarz.png");
    ASSERT_TRUE(bild.save(pfad));
    ASSERT_TRUE(f->BMP->Datei_Laden(pfad));
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Klicken(f->Toolbar1, "new");
    EXPECT_EQ(f->BMP->Pixelbild().size(), QSize(30, 20));
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Klicken(f->Toolbar1, "new");
    EXPECT_EQ(f->BMP->Pixelbild().size(), QSize(105, 47));
    EXPECT_FALSE(f->BMP->Farbig());
}

TEST_F(Editorfenster, ToolsPenWidthsAndMirrors)
{
    BildEditor* b = f->BMP;
    Klicken(f->Toolbar2, "pinsel");
    EXPECT_EQ(b->Werkzeug(), BildEditor::Stift);
    EXPECT_EQ(b->Stiftbreite(), 4);
    Klicken(f->Toolbar2, "stift");
    EXPECT_EQ(b->Stiftbreite(), 1);
    const std::pair<const char*, int> tabelle[] = {{"raze", 1}, {"fill", 2}, {"line", 3}, {"box", 4}, {"boxfill", 5},
                                                   {"circle", 8}, {"circlefill", 9}, {"auswahl", 10}};
    for (const auto& [k, nummer] : tabelle) {
        Klicken(f->Toolbar2, k);
        EXPECT_EQ(b->Werkzeug(), nummer) << k;
    }
    EXPECT_EQ(b->Auswahlart(), 1);

    b->Werkzeug_Setzen(BildEditor::Linie);
    QImage bild = b->Pixelbild();
    bild.setPixel(0, 0, qRgb(0, 0, 0));
    ASSERT_TRUE(bild.save(Programmdatei("punkt.png")));
    ASSERT_TRUE(b->Datei_Laden(Programmdatei("punkt.png")));
    Klicken(f->Toolbar2, "hor");
    Klicken(f->Toolbar2, "ver");
    EXPECT_EQ(b->Pixelbild().pixel(104, 46), qRgb(0, 0, 0));
    EXPECT_EQ(b->Werkzeug(), BildEditor::Linie);
}

TEST_F(EditorfensterS25, ColourButtonsSetTheMouseColours)
{
    Klicken(f->Toolbar3[1], "red");
    EXPECT_EQ(f->BMP->RechteFarbe(), 0x0000FFu);
    Klicken(f->Toolbar3[0], "white");
    EXPECT_EQ(f->BMP->LinkeFarbe(), 0xFFFFFFu);
    Klicken(f->Toolbar3[0], "green");
    EXPECT_EQ(f->BMP->LinkeFarbe(), 0x00FF00u);
    EXPECT_EQ(f->BMP->RechteFarbe(), 0x0000FFu);
    EXPECT_EQ(Knopf(f->Toolbar3[0], "white")->toolTip(), "weiss");
    EXPECT_EQ(Knopf(f->Toolbar3[1], "white")->toolTip(), "weis");
}

TEST_F(Editorfenster, ZoomMenuSetsZoomWidthAndCaption)
{
    const std::pair<const char*, int> breiten[] = {{"z6", 758}, {"z2", 447}, {"z3", 450}, {"z5", 656}, {"z4", 555}};
    for (const auto& [k, breite] : breiten) {
        f->Zoomknopf->menu()->findChild<QAction*>(QLatin1String(k))->trigger();
        EXPECT_EQ(f->width(), breite) << k;
        EXPECT_EQ(f->BMP->Zoom(), QString(QLatin1String(k)).mid(1).toInt());
        EXPECT_EQ(f->Zoomknopf->text(), "1:" + QString(QLatin1String(k)).mid(1));
    }
}

TEST_F(Editorfenster, UndoAndRedoThroughTheToolbar)
{
    f->BMP->Vertikal_Spiegeln();  // one step on a white picture
    EXPECT_EQ(f->BMP->Stufen(), 2);
    Klicken(f->Toolbar1, "undo");
    EXPECT_EQ(f->BMP->Stufen(), 1);
    Klicken(f->Toolbar1, "redo");
    EXPECT_EQ(f->BMP->Stufen(), 2);
}

TEST_F(Editorfenster, OpenAndSaveRememberTheirFiles)
{
    f->BMP->Werkzeug_Setzen(BildEditor::Fuellen);
    Klicken(f->Toolbar1, "open");  // cancelled
    EXPECT_EQ(f->BMP->Werkzeug(), BildEditor::Fuellen);
    EXPECT_TRUE(Einstellungen::Lesen("Config", "PATH3").isNull());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Filter, "*.bmp (*.bmp);;*.jpg (*.jpg);;*.gif (*.gif)");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Startdatei, Programmordner());

    QImage bild = Einfarbig(40, 12, qRgb(255, 255, 255));
    bild.setPixel(5, 5, qRgb(0, 0, 0));
    const QString quelle = Programmdatei("quelle.bmp");
    ASSERT_TRUE(bild.save(quelle));
    u.Dialoge.Dateien = {quelle};
    Klicken(f->Toolbar1, "open");
    EXPECT_EQ(f->BMP->Pixelbild(), bild);
    EXPECT_EQ(f->BMP->Werkzeug(), BildEditor::Fuellen);
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH3"), quelle);

    const QString ziel = Programmdatei("ziel.bmp");
    u.Dialoge.Dateien = {ziel};
    Klicken(f->Toolbar1, "save");
    EXPECT_EQ(QImage(ziel).convertToFormat(QImage::Format_RGB32), bild);
    EXPECT_EQ(Datei_Lesen(ziel).size(), 62 + 8 * 12);  // one bit per pixel
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH4"), ziel);
    EXPECT_TRUE(u.Dialoge.Dateiwahlen[2].Titel.isEmpty());
    EXPECT_TRUE(u.Dialoge.Dateiwahlen[2].Filter.isEmpty());
}

TEST_F(Editorfenster, ToThePhoneThroughThePicturesWindow)
{
    Klicken(f->Toolbar1, "tohandy");
    EXPECT_EQ(Datei_Lesen(Programmdatei("temp123456789.bmp")), Weisses_Logo());
    ASSERT_TRUE(Form14::Geladen());
    EXPECT_TRUE(Form14::Instanz()->isVisible());
    EXPECT_EQ(Form14::Instanz()->Picture2->Picture().Datei, Weisses_Logo());
    EXPECT_EQ(Empfangen(), Hochladung("bmp", Weisses_Logo()));
    EXPECT_EQ(Objekt("bmp"), Weisses_Logo());
    EXPECT_EQ(anzeige.Letzter_Status(), "Fertig.");
}

TEST_F(Editorfenster, NothingGoesToThePhoneWhenTheHandOverFileCannotBeWritten)
{
    QDir().mkpath(Programmdatei("temp123456789.bmp"));  // a folder in its place
    Klicken(f->Toolbar1, "tohandy");
    QDir().rmdir(Programmdatei("temp123456789.bmp"));
    EXPECT_EQ(Empfangen(), "");
    EXPECT_FALSE(Form14::Geladen());
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Die Datei konnte nicht geschrieben werden!");

    // A save the user asked for says the same.
    u.Dialoge.Dateien = {Programmdatei("fehlt/ziel.bmp")};
    Klicken(f->Toolbar1, "save");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 2u);
    EXPECT_EQ(u.Dialoge.Meldungen[1].text, "Die Datei konnte nicht geschrieben werden!");
}

TEST_F(Editorfenster, NothingGoesToThePhoneWhenThePicturesTempFileCannotBeWritten)
{
    QFile::remove(Form14::Temp_Bmp());
    ASSERT_TRUE(QDir().mkpath(Form14::Temp_Bmp()));  // a folder in its place
    Klicken(f->Toolbar1, "tohandy");
    QDir().rmdir(Form14::Temp_Bmp());
    EXPECT_EQ(Empfangen(), "");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
}

TEST_F(Editorfenster, ClosingSavesThePlacement)
{
    f->move(60, 90);
    f->close();
    Abarbeiten();
    EXPECT_FALSE(Form22::Geladen());
    EXPECT_EQ(Einstellungen::Lesen("Windows", "BMPEDITX"), "900");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "BMPEDITY"), "1350");
}

}  // namespace
