// Every window the tree opens, at its design size and the program's font and with the simulated
// phone's data: each caption, label, button, option, group title, column header, tree node, list
// cell and toolbar button shows its whole text, and no window hides an edge in the MDI area.
#include "HauptfensterUmgebung.h"

#include "app/Form23.h"
#include "app/frmTip.h"
#include "common/Platzierung.h"
#include "organizer/Form10.h"
#include "organizer/Form3.h"
#include "organizer/Termin.h"
#include "organizer/Terminliste.h"
#include "phone/Form16.h"
#include "phone/Form17.h"
#include "phone/Form18.h"
#include "phone/Form25.h"
#include "phonebook/Form1.h"
#include "phonebook/Form11.h"
#include "phonebook/Form21.h"
#include "phonebook/Form4.h"
#include "sim/SimDatenobjekte.h"
#include "sim/SimEinstellungen.h"
#include "sim/SimKlingel.h"
#include "sim/SimNachrichten.h"
#include "sim/SimTelefonbuch.h"
#include "sms/Form26.h"
#include "sms/Form27.h"
#include "sms/Form7.h"
#include "sms/Form8.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QStyleOptionHeader>
#include <QStyleOptionTitleBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace hauptfenster_test;

namespace {

QString Name(const QWidget* w)
{
    QStringList kette;
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_")))
            kette.prepend(p->objectName());
        if (p->isWindow())
            break;
    }
    return kette.join(QLatin1Char('/'));
}

// Collects every text that the eye cannot read whole.
class Pruefer {
public:
    QStringList Befunde;

    // Checks `wurzel` and its descendants, every page of its tab widgets shown in turn; the
    // subtree of `auslassen` is left to its own check.
    void Fenster(QWidget* wurzel, const QWidget* auslassen = nullptr)
    {
        m_wurzel = wurzel;
        m_auslassen = auslassen;
        Widgets();
        for (QTabWidget* reiter : wurzel->findChildren<QTabWidget*>()) {
            const int vorher = reiter->currentIndex();
            for (int i = 0; i < reiter->count(); ++i) {
                reiter->setCurrentIndex(i);
                Widgets();
            }
            reiter->setCurrentIndex(vorher);
        }
        Befunde.removeDuplicates();
    }

    // The caption in the title bar of an MDI child.
    void Titel(QMdiSubWindow* rahmen)
    {
        QStyleOptionTitleBar opt;
        opt.initFrom(rahmen);
        opt.text = rahmen->windowTitle();
        opt.titleBarFlags = rahmen->windowFlags();
        opt.titleBarState = int(rahmen->windowState());
        opt.subControls = QStyle::SC_All;
        opt.rect = QRect(0, 0, rahmen->width(), rahmen->style()->pixelMetric(QStyle::PM_TitleBarHeight, &opt, rahmen));
        QFont schrift = QApplication::font("QMdiSubWindowTitleBar");
        schrift.setBold(true);  // the widest the style may draw it
        const QRect platz = rahmen->style()->subControlRect(QStyle::CC_TitleBar, &opt, QStyle::SC_TitleBarLabel, rahmen);
        Vergleichen(rahmen, QStringLiteral("Titel"), opt.text, QFontMetrics(schrift).horizontalAdvance(opt.text),
                    platz.width());
    }

    // The nodes of a tree: each shows its whole text, scrolled to or not; `imFeld`: without
    // scrolling sideways, in the tree's visible width.
    void Knoten(QTreeView* baum, bool imFeld = false)
    {
        QAbstractItemModel* modell = baum->model();
        std::function<void(const QModelIndex&)> gehen = [&](const QModelIndex& eltern) {
            for (int zeile = 0; zeile < modell->rowCount(eltern); ++zeile) {
                const QModelIndex i = modell->index(zeile, 0, eltern);
                QStyleOptionViewItem opt;
                opt.initFrom(baum);
                opt.decorationSize = baum->iconSize().isValid() ? baum->iconSize() : QSize(16, 16);
                const int noetig = baum->itemDelegateForIndex(i)->sizeHint(opt, i).width();
                const QRect platz = baum->visualRect(i);
                const int hat = imFeld ? std::min(platz.right() + 1, baum->viewport()->width()) - platz.left()
                                       : platz.width();
                Vergleichen(baum, QStringLiteral("Knoten"), i.data().toString(), noetig, hat);
                if (baum->isExpanded(i))
                    gehen(i);
            }
        };
        gehen(baum->rootIndex());
    }

