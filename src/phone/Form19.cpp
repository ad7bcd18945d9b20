#include "phone/Form19.h"

#include "ui_Form19.h"

#include "common/Dialoge.h"
#include "common/Platzierung.h"
#include "common/Zeichen.h"
#include "link/Module1.h"
#include "phone/Anzeigehilfen.h"
#include "phone/Sperren.h"

#include <QAction>
#include <QCloseEvent>
#include <QPointer>
#include <QStyle>

using namespace Module1;

namespace {

const Platzierung::Schluessel Platz{QStringLiteral("Sperren"), 0, 0, -1, -1, false};

}  // namespace

Form19::Form19() : Werkzeugfenster(Platz), ui(std::make_unique<Ui::Form19>())
{
    ui->setupUi(this);
    ImageList1 = {QIcon(), Lampe_Malen(QColor(0, 170, 0)), Lampe_Malen(QColor(210, 0, 0))};
    for (int i = 0; i < 12; ++i) {
        Label1[i] = findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i));
        Image1[i] = findChild<QLabel*>(QStringLiteral("Image1_%1").arg(i));
        Toolbar1[i] = findChild<QToolBar*>(QStringLiteral("Toolbar1_%1").arg(i));
        // The row's buttons are named by their tooltips; the bar tells which barring they set.
        Toolbar1[i]->setAccessibleName(Label1[i]->text());
        auto knopf = [&](const char* schluessel, const char* tipp, QStyle::StandardPixmap bild) {
            QAction* a = Toolbar1[i]->addAction(style()->standardIcon(bild), QString());
            a->setObjectName(QLatin1String(schluessel));
            a->setToolTip(QString::fromUtf8(tipp));
        };
        if (Sperrzeilen.at(i).Abfragbar)
            knopf("refresh", "Aktualisieren", QStyle::SP_BrowserReload);
        knopf("an", "Sperre setzen", QStyle::SP_DialogApplyButton);
        knopf("aus", "Sperre aufheben", QStyle::SP_DialogCancelButton);
        connect(Toolbar1[i], &QToolBar::actionTriggered, this, [this, i](QAction* a) { Toolbar1_ButtonClick(i, a); });
    }
    Toolbar1[1]->setToolTip(QStringLiteral("Status prüfen"));
    Platzieren();
}

Form19::~Form19() = default;

Form19* Form19::Instanz() { return Einzelfenster_Holen<Form19>([] { return new Form19(); }); }

bool Form19::Geladen() { return !Einzelfenster<Form19>().isNull(); }

void Form19::Toolbar1_ButtonClick(int index, QAction* button)
{
    Aktion aktion;
    if (index < 0 || index >= 12)
        return;
    const QString schluessel = button->objectName();
    if (schluessel == QLatin1String("refresh"))
        Abfragen(index);
    else if (schluessel == QLatin1String("an"))
        Setzen(index);
    else if (schluessel == QLatin1String("aus"))
        Aufheben(index);
}

void Form19::Bild_Setzen(int zeile, int bild)
{
    Bild[zeile] = bild;
    Image1[zeile]->setPixmap(ImageList1.at(bild).pixmap(16, 16));
}

void Form19::Abfragen(int zeile)
{
    Status_Setzen(QStringLiteral("Prüfe Status (") + QString::fromUtf8(Sperrzeilen.at(zeile).Beschriftung) +
                  QStringLiteral(")..."));
    Link().Text2.clear();
    if (!Befehl_Senden(CLCK_Befehl_Bilden(zeile, Sperraktion::Abfragen, QString()), true))
        return;
    Bild_Setzen(zeile, CLCK_Aktiv_Lesen(Link().Text2) ? 2 : 1);
    Status_Setzen(QStringLiteral("Fertig."));
}

std::optional<QString> Form19::Passwort_Holen(int zeile)
{
    QString passwort;
    if (zeile > 0) {
        const std::optional<QString> eingabe = Dialoge::Aktuell().Eingabe(
            QStringLiteral("Bitte Passwort angegeben!"), QStringLiteral("Passwort notwendig"), QString());
        if (!eingabe || eingabe->isEmpty())
            return std::nullopt;
        passwort = *eingabe;
    }
    if (!Ziffern_Pruefen(passwort)) {
        MsgBox(QStringLiteral("Das Passwort darf nur aus Ziffern (0-9) bestehen!"), Dialoge::Symbol::Kritisch);
        return std::nullopt;
    }
    return passwort;
}

void Form19::Setzen(int zeile)
{
    const std::optional<QString> passwort = Passwort_Holen(zeile);
    if (!passwort)
        return;
    Status_Setzen(QStringLiteral("Setze Sperre..."));
    if (!Befehl_Senden(CLCK_Befehl_Bilden(zeile, Sperraktion::Setzen, *passwort), true)) {
        // The phone refused the lock: the PIN state is asked as always, but the icon keeps
        // what it knew, since the lock was not set. A phone that did not answer is not asked.
        if (!Ausser_Takt())
            Befehl_Senden(QStringLiteral("AT+CPIN?"), true);
        return;
    }
    Bild_Setzen(zeile, 2);
    Status_Setzen(QStringLiteral("Fertig."));
}

void Form19::Aufheben(int zeile)
{
    const std::optional<QString> passwort = Passwort_Holen(zeile);
    if (!passwort)
        return;
    Status_Setzen(QStringLiteral("Lösche Sperre..."));
    if (!Befehl_Senden(CLCK_Befehl_Bilden(zeile, Sperraktion::Aufheben, *passwort), true))
        return;
    Bild_Setzen(zeile, 1);
    // The phone clears a group's barrings with it.
    for (int mitglied : Gruppenzeilen(zeile))
        Bild_Setzen(mitglied, 1);
    Status_Setzen(QStringLiteral("Fertig."));
}
