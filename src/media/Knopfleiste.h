#pragma once
#include <QWidget>

class QAction;
class QGridLayout;

// A toolbar whose buttons wrap into rows of a fixed number of columns, for the narrow tool
// column of the logo editor. Its buttons are actions named by their keys, like a toolbar's.
class Knopfleiste : public QWidget {
    Q_OBJECT
public:
    explicit Knopfleiste(QWidget* eltern = nullptr, int spalten = 3);
    void Spalten_Setzen(int spalten) { m_spalten = spalten; }
    // Adds a button for the action (parented to the bar).
    void Knopf_Hinzufuegen(QAction* aktion);

signals:
    void actionTriggered(QAction* aktion);

private:
    QGridLayout* m_raster;
    int m_spalten;
    int m_anzahl = 0;
};

// A small picture for a button of the picture windows, by the button's key.
QIcon Medien_Symbol(const QString& schluessel);
