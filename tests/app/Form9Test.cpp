// The program-settings window: keys stored per control, the port reopened on the simulated phone.
#include "app/Form9.h"
#include "common/Einstellungen.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "sim/SimHandy.h"
#include "support/Attrappen.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Module1;

namespace {

const QString PortFehler =
    QStringLiteral("Port kann nicht geöffnet werden! Bitte wählen Sie einen anderen COM-Port aus.");

QString Wert(const QString& sektion, const QString& schluessel)
{
    return Einstellungen::Lesen(sektion, schluessel, QStringLiteral("<fehlt>"));
}

QByteArray Speicherinhalt()
{
    QFile d(Einstellungen::Datei());
    return d.open(QIODevice::ReadOnly) ? d.readAll() : QByteArray();
}

// Declared before the environment, so the environment's own keys survive.
struct LeererSpeicher {
    LeererSpeicher() { QFile::remove(Einstellungen::Datei()); }
};

void Entladen()
{
    if (Form9::Geladen())
        delete Form9::Instanz();
}

class Form9Skript : public ::testing::Test {
protected:
    void TearDown() override { Entladen(); }
    LeererSpeicher leer;
    LinkUmgebung u;
};

class Form9Sim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(u.Port->IstOffen());
        Einstellungen::Speichern("Ports", "COM2", QString::fromStdString(u.Handy->Geraet()));
        Einstellungen::Speichern("Ports", "COM5", "/nicht/vorhanden/tty5");
    }
    void TearDown() override { Entladen(); }

    bool Antwortet()
    {
        u.Handy->Empfangen_Loeschen();
        return Befehl_Senden("AT", true) && u.Handy->Empfangen() == "AT\r\n";
    }

    LeererSpeicher leer;
    SimUmgebung u{300};
};

TEST_F(Form9Skript, EmptyStoreLoadsDefaultsWritesThemBackAndLeavesThePortAlone)
{
    u.Port.Nummer = 1;
    u.Port.Offen = true;
    TBRot = LoeschenRueckfrage = SMSAutoLog = false;
    LokalTBAutoLaden = true;
    SMSLogDatei = "alt";

    Form9* f = Form9::Instanz();
    EXPECT_TRUE(f->isHidden());
    EXPECT_EQ(f->windowTitle(), "Einstellungen");
    EXPECT_TRUE(f->Option1[4]->isChecked());
    EXPECT_TRUE(f->Option2[2]->isChecked());
    EXPECT_EQ(f->Option2[2]->text(), "19.200 Baud");
    EXPECT_EQ(f->HScroll1->value(), 7500);
    EXPECT_EQ(f->Label29->text(), "7500");
    EXPECT_EQ(TimeoutFaktor, 7500);
    EXPECT_EQ(u.Anzeige.MeterMaximum, 7500);
    for (QCheckBox* c : {f->Check3, f->Check4, f->Check6, f->Check7, f->Check8, f->Check12})
        EXPECT_TRUE(c->isChecked()) << c->objectName().toStdString();
    EXPECT_FALSE(f->Check10->isChecked());
    EXPECT_TRUE(TBRot && LoeschenRueckfrage && SMSAutoLog);
    EXPECT_FALSE(LokalTBAutoLaden);
    EXPECT_EQ(f->Label76->text(), Programmordner() + "/sms.log");
    EXPECT_EQ(SMSLogDatei, f->Label76->text());
    EXPECT_EQ(f->Label62->text(), "");
    EXPECT_EQ(f->Label60->text(), "");

    EXPECT_EQ(Wert("Options", "Timeoutzeit"), "7500");
    for (const char* k : {"Ausschalten", "LoeschenOhneNachfrage", "TippdesTages", "tbROT", "tbFETT", "SMSAUTOLOG"})
        EXPECT_EQ(Wert("Options", k), "1") << k;
    EXPECT_EQ(Wert("Options", "LOKTBAUTOLADEN"), "<fehlt>");
    EXPECT_EQ(Wert("Settings", "ComPort"), "<fehlt>");

    EXPECT_EQ(u.Port.Nummer, 1);
    EXPECT_TRUE(u.Port.Offen);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(Form9::Instanz(), f);  // loaded once
}

