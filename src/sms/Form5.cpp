#include "sms/Form5.h"

#include "app/MDIForm1.h"
#include "common/Dialoge.h"
#include "common/Einfuegen.h"
#include "common/Einstellungen.h"
#include "common/Knoepfe.h"
#include "common/Module3.h"
#include "common/Module4.h"
#include "common/Platzierung.h"
#include "common/Textdatei.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "sms/Form6.h"
#include "sms/PDU.h"
#include "sms/Servicecenter.h"
#include "ui_Form5.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStyle>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

using namespace Module1;

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("SMSLesen"), 0, 0, 8200, 6500, true};

// Design places in twips.
constexpr int Kal1Links = 60;
constexpr int Kal1Oben = 420;
constexpr int Frame3Hoehe = 1935;
constexpr int Frame2Hoehe = 1335;
constexpr int MindestBreite = 7300;
constexpr int MindestHoehe = 6500;
constexpr int BalkenOben = 0;  // the gauge's vertical place comes from the resize

constexpr int SymbolRolle = Qt::UserRole;
constexpr int PDURolle = Qt::UserRole + 1;

const QString UngueltigerIndex = QStringLiteral("+CMS ERROR: 321");

// What the slot of a listed row holds now.
enum class Platzinhalt { Wie_Gelistet, Leer, Anders, Fehler };

Platzinhalt Platz_Lesen(int index, const QString& pdu)
{
    switch (Befehl_Senden(QStringLiteral("AT+CMGR=") + QString::number(index), true, UngueltigerIndex)) {
    case Ausgang::Fehler: return Platzinhalt::Fehler;
    case Ausgang::Absage: return Platzinhalt::Leer;
    case Ausgang::Ok: break;
    }
    const std::optional<QString> jetzt = CMGR_PDU_Lesen(Link().Text2);
    if (!jetzt)
        return Platzinhalt::Leer;
    return jetzt->compare(pdu, Qt::CaseInsensitive) == 0 ? Platzinhalt::Wie_Gelistet : Platzinhalt::Anders;
}

int Pixel_Aufgerundet(int twips) { return static_cast<int>(std::ceil(twips / double(Platzierung::TwipsJePixel))); }

// A row that sorts as text without regard to case.
class Nachrichtenzeile : public QTreeWidgetItem {
public:
    bool operator<(const QTreeWidgetItem& andere) const override
    {
        const int spalte = treeWidget() ? treeWidget()->sortColumn() : 0;
        return QString::localeAwareCompare(text(spalte).toLower(), andere.text(spalte).toLower()) < 0;
    }
};

// A small envelope in the colour of the status; unread ones are filled.
QIcon Briefsymbol(const QColor& farbe, bool voll)
{
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setPen(farbe.darker(150));
    p.setBrush(voll ? farbe : QColor(Qt::white));
    p.drawRect(1, 3, 13, 9);
    p.drawLine(1, 3, 8, 8);
    p.drawLine(14, 3, 8, 8);
    return QIcon(bild);
}

}  // namespace

Form5::Form5() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form5>())
{
    ui->setupUi(this);
    Toolbar1 = ui->Toolbar1;
    kal1 = ui->kal1;
    Frame3 = ui->Frame3;
    Label38 = ui->Label38;
    Label39 = ui->Label39;
    Label40 = ui->Label40;
    Label35 = ui->Label35;
    Label6 = ui->Label6;
    Label36 = ui->Label36;
    Label37 = ui->Label37;
    Text5 = ui->Text5;
    ui->Text5->Hoechstlaenge_Setzen(SMSAnzeige_Hoechstlaenge);
    Frame2 = ui->Frame2;
    Image1 = ui->Image1;
    Image2 = ui->Image2;
    Image3 = ui->Image3;
    Image4 = ui->Image4;
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    Label4 = ui->Label4;
    Label5 = ui->Label5;
    Label3 = ui->Label3;
    Shape1 = ui->Shape1;
    Shape2 = ui->Shape2;

    ImageList1 = {QIcon(), Briefsymbol(QColor(0, 160, 0), false), Briefsymbol(QColor(0, 0, 200), false),
                  Briefsymbol(QColor(230, 140, 0), true), Briefsymbol(QColor(0, 0, 200), true)};
    // The legend in the order EU, EG, AU, AG.
    const std::pair<QLabel*, int> legende[] = {{Image1, 4}, {Image2, 2}, {Image3, 3}, {Image4, 1}};
    for (const auto& [bild, nummer] : legende)
        bild->setPixmap(ImageList1[nummer].pixmap(16, 16));

    QPalette balken = Shape2->palette();
    balken.setColor(QPalette::Window, QColor(0, 200, 0));
    Shape2->setPalette(balken);
    Shape2->setAutoFillBackground(true);
    Shape2->resize(0, Shape2->height());
    Label3->raise();
    Label3->setVisible(false);

    kal1->header()->setMinimumSectionSize(0);
    kal1->header()->setSectionsClickable(true);
    kal1->header()->setSortIndicatorShown(false);
    kal1->header()->setStretchLastSection(false);
    kal1->setIconSize(QSize(16, 16));
    connect(kal1->header(), &QHeaderView::sectionClicked, this, [this](int spalte) { kal1_ColumnClick(spalte + 1); });
    connect(kal1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* zeile) { kal1_ItemClick(zeile); });
    connect(kal1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* zeile) {
        if (!m_fuellen && zeile)
            kal1_ItemClick(zeile);
    });

    Leisten_Aufbauen();
}

