#include "app/MDIForm1.h"

#include "app/Form23.h"
#include "app/Form9.h"
#include "common/Buildnummer.h"
#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Platzierung.h"
#include "common/Werkzeugfenster.h"
#include "link/Form2.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/Telefonbuecher.h"
#include "media/Form14.h"
#include "media/Form15.h"
#include "media/Form22.h"
#include "organizer/Form3.h"
#include "phone/Form12.h"
#include "phone/Form16.h"
#include "phone/Form17.h"
#include "phone/Form18.h"
#include "phone/Form19.h"
#include "phone/Form20.h"
#include "phone/Form25.h"
#include "phonebook/Form1.h"
#include "sms/Form5.h"
#include "sms/Form6.h"
#include "ui_MDIForm1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>

using Platzierung::Pixel;
using Platzierung::Twips;

std::function<void()> MDIForm1::Programm_Beenden = [] { QCoreApplication::exit(0); };

namespace {

// The keyboard starts at the window's first control in tab order.
void Erstes_Feld_Fokussieren(QWidget* fenster)
{
    for (QWidget* w = fenster->nextInFocusChain(); w && w != fenster; w = w->nextInFocusChain()) {
        if (fenster->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(fenster)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    fenster->setFocus();
}

MDIForm1*& Zeiger()
{
    static MDIForm1* form = nullptr;
    return form;
}

const QString Options = QStringLiteral("Options");
// The design caption; message and input boxes carry AppTitel.
const QString Designtitel = QStringLiteral("TALKforge PRO 2000");

const Platzierung::Schluessel Hauptfenster{QStringLiteral("Main"), 0, 0, 11055, 8520, true};

// Design sizes in twips that the Resize arithmetic uses.
constexpr int Picture4Breite = 2235;
constexpr int MindestHoehe = 6900;
constexpr int MindestBreite = 9200;
constexpr int BreiteNachZuSchmal = 9555;

// One node of the navigation tree, in the order in which it is added.
struct Knotenzeile {
    const char* eltern;  // nullptr: a root node
    const char* schluessel;
    const char* text;
    int bild;  // index into ImageList1, 0: none
    bool fett;
};

const Knotenzeile Knotentabelle[] = {
    {nullptr, "R", "ORX", 6, true},
    {"R", "Telefonbuch", "Telefonbücher", 14, true},
    {"R", "Nachrichten", "Nachrichten", 1, true},
    {"R", "MelodienBitmap", "Melodie / Bitmap", 19, true},
    {"R", "Organizer", "Organizer", 15, true},
    {"R", "Einstellungen", "Einstellungen", 4, true},
    {"R", "Infos", "Infos", 22, true},
    {nullptr, "R3", "", 0, false},
    {nullptr, "R2", "ORX-Einstellungen", 27, true},
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

// The tree's images: no artwork is specified, so each index gets a coloured disc of its own.
QIcon Bild_Zeichnen(int index)
{
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    const QColor farbe = QColor::fromHsv((index * 360 / 27) % 360, 170, 220);
    maler.setPen(farbe.darker(160));
    maler.setBrush(farbe);
    if (index % 2)
        maler.drawEllipse(1, 1, 14, 14);
    else
        maler.drawRoundedRect(1, 1, 14, 14, 3, 3);
    return QIcon(bild);
}

// "TippdesTages" and "Ausschalten" are read as numbers; a value that is none counts as 0.
int Zahl_Oder_Null(const QString& sektion, const QString& schluessel, const QString& vorgabe)
{
    bool ok = false;
    const int wert = Einstellungen::Lesen(sektion, schluessel, vorgabe).trimmed().toInt(&ok);
    return ok ? wert : 0;
}

}  // namespace

MDIForm1::MDIForm1() : ui(std::make_unique<Ui::MDIForm1>())
{
    ui->setupUi(this);
    Rueckkehr_Einrichten();  // the program's own dialogs, not only the seam's
    Picture4 = ui->Picture4;
    TreeView1 = ui->TreeView1;
    // No part of the visible window: without a parent it is never shown, never focused and not
    // offered to screen readers; its click still opens the settings.
    m_command1 = std::make_unique<QPushButton>(QStringLiteral("Command1"));
    m_command1->setObjectName(QStringLiteral("Command1"));
    Command1 = m_command1.get();
    MdiArea = ui->MdiArea;
    // A tool window larger than the area is scrolled to, not cut off.
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Picture2 = ui->Picture2;
    Label1 = ui->Label1;
    ProgressBar3 = ui->ProgressBar3;
    Label2 = ui->Label2;
    ProgressBar4 = ui->ProgressBar4;
    Picture1 = ui->Picture1;
    StatusBar1 = ui->StatusBar1;
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(StatusBar1);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        StatusBar1->addWidget(m_panels[i], i == 1 ? 1 : 0);
    }
    Lampe_Setzen(false);
    ImageList1 << QIcon();
    for (int i = 1; i <= 27; ++i)
        ImageList1 << Bild_Zeichnen(i);
    // A long node scrolls the tree sideways rather than being cut short.
    TreeView1->setTextElideMode(Qt::ElideNone);
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TreeView1->header()->setStretchLastSection(false);
    connect(TreeView1, &QTreeWidget::itemClicked, this, &MDIForm1::TreeView1_NodeClick);
    TreeView1->installEventFilter(this);  // Enter opens a node as a click does
    connect(Command1, &QPushButton::clicked, this, &MDIForm1::Einstellungen_Zeigen);
    Werkzeugfenster::Fokusziel_Setzen(TreeView1);

    Zeiger() = this;
    Module1::Verbindung& L = Module1::Link();
    L.Port = &MSComm1;
    L.Anzeige = this;
}

MDIForm1::~MDIForm1()
{
    Module1::Verbindung& L = Module1::Link();
    if (L.Port == &MSComm1)
        L.Port = nullptr;
    if (L.Anzeige == this)
        L.Anzeige = nullptr;
    if (Zeiger() == this)
        Zeiger() = nullptr;
}

MDIForm1* MDIForm1::Instanz() { return Zeiger(); }

void MDIForm1::Schrift_Setzen()
{
    QFont schrift = QApplication::font();
    schrift.setPointSize(8);
    QApplication::setFont(schrift);
}

QString& MDIForm1::Text1() { return Module1::Link().Text1; }

QString& MDIForm1::Text2() { return Module1::Link().Text2; }

QLabel* MDIForm1::Panel(int nummer) const { return nummer >= 1 && nummer <= 4 ? m_panels[nummer - 1] : nullptr; }

bool MDIForm1::Laden()
{
    // 1. to 3. Placement, caption, and the window shows itself before the port is opened.
    Platzierung::Laden(this, Hauptfenster);
    setWindowTitle(Designtitel + QStringLiteral(" Build: ") + Buildnummer());
    switch (Platzierung::Zustand_Lesen(Hauptfenster)) {
    case 1: showMinimized(); break;
    case 2: showMaximized(); break;
    default: show(); break;
    }
    // 4. The file dialog's flags are those of the Dialoge seam.

    // 5. Options, port number and line settings; a port that cannot be set up shows Form9.
    Module2::Einstellungen_Fenster_Zeigen = &Form9::Modal_Zeigen;
    Module2::Einstellungen_Laden();

    // 6.
    Baum_Aufbauen();
    Baumfeld_Bemessen();

    // 7. From here on a failure takes the start-up failure path.
    if (!MSComm1.IstOffen() && !MSComm1.Oeffnen()) {
        Startfehler();
        return false;
    }

    // 8. The meter's maximum is the time-out; the exchange counts its idle polls against it.
    ProgressBar3->setMaximum(Module2::Timeoutzeit_Lesen());
    Module1::TimeoutFaktor = ProgressBar3->maximum();

    // 9.
    const char* const namen[] = {"SIM", "TELEFON", "FESTE", "EIGENE", "ZULETZT", "VERSÄUMT"};
    for (int i = 1; i <= 6; ++i)
        Module1::TBuchNamen[i] = QString::fromUtf8(namen[i - 1]);

    // 10. The settings window is loaded hidden and two of its controls are set.
    Form9* form9 = Form9::Instanz();
    form9->Check6->setChecked(Einstellungen::Wahrheit_Lesen(Options, QStringLiteral("LoeschenOhneNachfrage"), true));
    Module1::LoeschenRueckfrage = form9->Check6->isChecked();
    form9->Label76->setText(Einstellungen::Lesen(Options, QStringLiteral("SMSLOGFILE"), Module2::SMSLog_Vorgabe()));

    // 11.
    QCoreApplication::processEvents();
    return true;
}

void MDIForm1::Startfehler()
{
    Form9::Modal_Zeigen();
    MsgBox(QStringLiteral("Bitte starten Sie ORX neu!"));
    if (Programm_Beenden)
        Programm_Beenden();
}

void MDIForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // A maximised window is left to the window system: it could not take another size anyway.
    if (isMinimized() || isMaximized())
        return;
    const int breite = Twips(width());
    const int hoehe = Twips(height());
    if (hoehe < MindestHoehe || breite < MindestBreite) {
        // The new size raises Resize again; the bottom panel is placed then.
        resize(breite < MindestBreite ? Pixel(BreiteNachZuSchmal) : width(),
               hoehe < MindestHoehe ? Pixel(MindestHoehe) : height());
        return;
    }
    const int links = Twips(Picture4->minimumWidth()) + 60;
    const int balken = qMax(0, breite - (links + 430));
    ProgressBar3->setGeometry(Pixel(links), ProgressBar3->y(), Pixel(balken), ProgressBar3->height());
    ProgressBar4->setGeometry(Pixel(links), ProgressBar4->y(), Pixel(balken), ProgressBar4->height());
    Picture1->move(Pixel(breite - Twips(Picture1->width()) - 170), Picture1->y());
    // The tree fills its panel through the panel's layout.
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    // Closing in the middle of a wait would pull the port from under it.
    if (Module1::Link().Belegt) {
        event->ignore();
        return;
    }
    // Each local list with changes not yet saved asks first; "Abbrechen" keeps the program running.
    if ((Form1::Geladen() && !Form1::Instanz()->Lokal_Verwerfen_Erlaubt()) ||
        (Form3::Geladen() && !Form3::Instanz()->Lokal_Verwerfen_Erlaubt())) {
        event->ignore();
        return;
    }
    if (Zahl_Oder_Null(Options, QStringLiteral("Ausschalten"), QStringLiteral("1")) != 0 &&
        Frage_Ja(QStringLiteral("Das Handy ausschalten ?")) && MSComm1.IstOffen()) {
        MSComm1.Output(QStringLiteral("at^smso\r\n"));  // no busy test, no wait: the phone switches off
        MSComm1.Ausgabe_Abwarten();  // the program ends next: the command must leave the line first
    }
    Platzierung::Speichern(this, Hauptfenster);
    event->accept();
    // The program ends at once: the tool windows are not closed and save nothing.
    if (Programm_Beenden)
        Programm_Beenden();
}

void MDIForm1::Kind_Zeigen(QWidget* fenster)
{
    auto* rahmen = qobject_cast<QMdiSubWindow*>(fenster->parentWidget());
    if (!rahmen) {
        // A window that placed itself on its load keeps that placement for its frame.
        const QPoint pos = fenster->pos();
        const QSize groesse = fenster->size();
        const bool platziert = fenster->testAttribute(Qt::WA_Moved);
        const bool bemessen = fenster->testAttribute(Qt::WA_Resized);
        rahmen = MdiArea->addSubWindow(fenster);
        if (platziert)
            rahmen->move(pos);
        if (bemessen && fenster->property(Platzierung::Rahmengroesse).toBool()) {
            rahmen->resize(groesse);
        } else if (bemessen) {
            // The designed size is the content's: the frame adds its title bar and border. A
            // window that places its frame as it is first shown keeps that placement.
            fenster->show();
            rahmen->show();
            if (!fenster->property(Platzierung::Rahmengroesse).toBool())
                rahmen->resize(groesse + (rahmen->size() - fenster->size()));
        }
    }
    fenster->show();
    if (!rahmen->isVisible())
        rahmen->show();
    if (rahmen->isMinimized())
        rahmen->showNormal();
    rahmen->raise();
    MdiArea->setActiveSubWindow(rahmen);
    Erstes_Feld_Fokussieren(fenster);
}

void MDIForm1::SMSSPONTAN() { MsgBox(QStringLiteral("Nachricht!!!!!!")); }

void MDIForm1::Einstellungen_Zeigen() { Form9::Modal_Zeigen(); }

void MDIForm1::SPRACHEWAEHLEN()
{
    // The model is asked afresh every time; the cached phone type is left alone.
    Module1::Status_Setzen(QStringLiteral("Prüfe Handytyp"));
    Module1::Link().Text2.clear();
    if (!Module1::Befehl_Senden(QStringLiteral("AT+CGMM"), true))
        return;
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    const QString antwort = Module1::Link().Text2;
    if (antwort.contains(QLatin1String("35"))) {
        Kind_Zeigen(Form25::Instanz());
        QCoreApplication::processEvents();
        Form25::Instanz()->Sprache_Lesen();
    } else if (antwort.contains(QLatin1String("25"))) {
        Kind_Zeigen(Form16::Instanz());
        QCoreApplication::processEvents();
        Form16::Instanz()->Sprache_Lesen();
    }
}

// ---- the navigation tree ----------------------------------------------------

void MDIForm1::Baum_Aufbauen()
{
    TreeView1->clear();
    for (const Knotenzeile& z : Knotentabelle) {
        QTreeWidgetItem* eltern = z.eltern ? Knoten(QString::fromLatin1(z.eltern)) : nullptr;
        auto* knoten = eltern ? new QTreeWidgetItem(eltern) : new QTreeWidgetItem(TreeView1);
        knoten->setText(0, QString::fromUtf8(z.text));
        knoten->setData(0, SchluesselRolle, QString::fromLatin1(z.schluessel));
        knoten->setData(0, BildRolle, z.bild);
        if (z.bild > 0)
            knoten->setIcon(0, ImageList1.at(z.bild));
    }
    for (const Knotenzeile& z : Knotentabelle)
        if (z.fett) {
            QTreeWidgetItem* knoten = Knoten(QString::fromLatin1(z.schluessel));
            QFont schrift = knoten->font(0);
            schrift.setBold(true);
            knoten->setFont(0, schrift);
        }
    // Made visible in this order: every group opens, and the view ends on "Settings".
    for (const char* schluessel : {"SMSlesen", "bitmap", "sprache", "Netze", "Settings"}) {
        QTreeWidgetItem* knoten = Knoten(QString::fromLatin1(schluessel));
        for (QTreeWidgetItem* p = knoten->parent(); p; p = p->parent())
            p->setExpanded(true);
        TreeView1->scrollToItem(knoten);
    }
}

bool MDIForm1::eventFilter(QObject* objekt, QEvent* event)
{
    // Enter on the current node opens its window. Not through itemActivated: a double click
    // (on some desktops a single one) activates as well, and its click has opened the window.
    if (objekt == TreeView1 && event->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(event)->key();
        if ((taste == Qt::Key_Return || taste == Qt::Key_Enter) && TreeView1->currentItem()) {
            TreeView1_NodeClick(TreeView1->currentItem());
            return true;
        }
    }
    return QMainWindow::eventFilter(objekt, event);
}

void MDIForm1::Baumfeld_Bemessen()
{
    // The designed width, or what the widest node needs at the program's font, with room for
    // the scroll bar that a low window gives the tree.
    const int knoten = static_cast<const QAbstractItemView*>(TreeView1)->sizeHintForColumn(0);
    const QMargins rand = Picture4->layout()->contentsMargins();
    const int noetig = knoten + 2 * TreeView1->frameWidth() + rand.left() + rand.right() +
                       TreeView1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, TreeView1);
    Picture4->setFixedWidth(std::max(Pixel(Picture4Breite), noetig));
}

