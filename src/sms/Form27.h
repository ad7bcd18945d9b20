#pragma once
#include <QWidget>
#include <memory>

class QPlainTextEdit;
class QPushButton;

namespace Ui {
class Form27;
}

// The preview "Vorschau": a copy of the message text in a fixed-pitch font, above all other
// windows. Created hidden by the first change of the text; only the composing window writes it.
class Form27 : public QWidget {
    Q_OBJECT
public:
    static Form27* Instanz();  // created (hidden) on first use
    static bool Geladen();
    ~Form27() override;

    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;  // "&Schliessen"

private:
    Form27();
    std::unique_ptr<Ui::Form27> ui;
};
