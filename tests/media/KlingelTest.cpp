// The ring settings: the reply parsers, and the ring-tone window's left half on the simulated phone.
#include "MedienHilfen.h"

#include "media/Klingel.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace medien_test;

namespace {

// ---- Parsers ----------------------------------------------------------------------------

TEST(Klingeltypen, FortyThreeEntriesInTheirGroups)
{
    const QStringList t = Klingeltyp_Texte();
    ASSERT_EQ(t.size(), 43);
    const std::pair<int, const char*> stichproben[] = {
        {0, "01 - Handy stumm"},   {1, "02 - Standard"},      {4, "05 - Standard"},  {5, "06 - Klassisch"},
        {22, "23 - Klassisch"},    {23, "24 - Traditionell"}, {26, "27 - Traditionell"},
        {27, "28 - Diskret"},      {32, "33 - Diskret"},      {33, "34 - Poppig"},   {41, "42 - Poppig"},
        {42, "43 - Individuell"},
    };
    for (const auto& [i, text] : stichproben)
        EXPECT_EQ(t.at(i), QString::fromUtf8(text)) << i;
}

TEST(SRTCLesen, TypeAndVolumeOrNothing)
{
    struct Fall {
        const char* antwort;
        std::optional<std::pair<int, const char*>> werte;
    };
    const Fall faelle[] = {
        {"AT^SRTC?\r\r\n^SRTC: 42,3,0\r\n\r\nOK\r\n", {{42, "3"}}},
        {"\r\n^SRTC: 0,0,1\r\n", {{0, "0"}}},
        {"\r\n^SRTC: 5,4,0\r\n", {{5, "4"}}},
        {"\r\n^SRTC: 42\r\n\r\nOK\r\n", std::nullopt},      // no comma after the type
        {"\r\n^SRTC: 42,3\r\n\r\nOK\r\n", std::nullopt},    // no comma after the volume
        {"\r\n^SRTC: 77,9,0\r\n\r\nOK\r\n", std::nullopt},  // type and volume out of range
        {"\r\n^SRTC: 43,1,0\r\n", std::nullopt},
        {"\r\n^SRTC: 1,5,0\r\n", std::nullopt},
        {"\r\n^SRTC: ,3,0\r\n", std::nullopt},
        {"\r\nOK\r\n", std::nullopt},
    };
    for (const Fall& f : faelle) {
        const std::optional<Klingelwerte> w = SRTC_Lesen(QString::fromLatin1(f.antwort));
        ASSERT_EQ(w.has_value(), f.werte.has_value()) << f.antwort;
        if (w) {
            EXPECT_EQ(w->Typ, f.werte->first) << f.antwort;
            EXPECT_EQ(w->Lautstaerke, QLatin1String(f.werte->second)) << f.antwort;
        }
    }
}

TEST(CVIBUndCALMLesen, TheLaterDigitWins)
{
    EXPECT_EQ(CVIB_Lesen("AT+CVIB?\r\r\n+CVIB: 1\r\n\r\nOK\r\n"), std::optional<bool>(true));
    EXPECT_EQ(CVIB_Lesen("\r\n+CVIB: 0\r\n\r\nOK\r\n"), std::optional<bool>(false));
    EXPECT_EQ(CVIB_Lesen("\r\n+CVIB: 1,0\r\n"), std::optional<bool>(false));
    EXPECT_EQ(CVIB_Lesen("\r\n+CVIB: \r\n"), std::nullopt);
    EXPECT_EQ(CVIB_Lesen("AT+CVIB?\r\r\nOK\r\n"), std::nullopt);

    EXPECT_EQ(CALM_Lesen("AT+CALM?\r\r\n+CALM: 2\r\n\r\nOK\r\n"), std::optional<int>(2));
    EXPECT_EQ(CALM_Lesen("\r\n+CALM: 0\r\n"), std::optional<int>(0));
    EXPECT_EQ(CALM_Lesen("\r\n+CALM: 1\r\n"), std::optional<int>(1));
    EXPECT_EQ(CALM_Lesen("\r\nOK\r\n"), std::nullopt);
}

// ---- The window on the phone ------------------------------------------------------------

class Klingelfenster : public ::testing::Test, protected MedienSim {
protected:
    explicit Klingelfenster(const std::string& modell = "S35") : MedienSim(modell) {}

