#include "common/Knoepfe.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QToolBar>
#include <QToolButton>

namespace {

// Enter presses a button as Space does: a tool button knows Space only.
class Eingabetaste : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* knopf, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        const auto* taste = static_cast<QKeyEvent*>(event);
        if (taste->key() != Qt::Key_Return && taste->key() != Qt::Key_Enter)
            return false;
        QKeyEvent leertaste(event->type(), Qt::Key_Space, taste->modifiers(), QStringLiteral(" "),
                            taste->isAutoRepeat());
        QCoreApplication::sendEvent(knopf, &leertaste);
        return true;
    }
};

}  // namespace

QAction* Knopf_Anlegen(QToolBar* leiste, const QString& schluessel, const QString& tipp, const QIcon& bild)
{
    auto* a = new QAction(bild, QString(), leiste);
    a->setObjectName(schluessel);
    a->setToolTip(tipp);
    leiste->addAction(a);
    return a;
}

QAction* Knopf_Suchen(const QToolBar* leiste, const QString& schluessel)
{
    if (!leiste)
        return nullptr;
    for (QAction* a : leiste->actions())
        if (a->objectName() == schluessel)
            return a;
    return nullptr;
}

void Leiste_Ohne_Rand(QToolBar* leiste)
{
    leiste->layout()->setContentsMargins(0, 0, 0, 0);
    leiste->layout()->setSpacing(0);
}

void Leistenknoepfe_Erschliessen(QWidget* fenster)
{
    auto* eingabe = new Eingabetaste(fenster);
    for (QToolButton* knopf : fenster->findChildren<QToolButton*>()) {
        // A toolbar makes its buttons click-only; a calendar's own buttons show no action.
        if (!knopf->defaultAction())
            continue;
        knopf->setFocusPolicy(Qt::TabFocus);
        knopf->setAccessibleName(knopf->toolTip());
        knopf->installEventFilter(eingabe);
    }
}
