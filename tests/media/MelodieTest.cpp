// The melody: upload, download, deletion and play on the simulated phone, the MIDI file list
// and the preview on the PC, and FluidSynth rendering a melody into a file.
#include "MedienHilfen.h"

#include "media/Dateilisten.h"
#include "media/MidiVorschau.h"

#include <QFileInfo>
#include <QPushButton>
#include <QtEndian>
#include <alsa/asoundlib.h>
#include <gtest/gtest.h>

using namespace medien_test;

namespace {

// A valid MIDI file of one note after a text event of `text` bytes: 43 bytes plus the text.
QByteArray Midi(int text)
{
    QByteArray spur = QByteArray::fromHex("00FF01");
    if (text < 128)
        spur += char(text);
    else
        spur += char(0x80 | (text >> 7)) + QByteArray(1, char(text & 0x7F));
    spur += QByteArray(text, 'A');
    spur += QByteArray::fromHex("00C000" "00903C64" "8300803C40" "00FF2F00");
    QByteArray laenge(4, '\0');
    qToBigEndian<quint32>(quint32(spur.size()), laenge.data());
    return QByteArray::fromHex("4D546864" "00000006" "0000" "0001" "0060") + "MTrk" + laenge + spur;
}

// Bytes 0, 1, ... 255, 0, 1 ...: every value, the small ones with their leading zero.
QByteArray Folge(int laenge)
{
    QByteArray d(laenge, '\0');
    for (int i = 0; i < laenge; ++i)
        d[i] = char(i & 0xFF);
    return d;
}

class Melodie : public ::testing::Test, protected MedienSim {
protected:
    void SetUp() override
    {
        ordner = QDir(temp.path()).filePath("midi");
        QDir().mkpath(ordner);
        f = Form15::Instanz();
        f->Dir1->Path_Setzen(ordner);
        Vergessen();
    }

    // Puts the file into the MIDI folder and selects it.
    void Waehlen(const QString& name, const QByteArray& inhalt)
    {
        Datei_Anlegen(QDir(ordner).filePath(name), inhalt);
        f->File2->Refresh();
        const auto treffer = f->File2->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(treffer.size(), 1);
        f->File2->setCurrentItem(treffer.first());
    }

    QTemporaryDir temp;
    QString ordner;
    Form15* f = nullptr;
};

TEST_F(Melodie, UploadDeletesFirstThenSendsTheBlocks)
{
    const QByteArray m = Midi(134);
    Waehlen("lied.mid", m);
    f->Command2->click();
    EXPECT_EQ(Empfangen(), "AT^SBNW=mid,0,0\r\n" + Hochladung("mid", m));
    EXPECT_TRUE(Empfangen().endsWith("AT^SBNW=mid,0,2,2\r\n" "00" "\x1A"));  // the second block of one byte
    EXPECT_EQ(Objekt("mid"), m);
    EXPECT_EQ(anzeige.Status, QStringList({"Schreibe MIDI...", "Fertig."}));
    EXPECT_EQ(anzeige.Maximum, 2);
    EXPECT_EQ(anzeige.Werte, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
}

TEST_F(Melodie, FiveThousandBytesGoInTwentyNineBlocksOneMoreIsRefused)
{
    const QByteArray gross = Folge(5000);
    Waehlen("gross.mid", gross);
    f->Command2->click();
    const QByteArray wire = Empfangen();
    EXPECT_TRUE(wire.startsWith("AT^SBNW=mid,0,0\r\nAT^SBNW=mid,0,1,29\r\n000102030405060708090A0B"));
    EXPECT_EQ(wire, "AT^SBNW=mid,0,0\r\n" + Hochladung("mid", gross));
    EXPECT_EQ(Objekt("mid"), gross);
    EXPECT_EQ(wire.count("AT^SBNW=mid,0,"), 30);

    Vergessen();
    Waehlen("zugross.mid", Folge(5001));
    f->Command2->click();
    EXPECT_EQ(Empfangen(), "");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Diese Datei ist zu groß! ");
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);
    EXPECT_TRUE(anzeige.Status.isEmpty());
}

TEST_F(Melodie, UploadWithoutSelectionOrWithAVanishedFileSendsNothing)
{
    f->Command2->click();
    EXPECT_EQ(u.Dialoge.Texte(), QStringList{"Keine MIDI-Datei ausgewählt!"});
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Keins);

