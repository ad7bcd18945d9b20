#include "media/BildEditor.h"

#include "common/Datei.h"
#include "media/Bild.h"
#include "media/Bmp.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace {

bool Innen(const QImage& bild, const QPoint& p) { return bild.rect().contains(p); }

// The rectangle with both points as corners, in whichever order they came.
QRect Rechteck(const QPoint& a, const QPoint& b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

void Fleck(QImage& bild, const QPoint& p, QRgb farbe, int breite)
{
    const int a = breite / 2;
    const QRect r = QRect(p.x() - a, p.y() - a, breite, breite) & bild.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            bild.setPixel(x, y, farbe);
}

// Bresenham: every pixel of the line gets a spot of the pen's width.
void Strich(QImage& bild, QPoint a, const QPoint& b, QRgb farbe, int breite)
{
    const int dx = std::abs(b.x() - a.x()), sx = a.x() < b.x() ? 1 : -1;
    const int dy = -std::abs(b.y() - a.y()), sy = a.y() < b.y() ? 1 : -1;
    int fehler = dx + dy;
    for (;;) {
        Fleck(bild, a, farbe, breite);
        if (a == b)
            break;
        const int f2 = 2 * fehler;
        if (f2 >= dy) {
            fehler += dy;
            a.rx() += sx;
        }
        if (f2 <= dx) {
            fehler += dx;
            a.ry() += sy;
        }
    }
}

void Flaeche_Fuellen(QImage& bild, const QPoint& start, QRgb farbe)
{
    if (!Innen(bild, start))
        return;
    const QRgb alt = bild.pixel(start);
    if (alt == farbe)
        return;
    std::vector<QPoint> offen{start};
    while (!offen.empty()) {
        const QPoint p = offen.back();
        offen.pop_back();
        if (!Innen(bild, p) || bild.pixel(p) != alt)
            continue;
        bild.setPixel(p, farbe);
        offen.push_back(p + QPoint(1, 0));
        offen.push_back(p + QPoint(-1, 0));
        offen.push_back(p + QPoint(0, 1));
        offen.push_back(p + QPoint(0, -1));
    }
}

QImage Weisses_Bild(const QSize& groesse)
{
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(BildEditor::Rgb(BildEditor::Weiss));
    return bild;
}

// Black and white only: what a 1-bit file can hold.
QImage Schwarz_Weiss(const QImage& bild)
{
    QImage sw = bild.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < sw.height(); ++y) {
        auto* z = reinterpret_cast<QRgb*>(sw.scanLine(y));
        for (int x = 0; x < sw.width(); ++x)
            z[x] = qGray(z[x]) >= 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
    return sw;
}

}  // namespace

BildEditor::BildEditor(QWidget* eltern) : QWidget(eltern)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_bild = Weisses_Bild(SchwarzWeissGroesse);
}

QRgb BildEditor::Rgb(quint32 farbe) { return qRgb(farbe & 0xFF, (farbe >> 8) & 0xFF, (farbe >> 16) & 0xFF); }

// ---- Files and new pictures ----------------------------------------------------------------

bool BildEditor::Datei_Laden(const QString& pfad)
{
    const std::optional<Bilddaten> bild = Bild_Laden(pfad);
    if (!bild)
        return false;
    Auswahl_Beenden();
    m_bild = m_farbig ? bild->Pixel.convertToFormat(QImage::Format_RGB32) : Schwarz_Weiss(bild->Pixel);
    m_zurueck.clear();
    m_vor.clear();
    Neu_Anzeigen();
    return true;
}

bool BildEditor::Datei_Speichern(const QString& pfad)
{
    const QString endung = QFileInfo(pfad).suffix().toLower();
    if (endung == QLatin1String("png") || endung == QLatin1String("jpg") || endung == QLatin1String("jpeg")) {
        QByteArray daten;
        QBuffer puffer(&daten);
        const char* format = endung == QLatin1String("png") ? "PNG" : "JPG";
        return puffer.open(QIODevice::WriteOnly) && m_bild.save(&puffer, format) && Datei_Sichern(pfad, daten);
    }
    return Datei_Sichern(pfad, Bmp_Schreiben(m_bild, m_farbig ? 8 : 1));
}

