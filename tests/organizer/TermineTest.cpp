// Reading all thirty slots, writing a new appointment into the first free slot and the new-
// appointment path with its warning, on the simulated phone.
#include "OrganizerHilfen.h"

#include "link/Handytyp.h"
#include "organizer/Form10.h"
#include "organizer/Termine.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Module1;
using namespace organizer_test;

namespace {

// The 184-byte object of a phone appointment and the row it gives.
const std::string Weihnachtstreff = sim::VCalendar({"CATEGORIES:MISCELLANEOUS", "DALARM:20001224T180000",
                                                    "DTSTART:20001224T183000", "RRULE:W1 #0",
                                                    "DESCRIPTION:Treff 10:00"});

// The upload of the 180-byte object of a dropped "Treffen" row, as blocks on the wire.
const char* const Block1 =
    "424547494E3A5643414C454E4441520D0A56455253494F4E3A312E300D0A424547494E3A564556454E540D0A43415445474F52494553"
    "3A4D454554494E470D0A44414C41524D3A3230303130333031543039303530300D0A";
const char* const Block2 =
    "445453544152543A3230303130333031543039303530300D0A5252554C453A4D312030310D0A4445534352495054494F4E3A42FC726F"
    "3A20506C616E756E670D0A454E443A564556454E540D0A454E443A5643414C454E44";
const char* const Block3 = "41520D0A";

class Termine : public ::testing::Test, protected OrganizerSim {
protected:
    Termine()
    {
        mobil.setColumnCount(7);
        Terminlisten().Mobil = &mobil;
        TermineGelesen = false;
        Freie_Plaetze() = {};
        Handytyp = QStringLiteral("35");
        QDir().mkpath(Programmordner());
        QFile::remove(Neuer_Termin_Datei());
    }
    ~Termine() override
    {
        Terminlisten() = {};
        TermineGelesen = false;
        Freie_Plaetze() = {};
        Form10::Bedienung = nullptr;
        QFile::remove(Neuer_Termin_Datei());
    }

    void Zeilen_Anlegen(std::initializer_list<int> plaetze)
    {
        for (int p : plaetze) {
            TerminZeile z;
            z.Art = QStringLiteral("Notiz");
            z.Index = QStringLiteral("%1").arg(p, 2, 10, QLatin1Char('0'));
            Zeile_Anfuegen(&mobil, z, true);
        }
    }
    QStringList Indizes() const
    {
        QStringList i;
        for (int n = 0; n < mobil.topLevelItemCount(); ++n)
            i << mobil.topLevelItem(n)->text(1);
        return i;
    }
    static void Treffen_Ablegen()
    {
        TerminZeile z;
        z.Art = QStringLiteral("Treffen");
        z.Datum = QStringLiteral("01.03.2001");
        z.Uhrzeit = QStringLiteral("09:05");
        z.Beschreibung = QStringLiteral("Büro: Planung");
        z.Alarm = QStringLiteral("Ja");
        z.Wdh = QStringLiteral("Monat");
        Objekt_Speichern(Neuer_Termin_Datei(), *Objekt_Aus_Zeile(z));
    }
    static QStringList Reste() { return QDir(Programmordner()).entryList({QStringLiteral("vcs*.pvp")}); }

    QTreeWidget mobil;
};

QByteArray Lesebefehle(int bis)
{
    QByteArray b;
    for (int n = 1; n <= bis; ++n)
        b += "AT^SBNR=vcs," + QByteArray::number(n) + "\r\n";
    return b;
}

TEST_F(Termine, AllThirtySlotsAreReadInTurn)
{
    Termin_Setzen(2, Weihnachtstreff);
    Termin_Setzen(30, sim::VCalendar({"CATEGORIES:PHONE CALL", "DTSTART:20240101T080000", "DESCRIPTION:0171"}));
    EXPECT_TRUE(Termine_Lesen());
    EXPECT_EQ(Empfangen(), Lesebefehle(30));
    ASSERT_EQ(mobil.topLevelItemCount(), 2);
    EXPECT_EQ(Zeile_Lesen(mobil.topLevelItem(0), true),
              (TerminZeile{"Notiz", "02", "24.12.2000", "18:30", "Treff 10:00", "Ja", "W1 #0"}));
    EXPECT_EQ(Zeilensymbol(mobil.topLevelItem(0)), 3);
    EXPECT_EQ(mobil.topLevelItem(1)->text(0), "Anruf");
    EXPECT_EQ(mobil.topLevelItem(1)->text(1), "30");
    EXPECT_EQ(anzeige.Status.first(), "Lese Termine vom Handy...");
    EXPECT_TRUE(anzeige.Status.contains("Lese Termine vom Handy (Platz 17)..."));
    EXPECT_EQ(anzeige.Status.last(), "Fertig.");
    EXPECT_EQ(anzeige.Maximum, 30);
    EXPECT_EQ(anzeige.Wert(), 0);
    EXPECT_TRUE(Reste().isEmpty());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Termine, AFailedWaitEndsTheReadAtThatSlot)
{
    Termin_Setzen(2, Weihnachtstreff);
    Termin_Setzen(4, Weihnachtstreff);
    u.Handy->Schweigen_Bei("AT^SBNR=vcs,3");
    EXPECT_FALSE(Termine_Lesen());
    EXPECT_EQ(Empfangen(), Lesebefehle(3));
    EXPECT_EQ(Indizes(), QStringList{"02"});
    EXPECT_EQ(anzeige.Wert(), 2);
    EXPECT_FALSE(anzeige.Status.contains("Fertig."));
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);  // the time-out of the link
}

