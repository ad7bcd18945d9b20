#include "phonebook/Form1.h"

#include "common/Dialoge.h"
#include "common/Einstellungen.h"
#include "common/Knoepfe.h"
#include "common/Module3.h"
#include "common/Platzierung.h"
#include "common/Spaltenkopf.h"
#include "link/Handytyp.h"
#include "link/Module1.h"
#include "link/Module2.h"
#include "link/Telefonbuecher.h"
#include "phonebook/Eintraege.h"
#include "phonebook/Form11.h"
#include "phonebook/Form21.h"
#include "phonebook/Kopieren.h"
#include "phonebook/Symbole.h"
#include "phonebook/TBuchLesen.h"
#include "phonebook/TBuchListe.h"
#include "phonebook/Waehlen.h"
#include "ui_Form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDrag>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <cmath>

using namespace Module1;

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("Telefonbuch"), 0, 0, 8200, 6500, true};

constexpr int SymbolRolle = Qt::UserRole;

int Pixel(double twips) { return static_cast<int>(std::lround(twips / Platzierung::TwipsJePixel)); }

// The smallest whole pixel size that holds the twips.
int Pixel_Aufgerundet(double twips) { return static_cast<int>(std::ceil(twips / Platzierung::TwipsJePixel)); }

struct Knopfdaten {
    const char* schluessel;  // nullptr: a separator
    const char* tipp;
    QStyle::StandardPixmap bild;
};

}  // namespace

Form1::Form1() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form1>())
{
    ui->setupUi(this);
    Frame1 = ui->Frame1;
    Toolbar2 = ui->Toolbar2;
    Toolbar3 = ui->Toolbar3;
    Toolbar5 = ui->Toolbar5;
    Frame4 = ui->Frame4;
    Frame2 = ui->Frame2;
    Toolbar1 = ui->Toolbar1;
    TBuch1 = ui->TBuch1;
    Frame3 = ui->Frame3;
    Toolbar4 = ui->Toolbar4;
    TBuch2 = ui->TBuch2;
    Image1[0] = ui->Image1_0, Image1[1] = ui->Image1_1, Image1[2] = ui->Image1_2, Image1[3] = ui->Image1_3;
    Label1[0] = ui->Label1_0, Label1[1] = ui->Label1_1, Label1[2] = ui->Label1_2, Label1[3] = ui->Label1_3;
    Shape1[0] = ui->Shape1_0, Shape1[1] = ui->Shape1_1, Shape1[2] = ui->Shape1_2, Shape1[3] = ui->Shape1_3;
    Shape2[0] = ui->Shape2_0, Shape2[1] = ui->Shape2_1, Shape2[2] = ui->Shape2_2, Shape2[3] = ui->Shape2_3;
    Label2[0] = ui->Label2_0, Label2[1] = ui->Label2_1;
    m_telefonliste = std::make_unique<BaumZeilen>(TBuch1);
    m_lokalliste = std::make_unique<BaumZeilen>(TBuch2);

    for (int i = 0; i < 4; ++i) {
        Image1[i]->setPixmap(Buchsymbol(Buchsymbolnummer(i + 1)).pixmap(16, 16));
        // The background shows only once the book was counted.
        QPalette hinten = Shape1[i]->palette();
        hinten.setColor(QPalette::Window, QColor(0, 255, 0));
        Shape1[i]->setPalette(hinten);
        Shape1[i]->setAutoFillBackground(false);
        QPalette balken = Shape2[i]->palette();
        balken.setColor(QPalette::Window, QColor(128, 0, 0));
        Shape2[i]->setPalette(balken);
        Shape2[i]->setAutoFillBackground(true);
        Shape2[i]->raise();
    }
    for (QTreeWidget* liste : {TBuch1, TBuch2})
        liste->header()->setSortIndicatorShown(false);

    Leisten_Aufbauen();
    Menues_Aufbauen();
    Listen_Verbinden();

    // The marker column is the "VIP" book on the S35.
    if (Handytyp_Pruefen() == QLatin1String("35")) {
        TBuch1->headerItem()->setText(4, QStringLiteral("VIP"));
        TBuch2->headerItem()->setText(3, QStringLiteral("VIP"));
    }
    TBuch_Ansicht_Setzen(this);
    Fenster().Liste = m_telefonliste.get();
}

Form1::~Form1()
{
    if (TBuch_Ansicht() == this)
        TBuch_Ansicht_Setzen(nullptr);
    if (Fenster().Liste == m_telefonliste.get())
        Fenster().Liste = nullptr;
}

Form1* Form1::Instanz() { return Einzelfenster_Holen<Form1>([] { return new Form1(); }); }

