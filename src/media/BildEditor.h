#pragma once
#include <QImage>
#include <QRect>
#include <QWidget>
#include <deque>

// The logo editor's pixel canvas: the picture drawn `Zoom` times enlarged from the top left
// corner, drawn on with the mouse (left button in LinkeFarbe, right button in RechteFarbe) with
// the tool of `Werkzeug`, with a rectangle selection, the clipboard, undo and redo.
//
// Members by the dispatch numbers the editor window used to call them by:
//   60030040 Datei_Laden          60030041 Datei_Speichern
//   60030043 Neu_Farbig           60030044 Neu_SchwarzWeiss
//   6003002A/2B/2C Ausschneiden, Kopieren, Einfuegen
//   6003002D Rueckgaengig         6003002E Wiederholen
//   6003001F Horizontal_Spiegeln  60030020 Vertikal_Spiegeln
//   68030003 Zoom                 68030007 Stufen (read only)
//   68030009 Rueckgaengig_Tiefe   6803000A Wiederholen_Tiefe
//   6803000B Raster_Erlaubt       6803000C Raster_Sichtbar
//   6803000E Auswahlart           6803000F RechteFarbe      68030010 LinkeFarbe
//   68030014 Stiftbreite          68030015 Werkzeug         6803001D Festschreiben
class BildEditor : public QWidget {
    Q_OBJECT
public:
    // Tool numbers.
    enum : int {
        Stift = 0,  // pen, `Stiftbreite` pixels square
        Radierer = 1,  // paints white
        Fuellen = 2,  // fills the 4-connected area of one colour
        Linie = 3,
        Box = 4,
        BoxGefuellt = 5,
        Ellipse = 8,
        EllipseGefuellt = 9,
        Auswahl = 10,  // drag a rectangle; drag inside it to move its content
    };
    // Sizes of an empty picture: the phone's logo sizes.
    static constexpr QSize FarbigeGroesse{101, 30};
    static constexpr QSize SchwarzWeissGroesse{105, 47};
    // The white of an empty picture and of the eraser.
    static constexpr quint32 Weiss = 0xFFFFFF;

    explicit BildEditor(QWidget* eltern = nullptr);

    // Reads a BMP, JPEG or GIF file; in black-and-white mode every pixel becomes black or white
    // (grey 128 and up white), so what is shown is what will be saved. False leaves the picture.
    bool Datei_Laden(const QString& pfad);
    // Writes the picture, complete on return: as a BMP (1 bit in black-and-white mode, 8 bits in
    // colour mode) unless the name ends in .png, .jpg or .jpeg.
    bool Datei_Speichern(const QString& pfad);
    // Discard the picture and start an empty white one of the mode's size. `art` is the kind of
    // empty picture; every value gives the plain white one.
    void Neu_Farbig(int art);
    void Neu_SchwarzWeiss(int art);

    void Ausschneiden();
    void Kopieren();
    // Pastes the clipboard's picture as a floating selection at the top left corner.
    void Einfuegen();
    void Rueckgaengig(int schritte);
    void Wiederholen(int schritte);
    // Mirror the selection, or the whole picture when there is none.
    void Horizontal_Spiegeln();
    void Vertikal_Spiegeln();

    int Zoom() const { return m_zoom; }
    void Zoom_Setzen(int zoom);  // 1 ... 16
    // The pictures that undo can go back through, the current one included: undo needs 2.
    int Stufen() const { return int(m_zurueck.size()) + 1; }
    int Rueckgaengig_Tiefe() const { return m_rueckTiefe; }
    void Rueckgaengig_Tiefe_Setzen(int tiefe);
    int Wiederholen_Tiefe() const { return m_vorTiefe; }
    void Wiederholen_Tiefe_Setzen(int tiefe);
    // The grid shows when it is both allowed and visible: a line around every pixel and a
    // darker one every `Kachelraster` pixels.
    bool Raster_Erlaubt() const { return m_rasterErlaubt; }
    void Raster_Erlaubt_Setzen(bool an);
    bool Raster_Sichtbar() const { return m_rasterSichtbar; }
    void Raster_Sichtbar_Setzen(bool an);
    int Kachelraster() const { return 8; }
    // 1: rectangle selection (the only kind).
    int Auswahlart() const { return m_auswahlart; }
    void Auswahlart_Setzen(int art) { m_auswahlart = art; }
    // Colours as 0x00BBGGRR: red in the lowest byte.
    quint32 LinkeFarbe() const { return m_links; }
    void LinkeFarbe_Setzen(quint32 farbe) { m_links = farbe & 0xFFFFFF; }
    quint32 RechteFarbe() const { return m_rechts; }
    void RechteFarbe_Setzen(quint32 farbe) { m_rechts = farbe & 0xFFFFFF; }
    int Stiftbreite() const { return m_stiftbreite; }
    void Stiftbreite_Setzen(int breite);
    int Werkzeug() const { return m_werkzeug; }
    // A change of tool sets down a floating selection and ends the selection.
    void Werkzeug_Setzen(int werkzeug);
    // 1 sets a floating selection down into the picture and ends the selection.
    int Festschreiben() const { return m_festschreiben; }
    void Festschreiben_Setzen(int wert);

    // What the windows and tests look at.
    const QImage& Pixelbild() const { return m_bild; }
    bool Farbig() const { return m_farbig; }
    QRect Auswahlrechteck() const { return m_auswahl; }
    bool Schwebt() const { return !m_schwebend.isNull(); }
    // The picture as shown: the floating selection drawn over it.
    QImage Ansicht() const;
    // The pixel under a point of the widget.
    QPoint Pixel_Bei(const QPoint& punkt) const;
    QSize sizeHint() const override;

    static QRgb Rgb(quint32 farbe);  // 0x00BBGGRR to a QRgb

signals:
    void Geaendert();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Neu(bool farbig);
    void Merken();  // the picture before a change, for undo
    void Form_Zeichnen(const QPoint& bis);
    void Schwebend_Absetzen();
    void Auswahl_Beenden();
    void Spiegeln(bool horizontal);
    void Neu_Anzeigen();

    QImage m_bild;
    bool m_farbig = false;
    int m_zoom = 4;
    std::deque<QImage> m_zurueck;
    std::deque<QImage> m_vor;
    int m_rueckTiefe = 10;
    int m_vorTiefe = 10;
    bool m_rasterErlaubt = false;
    bool m_rasterSichtbar = false;
    int m_auswahlart = 1;
    quint32 m_links = 0x80;
    quint32 m_rechts = 0x800000;
    int m_stiftbreite = 1;
    int m_werkzeug = Stift;
    int m_festschreiben = 0;

    // The selection in picture pixels, and its content while it floats above the picture.
    QRect m_auswahl;
    QImage m_schwebend;
    QImage m_zwischenablage;  // kept too, for a desktop without a clipboard

    // The mouse action under way.
    bool m_zieht = false;
    bool m_verschiebt = false;
    Qt::MouseButton m_taste = Qt::NoButton;  // the button that began it
    quint32 m_farbe = 0;
    QPoint m_start;
    QPoint m_letzter;
    QPoint m_griff;  // where in the selection it was taken
    QImage m_vorher;
};
