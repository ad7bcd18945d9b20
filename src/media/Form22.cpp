#include "media/Form22.h"

#include "app/MDIForm1.h"
#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Platzierung.h"
#include "link/Handytyp.h"
#include "media/BildEditor.h"
#include "media/Bildbox.h"
#include "media/Form14.h"
#include "media/Knopfleiste.h"
#include "media/Medienpfade.h"
#include "ui_Form22.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("BMPEDIT"), 0, 0, -1, -1, false};

// The kind of empty picture the new-picture methods are asked for.
constexpr int NeueGrafik = 58521;

constexpr quint32 Schwarz = 0x000000;
constexpr quint32 Weiss = 0xFFFFFF;
constexpr quint32 Rot = 0x0000FF;
constexpr quint32 Gruen = 0x00FF00;
constexpr quint32 Blau = 0xFF0000;

struct Knopfdaten {
    const char* schluessel;
    const char* tipp;
};

const Knopfdaten Hauptknoepfe[] = {
    {"farbe", "farbiges Logo für S25 entwerfen"},
    {"sw", "Schwarz/Weiß Logo für x35-Serie entwerfen"},
    {"new", "Neue Grafik"},
    {"open", "Grafik laden"},
    {"save", "Grafik speichern"},
    {"tohandy", "Grafik ins Handy übertragen"},
    {"cut", "Ausschneiden"},
    {"copy", "Kopieren"},
    {"paste", "Einfügen"},
    {"undo", "Rückgängig"},
    {"redo", "Wiederholen"},
    {"gitter", "Raster ein- / ausblenden"},
};

struct Werkzeugdaten {
    const char* schluessel;
    const char* tipp;
    int werkzeug;  // -1: a mirror, no tool
};

const Werkzeugdaten Werkzeuge[] = {
    {"auswahl", "Auswahl", BildEditor::Auswahl},
    {"stift", "Stift", BildEditor::Stift},
    {"pinsel", "Pinsel", BildEditor::Stift},
    {"raze", "Radiergummi", BildEditor::Radierer},
    {"fill", "Fülleimer", BildEditor::Fuellen},
    {"line", "Linie", BildEditor::Linie},
    {"box", "Box", BildEditor::Box},
    {"boxfill", "ausgefüllte Box", BildEditor::BoxGefuellt},
    {"circle", "Ellipse", BildEditor::Ellipse},
    {"circlefill", "ausgefüllte Ellipse", BildEditor::EllipseGefuellt},
    {"ver", "Vertikal spiegeln", -1},
    {"hor", "Horizontal spiegeln", -1},
};

const char* const Farbknoepfe[] = {"white", "green", "red", "blue"};

void Abarbeiten() { QCoreApplication::processEvents(); }

}  // namespace

Form22::Form22() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form22>())
{
    ui->setupUi(this);
    BMP = ui->BMP;
    Toolbar1 = ui->Toolbar1;
    Toolbar2 = ui->Toolbar2;
    Toolbar3[0] = ui->Toolbar3_0;
    Toolbar3[1] = ui->Toolbar3_1;
    Toolbar4 = ui->Toolbar4;
    Frame1 = ui->Frame1;
    Frame2[0] = ui->Frame2_0;
    Frame2[1] = ui->Frame2_1;
    Frame3 = ui->Frame3;
    Leisten_Aufbauen();
}

Form22::~Form22() = default;

Form22* Form22::Instanz()
{
    return Einzelfenster_Holen<Form22>([] { return new Form22(); }, &Form22::Form_Load);
}

bool Form22::Geladen() { return !Einzelfenster<Form22>().isNull(); }

QAction* Form22::Knopf(const QWidget* leiste, const QString& schluessel)
{
    return leiste ? leiste->findChild<QAction*>(schluessel) : nullptr;
}