void BildEditor::Neu_Farbig(int /*art*/) { Neu(true); }

void BildEditor::Neu_SchwarzWeiss(int /*art*/) { Neu(false); }

void BildEditor::Neu(bool farbig)
{
    Auswahl_Beenden();
    m_farbig = farbig;
    m_bild = Weisses_Bild(farbig ? FarbigeGroesse : SchwarzWeissGroesse);
    m_zurueck.clear();
    m_vor.clear();
    Neu_Anzeigen();
}

// ---- Clipboard, history, mirror ------------------------------------------------------------

void BildEditor::Kopieren()
{
    if (m_auswahl.isEmpty())
        return;
    m_zwischenablage = Schwebt() ? m_schwebend : m_bild.copy(m_auswahl);
    if (QClipboard* ablage = QGuiApplication::clipboard())
        ablage->setImage(m_zwischenablage);
}

void BildEditor::Ausschneiden()
{
    if (m_auswahl.isEmpty())
        return;
    Kopieren();
    if (Schwebt()) {
        m_schwebend = QImage();
    } else {
        Merken();
        QPainter(&m_bild).fillRect(m_auswahl, QColor(Rgb(Weiss)));
    }
    m_auswahl = QRect();
    update();
    emit Geaendert();
}

void BildEditor::Einfuegen()
{
    QImage bild;
    if (QClipboard* ablage = QGuiApplication::clipboard())
        bild = ablage->image();
    if (bild.isNull())
        bild = m_zwischenablage;
    if (bild.isNull())
        return;
    Schwebend_Absetzen();
    Merken();
    m_schwebend = m_farbig ? bild.convertToFormat(QImage::Format_RGB32) : Schwarz_Weiss(bild);
    m_auswahl = QRect(QPoint(0, 0), m_schwebend.size());
    update();
    emit Geaendert();
}

void BildEditor::Rueckgaengig(int schritte)
{
    m_schwebend = QImage();
    m_auswahl = QRect();
    for (int i = 0; i < schritte && !m_zurueck.empty(); ++i) {
        m_vor.push_back(m_bild);
        if (int(m_vor.size()) > m_vorTiefe)
            m_vor.pop_front();
        m_bild = m_zurueck.back();
        m_zurueck.pop_back();
    }
    Neu_Anzeigen();
}

void BildEditor::Wiederholen(int schritte)
{
    Schwebend_Absetzen();
    m_auswahl = QRect();
    for (int i = 0; i < schritte && !m_vor.empty(); ++i) {
        m_zurueck.push_back(m_bild);
        m_bild = m_vor.back();
        m_vor.pop_back();
    }
    Neu_Anzeigen();
}

void BildEditor::Merken()
{
    m_zurueck.push_back(m_bild);
    while (int(m_zurueck.size()) > m_rueckTiefe)
        m_zurueck.pop_front();
    m_vor.clear();
}

void BildEditor::Horizontal_Spiegeln() { Spiegeln(true); }

void BildEditor::Vertikal_Spiegeln() { Spiegeln(false); }

void BildEditor::Spiegeln(bool horizontal)
{
    if (Schwebt()) {
        m_schwebend = m_schwebend.mirrored(horizontal, !horizontal);
    } else if (!m_auswahl.isEmpty()) {
        Merken();
        const QImage teil = m_bild.copy(m_auswahl).mirrored(horizontal, !horizontal);
        QPainter(&m_bild).drawImage(m_auswahl.topLeft(), teil);
    } else {
        Merken();
        m_bild = m_bild.mirrored(horizontal, !horizontal);
    }
    update();
    emit Geaendert();
}

