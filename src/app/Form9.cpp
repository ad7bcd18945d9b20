#include "app/Form9.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Einzelfenster.h"
#include "link/LinkAnzeige.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/PortKanal.h"
#include "ui_Form9.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QPointer>

namespace {

const QString Options = QStringLiteral("Options");
const QString Settings = QStringLiteral("Settings");
const QString PortFehler =
    QStringLiteral("Port kann nicht geöffnet werden! Bitte wählen Sie einen anderen COM-Port aus.");

}  // namespace

const std::array<const char*, 6> Form9::Geschwindigkeiten = {"4800", "9600", "19200", "38400", "57600", "115200"};

Form9::Form9()
{
    Ui::Form9 ui;
    ui.setupUi(this);
    Register1 = ui.Register1;
    Frame1 = ui.Frame1;
    Frame2 = ui.Frame2;
    Option1 = {nullptr,       ui.Option1_1, ui.Option1_2, ui.Option1_3, ui.Option1_4,
               ui.Option1_5, ui.Option1_6, ui.Option1_7, ui.Option1_8};
    Option2 = {ui.Option2_0, ui.Option2_1, ui.Option2_2, ui.Option2_3, ui.Option2_4, ui.Option2_5};
    Label3 = ui.Label3;
    Label5 = ui.Label5;
    Label28 = ui.Label28;
    HScroll1 = ui.HScroll1;
    Label29 = ui.Label29;
    Command2 = ui.Command2;
    Label30 = ui.Label30;
    Check3 = ui.Check3;
    Check4 = ui.Check4;
    Check6 = ui.Check6;
    Label56 = ui.Label56;
    Check7 = ui.Check7;
    Label55 = ui.Label55;
    Check8 = ui.Check8;
    Label57 = ui.Label57;
    Check10 = ui.Check10;
    Label62 = ui.Label62;
    Command33 = ui.Command33;
    Check13 = ui.Check13;
    Check12 = ui.Check12;
    Label76 = ui.Label76;
    Command56 = ui.Command56;
    Label58 = ui.Label58;
    Label60 = ui.Label60;
    Command29 = ui.Command29;
    Command1 = ui.Command1;

    // Exclusive groups; "no match" leaves every option of a group clear.
    auto* ports = new QButtonGroup(this);
    for (int i = 1; i <= 8; ++i) {
        ports->addButton(Option1[i], i);
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    auto* speeds = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        speeds->addButton(Option2[i], i);
        connect(Option2[i], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
    }

    // Check boxes and the scroll bar react to changes made by the load as well: the load
    // writes their keys back, as it always has.
    Check_Verbinden(Check3, QStringLiteral("TippdesTages"), nullptr);
    Check_Verbinden(Check4, QStringLiteral("Ausschalten"), nullptr);
    Check_Verbinden(Check6, QStringLiteral("LoeschenOhneNachfrage"), &Module1::LoeschenRueckfrage);
    Check_Verbinden(Check7, QStringLiteral("tbROT"), &Module1::TBRot);
    Check_Verbinden(Check8, QStringLiteral("tbFETT"), &Module1::TBFett);
    Check_Verbinden(Check10, QStringLiteral("LOKTBAUTOLADEN"), &Module1::LokalTBAutoLaden);
    Check_Verbinden(Check12, QStringLiteral("SMSAUTOLOG"), &Module1::SMSAutoLog);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Form9::HScroll1_Change);
    connect(Command2, &QPushButton::clicked, this, [this] { HScroll1->setValue(7500); });

    connect(Command33, &QPushButton::clicked, this, [this] {
        Datei_Waehlen(Label62, QStringLiteral("DIESESTBAUTOLOAD"), &Module1::AutoTelefonbuchDatei, false,
                      QStringLiteral("*.orx"));
    });
    connect(Command29, &QPushButton::clicked, this, [this] {
        Datei_Waehlen(Label60, QStringLiteral("SMSABSFILE"), &Module1::SMSAbsenderDatei, false,
                      QStringLiteral("*.orx"));
    });
    connect(Command56, &QPushButton::clicked, this, [this] {
        Datei_Waehlen(Label76, QStringLiteral("SMSLOGfile"), &Module1::SMSLogDatei, true, QStringLiteral("*.txt"));
    });
    connect(Command1, &QPushButton::clicked, this, [this] {
        Panel4_Setzen();
        accept();
    });

    Form_Load();
}

Form9::~Form9() = default;

Form9* Form9::Instanz() { return Einzelfenster_Holen<Form9>([] { return new Form9(); }); }

bool Form9::Geladen() { return !Einzelfenster<Form9>().isNull(); }

void Form9::Modal_Zeigen()
{
    Instanz()->exec();
    delete Einzelfenster<Form9>().data();
}

