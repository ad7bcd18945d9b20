// Reply parsers of the message commands, sender-name matching and the send log.
#include "sms/SMSAntworten.h"
#include "sms/SendeLog.h"
#include "support/Testdateien.h"
#include "support/Zweitprozess.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

using namespace Module1;

TEST(SMSAntworten, CMGLZerlegen)
{
    const QString antwort = QStringLiteral(
        "AT+CMGL=4\r\r\n"
        "+CMGL: 1,1,,32\r\n0791947101670000040B919471214365F70000302010214365400AE8329BFD4697D9EC37\r\n"
        "+CMGL: 12,2,\"OK, Anna\",9\r\n00110000810000FF00\r\n"
        "+CMGL: 3,0,,33\r\n0791947101670000062A0B919471214365F73020102143654030\r\n20102153804000\r\n"
        "\r\nOK\r\n");
    const auto e = CMGL_Antwort_Zerlegen(antwort);
    ASSERT_EQ(e.size(), 3);
    EXPECT_EQ(e[0].Index, 1);
    EXPECT_EQ(e[0].Status, 1);
    EXPECT_EQ(e[0].PDU, "0791947101670000040B919471214365F70000302010214365400AE8329BFD4697D9EC37");
    // An "OK" inside the alpha field does not end the list.
    EXPECT_EQ(e[1].Index, 12);
    EXPECT_EQ(e[1].Status, 2);
    EXPECT_EQ(e[1].PDU, "00110000810000FF00");
    // A PDU broken over two lines is joined.
    EXPECT_EQ(e[2].PDU, "0791947101670000062A0B919471214365F7302010214365403020102153804000");

    EXPECT_TRUE(CMGL_Antwort_Zerlegen("AT+CMGL=4\r\r\nOK\r\n").isEmpty());
    EXPECT_TRUE(CMGL_Antwort_Zerlegen("OK\r\n").isEmpty());
    EXPECT_TRUE(CMGL_Antwort_Zerlegen("AT+CMGL=4\r\r\n+CMS ERROR: 321\r\n").isEmpty());
    // A header without numbers is skipped with its PDU; the next message still comes.
    const auto teil = CMGL_Antwort_Zerlegen("+CMGL: x,1\r\nAB\r\n+CMGL: 4,7,,2\r\nCD\r\nOK\r\n");
    ASSERT_EQ(teil.size(), 1);
    EXPECT_EQ(teil[0].Index, 4);
    EXPECT_EQ(teil[0].Status, 7);
    EXPECT_EQ(teil[0].PDU, "CD");
}

TEST(SMSAntworten, CMGRPdu)
{
    EXPECT_EQ(CMGR_PDU_Lesen("AT+CMGR=2\r\r\n+CMGR: 1,,14\r\n00110000810000FF05C8309BFD06\r\n\r\nOK\r\n"),
              QString("00110000810000FF05C8309BFD06"));
    EXPECT_EQ(CMGR_PDU_Lesen("+CMGR: 0,\"OK\",9\r\n0011\r\n0000\r\nOK\r\n"), QString("00110000"));
    // An empty slot, as phones answer it besides the invalid index.
    EXPECT_FALSE(CMGR_PDU_Lesen("AT+CMGR=2\r\r\n+CMGR: 0,,0\r\n\r\nOK\r\n").has_value());
    EXPECT_FALSE(CMGR_PDU_Lesen("AT+CMGR=2\r\r\nOK\r\n").has_value());
}

TEST(SMSAntworten, CPMSZaehler)
{
    struct Fall {
        const char* antwort;
        int belegt, gesamt;
        const char* beschriftung;
        int breite, links;
    };
    const Fall faelle[] = {
        {"\r\n+CPMS: \"SM\",3,10,\"SM\",3,10,\"SM\",3,10\r\n\r\nOK\r\n", 3, 10, "SMS-Speicher: 7 von 10 frei", 1522, 773},
        {"+CPMS: \"SM\",12,30\r\nOK\r\n", 12, 30, "SMS-Speicher: 18 von 30 frei", 1305, 990},
        {"+CPMS: \"SM\",10,10\r\nOK\r\n", 10, 10, "SMS-Speicher: 0 von 10 frei", 0, 2295},
        {"+CPMS: \"SM\",0,0\r\nOK\r\n", 0, 0, "SMS-Speicher: 0 von 0 frei", 0, 2295},
        // counts of three digits are read whole
        {"at+cpms?\r\r\n+CPMS: \"ME\",5,150,\"ME\",5,150\r\nOK\r\n", 5, 150, "SMS-Speicher: 145 von 150 frei", 2102, 193},
    };
    for (const Fall& f : faelle) {
        const auto stand = CPMS_Zaehler_Lesen(QString::fromLatin1(f.antwort));
        ASSERT_TRUE(stand.has_value()) << f.antwort;
        EXPECT_EQ(stand->Belegt, f.belegt);
        EXPECT_EQ(stand->Gesamt, f.gesamt);
        EXPECT_EQ(Speicher_Beschriftung(*stand), f.beschriftung);
        EXPECT_EQ(Speicherbalken_Berechnen(*stand).Breite, f.breite) << f.antwort;
        EXPECT_EQ(Speicherbalken_Berechnen(*stand).Links, f.links) << f.antwort;
    }
    EXPECT_TRUE(CPMS_Zaehler_Lesen("+CPMS: \"SM\",10,10\r\n")->Voll());
    EXPECT_FALSE(CPMS_Zaehler_Lesen("+CPMS: \"SM\",9,10\r\n")->Voll());
    for (const char* kaputt : {"OK\r\n", "+CPMS: \"SM\"\r\n", "+CPMS: \"SM\",,10\r\n", "+CPMS: \"SM\",3\r\n,10"})
        EXPECT_FALSE(CPMS_Zaehler_Lesen(kaputt).has_value()) << kaputt;
}

