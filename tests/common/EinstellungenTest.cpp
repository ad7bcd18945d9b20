#include "common/Datei.h"
#include "common/Einstellungen.h"
#include "common/Textdatei.h"
#include "support/Attrappen.h"
#include "support/OhneFlock.h"
#include "support/Testdateien.h"
#include "support/Zweitprozess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(Einstellungen, NamesCompareWithoutCaseAndSavesReachTheDisk)
{
    Einstellungen::Speichern("Options", "SMSLOGfile", "/x/log.txt");
    EXPECT_EQ(Einstellungen::Lesen("OPTIONS", "SMSLOGFILE", "d"), "/x/log.txt");
    Einstellungen::Speichern("options", "smslogfile", "/y.txt");
    EXPECT_EQ(Einstellungen::Lesen("Options", "SMSLOGfile"), "/y.txt");

    QFile f(Einstellungen::Datei());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray inhalt = f.readAll();
    EXPECT_TRUE(inhalt.contains("SMSLOGfile=/y.txt"));
    EXPECT_FALSE(inhalt.contains("smslogfile"));

    EXPECT_EQ(Einstellungen::Lesen("Options", "fehlt", "vorgabe"), "vorgabe");
    Einstellungen::Loeschen("OPTIONS", "smslogFILE");
    EXPECT_EQ(Einstellungen::Lesen("Options", "SMSLOGfile", "weg"), "weg");
}

TEST(Einstellungen, Conversions)
{
    for (auto [text, wert] : {std::pair{"0", false}, {"1", true}, {"5", true}, {"True", true}, {"false", false}}) {
        Einstellungen::Speichern("Options", "tbROT", text);
        EXPECT_EQ(Einstellungen::Wahrheit_Lesen("Options", "tbROT", !wert), wert) << text;
    }
    Einstellungen::Speichern("Options", "tbROT", "ja");
    EXPECT_TRUE(Einstellungen::Wahrheit_Lesen("Options", "tbROT", true));
    Einstellungen::Speichern("Options", "Timeoutzeit", "abc");
    EXPECT_EQ(Einstellungen::Zahl_Lesen("Options", "Timeoutzeit", 7500), 7500);
    Einstellungen::Speichern("Options", "Timeoutzeit", "12000");
    EXPECT_EQ(Einstellungen::Zahl_Lesen("Options", "Timeoutzeit", 7500), 12000);
}

