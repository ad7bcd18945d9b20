#pragma once
#include <QDialog>
#include <memory>

class QPushButton;

namespace Ui {
class Form21;
}

// The modal target chooser "Ziel auswählen" of a drop onto the phone list. Its answer is
// ZielAuswahl (phonebook/Kopieren.h): a target button gives " 0" ... " 3", Abbrechen "".
class Form21 : public QDialog {
    Q_OBJECT
public:
    explicit Form21(QWidget* parent = nullptr);
    ~Form21() override;

    // Shows the chooser modally; it is gone when this returns.
    static void Modal_Zeigen();

    // Target button 0 ... 3 (SIM, phone, fixed, own numbers), and Abbrechen.
    void Command1_Click(int index);
    void Command2_Click();

    QPushButton* Command1[4] = {};
    QPushButton* Command2 = nullptr;

public slots:
    // Escape and the close box count as Abbrechen, so that no earlier answer is taken again.
    void reject() override;

private:
    std::unique_ptr<Ui::Form21> ui;
};
