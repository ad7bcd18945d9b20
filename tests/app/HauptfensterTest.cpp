// The main window's Load, placement, resize limits and shut-down, against the
// simulated phone on COM1.
#include "HauptfensterUmgebung.h"
#include "common/Buildnummer.h"

#include "common/Platzierung.h"
#include "link/Form2.h"
#include "phone/Form17.h"
#include "organizer/Form3.h"
#include "organizer/Termin.h"
#include "organizer/Terminliste.h"
#include "phonebook/Form1.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QScrollBar>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace hauptfenster_test;

namespace {

class Hauptfenster : public ::testing::Test {
protected:
    Umgebung u;

    QColor Lampe() const { return u.Fenster->Picture1->palette().color(QPalette::Window); }
    static void Speichern(const char* sektion, const char* schluessel, const QString& wert)
    {
        Einstellungen::Speichern(QLatin1String(sektion), QLatin1String(schluessel), wert);
    }
};

const QColor Gruen(0, 255, 0);
const QColor Rot(255, 0, 0);

TEST_F(Hauptfenster, FirstStartUsesTheDefaults)
{
    ASSERT_TRUE(u.Starten());
    MDIForm1* f = u.Fenster;
    EXPECT_EQ(MDIForm1::Instanz(), f);
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(f->isMaximized());
    EXPECT_EQ(f->pos(), QPoint(0, 0));
    EXPECT_EQ(f->size(), QSize(737, 568));  // 11055 x 8520 twips
    EXPECT_EQ(f->windowTitle(), QStringLiteral("TALKforge PRO 2000 Build: ") + Buildnummer());
    EXPECT_EQ(f->ProgressBar3->maximum(), 7500);
    EXPECT_EQ(Module1::TimeoutFaktor, 7500);
    EXPECT_EQ(f->Panel(4)->text(), "COM:1 (19200,n,8,1) ");
    EXPECT_TRUE(f->MSComm1.IstOffen());
    EXPECT_EQ(Module1::Link().Port, &f->MSComm1);
    EXPECT_EQ(Module1::Link().Anzeige, f);
    EXPECT_EQ(Lampe(), Gruen);
    EXPECT_FALSE(f->Command1->isVisible());
    EXPECT_EQ(f->Label1->text(), "Timeout:");
    EXPECT_EQ(f->Label2->text(), "Fortschritt:");

    EXPECT_EQ(Module1::TBuchNamen[0], "");
    const QStringList namen{"SIM", "TELEFON", "FESTE", "EIGENE", "ZULETZT", "VERSÄUMT"};
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(Module1::TBuchNamen[i], namen[i - 1]);

    // The settings window is loaded hidden with its two controls set.
    ASSERT_TRUE(Form9::Geladen());
    EXPECT_FALSE(Form9::Instanz()->isVisible());
    EXPECT_TRUE(Form9::Instanz()->Check6->isChecked());
    EXPECT_TRUE(Module1::LoeschenRueckfrage);
    EXPECT_EQ(Form9::Instanz()->Label76->text(), Module2::SMSLog_Vorgabe());

    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(u.Beendet, 0);
    EXPECT_EQ(u.Handy->Empfangen(), "");  // the Load sends nothing to the phone
}

TEST_F(Hauptfenster, StoredOptionsReachTheMeterAndTheSettingsWindow)
{
    Speichern("Options", "Timeoutzeit", "12000");
    Speichern("Options", "LoeschenOhneNachfrage", "0");
    Speichern("Options", "SMSLOGFILE", "/tmp/gelesen.log");
    ASSERT_TRUE(u.Starten());
    EXPECT_EQ(u.Fenster->ProgressBar3->maximum(), 12000);
    EXPECT_EQ(Module1::TimeoutFaktor, 12000);
    EXPECT_FALSE(Form9::Instanz()->Check6->isChecked());
    EXPECT_FALSE(Module1::LoeschenRueckfrage);
    EXPECT_EQ(Form9::Instanz()->Label76->text(), "/tmp/gelesen.log");
}

TEST_F(Hauptfenster, PortThatCannotBeOpenedEndsTheStartAfterTheSettingsWindow)
{
    Speichern("Settings", "ComPort", "3");
    Speichern("Ports", "COM3", "/dev/orx-gibt-es-nicht");
    ModalSchliesser schliesser;
    int beendetBeiMeldung = -1;
    QStringList modaleBeiMeldung;
    u.Dialoge.BeiMeldung = [&](const DialogeSkript::Meldung_&) {
        beendetBeiMeldung = u.Beendet;
        modaleBeiMeldung = schliesser.Geschlossen;
    };

    EXPECT_FALSE(u.Starten());
    EXPECT_TRUE(u.Fenster->isVisible());  // shown before the port was tried
    EXPECT_EQ(u.Fenster->Panel(4)->text(), "COM:3 (19200,n,8,1) ");
    EXPECT_EQ(schliesser.Geschlossen, QStringList{"Form9"});
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    const auto& m = u.Dialoge.Meldungen.front();
    EXPECT_EQ(m.text, "Bitte starten Sie ORX neu!");
    EXPECT_EQ(m.tasten, Dialoge::Tasten::OK);
    EXPECT_EQ(m.titel, "ORX 2000");
    EXPECT_EQ(modaleBeiMeldung, QStringList{"Form9"});  // the message comes after Form9 closed
    EXPECT_EQ(beendetBeiMeldung, 0);                    // ... and before the end
    EXPECT_EQ(u.Beendet, 1);
    // The remaining start-up steps did not run.
    EXPECT_EQ(Module1::TBuchNamen[1], "");
    EXPECT_FALSE(Form9::Geladen());
}

TEST_F(Hauptfenster, PlacementRoundTrip)
{
    Speichern("Windows", "MainX", "1500");
    Speichern("Windows", "MainY", "750");
    Speichern("Windows", "MainW", "9900");
    Speichern("Windows", "MainH", "7500");
    Speichern("Options", "Ausschalten", "0");
    ASSERT_TRUE(u.Starten());
    MDIForm1* f = u.Fenster;
    EXPECT_EQ(f->pos(), QPoint(100, 50));
    EXPECT_EQ(f->size(), QSize(660, 500));

    f->move(200, 100);
    f->resize(700, 520);
    ASSERT_TRUE(Warten_Bis([&] { return f->size() == QSize(700, 520) && f->pos() == QPoint(200, 100); }));
    EXPECT_TRUE(f->close());
    EXPECT_EQ(Umgebung::Fensterwert("MainWS"), "0");
    EXPECT_EQ(Umgebung::Fensterwert("MainX"), "3000");
    EXPECT_EQ(Umgebung::Fensterwert("MainY"), "1500");
    EXPECT_EQ(Umgebung::Fensterwert("MainW"), "10500");
    EXPECT_EQ(Umgebung::Fensterwert("MainH"), "7800");
    EXPECT_EQ(u.Beendet, 1);

    // The next start opens where the last one ended.
    ASSERT_TRUE(u.Starten());
    EXPECT_EQ(u.Fenster->pos(), QPoint(200, 100));
    EXPECT_EQ(u.Fenster->size(), QSize(700, 520));
}

TEST_F(Hauptfenster, MaximisedWindowStoresOnlyItsState)
{
    Speichern("Windows", "MainX", "1500");
    Speichern("Windows", "MainY", "750");
    Speichern("Windows", "MainW", "9900");
    Speichern("Windows", "MainH", "7500");
    Speichern("Options", "Ausschalten", "0");
    ASSERT_TRUE(u.Starten());
    u.Fenster->showMaximized();
    ASSERT_TRUE(Warten_Bis([&] { return u.Fenster->isMaximized(); }));
    EXPECT_TRUE(u.Fenster->close());
    EXPECT_EQ(Umgebung::Fensterwert("MainWS"), "2");
    EXPECT_EQ(Umgebung::Fensterwert("MainX"), "1500");
    EXPECT_EQ(Umgebung::Fensterwert("MainY"), "750");
    EXPECT_EQ(Umgebung::Fensterwert("MainW"), "9900");
    EXPECT_EQ(Umgebung::Fensterwert("MainH"), "7500");

    // The next start opens maximised, with the stored normal placement behind it.
    ASSERT_TRUE(u.Starten());
    EXPECT_TRUE(u.Fenster->isMaximized());
    u.Fenster->showNormal();
    ASSERT_TRUE(Warten_Bis([&] { return !u.Fenster->isMaximized(); }));
    EXPECT_TRUE(Warten_Bis([&] { return u.Fenster->pos() == QPoint(100, 50) && u.Fenster->size() == QSize(660, 500); }))
        << u.Fenster->x() << "," << u.Fenster->y() << " " << u.Fenster->width() << "x" << u.Fenster->height();
}

TEST_F(Hauptfenster, ResizeLimits)
{
    ASSERT_TRUE(u.Starten());
    MDIForm1* f = u.Fenster;
    auto groesse = [&](int w, int h) {
        f->resize(w, h);
        Laufen_Lassen(30);
        return f->size();
    };
    EXPECT_EQ(groesse(600, 400), QSize(637, 460));  // below 9200 twips wide: 9555, not 9200
    EXPECT_EQ(groesse(614, 460), QSize(614, 460));  // 9210 x 6900 twips: left alone
    EXPECT_EQ(groesse(613, 500), QSize(637, 500));  // 9195 twips
    EXPECT_EQ(groesse(700, 459), QSize(700, 460));
    EXPECT_EQ(groesse(800, 600), QSize(800, 600));

    // The bars start at the tree panel's width + 60 twips and end 430 twips before the right edge;
    // the lamp sits 170 twips from it. The panel is 2235 twips wide, or wider for its nodes.
    const int feld = f->Picture4->width();
    EXPECT_GE(feld, 149);
    EXPECT_EQ(f->ProgressBar3->x(), feld + 4);
    EXPECT_EQ(f->ProgressBar4->x(), feld + 4);
    EXPECT_EQ(f->ProgressBar3->width(), (800 * 15 - (feld * 15 + 60 + 430)) / 15);
    EXPECT_EQ(f->ProgressBar4->width(), f->ProgressBar3->width());
    EXPECT_EQ(f->Picture1->x(), (800 * 15 - f->Picture1->width() * 15 - 170) / 15);
    EXPECT_LT(f->ProgressBar3->x() + f->ProgressBar3->width(), f->Picture1->x());
    EXPECT_EQ(f->Picture2->height(), 54);
}

TEST_F(Hauptfenster, CloseAsksAndYesSwitchesThePhoneOff)
{
    ASSERT_TRUE(u.Starten());
    u.Handy->Empfangen_Loeschen();
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    EXPECT_TRUE(u.Fenster->close());
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    const auto& m = u.Dialoge.Meldungen.front();
    EXPECT_EQ(m.text, "Das Handy ausschalten ?");
    EXPECT_EQ(m.symbol, Dialoge::Symbol::Frage);
    EXPECT_EQ(m.tasten, Dialoge::Tasten::JaNein);
    EXPECT_EQ(m.standard, Dialoge::Antwort::Nein);
    EXPECT_EQ(m.titel, "ORX 2000");
    // Written straight to the port and flushed before the program ends.
    EXPECT_TRUE(u.Handy->Warten_Auf_Empfang("at^smso\r\n", 2000));
    EXPECT_EQ(u.Handy->Empfangen(), "at^smso\r\n");
    EXPECT_EQ(Umgebung::Fensterwert("MainWS"), "0");
    EXPECT_EQ(u.Beendet, 1);
}

TEST_F(Hauptfenster, CloseWithNoSendsNothing)
{
    ASSERT_TRUE(u.Starten());
    u.Handy->Empfangen_Loeschen();
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    EXPECT_TRUE(u.Fenster->close());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Das Handy ausschalten ?"});
    EXPECT_FALSE(u.Handy->Warten_Auf_Empfang("at", 300));
    EXPECT_EQ(u.Handy->Empfangen(), "");
    EXPECT_EQ(Umgebung::Fensterwert("MainWS"), "0");
    EXPECT_EQ(u.Beendet, 1);
}

TEST_F(Hauptfenster, CloseWithoutSwitchOffOptionAsksNothing)
{
    Speichern("Options", "Ausschalten", "0");
    ASSERT_TRUE(u.Starten());
    u.Handy->Empfangen_Loeschen();
    EXPECT_TRUE(u.Fenster->close());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_FALSE(u.Handy->Warten_Auf_Empfang("at", 300));
    EXPECT_EQ(Umgebung::Fensterwert("MainWS"), "0");
    EXPECT_EQ(u.Beendet, 1);
}

TEST_F(Hauptfenster, SwitchOffIsSkippedWhenThePortIsClosed)
{
    ASSERT_TRUE(u.Starten());
    u.Fenster->MSComm1.Schliessen();
    u.Handy->Empfangen_Loeschen();
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    EXPECT_TRUE(u.Fenster->close());
    EXPECT_FALSE(u.Handy->Warten_Auf_Empfang("at", 300));
    EXPECT_EQ(u.Beendet, 1);
}

TEST_F(Hauptfenster, CloseRequestIsIgnoredWhileAWaitRuns)
{
    Speichern("Options", "Timeoutzeit", "1000");
    ASSERT_TRUE(u.Starten());
    u.Handy->Schweigen_Bei("AT+CGMM", 1);
    bool geschlossen = true;
    bool sichtbar = false;
    int meldungenWaehrend = -1;
    QTimer::singleShot(100, [&] {
        geschlossen = u.Fenster->close();
        sichtbar = u.Fenster->isVisible();
        meldungenWaehrend = static_cast<int>(u.Dialoge.Meldungen.size());
    });
    EXPECT_FALSE(Module1::Befehl_Senden("AT+CGMM", true));  // silence: the time-out
    EXPECT_FALSE(geschlossen);
    EXPECT_TRUE(sichtbar);
    EXPECT_EQ(meldungenWaehrend, 0);  // no switch-off question
    EXPECT_TRUE(Umgebung::Fensterwert("MainWS").isNull());
    EXPECT_EQ(u.Beendet, 0);

    // Once the wait is over the window closes.
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    EXPECT_TRUE(u.Fenster->close());
    EXPECT_EQ(u.Beendet, 1);
}

TEST_F(Hauptfenster, TheExchangeShowsItsWorkOnTheWindow)
{
    ASSERT_TRUE(u.Starten());
    MDIForm1* f = u.Fenster;
    f->Kind_Zeigen(Form17::Instanz());
    QMdiSubWindow* kind = f->MdiArea->currentSubWindow();
    ASSERT_NE(kind, nullptr);
    u.Handy->Verzoegerung_Setzen(300);

    struct Bild {
        QColor lampe;
        bool rahmenFrei = true;
        bool kindFrei = true;
        Qt::CursorShape zeiger = Qt::ArrowCursor;
        QString panel3;
    } waehrend;
    QTimer::singleShot(100, [&] {
        waehrend = {Lampe(), f->isEnabled(), kind->isEnabled(), f->cursor().shape(), f->Panel(3)->text()};
    });
    EXPECT_TRUE(Module1::Befehl_Senden("AT", true));
    EXPECT_EQ(waehrend.lampe, Rot);
    EXPECT_FALSE(waehrend.rahmenFrei);
    EXPECT_FALSE(waehrend.kindFrei);
    EXPECT_EQ(waehrend.zeiger, Qt::WaitCursor);
    EXPECT_TRUE(waehrend.panel3.startsWith("Eingangspuffer: "));

    EXPECT_EQ(Lampe(), Gruen);
    EXPECT_TRUE(f->isEnabled());
    EXPECT_TRUE(kind->isEnabled());
    EXPECT_EQ(f->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(f->ProgressBar3->value(), 0);
    EXPECT_TRUE(f->Text2().contains("OK"));
    EXPECT_EQ(&f->Text2(), &Module1::Link().Text2);
    EXPECT_EQ(&f->Text1(), &Module1::Link().Text1);
    // The communication log is mirrored into the hidden log window.
    ASSERT_TRUE(Form2::Geladen());
    EXPECT_TRUE(Form2::Instanz()->Text1().startsWith("AT"));
    EXPECT_TRUE(Form2::Instanz()->Text1().contains("OK"));
    EXPECT_FALSE(Form2::Instanz()->isVisible());

    // The meter stays within its maximum; the status goes to panel 2.
    f->Meter_Setzen(99999);
    EXPECT_EQ(f->ProgressBar3->value(), f->ProgressBar3->maximum());
    f->Meter_Setzen(17);
    EXPECT_EQ(f->ProgressBar3->value(), 17);
    Module1::Status_Setzen("Fertig.");
    EXPECT_EQ(f->Panel(2)->text(), "Fertig.");

    // The transfer bar the same way.
    f->Fortschritt_Setzen(30, 250);
    EXPECT_EQ(f->ProgressBar4->maximum(), 250);
    EXPECT_EQ(f->ProgressBar4->value(), 30);
    f->Fortschritt_Setzen(251, 250);
    EXPECT_EQ(f->ProgressBar4->value(), 250);
    f->Fortschritt_Setzen(0, 0);
    EXPECT_GT(f->ProgressBar4->maximum(), f->ProgressBar4->minimum());
}

TEST_F(Hauptfenster, AToolWindowIsWrappedOnceAndKeepsItsPlacement)
{
    Speichern("Windows", "OrganizerX", "300");
    Speichern("Windows", "OrganizerY", "450");
    ASSERT_TRUE(u.Starten());
    MDIForm1* f = u.Fenster;
    Form3* organizer = Form3::Instanz();
    f->Kind_Zeigen(organizer);
    f->Kind_Zeigen(Form17::Instanz());
    EXPECT_EQ(f->MdiArea->currentSubWindow()->widget(), Form17::Instanz());
    f->Kind_Zeigen(organizer);
    ASSERT_EQ(f->MdiArea->subWindowList().size(), 2);
    QMdiSubWindow* rahmen = f->MdiArea->currentSubWindow();
    EXPECT_EQ(rahmen->widget(), organizer);
    EXPECT_EQ(rahmen->pos(), QPoint(20, 30));
    EXPECT_EQ(rahmen->size(), QSize(8200 / 15, 6500 / 15));

    // Closing the tool window unloads it; it saves its placement then.
    rahmen->move(40, 50);
    rahmen->close();
    EXPECT_TRUE(Warten_Bis([] { return !Form3::Geladen(); }));
    EXPECT_EQ(Umgebung::Fensterwert("OrganizerX"), "600");
    EXPECT_EQ(Umgebung::Fensterwert("OrganizerY"), "750");
    EXPECT_EQ(f->MdiArea->subWindowList().size(), 1);
}

TEST_F(Hauptfenster, AClosedToolWindowGivesTheKeyboardFocusToTheTree)
{
    ASSERT_TRUE(u.Starten());
    MDIForm1* f = u.Fenster;
    QApplication::setActiveWindow(f);
    Form17* netze = Form17::Instanz();
    f->Kind_Zeigen(netze);
    QCoreApplication::processEvents();
    if (!netze->isAncestorOf(QApplication::focusWidget()) && QApplication::focusWidget() != netze)
        GTEST_SKIP() << "no keyboard focus on this platform";
    f->MdiArea->currentSubWindow()->close();
    EXPECT_TRUE(Warten_Bis([f] { return QApplication::focusWidget() == f->TreeView1; }, 1000));
}

TEST_F(Hauptfenster, AToolWindowLargerThanTheAreaIsReachedByScrollBars)
{
    Speichern("Windows", "OrganizerW", "15000");
    Speichern("Windows", "OrganizerH", "12000");
    ASSERT_TRUE(u.Starten());
    QMdiArea* bereich = u.Fenster->MdiArea;
    u.Fenster->Kind_Zeigen(Form3::Instanz());
    QCoreApplication::processEvents();
    ASSERT_GT(bereich->currentSubWindow()->width(), bereich->viewport()->width());
    ASSERT_GT(bereich->currentSubWindow()->height(), bereich->viewport()->height());
    EXPECT_TRUE(bereich->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(bereich->verticalScrollBar()->isVisible());
    EXPECT_GT(bereich->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(bereich->verticalScrollBar()->maximum(), 0);
}

TEST_F(Hauptfenster, AToolWindowWithoutStoredSizeKeepsItsDesignedContent)
{
    ASSERT_TRUE(u.Starten());
    Form17* netze = Form17::Instanz();
    const QSize entworfen = netze->size();
    u.Fenster->Kind_Zeigen(netze);
    // The frame grows by its title bar and border; nothing of the content is cut.
    EXPECT_EQ(netze->size(), entworfen);
    EXPECT_GT(u.Fenster->MdiArea->currentSubWindow()->height(), entworfen.height());
}

TEST_F(Hauptfenster, AToolWindowPlacedAsItIsShownKeepsItsStoredSize)
{
    // The phone-book window places its frame when it is first shown; its designed client area
    // (593 px) is wider than the stored 8200 twips and must not win afterwards.
    Speichern("Windows", "TelefonbuchW", "8400");
    ASSERT_TRUE(u.Starten());
    u.Fenster->Kind_Zeigen(Form1::Instanz());
    EXPECT_EQ(u.Fenster->MdiArea->currentSubWindow()->size(), QSize(8400 / 15, 6500 / 15 + 1));
}

TEST_F(Hauptfenster, TheHiddenSettingsButtonIsNeitherFocusedNorOfferedToScreenReaders)
{
    ASSERT_TRUE(u.Starten());
    MDIForm1* f = u.Fenster;
    std::function<bool(QAccessibleInterface*)> enthaelt = [&](QAccessibleInterface* a) {
        if (!a)
            return false;
        if (a->object() == f->Command1)
            return true;
        for (int i = 0; i < a->childCount(); ++i)
            if (enthaelt(a->child(i)))
                return true;
        return false;
    };
    EXPECT_FALSE(enthaelt(QAccessible::queryAccessibleInterface(f)));
    for (QWidget* w = f->nextInFocusChain(); w != f; w = w->nextInFocusChain())
        EXPECT_NE(w, f->Command1);
}

TEST_F(Hauptfenster, ToolWindowsOpenAtTheEndSaveNothing)
{
    Speichern("Options", "Ausschalten", "0");
    ASSERT_TRUE(u.Starten());
    u.Fenster->Kind_Zeigen(Form3::Instanz());
    EXPECT_TRUE(u.Fenster->close());
    EXPECT_TRUE(Umgebung::Fensterwert("OrganizerX").isNull());
    EXPECT_TRUE(Form3::Geladen());
}

TEST_F(Hauptfenster, EndingAsksForEachChangedLocalListBeforeTheSwitchOff)
{
    ASSERT_TRUE(u.Starten());
    u.Fenster->Kind_Zeigen(Form1::Instanz());
    u.Fenster->Kind_Zeigen(Form3::Instanz());
    Form1::Instanz()->Lokal_Anfuegen("LOKAL", 7, "Anna", "0171", "");
    Module1::Zeile_Anfuegen(Form3::Instanz()->Kal2, {"Notiz", "", "24.12.2000", "18:30", "Feier", "", ""}, false);
    const QString frage = QStringLiteral("Die lokale Liste wurde geändert. Möchten Sie die Änderungen speichern?");

    u.Dialoge.Antworten = {Dialoge::Antwort::Nein, Dialoge::Antwort::Abbrechen};
    EXPECT_FALSE(u.Fenster->close());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList({frage, frage}));
    EXPECT_EQ(u.Beendet, 0);
    EXPECT_TRUE(u.Fenster->isVisible());

    u.Dialoge.Antworten = {Dialoge::Antwort::Nein, Dialoge::Antwort::Nein, Dialoge::Antwort::Nein};
    EXPECT_TRUE(u.Fenster->close());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList({frage, frage, frage, frage, "Das Handy ausschalten ?"}));
    EXPECT_EQ(u.Beendet, 1);
}

TEST_F(Hauptfenster, EndingBringsEachChangedListsWindowToTheFrontBeforeItsQuestion)
{
    Speichern("Options", "Ausschalten", "0");
    ASSERT_TRUE(u.Starten());
    u.Fenster->Kind_Zeigen(Form1::Instanz());
    u.Fenster->Kind_Zeigen(Form3::Instanz());
    Form1::Instanz()->Lokal_Anfuegen("LOKAL", 7, "Anna", "0171", "");
    Module1::Zeile_Anfuegen(Form3::Instanz()->Kal2, {"Notiz", "", "24.12.2000", "18:30", "Feier", "", ""}, false);
    QList<QWidget*> vorn;
    u.Dialoge.BeiMeldung = [&](const DialogeSkript::Meldung_&) {
        QMdiArea* bereich = u.Fenster->MdiArea;
        QWidget* oben = bereich->subWindowList(QMdiArea::StackingOrder).last()->widget();
        vorn << (bereich->currentSubWindow()->widget() == oben ? oben : nullptr);
    };
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein, Dialoge::Antwort::Nein};
    EXPECT_TRUE(u.Fenster->close());
    EXPECT_EQ(u.Dialoge.Texte(), QStringList(2, "Die lokale Liste wurde geändert. Möchten Sie die Änderungen speichern?"));
    EXPECT_EQ(vorn, (QList<QWidget*>{Form1::Instanz(), Form3::Instanz()}));
}

TEST_F(Hauptfenster, SmsSpontanAndTheSettingsWindow)
{
    ASSERT_TRUE(u.Starten());
    u.Fenster->SMSSPONTAN();
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Nachricht!!!!!!");
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    EXPECT_EQ(u.Dialoge.Meldungen[0].tasten, Dialoge::Tasten::OK);

    ModalSchliesser schliesser;
    u.Fenster->Einstellungen_Zeigen();
    EXPECT_EQ(schliesser.Geschlossen, QStringList{"Form9"});
}

}  // namespace
