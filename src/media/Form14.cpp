#include "media/Form14.h"

#include "app/MDIForm1.h"
#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Platzierung.h"
#include "link/Handytyp.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "media/BildEditor.h"
#include "media/Bildbox.h"
#include "media/Dateilisten.h"
#include "media/Form22.h"
#include "media/Knopfleiste.h"
#include "media/Logo.h"
#include "media/Medienpfade.h"
#include "ui_Form14.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScrollBar>
#include <QToolBar>

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("BMPS"), 0, 0, -1, -1, false};

struct Knopfdaten {
    const char* schluessel;
    const char* text;
    const char* tipp;
};

const Knopfdaten Knoepfe[] = {
    {"schreiben", "Schreiben ", "Schreibt die Grafik auf das Handy"},
    {"auslesen", "Auslesen ", "Liest die Grafik vom Handy"},
    {"loeschen", "Löschen ", "Löscht die Grafik im Handy"},
    {"speichern", "Speichern ", "Speichert die oben gezeigte Grafik auf der Festplatte"},
    {"bearbeiten", "Bearbeiten ", "Startet den Bitmap-Editor"},
};

bool Ist_Vorschaudatei(const QString& name)
{
    const QString endung = name.right(4).toUpper();
    return endung == QLatin1String(".BMP") || endung == QLatin1String(".JPG");
}

}  // namespace

Form14::Form14() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form14>())
{
    ui->setupUi(this);
    Toolbar1 = ui->Toolbar1;
    Frame1 = ui->Frame1;
    Frame2 = ui->Frame2;
    Frame3 = ui->Frame3;
    Picture2 = ui->Picture2;
    Drive1 = ui->Drive1;
    Dir1 = ui->Dir1;
    File1 = ui->File1;
    Command22 = ui->Command22;
    Picture3 = {ui->Picture3_0, ui->Picture3_1, ui->Picture3_2, ui->Picture3_3,
                ui->Picture3_4, ui->Picture3_5, ui->Picture3_6, ui->Picture3_7};
    VScroll4 = ui->VScroll4;

    for (const Knopfdaten& k : Knoepfe) {
        auto* a = new QAction(Medien_Symbol(QLatin1String(k.schluessel)), QString::fromUtf8(k.text), Toolbar1);
        a->setObjectName(QLatin1String(k.schluessel));
        a->setToolTip(QString::fromUtf8(k.tipp));
        Toolbar1->addAction(a);
    }
    connect(Toolbar1, &QToolBar::actionTriggered, this, [this](QAction* a) { Toolbar1_ButtonClick(a->objectName()); });
    File1->Pattern_Setzen(QStringLiteral("*.bmp;*.jpg;*.jpeg"));
    connect(Drive1, &Laufwerkliste::Change, this, &Form14::Drive1_Change);
    connect(Dir1, &Ordnerliste::Change, this, &Form14::Dir1_Change);
    connect(Command22, &QPushButton::clicked, this, &Form14::Command22_Click);
    for (int k = 0; k < 8; ++k) {
        connect(Picture3[k], &Bildbox::Klick, this, [this, k] { Picture3_Click(k); });
        connect(Picture3[k], &Bildbox::Doppelklick, this, [this, k] { Picture3_Click(k); });
    }
    connect(VScroll4, &QScrollBar::valueChanged, this, &Form14::VScroll4_Change);

}

Form14::~Form14() = default;

Form14* Form14::Instanz()
{
    return Einzelfenster_Holen<Form14>([] { return new Form14(); }, &Form14::Form_Load);
}

bool Form14::Geladen() { return !Einzelfenster<Form14>().isNull(); }

QAction* Form14::Knopf(const QString& schluessel) const { return Toolbar1->findChild<QAction*>(schluessel); }

QString Form14::Temp_Bmp() { return QDir(Programmordner()).filePath(QStringLiteral("temp.bmp")); }

void Form14::Form_Load()
{
    Platzieren();
    const QString ordner = Einstellungen::Lesen(QStringLiteral("Settings"), QStringLiteral("PATHforBMPs"), Programmordner());
    if (!Dir1->Path_Setzen(ordner))
        Dir1->Path_Setzen(Programmordner());
    Drive1->Drive_Setzen(Dir1->Path());

    const QSize groesse = Module1::Handytyp_Pruefen() == QLatin1String("25") ? QSize(101, 30) : QSize(105, 47);
    Picture2->Innengroesse_Setzen(groesse);
    for (Bildbox* b : Picture3)
        b->Innengroesse_Setzen(groesse);

    Vorschau();
}

// ---- Toolbar ------------------------------------------------------------------------------

void Form14::Toolbar1_ButtonClick(const QString& schluessel)
{
    if (schluessel == QLatin1String("schreiben")) {
        schreiben();
    } else if (schluessel == QLatin1String("auslesen")) {
        Auslesen();
    } else if (schluessel == QLatin1String("loeschen")) {
        if (Module1::LoeschenRueckfrage &&
            MsgBox(QStringLiteral("Bitmap wirklich löschen?"), Dialoge::Symbol::Frage, Dialoge::Tasten::JaNein,
                   Dialoge::Antwort::Nein, QStringLiteral("LÖSCHEN")) != Dialoge::Antwort::Ja)
            return;
        Logo_Loeschen();
    } else if (schluessel == QLatin1String("speichern")) {
        Speichern();
    } else if (schluessel == QLatin1String("bearbeiten")) {
        Bearbeiten();
    }
}

