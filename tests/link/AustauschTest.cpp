// The command exchange against a scripted port: results, messages and the bytes written.
#include "common/Einstellungen.h"
#include "link/Module1.h"
#include "support/Attrappen.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

const QString Busy = QStringLiteral(
    "Die Schnittstelle wird gerade von einer anderen Funktion benutzt - bitte warten Sie, bis diese abgeschlossen ist!");
const QString Fehler = QStringLiteral(
    "Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte versuchen Sie es erneut.");
const QString Timeout = QStringLiteral(
    "Bei der Kommunikation mit dem Handy ist es zum Timeout gekommen - bitte prüfen Sie, ob das Handy verfügbar "
    "ist. Setzen Sie ggf. die Timeoutzeit höher!");
const QString PinFehler = QStringLiteral(
    "Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte versuchen Sie es erneut. (Eine PIN(2) "
    "war nicht nötig.)");

class Austausch : public ::testing::Test {
protected:
    LinkUmgebung u;
};

TEST_F(Austausch, OkReplySplitAcrossPollsEndsWithSuccess)
{
    u.Port.Bei("AT+CGMM", {"AT+CGMM\r\r\nS35\r\n", "", "\r\nO", "K\r\n"});
    EXPECT_TRUE(Befehl_Senden("AT+CGMM", true));
    EXPECT_EQ(u.Port.Gesendet, "AT+CGMM\r\n");
    EXPECT_EQ(Link().Text2, "AT+CGMM\r\r\nS35\r\n\r\nOK\r\n");
    EXPECT_EQ(Link().Text1, Link().Text2);
    // The reply buffer takes complete lines.
    EXPECT_EQ(u.Anzeige.Panels[3], "Eingangspuffer: 15");
    EXPECT_FALSE(u.Anzeige.LampeRot);
    EXPECT_FALSE(u.Anzeige.Gesperrt);
    EXPECT_EQ(u.Anzeige.MeterWert, 0);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(LetzterBefehl, "AT+CGMM");
    EXPECT_EQ(u.Port.OutBufferLeerungen, 1);
}

TEST_F(Austausch, SilentPhoneTimesOutAfterExactlyTimeoutFaktorEmptyPolls)
{
    EXPECT_FALSE(Befehl_Senden("AT", true));
    // One poll is the discard before the send.
    EXPECT_EQ(u.Port.Polls, 1 + 1000);
    EXPECT_EQ(u.Yields, 1000);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(u.Dialoge.Meldungen[0].titel, "ORX 2000");
    EXPECT_EQ(u.Anzeige.MeterWert, 0);
    EXPECT_FALSE(u.Anzeige.LampeRot);
}

TEST_F(Austausch, CounterRestartsWithEachChunk)
{
    u.Port.Bei("AT", {"", "", "", "", "", "abc"});
    EXPECT_FALSE(Befehl_Senden("AT", true));
    EXPECT_EQ(u.Port.Polls, 1 + 1005);
    EXPECT_EQ(Link().Text2, "abc");
}

TEST_F(Austausch, OkInsideEchoedNameDoesNotEndTheWait)
{
    u.Port.Bei("CPBW", {"AT+CPBW=1,\"0301\",129,\"BOOKER\"\r", "\r\n+CME ERROR: 20\r\n"});
    u.Port.Bei("AT+CPIN?", {"AT+CPIN?\r\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n"});
    // The user cancels the PIN box: no resend.
    EXPECT_FALSE(Befehl_Senden("AT+CPBW=1,\"0301\",129,\"BOOKER\"", true));
    EXPECT_EQ(u.Port.Gesendet, "AT+CPBW=1,\"0301\",129,\"BOOKER\"\r\nAT+CPIN?\r\n");
    EXPECT_EQ(u.Dialoge.Eingabeprompts, QStringList{"PIN2 erforderlich:"});
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Austausch, AnOkBeforeAnEchoNotAwaitedIsNoAnswer)
{
    // Nothing is known of the phone's echo yet; a stale "OK" comes with the echo.
    u.Port.Bei("AT+B", {"\r\nOK\r\nAT+B\r\r\n+CME ERROR: 3\r\n"});
    EXPECT_FALSE(Befehl_Senden("AT+B", true));
    EXPECT_EQ(u.Port.Gesendet, "AT+B\r\nAT+CPIN?\r\n");  // the error line decided
}

