// Opening documents: the call planned for the shell, the mapping of its results, and topmost windows.
#include "common/Module4.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace Module4;

namespace {

TEST(Dokumente, ShowCommandPlanning)
{
    Shellaufruf a = Aufruf_Planen("http://x.invalid", 10, "", "", "open");
    EXPECT_EQ(a.Zeigen, 1);
    EXPECT_EQ(a.Parameter, "");
    EXPECT_EQ(a.Verb, "open");

    a = Aufruf_Planen("/opt/Tool.Exe", 1, "-a", "", "open");
    EXPECT_EQ(a.Zeigen, 0);
    EXPECT_EQ(a.Parameter, "-a");
    EXPECT_EQ(Aufruf_Planen("/opt/Tool.Exe", 3, "", "", "open").Zeigen, 1);

    a = Aufruf_Planen("/home/u/a.exe.d/doc.txt", 1, "", "/home/u", "open");
    EXPECT_EQ(a.Zeigen, 0);
    EXPECT_EQ(a.Ordner, "/home/u");
    EXPECT_EQ(Aufruf_Planen("/home/u/doc.txt", 3, "", "/home/u", "print").Zeigen, 3);
}

TEST(Dokumente, ShellResultMapping)
{
    const QString quelle = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".GShell";
    struct Fall {
        int ergebnis;
        int nummer;
        const char* text;
    };
    const Fall faelle[] = {
        {0, 7, "Out of memory"},
        {8, 7, "Out of memory"},
        {2, 53, "File not found"},
        {3, 76, "Path not found"},
        {5, 75, "Path/file access error"},
        {11, -2147220445, "The executable file is invalid or corrupt"},
        {26, 75, "A sharing violation occurred."},
        {27, -2147220429, "This file type does not have a valid file association."},
        {28, 286, "The file could not be opened due to time out. Please try again in a moment."},
        {29, 285, "The file could not be opened because the DDE transaction failed. Please try again in a moment."},
        {30, 285, "The file could not be opened because the target application is busy. Please try again in a moment."},
        {31, -2147220425, "No application is associated with this file type."},
        {32, 48, "The specified dynamic-link library was not found."},
        {1, -2147220455, "An error occurred occurred whilst trying to open or print the selected file."},
        {25, -2147220431, "An error occurred occurred whilst trying to open or print the selected file."},
    };
    for (const Fall& f : faelle) {
        Shellfehler fehler;
        EXPECT_FALSE(Ergebnis_Abbilden(f.ergebnis, &fehler)) << f.ergebnis;
        EXPECT_TRUE(fehler.Gesetzt);
        EXPECT_EQ(fehler.Nummer, f.nummer) << f.ergebnis;
        EXPECT_EQ(fehler.Beschreibung, f.text) << f.ergebnis;
        EXPECT_EQ(fehler.Quelle, quelle);
    }
    for (int erfolg : {33, 42, -5}) {
        Shellfehler fehler;
        EXPECT_TRUE(Ergebnis_Abbilden(erfolg, &fehler)) << erfolg;
        EXPECT_FALSE(fehler.Gesetzt);
    }
}

TEST(Dokumente, DateiAusfuehrenHandsThePlanToTheShellAndKeepsTheError)
{
    std::vector<Shellaufruf> aufrufe;
    int antwort = Shell_DateiFehlt;
    Shell = [&](const Shellaufruf& a) {
        aufrufe.push_back(a);
        return antwort;
    };
    EXPECT_FALSE(Datei_Ausfuehren("/opt/x.EXE", 1, "-v", "/opt", "open", nullptr));
    ASSERT_EQ(aufrufe.size(), 1u);
    EXPECT_EQ(aufrufe[0].Datei, "/opt/x.EXE");
    EXPECT_EQ(aufrufe[0].Zeigen, 0);
    EXPECT_EQ(aufrufe[0].Parameter, "-v");
    EXPECT_EQ(aufrufe[0].Ordner, "/opt");
    EXPECT_EQ(LetzterFehler.Nummer, 53);

    antwort = Shell_Erfolg;
    EXPECT_TRUE(Datei_Ausfuehren("http://x.invalid", 10, "", "", "open", nullptr));
    EXPECT_EQ(aufrufe.back().Zeigen, 1);
    EXPECT_FALSE(LetzterFehler.Gesetzt);  // a success leaves no old error behind
    Shell = nullptr;
}

TEST(Dokumente, DesktopCallReportsMissingFilesFoldersAndVerbs)
{
    QTemporaryDir ordner;
    const auto Aufruf = [](const QString& datei, const QString& parameter, const QString& ort, const QString& verb) {
        return Shell_Ausfuehren(Shellaufruf{verb, datei, parameter, ort, 1});
    };
    EXPECT_EQ(Aufruf(ordner.filePath("fehlt.txt"), "", "", "open"), Shell_DateiFehlt);
    EXPECT_EQ(Aufruf(ordner.filePath("nichtda/fehlt.txt"), "", "", "open"), Shell_PfadFehlt);
    EXPECT_EQ(Aufruf("fehlt.txt", "", ordner.path(), "open"), Shell_DateiFehlt);
    EXPECT_EQ(Aufruf("", "", "", "open"), Shell_DateiFehlt);
    EXPECT_EQ(Aufruf("/bin/true", "-a", ordner.filePath("nichtda"), "open"), Shell_PfadFehlt);
    EXPECT_EQ(Aufruf("/bin/true", "", "", "print"), Shell_KeineZuordnung);
    EXPECT_EQ(Aufruf("/bin/true", "-a \"b c\"", ordner.path(), "open"), Shell_Erfolg);
    EXPECT_EQ(Aufruf("/bin/true", "", "", ""), Shell_Erfolg);  // no verb: open
}

TEST(Dokumente, WindowStaysOnTopWhereItWas)
{
    QWidget w;
    w.setGeometry(120, 140, 300, 200);
    w.show();
    const QRect vorher = w.geometry();
    Fenster_ObenHalten(&w);
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), vorher);

    QWidget versteckt;
    Fenster_ObenHalten(&versteckt);
    EXPECT_TRUE(versteckt.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(versteckt.isVisible());
    Fenster_ObenHalten(nullptr);
}

}  // namespace
