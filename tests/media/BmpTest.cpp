// Our BMP writer and reader, byte for byte: the phone gets exactly these files.
#include "media/Bild.h"
#include "media/Bmp.h"
#include "support/Testdateien.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

QImage Weiss(int b, int h)
{
    QImage bild(b, h, QImage::Format_RGB32);
    bild.fill(qRgb(255, 255, 255));
    return bild;
}

// The white 105 x 47 logo of a black-and-white phone: 814 bytes.
QByteArray Weisses_Logo()
{
    // File header, info header (105 x 47, 1 bit, 752 bytes of rows, no resolution or counts),
    // palette black and white.
    QByteArray d = Hex("424D2E03000000000000" "3E000000") + Hex("28000000" "69000000" "2F000000" "0100" "0100" "00000000"
                                                         "F0020000") +
                   QByteArray(16, '\0') + Hex("00000000" "FFFFFF00");
    for (int i = 0; i < 47; ++i)
        d += Hex("FFFFFFFFFFFFFFFFFFFFFFFFFF800000");
    return d;
}

TEST(BmpSchreiben, WhiteBlackAndWhiteLogoIsTheKnownFile)
{
    const QByteArray d = Bmp_Schreiben(Weiss(105, 47));
    EXPECT_EQ(d.size(), 814);
    EXPECT_EQ(d.toHex(), Weisses_Logo().toHex());
}

TEST(BmpSchreiben, OneBitRowsAreBottomUpAndASetBitIsWhite)
{
    QImage bild = Weiss(9, 2);
    bild.setPixel(0, 0, qRgb(0, 0, 0));        // top row, first pixel black
    bild.setPixel(8, 1, qRgb(0, 0, 0));        // bottom row, ninth pixel black
    bild.setPixel(1, 1, qRgb(100, 100, 100));  // dark grey counts as black
    bild.setPixel(2, 1, qRgb(128, 128, 128));  // grey 128 counts as white
    const QByteArray d = Bmp_Schreiben(bild, 1);
    ASSERT_EQ(d.size(), 62 + 2 * 4);
    EXPECT_EQ(d.mid(62).toHex(), QByteArray("bf000000" "7f800000"));
}

TEST(BmpSchreiben, ColourPictureIsEightBitsWithItsColoursSorted)
{
    QImage bild = Weiss(3, 1);
    bild.setPixel(0, 0, qRgb(255, 0, 0));
    bild.setPixel(1, 0, qRgb(0, 0, 255));
    ASSERT_EQ(Bmp_Tiefe(bild), 8);
    const QByteArray d = Bmp_Schreiben(bild);
    ASSERT_EQ(d.size(), 14 + 40 + 1024 + 4);
    EXPECT_EQ(d.left(38).toHex(), Hex("424D3A040000000000003604000028000000030000000100000001000800000000000400"
                                      "0000").toHex());
    EXPECT_EQ(d.mid(38, 16), QByteArray(16, '\0'));
    // 0x0000FF blue, 0xFF0000 red, 0xFFFFFF white; stored B, G, R, 0.
    EXPECT_EQ(d.mid(54, 12).toHex(), QByteArray("ff0000000000ff00ffffff00"));
    EXPECT_EQ(d.mid(66, 1020 - 8), QByteArray(1012, '\0'));
    EXPECT_EQ(d.mid(1078).toHex(), QByteArray("01000200"));
}

TEST(BmpSchreiben, WhiteColourLogoIsFortyOneHundredNinetyEightBytes)
{
    const QByteArray d = Bmp_Schreiben(Weiss(101, 30), 8);
    ASSERT_EQ(d.size(), 4198);
    EXPECT_EQ(d.left(38).toHex(), Hex("424D66100000000000003604000028000000650000001E0000000100080000000000300C0000").toHex());
    EXPECT_EQ(d.mid(38, 16), QByteArray(16, '\0'));
    EXPECT_EQ(d.mid(54, 4).toHex(), QByteArray("ffffff00"));
    EXPECT_EQ(d.mid(1078), QByteArray(3120, '\0'));
}

