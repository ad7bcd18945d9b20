// Shared main of the test programs: a QApplication on the offscreen platform, a store and a
// program folder of their own, so that no test touches the user's files; German as the program
// sets it at its start, and its guard on pasting. Started with "--aufgabe", it is a second
// instance for a test.
#include "common/Dialoge.h"
#include "common/Einfuegen.h"
#include "support/Zweitprozess.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir ordner;
    qputenv("ORX_PROGRAMMORDNER", (ordner.path() + QStringLiteral("/programm")).toLocal8Bit());
    qputenv("ORX_EINSTELLUNGEN", (ordner.path() + QStringLiteral("/ORX2000.ini")).toLocal8Bit());
    QApplication app(argc, argv);
    Gebietsschema_Setzen();
    Einfuegen_Absichern();
    if (const std::optional<int> ergebnis = Aufgabe_Ausfuehren(app.arguments()))
        return *ergebnis;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
