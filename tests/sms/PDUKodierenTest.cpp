// Building the SMS-SUBMIT unit for "at+cmgs=" and "at+cmgw=", and reading it back.
#include "sms/PDU.h"
#include "sms/SMSAlphabet.h"

#include <gtest/gtest.h>

#include <random>

using namespace Module1;

TEST(PDUKodieren, BeispieleByteFuerByte)
{
    struct Fall {
        QString text, nummer;
        bool report, direkt;
        int gueltigkeit;
        QString pdu;
        int oktette;
    };
    const Fall faelle[] = {
        {"Test", "+49171234567", false, false, 0, "0011000B919471214365F70000FF08D4F29C0E028140", 21},
        {"Hallo Welt!", "0171234567", true, false, 4, "0031000A8110173254760000A710C8309BFD065DCB6C7A0804028140", 27},
        {"12345678", "+49171234567", false, false, 0, "0011000B919471214365F70000FF1031D98C56B3DD7020100804028140", 28},
        // * and #, flash coding, four weeks, umlauts and ß through the conversion
        {QStringLiteral("Grüße aus Köln"), "0171*31#", true, true, 7,
         "003100088110173AB100F0C21047B9DF530685EB73D092CF768340", 26},
        // no duration chosen, odd length, ä as 7B and @ as 00
        {QStringLiteral("ä@"), "+4930123", false, false, -1, "0011000791940321F30000FF087B000804028140", 19},
        // stored without recipient
        {"Test", "", false, false, 0, "00110000810000FF08D4F29C0E028140", 15},
    };
    for (const Fall& f : faelle) {
        const SubmitPDU s = PDU_Kodieren(f.text, f.nummer, f.report, f.direkt, f.gueltigkeit);
        EXPECT_EQ(s.PDU, f.pdu) << f.text.toStdString();
        EXPECT_EQ(s.Oktette, f.oktette) << f.text.toStdString();
    }
}

TEST(PDUKodieren, AuffuellenUndNutzdatenlaenge)
{
    const std::pair<int, int> laengen[] = {{0, 8}, {1, 8}, {7, 8}, {8, 16}, {9, 16}, {15, 16},
                                           {16, 24}, {152, 160}, {159, 160}};
    for (const auto& [vorher, nachher] : laengen) {
        const QString t = Text_Auffuellen(QString(vorher, QLatin1Char('x')));
        EXPECT_EQ(t.size(), nachher) << vorher;
        EXPECT_EQ(t.mid(vorher), QString(nachher - vorher, QLatin1Char(' ')));
    }
    // The user-data length sits right in front of the packed text.
    const auto udl = [](int n) {
        const QString pdu = PDU_Kodieren(QString(n, QLatin1Char('x')), "+49171234567", false, false, 0).PDU;
        return pdu.mid(28, 2);
    };
    EXPECT_EQ(udl(1), "08");
    EXPECT_EQ(udl(8), "10");
    EXPECT_EQ(udl(152), "A0");
    EXPECT_EQ(udl(159), "A0");
    EXPECT_EQ(PDU_Kodieren(QString(159, QLatin1Char('x')), "+49171234567", false, false, 0).Oktette, 154);
    // More than fits a message is cut, never a user-data length above 160.
    EXPECT_EQ(udl(200), "A0");
}

TEST(PDUKodieren, GueltigkeitUndOptionen)
{
    const char* const oktette[] = {"FF", "0B", "47", "8F", "A7", "AD", "B4", "C2"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Gueltigkeit_Oktett(i), oktette[i]);
    EXPECT_EQ(Gueltigkeit_Oktett(-1), "FF");
    EXPECT_EQ(Gueltigkeit_Oktett(8), "FF");

    const QString pdu = PDU_Kodieren("a", "12", true, true, 3).PDU;
    EXPECT_EQ(pdu.left(14), "00310002812100");
    EXPECT_EQ(pdu.mid(14, 4), "F08F");
    // A character without GSM code goes as "?", the length is unchanged.
    for (const char16_t* ohne : {u"á", u"Â", u"`", u"😀", u"Ж"})
        EXPECT_EQ(PDU_Kodieren(QString::fromUtf16(ohne), "", false, false, 0).PDU,
                  PDU_Kodieren(QStringLiteral("?"), "", false, false, 0).PDU);
}