    Waehlen("weg.mid", Midi(10));
    QFile::remove(QDir(ordner).filePath("weg.mid"));
    f->Command2->click();
    EXPECT_EQ(Empfangen(), "");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
}

TEST_F(Melodie, MissingPromptEndsTheUploadAfterTheDelete)
{
    Objekt_Setzen("mid", Midi(5));
    Waehlen("lied.mid", Midi(134));
    u.Handy->Schweigen_Bei("AT^SBNW=mid,0,2");
    f->Command2->click();
    ASSERT_TRUE(u.Handy->Warten_Auf_Empfang("\x1b", 3000));  // the lost prompt is cancelled
    EXPECT_TRUE(Empfangen().endsWith("AT^SBNW=mid,0,2,2\r\n\x1b"));
    EXPECT_EQ(anzeige.Wert(), 1);
    EXPECT_FALSE(anzeige.Status.contains("Fertig."));
    EXPECT_TRUE(Objekt("mid").isEmpty());  // the old melody went with the delete
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);  // the link's time-out message
}

TEST_F(Melodie, DownloadSavesTheBytesIntoTheChosenFile)
{
    const QByteArray m = Midi(134);
    Objekt_Setzen("mid", m);
    const QString ziel = QDir(ordner).filePath("vom handy.mid");
    u.Dialoge.Dateien = {ziel};
    f->Command1->click();
    EXPECT_EQ(Empfangen(), "AT^SBNR=mid,0\r\n");
    EXPECT_EQ(Datei_Lesen(ziel), m);
    ASSERT_EQ(u.Dialoge.Dateiwahlen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Startdatei, ordner + "/temp.mid");
    EXPECT_EQ(u.Dialoge.Dateiwahlen[0].Filter, "*.mid (*.mid)");
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());
    EXPECT_EQ(anzeige.Status, QStringList({"Lese Melodie vom Handy...", "Fertig."}));
    EXPECT_EQ(anzeige.Wert(), 0);
    EXPECT_TRUE(f->File2->Eintraege().contains("vom handy.mid"));
}

TEST_F(Melodie, ShortReplyAsksBeforeSaving)
{
    // The reply is 42 characters and two per byte: 45 bytes make 132, 46 make 134.
    Objekt_Setzen("mid", Folge(45));
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    f->Command1->click();
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text,
              "Es scheint nur eine leere Datei vorhanden zu sein! Trotzdem speichern?");
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);
    EXPECT_TRUE(u.Dialoge.Dateiwahlen.empty());
    EXPECT_EQ(anzeige.Letzter_Status(), "Fertig.");

    Objekt_Setzen("mid", Folge(46));
    const QString ziel = QDir(ordner).filePath("x.mid");
    u.Dialoge.Dateien = {ziel};
    f->Command1->click();
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(Datei_Lesen(ziel), Folge(46));
}

TEST_F(Melodie, EmptySlotSavedAllTheSameGivesAnEmptyFile)
{
    const QString ziel = QDir(ordner).filePath("leer.mid");
    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    u.Dialoge.Dateien = {ziel};
    f->Command1->click();
    EXPECT_TRUE(QFileInfo(ziel).isFile());
    EXPECT_EQ(QFileInfo(ziel).size(), 0);
    EXPECT_EQ(anzeige.Letzter_Status(), "Fertig.");
}

