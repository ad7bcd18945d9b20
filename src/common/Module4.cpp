#include "common/Module4.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <QWidget>

namespace Module4 {

Shellfehler LetzterFehler;
std::function<int(const Shellaufruf&)> Shell;

Shellaufruf Aufruf_Planen(const QString& datei, int zeigen, const QString& parameter, const QString& ordner,
                          const QString& verb)
{
    if (datei.toUpper().contains(QLatin1String(".EXE")))
        zeigen = 0;
    if (!parameter.isEmpty() || !ordner.isEmpty())
        return {verb, datei, parameter, ordner, zeigen};
    // Without parameters and folder the document always opens in a normal window.
    return {verb, datei, QString(), QString(), 1};
}

bool Ergebnis_Abbilden(int ergebnis, Shellfehler* fehler)
{
    if (ergebnis < 0 || ergebnis > 32)
        return true;
    constexpr int Standard = -2147220456;
    int nummer = Standard + ergebnis;
    QString text;
    switch (ergebnis) {
    case 0:
    case 8: nummer = 7; text = QStringLiteral("Out of memory"); break;
    case 2: nummer = 53; text = QStringLiteral("File not found"); break;
    case 3: nummer = 76; text = QStringLiteral("Path not found"); break;
    case 5: nummer = 75; text = QStringLiteral("Path/file access error"); break;
    case 11: text = QStringLiteral("The executable file is invalid or corrupt"); break;
    case 26: nummer = 75; text = QStringLiteral("A sharing violation occurred."); break;
    case 27: text = QStringLiteral("This file type does not have a valid file association."); break;
    case 28:
        nummer = 286;
        text = QStringLiteral("The file could not be opened due to time out. Please try again in a moment.");
        break;
    case 29:
        nummer = 285;
        text = QStringLiteral(
            "The file could not be opened because the DDE transaction failed. Please try again in a moment.");
        break;
    case 30:
        nummer = 285;
        text = QStringLiteral(
            "The file could not be opened because the target application is busy. Please try again in a moment.");
        break;
    case 31: text = QStringLiteral("No application is associated with this file type."); break;
    case 32: nummer = 48; text = QStringLiteral("The specified dynamic-link library was not found."); break;
    default: text = QStringLiteral("An error occurred occurred whilst trying to open or print the selected file."); break;
    }
    if (fehler) {
        fehler->Gesetzt = true;
        fehler->Nummer = nummer;
        fehler->Quelle = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                         QStringLiteral(".GShell");
        fehler->Beschreibung = text;
    }
    return false;
}

namespace {

bool Ist_Adresse(const QString& datei, QUrl* url)
{
    if (datei.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        *url = QUrl::fromUserInput(datei);
        return true;
    }
    const QUrl u(datei, QUrl::StrictMode);
    // A one-letter "scheme" would be a drive letter; "file:" names a local path.
    if (!u.isValid() || u.scheme().size() < 2 || u.scheme() == QLatin1String("file"))
        return false;
    *url = u;
    return true;
}

}  // namespace

int Shell_Ausfuehren(const Shellaufruf& aufruf)
{
    // This desktop knows one verb: open.
    if (!aufruf.Verb.isEmpty() && aufruf.Verb.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
        return Shell_KeineZuordnung;
    if (aufruf.Datei.isEmpty())
        return Shell_DateiFehlt;

    QUrl url;
    if (Ist_Adresse(aufruf.Datei, &url))
        return QDesktopServices::openUrl(url) ? Shell_Erfolg : Shell_KeineZuordnung;

    QString pfad = aufruf.Datei;
    if (pfad.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        pfad = QUrl(pfad).toLocalFile();
    if (QDir::isRelativePath(pfad) && !aufruf.Ordner.isEmpty())
        pfad = QDir(aufruf.Ordner).filePath(pfad);
    const QFileInfo info(pfad);
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? Shell_DateiFehlt : Shell_PfadFehlt;
    if (!aufruf.Ordner.isEmpty() && !QFileInfo(aufruf.Ordner).isDir())
        return Shell_PfadFehlt;

    if (info.isFile() && info.isExecutable()) {
        const QString ordner = aufruf.Ordner.isEmpty() ? info.absolutePath() : aufruf.Ordner;
        return QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(aufruf.Parameter), ordner)
                   ? Shell_Erfolg
                   : Shell_KeineZuordnung;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? Shell_Erfolg
                                                                                    : Shell_KeineZuordnung;
}

bool Datei_Ausfuehren(const QString& datei, int zeigen, const QString& parameter, const QString& ordner,
                      const QString& verb, QWidget* besitzer)
{
    Q_UNUSED(besitzer);  // the desktop places the started program itself
    LetzterFehler = Shellfehler();
    const Shellaufruf aufruf = Aufruf_Planen(datei, zeigen, parameter, ordner, verb);
    const int ergebnis = Shell ? Shell(aufruf) : Shell_Ausfuehren(aufruf);
    return Ergebnis_Abbilden(ergebnis, &LetzterFehler);
}

void Fenster_ObenHalten(QWidget* fenster)
{
    if (!fenster || fenster->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    // Changing the flags hides the window and may move it: put it back as it was.
    const QRect geometrie = fenster->geometry();
    const bool sichtbar = fenster->isVisible();
    fenster->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    fenster->setGeometry(geometrie);
    if (sichtbar)
        fenster->show();
}

}  // namespace Module4
