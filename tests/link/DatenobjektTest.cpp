// The data-object frame: hexadecimal text, blocks, commands, the cut of read replies, and the
// write, delete and read sequences on the simulated phone.
#include "link/Datenobjekt.h"
#include "support/DatenobjektSim.h"
#include "support/Testdateien.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Datenobjekt;

namespace {

const QString CtrlZ = QString(QChar(26));

// ---- Hexadecimal text ------------------------------------------------------------------

TEST(Hextext, BytesBecomeTwoUpperCaseDigitsEach)
{
    const struct {
        QByteArray bytes;
        const char* hex;
    } faelle[] = {
        {QByteArray("\x41\x42\x0D\x0A\x00\xFF\x0A", 7), "41420D0A00FF0A"},
        {QByteArray("\x0A", 1), "0A"},
        {QByteArray("\xFF", 1), "FF"},
        {QByteArray(), ""},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(Hex_Kodieren(f.bytes), QLatin1String(f.hex));
        EXPECT_EQ(Hex_Dekodieren(QLatin1String(f.hex)), f.bytes);
    }
    // Appointment text travels one character a byte, umlauts as their 8-bit code.
    EXPECT_EQ(Text_Kodieren(QStringLiteral("Bü\r\n")), "42FC0D0A");
    for (const char* hex : {"4142F", "41G2", "4 42", "0x41"})
        EXPECT_FALSE(Hex_Dekodieren(QLatin1String(hex)).has_value()) << hex;
}

TEST(Hextext, TheFileHoldsExactlyTheBytesAndABadTextLeavesItAlone)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("vcs2.pvp"));
    ASSERT_TRUE(Datei_Schreiben(pfad, QStringLiteral("41420D0A")));
    EXPECT_EQ(Datei_Lesen(pfad), QByteArray("AB\r\n"));

    for (const char* schlecht : {"4142F", "41G2"}) {
        EXPECT_FALSE(Datei_Schreiben(pfad, QLatin1String(schlecht)));
        EXPECT_EQ(Datei_Lesen(pfad), QByteArray("AB\r\n"));
    }
    EXPECT_FALSE(Datei_Schreiben(ordner.filePath(QStringLiteral("neu.pvp")), QStringLiteral("4")));
    EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("neu.pvp"))));

    Dateigrenze voll;
    EXPECT_FALSE(Datei_Schreiben(pfad, QStringLiteral("434445464748494A4B4C4D4E4F505152")));
    EXPECT_EQ(Datei_Lesen(pfad), QByteArray("AB\r\n"));
}

// ---- Blocks and commands ---------------------------------------------------------------

TEST(Bloecke, AppointmentBlocksOf176DigitsAtMostSix)
{
    const struct {
        int ziffern;
        std::vector<int> laengen;
    } faelle[] = {
        {176, {176}},
        {178, {176, 2}},
        {360, {176, 176, 8}},
        {1056, {176, 176, 176, 176, 176, 176}},
        {1100, {176, 176, 176, 176, 176, 176}},  // the last 44 digits are not sent
        {8, {8}},
        {0, {}},
    };
    for (const auto& f : faelle) {
        QString hex;
        for (int i = 0; i < f.ziffern; ++i)
            hex += QChar(u'0' + i % 10);
        const QStringList bloecke = Bloecke_Schneiden(hex, 176, 6);
        std::vector<int> laengen;
        for (const QString& b : bloecke)
            laengen.push_back(static_cast<int>(b.size()));
        EXPECT_EQ(laengen, f.laengen) << f.ziffern;
        EXPECT_TRUE(hex.startsWith(bloecke.join(QString()))) << f.ziffern;
    }
    // Logo and melody blocks are 176 bytes with no cap: 5000 bytes make 29 blocks.
    EXPECT_EQ(Bloecke_Schneiden(Hex_Kodieren(QByteArray(5000, 'x')), 352).size(), 29);
}

TEST(Befehle, NumbersInDecimalWithoutLeadingZeros)
{
    EXPECT_EQ(Ankuendigung("vcs", 7, 2, 3), "AT^SBNW=vcs,7,2,3");
    EXPECT_EQ(Ankuendigung("bmp", 0, 1, 1), "AT^SBNW=bmp,0,1,1");
    EXPECT_EQ(Ankuendigung("mid", 0, 29, 29), "AT^SBNW=mid,0,29,29");
    EXPECT_EQ(Loeschbefehl("vcs", 5), "AT^SBNW=vcs,5,0");
    EXPECT_EQ(Loeschbefehl("bmp", 0), "AT^SBNW=bmp,0,0");
    EXPECT_EQ(Lesebefehl("vcs", 12), "AT^SBNR=vcs,12");
    EXPECT_EQ(Lesebefehl("mid", 0), "AT^SBNR=mid,0");
}

