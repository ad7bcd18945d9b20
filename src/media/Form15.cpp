#include "media/Form15.h"

#include "app/MDIForm1.h"
#include "common/Datei.h"
#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Platzierung.h"
#include "common/Wahlliste.h"
#include "link/Datenobjekt.h"
#include "link/Handytyp.h"
#include "link/LinkAnzeige.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "media/Dateilisten.h"
#include "media/Klingel.h"
#include "media/Melodie.h"
#include "media/MidiVorschau.h"
#include "ui_Form15.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QStyle>

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("MIDIS"), 0, 0, -1, -1, false};

// Sets WerteEinlesen for as long as it lives, so that no way out leaves it set.
class Einlesen {
public:
    explicit Einlesen(Form15& f) : m_f(f) { m_f.WerteEinlesen = true; }
    ~Einlesen() { m_f.WerteEinlesen = false; }
    Einlesen(const Einlesen&) = delete;
    Einlesen& operator=(const Einlesen&) = delete;

private:
    Form15& m_f;
};

void Fortschritt_Null()
{
    if (Module1::Link().Anzeige)
        Module1::Link().Anzeige->Fortschritt_Setzen(0, 0);
}

}  // namespace

Form15::Form15() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form15>())
{
    ui->setupUi(this);
    Frame22 = ui->Frame22;
    List1 = ui->List1;
    Frame1 = ui->Frame1;
    Option1 = {ui->Option1_0, ui->Option1_1, ui->Option1_2};
    Check1 = ui->Check1;
    Label9 = ui->Label9;
    Label2 = ui->Label2;
    VScroll1 = ui->VScroll1;
    Frame21 = ui->Frame21;
    Drive1 = ui->Drive1;
    Dir1 = ui->Dir1;
    File2 = ui->File2;
    Command45 = ui->Command45;
    Command46 = ui->Command46;
    Frame2 = ui->Frame2;
    Command10 = ui->Command10;
    Command2 = ui->Command2;
    Command1 = ui->Command1;
    Command3 = ui->Command3;

    QStyle* stil = QApplication::style();
    Command10->setIcon(stil->standardIcon(QStyle::SP_MediaPlay));
    Command2->setIcon(stil->standardIcon(QStyle::SP_ArrowUp));
    Command1->setIcon(stil->standardIcon(QStyle::SP_DialogSaveButton));
    Command3->setIcon(stil->standardIcon(QStyle::SP_TrashIcon));

    {
        // Filling the list is no choice of the user's.
        const Einlesen still(*this);
        List1->addItems(Klingeltyp_Texte());
        VScroll1->setValue(0);
    }
    Stand_Merken();
    File2->Pattern_Setzen(QStringLiteral("*.mid"));

    // A choice is a change of the selection the user makes: the list also moves its current row
    // by itself when it first gets the focus, and that chooses nothing.
    connect(ui->List1, &Wahlliste::Gewaehlt, this, &Form15::List1_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, &Form15::VScroll1_Change);
    connect(Check1, &QCheckBox::toggled, this, &Form15::Check1_Click);
    for (int i = 0; i < 3; ++i)
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool an) {
            if (an)
                Option1_Click(i);
        });
    connect(Drive1, &Laufwerkliste::Change, this, &Form15::Drive1_Change);
    connect(Dir1, &Ordnerliste::Change, this, &Form15::Dir1_Change);
    connect(File2, &QListWidget::itemDoubleClicked, this, &Form15::File2_DblClick);
    connect(Command45, &QPushButton::clicked, this, &Form15::Command45_Click);
    connect(Command46, &QPushButton::clicked, this, &Form15::Command46_Click);
    connect(Command10, &QPushButton::clicked, this, &Form15::Command10_Click);
    connect(Command2, &QPushButton::clicked, this, &Form15::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form15::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form15::Command3_Click);
}

Form15::~Form15() = default;

Form15* Form15::Instanz()
{
    return Einzelfenster_Holen<Form15>([] { return new Form15(); }, &Form15::Form_Load);
}

bool Form15::Geladen() { return !Einzelfenster<Form15>().isNull(); }

void Form15::Form_Load()
{
    Platzieren();

    const QString ordner = Einstellungen::Lesen(QStringLiteral("Settings"), QStringLiteral("PATHforMIDIs"), Programmordner());
    if (!Dir1->Path_Setzen(ordner))
        Dir1->Path_Setzen(Programmordner());
    Drive1->Drive_Setzen(Dir1->Path());
    MidiPfad = Dir1->Path();

    const QString typ = Module1::Handytyp_Pruefen();
    if (typ == QLatin1String("35")) {
        List1->resize(List1->width(), Platzierung::Pixel(2400));
        Frame1->setVisible(true);
    } else if (typ == QLatin1String("25")) {
        List1->resize(List1->width(), Platzierung::Pixel(3765));
        Frame1->setVisible(false);
    }

    if (MDIForm1::Instanz())
        MDIForm1::Instanz()->Kind_Zeigen(this);
    else
        show();
    QCoreApplication::processEvents();
    // A phone that did not answer the type query is asked nothing more on opening.
    if (!typ.isEmpty() || !Module1::Ausser_Takt())
        Melodieholen();
}

