// Decoding the PDUs of the message list: received messages, status reports, stored messages.
#include "sms/PDU.h"
#include "sms/SMSAlphabet.h"

#include <gtest/gtest.h>

using namespace Module1;

namespace {

const QString Zentrale = QStringLiteral("0791947101670000");               // +491710760000
const QString Absender = QStringLiteral("0B919471214365F7");               // +49171234567
const QString Stempel = QStringLiteral("30201021436540");                  // 01/02/03 12:34:56
const QString Hellohello = QStringLiteral("0AE8329BFD4697D9EC37");         // UDL 10, "hellohello"

struct Fall {
    const char* name;
    QString pdu;
    QString satz;
};

void Pruefe(QString (*dekodierer)(const QString&), const std::vector<Fall>& faelle)
{
    for (const Fall& f : faelle)
        EXPECT_EQ(dekodierer(f.pdu), f.satz) << f.name;
}

}  // namespace

TEST(PDUDekodieren, EmpfangeneNachrichten)
{
    Pruefe(PDU_Dekodieren, {
        {"hellohello in two chunks, no fill characters left",
         Zentrale + "04" + Absender + "0000" + Stempel + Hellohello,
         "^+491710760000^+49171234567^01/02/03^12:34:56^hellohello"},
        {"reference deliver 'How are you?', odd centre number loses its F",
         "07911326040000F0040B911346610089F60000208062917314080CC8F71D14969741F977FD07",
         "^+31624000000^+31641600986^26/08/02^19:37:41^How are you?"},
        {"centre without type 91 gets no plus; odd centre length drops F",
         "07819471220700F0040A8110325476980000" + Stempel + "00",
         "^49172270000^0123456789^01/02/03^12:34:56^"},
        {"empty centre field consumes one octet",
         "00" "04" + Absender + "0000" + Stempel + Hellohello,
         "^^+49171234567^01/02/03^12:34:56^hellohello"},
        {"first octet 24 (more messages, reply path) is still a received message",
         Zentrale + "24" + Absender + "0000" + Stempel + Hellohello,
         "^+491710760000^+49171234567^01/02/03^12:34:56^hellohello"},
        {"sender length 0", Zentrale + "040081" "0000" + Stempel + "05C8329BFD06",
         "^+491710760000^???^01/02/03^12:34:56^Hello"},
        {"number with * and # shows them again", Zentrale + "040881" "21431A2B" "0000" + Stempel + "00",
         "^+491710760000^1234*1#2^01/02/03^12:34:56^"},
        {"7 characters padded with CR: exactly UDL septets",
         Zentrale + "04" + Absender + "0000" + Stempel + "0761F1985C369F1B",
         "^+491710760000^+49171234567^01/02/03^12:34:56^abcdefg"},
        {"a real @ at the end survives",
         Zentrale + "04" + Absender + "0000" + Stempel + "085079393D07D500",
         "^+491710760000^+49171234567^01/02/03^12:34:56^Preis 5@"},
        {"umlaut codes come back as PC characters",
         Zentrale + "04" + Absender + "0000" + Stempel + "047B3FDF03",   // codes 123 126 124 30
         QStringLiteral("^+491710760000^+49171234567^01/02/03^12:34:56^äüöß")},
        {"escape table: ESC e is €, nothing is lost around it",
         Zentrale + "04" + Absender + "0000" + Stempel + "0A35D0A60C82CACBE939",
         QStringLiteral("^+491710760000^+49171234567^01/02/03^12:34:56^5 € Preis")},
        {"empty user data", Zentrale + "04" + Absender + "0000" + Stempel + "00",
         "^+491710760000^+49171234567^01/02/03^12:34:56^"},
        {"lower-case hex reads the same",
         QStringLiteral("0791947101670000040b919471214365f70000302010214365400ae8329bfd4697d9ec37"),
         "^+491710760000^+49171234567^01/02/03^12:34:56^hellohello"},
    });
}