void Form22::Leisten_Aufbauen()
{
    // The two picture modes exclude each other, and so do the tools and each bar's colours.
    auto* modi = new QActionGroup(Toolbar1);
    for (const Knopfdaten& k : Hauptknoepfe) {
        auto* a = new QAction(Medien_Symbol(QLatin1String(k.schluessel)), QString::fromUtf8(k.tipp), Toolbar1);
        a->setObjectName(QLatin1String(k.schluessel));
        a->setToolTip(QString::fromUtf8(k.tipp));
        const QString s = a->objectName();
        if (s == QLatin1String("farbe") || s == QLatin1String("sw")) {
            a->setCheckable(true);
            modi->addAction(a);
        }
        a->setCheckable(a->isCheckable() || s == QLatin1String("gitter"));
        Toolbar1->addAction(a);
    }
    connect(Toolbar1, &QToolBar::actionTriggered, this, [this](QAction* a) { Toolbar1_ButtonClick(a->objectName()); });

    auto* werkzeuge = new QActionGroup(Toolbar2);
    for (const Werkzeugdaten& w : Werkzeuge) {
        auto* a = new QAction(Medien_Symbol(QLatin1String(w.schluessel)), QString::fromUtf8(w.tipp), Toolbar2);
        a->setObjectName(QLatin1String(w.schluessel));
        a->setToolTip(QString::fromUtf8(w.tipp));
        if (w.werkzeug >= 0) {
            a->setCheckable(true);
            werkzeuge->addAction(a);
        }
        Toolbar2->Knopf_Hinzufuegen(a);
    }
    connect(Toolbar2, &Knopfleiste::actionTriggered, this, [this](QAction* a) { Toolbar2_ButtonClick(a->objectName()); });

    for (int index = 0; index < 2; ++index) {
        Toolbar3[index]->Spalten_Setzen(4);
        auto* farben = new QActionGroup(Toolbar3[index]);
        for (const char* f : Farbknoepfe) {
            const QString schluessel = QLatin1String(f);
            QString tipp = schluessel == QLatin1String("white") ? (index == 0 ? QStringLiteral("weiss") : QStringLiteral("weis"))
                           : schluessel == QLatin1String("green") ? QStringLiteral("grün")
                           : schluessel == QLatin1String("red")   ? QStringLiteral("rot")
                                                                  : QStringLiteral("blau");
            auto* a = new QAction(Medien_Symbol(schluessel), tipp, Toolbar3[index]);
            a->setObjectName(schluessel);
            a->setToolTip(tipp);
            a->setCheckable(true);
            farben->addAction(a);
            Toolbar3[index]->Knopf_Hinzufuegen(a);
        }
        connect(Toolbar3[index], &Knopfleiste::actionTriggered, this,
                [this, index](QAction* a) { Toolbar3_ButtonClick(index, a->objectName()); });
    }

    Zoomknopf = new QToolButton(Toolbar4);
    Zoomknopf->setObjectName(QStringLiteral("Zoomknopf"));
    Zoomknopf->setText(QStringLiteral("1:4"));
    Zoomknopf->setPopupMode(QToolButton::InstantPopup);
    Zoomknopf->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* menue = new QMenu(Zoomknopf);
    for (int z = 2; z <= 6; ++z) {
        QAction* a = menue->addAction(QStringLiteral("1:%1").arg(z));
        a->setObjectName(QStringLiteral("z%1").arg(z));
    }
    Zoomknopf->setMenu(menue);
    Toolbar4->addWidget(Zoomknopf);
    connect(menue, &QMenu::triggered, this, [this](QAction* a) { Toolbar4_ButtonMenuClick(a->objectName()); });
}

void Form22::Form_Load()
{
    Platzieren();
    Breite_Setzen(Breite_Bei_Zoom(4));

    const bool farbig = Module1::Handytyp_Pruefen() == QLatin1String("25");
    if (farbig)
        BMP->Neu_Farbig(NeueGrafik);
    else
        BMP->Neu_SchwarzWeiss(NeueGrafik);
    Knopf(Toolbar1, QLatin1String(farbig ? "farbe" : "sw"))->setChecked(true);
    Modus_Anwenden(farbig);

    BMP->Raster_Erlaubt_Setzen(true);
    BMP->Wiederholen_Tiefe_Setzen(10);
    BMP->Rueckgaengig_Tiefe_Setzen(10);
    BMP->Zoom_Setzen(4);
    BMP->Werkzeug_Setzen(BildEditor::Stift);
    Abarbeiten();
    BMP->Werkzeug_Setzen(BildEditor::Auswahl);
    Abarbeiten();
    Knopf(Toolbar2, QStringLiteral("auswahl"))->setChecked(true);
}

