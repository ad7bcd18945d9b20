#pragma once
#include <QDialog>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Ui {
class Form4;
}

// The modal entry dialog "Neuer Eintrag" / "Eintrag ändern" for the books 1 to 4. It reads the
// record EintragEingabe when it loads and writes it back on a save; it never talks to the phone.
class Form4 : public QDialog {
    Q_OBJECT
public:
    // Loads the dialog from the record (the load step runs here, before it is shown).
    explicit Form4(QWidget* parent = nullptr);
    ~Form4() override;

    // Loads and shows the dialog modally; it is gone when this returns.
    static void Modal_Zeigen();

    // Applies the name and number limits of the selected book.
    void checklaengen();
    // The handlers, callable without a shown dialog.
    void Option_Click(int buch);
    void Command1_Click();
    void Command2_Click();
    // The book of the selected option, 0 when none is selected.
    int Gewaehltes_Buch() const;

    QLabel* Label4 = nullptr;
    QLineEdit* Text4 = nullptr;  // index
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;  // name
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;  // number
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QCheckBox* Check1 = nullptr;  // the mark "!"
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

public slots:
    // Abbrechen, Escape and the close box all cancel.
    void reject() override;

private:
    void Form_Load();
    QRadioButton* Option(int buch) const;

    std::unique_ptr<Ui::Form4> ui;
    bool m_laden = false;  // while the load selects the book no index is proposed
};
