#pragma once
#include <QWidget>
#include <memory>

namespace Ui {
class Form2;
}

// Debug window holding a copy of the communication log; loaded hidden by the first copy,
// never shown by the program.
class Form2 : public QWidget {
    Q_OBJECT
public:
    static Form2* Instanz();  // created hidden on first use
    static bool Geladen();
    ~Form2() override;

    void Log_Setzen(const QString& log);
    QString Text1() const;

private:
    Form2();
    std::unique_ptr<Ui::Form2> ui;
};