// ---- Ring settings ----------------------------------------------------------------------

bool Form15::Klingel_Lesen()
{
    Module1::Verbindung& L = Module1::Link();
    L.Text2.clear();
    if (!Module1::Befehl_Senden(QStringLiteral("AT^SRTC?"), true))
        return false;
    const QString antwort = L.Text2;
    L.Text2.clear();
    // A reply the window cannot read leaves the controls as they were.
    if (const std::optional<Klingelwerte> werte = SRTC_Lesen(antwort)) {
        {
            const Einlesen still(*this);
            List1->setCurrentRow(werte->Typ);
            Label2->setText(werte->Lautstaerke);
            VScroll1->setValue(Balkenwert(werte->Lautstaerke.trimmed().toInt()));
        }
        Stand_Merken();
    }
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    return true;
}

void Form15::Melodieholen()
{
    Module1::Verbindung& L = Module1::Link();
    // Each value is read on its own: one the phone refuses does not keep the others stale. A
    // phone that does not answer at all is not asked on.
    auto weiter = [&L](bool gelesen) { return gelesen || L.Abgelehnt; };
    Module1::Status_Setzen(QStringLiteral("Hole Melodie & Lautstärke..."));
    bool alle = Klingel_Lesen();
    if (!weiter(alle))
        return;
    if (Module1::Handytyp_Pruefen() == QLatin1String("35")) {
        Module1::Status_Setzen(QStringLiteral("Hole Vibrations- und Rufeinstellungen..."));
        L.Text2.clear();
        const bool vibration = Module1::Befehl_Senden(QStringLiteral("AT+CVIB?"), true);
        if (!weiter(vibration))
            return;
        if (const std::optional<bool> an = vibration ? CVIB_Lesen(L.Text2) : std::nullopt) {
            {
                const Einlesen still(*this);
                Check1->setChecked(*an);
            }
            Stand_Merken();
        }
        L.Text2.clear();
        const bool alarm = Module1::Befehl_Senden(QStringLiteral("AT+CALM?"), true);
        if (!weiter(alarm))
            return;
        if (const std::optional<int> art = alarm ? CALM_Lesen(L.Text2) : std::nullopt) {
            {
                const Einlesen still(*this);
                Option1[*art]->setChecked(true);
            }
            Stand_Merken();
        }
        alle = alle && vibration && alarm;
    }
    if (alle)
        Module1::Status_Setzen(QStringLiteral("Fertig."));
}

bool Form15::Einstellung_Schreiben(const QString& befehl)
{
    Module1::Aktion aktion;
    if (Module1::Befehl_Senden(befehl, true)) {
        Stand_Merken();
        return true;
    }
    // The phone did not confirm the wish: the window shows again what the phone last confirmed,
    // and after a refusal asks it once more.
    Stand_Zeigen();
    if (Module1::Link().Abgelehnt)
        Melodieholen();
    return false;
}

void Form15::Stand_Merken()
{
    const QList<QListWidgetItem*> auswahl = List1->selectedItems();
    m_bestaetigt.Typ = auswahl.isEmpty() ? -1 : List1->row(auswahl.first());
    m_bestaetigt.Balken = VScroll1->value();
    m_bestaetigt.Lautstaerke = Label2->text();
    m_bestaetigt.Vibration = Check1->isChecked();
    m_bestaetigt.Alarm = -1;
    for (int i = 0; i < 3; ++i)
        if (Option1[i]->isChecked())
            m_bestaetigt.Alarm = i;
}

void Form15::Stand_Zeigen()
{
    const Einlesen still(*this);
    if (m_bestaetigt.Typ >= 0) {
        List1->setCurrentRow(m_bestaetigt.Typ);
    } else {
        List1->setCurrentRow(-1);
        List1->clearSelection();
    }
    VScroll1->setValue(m_bestaetigt.Balken);
    Label2->setText(m_bestaetigt.Lautstaerke);
    Check1->setChecked(m_bestaetigt.Vibration);
    if (m_bestaetigt.Alarm >= 0) {
        Option1[m_bestaetigt.Alarm]->setChecked(true);
        return;
    }
    for (QRadioButton* knopf : Option1) {
        knopf->setAutoExclusive(false);
        knopf->setChecked(false);
        knopf->setAutoExclusive(true);
    }
}

void Form15::List1_Click()
{
    const QList<QListWidgetItem*> auswahl = List1->selectedItems();
    if (WerteEinlesen || auswahl.isEmpty())
        return;
    // The phone plays the chosen tone.
    Einstellung_Schreiben(QStringLiteral("AT^SRTC=%1").arg(List1->row(auswahl.first())));
}

void Form15::VScroll1_Change()
{
    Lautstaerke = Lautstaerke_Bei(VScroll1->value());
    Label2->setText(QString::number(Lautstaerke));
    if (WerteEinlesen)
        return;
    if (Einstellung_Schreiben(QStringLiteral("AT^SRTC=,%1").arg(Lautstaerke)))
        QCoreApplication::processEvents();
}