    // The cells of a list: each column is wide enough for every cell's text and picture.
    void Zellen(QTreeView* liste)
    {
        QAbstractItemModel* modell = liste->model();
        for (int zeile = 0; zeile < modell->rowCount(); ++zeile)
            for (int spalte = 0; spalte < modell->columnCount(); ++spalte) {
                const QModelIndex i = modell->index(zeile, spalte);
                QStyleOptionViewItem opt;
                opt.initFrom(liste);
                opt.decorationSize = liste->iconSize().isValid() ? liste->iconSize() : QSize(16, 16);
                const int noetig = liste->itemDelegateForIndex(i)->sizeHint(opt, i).width();
                Vergleichen(liste, QStringLiteral("Zelle"), i.data().toString(), noetig, liste->columnWidth(spalte));
            }
    }

private:
    void Widgets()
    {
        for (QWidget* w : m_wurzel->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(m_wurzel) || (m_auslassen && m_auslassen->isAncestorOf(w)))
                continue;
            if (auto* l = qobject_cast<QLabel*>(w))
                Label(l);
            else if (auto* k = qobject_cast<QCheckBox*>(w))
                Option(k, false);
            else if (auto* o = qobject_cast<QRadioButton*>(w))
                Option(o, true);
            else if (auto* p = qobject_cast<QPushButton*>(w))
                Knopf(p);
            else if (auto* t = qobject_cast<QToolButton*>(w))
                Werkzeugknopf(t);
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                Gruppe(g);
            else if (auto* h = qobject_cast<QHeaderView*>(w))
                Kopf(h);
            else if (auto* b = qobject_cast<QToolBar*>(w))
                Leiste(b);
            else if (auto* r = qobject_cast<QTabBar*>(w))
                Reiter(r);
        }
    }

    void Vergleichen(const QWidget* w, const QString& art, const QString& text, int noetig, int hat)
    {
        if (noetig > hat)
            Befunde << QStringLiteral("%1 %2 \"%3\": braucht %4 px, hat %5").arg(art, Name(w), text).arg(noetig).arg(hat);
    }

    // The part of `w` that shows the text must not lie outside a parent up to the window.
    void Sichtbar(const QWidget* w, const QString& text, const QRect& bereich)
    {
        for (const QWidget* p = w; p && p != m_wurzel; p = p->parentWidget()) {
            const QWidget* eltern = p->parentWidget();
            if (!eltern)
                break;
            auto* flaeche = qobject_cast<const QAbstractScrollArea*>(eltern->parentWidget());
            if (flaeche && flaeche->viewport() == eltern)
                break;  // scrolled into view
            const QRect r(w->mapTo(eltern, bereich.topLeft()), bereich.size());
            if (!eltern->rect().contains(r)) {
                Befunde << QStringLiteral("%1 \"%2\" ragt aus %3 (%4,%5 %6x%7 in %8x%9)")
                               .arg(Name(w), text, Name(eltern))
                               .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                               .arg(eltern->width()).arg(eltern->height());
                return;
            }
        }
    }

    void Label(QLabel* l)
    {
        if (l->text().isEmpty() || (l->pixmap().isNull() == false))
            return;
        const QRect platz = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
        QSize noetig;
        const bool reich = l->textFormat() == Qt::RichText ||
                           (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
        if (reich) {
            QTextDocument doc;
            doc.setDefaultFont(l->font());
            doc.setDocumentMargin(0);
            doc.setHtml(l->text());
            if (l->wordWrap())
                doc.setTextWidth(platz.width());
            noetig = QSize(l->wordWrap() ? platz.width() : int(std::ceil(doc.idealWidth())),
                           int(std::ceil(doc.size().height())));
        } else {
            int flags = int(l->alignment());
            if (l->wordWrap())
                flags |= Qt::TextWordWrap;
            flags |= l->buddy() ? Qt::TextShowMnemonic : 0;
            noetig = l->fontMetrics().boundingRect(platz, flags, l->text()).size();
        }
        Vergleichen(l, QStringLiteral("Label"), l->text(), noetig.width(), platz.width());
        Vergleichen(l, QStringLiteral("Label (Höhe)"), l->text(), noetig.height(), platz.height());
        Sichtbar(l, l->text(), QStyle::alignedRect(l->layoutDirection(), l->alignment(),
                                                   noetig.boundedTo(platz.size()), platz));
    }

    static QStyleOptionButton Knopfoption(QAbstractButton* k)
    {
        QStyleOptionButton opt;
        opt.initFrom(k);
        opt.text = k->text();
        opt.icon = k->icon();
        opt.iconSize = k->iconSize();
        return opt;
    }

    // Check boxes and options: the text beside the indicator.
    void Option(QAbstractButton* k, bool rund)
    {
        if (k->text().isEmpty())
            return;
        const QStyleOptionButton opt = Knopfoption(k);
        const QRect inhalt = k->style()->subElementRect(rund ? QStyle::SE_RadioButtonContents
                                                             : QStyle::SE_CheckBoxContents, &opt, k);
        int noetig = k->fontMetrics().size(Qt::TextShowMnemonic, k->text()).width();
        if (!k->icon().isNull())
            noetig += k->iconSize().width() + 4;
        Vergleichen(k, rund ? QStringLiteral("Option") : QStringLiteral("Kontrollkästchen"), k->text(), noetig,
                    inhalt.width());
        Sichtbar(k, k->text(), QRect(inhalt.topLeft(), QSize(std::min(noetig, inhalt.width()), inhalt.height())));
    }

    void Knopf(QPushButton* k)
    {
        if (k->text().isEmpty())
            return;
        QStyleOptionButton opt = Knopfoption(k);
        if (k->autoDefault())
            opt.features |= QStyleOptionButton::AutoDefaultButton;
        if (k->isFlat())
            opt.features |= QStyleOptionButton::Flat;
        const QRect inhalt = k->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, k);
        int noetig = k->fontMetrics().size(Qt::TextShowMnemonic, k->text()).width();
        if (!k->icon().isNull())
            noetig += k->iconSize().width() + 4;
        Vergleichen(k, QStringLiteral("Knopf"), k->text(), noetig, inhalt.width());
        Sichtbar(k, k->text(), k->rect());
    }

    void Werkzeugknopf(QToolButton* k)
    {
        if (k->text().isEmpty() || k->toolButtonStyle() == Qt::ToolButtonIconOnly ||
            k->objectName() == QLatin1String("qt_toolbar_ext_button"))
            return;
        Vergleichen(k, QStringLiteral("Werkzeugknopf"), k->text(), k->sizeHint().width(), k->width());
        Sichtbar(k, k->text(), k->rect());
    }

    void Gruppe(QGroupBox* g)
    {
        if (g->title().isEmpty())
            return;
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.lineWidth = 1;
        opt.midLineWidth = 0;
        opt.textAlignment = g->alignment();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (g->isCheckable())
            opt.subControls |= QStyle::SC_GroupBoxCheckBox;
        if (g->isFlat())
            opt.features |= QStyleOptionFrame::Flat;
        const QRect titel = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        const int noetig = g->fontMetrics().size(Qt::TextShowMnemonic, g->title()).width();
        const QRect sichtbar = titel.intersected(g->rect());
        Vergleichen(g, QStringLiteral("Gruppe"), g->title(), noetig, sichtbar.width());
        Sichtbar(g, g->title(), sichtbar);
    }

    void Kopf(QHeaderView* h)
    {
        if (!h->model())
            return;
        const int rand = h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
        for (int i = 0; i < h->count(); ++i) {
            if (h->isSectionHidden(i) || h->sectionSize(i) == 0)
                continue;
            const QString text = h->model()->headerData(i, h->orientation()).toString();
            if (text.isEmpty())
                continue;
            int noetig = h->fontMetrics().horizontalAdvance(text) + 2 * rand;
            if (h->isSortIndicatorShown())  // a click on any heading moves the arrow there
                noetig += h->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, h) + rand;
            const int hat = h->orientation() == Qt::Horizontal ? h->sectionSize(i) : h->width();
            Vergleichen(h, QStringLiteral("Spaltenkopf"), text, noetig, hat);
        }
    }

    // A toolbar shows every button: none waits behind the overflow arrow.
    void Leiste(QToolBar* b)
    {
        auto* pfeil = b->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        if (!pfeil || !pfeil->isVisibleTo(b))
            return;
        for (QAction* a : b->actions())
            if (!a->isSeparator() && a->isVisible() && !(b->widgetForAction(a) && b->widgetForAction(a)->isVisibleTo(b)))
                Befunde << QStringLiteral("Leiste %1: \"%2\" hinter »").arg(Name(b), a->text());
    }

    void Reiter(QTabBar* r)
    {
        for (QToolButton* k : r->findChildren<QToolButton*>())
            if (k->isVisibleTo(r))
                Befunde << QStringLiteral("Reiter %1: Rollknöpfe, nicht alle Reiter sichtbar").arg(Name(r));
        const int rand = r->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, r);
        for (int i = 0; i < r->count(); ++i)
            Vergleichen(r, QStringLiteral("Reiter"), r->tabText(i),
                        r->fontMetrics().size(Qt::TextShowMnemonic, r->tabText(i)).width() + rand,
                        r->tabRect(i).width());
    }

    QWidget* m_wurzel = nullptr;
    const QWidget* m_auslassen = nullptr;
};