QTreeWidgetItem* MDIForm1::Knoten(const QString& schluessel) const
{
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it)
        if ((*it)->data(0, SchluesselRolle).toString() == schluessel)
            return *it;
    return nullptr;
}

void MDIForm1::TreeView1_NodeClick(QTreeWidgetItem* knoten)
{
    Module1::Aktion aktion;  // opening a window, with all it asks the phone
    if (!knoten)
        return;
    const QString schluessel = knoten->data(0, SchluesselRolle).toString();
    if (schluessel == QLatin1String("Telefonbuch")) {
        Kind_Zeigen(Form1::Instanz());
        if (Module1::LokalTBAutoLaden)
            Form1::Instanz()->LOKALLADEN2(QString(Module1::AutoTelefonbuchDatei));
    } else if (schluessel == QLatin1String("Organizer")) {
        Kind_Zeigen(Form3::Instanz());
    } else if (schluessel == QLatin1String("SMSlesen")) {
        Kind_Zeigen(Form5::Instanz());
    } else if (schluessel == QLatin1String("SMSsenden")) {
        Kind_Zeigen(Form6::Instanz());
    } else if (schluessel == QLatin1String("allgemeine")) {
        Kind_Zeigen(Form12::Instanz());
        Form12::Instanz()->ALLELESEN();
    } else if (schluessel == QLatin1String("bitmapeditor")) {
        Kind_Zeigen(Form22::Instanz());
    } else if (schluessel == QLatin1String("bitmap")) {
        Kind_Zeigen(Form14::Instanz());
    } else if (schluessel == QLatin1String("melodie")) {
        Kind_Zeigen(Form15::Instanz());
    } else if (schluessel == QLatin1String("sprache")) {
        SPRACHEWAEHLEN();
    } else if (schluessel == QLatin1String("Netze")) {
        Kind_Zeigen(Form17::Instanz());
    } else if (schluessel == QLatin1String("datum")) {
        Kind_Zeigen(Form18::Instanz());
    } else if (schluessel == QLatin1String("sperren")) {
        Kind_Zeigen(Form19::Instanz());
    } else if (schluessel == QLatin1String("umleitungen")) {
        Kind_Zeigen(Form20::Instanz());
    } else if (schluessel == QLatin1String("Settings")) {
        Form9::Modal_Zeigen();
    } else if (schluessel == QLatin1String("about")) {
        Info_Zeigen();
    }
}

