// The navigation tree's nodes, what each click opens or calls, and SPRACHEWAEHLEN
// against the simulated phone's model.
#include "HauptfensterUmgebung.h"
#include "support/Testdateien.h"

#include "common/Knoepfe.h"
#include "link/Handytyp.h"
#include "media/Form15.h"
#include "phone/Form12.h"
#include "phone/Form16.h"
#include "phone/Form18.h"
#include "phone/Form20.h"
#include "phone/Form25.h"
#include "phonebook/Form1.h"
#include "phonebook/Form4.h"
#include "sim/SimEinstellungen.h"
#include "sim/SimKlingel.h"
#include "sim/SimTelefonbuch.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <atomic>
#include <gtest/gtest.h>

using namespace hauptfenster_test;

namespace {

struct Zeile {
    const char* eltern;
    const char* schluessel;
    const char* text;
    int bild;
    bool fett;
};

// The table of nodes, in the order in which the nodes are added.
const Zeile Tabelle[] = {
    {"", "R", "ORX", 6, true},
    {"R", "Telefonbuch", "Telefonbücher", 14, true},
    {"R", "Nachrichten", "Nachrichten", 1, true},
    {"R", "MelodienBitmap", "Melodie / Bitmap", 19, true},
    {"R", "Organizer", "Organizer", 15, true},
    {"R", "Einstellungen", "Einstellungen", 4, true},
    {"R", "Infos", "Infos", 22, true},
    {"", "R3", "", 0, false},
    {"", "R2", "ORX-Einstellungen", 27, true},
    {"R2", "Settings", "ORX-Einstellungen", 23, false},
    {"R2", "about", "Über ORX", 25, false},
    {"Nachrichten", "SMSlesen", "SMS Lesen", 9, false},
    {"Nachrichten", "SMSsenden", "SMS Senden", 11, false},
    {"MelodienBitmap", "melodie", "Ruftöne", 7, false},
    {"MelodienBitmap", "bitmap", "Grafiken", 19, false},
    {"MelodienBitmap", "bitmapeditor", "Grafik-Editor", 20, false},
    {"Einstellungen", "datum", "Datum / Uhr", 16, false},
    {"Einstellungen", "sprache", "Sprache", 13, false},
    {"Einstellungen", "umleitungen", "Umleitungen", 17, false},
    {"Einstellungen", "sperren", "Sperren", 12, false},
    {"Infos", "allgemeine", "Allgemeines", 24, false},
    {"Infos", "Netze", "Netze", 8, false},
};

QString Schluessel(const QTreeWidgetItem* k) { return k->data(0, MDIForm1::SchluesselRolle).toString(); }

class Navigationsbaum : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The settings windows read the phone; the "sprache" windows the language set below.
        sim::Einstellungen_Anmelden(*u.Handy);
        sim::Klingel_Anmelden(*u.Handy);  // the ring-tone window reads the ring settings
        u.Handy->Handler_Setzen("AT^SLNG?", [this](sim::SimHandy&, const std::string&) {
            return sim::Antwort{sim::Zeile("^SLNG: " + std::to_string(sprachcode)) + sim::Ok(), {}};
        });
        ASSERT_TRUE(u.Starten());
        f = u.Fenster;
        baum = f->TreeView1;
    }

    void Klicken(const char* schluessel)
    {
        QTreeWidgetItem* knoten = f->Knoten(QLatin1String(schluessel));
        ASSERT_NE(knoten, nullptr) << schluessel;
        emit baum->itemClicked(knoten, 0);
    }

    QWidget* Aktives_Kind() const
    {
        QMdiSubWindow* rahmen = f->MdiArea->currentSubWindow();
        return rahmen ? rahmen->widget() : nullptr;
    }

    QStringList Kinder() const
    {
        QStringList namen;
        for (QMdiSubWindow* rahmen : f->MdiArea->subWindowList())
            namen << rahmen->widget()->objectName();
        return namen;
    }

    void Modell_Setzen(const std::string& modell)
    {
        u.Handy->Mit_Zustand([&](sim::SimHandy& h) { h.Modell = modell; });
    }

    int Anzahl(const std::string& befehl) const
    {
        int n = 0;
        for (const std::string& b : u.Handy->Befehle())
            n += b == befehl;
        return n;
    }
    int Modellfragen() const { return Anzahl("AT+CGMM"); }
    // A key pressed and released where the keyboard is.
    static void Taste(int k)
    {
        for (const QEvent::Type art : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(art, k, Qt::NoModifier);
            QCoreApplication::sendEvent(QApplication::focusWidget(), &e);
        }
    }
    // Form12's ALLELESEN reads the IMEI first (and the model among its values).
    int Informationslesungen() const { return Anzahl("AT+CGSN"); }

    Umgebung u;
    MDIForm1* f = nullptr;
    QTreeWidget* baum = nullptr;
    std::atomic<int> sprachcode{0};  // read by the simulator's thread
};

