#include "media/Bild.h"

#include "common/Datei.h"
#include "media/Bmp.h"

#include <QFile>

std::optional<Bilddaten> Bild_Laden(const QString& pfad)
{
    QFile f(pfad);
    if (pfad.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray daten = f.readAll();
    // The general reader would make up the missing rows of a cut-short file.
    if (!Bmp_Vollstaendig(daten))
        return std::nullopt;
    if (std::optional<QImage> bmp = Bmp_Lesen(daten))
        return Bilddaten{*bmp, daten};
    const QImage bild = QImage::fromData(daten);
    if (bild.isNull())
        return std::nullopt;
    // A BMP that only the general reader understands (compressed) is drawn, not passed on.
    return Bilddaten{bild.convertToFormat(QImage::Format_RGB32), QByteArray()};
}

bool Bild_Speichern(const Bilddaten& bild, const QString& pfad, int tiefe)
{
    if (bild.Leer())
        return false;
    return Datei_Sichern(pfad, bild.Datei.isEmpty() ? Bmp_Schreiben(bild.Pixel, tiefe) : bild.Datei);
}