// ---- Read replies ----------------------------------------------------------------------

TEST(Antwortschnitt, AppointmentReplies)
{
    const struct {
        const char* name;
        QString antwort;
        std::optional<QString> hex;
    } faelle[] = {
        {"two blocks joined", QStringLiteral("AT^SBNR=vcs,2\r\r\n^SBNR: \"vcs\",2,1,2\r\n4142\r\n^SBNR: \"vcs\",2,2,2\r\n0D0A\r\nOK\r\n"),
         QStringLiteral("41420D0A")},
        {"two-digit slot", QStringLiteral("AT^SBNR=vcs,12\r\r\n^SBNR: \"vcs\",12,1,1\r\n41420D0A\r\nOK\r\n"),
         QStringLiteral("41420D0A")},
        {"leading comma pair", QStringLiteral("AT^SBNR=vcs,2\r\r\n^SBNR: \"vcs\",2,1,2\r\n,1\r\n41420D0A\r\nOK\r\n"),
         QStringLiteral("41420D0A")},
        {"header without CR", QStringLiteral("AT^SBNR=vcs,2\r\r\n^SBNR: \"vcs\",2,1,1\r\n4142^SBNR: xy\nOK\r\n"),
         QStringLiteral("4142")},
        // The header's length follows the digits of slot and block count.
        {"ten blocks in slot 10", QStringLiteral("AT^SBNR=vcs,10\r\r\n^SBNR: \"vcs\",10,1,10\r\n4142\r\n^SBNR: \"vcs\",10,10,10\r\n0D0A\r\nOK\r\n"),
         QStringLiteral("41420D0A")},
        {"no header line", QString(36, QLatin1Char('x')) + QStringLiteral("OK\r\n"), std::nullopt},
        {"a header alone", QStringLiteral("AT^SBNR=vcs,1\r\r\n^SBNR: \"vcs\",1\r\nOK\r\n"), QString()},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Antwort_Schneiden(f.antwort, TerminSchnitt), f.hex) << f.name;
}

TEST(Antwortschnitt, LogoAndMelodyReplies)
{
    // A block is longer than the window in which header fields are cut.
    const QString Melodie = QStringLiteral("4D546864").repeated(5);
    const struct {
        const char* name;
        QString antwort;
        std::optional<QString> hex;
    } faelle[] = {
        {"one block", QStringLiteral("AT^SBNR=bmp,0\r\r\n^SBNR: \"bmp\",0,1,1\r\n424D0A\r\nOK\r\n"),
         QStringLiteral("424D0A")},
        {"two blocks", QStringLiteral("AT^SBNR=mid,0\r\r\n^SBNR: \"mid\",0,1,2\r\n") + Melodie +
                           QStringLiteral("\r\n^SBNR: \"mid\",0,2,2\r\nFF\r\nOK\r\n"),
         Melodie + QStringLiteral("FF")},
        // A header with neither a comma nor a line end must not stop the cut from ending.
        {"endless header", QStringLiteral("AT^SBNR=bmp,0\r\r\n^SBNR: \"bmp\",0,1,1\r\n4142\r\n^SBNR: xyz\rOK\r\n"),
         QStringLiteral("4142")},
        {"a line after the OK", QStringLiteral("AT^SBNR=bmp,0\r\r\n^SBNR: \"bmp\",0,1,1\r\n424D0A\r\nOK\r\n\r\nRING\r\n"),
         QStringLiteral("424D0A")},
        {"nothing left to drop", QStringLiteral("AT"), std::nullopt},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Antwort_Schneiden(f.antwort, KommaSchnitt), f.hex) << f.name;
}

// ---- On the simulated phone ------------------------------------------------------------

class Objektaustausch : public ::testing::Test, protected DatenobjektSim {
protected:
    // A logo kind besides the appointments, as the picture window will use it.
    void Logo_Anmelden()
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) {
            sim::SimObjektart bmp;
            bmp.LeseBlock = 176;
            objekte->Arten["bmp"] = bmp;
        });
    }
};

