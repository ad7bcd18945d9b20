#pragma once
#include "common/Einstellungen.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Files of the program folder as the tests make and read them, byte for byte.
inline QString Programmdatei(const QString& name) { return QDir(Programmordner()).filePath(name); }

// The file's bytes; empty when it cannot be read.
inline QByteArray Datei_Lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the bytes, making the folder first.
inline void Datei_Anlegen(const QString& pfad, const QByteArray& inhalt)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly))
        f.write(inhalt);
}
