#pragma once
#include "common/Werkzeugfenster.h"
#include "phone/Uhrzeit.h"

#include <QDateTime>
#include <QWidget>
#include <memory>
#include <optional>

class QCalendarWidget;
class QFrame;
class QLabel;
class QPushButton;
class QTimeEdit;
class QTimer;

namespace Ui {
class Form18;
}

// The window "Datum & Uhrzeit": the phone's clock beside the PC's, read and set either way,
// and the PC's date and time changed by hand. The PC's clock is reached through Systemuhr.
class Form18 : public Werkzeugfenster {
    Q_OBJECT
public:
    static Form18* Instanz();  // created on first use; its load reads the phone's clock
    static bool Geladen();
    ~Form18() override;

    void Command13_Click();  // "&lesen"
    void Command14_Click();  // "&setzen"
    void Command1_Click();   // "&PC mit Handy synchronisieren"
    void Command2_Click();   // "&Handy mit PC synchronisieren"
    void Timer1_Timer();
    // The phone's fields hold a time the phone reported (or one the user entered since).
    bool Handyfelder_Gefuellt() const { return m_handyfelderGefuellt; }
    void DTPicker2_GotFocus();
    void DTPicker2_LostFocus();
    void MonthView2_GotFocus();
    void MonthView2_LostFocus();

    QLabel* Label44 = nullptr;  // "Handy:"
    QCalendarWidget* MonthView1 = nullptr;  // the phone's date
    QTimeEdit* DTPicker1 = nullptr;         // the phone's time
    QPushButton* Command13 = nullptr;
    QPushButton* Command14 = nullptr;
    QLabel* Label5 = nullptr;  // "PC:"
    QCalendarWidget* MonthView2 = nullptr;  // the PC's date
    QTimeEdit* DTPicker2 = nullptr;         // the PC's time
    QLabel* Label21[2] = {};                // "Uhrzeit:"
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label22 = nullptr;
    QFrame* Line1 = nullptr;
    QTimer* Timer1 = nullptr;  // shows the PC's clock every second

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* event) override;

private:
    Form18();
    void Form_Load();
    bool Uhr_Lesen();
    void Uhr_Schreiben(const QDate& datum, const QTime& zeit);
    // The phone's fields show the phone's clock as last read or written, or stay empty.
    void Handyuhr_Zeigen();
    void Handyfelder_Fuellen(const QDate& datum, const QTime& zeit);
    void Fokus_Gewechselt(QWidget* alt, QWidget* neu);
    // Runs the leave handlers of the PC controls that are still due.
    void Verlassen_Abarbeiten();
    // Shows the PC's date and time in the PC fields and returns them.
    QDateTime PC_Uhr_Zeigen();
    void Fehler_Melden_PC();
    void Jahr_Melden();

    std::unique_ptr<Ui::Form18> ui;
    bool m_zeitVerlassen = false;  // DTPicker2 lost the focus, its question is due
    bool m_datumVerlassen = false;
    bool m_geschlossen = false;
    std::optional<Module1::Handyuhr> m_handyuhr;  // what the phone last reported or accepted
    bool m_handyfelderGefuellt = true;
};
