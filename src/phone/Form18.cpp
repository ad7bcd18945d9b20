#include "phone/Form18.h"

#include "ui_Form18.h"

#include "common/Dialoge.h"
#include "common/Module3.h"
#include "common/Platzierung.h"
#include "link/Module1.h"
#include "phone/Anzeigehilfen.h"
#include "phone/Systemuhr.h"
#include "phone/Uhrzeit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <utility>

using namespace Module1;

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("Datum"), 0, 0, -1, -1, false};

bool Innerhalb(const QWidget* w, const QWidget* feld) { return w && (w == feld || feld->isAncestorOf(w)); }

// A time edit cannot be empty: one second below its day, with a blank special value, looks so.
const QDateTime LeereZeit(QDate(1999, 12, 31), QTime(23, 59, 59));
const QDateTime ErsteZeit(QDate(2000, 1, 1), QTime(0, 0));
const QDateTime LetzteZeit(QDate(2000, 1, 1), QTime(23, 59, 59, 999));

}  // namespace

Form18::Form18() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form18>())
{
    ui->setupUi(this);
    Label44 = ui->Label44;
    MonthView1 = ui->MonthView1;
    DTPicker1 = ui->DTPicker1;
    Command13 = ui->Command13;
    Command14 = ui->Command14;
    Label5 = ui->Label5;
    MonthView2 = ui->MonthView2;
    DTPicker2 = ui->DTPicker2;
    Label21[0] = ui->Label21_0;
    Label21[1] = ui->Label21_1;
    Command1 = ui->Command1;
    Command2 = ui->Command2;
    Label22 = ui->Label22;
    Line1 = ui->Line1;
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    connect(Command13, &QPushButton::clicked, this, &Form18::Command13_Click);
    connect(Command14, &QPushButton::clicked, this, &Form18::Command14_Click);
    connect(Command1, &QPushButton::clicked, this, &Form18::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form18::Command2_Click);
    connect(Timer1, &QTimer::timeout, this, &Form18::Timer1_Timer);
    connect(qApp, &QApplication::focusChanged, this, &Form18::Fokus_Gewechselt);
    // A date or time the user begins to enter into empty phone fields starts them afresh.
    connect(MonthView1, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_handyfelderGefuellt)
            Handyfelder_Fuellen(MonthView1->selectedDate(), QTime(0, 0));
    });
    DTPicker1->installEventFilter(this);
}

Form18::~Form18()
{
    // The focus moves while the children go; this window no longer listens by then.
    disconnect(qApp, &QApplication::focusChanged, this, &Form18::Fokus_Gewechselt);
}

Form18* Form18::Instanz()
{
    return Einzelfenster_Holen<Form18>([] { return new Form18(); }, &Form18::Form_Load);
}

bool Form18::Geladen() { return !Einzelfenster<Form18>().isNull(); }

void Form18::Form_Load()
{
    Platzieren();
    Handyuhr_Zeigen();
    PC_Uhr_Zeigen();
    Timer1->start();
    QCoreApplication::processEvents();
    Uhr_Lesen();
}

bool Form18::eventFilter(QObject* objekt, QEvent* event)
{
    if (objekt == DTPicker1 && !m_handyfelderGefuellt) {
        bool eingabe = event->type() == QEvent::Wheel || event->type() == QEvent::MouseButtonPress;
        if (event->type() == QEvent::KeyPress) {
            const auto* druck = static_cast<QKeyEvent*>(event);
            const int taste = druck->key();
            // The empty field has no sections that Tab could step through: it leaves at once.
            if (taste == Qt::Key_Tab || taste == Qt::Key_Backtab)
                return focusNextPrevChild(taste == Qt::Key_Tab && !(druck->modifiers() & Qt::ShiftModifier));
            eingabe = (taste >= Qt::Key_0 && taste <= Qt::Key_9) || taste == Qt::Key_Up || taste == Qt::Key_Down ||
                      taste == Qt::Key_PageUp || taste == Qt::Key_PageDown;
        }
        if (eingabe)
            Handyfelder_Fuellen(MonthView1->selectedDate(), QTime(0, 0));
    }
    return Werkzeugfenster::eventFilter(objekt, event);
}