bool Form1::Geladen() { return !Einzelfenster<Form1>().isNull(); }

void Form1::Leisten_Aufbauen()
{
    const auto knopf = &Knopf_Anlegen;

    // Book buttons: check style, caption beside the icon.
    static const struct {
        const char* schluessel;
        const char16_t* text;
        const char16_t* tipp;
    } buecher[] = {
        {"SIM", u"SIM ", u"Einträge der SIM anzeigen"},
        {"TELEFON", u"Telefon ", u"Einträge des Telefons anzeigen"},
        {"FIX", u"feste Nummern ", u"Feste Einträge anzeigen"},
        {"OWN", u"Eigene Nummern ", u"Eigene Rufnummern anzeigen"},
        {"LAST", u"Zuletzt gewählte ", u"Zuletzt gewählte Nummern anzeigen"},
        {"MISSED", u"     Versäumte Anrufe ", u"Versäumte Anrufe anzeigen"},
    };
    Toolbar2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (int buch = 1; buch <= 6; ++buch) {
        const auto& b = buecher[buch - 1];
        QAction* a = knopf(Toolbar2, QString::fromLatin1(b.schluessel), QString::fromUtf16(b.tipp),
                           Buchsymbol(Buchsymbolnummer(buch)));
        a->setText(QString::fromUtf16(b.text));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, buch] { Toolbar2_ButtonClick(buch); });

        QAction* neu = knopf(Toolbar3, QStringLiteral("Buttons_%1").arg(buch), QStringLiteral("neu einlesen"),
                             style()->standardIcon(QStyle::SP_BrowserReload));
        neu->setEnabled(false);
        connect(neu, &QAction::triggered, this, [this, buch] { Toolbar3_ButtonClick(buch); });
    }

    for (QToolBar* leiste : {Toolbar2, Toolbar3, Toolbar5})
        Leiste_Ohne_Rand(leiste);
    Toolbar5->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* lokal = knopf(Toolbar5, QStringLiteral("Lokal"), QStringLiteral("Lokales Telefonbuch ein- / ausblenden"),
                           Buchsymbol(7));
    lokal->setText(QStringLiteral("Lokales Telefonbuch"));
    lokal->setCheckable(true);
    lokal->setChecked(true);
    connect(lokal, &QAction::triggered, this, [this] { Toolbar5_ButtonClick(); });

    static const Knopfdaten telefon[] = {
        {"refresh", "Ausgewählte Bücher neu einlesen", QStyle::SP_BrowserReload},
        {"save", "Angezeigte Einträge auf Festplatte speichern", QStyle::SP_DialogSaveButton},
        {nullptr, nullptr, {}},
        {"new", "Neuer Eintrag", QStyle::SP_FileIcon},
        {"edit", "Eintrag bearbeiten", QStyle::SP_FileDialogDetailedView},
        {"kill", "Gewählte(n) Eintrag/Einträge löschen", QStyle::SP_TrashIcon},
        {nullptr, nullptr, {}},
        {"search", "Eintrag suchen", QStyle::SP_FileDialogContentsView},
        {"search2", "Weitersuchen", QStyle::SP_ArrowForward},
        {nullptr, nullptr, {}},
        {"call", "Gewählte Nummer via Handy anrufen", QStyle::SP_MediaPlay},
        {"callstop", "Auflegen", QStyle::SP_MediaStop},
        {nullptr, nullptr, {}},
        {"sms", "SMS an gewählte(n) Eintrag/Einträge senden", QStyle::SP_MessageBoxInformation},
    };
    static const Knopfdaten lokalbuch[] = {
        {"load", "Lokales Buch von Festplatte laden", QStyle::SP_DialogOpenButton},
        {"save", "Lokales Buch auf Festplatte speichern", QStyle::SP_DialogSaveButton},
        {nullptr, nullptr, {}},
        {"new", "Neuer Eintrag (lokal)", QStyle::SP_FileIcon},
        {"edit", "Eintrag bearbeiten", QStyle::SP_FileDialogDetailedView},
        {"kill", "Gewählte(n) Eintrag/Einträge löschen", QStyle::SP_TrashIcon},
        {nullptr, nullptr, {}},
        {"search", "Eintrag suchen", QStyle::SP_FileDialogContentsView},
        {"search1", "Weitersuchen", QStyle::SP_ArrowForward},
        {nullptr, nullptr, {}},
        {"call", "Gewählte Nummer via Handy anrufen", QStyle::SP_MediaPlay},
        {"callstop", "Auflegen", QStyle::SP_MediaStop},
        {nullptr, nullptr, {}},
        {"sms", "SMS an ausgewählte(n) Eintrag/Einträge senden", QStyle::SP_MessageBoxInformation},
    };
    for (const Knopfdaten& k : telefon) {
        if (!k.schluessel) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString schluessel = QString::fromLatin1(k.schluessel);
        QAction* a = knopf(Toolbar1, schluessel, QString::fromUtf8(k.tipp), style()->standardIcon(k.bild));
        connect(a, &QAction::triggered, this, [this, schluessel] { Toolbar1_ButtonClick(schluessel); });
    }
    for (const Knopfdaten& k : lokalbuch) {
        if (!k.schluessel) {
            Toolbar4->addSeparator();
            continue;
        }
        const QString schluessel = QString::fromLatin1(k.schluessel);
        QAction* a = knopf(Toolbar4, schluessel, QString::fromUtf8(k.tipp), style()->standardIcon(k.bild));
        connect(a, &QAction::triggered, this, [this, schluessel] { Toolbar4_ButtonClick(schluessel); });
    }
}

