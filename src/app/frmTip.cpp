#include "app/frmTip.h"

#include "common/Einstellungen.h"
#include "common/Textdatei.h"
#include "ui_frmTip.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace {

const QString Dateiname = QStringLiteral("TIPOFDAY.TXT");

}  // namespace

// The tips built into the program; the resource lives in the static core library.
static void Ressource_Laden() { Q_INIT_RESOURCE(frmTip); }

frmTip::frmTip(const QString& datei, QWidget* parent) : QDialog(parent)
{
    Ui::frmTip ui;
    ui.setupUi(this);
    Picture1 = ui.Picture1;
    Label1 = ui.Label1;
    lblTipText = ui.lblTipText;
    chkLoadTipsAtStartup = ui.chkLoadTipsAtStartup;
    cmdNextTip = ui.cmdNextTip;
    cmdOK = ui.cmdOK;
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));

    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, [](bool an) {
        Einstellungen::Speichern(QStringLiteral("Options"), QStringLiteral("TippdesTages"),
                                 an ? QStringLiteral("1") : QStringLiteral("0"));
    });
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::Tipp_Wechseln);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    // The window is only shown while tips are on.
    chkLoadTipsAtStartup->setChecked(true);
    m_zufall.seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    if (!LoadTips(datei))
        lblTipText->setText(Hinweis_Fehlt());
}

frmTip::~frmTip() = default;

void frmTip::Modal_Zeigen()
{
    frmTip tipp;
    tipp.exec();
}

QString frmTip::Tippdatei()
{
    const QString imOrdner = QDir(Programmordner()).filePath(Dateiname);
    if (QFileInfo::exists(imOrdner))
        return imOrdner;
    const QString beimProgramm = QDir(QCoreApplication::applicationDirPath()).filePath(Dateiname);
    if (QFileInfo::exists(beimProgramm))
        return beimProgramm;
    Ressource_Laden();
    return QStringLiteral(":/tipps/") + Dateiname;
}

QString frmTip::Hinweis_Fehlt()
{
    return QStringLiteral("Die Datei ") + Dateiname + QStringLiteral(" wurde nicht gefunden? ") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("Textdatei mit dem Namen ") + Dateiname +
           QStringLiteral(" unter Verwendung von NotePad mit 1 Tip pro Zeile erstellen. ") +
           QStringLiteral("Dann im selben Verzeichnis wie die Anwendung ablegen. ");
}

bool frmTip::LoadTips(const QString& datei)
{
    if (datei.isEmpty() || !QFileInfo(datei).isFile())
        return false;
    const auto zeilen = Textdatei::Lesen(datei);
    if (!zeilen)
        return false;
    Tips += *zeilen;
    Tipp_Wechseln();
    return true;
}

void frmTip::DisplayCurrentTip()
{
    if (!Tips.isEmpty() && CurrentTip >= 1 && CurrentTip <= Tips.size())
        lblTipText->setText(Tips.at(CurrentTip - 1));
}

void frmTip::Tipp_Wechseln()
{
    CurrentTip = Tips.isEmpty() ? 1 : static_cast<int>(m_zufall.bounded(static_cast<quint32>(Tips.size()))) + 1;
    DisplayCurrentTip();
}