TEST_F(Navigationsbaum, TwentyTwoNodesAsTheTableSays)
{
    int anzahl = 0;
    for (QTreeWidgetItemIterator it(baum); *it; ++it)
        ++anzahl;
    EXPECT_EQ(anzahl, 22);
    EXPECT_EQ(baum->topLevelItemCount(), 3);

    QMap<QString, int> naechstesKind;  // children come in table order under their parent
    QMap<QString, int> wurzeln;
    for (const Zeile& z : Tabelle) {
        SCOPED_TRACE(z.schluessel);
        QTreeWidgetItem* k = f->Knoten(QLatin1String(z.schluessel));
        ASSERT_NE(k, nullptr);
        EXPECT_EQ(k->text(0), QString::fromUtf8(z.text));
        EXPECT_EQ(k->data(0, MDIForm1::BildRolle).toInt(), z.bild);
        EXPECT_EQ(k->icon(0).isNull(), z.bild == 0);
        EXPECT_EQ(k->font(0).bold(), z.fett);
        const QString eltern = QString::fromLatin1(z.eltern);
        if (eltern.isEmpty()) {
            EXPECT_EQ(k->parent(), nullptr);
            EXPECT_EQ(baum->indexOfTopLevelItem(k), wurzeln.size());
            wurzeln[QLatin1String(z.schluessel)] = 1;
        } else {
            ASSERT_NE(k->parent(), nullptr);
            EXPECT_EQ(Schluessel(k->parent()), eltern);
            EXPECT_EQ(k->parent()->indexOfChild(k), naechstesKind[eltern]++);
        }
    }
    EXPECT_EQ(f->ImageList1.size(), 28);  // index 1 ... 27

    // Every group is open, and the view ends on "Settings".
    for (const char* gruppe : {"R", "Nachrichten", "MelodienBitmap", "Einstellungen", "Infos", "R2"})
        EXPECT_TRUE(f->Knoten(QLatin1String(gruppe))->isExpanded()) << gruppe;
    const QRect settings = baum->visualItemRect(f->Knoten("Settings"));
    // Scrolled to vertically; a node wider than the panel makes the tree scroll sideways.
    EXPECT_GE(settings.top(), 0);
    EXPECT_LE(settings.bottom(), baum->viewport()->rect().bottom()) << settings.y();
    EXPECT_EQ(baum->selectedItems().size(), 0);
}

TEST_F(Navigationsbaum, GroupsAndTheSpacerOpenNothing)
{
    for (const char* k : {"R", "Nachrichten", "MelodienBitmap", "Einstellungen", "Infos", "R3", "R2"})
        Klicken(k);
    EXPECT_TRUE(f->MdiArea->subWindowList().isEmpty());
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_TRUE(u.Handy->Befehle().empty());
}