TEST_F(Form9Skript, StoredValuesOutsideTheOptionsSelectNothingAndTheTimeoutIsClamped)
{
    Einstellungen::Speichern("Settings", "ComPort", "9");
    Einstellungen::Speichern("Settings", "Geschwindigkeit", "2400");
    Einstellungen::Speichern("Options", "Timeoutzeit", "40000");
    Einstellungen::Speichern("Options", "tbROT", "0");
    Einstellungen::Speichern("Options", "LOKTBAUTOLADEN", "1");
    Einstellungen::Speichern("Options", "SMSLOGfile", "/x/log.txt");
    TBRot = true;

    Form9* f = Form9::Instanz();
    for (int i = 1; i <= 8; ++i)
        EXPECT_FALSE(f->Option1[i]->isChecked()) << i;
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(f->Option2[i]->isChecked()) << i;
    EXPECT_EQ(f->Label29->text(), "30000");
    EXPECT_EQ(TimeoutFaktor, 30000);
    EXPECT_EQ(Wert("Options", "Timeoutzeit"), "30000");
    EXPECT_FALSE(f->Check7->isChecked());
    EXPECT_FALSE(TBRot);  // set by the load although the box did not change
    EXPECT_TRUE(LokalTBAutoLaden);
    EXPECT_EQ(f->Label76->text(), "/x/log.txt");
    EXPECT_EQ(SMSLogDatei, "/x/log.txt");
}

TEST_F(Form9Skript, MinimumTimeoutIsShown)
{
    Einstellungen::Speichern("Options", "Timeoutzeit", "1000");
    Form9* f = Form9::Instanz();
    EXPECT_EQ(f->Label29->text(), "1000");
    EXPECT_EQ(TimeoutFaktor, 1000);
    EXPECT_EQ(u.Anzeige.MeterMaximum, 1000);
}

TEST_F(Form9Skript, EachCheckBoxStoresItsKeyAndVariableAtOnce)
{
    Form9* f = Form9::Instanz();
    struct Fall {
        QCheckBox* box;
        const char* schluessel;
        bool* variable;
    };
    const Fall faelle[] = {
        {f->Check3, "TippdesTages", nullptr},         {f->Check4, "Ausschalten", nullptr},
        {f->Check6, "LoeschenOhneNachfrage", &LoeschenRueckfrage}, {f->Check7, "tbROT", &TBRot},
        {f->Check8, "tbFETT", &TBFett},               {f->Check10, "LOKTBAUTOLADEN", &LokalTBAutoLaden},
        {f->Check12, "SMSAUTOLOG", &SMSAutoLog},
    };
    for (const Fall& fall : faelle) {
        const bool vorher = fall.box->isChecked();
        fall.box->click();
        EXPECT_EQ(Wert("Options", fall.schluessel), vorher ? "0" : "1") << fall.schluessel;
        if (fall.variable) {
            EXPECT_EQ(*fall.variable, !vorher) << fall.schluessel;
        }
        fall.box->click();
        EXPECT_EQ(Wert("Options", fall.schluessel), vorher ? "1" : "0") << fall.schluessel;
    }

    const QByteArray vorher = Speicherinhalt();
    f->Check13->click();
    EXPECT_EQ(Speicherinhalt(), vorher);  // Check13 is not stored
}

TEST_F(Form9Skript, ScrollBarAndStandardButton)
{
    Form9* f = Form9::Instanz();
    f->HScroll1->setValue(20000);
    EXPECT_EQ(f->Label29->text(), "20000");
    EXPECT_EQ(TimeoutFaktor, 20000);
    EXPECT_EQ(u.Anzeige.MeterMaximum, 20000);
    EXPECT_EQ(Wert("Options", "Timeoutzeit"), "20000");

    EXPECT_EQ(f->Command2->text(), "Stan&dard setzen");
    f->Command2->click();
    EXPECT_EQ(f->HScroll1->value(), 7500);
    EXPECT_EQ(f->Label29->text(), "7500");
    EXPECT_EQ(TimeoutFaktor, 7500);
    EXPECT_EQ(u.Anzeige.MeterMaximum, 7500);
    EXPECT_EQ(Wert("Options", "Timeoutzeit"), "7500");
}