void Form15::Check1_Click()
{
    if (WerteEinlesen)
        return;
    Module1::Status_Setzen(QStringLiteral("Schreibe Vibrationseinstellung..."));
    if (Einstellung_Schreiben(QStringLiteral("AT+CVIB=%1").arg(Check1->isChecked() ? 1 : 0)))
        Module1::Status_Setzen(QStringLiteral("Fertig."));
}

void Form15::Option1_Click(int index)
{
    if (WerteEinlesen)
        return;
    Module1::Status_Setzen(QStringLiteral("Schreibe Rufeinstellung..."));
    if (!Einstellung_Schreiben(QStringLiteral("AT+CALM=%1").arg(index)))
        return;
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    Module1::Status_Setzen(QStringLiteral("Hole Melodie & Lautstärke..."));
    Klingel_Lesen();
}

// ---- MIDI files and preview -------------------------------------------------------------

void Form15::Drive1_Change() { Dir1->Path_Setzen(Drive1->Drive()); }

void Form15::Dir1_Change()
{
    File2->Path_Setzen(Dir1->Path());
    MidiPfad = File2->Path();
    Einstellungen::Speichern(QStringLiteral("Settings"), QStringLiteral("PATHforMIDIs"), Dir1->Path());
}

void Form15::OpenMidi()
{
    const QString name = File2->FileName();
    Midi_Geraet().Oeffnen(name.isEmpty() ? QString() : Pfad_Verbinden(MidiPfad, name));
}

void Form15::PlayMidi() { Midi_Geraet().Abspielen(); }

void Form15::CloseMidi() { Midi_Geraet().Schliessen(); }

void Form15::Command45_Click()
{
    OpenMidi();
    PlayMidi();
}

void Form15::Command46_Click() { CloseMidi(); }

void Form15::File2_DblClick()
{
    CloseMidi();
    OpenMidi();
    PlayMidi();
}

// ---- Melody in the phone ----------------------------------------------------------------

void Form15::Command2_Click()
{
    const QString name = File2->FileName();
    if (name.isEmpty()) {
        MsgBox(QStringLiteral("Keine MIDI-Datei ausgewählt!"));
        return;
    }
    QFile f(Pfad_Verbinden(Dir1->Path(), name));
    // A file gone since the list was filled must not cost the phone its melody.
    if (!f.open(QIODevice::ReadOnly))
        return;
    if (f.size() > Melodie_Hoechstgroesse) {
        f.close();
        MsgBox(QStringLiteral("Diese Datei ist zu groß! "));
        return;
    }
    const QByteArray daten = f.readAll();
    f.close();
    Melodie_Schreiben(daten);
}

void Form15::Command1_Click()
{
    if (!Melodie_Lesen())
        return;
    const QString antwort = Module1::Link().Text2;
    if (antwort.size() < Melodie_KurzeAntwort &&
        MsgBox(QStringLiteral("Es scheint nur eine leere Datei vorhanden zu sein! Trotzdem speichern?"),
               Dialoge::Symbol::Kritisch, Dialoge::Tasten::JaNein, Dialoge::Antwort::Nein) != Dialoge::Antwort::Ja) {
        Module1::Status_Setzen(QStringLiteral("Fertig."));
        Fortschritt_Null();
        return;
    }
    // A reply too short for the cuts holds no digits: an empty file.
    const QString hex = Datenobjekt::Antwort_Schneiden(antwort, Datenobjekt::KommaSchnitt).value_or(QString());

    Dialoge::Dateiwahl wahl;
    wahl.Filter = QStringLiteral("*.mid (*.mid)");
    wahl.Startdatei = Pfad_Verbinden(MidiPfad, QStringLiteral("temp.mid"));
    const std::optional<QString> ziel = Dialoge::Aktuell().Datei_Speichern(wahl);
    // Bad digits are found before the target is touched, so no half file is left behind. They
    // and a cancelled dialog end quietly; a file that cannot be written is told.
    const std::optional<QByteArray> bytes = Datenobjekt::Hex_Dekodieren(hex);
    bool gesichert = false;
    if (ziel && bytes) {
        gesichert = Datei_Sichern(*ziel, *bytes);
        if (!gesichert)
            Schreibfehler_Melden();
    }
    if (!gesichert) {
        Module1::Status_Setzen(QStringLiteral("Abgebrochen."));
        Fortschritt_Null();
        return;
    }
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    Fortschritt_Null();
    File2->Refresh();
}

void Form15::Command3_Click()
{
    if (Module1::LoeschenRueckfrage &&
        MsgBox(QStringLiteral("Melodie im Handy wirklich löschen?"), Dialoge::Symbol::Frage, Dialoge::Tasten::JaNein,
               Dialoge::Antwort::Nein) != Dialoge::Antwort::Ja)
        return;
    Melodie_Loeschen();
}

void Form15::Command10_Click() { Module1::Befehl_Senden(QStringLiteral("AT^SRTC"), true); }