// ---- Properties ----------------------------------------------------------------------------

void BildEditor::Zoom_Setzen(int zoom)
{
    m_zoom = std::clamp(zoom, 1, 16);
    Neu_Anzeigen();
}

void BildEditor::Rueckgaengig_Tiefe_Setzen(int tiefe)
{
    m_rueckTiefe = std::max(0, tiefe);
    while (int(m_zurueck.size()) > m_rueckTiefe)
        m_zurueck.pop_front();
}

void BildEditor::Wiederholen_Tiefe_Setzen(int tiefe)
{
    m_vorTiefe = std::max(0, tiefe);
    while (int(m_vor.size()) > m_vorTiefe)
        m_vor.pop_front();
}

void BildEditor::Raster_Erlaubt_Setzen(bool an)
{
    m_rasterErlaubt = an;
    update();
}

void BildEditor::Raster_Sichtbar_Setzen(bool an)
{
    m_rasterSichtbar = an;
    update();
}

void BildEditor::Stiftbreite_Setzen(int breite) { m_stiftbreite = std::clamp(breite, 1, 16); }

void BildEditor::Werkzeug_Setzen(int werkzeug)
{
    if (werkzeug != m_werkzeug)
        Auswahl_Beenden();
    m_werkzeug = werkzeug;
}

void BildEditor::Festschreiben_Setzen(int wert)
{
    m_festschreiben = wert;
    if (wert == 1)
        Auswahl_Beenden();
}

void BildEditor::Schwebend_Absetzen()
{
    if (!Schwebt())
        return;
    QPainter(&m_bild).drawImage(m_auswahl.topLeft(), m_schwebend);
    m_schwebend = QImage();
    emit Geaendert();
}

void BildEditor::Auswahl_Beenden()
{
    Schwebend_Absetzen();
    m_auswahl = QRect();
    update();
}

void BildEditor::Neu_Anzeigen()
{
    updateGeometry();
    update();
    emit Geaendert();
}

QImage BildEditor::Ansicht() const
{
    if (!Schwebt())
        return m_bild;
    QImage bild = m_bild;
    QPainter(&bild).drawImage(m_auswahl.topLeft(), m_schwebend);
    return bild;
}

QPoint BildEditor::Pixel_Bei(const QPoint& punkt) const
{
    auto teilen = [this](int v) { return v >= 0 ? v / m_zoom : -((-v + m_zoom - 1) / m_zoom); };
    return {teilen(punkt.x()), teilen(punkt.y())};
}

QSize BildEditor::sizeHint() const { return m_bild.size() * m_zoom; }

// ---- Painting ------------------------------------------------------------------------------

void BildEditor::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    const QRect flaeche(QPoint(0, 0), m_bild.size() * m_zoom);
    p.drawImage(flaeche, Ansicht());

    if (m_rasterErlaubt && m_rasterSichtbar && m_zoom >= 2) {
        for (int x = 0; x <= m_bild.width(); ++x) {
            p.setPen(x % Kachelraster() == 0 ? QColor(96, 96, 96) : QColor(192, 192, 192));
            p.drawLine(x * m_zoom, 0, x * m_zoom, flaeche.height());
        }
        for (int y = 0; y <= m_bild.height(); ++y) {
            p.setPen(y % Kachelraster() == 0 ? QColor(96, 96, 96) : QColor(192, 192, 192));
            p.drawLine(0, y * m_zoom, flaeche.width(), y * m_zoom);
        }
    }
    if (!m_auswahl.isEmpty()) {
        QPen strich(Qt::black, 1, Qt::DashLine);
        p.setPen(strich);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(m_auswahl.topLeft() * m_zoom, m_auswahl.size() * m_zoom).adjusted(0, 0, -1, -1));
    }
}

// ---- Mouse ---------------------------------------------------------------------------------

