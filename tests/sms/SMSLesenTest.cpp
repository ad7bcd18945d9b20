// The rows of listed messages, the log of read messages and the sender names.
#include "SMSHilfen.h"
#include "common/Textdatei.h"
#include "sms/SMSLesen.h"

#include <QTemporaryDir>

using namespace Module1;

namespace {

const QString Hallo = QStringLiteral("0791947101670000040B919471214365F70000302010214365400AE8329BFD4697D9EC37");
const QString Statusreport = QStringLiteral("0791947101670000062A0B919471214365F7302010214365403020102153804000");

QStringList Felder(const SMSZeile& z)
{
    return {z.Code, QString::number(z.Symbol), z.Index, z.Nummer, z.Datum, z.Uhrzeit, z.Text};
}

}  // namespace

TEST(SMSZeile, EachStatusGivesItsCodeIconAndFields)
{
    struct Fall {
        CMGLEintrag eintrag;
        QStringList felder;
    };
    const Fall faelle[] = {
        {{1, 1, Hallo}, {"EG", "2", "01", "+49171234567", "01.02.03", "12:34:56", "hellohello"}},
        {{3, 0, Hallo}, {"EU", "4", "03", "+49171234567", "01.02.03", "12:34:56", "hellohello"}},
        // a stored unsent message without recipient: no date, a time of one blank, no text
        {{12, 2, "00110000810000FF00"}, {"AU", "3", "12", "", "", " ", ""}},
        // a stored sent message: no date and no time; its blanks of filling stay
        {{4, 3, "079194710167000011050B919471214365F70000FF08D4F29C0E028140"},
         {"AG", "1", "04", "+49171234567", "", "", "Test    "}},
        {{107, 0, Statusreport},
         {"EU", "4", "107", "+491710760000", "", "",
          "Statusreport: Meldung an +49171234567, gesendet: 01/02/03, 12:34:56 Uhr. Ausgeliefert: 01/02/03, "
          "12:35:08 Uhr."}},
        // a real "@" at the end of a text stays
        {{5, 1, "0791947101670000040B919471214365F7000030201021436540085079393D07D500"},
         {"EG", "2", "05", "+49171234567", "01.02.03", "12:34:56", "Preis 5@"}},
    };
    for (const Fall& f : faelle) {
        const auto z = SMSZeile_Bilden(f.eintrag);
        ASSERT_TRUE(z.has_value()) << f.eintrag.PDU.toStdString();
        EXPECT_EQ(Felder(*z), f.felder);
    }
    EXPECT_FALSE(SMSZeile_Bilden({1, 4, Hallo}).has_value());
    // A broken PDU is listed with what could be read, so that it can still be deleted.
    const auto kaputt = SMSZeile_Bilden({2, 1, "0791947101670000040B9194"});
    ASSERT_TRUE(kaputt.has_value());
    EXPECT_EQ(kaputt->Index, "02");
}

TEST(SMSLogEintrag, RecordHasItsFixedLayout)
{
    SMSZeile z{"EG", 2, "01", "+49171234567", "+49171234567", "01.02.03", "12:34:56", "hellohello", {}};
    const QString eintrag = SMSLogEintrag_Bilden(z);
    const QStringList zeilen = eintrag.split("\r\n");
    ASSERT_EQ(zeilen.size(), 4);
    EXPECT_EQ(zeilen[0], "EG   +49171234567       (+49171234567      ) 01.02.03 12:34:56 ");
    EXPECT_EQ(zeilen[1], "hellohello" + QString(70, ' '));
    EXPECT_EQ(zeilen[2], QString(80, ' '));
    EXPECT_EQ(zeilen[3], QString(80, '-'));

    // Long fields are cut; a text of 160 fills lines 2 and 3 exactly, beyond that it is cut.
    z.Name = QStringLiteral("Ein sehr langer Name dazu");
    z.Text = QString(80, 'a') + QString(80, 'b') + QStringLiteral("ccc");
    const QStringList lang = SMSLogEintrag_Bilden(z).split("\r\n");
    EXPECT_EQ(lang[0].size(), 63);
    EXPECT_EQ(lang[0].mid(25, 18), "Ein sehr langer Na");
    EXPECT_EQ(lang[1], QString(80, 'a'));
    EXPECT_EQ(lang[2], QString(80, 'b'));
}