void Form18::closeEvent(QCloseEvent* event)
{
    // A leave that the close itself causes asks nothing: its answer would set a stale time.
    m_geschlossen = true;
    m_zeitVerlassen = m_datumVerlassen = false;
    Werkzeugfenster::closeEvent(event);
}

bool Form18::Uhr_Lesen()
{
    Link().Text2.clear();
    Status_Setzen(QStringLiteral("Lese Datum & Uhrzeit..."));
    // Only a clock read and checked just now is shown, or handed to the PC; the clock of a
    // read that failed is not known.
    m_handyuhr.reset();
    const std::optional<Handyuhr> uhr =
        Befehl_Senden(QStringLiteral("AT+CCLK?"), true) ? CCLK_Antwort_Lesen(Link().Text2) : std::nullopt;
    if (!uhr) {
        Handyuhr_Zeigen();
        return false;
    }
    Status_Setzen(QStringLiteral("Fertig."));
    Fortschritt_Nullen();
    m_handyuhr = uhr;
    Handyuhr_Zeigen();
    Link().Text2.clear();
    return true;
}

void Form18::Uhr_Schreiben(const QDate& datum, const QTime& zeit)
{
    const std::optional<QString> befehl = CCLK_Befehl_Bilden(datum, zeit);
    if (!befehl) {
        Jahr_Melden();
        return;
    }
    Status_Setzen(QStringLiteral("Schreibe Datum & Uhrzeit..."));
    const bool geschrieben = Befehl_Senden(*befehl, true);
    // A refused or lost write leaves the phone with the clock it had.
    if (geschrieben)
        m_handyuhr = Handyuhr{datum, zeit};
    Handyuhr_Zeigen();
    if (!geschrieben)
        return;
    Status_Setzen(QStringLiteral("Fertig."));
    Fortschritt_Nullen();
    Link().Text2.clear();
}

void Form18::Handyuhr_Zeigen()
{
    if (m_handyuhr) {
        Handyfelder_Fuellen(m_handyuhr->Datum, m_handyuhr->Zeit);
        return;
    }
    m_handyfelderGefuellt = false;
    DTPicker1->setSpecialValueText(QStringLiteral(" "));
    DTPicker1->setDateTimeRange(LeereZeit, LetzteZeit);
    DTPicker1->setDateTime(LeereZeit);
    // No day is marked as the phone's.
    QPalette farben = MonthView1->palette();
    farben.setColor(QPalette::Highlight, farben.color(QPalette::Base));
    farben.setColor(QPalette::HighlightedText, farben.color(QPalette::Text));
    MonthView1->setPalette(farben);
}

void Form18::Handyfelder_Fuellen(const QDate& datum, const QTime& zeit)
{
    m_handyfelderGefuellt = true;
    MonthView1->setPalette(QPalette());
    MonthView1->setSelectedDate(datum);
    DTPicker1->setSpecialValueText(QString());
    DTPicker1->setDateTimeRange(ErsteZeit, LetzteZeit);
    DTPicker1->setDateTime(QDateTime(ErsteZeit.date(), zeit));
}

void Form18::Jahr_Melden()
{
    MsgBox(QStringLiteral("Das Handy kann nur Jahre von 1970 bis 2069 speichern!"), Dialoge::Symbol::Kritisch);
}

void Form18::Fehler_Melden_PC()
{
    MsgBox(QStringLiteral("Die Systemzeit des PCs konnte nicht geändert werden!"), Dialoge::Symbol::Kritisch);
}

void Form18::Command13_Click()
{
    Verlassen_Abarbeiten();
    Uhr_Lesen();
}