TEST(PDUKodieren, ErweiterungstabelleUndSeptettgrenze)
{
    // Eleven septets: "€", "[" and "]" take two each; "$" and "_" have codes of their own.
    const QString text = QStringLiteral("€ [x] $_");
    EXPECT_EQ(SMS_Septettzahl(text), 11);
    EXPECT_EQ(PDU_Kodieren(text, "+49171234567", false, false, 0).PDU,
              "0011000B919471214365F70000FF109B3268C3C36F7C20410404028140");
    EXPECT_EQ(PDU_Kodieren(QStringLiteral("Δ_á?"), "", false, false, 0).PDU, "00110000810000FF0890C8EF07028140");
    EXPECT_EQ(SMS_Septettzahl(QStringLiteral("😀")), 1);

    // The limit counts septets: 157 letters and "€" fill 159, 158 letters leave no room for it.
    const auto udl = [](const QString& t) { return PDU_Kodieren(t, "", false, false, 0).PDU.mid(16, 2); };
    EXPECT_EQ(udl(QString(157, 'x') + QStringLiteral("€")), "A0");
    EXPECT_EQ(Text_Auffuellen(QString(157, 'x') + QStringLiteral("€")), QString(157, 'x') + QStringLiteral("€ "));
    EXPECT_EQ(SMS_Kuerzen(QString(158, 'x') + QStringLiteral("€"), SMSText_Hoechstlaenge), QString(158, 'x'));
    EXPECT_EQ(udl(QString(158, 'x') + QStringLiteral("€")), "A0");
    EXPECT_EQ(udl(QString(100, QChar(u'€'))), "A0");
    EXPECT_EQ(SMS_Kuerzen(QString(100, QChar(u'€')), SMSText_Hoechstlaenge), QString(79, QChar(u'€')));
    // A character beyond 16 bits is never split.
    EXPECT_EQ(SMS_Kuerzen(QStringLiteral("ab😀"), 2), "ab");
    EXPECT_EQ(SMS_Kuerzen(QStringLiteral("ab😀"), 3), QStringLiteral("ab😀"));
}

TEST(PDUKodieren, EmpfaengerPruefen)
{
    for (const char* gut : {"0171234567", "+49171234567", "*31#", "+4930*1#"})
        EXPECT_EQ(Empfaenger_Pruefen(gut), Empfaengerpruefung::Gut) << gut;
    for (const char* leer : {"", "+"})
        EXPECT_EQ(Empfaenger_Pruefen(leer), Empfaengerpruefung::Leer) << leer;
    // Names and "???" handed over from the reading window, blanks, a "+" further on.
    for (const char* schlecht : {"???", "DHL", "0171 234", "49+1", "++49", "0171-2"})
        EXPECT_EQ(Empfaenger_Pruefen(schlecht), Empfaengerpruefung::Ungueltig) << schlecht;
    // The address field holds 20 digits; the "+" is not one of them.
    EXPECT_EQ(Empfaenger_Pruefen(QString(20, '1')), Empfaengerpruefung::Gut);
    EXPECT_EQ(Empfaenger_Pruefen("+" + QString(19, '1') + "#"), Empfaengerpruefung::Gut);
    EXPECT_EQ(Empfaenger_Pruefen(QString(21, '1')), Empfaengerpruefung::Ungueltig);
    EXPECT_EQ(Empfaenger_Pruefen("+" + QString(20, '1') + "*"), Empfaengerpruefung::Ungueltig);
}

// What the encoder builds, read back as a stored unsent message, gives the number and the text
// with its filling, for every length in septets and for every character of the alphabet and its
// extension table.
TEST(PDUKodieren, RundlaufDurchDenDekodierer)
{
    const QString zeichen = QStringLiteral(
        "@£$¥èéùìòÇ\nØøÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
        "¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà"
        "\f^{}\\[~]|€€€€€");
    const QString ziffern = QStringLiteral("0123456789*#");

    std::mt19937 zufall(20000);
    const auto wahl = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(zufall)); };
    int faelle = 0;
    for (int laenge = 1; laenge <= SMSText_Hoechstlaenge; ++laenge) {
        for (int wiederholung = 0; wiederholung < 8; ++wiederholung, ++faelle) {
            QString text;
            while (SMS_Septettzahl(text) < laenge) {
                const QChar c = zeichen[wahl(int(zeichen.size()))];
                if (SMS_Septettzahl(text + c) <= laenge)
                    text += c;
            }
            QString nummer = wahl(2) ? QStringLiteral("+") : QString();
            const int stellen = nummer.isEmpty() ? wahl(21) : 1 + wahl(20);
            for (int i = 0; i < stellen; ++i)
                nummer += ziffern[wahl(int(ziffern.size()))];

            const SubmitPDU s = PDU_Kodieren(text, nummer, wahl(2), wahl(2), wahl(9) - 1);
            ASSERT_EQ(s.Oktette * 2 + 2, s.PDU.size());
            const SMSFelder f = SMSFelder::Zerlegen(PDUUngesendet_Dekodieren(s.PDU));
            ASSERT_EQ(f.Nummer, nummer) << s.PDU.toStdString();
            ASSERT_EQ(f.Text, Text_Auffuellen(text)) << s.PDU.toStdString();
            ASSERT_LE(SMS_Septettzahl(f.Text), 160);
        }
    }
    EXPECT_EQ(faelle, 159 * 8);
}
