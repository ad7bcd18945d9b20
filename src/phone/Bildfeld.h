#pragma once
#include <QLabel>

// A picture that can be clicked, as the language pictures are.
class Bildfeld : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void Geklickt();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
