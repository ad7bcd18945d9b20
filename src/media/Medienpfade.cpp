#include "media/Medienpfade.h"

#include "common/Einstellungen.h"

#include <QFileInfo>

QString Startordner(const QString& gespeichert)
{
    if (gespeichert.isEmpty())
        return Programmordner();
    const QFileInfo info(gespeichert);
    if (info.isDir())
        return info.absoluteFilePath();
    const QFileInfo ordner(info.absolutePath());
    return ordner.isDir() ? ordner.absoluteFilePath() : Programmordner();
}