class Beschriftungen : public ::testing::Test {
protected:
    void SetUp() override
    {
        MDIForm1::Schrift_Setzen();
        sim::Einstellungen_Anmelden(*u.Handy);
        sim::Klingel_Anmelden(*u.Handy);
        sim::Telefonbuch_Anmelden(*u.Handy, true);
        sim::Datenobjekte_Anmelden(*u.Handy, true);
        sim::Nachrichten_Anmelden(*u.Handy, true);
        ASSERT_TRUE(u.Starten());
        f = u.Fenster;
    }

    void TearDown() override { QApplication::setFont(m_alteSchrift); }

    void Klicken(const char* schluessel) { emit f->TreeView1->itemClicked(f->Knoten(QLatin1String(schluessel)), 0); }

    // A modal window shown as the tree shows it, checked while it is open.
    QStringList Modal_Pruefen(const char* schluessel)
    {
        QStringList befunde;
        ModalSchliesser schliesser;
        schliesser.BeimSchliessen = [&](QWidget* w) {
            Pruefer p;
            p.Fenster(w);
            befunde << p.Befunde;
        };
        Klicken(schluessel);
        EXPECT_EQ(schliesser.Geschlossen.size(), 1) << schluessel;
        return befunde;
    }

    // A dialog opened from a tool window, shown modeless at its design size.
    template <typename Dialog>
    static QStringList Dialog_Pruefen()
    {
        Dialog d;
        d.show();
        Laufen_Lassen(20);
        Pruefer p;
        p.Fenster(&d);
        return p.Befunde;
    }

