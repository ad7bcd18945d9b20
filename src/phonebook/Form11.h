#pragma once
#include <QDialog>
#include <functional>
#include <QPersistentModelIndex>
#include <QPointer>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class Form11;
}

// The local entry dialog "Neuer Eintrag (lokal)". It writes its result straight into the local
// list: a new row (opened modally), or the row it was opened for (opened modeless for a change,
// so the list stays usable; the row it writes is that row, wherever the selection went).
class Form11 : public QDialog {
    Q_OBJECT
public:
    // Appends a new row to the local list: name, number, marker.
    using Anfuegen = std::function<void(const QString&, const QString&, const QString&)>;

    // `modus` is "neu" or "aendern"; `anfuegen` takes the row of a new entry.
    Form11(QTreeWidget* liste, const QString& modus, Anfuegen anfuegen = {}, QWidget* parent = nullptr);
    ~Form11() override;

    // New entry: shows the dialog modally. While a change dialog is open it only comes to the front.
    static void Neu_Zeigen(QTreeWidget* liste, Anfuegen anfuegen);
    // Change the selected row: shows the dialog modeless, filled from that row, owned by
    // `besitzer` (the list's window when none). Nothing happens on an empty list or without a
    // selected row.
    static void Aendern_Zeigen(QTreeWidget* liste, QWidget* besitzer = nullptr);
    // The dialog while it is open.
    static Form11* Offen();

    // Binds the dialog to a row and fills the fields from it.
    void Zeile_Binden(QTreeWidgetItem* zeile);
    // The row the dialog writes into; nullptr when it is gone.
    QTreeWidgetItem* Gebundene_Zeile() const;

    void Command1_Click();
    void Command2_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;  // name
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;  // number
    QCheckBox* Check1 = nullptr;  // the mark "!"
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    std::unique_ptr<Ui::Form11> ui;
    QPointer<QTreeWidget> m_liste;
    QString m_modus;
    Anfuegen m_anfuegen;
    QPersistentModelIndex m_zeile;
};