TEST_F(Objektaustausch, ThreeBlocksAnnouncedAndSentInTurn)
{
    const QString hex = Hex_Kodieren(QByteArray(180, 'A'));
    ASSERT_TRUE(Objekt_Schreiben("vcs", 3, Bloecke_Schneiden(hex, 176, 6), Fortschritt::VorAnkuendigung,
                                 "Schreibe Termin..."));
    const QByteArray erwartet = "AT^SBNW=vcs,3,1,3\r\n" + QByteArray("41").repeated(88) + "\x1A" +
                                "AT^SBNW=vcs,3,2,3\r\n" + hex.mid(176, 176).toLatin1() + "\x1A" +
                                "AT^SBNW=vcs,3,3,3\r\n" + "41414141" + "\x1A";
    EXPECT_EQ(Empfangen(), erwartet);
    EXPECT_EQ(Termin(3), std::string(180, 'A'));
    EXPECT_EQ(anzeige.Werte, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(anzeige.Maximum, 3);
    EXPECT_EQ(anzeige.Status.first(), "Schreibe Termin...");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Objektaustausch, AMissingPromptEndsTheUploadWhereItStood)
{
    u.Handy->Schweigen_Bei("AT^SBNW=vcs,3,2");
    const QStringList bloecke = Bloecke_Schneiden(Hex_Kodieren(QByteArray(180, 'A')), 176, 6);
    EXPECT_FALSE(Objekt_Schreiben("vcs", 3, bloecke, Fortschritt::VorAnkuendigung, "Schreibe Termin..."));
    EXPECT_EQ(anzeige.Wert(), 2);
    ASSERT_TRUE(u.Handy->Warten_Auf_Empfang("\x1b", 3000));  // the lost prompt is cancelled
    const QByteArray wire = Empfangen();
    EXPECT_TRUE(wire.endsWith("AT^SBNW=vcs,3,2,3\r\n\x1b"));
    EXPECT_FALSE(wire.contains("AT^SBNW=vcs,3,3,3"));
    EXPECT_FALSE(wire.contains("AT^SBNW=vcs,3,0"));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);  // the link's time-out message alone
    EXPECT_FALSE(anzeige.Status.contains("Fertig."));

    // The logo counts a block once the phone took it.
    Logo_Anmelden();
    anzeige.Werte.clear();
    u.Handy->Schweigen_Bei("AT^SBNW=bmp,0,2");
    EXPECT_FALSE(Objekt_Schreiben("bmp", 0, bloecke, Fortschritt::NachBlock, "Schreibe Bitmap..."));
    EXPECT_EQ(anzeige.Wert(), 1);
}

TEST_F(Objektaustausch, AnAppointmentIsReadStraightFromThePort)
{
    Module1::LetzterBefehl = QStringLiteral("AT^SBNW=vcs,5,0");
    ASSERT_TRUE(Objekt_Lesen_Direkt("vcs", 2, "Lese Termine vom Handy (Platz 2)..."));
    EXPECT_EQ(Empfangen(), "AT^SBNR=vcs,2\r\n");
    // A PIN resend repeats this read, not the delete before it.
    EXPECT_EQ(Module1::LetzterBefehl, "AT^SBNR=vcs,2");
    EXPECT_EQ(anzeige.Status.last(), "Lese Termine vom Handy (Platz 2)...");
}

TEST_F(Objektaustausch, ALogoIsReadThroughTheCommandExchange)
{
    Logo_Anmelden();
    const std::string logo = "BM" + std::string(400, '\x0A');
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { objekte->Art("bmp")->Objekte[0] = logo; });
    ASSERT_TRUE(Objekt_Lesen("bmp", 0));
    EXPECT_EQ(Empfangen(), "AT^SBNR=bmp,0\r\n");
    const std::optional<QString> hex = Antwort_Schneiden(Module1::Link().Text1, KommaSchnitt);
    ASSERT_TRUE(hex.has_value());
    EXPECT_EQ(Hex_Dekodieren(*hex), QByteArray::fromStdString(logo));
}

// ---- The simulated phone's own rules -------------------------------------------------------

TEST_F(Objektaustausch, ThePhoneRefusesWhatItCannotKeep)
{
    using Module1::Befehl_Senden;
    using Module1::Prompt_Senden;

    EXPECT_FALSE(Befehl_Senden("AT^SBNR=vcs,31", true));
    EXPECT_FALSE(Befehl_Senden("AT^SBNR=abc,1", true));
    EXPECT_FALSE(Prompt_Senden("AT^SBNW=vcs,1,2,2", true));  // block 2 of an object never begun
    EXPECT_TRUE(Befehl_Senden("AT^SBNW=vcs,9,0", true));     // an empty slot deletes fine
    EXPECT_TRUE(Befehl_Senden("AT^SBNR=\"VCS\",9", true));   // and reads back as OK alone
    EXPECT_EQ(Module1::Link().Text2, "AT^SBNR=\"VCS\",9\r\r\nOK\r\n");

    // An object beyond the kind's size is refused after its last block.
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { objekte->Art("vcs")->Hoechstens = 2; });
    ASSERT_TRUE(Prompt_Senden("AT^SBNW=vcs,1,1,1", true));
    EXPECT_FALSE(Befehl_Senden("414243" + QString(QChar(26)), false));
    EXPECT_EQ(Termin(1), "");
    EXPECT_EQ(u.Handy->Mit_Zustand([&](sim::SimHandy&) { return objekte->Bloecke; }),
              (std::vector<std::string>{"414243"}));
}

}  // namespace
