// The real dialogs of the seam, offscreen: what the user reads on their buttons.
#include "common/Dialoge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// Asks a question with Yes, No and Cancel and answers Cancel; the texts of its buttons, sorted.
QStringList Knopftexte_Der_Frage()
{
    QStringList texte;
    QTimer::singleShot(0, [&texte] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton* knopf : box->buttons())
            texte << knopf->text();
        box->button(QMessageBox::Cancel)->click();
    });
    const Dialoge::Antwort antwort =
        QtDialoge().Meldung(QStringLiteral("Eintrag/Einträge wirklich löschen?"), Dialoge::Symbol::Frage,
                            Dialoge::Tasten::JaNeinAbbrechen, Dialoge::Antwort::Nein, AppTitel);
    EXPECT_EQ(antwort, Dialoge::Antwort::Abbrechen);
    std::sort(texte.begin(), texte.end());
    return texte;
}

// Opens the file dialog and cancels it; its accept and reject texts.
QStringList Knopftexte_Des_Dateidialogs()
{
    QStringList texte;
    QTimer::singleShot(0, [&texte] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        texte << dialog->labelText(QFileDialog::Accept) << dialog->labelText(QFileDialog::Reject);
        dialog->reject();
    });
    EXPECT_FALSE(QtDialoge().Datei_Oeffnen({QStringLiteral("Telefonbuch laden"), QString(), QString(), QString()}));
    return texte;
}

// Qt's translation is loaded once per process and stays: these run in this order.
TEST(QtDialogeOhneUebersetzung, QuestionBoxAndFileDialogSpeakGerman)
{
    EXPECT_EQ(Knopftexte_Der_Frage(), QStringList({"&Ja", "&Nein", "Abbrechen"}));
    EXPECT_EQ(Knopftexte_Des_Dateidialogs(), QStringList({QStringLiteral("Öffnen"), "Abbrechen"}));
}

TEST(QtDialogeMitUebersetzung, QuestionBoxAndFileDialogSpeakGerman)
{
    ASSERT_TRUE(Qt_Deutsch_Laden());
    EXPECT_EQ(Knopftexte_Der_Frage(), QStringList({"&Ja", "&Nein", "Abbrechen"}));
    EXPECT_EQ(Knopftexte_Des_Dateidialogs().value(1), "Abbrechen");
}

}  // namespace