// The colour buttons and the two mouse colours of a picture mode.
void Form22::Modus_Anwenden(bool farbig)
{
    for (Knopfleiste* leiste : Toolbar3)
        for (const char* f : Farbknoepfe)
            Knopf(leiste, QLatin1String(f))->setEnabled(farbig);
    if (farbig) {
        Knopf(Toolbar3[0], QStringLiteral("blue"))->setChecked(true);
        BMP->LinkeFarbe_Setzen(Blau);
        BMP->RechteFarbe_Setzen(Gruen);
    } else {
        BMP->LinkeFarbe_Setzen(Schwarz);
        BMP->RechteFarbe_Setzen(Weiss);
    }
}

void Form22::Toolbar1_ButtonClick(const QString& schluessel)
{
    if (schluessel == QLatin1String("farbe") || schluessel == QLatin1String("sw")) {
        if (!Frage_Ja(QStringLiteral("Aktuelle Grafik verwerfen?"), Dialoge::Antwort::Ja)) {
            // The buttons show the picture's kind, also after a click on the one already pressed.
            Knopf(Toolbar1, QLatin1String(BMP->Farbig() ? "farbe" : "sw"))->setChecked(true);
            return;
        }
        const bool farbig = Knopf(Toolbar1, QStringLiteral("farbe"))->isChecked();
        if (farbig)
            BMP->Neu_Farbig(NeueGrafik);
        else
            BMP->Neu_SchwarzWeiss(NeueGrafik);
        Modus_Anwenden(farbig);
    } else if (schluessel == QLatin1String("new")) {
        if (!Frage_Ja(QStringLiteral("Aktuelle Grafik verwerfen?"), Dialoge::Antwort::Ja))
            return;
        if (Knopf(Toolbar1, QStringLiteral("farbe"))->isChecked())
            BMP->Neu_Farbig(NeueGrafik);
        else
            BMP->Neu_SchwarzWeiss(NeueGrafik);
    } else if (schluessel == QLatin1String("open")) {
        Dialoge::Dateiwahl wahl;
        wahl.Filter = QStringLiteral("*.bmp (*.bmp);;*.jpg (*.jpg);;*.gif (*.gif)");
        wahl.Startdatei = Startordner(Einstellungen::Lesen(QStringLiteral("Config"), QStringLiteral("PATH3")));
        const std::optional<QString> datei = Dialoge::Aktuell().Datei_Oeffnen(wahl);
        if (!datei)
            return;
        Einstellungen::Speichern(QStringLiteral("Config"), QStringLiteral("PATH3"), *datei);
        const int werkzeug = BMP->Werkzeug();
        BMP->Werkzeug_Setzen(BildEditor::Auswahl);
        BMP->Datei_Laden(*datei);
        BMP->Festschreiben_Setzen(1);
        BMP->Werkzeug_Setzen(werkzeug);
    } else if (schluessel == QLatin1String("save")) {
        BMP->Festschreiben_Setzen(1);
        Dialoge::Dateiwahl wahl;
        wahl.Startdatei = Startordner(Einstellungen::Lesen(QStringLiteral("Config"), QStringLiteral("PATH4")));
        const std::optional<QString> datei = Dialoge::Aktuell().Datei_Speichern(wahl);
        if (!datei)
            return;
        if (BMP->Datei_Speichern(*datei))
            Einstellungen::Speichern(QStringLiteral("Config"), QStringLiteral("PATH4"), *datei);
        else
            Schreibfehler_Melden();
    } else if (schluessel == QLatin1String("tohandy")) {
        BMP->Festschreiben_Setzen(1);
        const QString datei = QDir(Programmordner()).filePath(QStringLiteral("temp123456789.bmp"));
        // Neither an old hand-over file nor the box's old picture may reach the phone.
        if (!BMP->Datei_Speichern(datei)) {
            Schreibfehler_Melden();
            return;
        }
        Abarbeiten();
        Form14* bilder = Form14::Instanz();
        if (MDIForm1::Instanz())
            MDIForm1::Instanz()->Kind_Zeigen(bilder);
        else
            bilder->show();
        const std::optional<Bilddaten> bild = Bild_Laden(datei);
        if (!bild)
            return;
        bilder->Picture2->Picture_Setzen(*bild);
        Abarbeiten();
        bilder->schreiben();
    } else if (schluessel == QLatin1String("cut")) {
        BMP->Ausschneiden();
    } else if (schluessel == QLatin1String("copy")) {
        BMP->Kopieren();
    } else if (schluessel == QLatin1String("paste")) {
        BMP->Einfuegen();
    } else if (schluessel == QLatin1String("undo")) {
        if (BMP->Stufen() >= 2)
            BMP->Rueckgaengig(1);
    } else if (schluessel == QLatin1String("redo")) {
        BMP->Wiederholen(1);
    } else if (schluessel == QLatin1String("gitter")) {
        const bool an = Knopf(Toolbar1, schluessel)->isChecked();
        BMP->Raster_Sichtbar_Setzen(an);
        BMP->Raster_Erlaubt_Setzen(an);
    }
}

