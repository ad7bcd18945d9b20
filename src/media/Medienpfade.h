#pragma once
#include <QString>

// The folder a file dialog starts in from a stored setting: the folder of a stored file name,
// the stored folder itself, or the program folder when nothing usable is stored.
QString Startordner(const QString& gespeichert);