void Form1::Menues_Aufbauen()
{
    auto eintrag = [](QMenu* menue, const char* name, const QString& text) {
        QAction* a = menue->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setParent(menue);
        return a;
    };
    popup1 = new QMenu(this);
    popup1->setObjectName(QStringLiteral("popup1"));
    Bearbeiten = eintrag(popup1, "Bearbeiten", QStringLiteral("&Bearbeiten"));
    loeschen = eintrag(popup1, "loeschen", QStringLiteral("&Löschen"));
    popup1->addSeparator();
    smssenden = eintrag(popup1, "smssenden", QStringLiteral("&SMS senden"));
    popup1->addSeparator();
    Anrufen = eintrag(popup1, "Anrufen", QStringLiteral("&Anrufen"));
    Anrufstopp = eintrag(popup1, "Anrufstopp", QStringLiteral("Anruf st&oppen"));
    popup1->addSeparator();
    nachlokal = eintrag(popup1, "nachlokal", QStringLiteral("Ins lokale Tel.buch &kopieren"));

    popup2 = new QMenu(this);
    popup2->setObjectName(QStringLiteral("popup2"));
    editLOCAL = eintrag(popup2, "editLOCAL", QStringLiteral("&Bearbeiten"));
    killLOCAL = eintrag(popup2, "killLOCAL", QStringLiteral("&Löschen"));
    popup2->addSeparator();
    smsLOCAL = eintrag(popup2, "smsLOCAL", QStringLiteral("&SMS senden"));
    popup2->addSeparator();
    callLOCAL = eintrag(popup2, "callLOCAL", QStringLiteral("&Anrufen"));
    callstopLOCAL = eintrag(popup2, "callstopLOCAL", QStringLiteral("Anruf st&oppen"));
    popup2->addSeparator();
    copytoSIM = eintrag(popup2, "copytoSIM", QStringLiteral("Auf S&IM kopieren"));
    copytotelefon = eintrag(popup2, "copytotelefon", QStringLiteral("Ins &TELEFON kopieren"));
    copytofix = eintrag(popup2, "copytofix", QStringLiteral("Zu &Feste Nummern kopieren"));
    copytoown = eintrag(popup2, "copytoown", QStringLiteral("Zu &Eigene Nummern kopieren"));

    connect(Bearbeiten, &QAction::triggered, this, [this] { EDIT_ITEM(); });
    connect(loeschen, &QAction::triggered, this, [this] { loeschen_Click(); });
    connect(smssenden, &QAction::triggered, this, [this] { smssenden_Click(); });
    connect(editLOCAL, &QAction::triggered, this, [this] { editLOCAL_Click(); });
    connect(killLOCAL, &QAction::triggered, this, [this] { killLOKAL(); });
    connect(smsLOCAL, &QAction::triggered, this, [this] { SMS_LOCAL(); });
    connect(Anrufen, &QAction::triggered, this, [] { Nummer_Waehlen(); });
    connect(Anrufstopp, &QAction::triggered, this, [] { Anruf_Beenden(); });
    connect(callLOCAL, &QAction::triggered, this, [] { Lokal_Waehlen(); });
    connect(callstopLOCAL, &QAction::triggered, this, [] { Anruf_Beenden(); });
    connect(nachlokal, &QAction::triggered, this, [this] { nachlokal_Click(); });
    connect(copytoSIM, &QAction::triggered, this, [this] { copytoSIM_Click(); });
    connect(copytotelefon, &QAction::triggered, this, [this] { copytotelefon_Click(); });
    connect(copytofix, &QAction::triggered, this, [this] { copytofix_Click(); });
    connect(copytoown, &QAction::triggered, this, [this] { copytoown_Click(); });
}