TEST(SMSLog, NewRecordsOnlyAndANewFileOnce)
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("sms.log");
    StatusAnzeige anzeige;
    Link().Anzeige = &anzeige;
    const QString a = QStringLiteral("EG   a\r\nText\r\n\r\n") + QString(80, '-');
    const QString b = QStringLiteral("EG   b\r\nZwei\nZeilen\r\n\r\n") + QString(80, '-');

    // A new log is UTF-8 with the byte-order mark.
    SMSLog erster(datei);
    EXPECT_TRUE(erster.Eintragen(a));
    EXPECT_TRUE(erster.Eintragen(a));  // found in the copy read after the file was made
    EXPECT_TRUE(erster.Eintragen(b));
    const QByteArray nachEinem = Datei_Lesen(datei);
    EXPECT_EQ(nachEinem, "\xEF\xBB\xBF" + (a + "\r\n\r\n" + QString(b).replace("Zwei\nZeilen", "Zwei\r\nZeilen") +
                                          "\r\n\r\n").toUtf8());
    EXPECT_EQ(anzeige.Status, QStringList{"Lese SMS-Datei ein..."});

    // A later run finds both, the text with its own line break included.
    SMSLog zweiter(datei);
    zweiter.Eintragen(b);
    zweiter.Eintragen(a);
    EXPECT_EQ(Datei_Lesen(datei), nachEinem);

    // Within one run the copy is not updated: the same new record twice is written twice.
    const QString c = QStringLiteral("EU   c\r\n\r\n\r\n") + QString(80, '-');
    SMSLog dritter(datei);
    dritter.Eintragen(c);
    dritter.Eintragen(c);
    EXPECT_EQ(Datei_Lesen(datei).count("EU   c"), 2);

    // A log in a folder that does not exist is left alone, and the caller learns of it.
    SMSLog nirgends(ordner.filePath("fehlt/sms.log"));
    EXPECT_FALSE(nirgends.Eintragen(a));
    EXPECT_FALSE(QFile::exists(ordner.filePath("fehlt/sms.log")));
    Link().Anzeige = nullptr;
}

TEST(SMSLog, AnOldLogTakesMessagesInOtherAlphabetsWhole)
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("sms.log");
    const QByteArray alt = "EG   +7 (x) 01.02.03 12:34:56\r\nGr\xFC\xDF\x65\r\n\r\n" + QByteArray(80, '-') + "\r\n" +
                           "EG   +7 (x) 01.02.03 12:00:00\r\nHallo\r\n\r\n" + QByteArray(80, '-') + "\r\n";
    ASSERT_GE(alt.size(), Sperrdatei_Platz);  // room for the lock
    Datei_Schreiben(datei, alt);
    const QString kopf = QStringLiteral("EG   +7 (x) 01.02.03 12:34:56\r\n");
    const QString erste = kopf + QStringLiteral("Привет\r\n\r\n") + QString(80, '-');
    const QString zweite = kopf + QStringLiteral("Давайт\r\n\r\n") + QString(80, '-');

    // A record the code page can hold goes on in it; the first that it cannot turns the log into UTF-8.
    SMSLog log(datei);
    EXPECT_TRUE(log.Eintragen(kopf + QStringLiteral("Köln")));
    EXPECT_EQ(Datei_Lesen(datei), alt + "EG   +7 (x) 01.02.03 12:34:56\r\nK\xF6ln\r\n\r\n");
    EXPECT_TRUE(log.Eintragen(erste));
    SMSLog danach(datei);
    EXPECT_TRUE(danach.Eintragen(zweite));
    EXPECT_TRUE(danach.Eintragen(erste));
    const QByteArray neu = Datei_Lesen(datei);
    EXPECT_EQ(neu, "\xEF\xBB\xBF" + (QString::fromLatin1(alt) + kopf + QStringLiteral("Köln\r\n\r\n") + erste +
                                      "\r\n\r\n" + zweite + "\r\n\r\n").toUtf8());

    // The conversion goes through the safe save: a full disk keeps the old log whole.
    Datei_Schreiben(datei, alt);
    {
        Dateigrenze grenze(alt.size());
        SMSLog voll(datei);
        EXPECT_FALSE(voll.Eintragen(erste));
    }
    EXPECT_EQ(Datei_Lesen(datei), alt);
}