namespace {

// A received message with the given first octet, coding and user data (length first).
QString Empfangen(const char* erstes, const char* kodierung, const QString& nutzdaten)
{
    return Zentrale + erstes + Absender + "00" + kodierung + Stempel + nutzdaten;
}

QString Text_Von(const QString& pdu) { return SMSFelder::Zerlegen(PDU_Dekodieren(pdu)).Text; }

}  // namespace

TEST(PDUDekodieren, NutzdatenkopfWirdUebersprungen)
{
    // First of two segments of a long message, reference A1: the header takes 7 septets, one fill bit.
    EXPECT_EQ(Text_Von(Empfangen("44", "00", "0C050003A10201906536FB0D")), "Hello");
    // A header of 7 octets ends on a septet boundary: no fill bits.
    EXPECT_EQ(Text_Von(Empfangen("44", "00", "0D06080412340201C8329BFD06")), "Hello");
    EXPECT_EQ(Text_Von(Empfangen("64", "00", "10050003A102019069D086B7296F7C")), QStringLiteral("Hi [€]"));
    EXPECT_EQ(Text_Von(Empfangen("44", "04", "09050003A102014800FF")), "4800FF");
    EXPECT_EQ(Text_Von(Empfangen("44", "08", "16050003A102010047007200FC00DF00650020041620AC")),
              QStringLiteral("Grüße Ж€"));
    // A stored SUBMIT with a header, and a header longer than the data.
    EXPECT_EQ(SMSFelder::Zerlegen(PDUGesendet_Dekodieren(Zentrale + "51050B919471214365F70000FF"
                                                         "0C050003A10201906536FB0D"))
                  .Text,
              "Hello");
    EXPECT_EQ(Text_Von(Empfangen("44", "00", "0CFF0003")), "");
    EXPECT_EQ(Text_Von(Empfangen("44", "08", "04FF0003")), "");
}

TEST(PDUDekodieren, KodierungNachDatenkodierschema)
{
    const QString ucs2 = "1C0047007200FC00DF006500200061007500730020004B00F6006C006E";
    EXPECT_EQ(Text_Von(Empfangen("04", "08", ucs2)), QStringLiteral("Grüße aus Köln"));
    EXPECT_EQ(Text_Von(Empfangen("04", "08", "16041F044004380432043504420020D83DDE00002020AC")),
              QStringLiteral("Привет 😀 €"));
    // Only the octets the length announces; an odd last octet is no character.
    EXPECT_EQ(Text_Von(Empfangen("04", "08", "03004100420043")), "A");
    EXPECT_EQ(Text_Von(Empfangen("04", "04", "0301AB7F")), "01AB7F");
    struct Fall {
        const char* kodierung;
        QString erwartet;
    };
    const Fall faelle[] = {
        {"00", "hellohello"}, {"10", "hellohello"}, {"F0", "hellohello"}, {"F3", "hellohello"},
        {"C8", "hellohello"}, {"D3", "hellohello"}, {"40", "hellohello"},  // 7-bit groups
        {"04", "E8329BFD4697D9EC37"}, {"F4", "E8329BFD4697D9EC37"},       // 8-bit data
        {"24", "E8329BFD4697D9EC37"}, {"0C", "E8329BFD4697D9EC37"},       // compressed, reserved alphabet
        {"80", "E8329BFD4697D9EC37"}, {"B0", "E8329BFD4697D9EC37"},       // reserved groups
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Text_Von(Empfangen("04", f.kodierung, Hellohello)), f.erwartet) << f.kodierung;
    // UCS2 in the general, class and message-waiting groups.
    for (const char* kodierung : {"08", "18", "48", "E0", "E8"})
        EXPECT_EQ(Text_Von(Empfangen("04", kodierung, ucs2)), QStringLiteral("Grüße aus Köln")) << kodierung;
}

