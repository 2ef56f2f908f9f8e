// Sounds bound to program events: the sound settings, sound schemes read from data-container files,
// and the sound manager that every event reaches.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/DataPlugin.h"
#include "core/Events.h"

// The events of the default key sound and of the mouse click; later key and click events share them.
constexpr int32_t evTypeDefaultKey = 12000;
constexpr int32_t evLastKeyOfDefault = 12450;
constexpr int32_t evMouseClick = 13000;
constexpr int32_t evMouseClickAlt = 13100;

struct TSoundOverride {
    int32_t Event = -1;
    std::string Wave;
};

// What the user chose: the scheme file, the events that stay silent and the wave files bound to
// single events. Kept in an ini file of its own ("Quillpad.qsd").
class TSoundSettings {
public:
    std::string SoundScheme;
    std::vector<int32_t> DisabledEvents;
    std::vector<TSoundOverride> Overrides;
    bool Modified = false;

    void Assign(const TSoundSettings& other);
    void Clear();
    bool IsDisabled(int32_t event) const;
    // The wave file bound to the event, or empty; the keys 12000 to 12450 share the entry of 12000,
    // and 13100 that of 13000.
    std::string GetOverride(int32_t event) const;
    void Load(const std::string& fileName);
    // Raises when the file cannot be written.
    void Save(const std::string& fileName) const;
};

// One "SOUND" element of a scheme: its event and its compressed wave, inflated on first use.
class TSoundSample {
public:
    std::string EventName;
    int32_t Event = -1;
    const TDPElement* Wave = nullptr;
    // The wave file image; empty when the compressed data is damaged.
    const std::vector<uint8_t>& WaveImage();

private:
    friend class TSoundScheme;
    std::unique_ptr<TDPElementList> Parts;
    std::vector<uint8_t> Image;
    bool Made = false;
};

class TSoundScheme {
public:
    // An empty name gives a valid scheme without samples; a file that cannot be read leaves the scheme
    // invalid (the samples read before the fault remain).
    explicit TSoundScheme(const std::string& fileName);
    bool Valid() const { return FValid; }
    int SampleCount() const { return static_cast<int>(Samples.size()); }
    // The last sample of the event (a later "SOUND" element wins); none in an invalid scheme.
    TSoundSample* FindSample(int32_t event);
    bool HasSample(int32_t event) { return FindSample(event) != nullptr; }
    // The sample's wave image, or null.
    const std::vector<uint8_t>* GetSampleData(int32_t event);

private:
    TDataPlugin Plugin;
    std::vector<std::unique_ptr<TSoundSample>> Samples;
    bool FValid = false;
};

// What an event sounds like now.
struct TSoundChoice {
    enum TKind { Silent, WaveFile, SchemeSample, SystemBeep } Kind = Silent;
    std::string File;                            // WaveFile
    const std::vector<uint8_t>* Image = nullptr; // SchemeSample
    uint32_t BeepType = 0;                       // SystemBeep
};

class TSoundManager : public TEventHandler {
public:
    // Reads the sound settings from the file that the switches name, unless settings are not to be
    // loaded or the file is missing.
    TSoundManager();
    // Writes changed settings back (unless settings are not to be saved).
    ~TSoundManager() override;

    void HandleEvent(int32_t event) override;
    // What HandleEvent would play for the event.
    TSoundChoice ChooseSound(int32_t event);

    void SuspendSounds() { ++FSuspended; }
    void ResumeSounds() { --FSuspended; }
    bool Suspended() const { return FSuspended != 0; }
    bool HasSound(int32_t event);
    bool KeySoundsEnabled() const { return !Settings.IsDisabled(evTypeDefaultKey); }
    // Loads the scheme of the settings again; a damaged one asks whether to keep its name.
    void LoadScheme();
    void UnloadScheme();
    bool Play(const std::string& fileName);
    bool Play(const std::vector<uint8_t>& image);

    TSoundSettings Settings;
    // Sounds play while the program goes on; cleared, a sound plays to its end first.
    bool Asynchronous = true;
    // The next sound does not stop the one that plays.
    bool NoInterrupt = false;

private:
    uint32_t PlayFlags() const;

    int32_t FSuspended = 0;
    bool FLoaded = false;
    std::unique_ptr<TSoundScheme> FScheme;
};

// The sound settings file that the switches name, resolved in the data folder.
std::string SoundSettingsFileName();
// The one sound manager while it exists.
TSoundManager* GetSoundManager();
// Sounds suspended for the lifetime of the guard (nothing without a sound manager).
class TSoundsSuspended {
public:
    TSoundsSuspended();
    ~TSoundsSuspended();
    TSoundsSuspended(const TSoundsSuspended&) = delete;
    TSoundsSuspended& operator=(const TSoundsSuspended&) = delete;

private:
    TSoundManager* Manager;
};
