#include "phone/Sprachfenster.h"

#include "common/Platzierung.h"
#include "link/Module1.h"
#include "phone/Anzeigehilfen.h"
#include "phone/Bildfeld.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QRadioButton>

using namespace Module1;

namespace {

const Platzierung::Schluessel Sprachen{QStringLiteral("Sprachen"), 0, 0, -1, -1, false};

// The language pictures: flags of three stripes.
QPixmap Flagge(const QString& beschriftung)
{
    struct Farben {
        const char16_t* sprache;
        QRgb a, b, c;
        bool senkrecht;
    };
    static const Farben flaggen[] = {
        {u"&Deutsch", 0x000000, 0xdd0000, 0xffce00, false},
        {u"&Catalanisch", 0xfcdd09, 0xda121a, 0xfcdd09, false},
        {u"&Englisch", 0xffffff, 0xcf142b, 0xffffff, false},
        {u"&Italienisch", 0x009246, 0xffffff, 0xce2b37, true},
        {u"&Portugiesich", 0x006600, 0xff0000, 0xff0000, true},
        {u"&Griechisch", 0x0d5eaf, 0xffffff, 0x0d5eaf, false},
        {u"&Türkisch", 0xe30a17, 0xffffff, 0xe30a17, true},
        {u"&Spanisch", 0xaa151b, 0xf1bf00, 0xaa151b, false},
        {u"&Französisch", 0x002395, 0xffffff, 0xed2939, true},
        {u"&Niederländisch", 0xae1c28, 0xffffff, 0x21468b, false},
        {u"&Schwedisch", 0x006aa7, 0xfecc00, 0x006aa7, false},
        {u"&Dänisch", 0xc8102e, 0xffffff, 0xc8102e, false},
        {u"&Finnisch", 0xffffff, 0x002f6c, 0xffffff, false},
        {u"&Norwegisch", 0xba0c2f, 0x00205b, 0xba0c2f, false},
    };
    for (const Farben& f : flaggen)
        if (beschriftung == QStringView(f.sprache))
            return Flagge_Malen(QColor(f.a), QColor(f.b), QColor(f.c), f.senkrecht);
    return QPixmap();
}

}  // namespace

Sprachfenster::Sprachfenster(const Sprachtabelle& tabelle) : Werkzeugfenster(Sprachen), m_tabelle(tabelle) {}

void Sprachfenster::Steuerelemente_Uebernehmen()
{
    auto* gruppe = new QButtonGroup(this);
    for (const Sprachoption& o : m_tabelle.Optionen) {
        if (o.Option == Automatisch) {
            Option2 = findChild<QRadioButton*>(QStringLiteral("Option2"));
            gruppe->addButton(Option2);
            connect(Option2, &QRadioButton::clicked, this, &Sprachfenster::Option2_Click);
            continue;
        }
        if (Option1.size() <= o.Option)
            Option1.resize(o.Option + 1);
        QRadioButton* knopf = findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(o.Option));
        Option1[o.Option] = knopf;
        gruppe->addButton(knopf);
        const int index = o.Option;
        connect(knopf, &QRadioButton::clicked, this, [this, index] { Option1_Click(index); });
    }
    for (int k = 0; k < m_tabelle.Bilder.size(); ++k) {
        Bildfeld* bild = m_tabelle.Bilder.at(k) < 0 ? nullptr : findChild<Bildfeld*>(QStringLiteral("Image1_%1").arg(k));
        Image1 << bild;
        if (!bild)
            continue;
        bild->setPixmap(Flagge(Sprachoption_Finden(m_tabelle, m_tabelle.Bilder.at(k))->Beschriftung));
        connect(bild, &Bildfeld::Geklickt, this, [this, k] { Image1_Click(k); });
    }
    Line1 = findChild<QFrame*>(QStringLiteral("Line1"));
    Platzieren();
}

void Sprachfenster::Sprache_Lesen()
{
    KlicksSperren = true;
    Status_Setzen(QStringLiteral("Lese Display-Sprache..."));
    if (!Befehl_Senden(QStringLiteral("AT^SLNG?"), true)) {
        Auswaehlen(m_bestaetigt);
        return;
    }
    if (const std::optional<int> option = Sprachoption_Suchen(m_tabelle, Link().Text2)) {
        Auswaehlen(*option);
        m_bestaetigt = *option;
    }
    KlicksSperren = false;
    Status_Setzen(QStringLiteral("Fertig."));
}

void Sprachfenster::Option1_Click(int index) { Aendern(index); }

void Sprachfenster::Option2_Click() { Aendern(Automatisch); }

void Sprachfenster::Image1_Click(int index)
{
    if (index < 0 || index >= m_tabelle.Bilder.size() || m_tabelle.Bilder.at(index) < 0)
        return;
    const int option = m_tabelle.Bilder.at(index);
    Auswaehlen(option);
    Aendern(option);
}

void Sprachfenster::Aendern(int option)
{
    // Nothing is sent, so the selection stays with the language the phone last confirmed.
    if (KlicksSperren) {
        Auswaehlen(m_bestaetigt);
        return;
    }
    const Sprachoption* o = Sprachoption_Finden(m_tabelle, option);
    if (!o)
        return;
    Status_Setzen(QStringLiteral("Ändere Display-Sprache..."));
    if (!Befehl_Senden(QStringLiteral("AT^SLNG=%1").arg(o->Code), true)) {
        // The phone kept its language, so the window shows that one again.
        Auswaehlen(m_bestaetigt);
        return;
    }
    m_bestaetigt = option;
    Status_Setzen(QStringLiteral("Fertig."));
}

QRadioButton* Sprachfenster::Knopf(int option) const
{
    if (option == Automatisch)
        return Option2;
    return option >= 0 && option < Option1.size() ? Option1.at(option) : nullptr;
}

void Sprachfenster::Auswaehlen(int option)
{
    if (QRadioButton* knopf = Knopf(option)) {
        knopf->setChecked(true);
        return;
    }
    // No option known: none is selected.
    QRadioButton* gewaehlt = nullptr;
    for (QRadioButton* k : Option1)
        if (k && k->isChecked())
            gewaehlt = k;
    if (Option2->isChecked())
        gewaehlt = Option2;
    if (gewaehlt) {
        gewaehlt->group()->setExclusive(false);
        gewaehlt->setChecked(false);
        gewaehlt->group()->setExclusive(true);
    }
}

int Sprachfenster::Gewaehlter_Code() const
{
    for (const Sprachoption& o : m_tabelle.Optionen) {
        const QRadioButton* knopf = Knopf(o.Option);
        if (knopf && knopf->isChecked())
            return o.Code;
    }
    return -1;
}
