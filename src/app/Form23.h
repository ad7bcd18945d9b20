#pragma once
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

// The info window: product, version and build, terms of use and a link to the web page. A
// dialog, so that Enter and Escape close it and screen readers announce it as one.
class Form23 : public QDialog {
    Q_OBJECT
public:
    // Shows it modally, centred over `eltern`, until "OK", Enter, Escape or the close box
    // unloads it.
    static void Modal_Zeigen(QWidget* eltern);
    // Created on first use (without a parent); closing it unloads it.
    static Form23* Instanz();
    static bool Geladen();
    ~Form23() override;

    // " Version 2000, Build: " and the build number.
    static QString Versionstext(const QString& build);
    // The web page the link label opens.
    static const QString Webadresse;

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblDescription = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;

private:
    explicit Form23(QWidget* eltern = nullptr);
    void lblDisclaimer_Click();
};
