#pragma once
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

// The info window: product, version and build, terms of use and a link to the web page.
class Form23 : public QWidget {
    Q_OBJECT
public:
    // Created on first use; "OK" or the close box unloads it.
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
    Form23();
    void lblDisclaimer_Click();
    void cmdOK_Click();
};