void BildEditor::mousePressEvent(QMouseEvent* event)
{
    if (m_zieht || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton))
        return;
    const QPoint p = Pixel_Bei(event->position().toPoint());
    m_taste = event->button();
    m_farbe = event->button() == Qt::LeftButton ? m_links : m_rechts;
    m_start = m_letzter = p;

    if (m_werkzeug == Auswahl) {
        m_zieht = true;
        m_verschiebt = m_auswahl.contains(p);
        if (!m_verschiebt) {
            Auswahl_Beenden();
            m_auswahl = QRect(p, p) & m_bild.rect();
        } else {
            m_griff = p - m_auswahl.topLeft();
            if (!Schwebt()) {
                // Taking the content up leaves white behind.
                Merken();
                m_schwebend = m_bild.copy(m_auswahl);
                QPainter(&m_bild).fillRect(m_auswahl, QColor(Rgb(Weiss)));
            }
        }
        update();
        return;
    }

    if (m_werkzeug == Fuellen) {
        if (!Innen(m_bild, p) || m_bild.pixel(p) == Rgb(m_farbe))
            return;
        Merken();
        Flaeche_Fuellen(m_bild, p, Rgb(m_farbe));
        update();
        emit Geaendert();
        return;
    }

    m_zieht = true;
    m_vorher = m_bild;
    Form_Zeichnen(p);
}

void BildEditor::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_zieht)
        return;
    const QPoint p = Pixel_Bei(event->position().toPoint());
    if (p == m_letzter)
        return;
    if (m_werkzeug == Auswahl) {
        if (m_verschiebt)
            m_auswahl.moveTopLeft(p - m_griff);
        else
            m_auswahl = Rechteck(m_start, p) & m_bild.rect();
        m_letzter = p;
        update();
        return;
    }
    Form_Zeichnen(p);
}

void BildEditor::mouseReleaseEvent(QMouseEvent* event)
{
    // Only the button that began the stroke ends it.
    if (!m_zieht || event->button() != m_taste)
        return;
    m_zieht = false;
    if (m_werkzeug == Auswahl) {
        m_verschiebt = false;
        return;
    }
    // One step of the history for the whole stroke or shape.
    if (m_bild != m_vorher) {
        m_zurueck.push_back(m_vorher);
        while (int(m_zurueck.size()) > m_rueckTiefe)
            m_zurueck.pop_front();
        m_vor.clear();
        emit Geaendert();
    }
    m_vorher = QImage();
}

void BildEditor::Form_Zeichnen(const QPoint& bis)
{
    const QRgb farbe = Rgb(m_werkzeug == Radierer ? Weiss : m_farbe);
    switch (m_werkzeug) {
    case Stift:
    case Radierer:
        Strich(m_bild, m_letzter, bis, farbe, m_stiftbreite);
        break;
    case Linie:
        m_bild = m_vorher;
        Strich(m_bild, m_start, bis, farbe, 1);
        break;
    case Box:
    case BoxGefuellt:
    case Ellipse:
    case EllipseGefuellt: {
        m_bild = m_vorher;
        const QRect r = Rechteck(m_start, bis);
        QPainter p(&m_bild);
        const bool gefuellt = m_werkzeug == BoxGefuellt || m_werkzeug == EllipseGefuellt;
        p.setPen(QColor(farbe));
        p.setBrush(gefuellt ? QBrush(QColor(farbe)) : QBrush(Qt::NoBrush));
        // A pen of one pixel draws one pixel beyond the rectangle's right and bottom edge. A
        // shape one pixel wide or high would so become empty: it is all its own outline.
        const QRect umriss = r.adjusted(0, 0, -1, -1);
        if (umriss.width() <= 0 || umriss.height() <= 0)
            p.fillRect(r, QColor(farbe));
        else if (m_werkzeug == Box || m_werkzeug == BoxGefuellt)
            p.drawRect(umriss);
        else
            p.drawEllipse(umriss);
        break;
    }
    default:
        break;
    }
    m_letzter = bis;
    update();
}