TEST_F(Melodie, CancelledDialogOrBadDigitsAbortWithoutTouchingAFile)
{
    Objekt_Setzen("mid", Midi(134));
    f->Command1->click();  // no file chosen: the dialog is cancelled
    EXPECT_EQ(anzeige.Letzter_Status(), "Abgebrochen.");
    EXPECT_EQ(anzeige.Wert(), 0);
    EXPECT_EQ(f->File2->count(), 0);
    EXPECT_TRUE(u.Dialoge.Meldungen.empty());

    const QString ziel = QDir(ordner).filePath("alt.mid");
    Datei_Anlegen(ziel, "old");
    u.Handy->Antwort_Setzen("AT^SBNR=mid", "\r\n^SBNR: \"mid\",0,1,1\r\n4D5G" + std::string(200, '0') + "\r\n\r\nOK\r\n", 1);
    u.Dialoge.Dateien = {ziel};
    f->Command1->click();
    EXPECT_EQ(anzeige.Letzter_Status(), "Abgebrochen.");
    EXPECT_EQ(Datei_Lesen(ziel), "old");
}

TEST_F(Melodie, ADownloadThatCannotBeWrittenSaysSo)
{
    Objekt_Setzen("mid", Midi(134));
    const QString keinOrdner = QDir(temp.path()).filePath("kein Ordner");
    Datei_Anlegen(keinOrdner, "");  // a file where the folder should be
    u.Dialoge.Dateien = {keinOrdner + "/vom handy.mid"};
    f->Command1->click();
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Die Datei konnte nicht geschrieben werden!");
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Kritisch);
    EXPECT_EQ(anzeige.Letzter_Status(), "Abgebrochen.");
}

