#include "common/Knoepfe.h"

#include <QAction>
#include <QLayout>
#include <QToolBar>

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
