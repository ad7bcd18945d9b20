#include "common/Einfuegen.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

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