void MDIForm1::Info_Zeigen() { Form23::Modal_Zeigen(this); }

// ---- LinkAnzeige ------------------------------------------------------------------------

void MDIForm1::Lampe_Setzen(bool rot)
{
    QPalette farben = Picture1->palette();
    farben.setColor(QPalette::Window, rot ? QColor(255, 0, 0) : QColor(0, 255, 0));
    Picture1->setPalette(farben);
}

void MDIForm1::Meter_Maximum_Setzen(int maximum) { ProgressBar3->setMaximum(maximum); }

void MDIForm1::Meter_Setzen(int wert)
{
    ProgressBar3->setValue(qBound(ProgressBar3->minimum(), wert, ProgressBar3->maximum()));
}

void MDIForm1::Panel_Setzen(int panel, const QString& text)
{
    if (QLabel* p = Panel(panel))
        p->setText(text);
}

void MDIForm1::Sperren(bool gesperrt)
{
    if (gesperrt) {
        // Disabling takes the focus away: it goes back where it was once the command is over.
        // Right after a message box this window is not active again yet and the application
        // has no focus; the window itself still knows where its keyboard is.
        if (isEnabled()) {
            m_fokus = QApplication::focusWidget();
            if (!m_fokus)
                m_fokus = focusWidget();
        }
        setCursor(Qt::WaitCursor);
        m_gesperrtesKind = MdiArea->currentSubWindow();
        if (m_gesperrtesKind)
            m_gesperrtesKind->setEnabled(false);
        setEnabled(false);
    } else {
        setEnabled(true);
        if (m_gesperrtesKind)
            m_gesperrtesKind->setEnabled(true);
        m_gesperrtesKind = nullptr;
        unsetCursor();
        if (m_fokus && m_fokus->isEnabled() && m_fokus->isVisible())
            m_fokus->setFocus(Qt::OtherFocusReason);
        m_fokus = nullptr;
    }
}

void MDIForm1::Log_Geaendert(const QString& log) { Form2::Instanz()->Log_Setzen(log); }

void MDIForm1::Fortschritt_Setzen(int wert, int maximum)
{
    // A range of 0 ... 0 would turn the bar into a busy indicator.
    ProgressBar4->setMaximum(qMax(1, maximum));
    ProgressBar4->setValue(qBound(ProgressBar4->minimum(), wert, ProgressBar4->maximum()));
}