void Form14::schreiben()
{
    if (Picture2->Picture().Leer())
        return;
    // Only what was written just now goes out: an old "temp.bmp" never does.
    if (!Bild_Speichern(Picture2->Picture(), Temp_Bmp())) {
        Schreibfehler_Melden();
        return;
    }
    QFile f(Temp_Bmp());
    if (!f.open(QIODevice::ReadOnly))
        return;
    if (f.size() > Logo_Hoechstgroesse) {
        f.close();
        MsgBox(QStringLiteral("Diese Datei ist zu groß! "));
        return;
    }
    const QByteArray daten = f.readAll();
    f.close();
    Logo_Schreiben(daten);
}

void Form14::Auslesen()
{
    if (!Logo_Lesen(Temp_Bmp()))
        return;
    if (const std::optional<Bilddaten> bild = Bild_Laden(Temp_Bmp()))
        Picture2->Picture_Setzen(*bild);
    Module1::Status_Setzen(QStringLiteral("Fertig."));
    if (Module1::Link().Anzeige)
        Module1::Link().Anzeige->Fortschritt_Setzen(0, 0);
}

void Form14::Bearbeiten()
{
    if (Picture2->Picture().Leer())
        return;
    if (!Bild_Speichern(Picture2->Picture(), Temp_Bmp())) {
        Schreibfehler_Melden();
        return;
    }
    Form22* editor = Form22::Instanz();
    if (MDIForm1::Instanz())
        MDIForm1::Instanz()->Kind_Zeigen(editor);
    else
        editor->show();
    editor->activateWindow();
    editor->BMP->Datei_Laden(Temp_Bmp());
    editor->BMP->Festschreiben_Setzen(1);
}

void Form14::Speichern()
{
    if (Picture2->Picture().Leer())
        return;
    Dialoge::Dateiwahl wahl;
    wahl.Titel = QStringLiteral("Bitmap auf Festplatte speichern");
    wahl.Filter = QStringLiteral("Bitmap (*.bmp)");
    wahl.Vorgabename = QStringLiteral("S25.bmp");
    wahl.Startdatei = Startordner(Einstellungen::Lesen(QStringLiteral("Config"), QStringLiteral("PATH2")));
    const std::optional<QString> datei = Dialoge::Aktuell().Datei_Speichern(wahl);
    if (!datei)
        return;
    if (!Bild_Speichern(Picture2->Picture(), *datei)) {
        Schreibfehler_Melden();
        return;
    }
    Einstellungen::Speichern(QStringLiteral("Config"), QStringLiteral("PATH2"), *datei);
}

// ---- Files and thumbnails ----------------------------------------------------------------

void Form14::Drive1_Change() { Dir1->Path_Setzen(Drive1->Drive()); }

void Form14::Dir1_Change()
{
    File1->Path_Setzen(Dir1->Path());
    Einstellungen::Speichern(QStringLiteral("Settings"), QStringLiteral("PATHforBMPs"), Dir1->Path());
    Vorschau();
}

void Form14::Command22_Click()
{
    const QString name = File1->FileName();
    if (name.isEmpty())
        return;
    if (!Ist_Vorschaudatei(name)) {
        MsgBox(QStringLiteral("Kein gültiger Dateityp!"), Dialoge::Symbol::Kritisch);
        return;
    }
    if (const std::optional<Bilddaten> bild = Bild_Laden(Pfad_Verbinden(File1->Path(), name)))
        Picture2->Picture_Setzen(*bild);
}

void Form14::Picture3_Click(int index)
{
    if (index >= 0 && index < 8)
        Picture2->Picture_Setzen(Picture3[index]->Picture());
}

QStringList Form14::Vorschaudateien(const QStringList& eintraege)
{
    QStringList dateien;
    for (const QString& e : eintraege)
        if (Ist_Vorschaudatei(e))
            dateien << e;
    return dateien;
}

std::array<QString, 8> Form14::Vorschau_Belegung(const QStringList& dateien, int position)
{
    std::array<QString, 8> belegung;
    for (int k = 0; k < 8; ++k) {
        const int n = position + k;  // counted from 1
        if (n >= 1 && n <= dateien.size())
            belegung[k] = dateien.at(n - 1);
    }
    return belegung;
}

void Form14::Vorschau()
{
    const QString pfad = Dir1->Path();
    Einstellungen::Speichern(QStringLiteral("Config"), QStringLiteral("BMPS_PATH"), pfad);
    m_bildordner = pfad.endsWith(QLatin1Char('/')) ? pfad : pfad + QLatin1Char('/');
    const qsizetype n = Vorschaudateien(File1->Eintraege()).size();
    for (Bildbox* b : Picture3)
        b->Picture_Leeren();
    if (n == 0)
        return;
    {
        // Both ways fill by the same rule; one fill is enough.
        const QSignalBlocker still(VScroll4);
        VScroll4->setRange(1, int(n));
        VScroll4->setValue(1);
    }
    Vorschau_Fuellen(1);
}

void Form14::VScroll4_Change() { Vorschau_Fuellen(VScroll4->value()); }

void Form14::Vorschau_Fuellen(int position)
{
    const std::array<QString, 8> belegung = Vorschau_Belegung(Vorschaudateien(File1->Eintraege()), position);
    for (int k = 0; k < 8; ++k) {
        Picture3[k]->Picture_Leeren();
        if (belegung[k].isEmpty())
            continue;
        const QString pfad = m_bildordner + belegung[k];
        if (const std::optional<Bilddaten> bild = Bild_Laden(pfad))
            Picture3[k]->Picture_Setzen(*bild);
        Picture3[k]->setToolTip(pfad);
    }
}
