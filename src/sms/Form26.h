#pragma once
#include "sms/Bildzeichen.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPushButton;

namespace Ui {
class Form26;
}

// The modal dialog "SMS-Bild auswählen": 25 picture buttons; a click puts the picture's token
// into the composing window's text at its cursor and closes the dialog.
class Form26 : public QDialog {
    Q_OBJECT
public:
    explicit Form26(QWidget* parent = nullptr);
    ~Form26() override;

    static void Modal_Zeigen();

    QPushButton* Command1[Module1::Bildzeichen_Anzahl] = {};  // "Command1_0" ... "Command1_24"
    QLabel* Label1 = nullptr;

    void Command1_Click(int index);

private:
    std::unique_ptr<Ui::Form26> ui;
};