void Form22::Toolbar2_ButtonClick(const QString& schluessel)
{
    if (schluessel == QLatin1String("hor")) {
        BMP->Horizontal_Spiegeln();
        return;
    }
    if (schluessel == QLatin1String("ver")) {
        BMP->Vertikal_Spiegeln();
        return;
    }
    for (const Werkzeugdaten& w : Werkzeuge) {
        if (schluessel != QLatin1String(w.schluessel))
            continue;
        BMP->Werkzeug_Setzen(w.werkzeug);
        if (schluessel == QLatin1String("auswahl"))
            BMP->Auswahlart_Setzen(1);
        else if (schluessel == QLatin1String("stift"))
            BMP->Stiftbreite_Setzen(1);
        else if (schluessel == QLatin1String("pinsel"))
            BMP->Stiftbreite_Setzen(4);
        return;
    }
}

void Form22::Toolbar3_ButtonClick(int index, const QString& schluessel)
{
    quint32 farbe;
    if (schluessel == QLatin1String("red"))
        farbe = Rot;
    else if (schluessel == QLatin1String("blue"))
        farbe = Blau;
    else if (schluessel == QLatin1String("green"))
        farbe = Gruen;
    else if (schluessel == QLatin1String("white"))
        farbe = Weiss;
    else
        return;
    if (index == 0)
        BMP->LinkeFarbe_Setzen(farbe);
    else
        BMP->RechteFarbe_Setzen(farbe);
}

void Form22::Toolbar4_ButtonMenuClick(const QString& schluessel)
{
    const int zoom = schluessel.size() == 2 && schluessel.at(0) == QLatin1Char('z') ? schluessel.mid(1).toInt() : 0;
    if (zoom < 2 || zoom > 6)
        return;
    BMP->Zoom_Setzen(zoom);
    Breite_Setzen(Breite_Bei_Zoom(zoom));
    Zoomknopf->setText(QStringLiteral("1:%1").arg(zoom));
}

int Form22::Breite_Bei_Zoom(int zoom)
{
    switch (zoom) {
    case 2: return 6705;
    case 3: return 6750;
    case 5: return 9840;
    case 6: return 11370;
    default: return 8325;
    }
}

void Form22::Breite_Setzen(int twips)
{
    QWidget* r = Rahmen();
    r->resize(Platzierung::Pixel(twips), r->height());
}

void Form22::Form_Resize()
{
    // The canvas takes the room right of the tool column.
    const QRect r = ui->BMP->geometry();
    ui->BMP->setGeometry(r.x(), r.y(), std::max(0, width() - r.x() - 8), std::max(0, height() - r.y() - 8));
    ui->Toolbar1->resize(std::max(0, width() - ui->Toolbar1->x() - 8), ui->Toolbar1->height());
}