    void Klingel_Setzen(int typ, int laut, int vibration, int alarm)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy&) {
            klingel->Typ = typ;
            klingel->Lautstaerke = laut;
            klingel->Vibration = vibration;
            klingel->Alarm = alarm;
        });
    }

    Form15* Oeffnen()
    {
        Form15* f = Form15::Instanz();
        Vergessen();
        return f;
    }

    std::vector<std::string> Befehle() const { return u.Handy->Befehle(); }

    // The user clicks a ring type.
    static void Typ_Klicken(Form15* f, int zeile)
    {
        QListWidgetItem* eintrag = f->List1->item(zeile);
        f->List1->scrollToItem(eintrag);
        const QPoint stelle = f->List1->visualItemRect(eintrag).center();
        for (const QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(art, stelle, f->List1->viewport()->mapToGlobal(stelle), Qt::LeftButton,
                          art == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(f->List1->viewport(), &e);
        }
    }
};

TEST_F(Klingelfenster, OpeningWithAnX35ReadsTheSettingsAndWritesNothing)
{
    Klingel_Setzen(42, 3, 1, 2);
    Form15* f = Form15::Instanz();
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CGMM", "AT^SRTC?", "AT+CVIB?", "AT+CALM?"}));
    ASSERT_NE(f->List1->currentItem(), nullptr);
    EXPECT_EQ(f->List1->currentItem()->text(), "43 - Individuell");
    EXPECT_EQ(f->Label2->text(), "3");
    EXPECT_EQ(f->VScroll1->value(), 1);  // one step below the top
    EXPECT_TRUE(f->Check1->isChecked());
    EXPECT_TRUE(f->Option1[2]->isChecked());
    EXPECT_FALSE(f->Frame1->isHidden());
    EXPECT_EQ(f->List1->height(), 160);
    EXPECT_EQ(anzeige.Status, QStringList({"Prüfe Handytyp", "Fertig.", "Hole Melodie & Lautstärke...", "Fertig.",
                                           "Hole Vibrations- und Rufeinstellungen...", "Fertig."}));
    EXPECT_FALSE(f->WerteEinlesen);
    EXPECT_EQ(Klingel().Abgespielt, 0);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Klingelfenster, OpeningOnASilentPhoneIsOneMessage)
{
    u.Handy->Stumm_Setzen(true);
    Form15::Instanz();
    EXPECT_EQ(Befehle(), std::vector<std::string>{"AT+CGMM"});
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

class KlingelfensterS25 : public Klingelfenster {
protected:
    KlingelfensterS25() : Klingelfenster("S25") {}
};

TEST_F(KlingelfensterS25, OnlyTypeAndVolumeAndTheAlertFrameHidden)
{
    Form15* f = Form15::Instanz();
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CGMM", "AT^SRTC?"}));
    EXPECT_TRUE(f->Frame1->isHidden());
    EXPECT_EQ(f->List1->height(), 251);
}

class KlingelfensterFremd : public Klingelfenster {
protected:
    KlingelfensterFremd() : Klingelfenster("P10") {}
};

TEST_F(KlingelfensterFremd, UnknownModelKeepsTheDesignLayoutAndAsksTheModelAgain)
{
    Form15* f = Form15::Instanz();
    // An unknown model is not remembered, so the settings reading asks once more.
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"AT+CGMM", "AT^SRTC?", "AT+CGMM"}));
    EXPECT_FALSE(f->Frame1->isHidden());
    EXPECT_EQ(f->List1->height(), 251);
}