void Form18::Command14_Click()
{
    Verlassen_Abarbeiten();
    // Empty fields hold nothing to write.
    if (m_handyfelderGefuellt)
        Uhr_Schreiben(MonthView1->selectedDate(), DTPicker1->time());
}

void Form18::Command1_Click()
{
    Verlassen_Abarbeiten();
    if (!Uhr_Lesen())
        return;
    const QDate datum = MonthView1->selectedDate();
    const QTime zeit = DTPicker1->time();
    QString grund;
    if (!Systemuhr::Aktuell().Stellen(QDateTime(datum, zeit), &grund)) {
        Fehler_Melden_PC();
        return;
    }
    MonthView2->setSelectedDate(datum);
    DTPicker2->setTime(zeit);
}

void Form18::Command2_Click()
{
    Verlassen_Abarbeiten();
    // The PC's clock of this moment: the PC fields stand still while one of them has the focus.
    const QDateTime jetzt = PC_Uhr_Zeigen();
    // The phone's calendar would clamp such a date; nothing goes to the phone instead.
    if (!Module3::Jahr_Zweistellig_Darstellbar(jetzt.date().year())) {
        Jahr_Melden();
        return;
    }
    Uhr_Schreiben(jetzt.date(), jetzt.time());
}

void Form18::Timer1_Timer() { PC_Uhr_Zeigen(); }

QDateTime Form18::PC_Uhr_Zeigen()
{
    // Date and time of one reading, so that a midnight between them cannot mix two days.
    const QDateTime jetzt = Systemuhr::Aktuell().Jetzt();
    DTPicker2->setTime(jetzt.time());
    MonthView2->setSelectedDate(jetzt.date());
    return jetzt;
}

void Form18::DTPicker2_GotFocus() { Timer1->stop(); }

void Form18::DTPicker2_LostFocus()
{
    // Asked on every leave, changed or not.
    if (Frage_Ja(QStringLiteral("Soll die PC-Systemzeit geändert werden?"))) {
        QString grund;
        if (!Systemuhr::Aktuell().Zeit_Setzen(DTPicker2->time(), &grund))
            Fehler_Melden_PC();
    }
    Timer1->start();
    PC_Uhr_Zeigen();
}

void Form18::MonthView2_GotFocus() { Timer1->stop(); }

void Form18::MonthView2_LostFocus()
{
    const QDate datum = MonthView2->selectedDate();
    if (datum != Systemuhr::Aktuell().Jetzt().date() &&
        Frage_Ja(QStringLiteral("Soll das PC-Systemdatum geändert werden?"))) {
        QString grund;
        if (!Systemuhr::Aktuell().Datum_Setzen(datum, &grund))
            Fehler_Melden_PC();
    }
    Timer1->start();
    // The fields stood still while the calendar had the focus.
    PC_Uhr_Zeigen();
}

void Form18::Fokus_Gewechselt(QWidget* alt, QWidget* neu)
{
    // Focus leaving the program is no leave of the control: it comes back to it.
    if (!neu || m_geschlossen)
        return;
    if (Innerhalb(neu, DTPicker2) && !Innerhalb(alt, DTPicker2))
        DTPicker2_GotFocus();
    else if (Innerhalb(alt, DTPicker2) && !Innerhalb(neu, DTPicker2))
        m_zeitVerlassen = true;
    if (Innerhalb(neu, MonthView2) && !Innerhalb(alt, MonthView2))
        MonthView2_GotFocus();
    else if (Innerhalb(alt, MonthView2) && !Innerhalb(neu, MonthView2))
        m_datumVerlassen = true;
    // The questions come once the focus change has finished, or before a button's action.
    if (m_zeitVerlassen || m_datumVerlassen)
        QTimer::singleShot(0, this, &Form18::Verlassen_Abarbeiten);
}

void Form18::Verlassen_Abarbeiten()
{
    if (std::exchange(m_zeitVerlassen, false))
        DTPicker2_LostFocus();
    if (std::exchange(m_datumVerlassen, false))
        MonthView2_LostFocus();
}
