#pragma once
#include <QDialog>
#include <QStringList>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace Ui {
class Form8;
}

// The modal dialog "SMS-Texte": the text templates of "smsready.sms", one per grid row. Every
// change reaches the file at once; the take-over replaces the text of the composing window.
class Form8 : public QDialog {
    Q_OBJECT
public:
    explicit Form8(QWidget* parent = nullptr);
    ~Form8() override;

    static void Modal_Zeigen();

    static QString Vorlagen_Datei();
    static constexpr int Hoechstlaenge = 159;  // in septets, as the composing window counts

    // Writes the grid to the file; the current row stays where it was.
    void listespeichern();

    QTableWidget* MSFlexGrid1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;         // "<n> von 159 Zeichen übrig"
    QPushButton* Command1 = nullptr;  // add
    QPushButton* Command2 = nullptr;  // delete
    QPushButton* Command3 = nullptr;  // change
    QPushButton* Command4 = nullptr;  // take over
    QPushButton* Command5 = nullptr;  // cancel

    void Text1_Change();
    void MSFlexGrid1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // The current row, -1 when the grid has none.
    int Aktuelle_Zeile() const;

private:
    void Zeile_Anfuegen(const QString& text);
    void Zeile_Setzen(int zeile);

    std::unique_ptr<Ui::Form8> ui;
};