TEST_F(Klingelfenster, ChoosingATypeWaitsForThePhone)
{
    Form15* f = Oeffnen();
    const int sperren = anzeige.Sperrwechsel;
    Typ_Klicken(f, 6);  // "07 - Klassisch"
    EXPECT_EQ(f->List1->currentItem()->text(), "07 - Klassisch");
    EXPECT_EQ(Empfangen(), "AT^SRTC=6\r\n");
    EXPECT_TRUE(anzeige.Status.isEmpty());
    EXPECT_EQ(anzeige.Sperrwechsel, sperren + 2);  // the lamp was red while the phone answered
    EXPECT_EQ(Klingel().Typ, 6);
    EXPECT_EQ(Klingel().Abgespielt, 1);
}

TEST_F(Klingelfenster, RefusedArrowKeyWritesOnceAndShowsThePhonesType)
{
    Klingel_Setzen(8, 2, 0, 0);
    Form15* f = Oeffnen();
    f->List1->setFocus();
    u.Handy->Antwort_Setzen("AT^SRTC=", sim::CmeError(3), 1);
    QKeyEvent runter(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(f->List1, &runter);
    // The read-back shows the phone's type; it is no choice of the user's and writes nothing.
    EXPECT_EQ(Empfangen(), "AT^SRTC=9\r\nAT+CPIN?\r\nAT^SRTC?\r\nAT+CVIB?\r\nAT+CALM?\r\n");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(f->List1->currentRow(), 8);
    ASSERT_EQ(f->List1->selectedItems().size(), 1);
    EXPECT_EQ(f->List1->row(f->List1->selectedItems().first()), 8);
    EXPECT_EQ(Klingel().Typ, 8);
}

TEST_F(Klingelfenster, VolumeArrows)
{
    Klingel_Setzen(0, 4, 0, 0);
    Form15* f = Oeffnen();
    ASSERT_EQ(f->VScroll1->value(), 0);
    f->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);  // upper arrow at the top
    EXPECT_EQ(Empfangen(), "");
    f->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // lower arrow
    EXPECT_EQ(Empfangen(), "AT^SRTC=,3\r\n");
    EXPECT_EQ(f->Label2->text(), "3");
    EXPECT_EQ(f->Lautstaerke, 3);
    EXPECT_EQ(Klingel().Lautstaerke, 3);
}

TEST_F(Klingelfenster, RefusedVolumeShowsThePhonesVolume)
{
    Klingel_Setzen(0, 4, 0, 0);
    Form15* f = Oeffnen();
    u.Handy->Antwort_Setzen("AT^SRTC=,", sim::CmeError(3), 1);
    f->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Empfangen(), "AT^SRTC=,3\r\nAT+CPIN?\r\nAT^SRTC?\r\nAT+CVIB?\r\nAT+CALM?\r\n");
    EXPECT_EQ(f->VScroll1->value(), 0);
    EXPECT_EQ(f->Label2->text(), "4");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

TEST_F(Klingelfenster, AlertModeWritesThenReadsTypeAndVolumeBack)
{
    Form15* f = Oeffnen();
    Klingel_Setzen(5, 2, 0, 0);
    f->Option1[1]->click();  // "Still"
    EXPECT_EQ(Empfangen(), "AT+CALM=1\r\nAT^SRTC?\r\n");
    EXPECT_EQ(Klingel().Alarm, 1);
    EXPECT_EQ(f->List1->currentItem()->text(), "06 - Klassisch");
    EXPECT_EQ(f->Label2->text(), "2");
    EXPECT_EQ(anzeige.Status, QStringList({"Schreibe Rufeinstellung...", "Fertig.", "Hole Melodie & Lautstärke...",
                                           "Fertig."}));

    // A refused mode reads the phone's settings back.
    Vergessen();
    u.Handy->Antwort_Setzen("AT+CALM=", sim::Error(), 1);
    f->Option1[2]->click();
    EXPECT_EQ(Empfangen(), "AT+CALM=2\r\nAT+CPIN?\r\nAT^SRTC?\r\nAT+CVIB?\r\nAT+CALM?\r\n");
    EXPECT_TRUE(f->Option1[1]->isChecked());
    EXPECT_EQ(anzeige.Status.first(), "Schreibe Rufeinstellung...");
}

