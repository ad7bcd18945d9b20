#pragma once
#include <QPlainTextEdit>
#include <QTextEdit>
#include <limits>

// Every editable field of the program ignores a paste that brings no text: an empty clipboard or
// one that holds other data. Qt 6.4's text edits crash on a clipboard without any format (what an
// empty desktop clipboard gives them), and a line, time or number field would drop its selection
// for nothing. Set once at the start, after the application object exists.
void Einfuegen_Absichern();

// A multi-line box for a plain text of limited length. It takes at most Hoechstlaenge characters
// from the keyboard, a paste or a drop, and cuts a paste before the text is laid out: a megabyte
// on one line would hold the program for minutes. Text set by code is not cut. Tab leaves the
// box and never enters the text.
template <class Basis>
class Begrenztes_Textfeld : public Basis {
public:
    explicit Begrenztes_Textfeld(QWidget* eltern = nullptr);
    void Hoechstlaenge_Setzen(int zeichen) { m_hoechstlaenge = zeichen; }

protected:
    bool canInsertFromMimeData(const QMimeData* quelle) const override;
    void insertFromMimeData(const QMimeData* quelle) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // How many characters the box still takes in place of its selection.
    qsizetype Platz() const;

    int m_hoechstlaenge = std::numeric_limits<int>::max();
};

using Klartextfeld = Begrenztes_Textfeld<QPlainTextEdit>;
using Formattextfeld = Begrenztes_Textfeld<QTextEdit>;
