// The information window against the simulated phone: reading the ten values one by one and
// all at once, the pictures, and the report file.
#include "PhoneUmgebung.h"

#include "common/Einstellungen.h"
#include "phone/Form12.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace phone_test;

namespace {

class Form12Test : public HandyTest {
protected:
    Form12Test()
    {
        Einstellungen::Loeschen(QStringLiteral("Config"), QStringLiteral("PATH1"));
        f = Form12::Instanz();
        Vergessen();
    }
    ~Form12Test() override { Entladen<Form12>(); }

    QStringList Werte() const
    {
        QStringList w;
        for (const QLabel* l : f->Label11)
            w << l->text();
        return w;
    }
    // The index of the one visible picture of an array, -1 for none, -2 for more than one.
    template <std::size_t N>
    static int Sichtbar(QLabel* const (&bilder)[N])
    {
        int gefunden = -1;
        for (std::size_t i = 0; i < N; ++i)
            if (!bilder[i]->isHidden())
                gefunden = gefunden == -1 ? static_cast<int>(i) : -2;
        return gefunden;
    }

    Form12* f = nullptr;
};

TEST_F(Form12Test, AllValuesInTheirOrder)
{
    f->ALLELESEN();
    EXPECT_EQ(Empfangen(), "AT+CGSN\r\nAT+CIMI\r\nAT+CGMI\r\nAT+CGMM\r\nAT+CGMR\r\nAT+CBC\r\nAT+CBC\r\nAT+CSQ\r\n"
                           "AT+COPS?\r\nAT+CREG?\r\n");
    EXPECT_EQ(Werte(), QStringList({"350123456789012", "262019876543210", "ACME", "S35", "42", "85%",
                                    "Batteriebetrieb", "-73 dBm", "Netz A", "0010"}));
    EXPECT_EQ(Sichtbar(f->Image3), 3);
    EXPECT_EQ(Sichtbar(f->Image2), 4);
    EXPECT_EQ(Status(), "Fertig.");
    EXPECT_FALSE(f->Abbruch);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form12Test, UnsolicitedLinesInsideTheRepliesAreNoValues)
{
    const std::string meldungen = "\r\nRING\r\n\r\n+CMTI: \"SM\",3\r\n";
    u.Handy->Einschub_Bei("AT+CGSN", "", meldungen);
    u.Handy->Einschub_Bei("AT+CREG?", "", meldungen);
    f->ALLELESEN();
    EXPECT_EQ(f->Label11[0]->text(), "350123456789012");
    EXPECT_EQ(f->Label11[9]->text(), "0010");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form12Test, EachButtonReadsItsValue)
{
    Zustand([](sim::SimEinstellungen& e) {
        e.IMEI = "490154203237518";
        e.Stromquelle = 1;
        e.Ladung = 100;
    });
    f->Command19->click();
    EXPECT_EQ(f->Label11[0]->text(), "490154203237518");
    f->Command37->click();
    EXPECT_EQ(f->Label11[5]->text(), "100%");
    EXPECT_EQ(Sichtbar(f->Image3), 4);
    f->Command38->click();
    EXPECT_EQ(f->Label11[6]->text(), "Netzbetrieb");
    Zustand([](sim::SimEinstellungen& e) { e.Pegel = 99; });
    f->Command39->click();
    EXPECT_EQ(f->Label11[7]->text(), "unbekannt");
    EXPECT_EQ(Sichtbar(f->Image2), 0);
    EXPECT_EQ(Empfangen(), "AT+CGSN\r\nAT+CBC\r\nAT+CBC\r\nAT+CSQ\r\n");
    for (int i : {1, 2, 3, 4, 8, 9})
        EXPECT_EQ(f->Label11[i]->text(), "") << i;
}

TEST_F(Form12Test, UnknownPowerSourceIsEmptyButDone)
{
    Zustand([](sim::SimEinstellungen& e) { e.Stromquelle = 2; });
    f->Label11[6]->setText(QStringLiteral("alt"));
    f->Command38_Click();
    EXPECT_EQ(f->Label11[6]->text(), "");
    EXPECT_EQ(Status(), "Fertig.");
}

TEST_F(Form12Test, OperatorAndCellWhenNotRegistered)
{
    // An operator whose name begins with "O" is an operator all the same.
    Zustand([](sim::SimEinstellungen& e) { e.Betreiber = "Orion"; });
    f->Command40_Click();
    EXPECT_EQ(f->Label11[8]->text(), "Orion");

    Zustand([](sim::SimEinstellungen& e) {
        e.Betreiber.clear();
        e.CregModus = 0;
        e.CregStatus = 0;
    });
    f->Command40_Click();
    EXPECT_EQ(f->Label11[8]->text(), "");
    EXPECT_EQ(Status(), "Fertig.");
    f->Command41_Click();
    EXPECT_EQ(f->Label11[9]->text(), "nicht eingebucht.");

    Zustand([](sim::SimEinstellungen& e) { e.CregStatus = 1; });  // registered, location not reported
    f->Command41_Click();
    EXPECT_EQ(f->Label11[9]->text(), "");
}

TEST_F(Form12Test, WithoutEchoTheEchoCutValuesStayEmptyAndReadingGoesOn)
{
    u.Handy->Echo_Setzen(false);
    f->Label11[0]->setText(QStringLiteral("alt"));
    f->Command19_Click();
    EXPECT_EQ(f->Label11[0]->text(), "");
    EXPECT_EQ(Status(), "Lese IMEI...");
    EXPECT_FALSE(f->Abbruch);

    f->ALLELESEN();
    EXPECT_EQ(Anzahl("AT+CREG?"), 1);
    const QStringList w = Werte();
    EXPECT_EQ(w.mid(0, 5), QStringList({"", "", "ACME", "", ""}));  // the maker reads without echo
    EXPECT_EQ(w.at(5), "85%");
    EXPECT_EQ(w.at(9), "0010");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form12Test, ABareOkIsNoValue)
{
    u.Handy->Antwort_Setzen("AT+CGSN", "\r\nOK\r\n", 1);
    f->Command19_Click();
    EXPECT_EQ(f->Label11[0]->text(), "");
    EXPECT_EQ(Status(), "Fertig.");
}

TEST_F(Form12Test, SilentPhoneStopsAfterTheFirstRead)
{
    for (QLabel* l : f->Label11)
        l->setText(QStringLiteral("alt"));
    u.Handy->Stumm_Setzen(true);
    f->ALLELESEN();
    EXPECT_EQ(Empfangen(), "AT+CGSN\r\n");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_TRUE(u.Dialoge.Meldungen[0].text.contains(QLatin1String("Timeout")));
    EXPECT_EQ(Werte(), QStringList(10, QString()));  // nothing of an earlier run stays
    EXPECT_FALSE(f->Abbruch);                        // cleared where the run stopped
    EXPECT_EQ(Status(), "Lese IMEI...");
}

TEST_F(Form12Test, FailedLastReadLeavesTheFlagSet)
{
    u.Handy->Antwort_Setzen("AT+CREG", sim::Error());
    f->ALLELESEN();
    EXPECT_EQ(Anzahl("AT+CREG?"), 1);
    EXPECT_TRUE(f->Abbruch);
    f->ALLELESEN();  // the next run starts cleared and reads everything again
    EXPECT_EQ(Anzahl("AT+CGSN"), 2);
}

class Bericht : public Form12Test {
protected:
    QString Datei(const QString& name) const { return ordner.filePath(name); }
    static QByteArray Inhalt(const QString& pfad)
    {
        QFile d(pfad);
        return d.open(QIODevice::ReadOnly) ? d.readAll() : QByteArray("<fehlt>");
    }
    QTemporaryDir ordner;
};

TEST_F(Bericht, NeverReadWindowWritesHeaderAndEmptyKeys)
{
    uhr.Zeit = QDateTime(QDate(2001, 3, 5), QTime(12, 34, 56));
    u.Dialoge.Dateien.push_back(Datei(QStringLiteral("S25_Daten.txt")));
    f->Command58->click();
    EXPECT_EQ(Inhalt(Datei(QStringLiteral("S25_Daten.txt"))),
              "Daten aufgenommen am 05.03.2001 um 12:34:56\r\n\r\nIMEI            : \r\nIMSI            : \r\n"
              "Hersteller      : \r\nMODELL          : \r\nSOFTWAREVERSION : \r\nBATTERIESTAND   : \r\n"
              "STROMQUELLE     : \r\nEMPFANG         : \r\nNETZBETREIBER   : \r\nZELLE           : \r\n");
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Titel, "Speichern...");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Vorgabename, "S25_Daten.txt");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Startdatei, Programmordner());
    EXPECT_EQ(Einstellungen::Lesen(QStringLiteral("Config"), QStringLiteral("PATH1")),
              Datei(QStringLiteral("S25_Daten.txt")));
    EXPECT_EQ(Status(), "Fertig.");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(Befehle().empty());
}

