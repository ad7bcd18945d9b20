// The pixel canvas of the logo editor: the mouse tools, selection and clipboard, undo and redo,
// mirroring, and the files it reads and writes.
#include "MedienHilfen.h"

#include "media/BildEditor.h"
#include "media/Bmp.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <gtest/gtest.h>

using namespace medien_test;

namespace {

constexpr QRgb S = 0xFF000000;  // black
constexpr QRgb W = 0xFFFFFFFF;  // white

class Zeichenflaeche : public ::testing::Test {
protected:
    void SetUp() override
    {
        e.resize(600, 400);
        e.Neu_SchwarzWeiss(58521);
        e.LinkeFarbe_Setzen(0x000000);
        e.RechteFarbe_Setzen(0xFFFFFF);
        e.Werkzeug_Setzen(BildEditor::Stift);
    }

    void Maus(QEvent::Type art, QPoint pixel, Qt::MouseButton taste)
    {
        const QPointF p(pixel.x() * e.Zoom() + 1, pixel.y() * e.Zoom() + 1);
        QMouseEvent ereignis(art, p, e.mapToGlobal(p), taste,
                             art == QEvent::MouseButtonRelease ? Qt::NoButton : taste, Qt::NoModifier);
        QApplication::sendEvent(&e, &ereignis);
    }
    void Ziehen(QPoint von, QPoint bis, Qt::MouseButton taste = Qt::LeftButton)
    {
        Maus(QEvent::MouseButtonPress, von, taste);
        if (bis != von)
            Maus(QEvent::MouseMove, bis, taste);
        Maus(QEvent::MouseButtonRelease, bis, taste);
    }
    void Klick(QPoint p, Qt::MouseButton taste = Qt::LeftButton) { Ziehen(p, p, taste); }

    // The black pixels of the picture, row by row.
    QList<QPoint> Schwarze(const QImage& bild) const
    {
        QList<QPoint> punkte;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                if (bild.pixel(x, y) == S)
                    punkte << QPoint(x, y);
        return punkte;
    }
    QList<QPoint> Schwarze() const { return Schwarze(e.Pixelbild()); }

    BildEditor e;
};

TEST_F(Zeichenflaeche, NewPicturesAreWhiteInTheLogoSizes)
{
    EXPECT_EQ(e.Pixelbild().size(), QSize(105, 47));
    EXPECT_FALSE(e.Farbig());
    EXPECT_TRUE(Schwarze().isEmpty());
    e.Neu_Farbig(58521);
    EXPECT_EQ(e.Pixelbild().size(), QSize(101, 30));
    EXPECT_TRUE(e.Farbig());
    EXPECT_EQ(e.Pixelbild().pixel(50, 20), W);
    EXPECT_EQ(e.Stufen(), 1);
}

TEST_F(Zeichenflaeche, PenClickUndoAndRedo)
{
    Klick({0, 0});
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(0, 0)});
    EXPECT_EQ(e.Stufen(), 2);
    e.Rueckgaengig(1);
    EXPECT_TRUE(Schwarze().isEmpty());
    EXPECT_EQ(e.Stufen(), 1);
    e.Wiederholen(1);
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(0, 0)});
    EXPECT_EQ(e.Stufen(), 2);
}

TEST_F(Zeichenflaeche, RightButtonDrawsInTheRightColour)
{
    e.Neu_Farbig(58521);
    e.LinkeFarbe_Setzen(0xFF0000);   // blue
    e.RechteFarbe_Setzen(0x00FF00);  // green
    Klick({2, 3}, Qt::LeftButton);
    Klick({4, 3}, Qt::RightButton);
    EXPECT_EQ(e.Pixelbild().pixel(2, 3), qRgb(0, 0, 255));
    EXPECT_EQ(e.Pixelbild().pixel(4, 3), qRgb(0, 255, 0));
}

TEST_F(Zeichenflaeche, ADragIsOneStrokeAndOneStep)
{
    Maus(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton);
    Maus(QEvent::MouseMove, {5, 0}, Qt::LeftButton);
    Maus(QEvent::MouseMove, {5, 2}, Qt::LeftButton);
    Maus(QEvent::MouseButtonRelease, {5, 2}, Qt::LeftButton);
    EXPECT_EQ(Schwarze(), QList<QPoint>({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {5, 1}, {5, 2}}));
    EXPECT_EQ(e.Stufen(), 2);
}

TEST_F(Zeichenflaeche, BrushIsFourPixelsSquareAndTheEraserWhite)
{
    e.Stiftbreite_Setzen(4);
    Klick({10, 10});
    const QList<QPoint> fleck = Schwarze();
    EXPECT_EQ(fleck.size(), 16);
    EXPECT_EQ(fleck.first(), QPoint(8, 8));
    EXPECT_EQ(fleck.last(), QPoint(11, 11));
    e.Stiftbreite_Setzen(1);
    e.Werkzeug_Setzen(BildEditor::Radierer);
    Klick({9, 9});
    EXPECT_EQ(Schwarze().size(), 15);
    EXPECT_EQ(e.Pixelbild().pixel(9, 9), W);
}

