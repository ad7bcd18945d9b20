#pragma once
#include <QDialog>
#include <QRandomGenerator>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

// "Tips und Tricks": one tip of the day, drawn at random from "TIPOFDAY.TXT".
class frmTip : public QDialog {
    Q_OBJECT
public:
    // Loads the window with the tips of `datei` (by default the file Tippdatei finds).
    explicit frmTip(const QString& datei = Tippdatei(), QWidget* parent = nullptr);
    ~frmTip() override;

    // Shows the window modally; it is unloaded when it closes.
    static void Modal_Zeigen();
    // The tips file: in the program folder, else beside the executable, else the one built in.
    static QString Tippdatei();
    // What the window shows in place of a tip when the file is missing.
    static QString Hinweis_Fehlt();

    bool LoadTips(const QString& datei);
    void DisplayCurrentTip();
    // Makes the draws repeatable.
    void Zufall_Setzen(quint32 keim) { m_zufall.seed(keim); }

    QStringList Tips;
    int CurrentTip = 0;  // 1-based; 0 while no tip was drawn

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblTipText = nullptr;
    QCheckBox* chkLoadTipsAtStartup = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    void Tipp_Wechseln();

    QRandomGenerator m_zufall;
};
