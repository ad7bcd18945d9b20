#include "app/Form23.h"

#include "common/Buildnummer.h"
#include "common/Einzelfenster.h"
#include "common/Module4.h"
#include "ui_Form23.h"

#include <QPointer>
#include <QStyle>

namespace {

const QString Bedingungen = QStringLiteral(
    "ORX 2000 darf kostenlos benutzt und unverändert weitergegeben werden.\n\n"
    "Das Programm wird ohne jede Gewähr geliefert. Für Schäden an Handy, SIM-Karte oder PC und für "
    "verlorene Daten (Telefonbucheinträge, Nachrichten, Termine) wird keine Haftung übernommen. "
    "Sichern Sie Ihre Daten, bevor Sie Einträge im Handy schreiben oder löschen.\n\n"
    "Das Programm steht in keiner Verbindung zum Hersteller Ihres Handys. Alle genannten Marken "
    "gehören ihren Inhabern.");

}  // namespace

const QString Form23::Webadresse = QStringLiteral("https://orx2000.example.org/");

Form23::Form23(QWidget* eltern) : QDialog(eltern)
{
    Ui::Form23 ui;
    ui.setupUi(this);
    Image1 = ui.Image1;
    lblTitle = ui.lblTitle;
    lblDescription = ui.lblDescription;
    Text1 = ui.Text1;
    lblVersion = ui.lblVersion;
    lblDisclaimer = ui.lblDisclaimer;
    cmdOK = ui.cmdOK;
    Line1 = ui.Line1;
    Line2 = ui.Line2;
    setAttribute(Qt::WA_DeleteOnClose);

    Image1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    Text1->setPlainText(Bedingungen);
    lblVersion->setText(Versionstext(Buildnummer()));
    lblDisclaimer->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(Webadresse));
    lblDisclaimer->setOpenExternalLinks(false);  // the link goes through Datei_Ausfuehren
    connect(lblDisclaimer, &QLabel::linkActivated, this, &Form23::lblDisclaimer_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

Form23::~Form23() = default;

Form23* Form23::Instanz() { return Einzelfenster_Holen<Form23>([] { return new Form23(); }); }

void Form23::Modal_Zeigen(QWidget* eltern)
{
    QPointer<Form23>& info = Einzelfenster<Form23>();
    delete info.data();  // one at a time, and this one over the window that asks
    info = new Form23(eltern);
    info->exec();  // deletes it as it closes
}

bool Form23::Geladen() { return !Einzelfenster<Form23>().isNull(); }

QString Form23::Versionstext(const QString& build) { return QStringLiteral(" Version 2000, Build: ") + build; }

void Form23::lblDisclaimer_Click()
{
    // Whether the browser started is of no concern here.
    Module4::Datei_Ausfuehren(Webadresse, 10, QString(), QString(), QStringLiteral("open"), this);
}
