#pragma once
#include <QByteArray>
#include <QImage>
#include <optional>

// Our own BMP reader and writer. Every picture byte that goes to the phone comes from here or
// unchanged from a file: the phone reads the palette order and header fields we write, which a
// general-purpose encoder is free to change.
//
// The writer writes uncompressed bottom-up BMPs with a 40-byte info header, rows padded to
// four bytes, no resolution and no colour counts:
//   depth 1: palette black, white; a set bit is white (pixels of grey 128 and up are white);
//   depth 8: 256 palette entries, the picture's colours in ascending 0xRRGGBB order, the rest
//            zero; a picture of more than 256 colours is reduced first.

// 1 when the picture holds nothing but pure black and white, else 8.
int Bmp_Tiefe(const QImage& bild);
// The BMP file of the picture at depth 1 or 8 (0: Bmp_Tiefe); empty for a null picture.
QByteArray Bmp_Schreiben(const QImage& bild, int tiefe = 0);
// Reads an uncompressed BMP of 1, 4, 8, 24 or 32 bits in either row order into an RGB32 image;
// nothing when the bytes are no such file (compressed ones included).
std::optional<QImage> Bmp_Lesen(const QByteArray& daten);
// False for a BMP file whose pixel data is shorter than its headers announce (or whose headers
// are cut off): its missing rows would be undefined. True for any other file, BMP or not.
bool Bmp_Vollstaendig(const QByteArray& daten);