TEST_F(Austausch, ErrorWordInsideDataIsNoError)
{
    u.Port.Bei("AT+X", {"\r\n+X: \"ERROR 5 OK\"\r\n", "\r\nOK\r\n"});
    EXPECT_TRUE(Befehl_Senden("AT+X", true));
    EXPECT_EQ(u.Port.Gesendet, "AT+X\r\n");
}

TEST_F(Austausch, ErrorWithPinReadyGivesThePinNote)
{
    u.Port.Bei("AT+CPBR=300", {"\r\n+CME ERROR: 21\r\n"});
    u.Port.Bei("AT+CPIN?", {"\r\n+CPIN: READY\r\n\r\nOK\r\n"});
    EXPECT_FALSE(Befehl_Senden("AT+CPBR=300", true));
    EXPECT_EQ(u.Port.Gesendet, "AT+CPBR=300\r\nAT+CPIN?\r\n");
    EXPECT_EQ(u.Anzeige.Panels[2], "Passwortprüfung....");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{PinFehler});
    EXPECT_FALSE(u.Anzeige.LampeRot);
}

TEST_F(Austausch, ErrorWhenPinQueryFailsToo)
{
    u.Port.Bei("AT+Y", {"\r\nERROR\r\n"});
    u.Port.Bei("AT+CPIN?", {"\r\n+CME ERROR: 10\r\n"});
    EXPECT_FALSE(Befehl_Senden("AT+Y", true));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Fehler});
    EXPECT_TRUE(u.Dialoge.Eingabeprompts.isEmpty());
}

TEST_F(Austausch, SilentPinQueryAsksNothingAndShowsTheTimeout)
{
    u.Port.Bei("AT+Y", {"\r\nERROR\r\n"});
    EXPECT_FALSE(Befehl_Senden("AT+Y", true));
    // The sub-wait runs one poll longer than the main wait.
    EXPECT_EQ(u.Port.Polls, 1 + 1 + 1001);
    EXPECT_TRUE(u.Dialoge.Eingabeprompts.isEmpty());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(Austausch, Pin2AcceptedAndCommandResent)
{
    u.Port.Bei("AT+CPBW=1", {"\r\n+CME ERROR: 17\r\n"});
    u.Port.Bei("AT+CPIN?", {"\r\n+CPIN: SIM PIN2\r\n", "\r\nO", "K\r\n"});
    u.Port.Bei("AT+CPIN=1234", {"\r\nO", "K\r\n"});
    u.Port.Bei("AT+CPBW=1", {"\r\nOK\r\n"});
    u.Dialoge.Eingaben = {"1234"};
    EXPECT_TRUE(Befehl_Senden("AT+CPBW=1", true));
    EXPECT_EQ(u.Port.Gesendet, "AT+CPBW=1\r\nAT+CPIN?\r\nAT+CPIN=1234\r\nAT+CPBW=1\r\n");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(u.Anzeige.Panels[2], "Sende Befehl erneut...");
    // The reply buffer keeps the PIN query's reply before the rest.
    EXPECT_TRUE(Link().Text2.startsWith("\r\n+CPIN: SIM PIN2"));
    EXPECT_EQ(Link().Text1, "\r\nOK\r\n\r\nOK\r\n");
}

TEST_F(Austausch, ResendWithoutLineEndGetsOne)
{
    u.Port.Bei("DATA", {"\r\nERROR\r\n"});
    u.Port.Bei("AT+CPIN?", {"\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n"});
    u.Port.Bei("AT+CPIN=", {"\r\nOK\r\n"});
    u.Port.Bei("DATA", {"\r\nERROR\r\n"});
    u.Dialoge.Eingaben = {"99"};
    EXPECT_FALSE(Befehl_Senden("DATA", false));
    EXPECT_EQ(u.Port.Gesendet, "DATAAT+CPIN?\r\nAT+CPIN=99\r\nDATA\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Fehler});
}

TEST_F(Austausch, WrongPin2)
{
    u.Port.Bei("AT+Z", {"\r\nERROR\r\n"});
    u.Port.Bei("AT+CPIN?", {"\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n"});
    u.Port.Bei("AT+CPIN=", {"\r\n+CME ERROR: 16\r\n"});
    u.Dialoge.Eingaben = {"0000"};
    EXPECT_FALSE(Befehl_Senden("AT+Z", true));
    EXPECT_EQ(u.Dialoge.Texte(), (QStringList{"PIN nicht richtig!", Fehler}));
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    EXPECT_EQ(u.Port.Gesendet.count("AT+Z"), 1);
}

TEST_F(Austausch, Pin2WithOtherThanDigitsIsNeverSent)
{
    u.Port.Bei("AT+Z", {"\r\nERROR\r\n"});
    u.Port.Bei("AT+CPIN?", {"\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n"});
    u.Dialoge.Eingaben = {"12;+CPBW=1"};
    EXPECT_FALSE(Befehl_Senden("AT+Z", true));
    EXPECT_FALSE(u.Port.Gesendet.contains("AT+CPIN="));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"PIN nicht richtig!"});
}