Form5::~Form5() = default;

Form5* Form5::Instanz()
{
    return Einzelfenster_Holen<Form5>([] { return new Form5(); }, &Form5::Form_Load);
}

bool Form5::Geladen() { return !Einzelfenster<Form5>().isNull(); }

QAction* Form5::Knopf(const QToolBar* leiste, const QString& schluessel)
{
    return Knopf_Suchen(leiste, schluessel);
}

int Form5::Symbolnummer(const QTreeWidgetItem* zeile) { return zeile->data(0, SymbolRolle).toInt(); }

void Form5::Leisten_Aufbauen()
{
    static const struct {
        const char* schluessel;  // nullptr: a separator
        const char* tipp;
        QStyle::StandardPixmap bild;
    } knoepfe[] = {
        {"refresh", "Liste neu einlesen", QStyle::SP_BrowserReload},
        {nullptr, nullptr, {}},
        {"save", "ausgewählte Nachricht(en) speichern", QStyle::SP_DialogSaveButton},
        {"kill", "ausgewählte Nachrit(en) löschen", QStyle::SP_TrashIcon},
        {nullptr, nullptr, {}},
        {"answer", "dem Absender der ausgewählten Nachricht antworten", QStyle::SP_ArrowBack},
        {"weiterleiten", "ausgewählte Nachricht weiterleiten", QStyle::SP_ArrowForward},
        {nullptr, nullptr, {}},
        {"liste", "Liste mit allen SMS-Nachrichten anzeigen", QStyle::SP_FileDialogDetailedView},
        {nullptr, nullptr, {}},
        {"name", "Absender/Empfänger zeigen als Name (wenn bekannt)", QStyle::SP_DirHomeIcon},
        {"nummer", "Absender/Empfänger zeigen als Rufnummer", QStyle::SP_FileDialogListView},
    };
    auto* gruppe = new QActionGroup(Toolbar1);
    gruppe->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const auto& k : knoepfe) {
        if (!k.schluessel) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString schluessel = QLatin1String(k.schluessel);
        auto* a = new QAction(style()->standardIcon(k.bild), QString(), Toolbar1);
        a->setObjectName(schluessel);
        a->setToolTip(QString::fromUtf8(k.tipp));
        if (schluessel == QLatin1String("name") || schluessel == QLatin1String("nummer")) {
            a->setCheckable(true);
            a->setChecked(schluessel == QLatin1String("name"));
            gruppe->addAction(a);
        }
        Toolbar1->addAction(a);
        connect(a, &QAction::triggered, this, [this, schluessel] { Toolbar1_ButtonClick(schluessel); });
    }
}

void Form5::Form_Load()
{
    Form_Resize();
    if (MDIForm1* haupt = MDIForm1::Instanz())
        haupt->Kind_Zeigen(this);
    else
        show();
    if (Verbindung_Bereit()) {
        SMSSpeicher_Pruefen();
        // A phone that did not answer is not asked for the list in the same action.
        if (!Ausser_Takt())
            SMS_Lesen();
    }
}

// ---- The list ---------------------------------------------------------------------------

void Form5::Liste_Leeren()
{
    kal1->clear();
    // The pane shows a row of the list or nothing.
    Aktive_Leeren();
}

