#pragma once
#include "link/LinkAnzeige.h"
#include "link/PortKanal.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class MDIForm1;
}

// The program's one MDI frame: the navigation tree on the left, the
// time-out meter, the progress bar and the busy lamp along the bottom, the status bar, and the
// serial control MSComm1. It is what the command exchange shows its work on.
class MDIForm1 : public QMainWindow, public LinkAnzeige {
    Q_OBJECT
public:
    // Creates the window (not shown) and installs MSComm1 and itself into the exchange.
    MDIForm1();
    ~MDIForm1() override;
    static MDIForm1* Instanz();  // nullptr until the window exists
    // The program's font, set once before any window is made: the twips layout of every window
    // is made for an 8-point dialog font.
    static void Schrift_Setzen();

    // The Load: placement, caption, show, settings, tree, port, time-out, book names, the hidden
    // settings window. False when start-up took the failure path (the program is ending).
    bool Laden();

    // How the program ends (start-up failure, shut-down); by default QCoreApplication::exit(0).
    static std::function<void()> Programm_Beenden;

    // The serial control: all phone traffic runs through it.
    SerialPortKanal MSComm1;

    // The controls of MDIForm1.ui, by their names.
    QWidget* Picture4 = nullptr;       // left panel
    QTreeWidget* TreeView1 = nullptr;  // the navigation tree
    QPushButton* Command1 = nullptr;   // hidden; opens Form9 modally
    QMdiArea* MdiArea = nullptr;       // where the tool windows live
    QWidget* Picture2 = nullptr;       // bottom panel
    QLabel* Label1 = nullptr;          // "Timeout:"
    QProgressBar* ProgressBar3 = nullptr;  // the time-out meter
    QLabel* Label2 = nullptr;          // "Fortschritt:"
    QProgressBar* ProgressBar4 = nullptr;  // progress of long transfers; its users set maximum and value
    QFrame* Picture1 = nullptr;        // the busy lamp: green while the link is free, red while a wait runs
    QStatusBar* StatusBar1 = nullptr;

    // The reply buffer and the communication log of the exchange.
    QString& Text1();
    QString& Text2();

    // Status panel 1 to 4 of StatusBar1 (object names "Panel1" ... "Panel4").
    QLabel* Panel(int nummer) const;

    // Shows a tool window modeless as an MDI child: wrapped in a sub-window the first time,
    // brought to the front and activated after. Every tool window is shown through here.
    void Kind_Zeigen(QWidget* fenster);

    void SMSSPONTAN();
    void SPRACHEWAEHLEN();
    void Einstellungen_Zeigen();

    // the click on a node (connected to TreeView1's itemClicked).
    void TreeView1_NodeClick(QTreeWidgetItem* knoten);
    // The node of a key, nullptr when there is none.
    QTreeWidgetItem* Knoten(const QString& schluessel) const;
    // Roles of a node's data: its key and its image index into ImageList1 (0: none).
    static constexpr int SchluesselRolle = Qt::UserRole;
    static constexpr int BildRolle = Qt::UserRole + 1;
    // The images of TreeView1, index 1 ... 27 (element 0 unused).
    QList<QIcon> ImageList1;

    // LinkAnzeige
    void Lampe_Setzen(bool rot) override;
    void Meter_Maximum_Setzen(int maximum) override;
    void Meter_Setzen(int wert) override;
    void Panel_Setzen(int panel, const QString& text) override;
    void Sperren(bool gesperrt) override;
    void Log_Geaendert(const QString& log) override;
    void Fortschritt_Setzen(int wert, int maximum) override;

protected:
    bool eventFilter(QObject* objekt, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Baum_Aufbauen();
    void Baumfeld_Bemessen();
    void Startfehler();
    void Info_Zeigen();

    std::unique_ptr<Ui::MDIForm1> ui;
    std::unique_ptr<QPushButton> m_command1;
    QLabel* m_panels[4] = {};
    QPointer<QMdiSubWindow> m_gesperrtesKind;
    QPointer<QWidget> m_fokus;  // where the keyboard was when a command began
};