TEST_F(Austausch, ResendThatTimesOut)
{
    u.Port.Bei("AT+Z", {"\r\nERROR\r\n"});
    u.Port.Bei("AT+CPIN?", {"\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n"});
    u.Port.Bei("AT+CPIN=", {"\r\nOK\r\n"});
    u.Dialoge.Eingaben = {"1234"};
    EXPECT_FALSE(Befehl_Senden("AT+Z", true));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(Austausch, CommandRefusedWhileTheLampIsRed)
{
    bool innerErgebnis = true;
    int polls = 0;
    u.Port.BeiPoll = [&] {
        if (++polls == 3)
            innerErgebnis = Befehl_Senden("AT+INNER", true);
    };
    u.Port.Bei("AT+OUTER", {"", "", "", "\r\nOK\r\n"});
    EXPECT_TRUE(Befehl_Senden("AT+OUTER", true));
    EXPECT_FALSE(innerErgebnis);
    EXPECT_EQ(u.Port.Gesendet, "AT+OUTER\r\n");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Busy});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
}

TEST_F(Austausch, MessagesShowWhileTheWindowsAreStillDisabled)
{
    bool gesperrtBeiMeldung = false;
    u.Dialoge.BeiMeldung = [&](const DialogeSkript::Meldung_&) { gesperrtBeiMeldung = u.Anzeige.Gesperrt; };
    EXPECT_FALSE(Befehl_Senden("AT", true));
    EXPECT_TRUE(gesperrtBeiMeldung);
    EXPECT_FALSE(u.Anzeige.Gesperrt);
}

TEST_F(Austausch, StaleInputIsDiscardedBeforeTheSend)
{
    u.Port.Liefern({"\r\nRING\r\n"});
    u.Port.Bei("AT", {"\r\nOK\r\n"});
    EXPECT_TRUE(Befehl_Senden("AT", true));
    EXPECT_EQ(Link().Text2, "\r\nOK\r\n");
}

TEST_F(Austausch, PromptWait)
{
    u.Port.Bei("AT+CMGS=23", {"AT+CMGS=23\r", "\r\n> "});
    EXPECT_TRUE(Prompt_Senden("AT+CMGS=23", true));
    EXPECT_EQ(u.Port.Gesendet, "AT+CMGS=23\r\n");
    EXPECT_EQ(u.Yields, 0);  // the prompt wait does not serve events
    EXPECT_FALSE(u.Anzeige.LampeRot);

    u.Port.Bei("AT+CMGS=99", {"AT+CMGS=99\r\r\n+CMS ERROR: 304\r\n"});
    EXPECT_FALSE(Prompt_Senden("AT+CMGS=99", true));
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Fehler});

    EXPECT_FALSE(Prompt_Senden("AT^SBNW=x", true));
    EXPECT_EQ(u.Dialoge.Texte().last(), Timeout);
}

TEST_F(Austausch, UnsolicitedLinesAfterTheEchoKeepNoWaitAlive)
{
    // The phone echoes, then only reports its network every 300 polls.
    QStringList chunks{"AT+B\r\r\n+CREG: 1\r\n"};
    for (int i = 0; i < 20; ++i)
        chunks << QStringList(299, QString()) << "\r\n+CREG: 1\r\n";
    u.Port.Bei("AT+B", chunks);
    EXPECT_FALSE(Befehl_Senden("AT+B", true));
    EXPECT_EQ(u.Port.Polls, 1 + 1000);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{Timeout});
}