void Form1::Listen_Verbinden()
{
    Zahlspalte_Setzen(TBuch1, 1);
    connect(TBuch1->header(), &QHeaderView::sectionClicked, this,
            [this](int spalte) { TBuch1_ColumnClick(TBuch1->headerItem()->text(spalte)); });
    connect(TBuch2->header(), &QHeaderView::sectionClicked, this,
            [this](int spalte) { TBuch2_ColumnClick(TBuch2->headerItem()->text(spalte)); });
    connect(TBuch1, &QTreeWidget::itemDoubleClicked, this, [this] { TBuch1_DblClick(); });
    connect(TBuch2, &QTreeWidget::itemDoubleClicked, this, [this] { TBuch2_DblClick(); });
    connect(TBuch1, &QWidget::customContextMenuRequested, this, [this] { TBuch1_MouseUp(Qt::RightButton); });
    connect(TBuch2, &QWidget::customContextMenuRequested, this, [this] { TBuch2_MouseUp(Qt::RightButton); });
    connect(ui->TBuch1, &TBuchListe::Ziehen_Beginnt, this, [this](Qt::MouseButtons k) { TBuch1_MouseMove(k); });
    connect(ui->TBuch2, &TBuchListe::Ziehen_Beginnt, this, [this](Qt::MouseButtons k) { TBuch2_MouseMove(k); });
    connect(ui->TBuch1, &TBuchListe::Abgelegt, this, [this] { TBuch1_DragDrop(); });
    connect(ui->TBuch2, &TBuchListe::Abgelegt, this, [this] { TBuch2_DragDrop(); });
    for (QTreeWidget* liste : {TBuch1, TBuch2}) {
        liste->header()->setSectionsClickable(true);
        liste->setContextMenuPolicy(Qt::CustomContextMenu);
    }
}

QAction* Form1::Knopf(const QToolBar* leiste, const QString& schluessel)
{
    return Knopf_Suchen(leiste, schluessel);
}

QAction* Form1::Buchknopf(int buch) const
{
    const QList<QAction*> knoepfe = Toolbar2->actions();
    return buch >= 1 && buch <= knoepfe.size() ? knoepfe[buch - 1] : nullptr;
}

QAction* Form1::Neulesenknopf(int buch) const { return Knopf(Toolbar3, QStringLiteral("Buttons_%1").arg(buch)); }

QAction* Form1::Lokalknopf() const { return Toolbar5->actions().value(0); }

int Form1::Buchsymbolnummer(int buch)
{
    static const int symbole[] = {0, 1, 4, 2, 3, 5, 6};
    return buch >= 1 && buch <= 6 ? symbole[buch] : 0;
}

// ---- Commands -------------------------------------------------------------------------

void Form1::Toolbar1_ButtonClick(const QString& schluessel)
{
    Aktion aktion;
    if (schluessel == QLatin1String("save")) {
        Telefonbuch_Sichern();
    } else if (schluessel == QLatin1String("refresh")) {
        for (int buch = 1; buch <= TBuchAnzahl; ++buch) {
            if (!Buch_Gedrueckt(buch))
                continue;
            // A read cut short, or a phone that fell out of step, ends the refresh.
            if (!Buch_Neu_Einlesen(buch) || Ausser_Takt())
                break;
        }
    } else if (schluessel == QLatin1String("search")) {
        Suche_Neu();
    } else if (schluessel == QLatin1String("search2")) {
        Suche_Weiter();
    } else if (schluessel == QLatin1String("new")) {
        Eintrag_Neu();
    } else if (schluessel == QLatin1String("edit")) {
        EDIT_ITEM();
    } else if (schluessel == QLatin1String("kill")) {
        loeschen_Click();
    } else if (schluessel == QLatin1String("call")) {
        Nummer_Waehlen();
    } else if (schluessel == QLatin1String("callstop")) {
        Anruf_Beenden();
    } else if (schluessel == QLatin1String("sms")) {
        smssenden_Click();
    }
}

void Form1::EDIT_ITEM()
{
    Aktion aktion;
    Module1::EDIT_ITEM();
}

void Form1::loeschen_Click()
{
    Aktion aktion;
    Markierte_Loeschen();
}

void Form1::smssenden_Click() { SMS_Uebergeben(*m_telefonliste, 3); }

void Form1::Lokal_Neu()
{
    Form11::Neu_Zeigen(TBuch2, [this](const QString& name, const QString& nummer, const QString& merker) {
        Lokal_Anfuegen(QStringLiteral("LOKAL"), 7, name, nummer, merker);
    });
}

void Form1::editLOCAL_Click() { Form11::Aendern_Zeigen(TBuch2, this); }

