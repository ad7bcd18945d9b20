#pragma once
#include <QTreeWidget>
#include <functional>

// A report list of appointments whose rows can be dragged onto the organizer's other list. A
// drag carries the name of the list it began in; a drop is offered to `Ablage_Erlaubt` with
// that name and, when taken, reported by `Abgelegt`. Rows never move inside a list.
class Terminliste : public QTreeWidget {
    Q_OBJECT
public:
    explicit Terminliste(QWidget* parent = nullptr);

    static const QString Format;  // the MIME type of a drag of appointment rows

    // Decides whether a drag that began in the list of that name may be dropped here.
    std::function<bool(const QString& quelle)> Ablage_Erlaubt;

signals:
    void Ziehen_Beginnt();
    void Ziehen_Endet();
    void Abgelegt(const QString& quelle);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    Qt::DropActions supportedDropActions() const override;
    void startDrag(Qt::DropActions aktionen) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool Annehmbar(const QMimeData* daten, QString* quelle = nullptr) const;
};