TEST(Einstellungen, AFullDiskKeepsTheOldFileWholeAndIsToldOnceARun)
{
    QFile::remove(Einstellungen::Datei());
    Einstellungen::Fehlermeldung_Zuruecksetzen();
    DialogeSkript dialoge;
    for (int n = 1; n <= 8; ++n)
        Einstellungen::Speichern("Ports", QStringLiteral("COM%1").arg(n), QStringLiteral("/dev/ttyUSB%1").arg(n));
    for (int n = 1; n <= 30; ++n)
        for (const char* kante : {"X", "Y", "W", "H"})
            Einstellungen::Speichern("Windows", QStringLiteral("Form%1").arg(n) + kante, QString::number(n * 100));
    Einstellungen::Speichern("Settings", "ComPort", "1");
    const QByteArray vorher = Datei_Lesen(Einstellungen::Datei());
    {
        Dateigrenze voll(vorher.size() / 2);
        EXPECT_FALSE(Einstellungen::Speichern("Options", "Timeoutzeit", "12000"));
        EXPECT_FALSE(Einstellungen::Speichern("Settings", "ComPort", "2"));
    }
    EXPECT_EQ(Datei_Lesen(Einstellungen::Datei()), vorher);
    EXPECT_EQ(Einstellungen::Lesen("Settings", "ComPort"), "1");
    EXPECT_EQ(Einstellungen::Lesen("Ports", "COM8"), "/dev/ttyUSB8");
    ASSERT_EQ(dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    EXPECT_EQ(dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(QDir(QFileInfo(Einstellungen::Datei()).path()).entryList({"ORX2000*"}, QDir::Files),
              QStringList{"ORX2000.ini"});

    EXPECT_TRUE(Einstellungen::Speichern("Settings", "ComPort", "2"));
    EXPECT_EQ(Einstellungen::Lesen("Settings", "ComPort"), "2");
    EXPECT_EQ(dialoge.Meldungen.size(), 1u);
    Einstellungen::Fehlermeldung_Zuruecksetzen();
}

// Files that Qt's INI format wrote for earlier versions read the same, and a save writes what it wrote.
TEST(Einstellungen, AFileOfEarlierVersionsReadsAndRewritesByteForByte)
{
    const std::vector<std::pair<QString, QString>> werte{
        {"Config/PATH7", QStringLiteral("/home/jörg/Meine Dateien/Sicherung (lokal) vom 09.12.2026.orx")},
        {"Options/SMSLOGfile", QStringLiteral("/home/jörg/Größe, neu; a=b \\ \"zitat\".txt")},
        {"Options/DIESESTBAUTOLOAD", QStringLiteral(" /führend/und hinten ")},
        {"Options/SMS SC", "1"},
        {"Settings/PATHforBMPs", QStringLiteral("@Bilder/€ 中\U0001F600")},
        {"Windows/Form1X", "-120"},
        {"Ports/COM1", "/dev/ttyUSB0"},
        {"General/x", "1"},
        {"Wurzel", "\t\x01"},
    };
    QTemporaryDir ordner;
    const QString alt = ordner.filePath("alt.ini");
    {
        QSettings qt(alt, QSettings::IniFormat);
        for (const auto& [schluessel, wert] : werte)
            qt.setValue(schluessel, wert);
    }
    const QByteArray datei = Datei_Lesen(alt);
    ASSERT_TRUE(datei.startsWith("[General]\nWurzel="));
    ASSERT_TRUE(datei.contains("\n[Options]\nDIESESTBAUTOLOAD=\" /f\xC3\xBChrend/und hinten \"\nSMS%20SC=1\n"));

    const QString pfad = ordner.filePath("ORX2000.ini");
    Datei_Anlegen(pfad, datei);
    Einstellungen::Datei_Setzen(pfad);
    for (const auto& [schluessel, wert] : werte) {
        const qsizetype strich = schluessel.indexOf('/');
        if (strich > 0) {
            EXPECT_EQ(Einstellungen::Lesen(schluessel.left(strich).toUpper(), schluessel.mid(strich + 1).toLower()),
                      wert);
        }
    }
    // Changed and changed back: the file is what Qt wrote.
    for (const auto& [schluessel, wert] : werte) {
        const qsizetype strich = schluessel.indexOf('/');
        if (strich < 0)
            continue;
        ASSERT_TRUE(Einstellungen::Speichern(schluessel.left(strich), schluessel.mid(strich + 1), "neu"));
        ASSERT_TRUE(Einstellungen::Speichern(schluessel.left(strich), schluessel.mid(strich + 1), wert));
        EXPECT_EQ(Datei_Lesen(pfad), datei) << schluessel.toStdString();
    }
    // A new key and a removed one land where Qt puts them.
    {
        QSettings qt(alt, QSettings::IniFormat);
        qt.setValue("Options/LOKTBAUTOLADEN", "0");
        qt.remove("Ports/COM1");
    }
    Einstellungen::Speichern("options", "LOKTBAUTOLADEN", "0");
    Einstellungen::Loeschen("PORTS", "com1");
    EXPECT_EQ(Datei_Lesen(pfad), Datei_Lesen(alt));
    Einstellungen::Datei_Setzen(QString());
}

// Another instance saving 100 keys of its own and appending 100 lines; it says when it begins.
static const bool ZweiteSchreibt = Aufgabe_Eintragen("schreiben", [](const QStringList& argumente) {
    DialogeSkript dialoge;
    Einstellungen::Datei_Setzen(argumente.at(0));
    std::fputs("los\n", stdout);
    std::fflush(stdout);
    for (int i = 0; i < 100; ++i)
        if (!Einstellungen::Speichern("Zweite", QStringLiteral("Wert%1").arg(i), QString::number(i)) ||
            !Textdatei::Anhaengen(argumente.at(1), {QStringLiteral("zweite %1 ä").arg(i)}))
            return 1;
    return 0;
});

// Also where flock() fails, as on network and FUSE file systems.
TEST(Dateisperre, TwoInstancesSavingAndAppendingAtOnceLoseNothing)
{
    for (const bool mitFlock : {true, false}) {
        std::optional<OhneFlock> ohne;
        if (!mitFlock)
            ohne.emplace();
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath("ORX2000.ini");
        const QString log = ordner.filePath("debug.log");
        Datei_Anlegen(log, "Gr\xFC\xDF\x65\r\n");
        Einstellungen::Datei_Setzen(pfad);
        DialogeSkript dialoge;
        QProcess zweite;
        Aufgabe_Starten(zweite, "schreiben", {pfad, log});
        ASSERT_TRUE(zweite.waitForReadyRead(10000));
        for (int i = 0; i < 100; ++i) {
            ASSERT_TRUE(Einstellungen::Speichern("Erste", QStringLiteral("Wert%1").arg(i), QString::number(i)));
            // The first line turns the log into UTF-8 while the other instance appends.
            ASSERT_TRUE(Textdatei::Anhaengen(log, {i == 0 ? QStringLiteral("ΩΔ") : QStringLiteral("erste %1").arg(i)}));
        }
        ASSERT_TRUE(zweite.waitForFinished(30000));
        EXPECT_EQ(zweite.exitCode(), 0);
        int behalten = 0;
        for (int i = 0; i < 100; ++i)
            for (const char* sektion : {"Erste", "Zweite"})
                behalten += Einstellungen::Lesen(sektion, QStringLiteral("Wert%1").arg(i)) == QString::number(i);
        EXPECT_EQ(behalten, 200) << mitFlock;
        const QStringList zeilen = *Textdatei::Lesen(log);
        EXPECT_EQ(zeilen.size(), 201) << mitFlock;
        for (int i = 0; i < 100; ++i)
            EXPECT_TRUE(zeilen.contains(QStringLiteral("zweite %1 ä").arg(i))) << mitFlock << i;
    }
    Einstellungen::Datei_Setzen(QString());
}

TEST(Einstellungen, ALockHeldElsewhereFailsTheSaveAndIsTold)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("ORX2000.ini");
    Einstellungen::Datei_Setzen(pfad);
    Einstellungen::Fehlermeldung_Zuruecksetzen();
    ASSERT_TRUE(Einstellungen::Speichern("Settings", "ComPort", "1"));
    const QByteArray vorher = Datei_Lesen(pfad);
    DialogeSkript dialoge;
    {
        const Dateisperre andere(pfad);
        ASSERT_TRUE(andere.Gesperrt());
        EXPECT_FALSE(Einstellungen::Speichern("Settings", "ComPort", "2"));
    }
    EXPECT_EQ(Datei_Lesen(pfad), vorher);
    EXPECT_EQ(dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    Einstellungen::Fehlermeldung_Zuruecksetzen();
    Einstellungen::Datei_Setzen(QString());
}

// Qt reads the keys under such a section, but writes them back under other names.
TEST(Einstellungen, AHandWrittenSectionQtCannotWriteBackDoesNotStopSaves)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("ORX2000.ini");
    Einstellungen::Datei_Setzen(pfad);
    DialogeSkript dialoge;
    for (const char* sektion : {"[]", "[ ]", "[/]"}) {
        Datei_Anlegen(pfad, QByteArray(sektion) + "\r\nFarbe=blau\r\n[Settings]\r\nComPort=1\r\n");
        EXPECT_TRUE(Einstellungen::Speichern("Settings", "ComPort", "2")) << sektion;
        EXPECT_EQ(Einstellungen::Lesen("Settings", "ComPort"), "2") << sektion;
    }
    EXPECT_EQ(dialoge.Texte(), QStringList{});
    Einstellungen::Fehlermeldung_Zuruecksetzen();
    Einstellungen::Datei_Setzen(QString());
}

// Another instance holding a file's lock until it is killed.
static const bool ZweiteSperrt = Aufgabe_Eintragen("sperren", [](const QStringList& argumente) {
    const Dateisperre sperre(argumente.at(0));
    std::fputs(sperre.Gesperrt() ? "gesperrt\n" : "frei\n", stdout);
    std::fflush(stdout);
    for (;;)
        pause();
    return 0;
});

TEST(Dateisperre, TheLockOfAKilledInstanceIsTakenOverWithinTheWait)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("ORX2000.ini");
    Einstellungen::Datei_Setzen(pfad);
    DialogeSkript dialoge;
    // Without flock() Qt does not take it over itself.
    for (const bool mitFlock : {true, false}) {
        std::optional<OhneFlock> ohne;
        if (!mitFlock)
            ohne.emplace();
        QProcess zweite;
        Aufgabe_Starten(zweite, "sperren", {pfad});
        ASSERT_TRUE(zweite.waitForReadyRead(10000));
        ASSERT_EQ(zweite.readAll(), "gesperrt\n");
        zweite.kill();
        ASSERT_TRUE(zweite.waitForFinished(10000));
        const QString wert = mitFlock ? "1" : "2";
        QElapsedTimer uhr;
        uhr.start();
        EXPECT_TRUE(Einstellungen::Speichern("Settings", "ComPort", wert)) << mitFlock;
        EXPECT_LT(uhr.elapsed(), 3000) << mitFlock;
        EXPECT_EQ(Einstellungen::Lesen("Settings", "ComPort"), wert) << mitFlock;
    }
    EXPECT_EQ(dialoge.Texte(), QStringList{});
    Einstellungen::Fehlermeldung_Zuruecksetzen();
    Einstellungen::Datei_Setzen(QString());
}

