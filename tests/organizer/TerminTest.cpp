// Appointment rows, the vCalendar objects the program writes and reads, and ".kal" lines.
#include "OrganizerHilfen.h"

#include "common/Textdatei.h"
#include "link/Datenobjekt.h"
#include "organizer/Termin.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Module1;
using namespace organizer_test;

namespace {

QByteArray Objektbytes(const TerminObjekt& o)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("vcsnew.pvp"));
    EXPECT_TRUE(Objekt_Speichern(pfad, o));
    return Datei_Lesen(pfad);
}

TerminZeile Zeile(const char* art, const char* datum, const char* uhrzeit, const QString& text, const char* alarm,
                  const char* wdh)
{
    TerminZeile z;
    z.Art = QString::fromUtf8(art);
    z.Datum = QLatin1String(datum);
    z.Uhrzeit = QLatin1String(uhrzeit);
    z.Beschreibung = text;
    z.Alarm = QLatin1String(alarm);
    z.Wdh = QLatin1String(wdh);
    return z;
}

TEST(VCalendar, ARowIsWrittenAsTheDroppedObject)
{
    const QByteArray bytes = Objektbytes(
        *Objekt_Aus_Zeile(Zeile("Treffen", "01.03.2001", "09:05", QStringLiteral("Büro: Planung"), "Ja", "Monat")));
    EXPECT_EQ(bytes, QByteArray("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MEETING\r\n"
                                "DALARM:20010301T090500\r\nDTSTART:20010301T090500\r\nRRULE:M1 01\r\n"
                                "DESCRIPTION:B\xFCro: Planung\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    EXPECT_EQ(bytes.size(), 180);
}

TEST(VCalendar, AHandEditedRowIsReadLenientlyOrNotAtAll)
{
    const std::optional<TerminObjekt> o = Objekt_Aus_Zeile(Zeile("Notiz", " 1.3.2001", "9:05 ", "x", "", "Monat"));
    ASSERT_TRUE(o.has_value());
    EXPECT_EQ(o->Stempel, "20010301T090500");
    EXPECT_EQ(o->Regel, "M1 01");
    const struct {
        const char* datum;
        const char* uhrzeit;
    } schlecht[] = {{"31.02.2001", "10:00"}, {"1.3.01", "10:00"}, {"..", ":"},        {"01.03.2001x", "10:00"},
                    {"", "10:00"},           {"01.03.2001", "24:00"}, {"01.03.2001", "9:5"}, {"01.03.2001", ""}};
    for (const auto& f : schlecht)
        EXPECT_FALSE(Objekt_Aus_Zeile(Zeile("Notiz", f.datum, f.uhrzeit, "x", "", "")).has_value())
            << f.datum << " " << f.uhrzeit;
}

TEST(VCalendar, KindsAndRulesOutsideTheTablesWriteNoLine)
{
    const QStringList zeilen =
        VCalendar_Zeilen(*Objekt_Aus_Zeile(Zeile("HOLIDAY", "24.12.2000", "18:30", "x", "", "W1 #0")));
    EXPECT_EQ(zeilen, (QStringList{"BEGIN:VCALENDAR", "VERSION:1.0", "BEGIN:VEVENT", "DTSTART:20001224T183000",
                                   "DESCRIPTION:x", "END:VEVENT", "END:VCALENDAR"}));
    const struct {
        const char* art;
        const char* wdh;
        const char* kategorie;
        const char* regel;
    } faelle[] = {{"Notiz", "Tag", "CATEGORIES:MEMO", "RRULE:D1"},
                  {"Anruf", "Woche", "CATEGORIES:PHONE CALL", "RRULE:W1"},
                  {"Geburtstag", "Jahr", "CATEGORIES:ANNIVERSARY", "RRULE:Y1"}};
    for (const auto& f : faelle) {
        const QStringList z = VCalendar_Zeilen(*Objekt_Aus_Zeile(Zeile(f.art, "05.03.2001", "09:05", "", "", f.wdh)));
        EXPECT_TRUE(z.contains(QLatin1String(f.kategorie))) << f.art;
        EXPECT_TRUE(z.contains(QLatin1String(f.regel))) << f.wdh;
    }
}

TEST(VCalendar, ALongDescriptionIsShortenedToFitOneUpload)
{
    const QString lang(600, QLatin1Char('x'));
    TerminObjekt o = *Objekt_Aus_Zeile(Zeile("Notiz", "05.03.2001", "09:05", lang, "Ja", "Monat"));
    const QByteArray bytes = Objektbytes(o);
    EXPECT_EQ(bytes.size(), ObjektHoechstens);
    EXPECT_TRUE(bytes.endsWith("xxx\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));

    // A short one stays whole.
    o.Beschreibung = QStringLiteral("kurz");
    EXPECT_TRUE(Objektbytes(o).contains("\r\nDESCRIPTION:kurz\r\n"));
}

TEST(VCalendar, AShortenedDescriptionKeepsWholeCharacters)
{
    TerminObjekt o{"MEMO", "20010305T090500", true, "M1 05", ""};
    const int platz = ObjektHoechstens - static_cast<int>(Objektbytes(o).size());
    const QString davor(platz - 1, QLatin1Char('x'));
    // The limit falls inside an emoji, then between a letter and its mark.
    for (const QString& rest : {QStringLiteral("😀"), QStringLiteral("e\u0301")}) {
        o.Beschreibung = davor + rest;
        EXPECT_TRUE(VCalendar_Zeilen(o).contains("DESCRIPTION:" + davor));
        EXPECT_TRUE(VCalendar_Aendern(VCalendar_Zeilen({"MEMO", o.Stempel, true, "M1 05", "x"}),
                                      {"MEMO", o.Stempel, true, "M1 05", "x"}, o)
                        .contains("DESCRIPTION:" + davor));
    }
}

TEST(VCalendar, AChangedObjectChangesOnlyTheLinesOfWhatChanged)
{
    const QStringList telefon{"BEGIN:VEVENT", "DALARM:20240315T094500;PT5M", "DTSTART:20240315T100000",
                              "RRULE:D7", "DESCRIPTION;CHARSET=UTF-8:alt", "END:VEVENT"};
    TerminObjekt vorher{"MEMO", "20240315T100000", true, "W1", "alt"};
    TerminObjekt nachher = vorher;
    EXPECT_EQ(VCalendar_Aendern(telefon, vorher, nachher), telefon);

    nachher.Alarm = false;
    nachher.Regel.clear();
    nachher.Beschreibung = QStringLiteral("neu");
    EXPECT_EQ(VCalendar_Aendern(telefon, vorher, nachher),
              (QStringList{"BEGIN:VEVENT", "DTSTART:20240315T100000", "DESCRIPTION:neu", "END:VEVENT"}));

    // An alarm switched on takes the start; a new kind gets its line.
    vorher.Alarm = false;
    nachher = vorher;
    nachher.Alarm = true;
    nachher.Kategorie = QStringLiteral("MEETING");
    EXPECT_EQ(VCalendar_Aendern({"BEGIN:VEVENT", "DTSTART:20240315T100000", "END:VEVENT"}, vorher, nachher),
              (QStringList{"BEGIN:VEVENT", "DTSTART:20240315T100000", "CATEGORIES:MEETING",
                           "DALARM:20240315T100000", "END:VEVENT"}));
}

TEST(VCalendar, APhoneObjectBecomesARow)
{
    const QStringList objekt = Textdatei::Zeilen(QString::fromStdString(sim::VCalendar(
        {"CATEGORIES:MISCELLANEOUS", "DALARM:20001224T180000", "DTSTART:20001224T183000", "RRULE:W1 #0",
         "DESCRIPTION:Treff 10:00"})));
    const TerminZeile z = VCalendar_Lesen(objekt);
    EXPECT_EQ(z, Zeile("Notiz", "24.12.2000", "18:30", QStringLiteral("Treff 10:00"), "Ja", "W1 #0"));
    EXPECT_EQ(Art_Symbol(z.Art), 3);
    // Written back, the kind carries the category the program writes for it.
    EXPECT_TRUE(VCalendar_Zeilen(*Objekt_Aus_Zeile(z)).contains(QStringLiteral("CATEGORIES:MEMO")));
}

TEST(VCalendar, KindsRulesAndKeysAsRead)
{
    const struct {
        const char* zeile;
        const char* art;
        int symbol;
        const char* wdh;
        const char* alarm;
        const char* beschreibung;
    } faelle[] = {
        {"CATEGORIES:PHONE CALL", "Anruf", 4, "", "", ""},
        {"CATEGORIES:MEMO", "Notiz", 3, "", "", ""},
        {"CATEGORIES:MEETING", "Treffen", 1, "", "", ""},
        {"CATEGORIES:ANNIVERSARY", "Geburtstag", 2, "", "", ""},
        {"CATEGORIES:memo", "memo", 0, "", "", ""},
        {"CATEGORIES:HOLIDAY", "HOLIDAY", 0, "", "", ""},
        {"RRULE:D1", "", 0, "Tag", "", ""},
        {"RRULE:D7", "", 0, "Woche", "", ""},
        {"RRULE:W1", "", 0, "Woche", "", ""},
        {"RRULE:Y1", "", 0, "Jahr", "", ""},
        {"RRULE:YD1", "", 0, "Jahr", "", ""},
        {"RRULE:M1 15", "", 0, "Monat", "", ""},
        {"RRULE:MD1 15", "", 0, "Monat", "", ""},
        {"RRULE:D1 #0", "", 0, "D1 #0", "", ""},
        {"DALARM:", "", 0, "", "", ""},
        {"DALARM:x", "", 0, "", "Ja", ""},
        {"DESCRIPTION;CHARSET=ISO-8859-1:Hallo", "", 0, "", "", ""},
        // A key counts at the start of a line only.
        {"DESCRIPTION:RRULE:D1", "", 0, "", "", "RRULE:D1"},
        {"X-DESCRIPTION:abc", "", 0, "", "", ""},
    };
    for (const auto& f : faelle) {
        const TerminZeile z = VCalendar_Lesen({QStringLiteral("BEGIN:VEVENT"), QLatin1String(f.zeile)});
        EXPECT_EQ(z.Art, QLatin1String(f.art)) << f.zeile;
        EXPECT_EQ(Art_Symbol(z.Art), f.symbol) << f.zeile;
        EXPECT_EQ(z.Wdh, QLatin1String(f.wdh)) << f.zeile;
        EXPECT_EQ(z.Alarm, QLatin1String(f.alarm)) << f.zeile;
        EXPECT_EQ(z.Beschreibung, QLatin1String(f.beschreibung)) << f.zeile;
    }
    // A later line replaces an earlier one; a stamp is taken apart by position as it is.
    const TerminZeile z = VCalendar_Lesen({"DTSTART:20010301T090500", "DTSTART:2001", "DESCRIPTION:a",
                                           "DESCRIPTION:b"});
    EXPECT_EQ(z.Datum, "..2001");
    EXPECT_EQ(z.Uhrzeit, ":");
    EXPECT_EQ(z.Beschreibung, "b");
}

TEST(VCalendar, AnObjectFileIsReadOnceAndDeleted)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("vcs7.pvp"));
    EXPECT_FALSE(Termindatei_Lesen(pfad, Textdatei::Kodierung::Telefon).has_value());
    // Line ends of any kind.
    Datei_Anlegen(pfad, "BEGIN:VEVENT\nCATEGORIES:MEETING\nDTSTART:20240315T093000\nDESCRIPTION:x\n");
    const std::optional<TerminZeile> z = Termindatei_Lesen(pfad, Textdatei::Kodierung::Telefon);
    ASSERT_TRUE(z.has_value());
    EXPECT_EQ(*z, Zeile("Treffen", "15.03.2024", "09:30", QStringLiteral("x"), "", ""));
    EXPECT_FALSE(QFile::exists(pfad));
    EXPECT_EQ(Platz_Datei(7), Programmdatei("vcs7.pvp"));
    EXPECT_EQ(Neuer_Termin_Datei(), Programmdatei("vcsnew.pvp"));
}

TEST(VCalendar, ObjectFilesCarryThePhonesBytesOneToOne)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("vcs8.pvp"));
    Datei_Anlegen(pfad, "BEGIN:VEVENT\r\nDTSTART:20240315T093000\r\nDESCRIPTION:\x80\xE4\r\n");
    const std::optional<TerminZeile> z = Termindatei_Lesen(pfad, Textdatei::Kodierung::Telefon);
    ASSERT_TRUE(z.has_value());
    EXPECT_EQ(z->Beschreibung, QString(QChar(0x80)) + QStringLiteral("ä"));
    // Handed over for an upload, the description comes back whole and goes out as those bytes.
    const QString neu = ordner.filePath(QStringLiteral("vcsnew.pvp"));
    ASSERT_TRUE(Objekt_Speichern(neu, *Objekt_Aus_Zeile(*z)));
    EXPECT_TRUE(Objektzeilen_Lesen(neu)->contains(QStringLiteral("DESCRIPTION:") + z->Beschreibung));
    EXPECT_EQ(Datenobjekt::Text_Kodieren(z->Beschreibung), "80E4");
}