TEST_F(Zeichenflaeche, LinesBoxesAndEllipsesFromPressToRelease)
{
    e.Werkzeug_Setzen(BildEditor::Linie);
    Ziehen({4, 2}, {0, 0});
    const QList<QPoint> linie = Schwarze();
    ASSERT_EQ(linie.size(), 5);  // one pixel in each column, from end to end
    for (int x = 0; x <= 4; ++x)
        EXPECT_EQ(std::count_if(linie.begin(), linie.end(), [x](const QPoint& p) { return p.x() == x; }), 1) << x;
    EXPECT_TRUE(linie.contains(QPoint(0, 0)));
    EXPECT_TRUE(linie.contains(QPoint(2, 1)));
    EXPECT_TRUE(linie.contains(QPoint(4, 2)));

    e.Neu_SchwarzWeiss(0);
    e.Werkzeug_Setzen(BildEditor::Box);
    // The preview while dragging does not stay behind.
    Maus(QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton);
    Maus(QEvent::MouseMove, {8, 8}, Qt::LeftButton);
    Maus(QEvent::MouseMove, {4, 3}, Qt::LeftButton);
    Maus(QEvent::MouseButtonRelease, {4, 3}, Qt::LeftButton);
    EXPECT_EQ(Schwarze(), QList<QPoint>({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {1, 2}, {4, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}));

    e.Neu_SchwarzWeiss(0);
    e.Werkzeug_Setzen(BildEditor::BoxGefuellt);
    Ziehen({4, 3}, {1, 1});  // dragged up and left
    EXPECT_EQ(Schwarze().size(), 12);
    EXPECT_TRUE(Schwarze().contains(QPoint(1, 1)));
    EXPECT_TRUE(Schwarze().contains(QPoint(4, 3)));

    e.Neu_SchwarzWeiss(0);
    e.Werkzeug_Setzen(BildEditor::EllipseGefuellt);
    Ziehen({10, 10}, {20, 16});
    const QList<QPoint> ellipse = Schwarze();
    EXPECT_TRUE(ellipse.contains(QPoint(15, 13)));
    EXPECT_FALSE(ellipse.contains(QPoint(10, 10)));  // the corners stay out
    for (const QPoint& p : ellipse)
        EXPECT_TRUE(QRect(QPoint(10, 10), QPoint(20, 16)).contains(p)) << p.x() << "," << p.y();

    e.Neu_SchwarzWeiss(0);
    e.Werkzeug_Setzen(BildEditor::Ellipse);
    Ziehen({10, 10}, {20, 16});
    EXPECT_FALSE(Schwarze().contains(QPoint(15, 13)));  // hollow
    EXPECT_FALSE(Schwarze().isEmpty());
}

TEST_F(Zeichenflaeche, AClickWithAShapeToolDrawsThePixel)
{
    for (int werkzeug : {BildEditor::Box, BildEditor::BoxGefuellt, BildEditor::Ellipse, BildEditor::EllipseGefuellt}) {
        e.Neu_SchwarzWeiss(0);
        e.Werkzeug_Setzen(werkzeug);
        Klick({7, 5});
        EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(7, 5)}) << werkzeug;
        Ziehen({2, 1}, {2, 3});  // one pixel wide
        EXPECT_EQ(Schwarze(), QList<QPoint>({{2, 1}, {2, 2}, {2, 3}, {7, 5}})) << werkzeug;
    }
}

TEST_F(Zeichenflaeche, OnlyTheButtonThatBeganAStrokeEndsIt)
{
    Maus(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton);
    Maus(QEvent::MouseButtonPress, {0, 0}, Qt::RightButton);
    Maus(QEvent::MouseButtonRelease, {0, 0}, Qt::RightButton);
    Maus(QEvent::MouseMove, {3, 0}, Qt::LeftButton);
    Maus(QEvent::MouseButtonRelease, {3, 0}, Qt::LeftButton);
    EXPECT_EQ(Schwarze(), QList<QPoint>({{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(e.Stufen(), 2);
}

TEST_F(Zeichenflaeche, FillStopsAtOtherColours)
{
    e.Werkzeug_Setzen(BildEditor::Box);
    Ziehen({0, 0}, {4, 4});
    e.Werkzeug_Setzen(BildEditor::Fuellen);
    Klick({2, 2});
    EXPECT_EQ(Schwarze().size(), 25);
    EXPECT_EQ(e.Pixelbild().pixel(5, 5), W);
    EXPECT_EQ(e.Stufen(), 3);
    Klick({2, 2});  // already that colour: no step
    EXPECT_EQ(e.Stufen(), 3);
}

TEST_F(Zeichenflaeche, CutAndPasteThroughTheClipboard)
{
    e.Werkzeug_Setzen(BildEditor::BoxGefuellt);
    Ziehen({0, 0}, {3, 3});
    e.Werkzeug_Setzen(BildEditor::Auswahl);
    Ziehen({0, 0}, {1, 1});
    EXPECT_EQ(e.Auswahlrechteck(), QRect(0, 0, 2, 2));
    e.Ausschneiden();
    EXPECT_EQ(Schwarze().size(), 12);
    EXPECT_EQ(e.Pixelbild().pixel(0, 0), W);

    e.Werkzeug_Setzen(BildEditor::Auswahl);
    Ziehen({10, 10}, {12, 12});
    e.Einfuegen();
    EXPECT_TRUE(e.Schwebt());
    EXPECT_EQ(e.Auswahlrechteck(), QRect(0, 0, 2, 2));
    EXPECT_EQ(Schwarze(e.Ansicht()).size(), 16);
    e.Festschreiben_Setzen(1);
    EXPECT_FALSE(e.Schwebt());
    EXPECT_TRUE(e.Auswahlrechteck().isNull());
    EXPECT_EQ(Schwarze().size(), 16);
}

TEST_F(Zeichenflaeche, DraggingTheSelectionMovesItsContent)
{
    Klick({1, 1});
    e.Werkzeug_Setzen(BildEditor::Auswahl);
    Ziehen({0, 0}, {2, 2});
    Ziehen({1, 1}, {11, 2});
    EXPECT_TRUE(e.Schwebt());
    EXPECT_EQ(e.Auswahlrechteck(), QRect(10, 1, 3, 3));
    EXPECT_TRUE(Schwarze().isEmpty());  // the content floats above the picture
    e.Werkzeug_Setzen(BildEditor::Stift);  // a tool change sets it down
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(11, 2)});
    e.Rueckgaengig(1);
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(1, 1)});
}