TEST(Textdatei, ReadsEveryLineEndAndWritesCrLf)
{
    EXPECT_EQ(Textdatei::Zeilen("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(Textdatei::Zeilen("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(Textdatei::Zeilen(""), QStringList{});

    QTemporaryDir dir;
    const QString pfad = dir.filePath("t.txt");
    ASSERT_TRUE(Textdatei::Schreiben(pfad, {QStringLiteral("Müller"), ""}));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("M\xfcller\r\n\r\n"));
    f.close();
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {"x"}));
    EXPECT_EQ(*Textdatei::Lesen(pfad), (QStringList{QStringLiteral("Müller"), "", "x"}));
    EXPECT_FALSE(Textdatei::Lesen(dir.filePath("fehlt")).has_value());
    EXPECT_FALSE(Textdatei::Schreiben(dir.filePath("kein/ordner/x.txt"), {"x"}));
}

TEST(Textdatei, AFullDiskKeepsTheOldFileAndFails)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath("t.txt");
    Datei_Anlegen(pfad, "alt\r\n");
    const QString zuLang(Sperrdatei_Platz, QLatin1Char('x'));
    {
        Dateigrenze voll(Sperrdatei_Platz);
        EXPECT_FALSE(Textdatei::Schreiben(pfad, {zuLang}));
        EXPECT_EQ(Datei_Lesen(pfad), "alt\r\n");
        EXPECT_FALSE(Textdatei::Anhaengen(pfad, {zuLang}));
    }
    EXPECT_EQ(Datei_Lesen(pfad), "alt\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.txt"});
}

