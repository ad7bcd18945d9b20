#include "app/MDIForm1.h"
#include "app/frmSplash.h"
#include "common/Dialoge.h"
#include "common/Einfuegen.h"
#include "link/Module1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Qt_Deutsch_Laden();
    Gebietsschema_Setzen();
    Einfuegen_Absichern();
    MDIForm1::Schrift_Setzen();
    Module1::Link().Argumente = app.arguments().mid(1);
    frmSplash::Starten();
    const int ergebnis = app.exec();
    delete MDIForm1::Instanz();
    return ergebnis;
}