void Form1::killLOKAL() { Lokal_Loeschen(*m_lokalliste); }

void Form1::SMS_LOCAL() { SMS_Uebergeben(*m_lokalliste, 2); }

void Form1::Toolbar2_ButtonClick(int buch)
{
    Aktion aktion;
    if (!Buchknopf(buch))
        return;
    if (!Buch_Gedrueckt(buch)) {
        Liste_Laden();
        Neulesenknopf(buch)->setEnabled(false);
        return;
    }
    QPointer<Form1> selbst(this);
    if (TBuch_Geladen(buch))
        Liste_Laden();
    else
        Telefonbuch_Lesen(buch);
    if (selbst)
        Neulesenknopf(buch)->setEnabled(true);
}

void Form1::Toolbar3_ButtonClick(int buch)
{
    Aktion aktion;
    Buch_Neu_Einlesen(buch);
}

bool Form1::Buch_Neu_Einlesen(int buch)
{
    if (!Buchknopf(buch))
        return false;
    TBuchDaten[buch][1][1].clear();
    TBuchVollstaendig[buch] = false;
    Buchknopf(buch)->setChecked(false);
    Liste_Laden();
    QPointer<Form1> selbst(this);
    bool gemeldet = false;
    Telefonbuch_Lesen(buch, &gemeldet);
    if (!selbst)
        return false;
    Buchknopf(buch)->setChecked(true);
    Liste_Laden();
    return !gemeldet;
}

void Form1::Toolbar4_ButtonClick(const QString& schluessel)
{
    Aktion aktion;
    if (schluessel == QLatin1String("load"))
        lokalLADEN();
    else if (schluessel == QLatin1String("save"))
        Lokal_Speichern();
    else if (schluessel == QLatin1String("new"))
        Lokal_Neu();
    else if (schluessel == QLatin1String("edit"))
        editLOCAL_Click();
    else if (schluessel == QLatin1String("kill"))
        killLOKAL();
    else if (schluessel == QLatin1String("search"))
        Lokal_Suche_Neu(*m_lokalliste);
    else if (schluessel == QLatin1String("search1"))
        Lokal_Suche_Weiter(*m_lokalliste);
    else if (schluessel == QLatin1String("call"))
        Lokal_Waehlen();
    else if (schluessel == QLatin1String("callstop"))
        Anruf_Beenden();
    else if (schluessel == QLatin1String("sms"))
        SMS_LOCAL();
}

void Form1::Toolbar5_ButtonClick()
{
    const QWidget* r = Rahmen();
    const Form1Layout::Masse m =
        Form1Layout::Berechnen(Platzierung::Twips(r->width()), Platzierung::Twips(r->height()), r->isMaximized(),
                               Lokalknopf()->isChecked());
    // Widths, columns and the "LOKAL" title wait for the next resize.
    Masse.TBuch1Hoehe = m.TBuch1Hoehe;
    Masse.TBuch2Hoehe = m.TBuch2Hoehe;
    Masse.Geteilt = m.Geteilt;
    if (m.Geteilt) {
        Masse.Frame3Oben = m.Frame3Oben;
        Masse.TBuch2Oben = m.TBuch2Oben;
    }
    Ansicht_Teilen(Masse);
}

void Form1::Lokal_Einblenden()
{
    Lokalknopf()->setChecked(true);
    Toolbar5_ButtonClick();
}

// ---- Copying ------------------------------------------------------------------------------

bool Form1::Ziel_Vorbereiten(int buch)
{
    QAction* knopf = Buchknopf(buch);
    // Only the state: the button's own command would read or refill a second time.
    knopf->setChecked(true);
    QPointer<Form1> selbst(this);
    // A read that told why it stopped short ends the copy without a second message.
    bool weiter = true;
    if (!TBuch_Geladen(buch)) {
        bool gemeldet = false;
        Telefonbuch_Lesen(buch, &gemeldet);
        weiter = !gemeldet;
    } else if (!TBuchVollstaendig[buch]) {
        weiter = Buch_Neu_Einlesen(buch);  // the copy needs every index the phone holds
    } else {
        Liste_Laden();
    }
    if (!selbst)
        return false;
    Neulesenknopf(buch)->setEnabled(true);
    QCoreApplication::processEvents();
    return weiter && !selbst.isNull();
}

void Form1::copytoSIM_Click() { Kopieren_In(1); }

void Form1::copytotelefon_Click() { Kopieren_In(2); }

void Form1::copytofix_Click() { Kopieren_In(3); }

void Form1::copytoown_Click() { Kopieren_In(4); }

void Form1::Kopieren_In(int buch)
{
    Aktion aktion;
    if (Ziel_Vorbereiten(buch))
        Lokal_Kopieren(*m_lokalliste, buch);
}