void Form9::Form_Load()
{
    using Einstellungen::Lesen;
    using Einstellungen::Wahrheit_Lesen;
    m_laden = true;

    const QString geschwindigkeit = Lesen(Settings, QStringLiteral("Geschwindigkeit"), QStringLiteral("19200"));
    for (int i = 0; i < 6; ++i)
        if (geschwindigkeit == QLatin1String(Geschwindigkeiten[i]))
            Option2[i]->setChecked(true);
    const int port = Lesen(Settings, QStringLiteral("ComPort"), QStringLiteral("4")).trimmed().toInt();
    if (port >= 1 && port <= 8)
        Option1[port]->setChecked(true);

    // The scroll bar clamps what the store holds; an unchanged value sends no signal.
    {
        const QSignalBlocker sperre(HScroll1);
        HScroll1->setValue(Einstellungen::Zahl_Lesen(Options, QStringLiteral("Timeoutzeit"), 7500));
    }
    HScroll1_Change(HScroll1->value());

    struct Kasten {
        QCheckBox* box;
        const char* schluessel;
        bool vorgabe;
        bool* variable;
    };
    const Kasten kaesten[] = {
        {Check4, "Ausschalten", true, nullptr},
        {Check6, "LoeschenOhneNachfrage", true, &Module1::LoeschenRueckfrage},
        {Check3, "TippdesTages", true, nullptr},
        {Check7, "tbROT", true, &Module1::TBRot},
        {Check8, "tbFETT", true, &Module1::TBFett},
        {Check10, "LOKTBAUTOLADEN", false, &Module1::LokalTBAutoLaden},
    };
    for (const Kasten& k : kaesten) {
        k.box->setChecked(Wahrheit_Lesen(Options, QLatin1String(k.schluessel), k.vorgabe));
        if (k.variable)
            *k.variable = k.box->isChecked();
    }

    Label62->setText(Lesen(Options, QStringLiteral("DIESESTBAUTOLOAD")));
    Module1::AutoTelefonbuchDatei = Label62->text();
    Label76->setText(Lesen(Options, QStringLiteral("SMSLOGFILE"), Module2::SMSLog_Vorgabe()));
    Module1::SMSLogDatei = Label76->text();
    Label60->setText(Lesen(Options, QStringLiteral("SMSABSFILE")));
    Module1::SMSAbsenderDatei = Label60->text();

    Check12->setChecked(Wahrheit_Lesen(Options, QStringLiteral("SMSAUTOLOG"), true));
    Module1::SMSAutoLog = Check12->isChecked();

    m_laden = false;
}

void Form9::Check_Verbinden(QCheckBox* box, const QString& schluessel, bool* variable)
{
    connect(box, &QCheckBox::toggled, this, [schluessel, variable](bool an) {
        Einstellungen::Speichern(Options, schluessel, an ? QStringLiteral("1") : QStringLiteral("0"));
        if (variable)
            *variable = an;
    });
}

void Form9::HScroll1_Change(int wert)
{
    Label29->setText(QString::number(wert));
    Module1::TimeoutFaktor = wert;
    if (LinkAnzeige* anzeige = Module1::Link().Anzeige)
        anzeige->Meter_Maximum_Setzen(wert);
    Einstellungen::Speichern(Options, QStringLiteral("Timeoutzeit"), QString::number(wert));
}

void Form9::Option1_Click(int index)
{
    if (m_laden)
        return;
    Einstellungen::Speichern(Settings, QStringLiteral("ComPort"), QString::number(index));
    m_portGeaendert = true;
    PortKanal* port = Module1::Link().Port;
    if (port) {
        port->Schliessen();
        if (port->CommPort_Setzen(index) && port->Oeffnen())
            return;
    }
    MsgBox(PortFehler, Dialoge::Symbol::Kritisch);
}

void Form9::Option2_Click(int index)
{
    if (m_laden)
        return;
    const QString tag = QLatin1String(Geschwindigkeiten[index]);
    Einstellungen::Speichern(Settings, QStringLiteral("Geschwindigkeit"), tag);
    m_portGeaendert = true;
    PortKanal* port = Module1::Link().Port;
    if (port) {
        port->Schliessen();
        if (port->Settings_Setzen(tag + QStringLiteral(",n,8,1")) && port->Oeffnen())
            return;
    }
    MsgBox(PortFehler, Dialoge::Symbol::Kritisch);
}

void Form9::Datei_Waehlen(QLabel* label, const QString& schluessel, QString* variable, bool speichern,
                          const QString& vorgabe)
{
    Dialoge::Dateiwahl wahl;
    wahl.Vorgabename = vorgabe;
    const auto datei = speichern ? Dialoge::Aktuell().Datei_Speichern(wahl) : Dialoge::Aktuell().Datei_Oeffnen(wahl);
    if (!datei || datei->isEmpty())
        return;
    label->setText(QFileInfo(*datei).absoluteFilePath());
    Einstellungen::Speichern(Options, schluessel, label->text());
    *variable = label->text();
}

void Form9::Panel4_Setzen()
{
    Module1::Verbindung& L = Module1::Link();
    if (L.Anzeige && L.Port)
        L.Anzeige->Panel_Setzen(4, Module2::Portanzeige());
}

void Form9::done(int ergebnis)
{
    // Closed without "&OK" after a port change: the status bar must not name the old port.
    if (ergebnis != QDialog::Accepted && m_portGeaendert)
        Panel4_Setzen();
    QDialog::done(ergebnis);
}

void Form9::TelefontypS25_Setzen() { Einstellungen::Speichern(Settings, QStringLiteral("Telefontyp"), QStringLiteral("S25")); }

void Form9::Telefontyp7110_Setzen()
{
    Einstellungen::Speichern(Settings, QStringLiteral("Telefontyp"), QStringLiteral("7110"));
}