TEST_F(Melodie, DeleteAsksWhenTheOptionSaysSo)
{
    Objekt_Setzen("mid", Midi(10));
    u.Dialoge.Antworten = {Dialoge::Antwort::Nein};
    f->Command3->click();
    EXPECT_EQ(Empfangen(), "");
    ASSERT_EQ(u.Dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(u.Dialoge.Meldungen[0].text, "Melodie im Handy wirklich löschen?");
    EXPECT_EQ(u.Dialoge.Meldungen[0].symbol, Dialoge::Symbol::Frage);
    EXPECT_EQ(u.Dialoge.Meldungen[0].standard, Dialoge::Antwort::Nein);

    u.Dialoge.Antworten = {Dialoge::Antwort::Ja};
    f->Command3->click();
    EXPECT_EQ(Empfangen(), "AT^SBNW=mid,0,0\r\n");
    EXPECT_TRUE(Objekt("mid").isEmpty());
    EXPECT_TRUE(anzeige.Status.isEmpty());

    Vergessen();
    Module1::LoeschenRueckfrage = false;
    f->Command3->click();
    EXPECT_EQ(Empfangen(), "AT^SBNW=mid,0,0\r\n");
    EXPECT_EQ(u.Dialoge.Meldungen.size(), 2u);
}

TEST_F(Melodie, ThePhonePlaysItsRingTone)
{
    f->Command10->click();
    EXPECT_EQ(Empfangen(), "AT^SRTC\r\n");
    EXPECT_TRUE(Klingel().Spielt);
    EXPECT_TRUE(anzeige.Status.isEmpty());
}

TEST_F(Melodie, PreviewOpensTheSelectedFileAndPlaysItFromTheStart)
{
    MidiProtokoll geraet;
    const QString leer = ordner + "/m dir";
    QDir().mkpath(leer);
    f->Dir1->Path_Setzen(leer);
    EXPECT_EQ(f->MidiPfad, leer);
    EXPECT_EQ(Einstellungen::Lesen("Settings", "PATHforMIDIs"), leer);
    Datei_Anlegen(leer + "/a b.mid", Midi(1));
    Datei_Anlegen(leer + "/c.MID", Midi(2));
    f->File2->Refresh();
    EXPECT_EQ(f->File2->Eintraege(), QStringList({"a b.mid", "c.MID"}));

    f->File2->setCurrentRow(0);
    f->Command45->click();
    f->File2->setCurrentRow(1);
    f->Command45->click();
    f->Command46->click();
    f->File2_DblClick();
    EXPECT_EQ(geraet.Befehle, QStringList({"open " + leer + "/a b.mid", "play", "open " + leer + "/c.MID", "play",
                                           "close", "close", "open " + leer + "/c.MID", "play"}));
    EXPECT_EQ(Empfangen(), "");
}

// ---- The FluidSynth device ----------------------------------------------------------------

TEST(FluidMidi, RendersAMelodyIntoANonSilentWaveFile)
{
    ASSERT_FALSE(FluidMidiGeraet::Klangschrift().isEmpty()) << "the General MIDI sound font is missing";
    QTemporaryDir temp;
    const QString midi = QDir(temp.path()).filePath("note.mid");
    const QString wav = QDir(temp.path()).filePath("note.wav");
    Datei_Anlegen(midi, Midi(3));
    ASSERT_TRUE(FluidMidiGeraet::In_Datei_Spielen(midi, wav, 3));
    const QByteArray d = Datei_Lesen(wav);
    ASSERT_GT(d.size(), 44 + 1000);
    EXPECT_TRUE(d.startsWith("RIFF"));
    EXPECT_EQ(d.mid(8, 4), "WAVE");
    int laut = 0;
    for (qsizetype i = 44; i + 1 < d.size(); i += 2)
        laut = std::max(laut, std::abs(int(qFromLittleEndian<qint16>(d.constData() + i))));
    EXPECT_GT(laut, 500);
}

TEST(FluidMidi, AWaveFileThatCannotBeWrittenKeepsTheOldOne)
{
    ASSERT_FALSE(FluidMidiGeraet::Klangschrift().isEmpty()) << "the General MIDI sound font is missing";
    QTemporaryDir temp;
    const QString midi = QDir(temp.path()).filePath("note.mid");
    const QString wav = QDir(temp.path()).filePath("note.wav");
    Datei_Anlegen(midi, Midi(1));
    Datei_Anlegen(wav, "alt");
    {
        Dateigrenze voll;
        EXPECT_FALSE(FluidMidiGeraet::In_Datei_Spielen(midi, wav, 1));
    }
    EXPECT_EQ(Datei_Lesen(wav), "alt");
}

TEST(FluidMidi, TheSoundSystemKeepsItsComplaintsOffTheConsole)
{
    FluidMidiGeraet geraet;
    // What opening a missing sound card costs, on any machine.
    snd_pcm_t* pcm = nullptr;
    testing::internal::CaptureStderr();
    const int ergebnis = snd_pcm_open(&pcm, "orx_gibt_es_nicht", SND_PCM_STREAM_PLAYBACK, 0);
    const std::string ausgabe = testing::internal::GetCapturedStderr();
    ASSERT_LT(ergebnis, 0);
    EXPECT_EQ(ausgabe, "");
}

TEST(FluidMidi, MissingFileOpensNothing)
{
    FluidMidiGeraet geraet;
    EXPECT_FALSE(geraet.Oeffnen("/tmp/orx-gibt-es-nicht.mid"));
    EXPECT_FALSE(geraet.Oeffnen(QString()));
    QTemporaryDir temp;
    EXPECT_FALSE(FluidMidiGeraet::In_Datei_Spielen(QDir(temp.path()).filePath("fehlt.mid"),
                                                   QDir(temp.path()).filePath("x.wav")));
}

TEST(Pfade, TheRootGetsNoSecondSeparator)
{
    EXPECT_EQ(Pfad_Verbinden("/", "temp.mid"), "/temp.mid");
    EXPECT_EQ(Pfad_Verbinden("/home/u", "temp.mid"), "/home/u/temp.mid");
}

}  // namespace
