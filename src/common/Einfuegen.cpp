#include "common/Einfuegen.h"

#include "common/Zeichen.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>

#include <algorithm>

namespace {

bool Bringt_Text(QClipboard::Mode art, const QTextEdit* reichtext)
{
    const QMimeData* daten = QGuiApplication::clipboard()->mimeData(art);
    if (!daten)
        return false;
    return !daten->text().isEmpty() || (reichtext && reichtext->acceptRichText() && daten->hasHtml());
}

// One filter on the application sees the paste keys of every editable field, Qt's own dialogs
// included, and the middle click that pastes the selection on X11.
class Einfuegewache : public QObject {
protected:
    bool eventFilter(QObject* ziel, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const auto* taste = static_cast<QKeyEvent*>(e);
            if (!Eingabefeld(ziel))
                return false;
            // Ctrl+Shift+Insert pastes the selection, as the text boxes themselves decide.
            const bool auswahl = QGuiApplication::clipboard()->supportsSelection() &&
                                 taste->key() == Qt::Key_Insert &&
                                 taste->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
            if (!taste->matches(QKeySequence::Paste) && !auswahl)
                return false;
            return !Bringt_Text(auswahl ? QClipboard::Selection : QClipboard::Clipboard,
                                qobject_cast<const QTextEdit*>(ziel));
        }
        if (e->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            // The text edits take the click on their viewport.
            QObject* feld = ziel->parent();
            if (qobject_cast<QTextEdit*>(feld) || qobject_cast<QPlainTextEdit*>(feld))
                return !Bringt_Text(QClipboard::Selection, qobject_cast<const QTextEdit*>(feld));
        }
        return false;
    }

private:
    // Time, date and number fields and editable combo boxes hand the key to their line edit.
    static bool Eingabefeld(const QObject* o)
    {
        const auto* auswahl = qobject_cast<const QComboBox*>(o);
        return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QTextEdit*>(o) ||
               qobject_cast<const QPlainTextEdit*>(o) || qobject_cast<const QAbstractSpinBox*>(o) ||
               (auswahl && auswahl->isEditable());
    }
};

}  // namespace

void Einfuegen_Absichern()
{
    static Einfuegewache* wache = nullptr;
    if (wache || !qApp)
        return;
    wache = new Einfuegewache;
    wache->setParent(qApp);
    qApp->installEventFilter(wache);
}

template <class Basis>
Begrenztes_Textfeld<Basis>::Begrenztes_Textfeld(QWidget* eltern) : Basis(eltern)
{
    this->setTabChangesFocus(true);
}

template <class Basis>
qsizetype Begrenztes_Textfeld<Basis>::Platz() const
{
    const QTextCursor cursor = this->textCursor();
    const qsizetype belegt = this->document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
    return std::max<qsizetype>(0, m_hoechstlaenge - belegt);
}

template <class Basis>
bool Begrenztes_Textfeld<Basis>::canInsertFromMimeData(const QMimeData* quelle) const
{
    return quelle && !quelle->text().isEmpty() && Basis::canInsertFromMimeData(quelle);
}

template <class Basis>
void Begrenztes_Textfeld<Basis>::insertFromMimeData(const QMimeData* quelle)
{
    if (!quelle)
        return;
    const QString text = quelle->text();
    const qsizetype platz = Platz();
    if (text.size() <= platz) {
        if (!text.isEmpty())
            Basis::insertFromMimeData(quelle);
        return;
    }
    // One character past the cut is enough to find the boundary; the rest is never scanned.
    const QString teil = Module1::Text_Kuerzen(text.left(platz + 1), platz);
    if (teil.isEmpty())
        return;  // the box is full: the selection stays
    QMimeData gekuerzt;
    gekuerzt.setText(teil);
    Basis::insertFromMimeData(&gekuerzt);
}

template <class Basis>
void Begrenztes_Textfeld<Basis>::keyPressEvent(QKeyEvent* event)
{
    // Tab with a modifier that the focus chain does not take would still type one.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    const bool zeilenumbruch = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const bool schreibt = zeilenumbruch || (!text.isEmpty() && text.front().category() != QChar::Other_Control);
    if (schreibt && !this->isReadOnly() && Platz() < (zeilenumbruch ? 1 : text.size())) {
        event->accept();
        return;
    }
    Basis::keyPressEvent(event);
}

template <class Basis>
void Begrenztes_Textfeld<Basis>::inputMethodEvent(QInputMethodEvent* event)
{
    const qsizetype platz = Platz();
    if (event->commitString().size() <= platz) {
        Basis::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent gekuerzt(event->preeditString(), event->attributes());
    gekuerzt.setCommitString(event->commitString().left(platz), event->replacementStart(), event->replacementLength());
    Basis::inputMethodEvent(&gekuerzt);
}

template class Begrenztes_Textfeld<QPlainTextEdit>;
template class Begrenztes_Textfeld<QTextEdit>;