TEST(SMSLog, ARecordAppendedToAWindowsLogIsFoundAtTheNextReading)
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("sms.log");
    const QByteArray alt = "EG   +7 (M\xFCller) 01.02.03 12:34:56\r\nHallo\r\n\r\n" + QByteArray(80, '-') + "\r\n\r\n";
    Datei_Schreiben(datei, alt);
    const QString satz = QStringLiteral("EG   +7 (Anna) 01.02.03 12:35:00\r\nViel Spaß…\r\n\r\n") + QString(80, '-');
    for (int lesung = 0; lesung < 2; ++lesung) {
        SMSLog log(datei);
        EXPECT_TRUE(log.Eintragen(satz));
    }
    EXPECT_EQ(Datei_Lesen(datei), alt + Textdatei::Kodieren(satz + "\r\n\r\n"));
}

TEST(SMSLog, ASenderCutToItsFieldKeepsWholeCharactersAndIsLoggedOnce)
{
    SMSZeile z{"EG", 2, "01", "+49171234567", QStringLiteral("Fußballverein Süd😀"), "01.02.03", "12:34:56", "Tor!", {}};
    const QString satz = SMSLogEintrag_Bilden(z);
    EXPECT_EQ(satz.mid(25, 18), QStringLiteral("Fußballverein Süd "));
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("sms.log");
    for (int lesung = 0; lesung < 2; ++lesung) {
        SMSLog log(datei);
        EXPECT_TRUE(log.Eintragen(satz));
    }
    EXPECT_EQ(Datei_Lesen(datei), "\xEF\xBB\xBF" + (satz + "\r\n\r\n").toUtf8());
    // A letter and its combining mark go together.
    z.Name = QString(17, 'x') + QStringLiteral("e\u0301");
    EXPECT_EQ(SMSLogEintrag_Bilden(z).mid(25, 18), QString(17, 'x') + ' ');
}

TEST(SMSLog, ALogInUtf8WithoutTheMarkStaysSo)
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("sms.log");
    const QByteArray alt =
        QStringLiteral("EG   +7 (x) 01.02.03 12:34:56\r\nСтарое сообщение äöü €\r\n\r\n").toUtf8() + QByteArray(80, '-') +
        "\r\n";
    Datei_Schreiben(datei, alt);
    const QString neu = QStringLiteral("EG   +7 (x) 01.02.03 12:34:57\r\nНовое\r\n\r\n") + QString(80, '-');
    SMSLog log(datei);
    EXPECT_TRUE(log.Eintragen(neu));
    EXPECT_EQ(Datei_Lesen(datei), alt + (neu + "\r\n\r\n").toUtf8());
    // Read back as UTF-8, the old record is found and not written again.
    SMSLog danach(datei);
    EXPECT_TRUE(danach.Eintragen(QStringLiteral("EG   +7 (x) 01.02.03 12:34:56\r\nСтарое сообщение äöü €")));
    EXPECT_EQ(Datei_Lesen(datei), alt + (neu + "\r\n\r\n").toUtf8());
}

TEST(SMSLog, AnEmptyLogIsBegunInUtf8)
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("sms.log");
    Datei_Schreiben(datei, "");
    SMSLog log(datei);
    EXPECT_TRUE(log.Eintragen(QStringLiteral("EG   a")));
    EXPECT_EQ(Datei_Lesen(datei), "\xEF\xBB\xBF" "EG   a\r\n\r\n");
}

TEST(SMSLog, AFailedAppendLeavesTheLogAsItWas)
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("sms.log");
    const QByteArray alt = "EG   a\r\nText\r\n\r\n" + QByteArray(80, '-') + "\r\n\r\n";
    Datei_Schreiben(datei, alt);
    {
        Dateigrenze grenze(std::max<rlim_t>(alt.size() + 40, Sperrdatei_Platz));
        SMSLog log(datei);
        EXPECT_FALSE(log.Eintragen(QStringLiteral("EG   b\r\nZwei\r\n\r\n") + QString(80, '-')));
    }
    EXPECT_EQ(Datei_Lesen(datei), alt);
}

class NameSuchen : public ::testing::Test {
protected:
    void SetUp() override
    {
        TBuchDaten[1][1][1] = "001";
        TBuchDaten[1][1][2] = "Anna";
        TBuchDaten[1][1][3] = "0171234567";
        TBuchDaten[2][1][1] = "001";
        TBuchDaten[2][1][2] = "Bert";
        TBuchDaten[2][1][3] = "+49301234";
        TBuchDaten[3][1][1] = "001";
        TBuchDaten[3][1][2] = "Fest";
        TBuchDaten[3][1][3] = "110";
    }
    FrischesProgramm frisch;
    QTemporaryDir ordner;
};