TEST_F(Austausch, TheQuietWaitBeforeACommandServesTheWindows)
{
    Link().Uhr = [this] { return qint64(u.Port.Polls); };
    u.Port.CommPort_Setzen(1);
    ASSERT_TRUE(u.Port.Oeffnen());
    EXPECT_FALSE(Befehl_Senden("AT+A", true));  // a time-out: the next command waits for quiet
    QString gesendet;
    QTimer::singleShot(0, [&] { gesendet = u.Port.Gesendet; });
    u.Port.Bei("ATS3?\r\n", {"\r\n013\r\n\r\nOK\r\n"});
    u.Port.Bei("AT+B", {"AT+B\r\r\nOK\r\n"});
    EXPECT_TRUE(Befehl_Senden("AT+B", true));
    EXPECT_EQ(gesendet, "AT+A\r\n");
    EXPECT_EQ(u.Port.Gesendet, "AT+A\r\nATS3?\r\nAT+B\r\n");
}

TEST_F(Austausch, BefehlSchreibenRecordsTheCommandForTheResend)
{
    Befehl_Schreiben("AT^SBNR=vcs,3", true);
    EXPECT_EQ(LetzterBefehl, "AT^SBNR=vcs,3");
    EXPECT_EQ(u.Port.Gesendet, "AT^SBNR=vcs,3\r\n");
}

TEST(Debuglog, WrittenOnlyForExactlyTheDebugArgument)
{
    const QString datei = QDir(Programmordner()).filePath("debug.log");
    for (const QStringList& argumente : {QStringList{"-DEBUG/ALL"}, QStringList{"-debug/all", "x"}, QStringList{}}) {
        QFile::remove(datei);
        LinkUmgebung u;
        Link().Argumente = argumente;
        u.Port.Bei("AT", {"\r\nOK\r\n"});
        Befehl_Senden("AT", true);
        EXPECT_FALSE(QFile::exists(datei)) << argumente.join(' ').toStdString();
    }

    QFile::remove(datei);
    LinkUmgebung u;
    Link().Argumente = {"-debug/all"};
    u.Port.Bei("AT+A", {"A\r\nOK\r\n"});
    u.Port.Bei("AT+B", {"B\r\nOK\r\n"});
    Befehl_Senden("AT+A", true);
    Befehl_Senden("AT+B", true);
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("A\r\nOK\r\n\r\nB\r\nOK\r\n\r\n"));
}

TEST(Antwort_Bereinigen, KeepsPairsDropsLoneLineBreaks)
{
    QString t = "a\r\r\nb\n\rc";
    EXPECT_EQ(Antwort_Bereinigen(t), "a\r\nbc");
    EXPECT_EQ(t, "a\r\nbc");
    t = "abc";
    EXPECT_EQ(Antwort_Bereinigen(t), "abc");
    t = "\n\r";
    EXPECT_EQ(Antwort_Bereinigen(t), "");
    // Code 8 is a letter on the phone, not a line break.
    t = QString("x") + QChar(8) + "y\r\n";
    EXPECT_EQ(Antwort_Bereinigen(t), QString("x") + QChar(8) + "y\r\n");
}

TEST(CPIN_Zustand_Lesen, TheStateAsThePhoneWroteIt)
{
    EXPECT_EQ(CPIN_Zustand_Lesen("AT+CPIN?\r\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n"), "SIM PIN2");
    EXPECT_EQ(CPIN_Zustand_Lesen("\r\n+CPIN: READY\r\n\r\nOK\r\n"), "READY");
    EXPECT_EQ(CPIN_Zustand_Lesen("\r\n+CPIN: PH-SIM PIN\r\n"), "PH-SIM PIN");
    EXPECT_EQ(CPIN_Zustand_Lesen("\r\nOK\r\n"), "");
}

TEST(Endergebnis, OnlyCompleteFinalLinesCount)
{
    EXPECT_EQ(Endergebnis("\r\nOK\r\n"), Ergebnis::Ok);
    EXPECT_EQ(Endergebnis("\r\nOK"), Ergebnis::Keins);
    EXPECT_EQ(Endergebnis("AT+CPBW=1,\"BOOKER\"\r"), Ergebnis::Keins);
    EXPECT_EQ(Endergebnis("\r\n+CME ERROR: 21\r\n"), Ergebnis::Fehler);
    EXPECT_EQ(Endergebnis("\r\n+CMS ERROR: 500\n"), Ergebnis::Fehler);
    EXPECT_EQ(Endergebnis("\r\nERROR\r\n"), Ergebnis::Fehler);
    EXPECT_EQ(Endergebnis("\r\nNO ERROR\r\nOK\r\n"), Ergebnis::Ok);
    EXPECT_EQ(Endergebnis(QString::fromLatin1("\0\0OK\r\n", 6)), Ergebnis::Keins);
}

}  // namespace
