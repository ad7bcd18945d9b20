// Tip of the day and the info window.
#include "app/Form23.h"
#include "app/frmTip.h"
#include "common/Buildnummer.h"
#include "common/Einstellungen.h"
#include "common/Module4.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Tipp : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(Einstellungen::Datei()); }

    QString Datei(const QByteArray& inhalt)
    {
        const QString pfad = ordner.filePath("TIPOFDAY.TXT");
        QFile f(pfad);
        f.open(QIODevice::WriteOnly);
        f.write(inhalt);
        return pfad;
    }

    QTemporaryDir ordner;
};

TEST_F(Tipp, ThreeTipsWithCrLfAreAllDrawn)
{
    frmTip t(Datei("Eins\r\nZwei\r\nDrei\r\n"));
    t.Zufall_Setzen(7);
    EXPECT_EQ(t.windowTitle(), "Tips und Tricks");
    EXPECT_EQ(t.Tips, QStringList({"Eins", "Zwei", "Drei"}));
    QSet<QString> gesehen;
    for (int i = 0; i < 200; ++i) {
        ASSERT_GE(t.CurrentTip, 1);
        ASSERT_LE(t.CurrentTip, 3);
        ASSERT_EQ(t.lblTipText->text(), t.Tips[t.CurrentTip - 1]);
        gesehen.insert(t.lblTipText->text());
        t.cmdNextTip->click();
    }
    EXPECT_EQ(gesehen.size(), 3);
}

TEST_F(Tipp, EmptyLinesAreTipsAndOtherLineEndsRead)
{
    EXPECT_EQ(frmTip(Datei("a\r\n\r\nb\r\n")).Tips, QStringList({"a", "", "b"}));
    EXPECT_EQ(frmTip(Datei("a\nb")).Tips, QStringList({"a", "b"}));
    EXPECT_EQ(frmTip(Datei("a\rb\r")).Tips, QStringList({"a", "b"}));
    EXPECT_EQ(frmTip(Datei("Gr\xfc\xdf" "e\r\n")).Tips, QStringList({"Grüße"}));  // ISO 8859-1
}

TEST_F(Tipp, EmptyFileShowsNothingMissingFileShowsTheNotice)
{
    frmTip leer(Datei(""));
    EXPECT_TRUE(leer.Tips.isEmpty());
    EXPECT_EQ(leer.lblTipText->text(), "");
    leer.cmdNextTip->click();
    EXPECT_EQ(leer.lblTipText->text(), "");

    const QString hinweis = QStringLiteral(
        "Die Datei TIPOFDAY.TXT wurde nicht gefunden? \r\n\r\nTextdatei mit dem Namen TIPOFDAY.TXT unter "
        "Verwendung von NotePad mit 1 Tip pro Zeile erstellen. Dann im selben Verzeichnis wie die Anwendung "
        "ablegen. ");
    frmTip fehlt(ordner.filePath("gibtesnicht.txt"));
    EXPECT_EQ(fehlt.lblTipText->text(), hinweis);
    fehlt.cmdNextTip->click();
    EXPECT_EQ(fehlt.lblTipText->text(), hinweis);
    EXPECT_FALSE(fehlt.LoadTips(""));
    EXPECT_FALSE(fehlt.LoadTips(ordner.path()));  // a folder is no tips file
}

TEST_F(Tipp, CheckBoxStoresTheStartOption)
{
    frmTip t(Datei("a\r\n"));
    EXPECT_TRUE(t.chkLoadTipsAtStartup->isChecked());
    t.chkLoadTipsAtStartup->click();
    EXPECT_EQ(Einstellungen::Lesen("Options", "TippdesTages"), "0");
    t.chkLoadTipsAtStartup->click();
    EXPECT_EQ(Einstellungen::Lesen("Options", "TippdesTages"), "1");
}

TEST_F(Tipp, FileInTheProgramFolderComesFirstElseTheShippedTips)
{
    const QString eigene = QDir(Programmordner()).filePath("TIPOFDAY.TXT");
    QFile::remove(eigene);
    const QString mitgeliefert = frmTip::Tippdatei();
    frmTip t(mitgeliefert);
    EXPECT_GE(t.Tips.size(), 10);
    for (const QString& tipp : t.Tips) {
        EXPECT_FALSE(tipp.trimmed().isEmpty());
        EXPECT_FALSE(tipp.contains('\r'));
        EXPECT_FALSE(tipp.contains(QChar(0xFFFD)));
    }
    EXPECT_TRUE(t.Tips.join("").contains("ä"));

    QFile f(eigene);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Mein Tip\r\n");
    f.close();
    EXPECT_EQ(frmTip::Tippdatei(), eigene);
    EXPECT_EQ(frmTip().Tips, QStringList({"Mein Tip"}));
    QFile::remove(eigene);
}

class Info : public ::testing::Test {
protected:
    void TearDown() override
    {
        Module4::Shell = nullptr;
        if (Form23::Geladen())
            delete Form23::Instanz();
    }
};

TEST_F(Info, VersionCaptionAndTexts)
{
    EXPECT_EQ(Form23::Versionstext("157"), " Version 2000, Build: 157");
    Form23* f = Form23::Instanz();
    EXPECT_EQ(f, Form23::Instanz());
    EXPECT_EQ(f->windowTitle(), "ORX 2000");
    EXPECT_EQ(f->lblTitle->text(), "TALKforge PRO");
    EXPECT_EQ(f->lblVersion->text(), Form23::Versionstext(Buildnummer()));
    EXPECT_FALSE(f->Text1->toPlainText().isEmpty());
}

TEST_F(Info, LinkOpensTheWebPageThroughTheShell)
{
    std::vector<Module4::Shellaufruf> aufrufe;
    Module4::Shell = [&](const Module4::Shellaufruf& a) {
        aufrufe.push_back(a);
        return Module4::Shell_KeineZuordnung;  // no browser: nothing is shown
    };
    Form23* f = Form23::Instanz();
    emit f->lblDisclaimer->linkActivated(Form23::Webadresse);
    ASSERT_EQ(aufrufe.size(), 1u);
    EXPECT_EQ(aufrufe[0].Datei, Form23::Webadresse);
    EXPECT_EQ(aufrufe[0].Verb, "open");
    EXPECT_EQ(aufrufe[0].Zeigen, 1);
    EXPECT_TRUE(Module4::LetzterFehler.Gesetzt);
}

TEST_F(Info, OkClosesTheMdiChildAndUnloads)
{
    QMdiArea rahmen;
    QMdiSubWindow* kind = rahmen.addSubWindow(Form23::Instanz());
    rahmen.show();
    kind->show();
    Form23::Instanz()->cmdOK->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Form23::Geladen());
    EXPECT_TRUE(rahmen.subWindowList().isEmpty());

    Form23* allein = Form23::Instanz();
    allein->show();
    allein->cmdOK->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Form23::Geladen());
}

}  // namespace