void Form5::Zeile_Anfuegen(const SMSZeile& z)
{
    auto* zeile = new Nachrichtenzeile;
    const QString texte[] = {z.Code, z.Index, z.Nummer, z.Name, z.Datum, z.Uhrzeit, z.Text};
    for (int spalte = 0; spalte < 7; ++spalte)
        zeile->setText(spalte, texte[spalte]);
    zeile->setIcon(0, ImageList1.value(z.Symbol));
    zeile->setData(0, SymbolRolle, z.Symbol);
    zeile->setData(0, PDURolle, z.PDU);
    kal1->addTopLevelItem(zeile);
}

void Form5::Erste_Zeile_Zeigen()
{
    QTreeWidgetItem* erste = kal1->topLevelItem(0);
    if (!erste)
        return;
    // The first row becomes current, not selected: a delete still needs the user's choice.
    m_fuellen = true;
    kal1->setCurrentItem(erste, 0, QItemSelectionModel::NoUpdate);
    m_fuellen = false;
    kal1_ItemClick(erste);
}

void Form5::kal1_ItemClick(QTreeWidgetItem* zeile)
{
    if (!zeile)
        return;
    Label35->setText(zeile->text(3));
    Label36->setText(zeile->text(4));
    Label37->setText(zeile->text(5));
    Label6->setText(zeile->text(2));
    // "²" is no line marker: a UCS2 message carries it as a character.
    QString text = zeile->text(6);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    Text5->setPlainText(text);
}

void Form5::Aktive_Leeren()
{
    for (QLabel* l : {Label35, Label36, Label37, Label6})
        l->clear();
    Text5->clear();
}

void Form5::kal1_ColumnClick(int spalte)
{
    const bool aufsteigend = Module3::Richtung_Wechseln(spalte);
    // The index is a number; date and time sort as such.
    if (spalte == 2)
        Module3::ListView_Sortieren(kal1, spalte, Module3::Zahl, aufsteigend);
    else if (spalte == 5 || spalte == 6)
        Module3::ListView_Sortieren(kal1, spalte, Module3::Datum, aufsteigend);
    else
        kal1->sortItems(spalte - 1, aufsteigend ? Qt::AscendingOrder : Qt::DescendingOrder);
}

QList<QTreeWidgetItem*> Form5::Gewaehlte_Zeilen() const
{
    QList<QTreeWidgetItem*> zeilen;
    for (int i = 0; i < kal1->topLevelItemCount(); ++i)
        if (kal1->topLevelItem(i)->isSelected())
            zeilen << kal1->topLevelItem(i);
    return zeilen;
}

// ---- Storage gauge ----------------------------------------------------------------------

void Form5::Speicher_Verbergen() { Label3->setVisible(false); }

void Form5::Speicher_Zeigen(const SMSSpeicherstand& stand)
{
    Label3->setText(Speicher_Beschriftung(stand));
    Label3->setVisible(true);
    const Speicherbalken balken = Speicherbalken_Berechnen(stand);
    Shape2->setGeometry(Platzierung::Pixel(balken.Links), Shape2->y(), Platzierung::Pixel(balken.Breite),
                        Shape2->height());
}

// ---- Toolbar ----------------------------------------------------------------------------

void Form5::Toolbar1_ButtonClick(const QString& schluessel)
{
    Aktion aktion;
    if (schluessel == QLatin1String("name") || schluessel == QLatin1String("nummer"))
        Form_Resize();
    else if (schluessel == QLatin1String("refresh"))
        SMS_Lesen();
    else if (schluessel == QLatin1String("kill"))
        SMS_kill();
    else if (schluessel == QLatin1String("answer"))
        Antworten();
    else if (schluessel == QLatin1String("weiterleiten"))
        Weiterleiten();
    else if (schluessel == QLatin1String("liste"))
        Liste_Oeffnen();
    else if (schluessel == QLatin1String("save"))
        Speichern();
}

bool Form5::Uebergabe_Vorbereiten()
{
    if (kal1->topLevelItemCount() == 0) {
        MsgBox(QStringLiteral("Die Liste ist leer!"), Dialoge::Symbol::Kritisch);
        return false;
    }
    if (Gewaehlte_Zeilen().isEmpty()) {
        MsgBox(QStringLiteral("Keinen Eintrag ausgewählt!"), Dialoge::Symbol::Kritisch);
        return false;
    }
    Form6::Instanz()->Empfaenger_Vorher_Leeren();
    return true;
}