TEST(PDUDekodieren, GanzesAlphabetMitErweiterungstabelle)
{
    // Every code of the default alphabet but the escape, in order.
    const QString alphabet = QStringLiteral(
        "@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
        "¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà");
    uint8_t codes[127];
    for (int i = 0, c = 0; c < 128; ++c)
        if (c != 0x1B)
            codes[i++] = uint8_t(c);
    EXPECT_EQ(SMS_Text(codes, 127), alphabet);
    EXPECT_EQ(Text_Von(Empfangen("04", "00", "1F01C120020477FB90CA4681DF5036A84D6AF3DAF036BD8D6F03DC9401")),
              QStringLiteral("£$¥_¡¿ÑñΔΩ\fx^{}\\[~]|€"));
    // An escape before a code without extension character, before an escape, at the end.
    const uint8_t rest[] = {0x1B, 0x41, 0x1B, 0x1B, 0x42, 0x1B};
    EXPECT_EQ(SMS_Text(rest, 6), "A B ");
    // 80 euro signs fill all 160 septets.
    QByteArray euro;
    for (int i = 0; i < 80; ++i)
        euro += "\x1b\x65";
    EXPECT_EQ(SMS_Text(reinterpret_cast<const uint8_t*>(euro.constData()), euro.size()),
              QString(80, QChar(u'€')));
}

TEST(PDUDekodieren, HundertsechzigZeichen)
{
    // "abcdefghij" repeats every 40 characters = 35 octets.
    const QString block = QStringLiteral(
        "61F1985C369FD16975583C2697CD67745A1D168FC965F3199D5687C56372D97C46A7D5");
    const QString satz = PDU_Dekodieren(Zentrale + "04" + Absender + "0000" + Stempel + "A0" + block.repeated(4));
    EXPECT_EQ(SMSFelder::Zerlegen(satz).Text, QStringLiteral("abcdefghij").repeated(16));
}

TEST(PDUDekodieren, AlphanumerischeAbsenderNachTyp)
{
    const QString rest = "0000" + Stempel + Hellohello;
    EXPECT_EQ(SMSFelder::Zerlegen(PDU_Dekodieren(Zentrale + "0407D049B7F90D" + rest)).Nummer, "Info");
    // Converted back from the phone's codes: "{" is ä.
    EXPECT_EQ(SMSFelder::Zerlegen(PDU_Dekodieren(Zentrale + "040BD0C2FD785D9603" + rest)).Nummer,
              QStringLiteral("Bäcker"));
    // The hex of "DHL" looks like digits; the type decides.
    EXPECT_EQ(SMSFelder::Zerlegen(PDU_Dekodieren(Zentrale + "0406D0442413" + rest)).Nummer, "DHL");
    // Seven characters in 13 semi-octets: no eighth character from the fill bits; "@" is kept.
    EXPECT_EQ(Absender_Dekodieren("4131600C229601", 13), "Ab@c De");
    EXPECT_EQ(Absender_Dekodieren("49B7F90D"), "Info");
    // A "^" of the extension table in a name would split the record: it shows as the modifier.
    const SMSFelder mitDach = SMSFelder::Zerlegen(PDU_Dekodieren(Zentrale + "0407D0C10D4508" + rest));
    EXPECT_EQ(mitDach.Nummer, QStringLiteral("AˆB"));
    EXPECT_EQ(mitDach.Datum, "01/02/03");
    EXPECT_EQ(mitDach.Text, "hellohello");
}

