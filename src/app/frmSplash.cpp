#include "app/frmSplash.h"

#include "app/MDIForm1.h"
#include "app/frmTip.h"
#include "common/Buildnummer.h"
#include "common/Einstellungen.h"
#include "ui_frmSplash.h"

#include <QTimer>

std::function<void()> frmSplash::Tipp_Zeigen = [] { frmTip::Modal_Zeigen(); };

std::function<void()> frmSplash::Hauptfenster_Laden = [] {
    auto* hauptfenster = new MDIForm1();
    hauptfenster->Laden();
};

frmSplash::frmSplash() : ui(std::make_unique<Ui::frmSplash>())
{
    ui->setupUi(this);
    lblVersion = ui->lblVersion;
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    lblVersion->setText(QStringLiteral("Build ") + Buildnummer());
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

frmSplash::~frmSplash() = default;

frmSplash* frmSplash::Starten()
{
    auto* splash = new frmSplash();
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return splash;
}

void frmSplash::Timer1_Timer()
{
    if (++Ticks <= 8)
        return;
    Timer1->stop();
    // A value that is no number counts as "no tip".
    bool zahl = false;
    const int tipp = Einstellungen::Lesen(QStringLiteral("Options"), QStringLiteral("TippdesTages"), QStringLiteral("1"))
                         .trimmed()
                         .toInt(&zahl);
    if (zahl && tipp == 1 && Tipp_Zeigen)
        Tipp_Zeigen();
    if (Hauptfenster_Laden)
        Hauptfenster_Laden();
    close();
}