void Form1::Kopieren_Nach(int buch)
{
    switch (buch) {
    case 1: copytoSIM_Click(); break;
    case 2: copytotelefon_Click(); break;
    case 3: copytofix_Click(); break;
    case 4: copytoown_Click(); break;
    default: break;
    }
}

void Form1::nachlokal_Click()
{
    if (!Lokalknopf()->isChecked())
        Lokal_Einblenden();
    Nach_Lokal_Kopieren();
}

void Form1::Nach_Lokal_Kopieren()
{
    const int zeilen = TBuch1->topLevelItemCount();
    for (int i = 0; i < zeilen; ++i) {
        const QTreeWidgetItem* quelle = TBuch1->topLevelItem(i);
        if (!quelle->isSelected())
            continue;
        QTreeWidgetItem* neu = Lokal_Anfuegen(quelle->text(0), Symbolnummer(quelle), quelle->text(2),
                                              quelle->text(3), quelle->text(4));
        neu->setSelected(true);
        TBuch2->scrollToItem(neu);
    }
}

// ---- List events ----------------------------------------------------------------------------

void Form1::TBuch1_ColumnClick(const QString& kopf)
{
    // The list loses its current row at every refill: only an empty one has nothing to sort.
    if (TBuch1->topLevelItemCount() == 0)
        return;
    const Sortierung s = Sortierung_Nach_Klick({SortSpalte, SortRichtung}, kopf, false);
    SortSpalte = s.Spalte;
    SortRichtung = s.Richtung;
    Sortierung_Auffrischen();
    if (QTreeWidgetItem* aktuell = TBuch1->currentItem())
        TBuch1->scrollToItem(aktuell);
}

void Form1::TBuch2_ColumnClick(const QString& kopf)
{
    LokalSortierung = Sortierung_Nach_Klick(LokalSortierung, kopf, true);
    LokalSortiert = true;
    TBuch2->sortItems(LokalSortierung.Spalte, LokalSortierung.Richtung);
    TBuch2->header()->setSortIndicatorShown(true);
}

void Form1::TBuch1_DblClick() { EDIT_ITEM(); }

void Form1::TBuch2_DblClick() { editLOCAL_Click(); }

void Form1::TBuch1_MouseUp(Qt::MouseButton knopf)
{
    if (knopf == Qt::RightButton && TBuch1->topLevelItemCount() > 0 && TBuch1->currentItem())
        popup1->popup(QCursor::pos());
}

void Form1::TBuch2_MouseUp(Qt::MouseButton knopf)
{
    if (knopf == Qt::RightButton)
        popup2->popup(QCursor::pos());
}

void Form1::TBuch1_MouseMove(Qt::MouseButtons knoepfe)
{
    if (knoepfe != Qt::LeftButton || TBuch1->topLevelItemCount() == 0)
        return;
    MobilGezogen = true;
    LokalGezogen = false;
    Ziehen(TBuch1);
}

void Form1::TBuch2_MouseMove(Qt::MouseButtons knoepfe)
{
    if (knoepfe != Qt::LeftButton || TBuch2->topLevelItemCount() == 0)
        return;
    LokalGezogen = true;
    MobilGezogen = false;
    Ziehen(TBuch2);
}

void Form1::Ziehen(QTreeWidget* quelle)
{
    auto* ziehen = new QDrag(quelle);
    auto* daten = new QMimeData();
    daten->setData(TBuchListe::ZiehFormat, quelle->objectName().toLatin1());
    ziehen->setMimeData(daten);
    if (const QTreeWidgetItem* aktuell = quelle->currentItem())
        ziehen->setPixmap(aktuell->icon(0).pixmap(16, 16));
    QPointer<Form1> selbst(this);
    if (Ziehen_Ausfuehren) {
        Ziehen_Ausfuehren(*ziehen);
        ziehen->deleteLater();
    } else {
        ziehen->exec(Qt::CopyAction);  // Qt deletes the drag
    }
    // Dropped anywhere, or nowhere: a flag left set would swallow the next real drop.
    if (selbst)
        MobilGezogen = LokalGezogen = false;
}

void Form1::TBuch1_DragDrop()
{
    Aktion aktion;
    if (MobilGezogen) {
        MobilGezogen = false;
        return;
    }
    if (!LokalGezogen)
        return;
    LokalGezogen = false;
    int ziel = Ziel_Aus_Knoepfen({Buch_Gedrueckt(1), Buch_Gedrueckt(2), Buch_Gedrueckt(3), Buch_Gedrueckt(4)});
    if (ziel == 0) {
        QPointer<Form1> selbst(this);
        Form21::Modal_Zeigen();
        if (!selbst)
            return;
        ziel = Ziel_Buch(ZielAuswahl);
    }
    Kopieren_Nach(ziel);
}