void Form5::Antworten()
{
    if (!Uebergabe_Vorbereiten())
        return;
    for (const QTreeWidgetItem* zeile : Gewaehlte_Zeilen())
        Form6::Instanz()->List3->addItem(zeile->text(2));
    Form6::Instanz()->Zum_Schreiben_Zeigen();
}

void Form5::Weiterleiten()
{
    if (!Uebergabe_Vorbereiten())
        return;
    const QTreeWidgetItem* zeile = Module3::Ausgewaehlte_Zeile(kal1);
    if (!zeile)
        return;
    Form6::Instanz()->Text6->setPlainText(zeile->text(6));
    Form6::Instanz()->Zum_Schreiben_Zeigen();
}

void Form5::Liste_Oeffnen()
{
    const Module4::Shellaufruf aufruf = Module4::Aufruf_Planen(SMSLogDatei, 1, QString(), QString(), QString());
    const int ergebnis = Module4::Shell ? Module4::Shell(aufruf) : Module4::Shell_Ausfuehren(aufruf);
    if (ergebnis == Module4::Shell_DateiFehlt)
        MsgBox(QStringLiteral("Die Datei wurde nicht gefunden oder ist noch leer!"));
}

void Form5::Speichern()
{
    if (kal1->topLevelItemCount() == 0)
        return;
    const QString pfadSchluessel = QStringLiteral("PATH11");
    // A "/" in a name would make the offered name a path.
    QString name = Label35->text();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    Dialoge::Dateiwahl wahl;
    wahl.Filter = QStringLiteral("Textdateien (*.txt)");
    wahl.Vorgabename = QStringLiteral("SMS von ") + name + QLatin1Char('(') + Label36->text() + QStringLiteral(").txt");
    const QString zuletzt = Einstellungen::Lesen(QStringLiteral("Config"), pfadSchluessel, Programmordner());
    wahl.Startdatei = QFileInfo(zuletzt).isDir() ? zuletzt : QFileInfo(zuletzt).absolutePath();
    std::optional<QString> datei;
    for (;;) {
        datei = Dialoge::Aktuell().Datei_Speichern(wahl);
        if (!datei)
            return;
        if (!Ueberschreiben_Fragen(*datei))
            break;
        wahl.Startdatei = QFileInfo(*datei).absolutePath();
        wahl.Vorgabename = QFileInfo(*datei).fileName();
    }
    const QStringList zeilen{Label35->text(), Label36->text(), Label37->text(), Mit_CRLF(Text5->toPlainText())};
    if (!Textdatei::Schreiben(*datei, zeilen)) {
        Schreibfehler_Melden();
        return;
    }
    // Remembered only once the file is saved.
    Einstellungen::Speichern(QStringLiteral("Config"), pfadSchluessel, *datei);
}

void Form5::SMS_kill()
{
    if (kal1->topLevelItemCount() == 0)
        return;
    if (LoeschenRueckfrage &&
        !Frage_Ja(QStringLiteral("Diese Nachricht(en) wirklich löschen?"), Dialoge::Antwort::Nein, QStringLiteral("Löschen")))
        return;
    if (Gewaehlte_Zeilen().isEmpty()) {
        MsgBox(QStringLiteral("Keinen Eintrag ausgewählt!"), Dialoge::Symbol::Kritisch);
        return;
    }
    bool veraendert = false;
    bool fehler = false;
    auto entfernen = [this](int i) {
        m_fuellen = true;
        delete kal1->takeTopLevelItem(i);
        m_fuellen = false;
        Aktive_Leeren();
    };
    for (int i = 0; i < kal1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* zeile = kal1->topLevelItem(i);
        if (!zeile->isSelected())
            continue;
        const QString index = zeile->text(1);
        const int nummer = index.toInt();
        const QString pdu = zeile->data(0, PDURolle).toString();
        Status_Setzen(QStringLiteral("Lösche SMS Nr. ") + index);
        // The slot may have been emptied or reused since the list was read: only the message
        // the user saw is deleted, and one that is gone already counts as deleted.
        const Platzinhalt inhalt = Platz_Lesen(nummer, pdu);
        if (inhalt == Platzinhalt::Fehler) {
            fehler = true;
            break;
        }
        if (inhalt == Platzinhalt::Anders) {
            veraendert = true;
            continue;
        }
        if (inhalt == Platzinhalt::Wie_Gelistet &&
            Befehl_Senden(QStringLiteral("AT+CMGD=") + QString::number(nummer), true, UngueltigerIndex) ==
                Ausgang::Fehler) {
            fehler = true;
            // A delete whose answer did not come may have been carried out: the slot tells, unless
            // the phone is still out of step. The delete ends the action either way.
            const Platzinhalt danach = Link().Abgelehnt ? Platzinhalt::Wie_Gelistet : Platz_Lesen(nummer, pdu);
            if (danach == Platzinhalt::Leer)
                entfernen(i);
            else if (danach == Platzinhalt::Fehler)
                Module3::Zeile_Unbekannt_Zeigen(zeile);
            veraendert = veraendert || danach == Platzinhalt::Anders;
            break;
        }
        entfernen(i--);
    }
    // A skipped slot means the list is stale, however the delete ended: rows would otherwise
    // show (and answer) a message the phone no longer holds there.
    if (veraendert) {
        MsgBox(QStringLiteral("Die Nachricht wurde im Handy verändert und nicht gelöscht. Die Liste wird neu "
                              "eingelesen."),
               Dialoge::Symbol::Kritisch);
        SMS_Lesen();  // ends with the storage check
        return;
    }
    if (!fehler)
        SMSSpeicher_Pruefen();
}

