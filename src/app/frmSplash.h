#pragma once
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QTimer;

namespace Ui {
class frmSplash;
}

// The start-up window: shows the build, waits nine ticks of 100 ms, shows the tip of
// the day when "TippdesTages" is 1, loads the main window and closes itself.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash();
    ~frmSplash() override;
    // Creates the splash and shows it; it deletes itself when it closes.
    static frmSplash* Starten();

    // The steps of the ninth tick, replaceable by tests: the tip of the day (modal, by default
    // frmTip::Modal_Zeigen) and the main window's creation and Load.
    static std::function<void()> Tipp_Zeigen;
    static std::function<void()> Hauptfenster_Laden;

    QLabel* lblVersion = nullptr;  // "Build <n>"
    QTimer* Timer1 = nullptr;
    int Ticks = 0;

private:
    void Timer1_Timer();

    std::unique_ptr<Ui::frmSplash> ui;
};
