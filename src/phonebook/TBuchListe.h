#pragma once
#include <QTreeWidget>

// A list of the phone-book window whose drags and drops the window handles itself. Qt decides
// when a drag starts (a press on a row, then a move past the drag distance), so that a press on
// one of several selected rows keeps them all selected; the window then runs the drag. Only
// drags of these lists are accepted, and a drop only reports itself.
class TBuchListe : public QTreeWidget {
    Q_OBJECT
public:
    explicit TBuchListe(QWidget* parent = nullptr);

    // What a drag of the lists carries: the object name of the list it came from.
    static const QString ZiehFormat;

signals:
    // The mouse moved far enough to drag, with these buttons down.
    void Ziehen_Beginnt(Qt::MouseButtons knoepfe);
    void Abgelegt();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions aktionen) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Qt::MouseButtons m_knoepfe;
};
