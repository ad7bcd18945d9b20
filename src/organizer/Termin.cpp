#include "organizer/Termin.h"

#include "common/Einstellungen.h"
#include "common/Textdatei.h"
#include "common/Zeichen.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QTreeWidget>
#include <algorithm>

namespace Module1 {

namespace {

const QChar Tab = QLatin1Char('\t');
constexpr int SymbolRolle = Qt::UserRole;
constexpr int ObjektRolle = Qt::UserRole + 1;

struct Paar {
    const char16_t* art;
    const char* kategorie;
};
const Paar Kategorien[] = {
    {u"Notiz", "MEMO"}, {u"Anruf", "PHONE CALL"}, {u"Treffen", "MEETING"}, {u"Geburtstag", "ANNIVERSARY"}};

QString Art_Von(const QString& kategorie)
{
    if (kategorie == QLatin1String("PHONE CALL"))
        return QStringLiteral("Anruf");
    if (kategorie == QLatin1String("MISCELLANEOUS") || kategorie == QLatin1String("MEMO"))
        return QStringLiteral("Notiz");
    if (kategorie == QLatin1String("MEETING"))
        return QStringLiteral("Treffen");
    if (kategorie == QLatin1String("ANNIVERSARY"))
        return QStringLiteral("Geburtstag");
    return kategorie;
}

QString Wdh_Von(const QString& regel)
{
    if (regel == QLatin1String("D1"))
        return QStringLiteral("Tag");
    if (regel == QLatin1String("W1") || regel == QLatin1String("D7"))
        return QStringLiteral("Woche");
    if (regel == QLatin1String("Y1") || regel == QLatin1String("YD1"))
        return QStringLiteral("Jahr");
    if (regel.startsWith(QLatin1String("M1")) || regel.startsWith(QLatin1String("MD1")))
        return QStringLiteral("Monat");
    return regel;
}

bool Hat_Text(const QStringList& zeilen)
{
    return std::any_of(zeilen.begin(), zeilen.end(), [](const QString& z) { return !z.trimmed().isEmpty(); });
}

int Zeilenbytes(const QStringList& zeilen)
{
    int n = 0;
    for (const QString& z : zeilen)
        n += static_cast<int>(z.toLatin1().size()) + 2;
    return n;
}

// A line of the property, with its value or with parameters.
bool Ist_Eigenschaft(const QString& zeile, QLatin1String name)
{
    return zeile.startsWith(name) && zeile.size() > name.size() &&
           (zeile.at(name.size()) == QLatin1Char(':') || zeile.at(name.size()) == QLatin1Char(';'));
}

// The property's first line takes the value (a new one stands before "END:VEVENT"), its other
// lines go; no value removes it.
void Eigenschaft_Setzen(QStringList& zeilen, QLatin1String name, const std::optional<QString>& wert)
{
    qsizetype ort = -1;
    for (qsizetype i = 0; i < zeilen.size();) {
        if (!Ist_Eigenschaft(zeilen.at(i), name)) {
            ++i;
            continue;
        }
        if (ort < 0)
            ort = i;
        zeilen.removeAt(i);
    }
    if (!wert)
        return;
    if (ort < 0)
        ort = zeilen.indexOf(QStringLiteral("END:VEVENT"));
    if (ort < 0)
        ort = zeilen.size();
    zeilen.insert(ort, name + QLatin1Char(':') + *wert);
}

QDateTime Stempel_Zeit(const QString& stempel)
{
    return QDateTime::fromString(stempel.left(15), QStringLiteral("yyyyMMdd'T'HHmmss"));
}

// The alarm moved with the start by as much as the start moved.
QString Alarm_Verschieben(const QString& alarm, const QString& von, const QString& nach)
{
    const QDateTime a = Stempel_Zeit(alarm), v = Stempel_Zeit(von), n = Stempel_Zeit(nach);
    if (!a.isValid() || !v.isValid() || !n.isValid())
        return nach;
    const QDateTime neu = a.addSecs(v.secsTo(n));
    return Stempel_Bilden(neu.date(), neu.time()) + alarm.mid(15);
}

}  // namespace

bool TerminObjekt::operator==(const TerminObjekt& o) const
{
    return Kategorie == o.Kategorie && Stempel == o.Stempel && Alarm == o.Alarm && Regel == o.Regel &&
           Beschreibung == o.Beschreibung;
}

bool TerminZeile::operator==(const TerminZeile& o) const
{
    return Art == o.Art && Index == o.Index && Datum == o.Datum && Uhrzeit == o.Uhrzeit &&
           Beschreibung == o.Beschreibung && Alarm == o.Alarm && Wdh == o.Wdh;
}

int Art_Symbol(const QString& art)
{
    if (art == QLatin1String("Treffen"))
        return 1;
    if (art == QLatin1String("Geburtstag"))
        return 2;
    if (art == QLatin1String("Notiz"))
        return 3;
    if (art == QLatin1String("Anruf"))
        return 4;
    return 0;
}

QIcon Terminsymbol(int nummer)
{
    // A coloured tile with the kind's initial.
    static const struct {
        QColor farbe;
        char buchstabe;
    } bilder[] = {{QColor(0, 96, 192), 'T'}, {QColor(192, 0, 96), 'G'}, {QColor(224, 160, 0), 'N'},
                  {QColor(0, 144, 64), 'A'}};
    if (nummer < 1 || nummer > 4)
        return QIcon();
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setBrush(bilder[nummer - 1].farbe);
    maler.setPen(Qt::NoPen);
    maler.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    maler.setPen(Qt::white);
    QFont schrift = maler.font();
    schrift.setPixelSize(11);
    schrift.setBold(true);
    maler.setFont(schrift);
    maler.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QLatin1Char(bilder[nummer - 1].buchstabe)));
    maler.end();
    return QIcon(bild);
}