TEST_F(Termine, AReplyThatCannotBeDecodedStopsTheRead)
{
    // Long enough for an appointment, but no digit pairs: never an empty row, never a free slot.
    Termin_Setzen(1, Weihnachtstreff);
    u.Handy->Antwort_Setzen("AT^SBNR=vcs,2", "\r\n^SBNR: \"vcs\",2,1,1\r\nZZ0D0A\r\nOK\r\n", 1);
    EXPECT_FALSE(Termine_Lesen());
    EXPECT_EQ(Empfangen(), Lesebefehle(2));
    EXPECT_EQ(Indizes(), QStringList{"01"});
    EXPECT_FALSE(Freie_Plaetze().Bekannt);
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Bei der Kommunikation mit dem Handy ist ein Fehler aufgetreten. Bitte "
                                             "versuchen Sie es erneut."});
    EXPECT_EQ(anzeige.Status.last(), "Abgebrochen bei Platz 2: Die Termine wurden nicht vollständig eingelesen!");
    EXPECT_TRUE(Reste().isEmpty());
}

TEST_F(Termine, LargeObjectsAreReadInEverySlot)
{
    // 10 blocks of 88 bytes: a header line "^SBNR: \"vcs\",10,1,10" longer than in slot 1.
    const QString text = QString(780, QLatin1Char('x'));
    const std::string gross = sim::VCalendar({"DTSTART:20240315T093000", "DESCRIPTION:" + text.toStdString()});
    ASSERT_GE(gross.size(), 793u);
    for (int platz : {1, 10, 30})
        Termin_Setzen(platz, gross);
    EXPECT_TRUE(Termine_Lesen());
    ASSERT_EQ(Indizes(), (QStringList{"01", "10", "30"}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(mobil.topLevelItem(i)->text(2), "15.03.2024") << i;
        EXPECT_EQ(mobil.topLevelItem(i)->text(4), text) << i;
    }
}

TEST_F(Termine, ANewAppointmentGoesToTheFirstFreeSlot)
{
    Zeilen_Anlegen({1, 2, 4});
    Treffen_Ablegen();
    EXPECT_TRUE(Termin_Schreiben());
    EXPECT_EQ(Empfangen(), QByteArray("AT^SBNR=vcs,3\r\nAT^SBNW=vcs,3,1,3\r\n") + Block1 + "\x1A" + "AT^SBNW=vcs,3,2,3\r\n" + Block2 +
                               "\x1A" + "AT^SBNW=vcs,3,3,3\r\n" + Block3 + "\x1A");
    EXPECT_EQ(Termin(3).size(), 180u);
    EXPECT_EQ(Indizes(), (QStringList{"01", "02", "04", "03"}));
    EXPECT_EQ(Zeile_Lesen(mobil.topLevelItem(3), true),
              (TerminZeile{"Treffen", "03", "01.03.2001", "09:05", "Büro: Planung", "Ja", "Monat"}));
    EXPECT_FALSE(QFile::exists(Neuer_Termin_Datei()));
    EXPECT_EQ(anzeige.Werte, (std::vector<int>{0, 1, 2, 3, 0}));
    // The read of the slot, then the upload.
    EXPECT_EQ(anzeige.Status, (QStringList{"Schreibe Termin...", "Schreibe Termin...", "Fertig."}));
}

// After the read, an appointment is stored in slot 3 on the handset.
TEST_F(Termine, ANewAppointmentPassesASlotTakenOnTheHandsetBy)
{
    Termin_Setzen(1, Weihnachtstreff);
    Termin_Setzen(2, Weihnachtstreff);
    ASSERT_TRUE(Termine_Lesen());
    TermineGelesen = true;
    const std::string vomHandy = sim::VCalendar({"DTSTART:20240101T080000", "DESCRIPTION:vom Handy"});
    Termin_Setzen(3, vomHandy);
    u.Handy->Empfangen_Loeschen();
    Form10::Bedienung = [](Form10& d) { d.Command1->click(); };
    Termin_Anlegen();
    EXPECT_TRUE(Empfangen().startsWith("AT^SBNR=vcs,3\r\nAT^SBNR=vcs,4\r\nAT^SBNW=vcs,4,1,"));
    EXPECT_EQ(Termin(3), vomHandy);
    EXPECT_EQ(Indizes(), (QStringList{"01", "02", "03", "04"}));
    EXPECT_EQ(mobil.topLevelItem(2)->text(4), "vom Handy");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Termine, AnEmptyFileIsAFailure)
{
    Datei_Anlegen(Neuer_Termin_Datei(), "\r\n");
    EXPECT_FALSE(Termin_Schreiben());
    EXPECT_TRUE(Empfangen().isEmpty());
    EXPECT_EQ(mobil.topLevelItemCount(), 0);
    EXPECT_FALSE(anzeige.Status.contains("Fertig."));
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Fehler beim Lesen der Datei aufgetreten! Datei scheint fehlerhaft!");
}

TEST_F(Termine, AFullCalendarSendsNothing)
{
    for (int p = 1; p <= 30; ++p)
        Zeilen_Anlegen({p});
    Treffen_Ablegen();
    EXPECT_FALSE(Termin_Schreiben());
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Kalender voll!");
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    EXPECT_EQ(u.Dialoge.Meldungen[0].tasten, Dialoge::Tasten::OK);
    EXPECT_TRUE(Empfangen().isEmpty());
    EXPECT_TRUE(QFile::exists(Neuer_Termin_Datei()));

    // Without the file there is nothing to write and nothing to say.
    QFile::remove(Neuer_Termin_Datei());
    EXPECT_FALSE(Termin_Schreiben());
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

TEST_F(Termine, TheWarningComesWhileNothingWasRead)
{
    int gezeigt = 0;
    Form10::Bedienung = [&](Form10& d) {
        ++gezeigt;
        d.Command2_Click();
    };
    Treffen_Ablegen();  // left behind by an earlier upload that stopped

    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Termin_Anlegen();
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    const auto& warnung = u.Dialoge.Meldungen[0];
    EXPECT_EQ(warnung.text, "Bevor Sie einen neuen Termin hinzufügen, sollten Sie erst die Termine aus dem Handy "
                            "einlesen! Ansonsten besteht die Gefahr, daß bereits bestehende Termine im Handy "
                            "überschrieben werden!\nSind Sie sicher, daß Sie einen neuen Termin anlegen wollen?");
    EXPECT_EQ(warnung.symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(warnung.tasten, Dialoge::Tasten::JaNein);
    EXPECT_EQ(warnung.standard, Dialoge::Antwort::Nein);
    EXPECT_EQ(gezeigt, 0);

    // Cancelling the dialog sends nothing, whatever an earlier upload left behind.
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Termin_Anlegen();
    EXPECT_EQ(gezeigt, 1);
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u);
    EXPECT_TRUE(Empfangen().isEmpty());
    EXPECT_FALSE(QFile::exists(Neuer_Termin_Datei()));

    // Confirmed, it goes to slot 1 when the phone holds nothing there.
    Form10::Bedienung = [](Form10& d) {
        d.Option1[2]->click();
        d.Command1->click();
    };
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    Termin_Anlegen();
    EXPECT_TRUE(Empfangen().startsWith("AT^SBNR=vcs,1\r\nAT^SBNW=vcs,1,1,"));
    EXPECT_EQ(Indizes(), QStringList{"01"});
    EXPECT_EQ(mobil.topLevelItem(0)->text(0), "Treffen");

    // Once all slots were read, no warning.
    TermineGelesen = true;
    Termin_Anlegen();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 3u);
    EXPECT_EQ(Indizes(), (QStringList{"01", "02"}));
}

}  // namespace
