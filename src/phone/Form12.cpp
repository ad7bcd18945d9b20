#include "phone/Form12.h"

#include "ui_Form12.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Platzierung.h"
#include "common/Textdatei.h"
#include "link/Module1.h"
#include "phone/Antwortteile.h"
#include "phone/Anzeigehilfen.h"
#include "phone/InfoAntworten.h"
#include "phone/Systemuhr.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPointer>

using namespace Module1;

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("Infos"), 0, 0, -1, -1, false};

struct Wert {
    const char* status;  // UTF-8
    const char* befehl;
    const char* testtext;
    int okFenster;  // "OK" within this many last characters
};

const Wert Werte[10] = {
    {"Lese IMEI...", "AT+CGSN", "+CGSN", 4},
    {"Lese IMSI...", "AT+CIMI", "+CIMI", 4},
    {"Lese Hersteller...", "AT+CGMI", "", 4},
    {"Lese Modellinfo...", "AT+CGMM", "+CGMM", 4},
    {"Lese Softwareversion...", "AT+CGMR", "+CGMR", 4},
    {"Lese Ladezustand...", "AT+CBC", "+CBC:", 4},
    {"Lese Stromquelle...", "AT+CBC", "+CBC:", 4},
    {"Lese Empfangsqualität...", "AT+CSQ", "+CSQ:", 10},
    {"Lese Netzbetreiber...", "AT+COPS?", "+COPS", 10},
    {"Lese Zelle...", "AT+CREG?", "+CREG", 4},
};

enum { IMEI, IMSI, Hersteller, Modell, Revision, Ladung, Stromquelle, Pegel, Betreiber, Zelle };

}  // namespace

Form12::Form12() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form12>())
{
    ui->setupUi(this);
    QLabel* werte[] = {ui->Label11_0, ui->Label11_1, ui->Label11_2, ui->Label11_3, ui->Label11_4,
                       ui->Label11_5, ui->Label11_6, ui->Label11_7, ui->Label11_8, ui->Label11_9};
    QPushButton* knoepfe[] = {ui->Command19, ui->Command20, ui->Command34, ui->Command35, ui->Command36,
                              ui->Command37, ui->Command38, ui->Command39, ui->Command40, ui->Command41};
    QLabel* akku[] = {ui->Image3_0, ui->Image3_1, ui->Image3_2, ui->Image3_3, ui->Image3_4};
    QLabel* pegel[] = {ui->Image2_0, ui->Image2_1, ui->Image2_2, ui->Image2_3, ui->Image2_4, ui->Image2_5};
    std::copy(std::begin(werte), std::end(werte), Label11);
    std::copy(std::begin(knoepfe), std::end(knoepfe), Lesen);
    std::copy(std::begin(akku), std::end(akku), Image3);
    std::copy(std::begin(pegel), std::end(pegel), Image2);
    Command19 = ui->Command19, Command20 = ui->Command20, Command34 = ui->Command34, Command35 = ui->Command35;
    Command36 = ui->Command36, Command37 = ui->Command37, Command38 = ui->Command38, Command39 = ui->Command39;
    Command40 = ui->Command40, Command41 = ui->Command41;
    Command42 = ui->Command42;
    Command58 = ui->Command58;

    // Courier New where it exists, else the system's fixed-pitch font.
    for (QLabel* wert : Label11)
        if (!QFontInfo(wert->font()).fixedPitch())
            wert->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (int i = 0; i < 5; ++i)
        Image3[i]->setPixmap(Akkubild_Malen(i));
    for (int i = 0; i < 6; ++i)
        Image2[i]->setPixmap(Pegelbild_Malen(i));

    connect(ui->Command19, &QPushButton::clicked, this, &Form12::Command19_Click);
    connect(ui->Command20, &QPushButton::clicked, this, &Form12::Command20_Click);
    connect(ui->Command34, &QPushButton::clicked, this, &Form12::Command34_Click);
    connect(ui->Command35, &QPushButton::clicked, this, &Form12::Command35_Click);
    connect(ui->Command36, &QPushButton::clicked, this, &Form12::Command36_Click);
    connect(ui->Command37, &QPushButton::clicked, this, &Form12::Command37_Click);
    connect(ui->Command38, &QPushButton::clicked, this, &Form12::Command38_Click);
    connect(ui->Command39, &QPushButton::clicked, this, &Form12::Command39_Click);
    connect(ui->Command40, &QPushButton::clicked, this, &Form12::Command40_Click);
    connect(ui->Command41, &QPushButton::clicked, this, &Form12::Command41_Click);
    connect(ui->Command42, &QPushButton::clicked, this, &Form12::Command42_Click);
    connect(ui->Command58, &QPushButton::clicked, this, &Form12::Command58_Click);

    Platzieren();
}

Form12::~Form12() = default;

Form12* Form12::Instanz() { return Einzelfenster_Holen<Form12>([] { return new Form12(); }); }

bool Form12::Geladen() { return !Einzelfenster<Form12>().isNull(); }

