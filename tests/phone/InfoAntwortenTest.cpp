// The replies of the identity and status commands, read as the information window reads them,
// and the report it writes.
#include "phone/Antwortteile.h"
#include "phone/InfoAntworten.h"

#include <gtest/gtest.h>

using namespace Module1;

namespace {

TEST(Zahl, ReadsDigitsAfterBlanksUpToTheFirstOther)
{
    const struct {
        const char* text;
        int wert;
        bool vorhanden;
    } faelle[] = {
        {"31", 31, true},  {"  7,99", 7, true}, {"085", 85, true}, {"", 0, false},
        {" ", 0, false},   {"x12", 0, false},   {"-5", 0, false},  {"12345678901234", 999999999, true},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(Zahl_Lesen(QString::fromLatin1(f.text)), f.wert) << f.text;
        EXPECT_EQ(Zahl_Vorhanden(QString::fromLatin1(f.text)), f.vorhanden) << f.text;
    }
}

TEST(Felder, CommasInsideQuotesDoNotSplit)
{
    EXPECT_EQ(Felder_Teilen(QStringLiteral("1,\"a,b\",,7")), QStringList({"1", "\"a,b\"", "", "7"}));
    EXPECT_EQ(Ohne_Anfuehrung(QStringLiteral(" \"x\" ")), "x");
    EXPECT_EQ(Ohne_Anfuehrung(QStringLiteral("\"")), "\"");
}

TEST(Antworttest, TestTextAnywhereAndOkAtTheEnd)
{
    const QString imei = QStringLiteral("AT+CGSN\r\r\n350123456789012\r\n\r\nOK\r\n");
    EXPECT_TRUE(Antwort_Pruefen(imei, QStringLiteral("+CGSN"), 4));
    EXPECT_FALSE(Antwort_Pruefen(imei, QStringLiteral("+CIMI"), 4));
    EXPECT_TRUE(Antwort_Pruefen(imei, QString(), 4));
    // "OK" further back than the window does not count.
    EXPECT_FALSE(Antwort_Pruefen(QStringLiteral("AT+CGSN\r\r\n1\r\n\r\nOK\r\nX\r\n"), QStringLiteral("+CGSN"), 4));
    EXPECT_TRUE(Antwort_Pruefen(QStringLiteral("AT+CSQ\r\r\n+CSQ: 1,2\r\n\r\nOK\r\nX\r\n"), QStringLiteral("+CSQ:"), 10));
}

TEST(Echozeile, ValueOnTheLineAfterTheEcho)
{
    EXPECT_EQ(Echozeile_Schneiden(QStringLiteral("AT+CGSN\r\r\n350123456789012\r\n\r\nOK\r\n"),
                                  QStringLiteral("AT+CGSN")),
              QStringLiteral("350123456789012"));
    EXPECT_EQ(Echozeile_Schneiden(QStringLiteral("AT+CGMR\r\r\nRev 4.2\r\n\r\nOK\r\n"), QStringLiteral("AT+CGMR")),
              QStringLiteral("Rev 4.2"));
    // Without the echo, or without a line end after the value, there is no value.
    EXPECT_EQ(Echozeile_Schneiden(QStringLiteral("\r\n350123456789012\r\n\r\nOK\r\n"), QStringLiteral("AT+CGSN")),
              std::nullopt);
    EXPECT_EQ(Echozeile_Schneiden(QStringLiteral("AT+CGSN\r\r\n3501"), QStringLiteral("AT+CGSN")), std::nullopt);
    EXPECT_EQ(Echozeile_Schneiden(QStringLiteral("AT+CGSN\r"), QStringLiteral("AT+CGSN")), std::nullopt);
}

TEST(Hersteller, WithAndWithoutEcho)
{
    EXPECT_EQ(Hersteller_Lesen(QStringLiteral("AT+CGMI\r\r\nACME\r\n\r\nOK\r\n")), QStringLiteral("ACME"));
    EXPECT_EQ(Hersteller_Lesen(QStringLiteral("\r\nACME\r\n\r\nOK\r\n")), QStringLiteral("ACME"));
    EXPECT_EQ(Hersteller_Lesen(QStringLiteral("\r\nACME")), std::nullopt);
}

TEST(Akku, ChargeSourceAndPicture)
{
    const struct {
        const char* antwort;
        int verbindung;
        int ladung;
        int bild;
        const char* quelle;
    } faelle[] = {
        {"AT+CBC\r\r\n+CBC: 0,29\r\n\r\nOK\r\n", 0, 29, 0, "Batteriebetrieb"},
        {"+CBC: 0,30\r\n", 0, 30, 1, "Batteriebetrieb"},
        {"+CBC: 1,49\r\n", 1, 49, 1, "Netzbetrieb"},
        {"+CBC: 1,50\r\n", 1, 50, 2, "Netzbetrieb"},
        {"+CBC: 0,69\r\n", 0, 69, 2, "Batteriebetrieb"},
        {"+CBC: 0,70\r\n", 0, 70, 3, "Batteriebetrieb"},
        {"+CBC: 0,89\r\n", 0, 89, 3, "Batteriebetrieb"},
        {"+CBC: 1,90\r\n", 1, 90, 4, "Netzbetrieb"},
        {"+CBC: 2,100\r\n", 2, 100, 4, ""},
        {"+CBC: 3,0\r\n", 3, 0, 0, ""},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.antwort);
        const std::optional<Akkustand> a = CBC_Lesen(QString::fromLatin1(f.antwort));
        ASSERT_TRUE(a);
        EXPECT_EQ(a->Verbindung, f.verbindung);
        EXPECT_EQ(a->Ladung, f.ladung);
        EXPECT_EQ(Akkubild_Waehlen(a->Ladung), f.bild);
        EXPECT_EQ(Stromquelle_Text(a->Verbindung), QString::fromLatin1(f.quelle));
    }
    // Missing pieces give no value at all instead of a wrong one.
    for (const char* kaputt : {"AT+CBC\r\r\nOK\r\n", "+CBC: 0\r\n", "+CBC: 0,\r\n", "+CBC: 0,x\r\n", "+CBC:0,5\r\n"})
        EXPECT_EQ(CBC_Lesen(QString::fromLatin1(kaputt)), std::nullopt) << kaputt;
}