// ---- Window -----------------------------------------------------------------------------

Form5::Masse Form5::Masse_Berechnen(int breite, int hoehe, bool maximiert, bool nummer, int spalte7)
{
    Masse m;
    m.Breite = maximiert ? breite : std::max(breite, MindestBreite);
    m.Hoehe = maximiert ? hoehe : std::max(hoehe, MindestHoehe);
    m.Kal1Breite = m.Breite - (Kal1Links + 220);
    m.Kal1Hoehe = m.Hoehe - (Kal1Oben + 520 + Frame3Hoehe);
    m.Frame3Oben = m.Hoehe - (Frame3Hoehe + 520);
    m.Frame2Oben = m.Frame3Oben;
    m.Label3Oben = m.Frame2Oben + Frame2Hoehe + 100;
    m.ShapeOben = m.Label3Oben - 20 + BalkenOben;
    const int spalten[] = {555, 585, nummer ? 1365 : 0, nummer ? 0 : 1365, 840, 840,
                           m.Kal1Breite > 4565 ? std::max(m.Kal1Breite - 4575, 0) : spalte7};
    std::copy(std::begin(spalten), std::end(spalten), m.Spalten);
    return m;
}

void Form5::Form_Resize()
{
    QWidget* r = Rahmen();
    if (window()->isMinimized() || r->isMinimized())
        return;
    const bool maximiert = r->isMaximized();
    if (!maximiert) {
        const int breite = std::max(r->width(), Pixel_Aufgerundet(MindestBreite));
        const int hoehe = std::max(r->height(), Pixel_Aufgerundet(MindestHoehe));
        if (breite != r->width() || hoehe != r->height())
            r->resize(breite, hoehe);
    }
    const QAction* nummer = Knopf(Toolbar1, QStringLiteral("nummer"));
    const Masse m = Masse_Berechnen(Platzierung::Twips(r->width()), Platzierung::Twips(r->height()), maximiert,
                                    nummer && nummer->isChecked(), Platzierung::Twips(kal1->header()->sectionSize(6)));
    using Platzierung::Pixel;
    kal1->resize(Pixel(m.Kal1Breite), std::max(Pixel(m.Kal1Hoehe), 0));
    Frame3->move(Frame3->x(), Pixel(m.Frame3Oben));
    Frame2->move(Frame2->x(), Pixel(m.Frame2Oben));
    Label3->move(Label3->x(), Pixel(m.Label3Oben));
    Shape1->move(Shape1->x(), Pixel(m.ShapeOben));
    Shape2->move(Shape2->x(), Pixel(m.ShapeOben));
    Toolbar1->resize(width(), Toolbar1->height());
    Spalten_Setzen(m);
}

void Form5::Spalten_Setzen(const Masse& m)
{
    for (int spalte = 0; spalte < 7; ++spalte)
        kal1->header()->resizeSection(spalte, Platzierung::Pixel(m.Spalten[spalte]));
}
