#pragma once
#include <QList>
#include <QStringList>
#include <functional>

class QTreeWidget;

// A local list (the local phone book, the local appointments) lives only in memory until the
// user saves it to a file. This remembers its rows as last loaded or saved, so that whatever is
// about to discard the list can ask first when they changed.
class Listenstand {
public:
    // The list's rows now are those of its file (just loaded or saved).
    void Merken(const QTreeWidget* liste);
    // A row was added, changed or removed since, down to the last one. The order does not
    // count (a sort changes nothing).
    bool Geaendert(const QTreeWidget* liste) const;
    // Before the list is discarded: with changes, brings the list's window to the front and
    // asks whether to save them. "Ja" runs `sichern`
    // (true once the file is written), "Nein" lets the list go, "Abbrechen" keeps it; a save
    // that was cancelled or failed keeps it too. True when the list may be discarded.
    bool Verwerfen_Erlaubt(QTreeWidget* liste, const std::function<bool()>& sichern) const;

private:
    QList<QStringList> m_zeilen;  // sorted
};
