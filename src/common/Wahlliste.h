#pragma once
#include <QListWidget>

// A list whose choice does something at once (writes to the phone, say). Gewaehlt comes once per
// change the user makes, after the list has finished the key or the click: a choice handled
// earlier would see the list select its row again afterwards, which would be a second choice.
// Setting the row by code reports nothing.
class Wahlliste : public QListWidget {
    Q_OBJECT
public:
    explicit Wahlliste(QWidget* eltern = nullptr) : QListWidget(eltern) {}

signals:
    void Gewaehlt();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QList<QListWidgetItem*> m_vorDemDruck;  // the selection when the mouse went down
};
