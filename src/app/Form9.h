#pragma once
#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

// The program-settings window "Einstellungen". Every control acts at once: it stores its key
// and updates the option the program reads; a port or speed choice reopens the port.
class Form9 : public QDialog {
    Q_OBJECT
public:
    // Loads the window (hidden) on first use; its load runs then.
    static Form9* Instanz();
    static bool Geladen();
    // Shows it modally; it is unloaded when it closes.
    static void Modal_Zeigen();
    ~Form9() override;

    void TelefontypS25_Setzen();
    void Telefontyp7110_Setzen();

    QTabWidget* Register1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 9> Option1{};  // ports, indices 1 to 8
    std::array<QRadioButton*, 6> Option2{};  // speeds, indices 0 to 5
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label28 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label29 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label30 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check6 = nullptr;  // "&Rückfragen vor Löschaktionen"
    QLabel* Label56 = nullptr;
    QCheckBox* Check7 = nullptr;
    QLabel* Label55 = nullptr;
    QCheckBox* Check8 = nullptr;
    QLabel* Label57 = nullptr;
    QCheckBox* Check10 = nullptr;
    QLabel* Label62 = nullptr;
    QPushButton* Command33 = nullptr;
    QCheckBox* Check13 = nullptr;
    QCheckBox* Check12 = nullptr;
    QLabel* Label76 = nullptr;    // the log file of read messages
    QPushButton* Command56 = nullptr;
    QLabel* Label58 = nullptr;
    QLabel* Label60 = nullptr;
    QPushButton* Command29 = nullptr;
    QPushButton* Command1 = nullptr;  // "&OK"

    // The tags of the speed options.
    static const std::array<const char*, 6> Geschwindigkeiten;

protected:
    void done(int ergebnis) override;

private:
    Form9();
    void Form_Load();
    void Check_Verbinden(QCheckBox* box, const QString& schluessel, bool* variable);
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Port_Oeffnen();
    void HScroll1_Change(int wert);
    void Datei_Waehlen(QLabel* label, const QString& schluessel, QString* variable, bool speichern,
                       const QString& vorgabe);
    void Panel4_Setzen();

    bool m_laden = false;           // the port and speed options ignore clicks while set
    bool m_portGeaendert = false;   // the status bar must show the new port when closing
};