TEST_F(Bericht, ReadValuesAndTheFolderOfTheLastReport)
{
    f->ALLELESEN();
    const QString pfad = Datei(QStringLiteral("handy.txt"));
    u.Dialoge.Dateien.push_back(pfad);
    f->Command58_Click();
    const QList<QByteArray> zeilen = Inhalt(pfad).split('\n');
    EXPECT_EQ(zeilen.at(2), "IMEI            : 350123456789012\r");
    EXPECT_EQ(zeilen.at(7), "BATTERIESTAND   : 85%\r");
    EXPECT_EQ(zeilen.at(11), "ZELLE           : 0010\r");

    u.Dialoge.Dateien.push_back(QString());  // cancelled
    f->Command58_Click();
    EXPECT_EQ(u.Dialoge.Dateiwahlen.back().Startdatei, ordner.path());
    EXPECT_EQ(Einstellungen::Lesen(QStringLiteral("Config"), QStringLiteral("PATH1")), pfad);
    EXPECT_EQ(Status(), "Fertig.");
}

TEST_F(Bericht, WithoutSimAllReadsOnAndTheReportHoldsOnlyThisRun)
{
    f->ALLELESEN();
    ASSERT_EQ(f->Label11[1]->text(), "262019876543210");
    u.Handy->Mit_Zustand([](sim::SimHandy& h) { h.OhneSim = true; });
    Zustand([](sim::SimEinstellungen& e) { e.Ladung = 40; });
    Vergessen();
    f->ALLELESEN();
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CGSN", "AT+CIMI", "AT+CPIN?", "AT+CGMI", "AT+CGMM", "AT+CGMR",
                                                   "AT+CBC", "AT+CBC", "AT+CSQ", "AT+COPS?", "AT+CREG?"}));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);  // the refused IMSI, told once

    const QString pfad = Datei(QStringLiteral("handy.txt"));
    u.Dialoge.Dateien.push_back(pfad);
    f->Command58_Click();
    const QList<QByteArray> zeilen = Inhalt(pfad).split('\n');
    ASSERT_GE(zeilen.size(), 8);
    EXPECT_EQ(zeilen.at(3), "IMSI            : \r");
    EXPECT_EQ(zeilen.at(4), "Hersteller      : ACME\r");
    EXPECT_EQ(zeilen.at(5), "MODELL          : S35\r");
    EXPECT_EQ(zeilen.at(7), "BATTERIESTAND   : 40%\r");
}

TEST_F(Bericht, FailedWriteIsReportedAndNotDone)
{
    const QString pfad = Datei(QStringLiteral("fehlt/S25_Daten.txt"));
    Einstellungen::Speichern("Config", "PATH1", "/alt/S25_Daten.txt");
    u.Dialoge.Dateien.push_back(pfad);
    f->Command58_Click();
    EXPECT_FALSE(QFile::exists(pfad));
    EXPECT_EQ(Einstellungen::Lesen("Config", "PATH1"), "/alt/S25_Daten.txt");
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Die Datei konnte nicht geschrieben werden!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(Status(), "Daten auf Festplatte speichern...");
}

}  // namespace
