#include "media/MidiVorschau.h"

#include "common/Datei.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QtEndian>
#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <array>

namespace {

MidiGeraet*& Eingesetzt()
{
    static MidiGeraet* geraet = nullptr;
    return geraet;
}

void Alsa_Schweigt(const char*, int, const char*, int, const char*, ...) {}

// The library writes its complaints (no sound card, a bad file) to the console, and so does the
// sound system beneath it on every attempt to open the card; the preview reports nothing, so
// neither do they.
void Meldungen_Abstellen()
{
    static const bool einmal = [] {
        for (int stufe : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(stufe, nullptr, nullptr);
        snd_lib_error_set_handler(&Alsa_Schweigt);
        return true;
    }();
    (void)einmal;
}

struct Synthesizer {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;

    explicit Synthesizer(bool inDatei)
    {
        Meldungen_Abstellen();
        settings = new_fluid_settings();
        fluid_settings_setint(settings, "synth.lock-memory", 0);
        if (inDatei)
            fluid_settings_setstr(settings, "player.timing-source", "sample");
    }
    ~Synthesizer()
    {
        if (synth)
            delete_fluid_synth(synth);
        delete_fluid_settings(settings);
    }
    bool Starten()
    {
        const QString font = FluidMidiGeraet::Klangschrift();
        if (font.isEmpty())
            return false;
        synth = new_fluid_synth(settings);
        return synth && fluid_synth_sfload(synth, QFile::encodeName(font).constData(), 1) != FLUID_FAILED;
    }
};

// The 44-byte header of a WAV file of 16-bit stereo PCM.
QByteArray Wav_Kopf(quint32 rate, quint32 daten)
{
    QByteArray kopf;
    const auto zahl = [&kopf](auto wert) {
        char b[sizeof(wert)];
        qToLittleEndian(wert, b);
        kopf.append(b, sizeof(wert));
    };
    kopf += "RIFF";
    zahl(quint32(36 + daten));
    kopf += "WAVEfmt ";
    zahl(quint32(16));
    zahl(quint16(1));  // PCM
    zahl(quint16(2));
    zahl(rate);
    zahl(quint32(rate * 4));
    zahl(quint16(4));
    zahl(quint16(16));
    kopf += "data";
    zahl(daten);
    return kopf;
}

}  // namespace

MidiGeraet& Midi_Geraet()
{
    if (Eingesetzt())
        return *Eingesetzt();
    static FluidMidiGeraet echt;
    return echt;
}

void Midi_Geraet_Setzen(MidiGeraet* geraet) { Eingesetzt() = geraet; }

struct FluidMidiGeraet::Innen {
    std::unique_ptr<Synthesizer> synth;
    fluid_audio_driver_t* treiber = nullptr;
    fluid_player_t* spieler = nullptr;
    QByteArray datei;
};

FluidMidiGeraet::FluidMidiGeraet() : m(std::make_unique<Innen>()) { Meldungen_Abstellen(); }

FluidMidiGeraet::~FluidMidiGeraet() { Schliessen(); }

QString FluidMidiGeraet::Klangschrift()
{
    for (const char* pfad : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                             "/usr/share/sounds/sf2/TimGM6mb.sf2"})
        if (QFileInfo(QLatin1String(pfad)).isReadable())
            return QLatin1String(pfad);
    return QString();
}

bool FluidMidiGeraet::Oeffnen(const QString& pfad)
{
    Schliessen();
    // The player takes a missing file without a word and fails only when it plays.
    const QFileInfo info(pfad);
    if (!info.isFile() || !info.isReadable())
        return false;
    m->datei = QFile::encodeName(pfad);
    return true;
}

void FluidMidiGeraet::Abspielen()
{
    if (m->datei.isEmpty())
        return;
    if (!m->synth) {
        // The sound font is large: it is loaded once, at the first play, under the hourglass.
        auto s = std::make_unique<Synthesizer>(false);
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        const bool gestartet = s->Starten();
        QGuiApplication::restoreOverrideCursor();
        if (!gestartet)
            return;
        m->synth = std::move(s);
    }
    if (!m->treiber) {
        m->treiber = new_fluid_audio_driver(m->synth->settings, m->synth->synth);
        if (!m->treiber)
            return;
    }
    if (m->spieler) {
        fluid_player_stop(m->spieler);
        delete_fluid_player(m->spieler);
        m->spieler = nullptr;
    }
    fluid_synth_system_reset(m->synth->synth);
    m->spieler = new_fluid_player(m->synth->synth);
    if (!m->spieler)
        return;
    if (fluid_player_add(m->spieler, m->datei.constData()) != FLUID_OK || fluid_player_play(m->spieler) != FLUID_OK) {
        delete_fluid_player(m->spieler);
        m->spieler = nullptr;
    }
}

void FluidMidiGeraet::Schliessen()
{
    if (m->spieler) {
        fluid_player_stop(m->spieler);
        delete_fluid_player(m->spieler);
        m->spieler = nullptr;
    }
    // The sound card is given back with the device.
    if (m->treiber) {
        delete_fluid_audio_driver(m->treiber);
        m->treiber = nullptr;
    }
    if (m->synth)
        fluid_synth_system_reset(m->synth->synth);
    m->datei.clear();
}

bool FluidMidiGeraet::In_Datei_Spielen(const QString& midi, const QString& wav, int sekunden)
{
    if (!QFileInfo(midi).isFile())
        return false;
    Synthesizer s(true);
    if (!s.Starten())
        return false;
    fluid_player_t* spieler = new_fluid_player(s.synth);
    if (!spieler)
        return false;
    bool gut = fluid_player_add(spieler, QFile::encodeName(midi).constData()) == FLUID_OK &&
               fluid_player_play(spieler) == FLUID_OK;
    double rate = 44100;
    fluid_settings_getnum(s.settings, "synth.sample-rate", &rate);
    // Rendered in memory, 16-bit stereo, so that the file goes through the shared save whole.
    constexpr int Rahmen = 64;
    const long bloecke = long(rate * sekunden / Rahmen);
    std::array<qint16, 2 * Rahmen> block{};
    QByteArray pcm;
    for (long i = 0; gut && i < bloecke && fluid_player_get_status(spieler) == FLUID_PLAYER_PLAYING; ++i) {
        gut = fluid_synth_write_s16(s.synth, Rahmen, block.data(), 0, 2, block.data(), 1, 2) == FLUID_OK;
        for (const qint16 wert : block) {
            char b[2];
            qToLittleEndian(wert, b);
            pcm.append(b, 2);
        }
    }
    fluid_player_stop(spieler);
    delete_fluid_player(spieler);
    return gut && Datei_Sichern(wav, Wav_Kopf(quint32(rate), quint32(pcm.size())) + pcm);
}