void Form1::TBuch2_DragDrop()
{
    if (LokalGezogen) {
        LokalGezogen = false;
        return;
    }
    if (!MobilGezogen)
        return;
    MobilGezogen = false;
    Nach_Lokal_Kopieren();
}

// ---- Files ------------------------------------------------------------------------------

void Form1::lokalLADEN()
{
    if (!Lokal_Verwerfen_Erlaubt())
        return;
    Dialoge::Dateiwahl wahl;
    wahl.Filter = QStringLiteral("*.orx (*.orx)");
    wahl.Startdatei = Sicherung_Startordner(QStringLiteral("PATH5"));
    const std::optional<QString> datei = Dialoge::Aktuell().Datei_Oeffnen(wahl);
    if (!datei)
        return;
    Einstellungen::Speichern(QStringLiteral("Config"), QStringLiteral("PATH5"), *datei);
    Lokal_Einlesen(*datei);
}

void Form1::LOKALLADEN2(const QString& datei)
{
    if (Lokal_Verwerfen_Erlaubt())
        Lokal_Einlesen(datei);
}

void Form1::Lokal_Einlesen(const QString& datei)
{
    // Emptied before the file is opened: a missing file leaves an empty list and the message.
    TBuch2->clear();
    const Sicherung s = Sicherung_Lesen(datei);
    LokalKodierung = s.Kodierung;
    for (const SicherungsZeile& z : s.Zeilen)
        Lokal_Anfuegen(z.Ort, Ort_Symbol(z.Ort), z.Name, z.Nummer, z.Merker);
    m_lokalstand.Merken(TBuch2);
    if (s.Fehler)
        MsgBox(QStringLiteral("Fehler beim Lesen der Datei aufgetreten! Datei scheint fehlerhaft!"),
               Dialoge::Symbol::Kritisch);
}

bool Form1::Lokal_Speichern()
{
    // An empty list is written only once the user emptied it.
    if (TBuch2->topLevelItemCount() == 0 && !m_lokalstand.Geaendert(TBuch2))
        return false;
    if (!Module1::Lokal_Sichern(Lokalzeilen(), LokalKodierung))
        return false;
    m_lokalstand.Merken(TBuch2);
    return true;
}

bool Form1::Lokal_Verwerfen_Erlaubt()
{
    return m_lokalstand.Verwerfen_Erlaubt(TBuch2, [this] { return Lokal_Speichern(); });
}

QList<SicherungsZeile> Form1::Telefonzeilen() const
{
    QList<SicherungsZeile> zeilen;
    for (int i = 0; i < TBuch1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* z = TBuch1->topLevelItem(i);
        zeilen << SicherungsZeile{z->text(0), z->text(1), z->text(2), z->text(3), z->text(4)};
    }
    return zeilen;
}

QList<SicherungsZeile> Form1::Lokalzeilen() const
{
    QList<SicherungsZeile> zeilen;
    for (int i = 0; i < TBuch2->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* z = TBuch2->topLevelItem(i);
        zeilen << SicherungsZeile{z->text(0), QStringLiteral("000"), z->text(1), z->text(2), z->text(3)};
    }
    return zeilen;
}

// ---- Rows -----------------------------------------------------------------------------

QTreeWidgetItem* Form1::Lokal_Anfuegen(const QString& ort, int symbol, const QString& name, const QString& nummer,
                                       const QString& merker)
{
    auto* zeile = new Listenzeile();
    zeile->setText(0, ort);
    zeile->setIcon(0, Buchsymbol(symbol));
    zeile->setData(0, SymbolRolle, symbol);
    zeile->setText(1, name);
    zeile->setText(2, nummer);
    zeile->setText(3, merker);
    Zeile_Markieren(zeile, 1, 3, merker == QLatin1String("!"));
    if (LokalSortiert)
        Einsortieren(TBuch2, zeile, LokalSortierung);
    else
        TBuch2->addTopLevelItem(zeile);
    return zeile;
}

void Form1::Zeile_Markieren(QTreeWidgetItem* zeile, int von, int bis, bool markiert)
{
    for (int spalte = von; spalte <= bis; ++spalte) {
        zeile->setData(spalte, Qt::ForegroundRole, markiert && TBRot ? QVariant(QColor(255, 0, 0)) : QVariant());
        if (markiert && TBFett) {
            QFont fett = zeile->font(spalte);
            fett.setBold(true);
            zeile->setFont(spalte, fett);
        } else {
            zeile->setData(spalte, Qt::FontRole, QVariant());
        }
    }
}