QString Stempel_Bilden(const QDate& datum, const QTime& zeit)
{
    return datum.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('T') + zeit.toString(QStringLiteral("HHmmss"));
}

QString Kategorie_Von(const QString& art)
{
    for (const Paar& p : Kategorien)
        if (art == QStringView(p.art))
            return QLatin1String(p.kategorie);
    return QString();
}

QStringList VCalendar_Zeilen(const TerminObjekt& objekt)
{
    QStringList vorn{QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:1.0"), QStringLiteral("BEGIN:VEVENT")};
    if (!objekt.Kategorie.isEmpty())
        vorn << QStringLiteral("CATEGORIES:") + objekt.Kategorie;
    if (objekt.Alarm)
        vorn << QStringLiteral("DALARM:") + objekt.Stempel;
    vorn << QStringLiteral("DTSTART:") + objekt.Stempel;
    if (!objekt.Regel.isEmpty())
        vorn << QStringLiteral("RRULE:") + objekt.Regel;
    const QStringList hinten{QStringLiteral("END:VEVENT"), QStringLiteral("END:VCALENDAR")};

    // A longer object would reach the phone cut off after its sixth block.
    const QString schluessel = QStringLiteral("DESCRIPTION:");
    const int platz = ObjektHoechstens - Zeilenbytes(vorn + hinten) - Zeilenbytes({schluessel});
    return vorn + QStringList{schluessel + Text_Kuerzen(objekt.Beschreibung, platz)} + hinten;
}

QStringList VCalendar_Aendern(const QStringList& zeilen, const TerminObjekt& vorher, const TerminObjekt& nachher)
{
    QStringList neu = zeilen;
    const auto wert = [](const QString& w) { return w.isEmpty() ? std::nullopt : std::optional<QString>(w); };
    if (nachher.Kategorie != vorher.Kategorie)
        Eigenschaft_Setzen(neu, QLatin1String("CATEGORIES"), wert(nachher.Kategorie));
    if (nachher.Alarm != vorher.Alarm) {
        Eigenschaft_Setzen(neu, QLatin1String("DALARM"), nachher.Alarm ? wert(nachher.Stempel) : std::nullopt);
    } else if (nachher.Alarm && nachher.Stempel != vorher.Stempel) {
        QString alarm;
        for (const QString& z : zeilen)
            if (z.startsWith(QLatin1String("DALARM:")))
                alarm = z.mid(7);
        Eigenschaft_Setzen(neu, QLatin1String("DALARM"), Alarm_Verschieben(alarm, vorher.Stempel, nachher.Stempel));
    }
    if (nachher.Stempel != vorher.Stempel)
        Eigenschaft_Setzen(neu, QLatin1String("DTSTART"), nachher.Stempel);
    if (nachher.Regel != vorher.Regel)
        Eigenschaft_Setzen(neu, QLatin1String("RRULE"), wert(nachher.Regel));
    if (nachher.Beschreibung != vorher.Beschreibung)
        Eigenschaft_Setzen(neu, QLatin1String("DESCRIPTION"), nachher.Beschreibung);

    // A longer object would reach the phone cut off after its sixth block.
    const int zuviel = Zeilenbytes(neu) - ObjektHoechstens;
    for (qsizetype i = neu.size() - 1; zuviel > 0 && i >= 0; --i)
        if (neu.at(i).startsWith(QLatin1String("DESCRIPTION:"))) {
            neu[i] = Text_Kuerzen(neu.at(i), std::max<qsizetype>(12, neu.at(i).size() - zuviel));
            break;
        }
    return neu;
}

std::optional<QDate> Datum_Lesen(const QString& datum)
{
    static const QRegularExpression muster(QStringLiteral("^\\s*([0-9]{1,2})\\.([0-9]{1,2})\\.([0-9]{4})\\s*$"));
    const QRegularExpressionMatch m = muster.match(datum);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

std::optional<QTime> Uhrzeit_Lesen(const QString& uhrzeit)
{
    static const QRegularExpression muster(QStringLiteral("^\\s*([0-9]{1,2}):([0-9]{2})\\s*$"));
    const QRegularExpressionMatch m = muster.match(uhrzeit);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt());
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

std::optional<TerminObjekt> Objekt_Aus_Zeile(const TerminZeile& zeile)
{
    const std::optional<QDate> datum = Datum_Lesen(zeile.Datum);
    const std::optional<QTime> zeit = Uhrzeit_Lesen(zeile.Uhrzeit);
    if (!datum || !zeit)
        return std::nullopt;
    TerminObjekt o;
    o.Kategorie = Kategorie_Von(zeile.Art);
    o.Alarm = zeile.Alarm == QLatin1String("Ja");
    o.Stempel = Stempel_Bilden(*datum, *zeit);
    if (zeile.Wdh == QLatin1String("Tag"))
        o.Regel = QStringLiteral("D1");
    else if (zeile.Wdh == QLatin1String("Woche"))
        o.Regel = QStringLiteral("W1");
    else if (zeile.Wdh == QLatin1String("Jahr"))
        o.Regel = QStringLiteral("Y1");
    else if (zeile.Wdh == QLatin1String("Monat"))
        o.Regel = QStringLiteral("M1 ") + datum->toString(QStringLiteral("dd"));
    o.Beschreibung = zeile.Beschreibung;
    return o;
}

TerminZeile VCalendar_Lesen(const QStringList& zeilen)
{
    QString kategorie, alarm, start, regel, beschreibung;
    const struct {
        const char* schluessel;
        QString* wert;
    } schluessel[] = {{"CATEGORIES:", &kategorie},
                      {"DALARM:", &alarm},
                      {"DTSTART:", &start},
                      {"RRULE:", &regel},
                      {"DESCRIPTION:", &beschreibung}};
    for (const QString& zeile : zeilen)
        for (const auto& s : schluessel)
            if (zeile.startsWith(QLatin1String(s.schluessel)))
                *s.wert = zeile.mid(zeile.indexOf(QLatin1Char(':')) + 1);

    TerminZeile z;
    z.Art = Art_Von(kategorie);
    z.Datum = start.mid(6, 2) + QLatin1Char('.') + start.mid(4, 2) + QLatin1Char('.') + start.left(4);
    z.Uhrzeit = start.mid(9, 2) + QLatin1Char(':') + start.mid(11, 2);
    z.Beschreibung = beschreibung;
    z.Alarm = alarm.isEmpty() ? QString() : QStringLiteral("Ja");
    z.Wdh = Wdh_Von(regel);
    return z;
}

bool Objekt_Speichern(const QString& pfad, const TerminObjekt& objekt)
{
    return Objektzeilen_Speichern(pfad, VCalendar_Zeilen(objekt));
}

bool Objektzeilen_Speichern(const QString& pfad, const QStringList& zeilen)
{
    return Textdatei::Schreiben(pfad, zeilen);
}

std::optional<QStringList> Objektzeilen_Lesen(const QString& pfad)
{
    const std::optional<QStringList> zeilen = Textdatei::Lesen(pfad);
    if (!zeilen || !Hat_Text(*zeilen))
        return std::nullopt;
    return zeilen;
}

std::optional<TerminZeile> Termindatei_Lesen(const QString& pfad, Textdatei::Kodierung kodierung,
                                             QStringList* dateizeilen)
{
    const std::optional<QStringList> zeilen = Textdatei::Lesen(pfad, kodierung);
    if (!zeilen)
        return std::nullopt;
    QFile::remove(pfad);
    // An empty file is no appointment: a row of it would stand for nothing.
    if (!Hat_Text(*zeilen))
        return std::nullopt;
    if (dateizeilen)
        *dateizeilen = *zeilen;
    return VCalendar_Lesen(*zeilen);
}

QStringList Telefonzeilen(const QByteArray& bytes)
{
    const QStringList zeilen = Textdatei::Zeilen(QString::fromLatin1(bytes));
    return Hat_Text(zeilen) ? zeilen : QStringList();
}

QString Neuer_Termin_Datei() { return QDir(Programmordner()).filePath(QStringLiteral("vcsnew.pvp")); }

QString Platz_Datei(int platz)
{
    return QDir(Programmordner()).filePath(QStringLiteral("vcs%1.pvp").arg(platz));
}

QString KalZeile_Schreiben(const TerminZeile& z)
{
    return Textdatei::Felder_Verbinden({z.Art, z.Datum, z.Uhrzeit, z.Beschreibung, z.Alarm, z.Wdh});
}

std::optional<TerminZeile> KalZeile_Lesen(const QString& zeile)
{
    const QStringList felder = zeile.split(Tab);
    if (felder.size() < 6)
        return std::nullopt;
    TerminZeile z;
    z.Art = felder[0];
    z.Datum = felder[1];
    z.Uhrzeit = felder[2];
    z.Beschreibung = felder[3];
    z.Alarm = felder[4];
    z.Wdh = felder.mid(5).join(Tab);
    return z;
}

Spalten Spalten_Von(bool mitIndex)
{
    const int v = mitIndex ? 1 : 0;
    return Spalten{mitIndex ? 1 : -1, 1 + v, 2 + v, 3 + v, 4 + v, 5 + v};
}

QTreeWidgetItem* Zeile_Anfuegen(QTreeWidget* liste, const TerminZeile& zeile, bool mitIndex)
{
    auto* item = new QTreeWidgetItem();
    Zeile_Setzen(item, zeile, mitIndex);
    if (liste)
        liste->addTopLevelItem(item);
    return item;
}

void Zeile_Setzen(QTreeWidgetItem* item, const TerminZeile& zeile, bool mitIndex)
{
    const Spalten s = Spalten_Von(mitIndex);
    item->setText(0, zeile.Art);
    if (mitIndex)
        item->setText(s.Index, zeile.Index);
    item->setText(s.Datum, zeile.Datum);
    item->setText(s.Uhrzeit, zeile.Uhrzeit);
    item->setText(s.Beschreibung, zeile.Beschreibung);
    item->setText(s.Alarm, zeile.Alarm);
    item->setText(s.Wdh, zeile.Wdh);
    const int symbol = Art_Symbol(zeile.Art);
    item->setData(0, SymbolRolle, symbol);
    item->setIcon(0, Terminsymbol(symbol));
}

TerminZeile Zeile_Lesen(const QTreeWidgetItem* item, bool mitIndex)
{
    const Spalten s = Spalten_Von(mitIndex);
    TerminZeile z;
    z.Art = item->text(0);
    if (mitIndex)
        z.Index = item->text(s.Index);
    z.Datum = item->text(s.Datum);
    z.Uhrzeit = item->text(s.Uhrzeit);
    z.Beschreibung = item->text(s.Beschreibung);
    z.Alarm = item->text(s.Alarm);
    z.Wdh = item->text(s.Wdh);
    return z;
}

int Zeilensymbol(const QTreeWidgetItem* item) { return item->data(0, SymbolRolle).toInt(); }

void Objektzeilen_Merken(QTreeWidgetItem* item, const QStringList& zeilen) { item->setData(0, ObjektRolle, zeilen); }

QStringList Objektzeilen_Von(const QTreeWidgetItem* item) { return item->data(0, ObjektRolle).toStringList(); }

}  // namespace Module1