void Form12::Command19_Click() { Wert_Lesen(IMEI); }
void Form12::Command20_Click() { Wert_Lesen(IMSI); }
void Form12::Command34_Click() { Wert_Lesen(Hersteller); }
void Form12::Command35_Click() { Wert_Lesen(Modell); }
void Form12::Command36_Click() { Wert_Lesen(Revision); }
void Form12::Command37_Click() { Wert_Lesen(Ladung); }
void Form12::Command38_Click() { Wert_Lesen(Stromquelle); }
void Form12::Command39_Click() { Wert_Lesen(Pegel); }
void Form12::Command40_Click() { Wert_Lesen(Betreiber); }
void Form12::Command41_Click() { Wert_Lesen(Zelle); }
void Form12::Command42_Click()
{
    Aktion aktion;
    ALLELESEN();
}

void Form12::ALLELESEN()
{
    QPointer<Form12> selbst(this);
    Abbruch = false;
    // What this run does not read stays empty, so the report never mixes in an earlier run.
    for (QLabel* wert : Label11)
        wert->clear();
    for (QLabel* bild : Image3)
        bild->hide();
    for (QLabel* bild : Image2)
        bild->hide();
    for (int i = 0; i < 10 && selbst; ++i) {
        Wert_Lesen(i);
        // A value the phone refuses stays empty and the run goes on; any other failure ends it.
        // After the last read the flag stays as it is; the next run clears it.
        if (selbst && Abbruch && i < 9) {
            Abbruch = false;
            if (!Link().Abgelehnt)
                return;
        }
    }
}

void Form12::Wert_Lesen(int index)
{
    const Wert& w = Werte[index];
    const QString befehl = QLatin1String(w.befehl);
    Status_Setzen(QString::fromUtf8(w.status));
    Label11[index]->clear();
    if (index == Ladung)
        for (QLabel* bild : Image3)
            bild->hide();
    if (index == Pegel)
        for (QLabel* bild : Image2)
            bild->hide();
    QPointer<Form12> selbst(this);
    QCoreApplication::processEvents();
    if (!selbst)
        return;

    if (!Befehl_Senden(befehl, true)) {
        if (selbst)
            Abbruch = true;
        return;
    }
    if (!selbst)
        return;
    const QString antwort = Link().Text2;
    if (!Antwort_Pruefen(antwort, QLatin1String(w.testtext), w.okFenster))
        return;

    // A reply whose value cannot be found ends the read as a failed test does.
    std::optional<QString> wert;
    switch (index) {
    case IMEI:
    case IMSI:
    case Modell:
    case Revision: wert = Echozeile_Schneiden(antwort, befehl); break;
    case Hersteller: wert = Hersteller_Lesen(antwort); break;
    case Ladung:
        if (const std::optional<Akkustand> akku = CBC_Lesen(antwort)) {
            wert = QString::number(akku->Ladung) + QLatin1Char('%');
            Image3[Akkubild_Waehlen(akku->Ladung)]->show();
        }
        break;
    case Stromquelle:
        if (const std::optional<Akkustand> akku = CBC_Lesen(antwort))
            wert = Stromquelle_Text(akku->Verbindung);
        break;
    case Pegel:
        // An unreadable level leaves the value empty, and the read still ends as done.
        wert = QString();
        if (const std::optional<int> rssi = CSQ_Pegel_Lesen(antwort)) {
            wert = Pegel_Text(*rssi);
            const int bild = Pegelbild_Waehlen(*rssi);
            if (bild >= 0)
                Image2[bild]->show();
        }
        break;
    case Betreiber: wert = COPS_Betreiber_Lesen(antwort); break;
    case Zelle: wert = CREG_Zelle_Lesen(antwort); break;
    default: break;
    }
    if (!wert)
        return;
    Label11[index]->setText(Einzeilig(*wert));
    Status_Setzen(QStringLiteral("Fertig."));
    Fortschritt_Nullen();
}

void Form12::Command58_Click()
{
    Status_Setzen(QStringLiteral("Daten auf Festplatte speichern..."));
    const QString zuletzt = Einstellungen::Lesen(QStringLiteral("Config"), QStringLiteral("PATH1"));
    Dialoge::Dateiwahl wahl;
    wahl.Titel = QStringLiteral("Speichern...");
    wahl.Filter = QStringLiteral("Textdateien (*.txt)");
    wahl.Startdatei = zuletzt.isEmpty() ? Programmordner() : QFileInfo(zuletzt).absolutePath();
    wahl.Vorgabename = QStringLiteral("S25_Daten.txt");
    const std::optional<QString> datei = Dialoge::Aktuell().Datei_Speichern(wahl);
    if (!datei) {
        Status_Setzen(QStringLiteral("Fertig."));
        return;
    }
    QStringList werte;
    for (const QLabel* wert : Label11)
        werte << wert->text();
    if (!Textdatei::Schreiben(*datei, Infobericht_Zeilen(werte, Systemuhr::Aktuell().Jetzt()))) {
        Schreibfehler_Melden();
        return;
    }
    Einstellungen::Speichern(QStringLiteral("Config"), QStringLiteral("PATH1"), *datei);
    Status_Setzen(QStringLiteral("Fertig."));
}