TEST(PDUDekodieren, StatusreportNachNachrichtentyp)
{
    const QString rumpf = QStringLiteral("2A0B919471214365F7302010214365403020102153804000");
    const QString erwartet = QStringLiteral(
        "^+491710760000^+491710760000^^^Statusreport: Meldung an +49171234567, gesendet: 01/02/03, "
        "12:34:56 Uhr. Ausgeliefert: 01/02/03, 12:35:08 Uhr.");
    for (int erstes = 0; erstes < 256; ++erstes) {
        const QString satz = PDU_Dekodieren(Zentrale + QStringLiteral("%1").arg(erstes, 2, 16, QLatin1Char('0')) + rumpf);
        if ((erstes & 3) == 2)
            EXPECT_EQ(satz, erwartet) << erstes;
        else
            EXPECT_FALSE(satz.contains("Statusreport")) << erstes;
    }
    // Status 00-1F: completed; anything else did not arrive.
    const QString fehlgeschlagen = QStringLiteral(
        "^+491710760000^+491710760000^^^Statusreport: Meldung an +49171234567, gesendet: 01/02/03, "
        "12:34:56 Uhr. Nicht ausgeliefert: 01/02/03, 12:35:08 Uhr.");
    const QString ohneStatus = Zentrale + "062A0B919471214365F73020102143654030201021538040";
    EXPECT_EQ(PDU_Dekodieren(ohneStatus + "1F"), erwartet);
    for (const char* status : {"20", "41", "45", "60", "FF"})
        EXPECT_EQ(PDU_Dekodieren(ohneStatus + status), fehlgeschlagen) << status;
    // A report without recipient digits does not fail.
    EXPECT_EQ(PDU_Dekodieren(Zentrale + "062A0081" "302010214365403020102153804000"),
              "^+491710760000^+491710760000^^^Statusreport: Meldung an , gesendet: 01/02/03, 12:34:56 Uhr. "
              "Ausgeliefert: 01/02/03, 12:35:08 Uhr.");
}

TEST(PDUDekodieren, GespeicherteNachrichten)
{
    Pruefe(PDUGesendet_Dekodieren, {
        {"list header before the comma", "22,0791947101670000" "11050B919471214365F70000FF08D4F29C0E028140",
         "^+491710760000^+49171234567^^^Test    "},
        {"no validity period (format 00)", Zentrale + "01050B919471214365F7000004D4F29C0E",
         "^+491710760000^+49171234567^^^Test"},
        {"enhanced validity period, 7 octets", Zentrale + "09050B919471214365F70000" "01020304050607" "04D4F29C0E",
         "^+491710760000^+49171234567^^^Test"},
        {"absolute validity period, 7 octets", Zentrale + "19050B919471214365F70000" + Stempel + "04D4F29C0E",
         "^+491710760000^+49171234567^^^Test"},
    });
    Pruefe(PDUUngesendet_Dekodieren, {
        {"empty message without recipient", "00110000810000FF00", "^^^ ^ ^"},
        {"Hallo without recipient", "00110000810000FF05C8309BFD06", "^^^ ^ ^Hallo"},
        {"own encoding keeps its padding", "0011000B919471214365F70000FF08D4F29C0E028140",
         "^^+49171234567^ ^ ^Test    "},
        {"centre field is read over and dropped", Zentrale + "11000B919471214365F70000FF08D4F29C0E028140",
         "^^+49171234567^ ^ ^Test    "},
        {"reference submit, relative validity AA", "0011000B916407281553F80000AA0AE8329BFD4697D9EC37",
         "^^+46708251358^ ^ ^hellohello"},
        {"national number, odd length", "001100098101234567F90000FF00",
         "^^103254769^ ^ ^"},
    });
}

TEST(PDUDekodieren, KaputteEingabenSoWeitEsGeht)
{
    Pruefe(PDU_Dekodieren, {
        {"empty", "", "^^^^^"},
        {"not hexadecimal", "ZZ11", "^^^^^"},
        {"sender cut short", "0791947101670000040B9194", "^+491710760000^+49^^^"},
        {"odd length", "0791947101670000040B919471214365F70000302010214365400AE8329BFD4697D9EC3",
         "^+491710760000^+49171234567^01/02/03^12:34:56^hellohell"},
        {"user data shorter than announced", Zentrale + "04" + Absender + "0000" + Stempel + "FFE8329B",
         "^+491710760000^+49171234567^01/02/03^12:34:56^hel"},
        {"garbage in the middle", Zentrale + "04" + Absender + "00X0" + Stempel,
         "^+491710760000^+49171234567^^^"},
        {"centre length beyond the text", "FF91", "^^^^^"},
        {"status report cut after the recipient", Zentrale + "062A0B919471214365F7",
         "^+491710760000^+491710760000^^^Statusreport: Meldung an +49171234567, gesendet: ,  Uhr. "
         "Ausgeliefert: ,  Uhr."},
    });
    EXPECT_EQ(PDUGesendet_Dekodieren(",,"), "^^^^^");
    EXPECT_EQ(PDUUngesendet_Dekodieren("00"), "^^^ ^ ^");
    EXPECT_EQ(Absender_Dekodieren("Q"), "");
}

