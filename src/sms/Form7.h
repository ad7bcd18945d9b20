#pragma once
#include <QDialog>
#include <memory>
#include <optional>

class QListWidget;
class QPushButton;

namespace Ui {
class Form7;
}

// The modal dialog "SMS-Servicecenter": edits the service-centre list, which reaches the file
// only with OK, and tells the choice through SMSCenterWahl.
class Form7 : public QDialog {
    Q_OBJECT
public:
    explicit Form7(QWidget* parent = nullptr);
    ~Form7() override;

    // Shows the dialog modally; true when it was closed with OK.
    static bool Modal_Zeigen();

    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;  // new entry
    QPushButton* Command2 = nullptr;  // delete entry
    QPushButton* Command3 = nullptr;  // change entry (also a double click on the list)
    QPushButton* Command4 = nullptr;  // OK

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    // Asks until the number is acceptable; nothing on cancel or an empty input. With a memory,
    // every ask offers the input before it and the memory keeps the last one; without, every
    // ask offers `vorgabe`.
    std::optional<QString> Nummer_Erfragen(const QString& prompt, const QString& titel, const QString& vorgabe,
                                           QString* gedaechtnis);

    std::unique_ptr<Ui::Form7> ui;
    QString m_letzteEingabe;  // the last input of "new entry" while the dialog is open
};