TEST_F(Form9Skript, FileChoosersStoreThePathAndCancelChangesNothing)
{
    Form9* f = Form9::Instanz();
    u.Dialoge.Dateien = {"/tmp/s.txt", "/tmp/buch.orx", "/tmp/absender.orx"};
    f->Command56->click();
    f->Command33->click();
    f->Command29->click();
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 3u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Vorgabename, "*.txt");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[1].Vorgabename, "*.orx");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[2].Vorgabename, "*.orx");

    EXPECT_EQ(f->Label76->text(), "/tmp/s.txt");
    EXPECT_EQ(SMSLogDatei, "/tmp/s.txt");
    EXPECT_EQ(Wert("Options", "SMSLOGFILE"), "/tmp/s.txt");
    EXPECT_EQ(f->Label62->text(), "/tmp/buch.orx");
    EXPECT_EQ(AutoTelefonbuchDatei, "/tmp/buch.orx");
    EXPECT_EQ(Wert("Options", "DIESESTBAUTOLOAD"), "/tmp/buch.orx");
    EXPECT_EQ(f->Label60->text(), "/tmp/absender.orx");
    EXPECT_EQ(SMSAbsenderDatei, "/tmp/absender.orx");
    EXPECT_EQ(Wert("Options", "SMSABSFILE"), "/tmp/absender.orx");

    // What the loader reads is what the window wrote.
    Module2::Einstellungen_Fenster_Zeigen = [] {};
    SMSLogDatei.clear();
    Module2::Einstellungen_Laden();
    Module2::Einstellungen_Fenster_Zeigen = nullptr;
    EXPECT_EQ(SMSLogDatei, "/tmp/s.txt");

    u.Dialoge.Dateien = {QString()};
    f->Command56->click();
    f->Command33->click();  // none left: cancelled as well
    EXPECT_EQ(f->Label76->text(), "/tmp/s.txt");
    EXPECT_EQ(Wert("Options", "SMSLOGFILE"), "/tmp/s.txt");
    EXPECT_EQ(AutoTelefonbuchDatei, "/tmp/buch.orx");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Form9Sim, PortClickReopensThePortOnTheNewDevice)
{
    Form9* f = Form9::Instanz();
    ASSERT_TRUE(u.Port->IstOffen());  // the load did not touch it
    EXPECT_EQ(u.Port->CommPort(), 1);

    f->Option1[2]->click();
    EXPECT_EQ(Wert("Settings", "ComPort"), "2");
    EXPECT_EQ(u.Port->CommPort(), 2);
    EXPECT_TRUE(u.Port->IstOffen());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(Antwortet());
}

TEST_F(Form9Sim, SpeedClickReopensThePortWithTheNewLineSettings)
{
    Form9* f = Form9::Instanz();
    EXPECT_EQ(f->Option2[4]->text(), "57.600 Baud");
    f->Option2[4]->click();
    EXPECT_EQ(Wert("Settings", "Geschwindigkeit"), "57600");
    EXPECT_EQ(u.Port->Settings(), "57600,n,8,1");
    EXPECT_TRUE(u.Port->IstOffen());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(Antwortet());
}

TEST_F(Form9Sim, MissingDeviceKeepsTheChoiceAndLeavesThePortClosed)
{
    Form9* f = Form9::Instanz();
    f->Option1[5]->click();
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, PortFehler);
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(Wert("Settings", "ComPort"), "5");
    EXPECT_FALSE(u.Port->IstOffen());

    // A speed click with the port still on the missing device fails the same way.
    f->Option2[1]->click();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u);
    EXPECT_EQ(Wert("Settings", "Geschwindigkeit"), "9600");
    EXPECT_FALSE(u.Port->IstOffen());

    // Picking a working port again recovers.
    f->Option1[1]->click();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u);
    EXPECT_TRUE(Antwortet());
}

TEST_F(Form9Sim, OkShowsThePortInPanel4AndUnloads)
{
    Form9::Instanz();
    QTimer::singleShot(0, [] {
        Form9* f = Form9::Instanz();
        f->Option1[2]->click();
        f->Option2[4]->click();
        f->Command1->click();
    });
    Form9::Modal_Zeigen();
    EXPECT_FALSE(Form9::Geladen());
    EXPECT_EQ(u.Anzeige.Panels.value(4), "COM:2 (57600,n,8,1) ");

    // The next showing loads afresh from the store.
    Form9* f = Form9::Instanz();
    EXPECT_TRUE(f->Option1[2]->isChecked());
    EXPECT_TRUE(f->Option2[4]->isChecked());
}

TEST_F(Form9Sim, CloseBoxRefreshesPanel4OnlyAfterAPortChange)
{
    QTimer::singleShot(0, [] { Form9::Instanz()->close(); });
    Form9::Modal_Zeigen();
    EXPECT_FALSE(Form9::Geladen());
    EXPECT_FALSE(u.Anzeige.Panels.contains(4));

    QTimer::singleShot(0, [] {
        Form9::Instanz()->Option1[2]->click();
        Form9::Instanz()->close();
    });
    Form9::Modal_Zeigen();
    EXPECT_EQ(u.Anzeige.Panels.value(4), "COM:2 (19200,n,8,1) ");
}

}  // namespace