TEST_F(Klingelfenster, VibrationBox)
{
    Klingel_Setzen(1, 1, 1, 0);
    Form15* f = Oeffnen();
    ASSERT_TRUE(f->Check1->isChecked());
    f->Check1->click();
    EXPECT_EQ(Empfangen(), "AT+CVIB=0\r\n");
    EXPECT_EQ(Klingel().Vibration, 0);
    EXPECT_EQ(anzeige.Status, QStringList({"Schreibe Vibrationseinstellung...", "Fertig."}));
}

TEST_F(Klingelfenster, UnreadableRingReplyKeepsTheControlsAndSendsAgainAfter)
{
    Klingel_Setzen(9, 1, 0, 0);
    Form15* f = Oeffnen();
    for (const char* antwort : {"\r\n^SRTC: 77,9,0\r\n\r\nOK\r\n", "\r\n^SRTC: 42\r\n\r\nOK\r\n"}) {
        SCOPED_TRACE(antwort);
        u.Handy->Antwort_Setzen("AT^SRTC?", antwort, 1);
        f->Melodieholen();
        EXPECT_EQ(f->List1->currentRow(), 9);
        EXPECT_EQ(f->Label2->text(), "1");
        EXPECT_EQ(anzeige.Letzter_Status(), "Fertig.");
        EXPECT_FALSE(f->WerteEinlesen);
    }
    Vergessen();
    Typ_Klicken(f, 1);
    ASSERT_TRUE(u.Handy->Warten_Auf_Empfang("AT^SRTC=1\r\n", 2000));
    EXPECT_EQ(Empfangen(), "AT^SRTC=1\r\n");
}

TEST_F(Klingelfenster, MissingVibrationLineLeavesTheBoxAndStillReadsTheAlertMode)
{
    Klingel_Setzen(0, 0, 1, 1);
    Form15* f = Oeffnen();
    ASSERT_TRUE(f->Check1->isChecked());
    u.Handy->Antwort_Setzen("AT+CVIB?", sim::Ok(), 1);
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { klingel->Alarm = 2; });
    f->Melodieholen();
    EXPECT_TRUE(f->Check1->isChecked());
    EXPECT_TRUE(f->Option1[2]->isChecked());
    EXPECT_EQ(Empfangen(), "AT^SRTC?\r\nAT+CVIB?\r\nAT+CALM?\r\n");
}

TEST_F(Klingelfenster, RefusedVibrationReadStillReadsTheAlertMode)
{
    Form15* f = Oeffnen();
    u.Handy->Antwort_Setzen("AT+CVIB?", sim::Error(), 1);
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { klingel->Alarm = 2; });
    f->Melodieholen();
    EXPECT_EQ(Empfangen(), "AT^SRTC?\r\nAT+CVIB?\r\nAT+CPIN?\r\nAT+CALM?\r\n");
    EXPECT_TRUE(f->Option1[2]->isChecked());
    // No "Fertig." once the vibration was asked for.
    EXPECT_EQ(anzeige.Status.lastIndexOf("Fertig."), anzeige.Status.indexOf("Hole Vibrations- und Rufeinstellungen...") - 1);
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

TEST_F(Klingelfenster, UnansweredVibrationShowsThePhonesValue)
{
    Klingel_Setzen(1, 1, 0, 0);
    Form15* f = Oeffnen();
    ASSERT_FALSE(f->Check1->isChecked());
    u.Handy->Schweigen_Bei("AT+CVIB=", 1);
    f->Check1->click();
    EXPECT_EQ(Befehle().front(), "AT+CVIB=1");
    EXPECT_FALSE(f->Check1->isChecked());
    EXPECT_EQ(Klingel().Vibration, 0);
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_FALSE(f->WerteEinlesen);
}

TEST_F(Klingelfenster, ClosingSavesThePlacement)
{
    Form15* f = Oeffnen();
    f->move(30, 45);
    f->close();
    EXPECT_EQ(Einstellungen::Lesen("Windows", "MIDISX"), "450");
    EXPECT_EQ(Einstellungen::Lesen("Windows", "MIDISY"), "675");
}

}  // namespace
