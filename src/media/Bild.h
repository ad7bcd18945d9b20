#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

// A picture as the picture boxes hold it. A picture read from a BMP file keeps that file's
// bytes, so that saving it again (and so uploading it) sends the phone exactly what it gave.
struct Bilddaten {
    QImage Pixel;      // null: no picture
    QByteArray Datei;  // the BMP file it came from, else empty

    bool Leer() const { return Pixel.isNull(); }
};

// Reads a BMP, JPEG or GIF file; nothing when it is missing or no picture.
std::optional<Bilddaten> Bild_Laden(const QString& pfad);
// Writes the picture as a BMP file: the bytes it was read from, else our own BMP writer's at
// depth `tiefe` (0: black-and-white pictures 1 bit, others 8). The old file stays when it fails;
// false for an empty picture.
bool Bild_Speichern(const Bilddaten& bild, const QString& pfad, int tiefe = 0);