TEST(PDUDekodieren, DekodiererNachNachrichtentyp)
{
    const QString pdu = "00110000810000FF05C8309BFD06";
    EXPECT_EQ(Nachricht_Dekodieren(2, pdu), PDUUngesendet_Dekodieren(pdu));
    EXPECT_EQ(Nachricht_Dekodieren(3, pdu), PDUGesendet_Dekodieren(pdu));
    // A stored SUBMIT listed as received keeps the rules of a stored sent message.
    for (int status : {0, 1})
        EXPECT_EQ(Nachricht_Dekodieren(status, pdu), PDUGesendet_Dekodieren(pdu)) << status;
    // A DELIVER and a status report read the same under every list status.
    const QString deliver = Empfangen("04", "00", Hellohello);
    const QString report = Zentrale + "062A0B919471214365F7302010214365403020102153804000";
    for (int status = 0; status < 4; ++status) {
        EXPECT_EQ(Nachricht_Dekodieren(status, deliver), "^+491710760000^+49171234567^01/02/03^12:34:56^hellohello");
        EXPECT_EQ(Nachricht_Dekodieren(status, report), PDU_Dekodieren(report)) << status;
        // Type 11 is reserved and read as a DELIVER; a list header before a comma goes.
        EXPECT_EQ(Nachricht_Dekodieren(status, "22," + Empfangen("07", "00", Hellohello)),
                  "^+491710760000^+49171234567^01/02/03^12:34:56^hellohello");
    }
    EXPECT_EQ(Nachrichtentyp(report), SMS_STATUS_REPORT);
    EXPECT_EQ(Nachrichtentyp(deliver), SMS_DELIVER);
    EXPECT_EQ(Nachrichtentyp(pdu), SMS_SUBMIT);
    EXPECT_EQ(Nachrichtentyp("0791"), -1);
    EXPECT_FALSE(Nachricht_Dekodieren(4, pdu).has_value());
    EXPECT_FALSE(Nachricht_Dekodieren(-1, pdu).has_value());
}

TEST(PDUDekodieren, FelderZerlegen)
{
    const SMSFelder f = SMSFelder::Zerlegen("^+4930^Anna^01/02/03^12:00:00^a^b");
    EXPECT_EQ(f.Zentrale, "+4930");
    EXPECT_EQ(f.Nummer, "Anna");
    EXPECT_EQ(f.Text, "a^b");
    EXPECT_EQ(f.Satz(), "^+4930^Anna^01/02/03^12:00:00^a^b");
    EXPECT_EQ(SMSFelder::Zerlegen("^x").Zentrale, "x");
}

TEST(PDUDekodieren, Bitketten)
{
    EXPECT_EQ(Bits_Bilden(65), "01000001");
    EXPECT_EQ(Bits_Bilden(0), "00000000");
    EXPECT_EQ(Bits_Bilden(255), "11111111");
    EXPECT_EQ(Septett_Wandeln("1000001"), 65);
    EXPECT_EQ(Septett_Wandeln("100000"), 0);
    EXPECT_EQ(Septett_Wandeln("10000010"), 0);
    EXPECT_EQ(Oktett_Wandeln("11111111"), 255);
    EXPECT_EQ(Oktett_Wandeln("1111111"), 0);
    for (int w = 0; w < 256; ++w)
        ASSERT_EQ(Oktett_Wandeln(Bits_Bilden(w)), w);
}