    Umgebung u;
    MDIForm1* f = nullptr;

private:
    QFont m_alteSchrift = QApplication::font();
};

const char* const Werkzeugknoten[] = {"Telefonbuch", "Organizer", "SMSlesen", "SMSsenden", "allgemeine",
                                      "bitmapeditor", "bitmap",    "melodie",  "Netze",     "datum",
                                      "sperren",    "umleitungen", "sprache"};

TEST_F(Beschriftungen, MainWindowAndTreeShowTheirWholeTexts)
{
    // At the design size, and at the lowest, where the tree needs its scroll bar.
    for (const int hoehe : {f->height(), Platzierung::Pixel(6900)}) {
        f->resize(f->width(), hoehe);
        Laufen_Lassen(20);
        Pruefer p;
        p.Fenster(f, f->MdiArea);
        p.Knoten(f->TreeView1, true);
        EXPECT_TRUE(p.Befunde.isEmpty()) << f->height() << "\n" << p.Befunde.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(Beschriftungen, EveryToolWindowShowsItsWholeTexts)
{
    for (const char* schluessel : Werkzeugknoten)
        Klicken(schluessel);
    // "sprache" opens the window of the simulated model; the other one is opened by hand.
    f->Kind_Zeigen(Form16::Instanz());
    f->Kind_Zeigen(Form25::Instanz());
    Form17::Instanz()->REICHWEITE();  // the states of the networks in range, with their lamps
    // The phone's entries and appointments, read and sorted; the appointments also as local ones.
    Form1::Instanz()->Buchknopf(1)->trigger();
    Form3* organizer = Form3::Instanz();
    organizer->Toolbar1_ButtonClick(QStringLiteral("refresh"));
    ASSERT_GT(organizer->kal1->topLevelItemCount(), 0);
    for (int i = 0; i < organizer->kal1->topLevelItemCount(); ++i)
        Module1::Zeile_Anfuegen(organizer->Kal2, Module1::Zeile_Lesen(organizer->kal1->topLevelItem(i), true), false);
    Laufen_Lassen(50);
    // Each list sorted once, as a click on a heading does: the arrow may then stand at any heading.
    for (QMdiSubWindow* rahmen : f->MdiArea->subWindowList())
        for (QTreeView* liste : rahmen->widget()->findChildren<QTreeView*>())
            if (liste->header()->sectionsClickable() && liste->model()->rowCount() > 1)
                emit liste->header()->sectionClicked(0);
    Laufen_Lassen(20);
    for (QMdiSubWindow* rahmen : f->MdiArea->subWindowList()) {
        SCOPED_TRACE(rahmen->widget()->objectName().toStdString());
        Pruefer p;
        p.Fenster(rahmen->widget());
        p.Titel(rahmen);
        if (rahmen->widget() == Form17::Instanz())
            p.Knoten(Form17::Instanz()->L1);
        if (rahmen->widget() == organizer) {
            p.Zellen(organizer->kal1);
            p.Zellen(organizer->Kal2);
        }
        if (rahmen->widget() == Form1::Instanz())
            p.Zellen(Form1::Instanz()->TBuch1);
        EXPECT_TRUE(p.Befunde.isEmpty()) << p.Befunde.join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_EQ(f->MdiArea->subWindowList().size(), 14);
}

TEST_F(Beschriftungen, ModalWindowsAndDialogsShowTheirWholeTexts)
{
    QStringList befunde = Modal_Pruefen("Settings") + Modal_Pruefen("about");
    befunde << Dialog_Pruefen<Form4>() << Dialog_Pruefen<Form21>() << Dialog_Pruefen<Form10>()
            << Dialog_Pruefen<Form7>() << Dialog_Pruefen<Form8>() << Dialog_Pruefen<Form26>()
            << Dialog_Pruefen<frmTip>();
    QTreeWidget liste;
    Form11 eintrag(&liste, QStringLiteral("neu"));
    eintrag.show();
    Form27* vorschau = Form27::Instanz();
    vorschau->show();
    Laufen_Lassen(20);
    for (QWidget* w : {static_cast<QWidget*>(&eintrag), static_cast<QWidget*>(vorschau)}) {
        Pruefer p;
        p.Fenster(w);
        befunde << p.Befunde;
    }
    delete vorschau;
    EXPECT_TRUE(befunde.isEmpty()) << befunde.join(QLatin1Char('\n')).toStdString();
}

// The tests run under a system language that is not German, as many desktops do.
TEST_F(Beschriftungen, CalendarsNameMonthsAndDaysInGerman)
{
    Klicken("datum");
    Form10 termin;
    for (QCalendarWidget* k : {Form18::Instanz()->MonthView1, Form18::Instanz()->MonthView2, termin.MonthView1}) {
        SCOPED_TRACE(Name(k).toStdString());
        k->setCurrentPage(2024, 3);
        EXPECT_EQ(k->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"))->text().toStdString(), "März");
        const QAbstractItemModel* tage = k->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"))->model();
        QStringList koepfe;
        for (int spalte = 0; spalte < tage->columnCount(); ++spalte)
            koepfe << tage->index(0, spalte).data().toString();
        EXPECT_TRUE(koepfe.contains(QStringLiteral("Mo.")) && koepfe.contains(QStringLiteral("Sa."))) << koepfe.join(' ').toStdString();
    }
}

TEST_F(Beschriftungen, NoToolWindowHidesAnEdgeInTheMdiArea)
{
    for (const char* schluessel : Werkzeugknoten)
        Klicken(schluessel);
    Laufen_Lassen(50);
    const QSize platz = f->MdiArea->viewport()->size();
    const bool rollt = f->MdiArea->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
                       f->MdiArea->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    // The networks and diversion windows are drawn wider than the MDI area of a main window at
    // its design size: they rely on the area's scroll bars.
    const QStringList breiter{"Form17", "Form20"};
    QStringList ohneRollbalken;
    for (QMdiSubWindow* rahmen : f->MdiArea->subWindowList()) {
        const QString name = rahmen->widget()->objectName();
        const bool passt = rahmen->geometry().right() < platz.width() && rahmen->geometry().bottom() < platz.height();
        if (passt || rollt)
            continue;
        if (breiter.contains(name))
            ohneRollbalken << name;
        else
            ADD_FAILURE() << name.toStdString() << " " << rahmen->width() << "x" << rahmen->height() << " in "
                          << platz.width() << "x" << platz.height();
    }
    if (!ohneRollbalken.isEmpty())
        GTEST_SKIP() << ohneRollbalken.join(QLatin1String(", ")).toStdString()
                     << " brauchen die Rollbalken des MDI-Bereichs";
}

}  // namespace