TEST_F(Navigationsbaum, EachToolNodeOpensItsWindowOnceAndActivatesIt)
{
    const std::pair<const char*, const char*> knoten[] = {
        {"Telefonbuch", "Form1"}, {"Organizer", "Form3"},   {"SMSlesen", "Form5"},    {"SMSsenden", "Form6"},
        {"allgemeine", "Form12"}, {"bitmapeditor", "Form22"}, {"bitmap", "Form14"},   {"melodie", "Form15"},
        {"Netze", "Form17"},      {"datum", "Form18"},       {"sperren", "Form19"},    {"umleitungen", "Form20"},
    };
    QStringList erwartet;
    for (const auto& [schluessel, fenster] : knoten) {
        SCOPED_TRACE(schluessel);
        Klicken(schluessel);
        erwartet << QLatin1String(fenster);
        ASSERT_NE(Aktives_Kind(), nullptr);
        EXPECT_EQ(Aktives_Kind()->objectName(), fenster);
        EXPECT_TRUE(Aktives_Kind()->isVisible());
    }
    EXPECT_EQ(Kinder(), erwartet);
    EXPECT_EQ(Informationslesungen(), 1);

    // A second click brings each window to the front, no second one is made.
    for (const auto& [schluessel, fenster] : knoten) {
        Klicken(schluessel);
        EXPECT_EQ(Aktives_Kind()->objectName(), fenster);
    }
    EXPECT_EQ(Kinder(), erwartet);
    EXPECT_EQ(Informationslesungen(), 2);  // read again on every click

    // The picture and melody windows asked the model on their first load only (it is kept);
    // the information window reads it as one of its values each time.
    EXPECT_EQ(Modellfragen() - Informationslesungen(), 1);
    EXPECT_EQ(Module1::Handytyp, "35");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Navigationsbaum, EveryToolbarButtonTakesTheKeyboardAndIsNamedByItsTooltip)
{
    for (const char* schluessel : {"Telefonbuch", "Organizer", "SMSlesen", "SMSsenden", "allgemeine", "bitmapeditor",
                                   "bitmap", "melodie", "Netze", "datum", "sperren", "umleitungen"})
        Klicken(schluessel);
    int knoepfe = 0;
    for (QMdiSubWindow* rahmen : f->MdiArea->subWindowList())
        for (QToolButton* knopf : rahmen->widget()->findChildren<QToolButton*>()) {
            if (!knopf->defaultAction())
                continue;
            SCOPED_TRACE(QString(rahmen->widget()->objectName() + " " + knopf->toolTip()).toStdString());
            ++knoepfe;
            EXPECT_TRUE(knopf->focusPolicy() & Qt::TabFocus);
            EXPECT_FALSE(knopf->toolTip().isEmpty());
            EXPECT_EQ(knopf->accessibleName(), knopf->toolTip());
        }
    EXPECT_GT(knoepfe, 100);
    EXPECT_TRUE(Form15::Instanz()->VScroll1->focusPolicy() & Qt::TabFocus);  // the volume
}

TEST_F(Navigationsbaum, EnterOpensTheCurrentNodeAndADoubleClickOpensOnce)
{
    const auto taste = [this](int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(baum, &e);
    };
    baum->setCurrentItem(f->Knoten("Infos"));
    taste(Qt::Key_Down);
    taste(Qt::Key_Down);
    ASSERT_EQ(Schluessel(baum->currentItem()), "Netze");
    EXPECT_TRUE(Kinder().isEmpty());  // moving opens nothing
    taste(Qt::Key_Return);
    EXPECT_EQ(Kinder(), QStringList{"Form17"});
    taste(Qt::Key_Up);
    taste(Qt::Key_Enter);
    EXPECT_EQ(Kinder(), QStringList({"Form17", "Form12"}));
    EXPECT_EQ(Informationslesungen(), 1);

    const QPoint mitte = baum->visualItemRect(f->Knoten("allgemeine")).center();
    for (const QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                   QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons gedrueckt = art == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(art, mitte, baum->viewport()->mapToGlobal(mitte), Qt::LeftButton, gedrueckt, Qt::NoModifier);
        QCoreApplication::sendEvent(baum->viewport(), &e);
    }
    EXPECT_EQ(Informationslesungen(), 2);
}

TEST_F(Navigationsbaum, TheKeyboardStaysOnTheButtonAfterItsCommandAndItsMessage)
{
    QApplication::setActiveWindow(f);
    const auto taste = &Taste;
    baum->setFocus();
    baum->setCurrentItem(f->Knoten("datum"));
    QCoreApplication::processEvents();
    if (!baum->hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    u.Handy->Antwort_Setzen("AT+CCLK?", sim::Error(), 1);
    taste(Qt::Key_Return);
    Form18* uhr = Form18::Instanz();
    ASSERT_TRUE(uhr->isAncestorOf(QApplication::focusWidget()));  // the window has the keyboard
    for (int i = 0; i < 10 && QApplication::focusWidget() != uhr->Command13; ++i)
        taste(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), uhr->Command13);
    EXPECT_TRUE(uhr->DTPicker1->text().trimmed().isEmpty());  // passing the fields invents no clock
    u.Handy->Empfangen_Loeschen();
    taste(Qt::Key_Space);
    EXPECT_EQ(u.Handy->Befehle(), std::vector<std::string>{"AT+CCLK?"});
    EXPECT_FALSE(uhr->DTPicker1->text().trimmed().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), uhr->Command13);

    Module1::TimeoutFaktor = 300;
    u.Handy->Schweigen_Bei("AT+CCLK?");
    Dialoge::Setzen(nullptr);  // the real message box, closed as soon as it shows
    ModalSchliesser schliesser;
    taste(Qt::Key_Space);
    EXPECT_EQ(schliesser.Geschlossen.size(), 1);  // the time-out message
    EXPECT_TRUE(Warten_Bis([uhr] { return QApplication::focusWidget() == uhr->Command13; }, 1000));
}

