#pragma once
#include "common/Werkzeugfenster.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

class Bildbox;
class Dateiliste;
class Laufwerkliste;
class Ordnerliste;
class QAction;
class QGroupBox;
class QPushButton;
class QScrollBar;
class QToolBar;

namespace Ui {
class Form14;
}

// The pictures window "Grafiken": the phone's logo in Picture2, its way to and from the phone
// and to the logo editor, picture files of a folder with eight thumbnails to take over, and
// saving the logo as a file. Every transfer goes through "temp.bmp" in the program folder.
class Form14 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form14* Instanz();  // created (and loaded) on first use
    static bool Geladen();
    ~Form14() override;

    QToolBar* Toolbar1 = nullptr;
    QGroupBox* Frame1 = nullptr;  // "Handy-Bitmap"
    QGroupBox* Frame2 = nullptr;  // "Pfad"
    QGroupBox* Frame3 = nullptr;  // "Vorschau (Klicken zum Übernehmen)"
    Bildbox* Picture2 = nullptr;  // the logo
    Laufwerkliste* Drive1 = nullptr;
    Ordnerliste* Dir1 = nullptr;
    Dateiliste* File1 = nullptr;
    QPushButton* Command22 = nullptr;
    std::array<Bildbox*, 8> Picture3{};  // thumbnails, two columns, row by row
    QScrollBar* VScroll4 = nullptr;      // number of the file in thumbnail 0

    // A button of Toolbar1 by its key.
    QAction* Knopf(const QString& schluessel) const;

    // Uploads the logo; the editor window calls it after putting its picture into Picture2.
    void schreiben();
    // Downloads the logo into "temp.bmp" and Picture2.
    void Auslesen();
    void Bitmap_Auslesen() { Auslesen(); }
    // Hands the logo to the logo editor.
    void Bearbeiten();
    // Saves the logo as a BMP file the user chooses.
    void Speichern();
    // Reads the picture folder and fills the thumbnails from the first file on.
    void Vorschau();

    // Handlers.
    void Toolbar1_ButtonClick(const QString& schluessel);  // exact keys; others do nothing
    void Drive1_Change();
    void Dir1_Change();
    void Command22_Click();
    void Picture3_Click(int index);
    void VScroll4_Change();

    // The picture folder of the last Vorschau, with a trailing separator.
    QString Bildordner() const { return m_bildordner; }
    // "temp.bmp" in the program folder.
    static QString Temp_Bmp();
    // The entries that get a thumbnail: those ending in ".bmp" or ".jpg" without regard to case.
    static QStringList Vorschaudateien(const QStringList& eintraege);
    // Which of them the eight thumbnails show at scroll position p (1 = the first): "" for none.
    static std::array<QString, 8> Vorschau_Belegung(const QStringList& dateien, int position);

private:
    Form14();
    void Form_Load();
    void Vorschau_Fuellen(int position);

    std::unique_ptr<Ui::Form14> ui;
    QString m_bildordner;
};