TEST(Pegel, DbmTextAndPicture)
{
    const struct {
        const char* antwort;
        int rssi;
        const char* text;
        int bild;
    } faelle[] = {
        {"AT+CSQ\r\r\n+CSQ: 31,99\r\n\r\nOK\r\n", 31, "-51 dBm", 5},
        {"+CSQ: 0,0", 0, "-113 dBm", 1},
        {"+CSQ: 1,0", 1, "-111 dBm", 2},
        {"+CSQ: 2,0", 2, "-109 dBm", 3},
        {"+CSQ: 18,0", 18, "-77 dBm", 3},
        {"+CSQ: 19,0", 19, "-75 dBm", 4},
        {"+CSQ: 30,0", 30, "-53 dBm", 4},
        {"+CSQ: 40,0", 40, "-33 dBm", -1},
        {"+CSQ: 60,0", 60, "7 dBm", -1},
        {"+CSQ: 99,99", 99, "unbekannt", 0},
        {"+CSQ:  5,3", 5, "-103 dBm", 3},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.antwort);
        const std::optional<int> rssi = CSQ_Pegel_Lesen(QString::fromLatin1(f.antwort));
        ASSERT_EQ(rssi, f.rssi);
        EXPECT_EQ(Pegel_Text(*rssi), QString::fromLatin1(f.text));
        EXPECT_EQ(Pegelbild_Waehlen(*rssi), f.bild);
    }
    for (const char* kaputt : {"+CSQ: 31\r\n,5", "+CSQ: ,99", "AT+CSQ\r\r\nOK"})
        EXPECT_EQ(CSQ_Pegel_Lesen(QString::fromLatin1(kaputt)), std::nullopt) << kaputt;
}

TEST(Betreiber, NameBetweenTheFirstQuotes)
{
    EXPECT_EQ(COPS_Betreiber_Lesen(QStringLiteral("AT+COPS?\r\r\n+COPS: 0,0,\"Orion\"\r\n\r\nOK\r\n")), "Orion");
    EXPECT_EQ(COPS_Betreiber_Lesen(QStringLiteral("AT+COPS?\r\r\n+COPS: 0\r\n\r\nOK\r\n")), "");
    EXPECT_EQ(COPS_Betreiber_Lesen(QStringLiteral("+COPS: 0,0,\"Netz\r\nOK\r\n")), "");
}

TEST(Zelle, CellFieldOrRegistrationState)
{
    const struct {
        const char* antwort;
        const char* zelle;
    } faelle[] = {
        {"AT+CREG?\r\r\n+CREG: 2,1,\"00C3\",\"0010\"\r\n\r\nOK\r\n", "0010"},
        {"+CREG: 2,5,\"00C3\",\"A1B2C3\"\r\n", "A1B2C3"},
        {"+CREG: 2,1,\"00C3\",\"01A2B3C4\"\r\n", "01A2B3C4"},  // 3G and 4G cells
        {"+CREG: 2,1,00C3,0010\r\n", "0010"},
        {"+CREG: 0,1\r\n\r\nOK\r\n", ""},
        {"+CREG: 0,5\r\n\r\nOK\r\n", ""},
        {"+CREG: 0,0\r\n\r\nOK\r\n", "nicht eingebucht."},
        {"+CREG: 2,2\r\n\r\nOK\r\n", "nicht eingebucht."},
        {"AT+CREG?\r\r\nOK\r\n", ""},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(CREG_Zelle_Lesen(QString::fromLatin1(f.antwort)), QString::fromLatin1(f.zelle)) << f.antwort;
}

TEST(Infobericht, HeaderEmptyLineAndTenPaddedKeys)
{
    const QDateTime zeitpunkt(QDate(2001, 3, 5), QTime(12, 34, 56));
    EXPECT_EQ(Infobericht_Zeilen(QStringList(), zeitpunkt),
              QStringList({"Daten aufgenommen am 05.03.2001 um 12:34:56", "", "IMEI            : ",
                           "IMSI            : ", "Hersteller      : ", "MODELL          : ", "SOFTWAREVERSION : ",
                           "BATTERIESTAND   : ", "STROMQUELLE     : ", "EMPFANG         : ", "NETZBETREIBER   : ",
                           "ZELLE           : "}));
    QStringList werte(10);
    werte[0] = QStringLiteral("350123456789012");
    werte[9] = QStringLiteral("00\r\n10");  // a line break never splits a report line
    const QStringList zeilen = Infobericht_Zeilen(werte, zeitpunkt);
    EXPECT_EQ(zeilen.at(2), "IMEI            : 350123456789012");
    EXPECT_EQ(zeilen.at(11), "ZELLE           : 0010");
}

}  // namespace