TEST(Textdatei, AnAppendGoesOnInTheFilesOwnEncodingANewFileInTheOneAskedFor)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath("neu.txt");
    EXPECT_EQ(Textdatei::Dateikodierung(pfad, Textdatei::Kodierung::Utf8), Textdatei::Kodierung::Utf8);
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("ü")}, Textdatei::Kodierung::Utf8));
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("ä")}));
    EXPECT_EQ(Datei_Lesen(pfad), "\xEF\xBB\xBF\xC3\xBC\r\n\xC3\xA4\r\n");
    Datei_Anlegen(pfad, "x\r\n");
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("ü")}, Textdatei::Kodierung::Utf8));
    EXPECT_EQ(Datei_Lesen(pfad), "x\r\n\xFC\r\n");
}

TEST(Textdatei, Utf8WithoutTheMarkStaysSoAndNoCharacterBecomesAQuestionMark)
{
    using K = Textdatei::Kodierung;
    QTemporaryDir dir;
    const QString pfad = dir.filePath("t.txt");
    // Valid UTF-8 with a character beyond ASCII is UTF-8; Windows-1252 text, ASCII and a cut
    // sequence are not.
    const QByteArray ohne = QStringLiteral("Старое äöü €\r\n").toUtf8();
    EXPECT_EQ(Textdatei::Erkennen(ohne), K::Utf8OhneMarke);
    EXPECT_EQ(Textdatei::Erkennen("Gr\xFC\xDF\x65\r\n"), K::Ansi);
    EXPECT_EQ(Textdatei::Erkennen("abc"), K::Ansi);
    EXPECT_EQ(Textdatei::Erkennen("ab\xC3"), K::Ansi);
    Datei_Anlegen(pfad, ohne);
    K gefunden = K::Ansi;
    EXPECT_EQ(*Textdatei::Lesen(pfad, K::Ansi, &gefunden), QStringList{QStringLiteral("Старое äöü €")});
    EXPECT_EQ(gefunden, K::Utf8OhneMarke);
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("ü")}));
    EXPECT_EQ(Datei_Lesen(pfad), ohne + "\xC3\xBC\r\n");
    ASSERT_TRUE(Textdatei::Schreiben(pfad, {QStringLiteral("ß")}, Textdatei::Dateikodierung(pfad)));
    EXPECT_EQ(Datei_Lesen(pfad), "\xC3\x9F\r\n");

    // Text that Windows-1252 cannot hold is written as UTF-8 with the mark, text that fits as before.
    ASSERT_TRUE(Textdatei::Schreiben(pfad, {QStringLiteral("ΔΩ neu")}));
    EXPECT_EQ(Datei_Lesen(pfad), "\xEF\xBB\xBF" + QStringLiteral("ΔΩ neu\r\n").toUtf8());
    ASSERT_TRUE(Textdatei::Schreiben(pfad, {QStringLiteral("Köln €")}));
    EXPECT_EQ(Datei_Lesen(pfad), "K\xF6ln \x80\r\n");
    // An append converts a Windows-1252 file once, whole.
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("ΩΔ")}));
    EXPECT_EQ(Datei_Lesen(pfad), "\xEF\xBB\xBF" + QStringLiteral("Köln €\r\nΩΔ\r\n").toUtf8());
}

