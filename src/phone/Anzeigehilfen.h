#pragma once
#include <QIcon>
#include <QPixmap>
#include <QString>

// What the settings windows show beside text: the main window's bars after an operation, and
// the pictures they draw themselves (there are no picture files).
namespace Module1 {

// ProgressBar4 back to 0, its maximum kept.
void Fortschritt_Nullen();
// The time-out meter (ProgressBar3) back to 0.
void Zeitmeter_Nullen();

// Battery picture 0 (empty) .. 4 (full), 46 x 46.
QPixmap Akkubild_Malen(int stufe);
// Signal picture 0 (no measurement) .. 5 (full), 46 x 46.
QPixmap Pegelbild_Malen(int stufe);
// A flag of three stripes for a language picture; `senkrecht` stripes side by side.
QPixmap Flagge_Malen(const QColor& a, const QColor& b, const QColor& c, bool senkrecht);
// A round lamp of one colour, for states in lists and rows.
QIcon Lampe_Malen(const QColor& farbe);

}  // namespace Module1