TEST_F(NameSuchen, CacheOfTheFirstTwoBooksInAnyNumberForm)
{
    for (const char* nummer : {"+49171234567", "0049171234567", "0171234567"})
        EXPECT_EQ(Name_Suchen(nummer), "Anna") << nummer;
    EXPECT_EQ(Name_Suchen("0301234"), "Bert");
    EXPECT_EQ(Name_Suchen("110"), "110");  // book 3 is not searched
    EXPECT_EQ(Name_Suchen("+49"), "+49");  // no tail of nothing matches everything
    EXPECT_EQ(Name_Suchen(""), "");
}

TEST_F(NameSuchen, SenderFileWinsOverTheCache)
{
    SMSAbsenderDatei = ordner.filePath("absender.orx");
    Datei_Schreiben(SMSAbsenderDatei, "SIM\t001\tkurz\r\n"
                                      "SIM\t001\tAnna Schmidt\t+49171234567\t!\r\n"
                                      "LOKAL\t\tDora\t0401111\t\r\n");
    EXPECT_EQ(Name_Suchen("0171234567"), "Anna Schmidt");
    EXPECT_EQ(Name_Suchen("0401111"), "Dora");
    EXPECT_EQ(Name_Suchen("+49301234"), "Bert");
    SMSAbsenderDatei = ordner.filePath("fehlt.orx");
    EXPECT_EQ(Name_Suchen("0171234567"), "Anna");
}

TEST(CSCAAntwort, NumberAndTypeAsThePhoneHoldsThem)
{
    using A = CSCAAntwort;
    const struct {
        const char* antwort;
        A::Art art;
        const char* nummer;
        const char* typ;
    } faelle[] = {
        {"AT+CSCA?\r\r\n+CSCA: \"+491710760000\",145\r\n\r\nOK\r\n", A::Eingetragen, "+491710760000", "145"},
        // international digits without "+"
        {"\r\n+CSCA: \"6281100000\",145\r\n\r\nOK\r\n", A::Eingetragen, "+6281100000", "145"},
        {"\r\n+CSCA: \"01710760000\",129\r\n\r\nOK\r\n", A::Eingetragen, "01710760000", "129"},
        {"\r\n+CSCA: \"+491710760000\"\r\n\r\nOK\r\n", A::Eingetragen, "+491710760000", ""},
        // blanks around the number and the type
        {"\r\n+CSCA: \"491710760000\", 145\r\n\r\nOK\r\n", A::Eingetragen, "+491710760000", "145"},
        {"\r\n+CSCA: \" 01710760000 \" , 129 \r\n\r\nOK\r\n", A::Eingetragen, "01710760000", "129"},
        // a type that cannot be read
        {"\r\n+CSCA: \"491710760000\",14x\r\n\r\nOK\r\n", A::Eingetragen, "491710760000", ""},
        {"\r\n+CSCA: \"491710760000\" 145\r\n\r\nOK\r\n", A::Eingetragen, "491710760000", ""},
        {"\r\n+CSCA: \"+12345678901234567890\",145\r\nOK\r\n", A::Eingetragen, "+12345678901234567890", "145"},
        {"\r\n+CSCA: EMPTY\r\nOK\r\n", A::Leer, "", ""},
        {"\r\n+CSCA: \"\",129\r\nOK\r\n", A::Leer, "", ""},
        {"AT+CSCA?\r\r\nOK\r\n", A::Unlesbar, "", ""},
        // a phone left in UCS2
        {"\r\n+CSCA: \"002B003400390031003700310030003700360030003000300030\",145\r\nOK\r\n", A::Ungueltig, "",
         ""},
        {"\r\n+CSCA: \"+123456789012345678901\",145\r\nOK\r\n", A::Ungueltig, "", ""},
        {"\r\n+CSCA: \"+\",145\r\nOK\r\n", A::Ungueltig, "", ""},
        {"+CSCA: \"+4917", A::Ungueltig, "", ""},
    };
    for (const auto& f : faelle) {
        const A a = CSCA_Antwort_Lesen(QString::fromLatin1(f.antwort));
        EXPECT_EQ(a.Ergebnis, f.art) << f.antwort;
        EXPECT_EQ(a.Nummer, QString::fromLatin1(f.nummer)) << f.antwort;
        EXPECT_EQ(a.Typ, QString::fromLatin1(f.typ)) << f.antwort;
    }
}