TEST(Textdatei, CodePageBytesThatWouldReadAsUtf8AreWrittenAsUtf8WithTheMark)
{
    // "ß…" and "ß“" are DF 85 and DF 93 in Windows-1252: valid UTF-8 as well.
    QTemporaryDir dir;
    const QString pfad = dir.filePath("t.txt");
    const QStringList vorlagen{"Bin gleich da", QStringLiteral("Viel Spaß…")};
    ASSERT_TRUE(Textdatei::Schreiben(pfad, vorlagen));
    EXPECT_EQ(*Textdatei::Lesen(pfad), vorlagen);
    ASSERT_TRUE(Textdatei::Schreiben(pfad, {QStringLiteral("Gruß“")}));
    EXPECT_EQ(*Textdatei::Lesen(pfad), QStringList{QStringLiteral("Gruß“")});

    // An append to an ASCII log converts it once; later lines go on in UTF-8.
    Datei_Anlegen(pfad, "alt\r\n");
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("Viel Spaß…")}));
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("Gruß“")}));
    EXPECT_EQ(Datei_Lesen(pfad), "\xEF\xBB\xBF" + QStringLiteral("alt\r\nViel Spaß…\r\nGruß“\r\n").toUtf8());
}

TEST(Textdatei, AnAppendToAWindowsFileThatStillReadsBackStaysWindows1252)
{
    // "ß…" alone is DF 85, valid UTF-8; behind "Müller" the file reads as Windows-1252.
    QTemporaryDir dir;
    const QString pfad = dir.filePath("SMSLOG.TXT");
    Datei_Anlegen(pfad, "M\xFCller\r\n");
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("Viel Spaß…")}));
    EXPECT_EQ(Datei_Lesen(pfad), "M\xFCller\r\nViel Spa\xDF\x85\r\n");
    EXPECT_EQ(*Textdatei::Lesen(pfad), (QStringList{QStringLiteral("Müller"), QStringLiteral("Viel Spaß…")}));
}

