#include "common/Datei.h"

#include <QSaveFile>

bool Datei_Sichern(const QString& pfad, const QByteArray& daten)
{
    QSaveFile f(pfad);
    if (pfad.isEmpty() || !f.open(QIODevice::WriteOnly))
        return false;
    // Small writes only fill Qt's buffer: a full disk shows first in the flush, and commit()
    // would still put the short file in place of the old one.
    if (f.write(daten) != daten.size() || !f.flush()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}