// ---- ".kal" lines --------------------------------------------------------------------------

TEST(KalZeile, SixFieldsWithoutTheIndex)
{
    TerminZeile z = Zeile("Notiz", "24.12.2000", "18:30", QStringLiteral("Weihnachten"), "", "");
    z.Index = QStringLiteral("07");
    EXPECT_EQ(KalZeile_Schreiben(z), "Notiz\t24.12.2000\t18:30\tWeihnachten\t\t");
    z.Index.clear();
    EXPECT_EQ(KalZeile_Lesen(QStringLiteral("Notiz\t24.12.2000\t18:30\tWeihnachten\t\t")), z);
}

TEST(KalZeile, ATabInTheDescriptionFromThePhoneKeepsTheFieldsInPlace)
{
    const TerminZeile z = VCalendar_Lesen({"BEGIN:VEVENT", "CATEGORIES:MEETING", "DALARM:20010301T090500",
                                           "DTSTART:20010301T090500", "RRULE:W1", "DESCRIPTION:Arzt\tZimmer 2"});
    EXPECT_EQ(KalZeile_Lesen(KalZeile_Schreiben(z)),
              Zeile("Treffen", "01.03.2001", "09:05", QStringLiteral("Arzt Zimmer 2"), "Ja", "Woche"));
}

TEST(KalZeile, TheSixthFieldTakesTheRestAndFiveTabsAreNeeded)
{
    EXPECT_EQ(KalZeile_Lesen(QStringLiteral("Treffen\t01.03.2001\t09:05\tA\tB\tJa\tMonat")),
              Zeile("Treffen", "01.03.2001", "09:05", QStringLiteral("A"), "B", "Ja\tMonat"));
    EXPECT_FALSE(KalZeile_Lesen(QStringLiteral("Notiz\t01.01.2001\t10:00\tx\t")).has_value());
    EXPECT_FALSE(KalZeile_Lesen(QString()).has_value());
}

}  // namespace
