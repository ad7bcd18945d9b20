#pragma once
#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

// The drive, folder and file lists of the picture and melody windows.

// A file in a folder; a folder that already ends with a separator (the root) gets no second one.
QString Pfad_Verbinden(const QString& ordner, const QString& name);

// The drives: the root, the home folder and the mounted media. Choosing one reports Change;
// setting it by code does not, so a restored folder is not moved to its drive's top.
class Laufwerkliste : public QComboBox {
    Q_OBJECT
public:
    explicit Laufwerkliste(QWidget* eltern = nullptr);
    QString Drive() const;
    // Selects the drive that holds the folder (the longest matching root).
    void Drive_Setzen(const QString& pfad);

signals:
    void Change();
};

// A folder list: the folders from the root down to the current one, then its subfolders.
// Opening an entry (double click, Enter) makes it the current folder.
class Ordnerliste : public QListWidget {
    Q_OBJECT
public:
    explicit Ordnerliste(QWidget* eltern = nullptr);
    QString Path() const { return m_pfad; }
    // False (and nothing changes) for a folder that does not exist; Change when it differs.
    bool Path_Setzen(const QString& pfad);

signals:
    void Change();

private:
    void Fuellen();
    QString m_pfad;
};

// The files of a folder that match the pattern ("*.bmp;*.jpg"), without regard to case, sorted
// by name as the old file lists did.
class Dateiliste : public QListWidget {
    Q_OBJECT
public:
    explicit Dateiliste(QWidget* eltern = nullptr);
    QString Path() const { return m_pfad; }
    void Path_Setzen(const QString& pfad);
    void Pattern_Setzen(const QString& muster);
    void Refresh();
    // The selected entry's name, "" when none is selected.
    QString FileName() const;
    QStringList Eintraege() const;

private:
    QString m_pfad;
    QStringList m_muster;
};