int Form1::Symbolnummer(const QTreeWidgetItem* zeile) { return zeile->data(0, SymbolRolle).toInt(); }

void Form1::Zeile_Anfuegen(const TBuchZeile& z)
{
    auto* zeile = new Listenzeile();
    const int symbol = Buchsymbolnummer(z.Buch);
    zeile->setText(0, z.Buch >= 1 && z.Buch <= TBuchAnzahl ? TBuchNamen[z.Buch] : QString());
    zeile->setIcon(0, Buchsymbol(symbol));
    zeile->setData(0, SymbolRolle, symbol);
    zeile->setText(1, z.Index);
    zeile->setText(2, z.Name);
    zeile->setText(3, z.Nummer);
    zeile->setText(4, z.Merker);
    Zeile_Markieren(zeile, 1, 4, z.Merker == QLatin1String("!"));
    if (z.Unbekannt)
        Module3::Zeile_Unbekannt_Zeigen(zeile);
    if (Sortiert)
        Einsortieren(TBuch1, zeile, {SortSpalte, SortRichtung});
    else
        TBuch1->addTopLevelItem(zeile);
}

void Form1::Zeilen_Leeren() { TBuch1->clear(); }

bool Form1::Buch_Gedrueckt(int buch) const
{
    const QAction* a = Buchknopf(buch);
    return a && a->isChecked();
}

void Form1::Sortierung_Auffrischen()
{
    // Index, then name, then the remembered column: equal rows keep the order of the
    // sorts before (the sort is stable).
    for (const int spalte : {1, 2, SortSpalte}) {
        TBuch1->header()->setSortIndicator(spalte, SortRichtung);
        TBuch1->sortItems(spalte, SortRichtung);
    }
    TBuch1->header()->setSortIndicatorShown(true);
    Sortiert = true;
}

void Form1::Belegung_Zeigen(int buch, const Fuellstand& stand)
{
    if (buch < 1 || buch > 4)
        return;
    const int i = buch - 1;
    Label1[i]->setText(stand.Text);
    Shape1[i]->setAutoFillBackground(true);
    Shape1[i]->update();
    Shape2[i]->resize(Pixel(stand.Balken), Shape2[i]->height());
}

// ---- Window -----------------------------------------------------------------------------

void Form1::Form_Resize()
{
    QWidget* r = Rahmen();
    if (window()->isMinimized() || r->isMinimized())
        return;
    const bool maximiert = r->isMaximized();
    if (!maximiert) {
        const int breite = std::max(r->width(), Pixel_Aufgerundet(Form1Layout::MindestBreite));
        const int hoehe = std::max(r->height(), Pixel_Aufgerundet(Form1Layout::MindestHoehe));
        if (breite != r->width() || hoehe != r->height())
            r->resize(breite, hoehe);
    }
    Masse = Form1Layout::Berechnen(Platzierung::Twips(r->width()), Platzierung::Twips(r->height()), maximiert,
                                   Lokalknopf()->isChecked());
    TBuch1->resize(Pixel(Masse.TBuch1Breite), TBuch1->height());
    TBuch2->resize(Pixel(Masse.TBuch2Breite), TBuch2->height());
    if (Masse.Geteilt)
        Label2[0]->move(Label2[0]->x(), Pixel(Masse.Label2_0Oben));
    Ansicht_Teilen(Masse);
    // Name and number give up what the headings and cells of the others take.
    QList<int> spalten1, spalten2;
    for (int spalte = 0; spalte < 5; ++spalte)
        spalten1 << Pixel(Masse.Spalten1[spalte]);
    for (int spalte = 0; spalte < 4; ++spalte)
        spalten2 << Pixel(Masse.Spalten2[spalte]);
    Spalten_Verteilen(TBuch1, spalten1, {2, 3});
    Spalten_Verteilen(TBuch2, spalten2, {1, 2});
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!Lokal_Verwerfen_Erlaubt()) {
        event->ignore();
        return;
    }
    Werkzeugfenster::closeEvent(event);
}

void Form1::Ansicht_Teilen(const Form1Layout::Masse& m)
{
    TBuch1->resize(TBuch1->width(), Pixel(m.TBuch1Hoehe));
    TBuch2->resize(TBuch2->width(), Pixel(m.TBuch2Hoehe));
    if (m.Geteilt) {
        Frame3->move(Frame3->x(), Pixel(m.Frame3Oben));
        TBuch2->move(TBuch2->x(), Pixel(m.TBuch2Oben));
    }
    TBuch2->setVisible(m.Geteilt);
    Frame3->setVisible(m.Geteilt);
}