TEST_F(Navigationsbaum, TheKeyboardComesBackToTheButtonWhenACommandFollowsTheMessage)
{
    QApplication::setActiveWindow(f);
    Klicken("umleitungen");
    Form20* umleitungen = Form20::Instanz();
    umleitungen->Command9[1]->setFocus();
    QCoreApplication::processEvents();
    if (!umleitungen->Command9[1]->hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    // The box takes the keyboard; the window system gives it back only after the read-back began.
    u.Dialoge.BeiMeldung = [](const DialogeSkript::Meldung_&) { QApplication::setActiveWindow(nullptr); };
    u.Handy->Antwort_Setzen("AT+CCFC=1,4", sim::Error(), 1);  // "Schreiben" refused
    u.Handy->Empfangen_Loeschen();
    Taste(Qt::Key_Space);
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Handy->Befehle().back().rfind("AT+CCFC=1,2", 0), 0u) << u.Handy->Befehle().back();  // the read-back
    QApplication::setActiveWindow(f);
    EXPECT_EQ(QApplication::focusWidget(), umleitungen->Command9[1]);
}

TEST_F(Navigationsbaum, TheKeyboardComesBackToTheListAfterTheEntryDialogAndTheWrite)
{
    auto buecher = sim::Telefonbuch_Anmelden(*u.Handy);
    u.Handy->Mit_Zustand([&](sim::SimHandy&) { buecher->Fuellen("SM", 2); });
    Module1::TBuch_Leeren(1);  // no cache of an earlier test: the book is read from this phone
    QApplication::setActiveWindow(f);
    Klicken("Telefonbuch");
    Form1* tb = Form1::Instanz();
    Knopf_Suchen(tb->Toolbar2, "SIM")->trigger();
    ASSERT_EQ(tb->TBuch1->topLevelItemCount(), 2);
    tb->TBuch1->topLevelItem(0)->setSelected(true);
    tb->TBuch1->setFocus();
    QCoreApplication::processEvents();
    if (!tb->TBuch1->hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    ModalSchliesser schliesser;  // the real entry dialog, changed and saved as soon as it shows
    schliesser.BeimSchliessen = [](QWidget* w) {
        if (auto* dialog = qobject_cast<Form4*>(w)) {
            dialog->Text2->setText(QStringLiteral("0309"));
            dialog->Command1->click();
        }
    };
    u.Handy->Empfangen_Loeschen();
    tb->Bearbeiten->trigger();
    ASSERT_EQ(schliesser.Geschlossen, QStringList{"Form4"});
    EXPECT_EQ(Anzahl("AT+CPBW=001,\"0309\",129,\"Name 1\""), 1);
    EXPECT_TRUE(Warten_Bis([tb] { return QApplication::focusWidget() == tb->TBuch1; }, 1000));
}

TEST_F(Navigationsbaum, ClosedWindowIsLoadedAgainOnTheNextClick)
{
    Klicken("allgemeine");
    f->MdiArea->currentSubWindow()->close();
    ASSERT_TRUE(Warten_Bis([] { return !Form12::Geladen(); }));
    Klicken("allgemeine");
    EXPECT_EQ(Kinder(), QStringList{"Form12"});
    EXPECT_EQ(Informationslesungen(), 2);  // once per load
}

TEST_F(Navigationsbaum, SettingsAndAboutAreModal)
{
    ModalSchliesser schliesser;
    QStringList titel;
    schliesser.BeimSchliessen = [&](QWidget* w) { titel << w->windowTitle(); };
    Klicken("Settings");
    EXPECT_EQ(schliesser.Geschlossen, QStringList{"Form9"});
    Klicken("about");
    EXPECT_EQ(schliesser.Geschlossen, QStringList({"Form9", "Form23"}));
    EXPECT_TRUE(f->MdiArea->subWindowList().isEmpty());
    EXPECT_TRUE(Warten_Bis([] { return !QApplication::activeModalWidget(); }));
}

TEST_F(Navigationsbaum, PhoneBookNodeLoadsTheAutomaticLocalBookOnEveryClick)
{
    // A missing file: each load tells the user with one message of its own.
    Module1::LokalTBAutoLaden = false;
    Module1::AutoTelefonbuchDatei = QStringLiteral("/tmp/orx-gibt-es-nicht.orx");
    Klicken("Telefonbuch");
    EXPECT_EQ(Kinder(), QStringList{"Form1"});
    EXPECT_EQ(Aktives_Kind()->objectName(), "Form1");
    const size_t ohne = u.Dialoge.Meldungen.size();

    Module1::LokalTBAutoLaden = true;
    Klicken("Telefonbuch");
    Klicken("Telefonbuch");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), ohne + 2);
    EXPECT_EQ(Kinder(), QStringList{"Form1"});
    Module1::LokalTBAutoLaden = false;
    Module1::AutoTelefonbuchDatei.clear();
}

