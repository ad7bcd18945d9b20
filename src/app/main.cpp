#include "app/MDIForm1.h"
#include "app/frmSplash.h"
#include "common/Dialoge.h"
#include "link/Module1.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Qt_Deutsch_Laden();
    // The windows are laid out in twips for an 8-point dialog font; larger fonts cut captions.
    QFont schrift = QApplication::font();
    schrift.setPointSize(8);
    QApplication::setFont(schrift);
    Module1::Link().Argumente = app.arguments().mid(1);
    frmSplash::Starten();
    const int ergebnis = app.exec();
    delete MDIForm1::Instanz();
    return ergebnis;
}
