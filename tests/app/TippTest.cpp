// Tip of the day and the info window.
#include "app/Form23.h"
#include "app/frmTip.h"
#include "common/Buildnummer.h"
#include "common/Einstellungen.h"
#include "common/Module4.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
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

// Shows the info window over `haupt` and, once it is up, presses `taste` in it (0: clicks
// "OK"); false when that left it open.
bool Info_Schliesst(QWidget& haupt, int taste)
{
    int gesehen = 0;
    bool offen = false;
    QTimer uhr;
    uhr.setInterval(0);
    QObject::connect(&uhr, &QTimer::timeout, [&] {
        auto* d = qobject_cast<Form23*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible())
            return;
        if (gesehen++ > 0) {
            offen = true;
            d->close();
            return;
        }
        EXPECT_EQ(d->parentWidget(), &haupt);
        const QPoint abstand = d->geometry().center() - haupt.geometry().center();
        EXPECT_LE(abstand.manhattanLength(), 2) << abstand.x() << "," << abstand.y();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(d)->role(), QAccessible::Dialog);
        if (taste == 0) {
            d->cmdOK->click();
            return;
        }
        QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier);
        QCoreApplication::sendEvent(d->focusWidget() ? d->focusWidget() : d, &druck);
    });
    uhr.start();
    Form23::Modal_Zeigen(&haupt);
    EXPECT_EQ(gesehen, 1);
    EXPECT_FALSE(Form23::Geladen());
    return !offen;
}

TEST_F(Info, AModalDialogOverTheMainWindowThatOkEnterAndEscapeClose)
{
    QWidget haupt;
    haupt.setGeometry(60, 40, 737, 568);
    haupt.show();
    EXPECT_TRUE(Info_Schliesst(haupt, 0));
    EXPECT_TRUE(Info_Schliesst(haupt, Qt::Key_Return));
    EXPECT_TRUE(Info_Schliesst(haupt, Qt::Key_Escape));
}

}  // namespace