TEST_F(Navigationsbaum, TheAutomaticLoadAsksBeforeItReplacesUnsavedLocalRows)
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("auto.orx");
    Datei_Anlegen(datei, "LOKAL\t000\tAus der Datei\t0301\t\r\n");
    Module1::AutoTelefonbuchDatei = datei;
    Module1::LokalTBAutoLaden = true;
    Klicken("Telefonbuch");
    Form1* tb = Form1::Instanz();
    tb->Lokal_Anfuegen("LOKAL", 7, "Getippt", "0171", "");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());

    u.Dialoge.Antworten = {Dialoge::Antwort::Abbrechen};
    Klicken("Telefonbuch");
    EXPECT_EQ(u.Dialoge.Texte(),
              QStringList{"Die lokale Liste wurde geändert. Möchten Sie die Änderungen speichern?"});
    EXPECT_EQ(tb->TBuch2->topLevelItemCount(), 2);

    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    Klicken("Telefonbuch");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u);
    ASSERT_EQ(tb->TBuch2->topLevelItemCount(), 1);
    EXPECT_EQ(tb->TBuch2->topLevelItem(0)->text(1), "Aus der Datei");
    Module1::LokalTBAutoLaden = false;
    Module1::AutoTelefonbuchDatei.clear();
}

TEST_F(Navigationsbaum, SpracheOpensTheWindowOfTheModel)
{
    sprachcode = 7;
    Klicken("sprache");
    EXPECT_EQ(Kinder(), QStringList{"Form25"});
    EXPECT_EQ(Aktives_Kind(), Form25::Instanz());
    EXPECT_EQ(Form25::Instanz()->Gewaehlter_Code(), 7);
    EXPECT_EQ(f->Panel(2)->text(), "Fertig.");
    EXPECT_EQ(Modellfragen(), 1);

    // Asked afresh on every click, the cached type is neither read nor written.
    Module1::Handytyp = QStringLiteral("35");
    Modell_Setzen("S25");
    sprachcode = 104;
    Klicken("sprache");
    EXPECT_EQ(Modellfragen(), 2);
    EXPECT_EQ(Module1::Handytyp, "35");
    EXPECT_EQ(Kinder(), QStringList({"Form25", "Form16"}));
    EXPECT_EQ(Aktives_Kind(), Form16::Instanz());
    EXPECT_EQ(Form16::Instanz()->Gewaehlter_Code(), 104);
    EXPECT_EQ(f->Panel(2)->text(), "Fertig.");

    EXPECT_EQ(u.Handy->Befehle(), (std::vector<std::string>{"AT+CGMM", "AT^SLNG?", "AT+CGMM", "AT^SLNG?"}));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Navigationsbaum, SpracheWithBothCodesOpensOnlyForm25)
{
    Modell_Setzen("X25-35");
    sprachcode = 0;
    Klicken("sprache");
    EXPECT_EQ(Kinder(), QStringList{"Form25"});
    EXPECT_EQ(Form25::Instanz()->Gewaehlter_Code(), 0);  // the automatic choice
}

TEST_F(Navigationsbaum, SpracheWithAnotherModelOpensNothing)
{
    Modell_Setzen("P10");
    Klicken("sprache");
    EXPECT_TRUE(Kinder().isEmpty());
    EXPECT_EQ(f->Panel(2)->text(), "Fertig.");
    EXPECT_EQ(Modellfragen(), 1);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Navigationsbaum, SpracheWithoutAnswerOpensNothing)
{
    Module1::TimeoutFaktor = 300;
    u.Handy->Schweigen_Bei("AT+CGMM");
    Klicken("sprache");
    EXPECT_TRUE(Kinder().isEmpty());
    EXPECT_EQ(f->Panel(2)->text(), "Prüfe Handytyp");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);  // the exchange's time-out message only
}

TEST_F(Navigationsbaum, SpracheReadsAgainIntoTheOpenWindow)
{
    sprachcode = 3;
    Klicken("sprache");
    sprachcode = 10;
    Klicken("sprache");
    EXPECT_EQ(Kinder(), QStringList{"Form25"});
    EXPECT_EQ(Form25::Instanz()->Gewaehlter_Code(), 10);
}

}  // namespace