TEST_F(Zeichenflaeche, MirrorThePictureOrTheSelection)
{
    Klick({0, 0});
    e.Horizontal_Spiegeln();
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(104, 0)});
    e.Vertikal_Spiegeln();
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(104, 46)});

    e.Neu_SchwarzWeiss(0);
    Klick({0, 0});
    e.Werkzeug_Setzen(BildEditor::Auswahl);
    Ziehen({0, 0}, {3, 1});
    e.Horizontal_Spiegeln();
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(3, 0)});
    EXPECT_EQ(e.Stufen(), 3);
}

TEST_F(Zeichenflaeche, UndoKeepsOnlyItsDepth)
{
    e.Rueckgaengig_Tiefe_Setzen(2);
    for (int x = 0; x < 4; ++x)
        Klick({x, 0});
    EXPECT_EQ(e.Stufen(), 3);
    e.Rueckgaengig(5);
    EXPECT_EQ(Schwarze(), QList<QPoint>({{0, 0}, {1, 0}}));
    e.Wiederholen_Tiefe_Setzen(1);
    EXPECT_EQ(e.Stufen(), 1);
    e.Wiederholen(5);
    EXPECT_EQ(Schwarze().size(), 3);
}

TEST_F(Zeichenflaeche, ZoomScalesTheCanvas)
{
    e.Zoom_Setzen(6);
    EXPECT_EQ(e.sizeHint(), QSize(630, 282));
    EXPECT_EQ(e.Pixel_Bei({13, 5}), QPoint(2, 0));
    Klick({7, 3});
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(7, 3)});
}

class Zeichendateien : public Zeichenflaeche {
protected:
    QString Pfad(const char* name) const { return QDir(temp.path()).filePath(name); }
    QTemporaryDir temp;
};

TEST_F(Zeichendateien, SavedAsOneBitOrEightBitBmp)
{
    ASSERT_TRUE(e.Datei_Speichern(Pfad("sw.bmp")));
    EXPECT_EQ(Datei_Lesen(Pfad("sw.bmp")), Weisses_Logo());
    e.Neu_Farbig(0);
    ASSERT_TRUE(e.Datei_Speichern(Pfad("farbe.bmp")));
    const QByteArray d = Datei_Lesen(Pfad("farbe.bmp"));
    EXPECT_EQ(d.size(), 4198);
    EXPECT_EQ(d, Bmp_Schreiben(Einfarbig(101, 30, W), 8));
    ASSERT_TRUE(e.Datei_Speichern(Pfad("farbe.png")));
    EXPECT_EQ(QImage(Pfad("farbe.png")).size(), QSize(101, 30));
}

TEST_F(Zeichendateien, LoadingInBlackAndWhiteMakesEveryPixelBlackOrWhite)
{
    QImage bild = Einfarbig(20, 10, qRgb(255, 255, 200));
    bild.setPixel(1, 1, qRgb(255, 0, 0));  // grey 76: black
    ASSERT_TRUE(bild.save(Pfad("bunt.png")));
    ASSERT_TRUE(e.Datei_Laden(Pfad("bunt.png")));
    EXPECT_EQ(e.Pixelbild().size(), QSize(20, 10));
    EXPECT_EQ(Schwarze(), QList<QPoint>{QPoint(1, 1)});
    EXPECT_EQ(e.Pixelbild().pixel(0, 0), W);

    e.Neu_Farbig(0);
    ASSERT_TRUE(e.Datei_Laden(Pfad("bunt.png")));
    EXPECT_EQ(e.Pixelbild().pixel(1, 1), qRgb(255, 0, 0));

    EXPECT_FALSE(e.Datei_Laden(Pfad("fehlt.bmp")));
    EXPECT_EQ(e.Pixelbild().size(), QSize(20, 10));
}

}  // namespace