TEST(BmpSchreiben, MoreThanTwoHundredFiftySixColoursAreReduced)
{
    QImage bild(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            bild.setPixel(x, y, qRgb(x * 8, y * 8, (x + y) * 4));
    const QByteArray d = Bmp_Schreiben(bild);
    ASSERT_EQ(d.size(), 1078 + 32 * 32);
    const std::optional<QImage> zurueck = Bmp_Lesen(d);
    ASSERT_TRUE(zurueck);
    EXPECT_EQ(zurueck->size(), QSize(32, 32));
}

TEST(BmpLesen, ReadsWhatTheWriterWrote)
{
    QImage bild = Weiss(13, 5);
    bild.setPixel(3, 1, qRgb(0, 0, 0));
    bild.setPixel(12, 4, qRgb(0, 0, 0));
    const std::optional<QImage> sw = Bmp_Lesen(Bmp_Schreiben(bild, 1));
    ASSERT_TRUE(sw);
    EXPECT_EQ(*sw, bild);

    bild.setPixel(5, 2, qRgb(0, 128, 255));
    const std::optional<QImage> farbe = Bmp_Lesen(Bmp_Schreiben(bild, 8));
    ASSERT_TRUE(farbe);
    EXPECT_EQ(*farbe, bild);
}

TEST(BmpLesen, TopDownAndTwentyFourBits)
{
    // 2 x 2, 24 bits, top-down: red, green / blue, white.
    QByteArray d = Hex("424D46000000000000003600000028000000" "02000000" "FEFFFFFF" "0100" "1800" "00000000"
                       "10000000") +
                   QByteArray(16, '\0');
    d += Hex("0000FF00FF000000") + Hex("FF0000FFFFFF0000");
    const std::optional<QImage> bild = Bmp_Lesen(d);
    ASSERT_TRUE(bild);
    EXPECT_EQ(bild->pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(bild->pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(bild->pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(bild->pixel(1, 1), qRgb(255, 255, 255));
}

TEST(BmpLesen, RefusesWhatIsNoUncompressedBmp)
{
    const QByteArray gut = Weisses_Logo();
    EXPECT_TRUE(Bmp_Lesen(gut));
    EXPECT_FALSE(Bmp_Lesen(gut.left(813)));              // pixel rows cut short
    EXPECT_FALSE(Bmp_Lesen(QByteArray("BM") + QByteArray(60, '\0')));
    EXPECT_FALSE(Bmp_Lesen(QByteArray("GIF89a") + gut.mid(6)));
    QByteArray rle = gut;
    rle[30] = 1;  // run-length compressed
    EXPECT_FALSE(Bmp_Lesen(rle));
    QByteArray tiefe = gut;
    tiefe[28] = 2;
    EXPECT_FALSE(Bmp_Lesen(tiefe));
}

// ---- Loading and saving pictures -------------------------------------------------------------

class BildDateien : public ::testing::Test {
protected:
    QString Pfad(const char* name) const { return ordner.filePath(QLatin1String(name)); }
    void Schreiben(const char* name, const QByteArray& d) const
    {
        QFile f(Pfad(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(d);
    }
    QByteArray Lesen(const char* name) const
    {
        QFile f(Pfad(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir temp;
    QDir ordner{temp.path()};
};

TEST_F(BildDateien, BmpIsSavedBackWithTheBytesItCameWith)
{
    // Padded with zeros, as a phone may send it: the padding goes back too.
    const QByteArray d = Weisses_Logo() + QByteArray(100, '\0');
    Schreiben("logo.bmp", d);
    const std::optional<Bilddaten> bild = Bild_Laden(Pfad("logo.bmp"));
    ASSERT_TRUE(bild);
    EXPECT_EQ(bild->Pixel.size(), QSize(105, 47));
    ASSERT_TRUE(Bild_Speichern(*bild, Pfad("zurueck.bmp")));
    EXPECT_EQ(Lesen("zurueck.bmp"), d);
}

TEST_F(BildDateien, JpegIsSavedByOurWriter)
{
    QImage bild = Weiss(20, 10);
    bild.fill(qRgb(0, 0, 0));
    ASSERT_TRUE(bild.save(Pfad("schwarz.jpg"), "JPG", 100));
    const std::optional<Bilddaten> geladen = Bild_Laden(Pfad("schwarz.jpg"));
    ASSERT_TRUE(geladen);
    EXPECT_TRUE(geladen->Datei.isEmpty());
    ASSERT_TRUE(Bild_Speichern(*geladen, Pfad("aus.bmp")));
    const QByteArray d = Lesen("aus.bmp");
    EXPECT_EQ(d, Bmp_Schreiben(geladen->Pixel));
}

TEST_F(BildDateien, UnreadableAndMissingFilesAreNoPicture)
{
    Schreiben("kaputt.bmp", "BM nothing");
    EXPECT_FALSE(Bild_Laden(Pfad("kaputt.bmp")));
    EXPECT_FALSE(Bild_Laden(Pfad("fehlt.bmp")));
    EXPECT_FALSE(Bild_Laden(QString()));
}

TEST_F(BildDateien, ABmpShorterThanItsHeaderSaysIsNoPicture)
{
    QImage farbig = Weiss(40, 30);
    farbig.setPixel(3, 3, qRgb(255, 0, 0));
    const QByteArray acht = Bmp_Schreiben(farbig, 8);
    // 4 x 2 pixels of 16 bits, which only the general reader knows: 16 bytes of rows.
    const QByteArray sechzehn = Hex("424D46000000000000003600000028000000" "04000000" "02000000" "0100" "1000"
                                    "00000000" "10000000") +
                                QByteArray(16, '\0') + QByteArray(16, '\x7F');
    QByteArray lauflaenge = Weisses_Logo();  // announced 752 bytes of run-length data
    lauflaenge[30] = 1;
    for (const auto& [name, daten] : {std::pair{"acht.bmp", acht.left(acht.size() - 50)},
                                      std::pair{"sechzehn.bmp", sechzehn.left(sechzehn.size() - 4)},
                                      std::pair{"lauf.bmp", lauflaenge.left(300)},
                                      std::pair{"kopf.bmp", acht.left(20)}}) {
        Schreiben(name, daten);
        EXPECT_FALSE(Bild_Laden(Pfad(name))) << name;
    }
    Schreiben("sechzehn.bmp", sechzehn);
    EXPECT_TRUE(Bild_Laden(Pfad("sechzehn.bmp")));
}

TEST_F(BildDateien, EmptyPictureOrUnwritableTargetLeavesTheOldFile)
{
    Schreiben("alt.bmp", "old");
    EXPECT_FALSE(Bild_Speichern(Bilddaten(), Pfad("alt.bmp")));
    EXPECT_EQ(Lesen("alt.bmp"), QByteArray("old"));
    EXPECT_FALSE(Bild_Speichern(Bilddaten{Weiss(2, 2), {}}, Pfad("fehlt/neu.bmp")));
    Dateigrenze voll;
    EXPECT_FALSE(Bild_Speichern(Bilddaten{Weiss(2, 2), {}}, Pfad("alt.bmp")));
    EXPECT_EQ(Lesen("alt.bmp"), QByteArray("old"));
}

}  // namespace
