#include "common/Zeichen.h"

#include <gtest/gtest.h>

using namespace Module1;

TEST(Zeichen, AllSixteenCharactersRoundTrip)
{
    QString text = QStringLiteral("ÄÖÜäöüßèéÉÂâàìù@");
    const QString original = text;
    const QString gewandelt = Zeichen_Wandeln(text);
    EXPECT_EQ(text, gewandelt);  // converted in place
    const int codes[] = {91, 92, 94, 123, 124, 126, 30, 4, 5, 31, 14, 15, 127, 7, 6, 0};
    ASSERT_EQ(gewandelt.size(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(gewandelt.at(i).unicode(), codes[i]) << i;
    EXPECT_EQ(Zeichen_Rueckwandeln(text), original);
}

TEST(Zeichen, OtherCharactersPassAndPhoneCodesComeBackAsUmlauts)
{
    QString name = QStringLiteral("Müller@Straße");
    Zeichen_Wandeln(name);
    EXPECT_EQ(name, QString("M") + QChar(126) + "ller" + QChar(0) + "Stra" + QChar(30) + "e");
    Zeichen_Rueckwandeln(name);
    EXPECT_EQ(name, QStringLiteral("Müller@Straße"));

    QString klammer = "[x";
    EXPECT_EQ(Zeichen_Wandeln(klammer), "[x");
    EXPECT_EQ(Zeichen_Rueckwandeln(klammer), QStringLiteral("Äx"));
    QString leer;
    EXPECT_EQ(Zeichen_Wandeln(leer), "");
    QString null(QChar(0));
    EXPECT_EQ(Zeichen_Rueckwandeln(null), "@");
}

TEST(Zeichen, Checks)
{
    for (auto pruefen : {Adresse_Pruefen, Nummer_Pruefen, Ziffern_Pruefen, Servicenummer_Pruefen, Name_Pruefen})
        EXPECT_TRUE(pruefen(""));
    EXPECT_FALSE(Name_Pruefen("Anna@"));
    EXPECT_FALSE(Name_Pruefen(QStringLiteral("Åsa")));
    EXPECT_FALSE(Name_Pruefen("Anna\""));
    EXPECT_FALSE(Name_Pruefen("Anna;"));
    EXPECT_TRUE(Name_Pruefen(QStringLiteral("O'Brien (Büro) éèÉÂâàìù")));
    EXPECT_FALSE(Nummer_Pruefen("+49 171"));
    EXPECT_TRUE(Nummer_Pruefen("+49*171#"));
    EXPECT_FALSE(Nummer_Pruefen("12F"));
    EXPECT_TRUE(Adresse_Pruefen("12F"));
    EXPECT_FALSE(Adresse_Pruefen("12f"));
    EXPECT_TRUE(Ziffern_Pruefen("1234"));
    EXPECT_FALSE(Ziffern_Pruefen("12a4"));
    EXPECT_TRUE(Servicenummer_Pruefen("+491710760000"));
    EXPECT_FALSE(Servicenummer_Pruefen("0171*"));
}
