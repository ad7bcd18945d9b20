#include "common/Wahlliste.h"

void Wahlliste::keyPressEvent(QKeyEvent* event)
{
    const QList<QListWidgetItem*> vorher = selectedItems();
    QListWidget::keyPressEvent(event);
    if (selectedItems() != vorher)
        emit Gewaehlt();
}

// A click is one choice from press to release, however the pointer moves between.
void Wahlliste::mousePressEvent(QMouseEvent* event)
{
    m_vorDemDruck = selectedItems();
    QListWidget::mousePressEvent(event);
}

void Wahlliste::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (selectedItems() != m_vorDemDruck)
        emit Gewaehlt();
}
