#pragma once
#include "media/Bild.h"

#include <QFrame>

// A picture box: draws its picture at the picture's own size from the top left corner, never
// scaled, so a larger picture shows only its top left part. Reports clicks.
class Bildbox : public QFrame {
    Q_OBJECT
public:
    explicit Bildbox(QWidget* eltern = nullptr);

    const Bilddaten& Picture() const { return m_bild; }
    void Picture_Setzen(const Bilddaten& bild);
    void Picture_Leeren() { Picture_Setzen(Bilddaten()); }
    // The size of the picture area inside the frame, in pixels.
    void Innengroesse_Setzen(const QSize& groesse);

signals:
    void Klick();
    void Doppelklick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Bilddaten m_bild;
};