TEST(Textdatei, AFailedAppendLeavesTheFileByteForByte)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath("t.txt");
    const QByteArray alt = QStringLiteral("Привет\r\n").repeated(12).toUtf8();
    ASSERT_GE(alt.size(), Sperrdatei_Platz);
    Datei_Anlegen(pfad, alt);
    {
        Dateigrenze grenze(alt.size() + 3);
        // The cut would have split the second character.
        EXPECT_FALSE(Textdatei::Anhaengen(pfad, {QStringLiteral("мир")}));
        EXPECT_FALSE(Textdatei::Anhaengen(dir.filePath("neu.txt"), {QString(alt.size() + 3, QLatin1Char('x'))}));
    }
    EXPECT_EQ(Datei_Lesen(pfad), alt);
    EXPECT_FALSE(QFile::exists(dir.filePath("neu.txt")));
}

// Another instance appending 3,000 Windows-1252 lines; it says when half of them are in.
static const bool ZweiteHaengtAn = Aufgabe_Eintragen("anhaengen", [](const QStringList& argumente) {
    for (int i = 0; i < 3000; ++i) {
        if (!Textdatei::Anhaengen(argumente.at(0), {QStringLiteral("hällo %1").arg(i)}))
            return 1;
        if (i == 1500) {
            std::fputs("halb\n", stdout);
            std::fflush(stdout);
        }
    }
    return 0;
});

TEST(Textdatei, AnAppendOfAnotherInstanceDuringTheConversionLosesNoLineAndMixesNoEncoding)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath("sms.log");
    Datei_Anlegen(pfad, "Gr\xFC\xDF\x65\r\n");
    QProcess zweite;
    Aufgabe_Starten(zweite, "anhaengen", {pfad});
    ASSERT_TRUE(zweite.waitForReadyRead(30000));
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("ΩΔ")}));
    ASSERT_TRUE(zweite.waitForFinished(30000));
    EXPECT_EQ(zweite.exitCode(), 0);

    const QByteArray bytes = Datei_Lesen(pfad);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)).toUtf8(), bytes.mid(3));  // nothing that is not UTF-8
    QStringList zeilen = *Textdatei::Lesen(pfad);
    EXPECT_EQ(zeilen.takeFirst(), QStringLiteral("Grüße"));
    EXPECT_EQ(zeilen.removeAll(QStringLiteral("ΩΔ")), 1);
    QStringList erwartet;
    for (int i = 0; i < 3000; ++i)
        erwartet << QStringLiteral("hällo %1").arg(i);
    EXPECT_EQ(zeilen, erwartet);
}

// Both converters behind the files must agree byte for byte.
class TextdateiAnsi : public ::testing::TestWithParam<Textdatei::Wandler> {
protected:
    TextdateiAnsi() { Textdatei::Wandler_Setzen(GetParam()); }
    ~TextdateiAnsi() override { Textdatei::Wandler_Setzen(Textdatei::Wandler::Icu); }
};

TEST_P(TextdateiAnsi, WindowsCodePageWithQuestionMarksAndUtf8AfterAByteOrderMark)
{
    EXPECT_EQ(Textdatei::Kodieren(QStringLiteral("Müller €uro „Zitat“ – 中\U0001F600\u0080\u0081")),
              QByteArray("M\xfcller \x80uro \x84Zitat\x93 \x96 ???\x81"));
    QByteArray windows;
    for (int b = 0x80; b < 0xA0; ++b)
        windows += char(b);
    const QString gelesen = Textdatei::Dekodieren(windows);
    EXPECT_EQ(gelesen.left(6), QStringLiteral("€\u0081‚ƒ„…"));
    EXPECT_EQ(gelesen.right(3), QStringLiteral("\u009džŸ"));
    EXPECT_EQ(Textdatei::Kodieren(gelesen), windows);

    QTemporaryDir dir;
    const QString pfad = dir.filePath("utf8.txt");
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF\xE2\x82\xAC \xE4\xB8\xAD\r\n");
    f.close();
    EXPECT_EQ(*Textdatei::Lesen(pfad), QStringList{QStringLiteral("€ 中")});
    // Appending keeps such a file in UTF-8.
    ASSERT_TRUE(Textdatei::Anhaengen(pfad, {QStringLiteral("ü")}));
    EXPECT_EQ(*Textdatei::Lesen(pfad), (QStringList{QStringLiteral("€ 中"), QStringLiteral("ü")}));
}

INSTANTIATE_TEST_SUITE_P(Wandler, TextdateiAnsi,
                         ::testing::Values(Textdatei::Wandler::Icu, Textdatei::Wandler::Tabelle));
