#pragma once
#include <QString>
#include <memory>

// The MIDI preview on the PC: one device at a time that opens a file, plays it from its start
// and closes. Nothing is reported back; a file that cannot be played plays nothing.
class MidiGeraet {
public:
    virtual ~MidiGeraet() = default;
    // Opens the file, closing a device that is still open: the next play is of this file.
    virtual bool Oeffnen(const QString& pfad) = 0;
    virtual void Abspielen() = 0;
    virtual void Schliessen() = 0;
};

// The device the windows use; FluidSynth on the sound card unless a test puts another in.
MidiGeraet& Midi_Geraet();
void Midi_Geraet_Setzen(MidiGeraet* geraet);  // nullptr restores the real one

// FluidSynth with the General MIDI sound font of the system.
class FluidMidiGeraet : public MidiGeraet {
public:
    FluidMidiGeraet();
    ~FluidMidiGeraet() override;
    bool Oeffnen(const QString& pfad) override;
    void Abspielen() override;
    void Schliessen() override;

    // The sound font in use: the system's default GM font, "" when there is none.
    static QString Klangschrift();
    // Plays the MIDI file into a WAV file instead of the sound card, at most `sekunden` long.
    static bool In_Datei_Spielen(const QString& midi, const QString& wav, int sekunden = 10);

private:
    struct Innen;
    std::unique_ptr<Innen> m;
};