TEST(SMSAntworten, CMGSReferenz)
{
    EXPECT_EQ(CMGS_Referenz_Lesen("\r\n+CMGS: 7\r\n\r\nOK\r\n"), QString("7"));
    EXPECT_EQ(CMGS_Referenz_Lesen("\x1a\r\n+CMGS: 123\r\nOK\r\n"), QString("123"));
    EXPECT_FALSE(CMGS_Referenz_Lesen("\r\nOK\r\n").has_value());
    EXPECT_FALSE(CMGS_Referenz_Lesen("+CMGS: 7").has_value());
}

TEST(SMSAntworten, NummernVergleichen)
{
    struct Fall {
        const char* nachricht;
        const char* eintrag;
        bool gleich;
    };
    const Fall faelle[] = {
        {"+49171234567", "0171234567", true},
        {"0049171234567", "0171234567", true},
        {"0171234567", "0171234567", true},
        {"0171234567", "+49171234567", true},
        {"0171234567", "0049171234567", true},
        {"017123456", "+4917123456", true},   // 9 national against 11 international
        {"+43171234567", "0171234567", true},  // the country code is not compared
        {"+49171234567", "+43171234567", false},
        {"+49171234567", "+49171234568", false},
        {"0171234567", "0171234568", false},
        {"+49", "0171234567", false},          // no tail left to compare
        {"0049", "0171234567", false},
        {"", "", false},
        {"", "0171234567", false},
        {"+49171234567", "", false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Nummern_Vergleichen(f.nachricht, f.eintrag), f.gleich) << f.nachricht << " / " << f.eintrag;
}

TEST(SMSAntworten, AbsendernameSuchen)
{
    const QVector<NameNummer> buecher = {{"Anna", "0171234567"}, {"Bernd", "+4930123"}, {"Anna2", "0171234567"}};
    const QVector<NameNummer> datei = Absenderdatei_Zerlegen({
        "SIM\t001\tAnna Schmidt\t+49171234567\t!",
        "kaputt\tzeile",
        "TELEFON\t002\tCarl\t0401234\t",
    });
    ASSERT_EQ(datei.size(), 2);
    EXPECT_EQ(Absendername_Suchen("+49171234567", buecher, {}), "Anna");
    EXPECT_EQ(Absendername_Suchen("+49171234567", buecher, datei), "Anna Schmidt");
    EXPECT_EQ(Absendername_Suchen("0401234", buecher, datei), "Carl");
    EXPECT_EQ(Absendername_Suchen("+4930123", buecher, datei), "Bernd");
    EXPECT_EQ(Absendername_Suchen("+4989", buecher, datei), "+4989");
    EXPECT_EQ(Absendername_Suchen("", {{"Leer", ""}}, {}), "");
}

TEST(SMSAntworten, SendeLog)
{
    const QDateTime zeit(QDate(2003, 2, 1), QTime(12, 34, 56));
    EXPECT_EQ(SendeLogZeile_Bilden("7", zeit, "+49171234567", false, false, "Test"),
              "  7 01.02.2003 12:34:56 +49171234567\tNein\t\tNein\t\tTest");
    EXPECT_EQ(SendeLogZeile_Bilden("1234", zeit, "0171", true, true, "a\nb"),
              "1234 01.02.2003 12:34:56 0171\tJa\t\tJa\t\ta\nb");
    EXPECT_TRUE(SendeLogZeile_Bilden("", zeit, "0171", true, false, "x").startsWith("    01.02.2003"));

    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("SMSLOG.TXT");
    ASSERT_TRUE(SendeLog_Anhaengen(pfad, "erste"));
    ASSERT_TRUE(SendeLog_Anhaengen(pfad, QStringLiteral("zweite ä")));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Nr. Datum    Uhrzeit  Empf\xe4nger \tStatusber.\tAnzeigen\tNachrichteninhalt\r\n"
                                      "erste\r\nzweite \xe4\r\n"));
    EXPECT_FALSE(SendeLog_Anhaengen(ordner.filePath("fehlt/SMSLOG.TXT"), "x"));
}

// Another instance sending its first message; it says when it begins.
static const bool ZweiteSendet = Aufgabe_Eintragen("sendelog", [](const QStringList& argumente) {
    std::fputs("los\n", stdout);
    std::fflush(stdout);
    return SendeLog_Anhaengen(argumente.at(0), "zweite") ? 0 : 1;
});

TEST(SMSAntworten, TheSendLogsHeaderIsWrittenUnderTheLockOfItsLine)
{
    const QByteArray kopf = "Nr. Datum    Uhrzeit  Empf\xe4nger \tStatusber.\tAnzeigen\tNachrichteninhalt\r\n";
    // Which instance comes first is up to the system: a few rounds.
    for (int runde = 0; runde < 5; ++runde) {
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath("SMSLOG.TXT");
        QProcess zweite;
        {
            // This instance writes the new log under the lock while the other one waits for it.
            QLockFile sperre(pfad + ".lock");
            ASSERT_TRUE(sperre.tryLock(0));
            Aufgabe_Starten(zweite, "sendelog", {pfad});
            ASSERT_TRUE(zweite.waitForReadyRead(10000));
            Datei_Anlegen(pfad, kopf + "erste\r\n");
        }
        ASSERT_TRUE(zweite.waitForFinished(10000));
        EXPECT_EQ(zweite.exitCode(), 0);
        ASSERT_EQ(Datei_Lesen(pfad), kopf + "erste\r\nzweite\r\n") << runde;
    }
}
