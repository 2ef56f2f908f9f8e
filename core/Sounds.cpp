// Sound settings, sound schemes and the sound manager's choice of a sound for each event.
#include "core/Sounds.h"

#include <algorithm>
#include <climits>

#include <zlib.h>

#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/CmdLine.h"
#include "core/DataFolder.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/SoundOutput.h"
#include "core/SystemUtils.h"

namespace {

TSoundManager* Manager = nullptr;

// The entry that an event shares: every key sound the default key's, the second click the first's.
int32_t OverrideEventOf(int32_t event)
{
    if (event >= evTypeDefaultKey && event <= evLastKeyOfDefault)
        return evTypeDefaultKey;
    if (event == evMouseClickAlt)
        return evMouseClick;
    return event;
}

// Inflates one zlib stream of at most Data's size, in blocks of 16,384 bytes; empty when it is damaged.
std::vector<uint8_t> InflateWave(const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> out;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return out;
    zs.next_in = const_cast<Bytef*>(data.data());
    zs.avail_in = static_cast<uInt>(data.size());
    int rc = Z_OK;
    while (rc == Z_OK) {
        const size_t used = out.size();
        out.resize(used + 16384);
        zs.next_out = out.data() + used;
        zs.avail_out = 16384;
        rc = inflate(&zs, Z_NO_FLUSH);
        out.resize(used + 16384 - zs.avail_out);
        if (rc == Z_BUF_ERROR && zs.avail_in == 0)
            break; // the data ended before the stream did
    }
    inflateEnd(&zs);
    if (rc != Z_STREAM_END)
        out.clear();
    return out;
}

} // namespace

void TSoundSettings::Assign(const TSoundSettings& other)
{
    SoundScheme = other.SoundScheme;
    DisabledEvents = other.DisabledEvents;
    Overrides = other.Overrides;
}

void TSoundSettings::Clear()
{
    SoundScheme.clear();
    DisabledEvents.clear();
    Overrides.clear();
}

bool TSoundSettings::IsDisabled(int32_t event) const
{
    return std::find(DisabledEvents.begin(), DisabledEvents.end(), event) != DisabledEvents.end();
}

std::string TSoundSettings::GetOverride(int32_t event) const
{
    const int32_t shared = OverrideEventOf(event);
    for (const TSoundOverride& entry : Overrides)
        if (entry.Event == shared)
            return entry.Wave;
    return std::string();
}

void TSoundSettings::Load(const std::string& fileName)
{
    Clear();
    TIniFile ini(fileName, false);
    ini.OpenSection("General Settings");
    SoundScheme = ini.ReadString("SoundScheme", "");
    ini.OpenSection("Disabled Events");
    const int32_t disabled = ini.ReadInteger("Count", 0, INT_MAX, 0);
    for (int32_t i = 0; i < disabled; ++i)
        DisabledEvents.push_back(ini.ReadInteger(IntToStr(i), 0, INT_MAX, -1));
    ini.OpenSection("Overrides");
    const int32_t overrides = ini.ReadInteger("Count", 0, INT_MAX, 0);
    for (int32_t i = 0; i < overrides; ++i) {
        TSoundOverride entry;
        entry.Event = ini.ReadInteger(IntToStr(i), 0, INT_MAX, -1);
        entry.Wave = ini.ReadString("Wav" + IntToStr(i), "");
        if (!entry.Wave.empty())
            Overrides.push_back(entry);
    }
}

void TSoundSettings::Save(const std::string& fileName) const
{
    TIniFile ini(fileName, true);
    ini.OpenSection("General Settings");
    ini.WriteString("SoundScheme", SoundScheme);
    ini.OpenSection("Disabled Events");
    ini.WriteInteger("Count", static_cast<int32_t>(DisabledEvents.size()));
    for (size_t i = 0; i < DisabledEvents.size(); ++i)
        ini.WriteInteger(IntToStr(int64_t(i)), DisabledEvents[i]);
    ini.OpenSection("Overrides");
    ini.WriteInteger("Count", static_cast<int32_t>(Overrides.size()));
    for (size_t i = 0; i < Overrides.size(); ++i) {
        ini.WriteInteger(IntToStr(int64_t(i)), Overrides[i].Event);
        ini.WriteString("Wav" + IntToStr(int64_t(i)), Overrides[i].Wave);
    }
    ini.UpdateFile();
}

const std::vector<uint8_t>& TSoundSample::WaveImage()
{
    if (!Made) {
        Made = true;
        try {
            if (Wave)
                Image = InflateWave(Wave->ReadData());
        } catch (const Exception&) {
            Image.clear();
        }
    }
    return Image;
}

TSoundScheme::TSoundScheme(const std::string& fileName)
{
    if (fileName.empty()) {
        FValid = true;
        return;
    }
    if (!Plugin.Open(ResolvePluginFileName(fileName), SoundSchemeSignature))
        return;
    try {
        const TDPElementList& top = *Plugin.Elements();
        for (int i = 0; i < top.Count(); ++i) {
            const TDPElement& element = top.Element(i);
            if (element.Name != "SOUND")
                continue;
            Samples.push_back(std::make_unique<TSoundSample>());
            TSoundSample& sample = *Samples.back();
            sample.Parts = std::make_unique<TDPElementList>(element.DataStart, element.DataEnd, &Plugin);
            sample.EventName = sample.Parts->GetText("EVENT", "");
            sample.Event = FindEventByName(sample.EventName);
            if (sample.Event >= 0) {
                sample.Wave = sample.Parts->FindElement("WAVE");
                if (!sample.Wave)
                    sample.Event = -1;
            }
        }
        FValid = true;
    } catch (const Exception&) {
        // The scheme stays invalid; the samples read so far remain.
    }
}

TSoundSample* TSoundScheme::FindSample(int32_t event)
{
    if (!FValid || event < 0)
        return nullptr;
    for (auto it = Samples.rbegin(); it != Samples.rend(); ++it)
        if ((*it)->Event == event)
            return it->get();
    return nullptr;
}

const std::vector<uint8_t>* TSoundScheme::GetSampleData(int32_t event)
{
    TSoundSample* sample = Plugin.IsOpen() ? FindSample(event) : nullptr;
    return sample ? &sample->WaveImage() : nullptr;
}

std::string SoundSettingsFileName()
{
    return ResolveSettingsFileName(CmdLineSwitchValue(swSoundSettingsFileName, "Quillpad.qsd"));
}

TSoundManager* GetSoundManager()
{
    return Manager;
}

TSoundManager::TSoundManager()
{
    const std::string file = SoundSettingsFileName();
    if (!CmdLineSwitchPresent(swDontLoadSettings) && FileExists(file))
        Settings.Load(file);
    else
        Settings.Clear();
    Manager = this;
}

TSoundManager::~TSoundManager()
{
    UnloadScheme();
    if (Settings.Modified && !CmdLineSwitchPresent(swDontSaveSettings)) {
        try {
            Settings.Save(SoundSettingsFileName());
        } catch (const Exception&) {
            // Nothing can be told at this point of the shutdown; the settings stay as they were.
        }
    }
    if (Manager == this)
        Manager = nullptr;
}

void TSoundManager::UnloadScheme()
{
    if (FLoaded) {
        StopWave();
        FScheme.reset();
        FLoaded = false;
    }
}

void TSoundManager::LoadScheme()
{
    UnloadScheme();
    SuspendSounds();
    FScheme = std::make_unique<TSoundScheme>(Settings.SoundScheme);
    if (!FScheme->Valid()) {
        const int answer = MessageDlgEx(
            Format("Le fichier \"%s\" est altéré ou n'est pas un module additionnel valide.||Souhaitez-vous "
                   "conserver ce module additionnel pour renouveler votre tentative plus tard ?",
                   Settings.SoundScheme),
            0, mbYesNo);
        if (answer == mrNo) {
            Settings.SoundScheme.clear();
            Settings.Modified = true;
        }
        FScheme = std::make_unique<TSoundScheme>(std::string());
    }
    ResumeSounds();
    FLoaded = true;
}

bool TSoundManager::HasSound(int32_t event)
{
    if (!FLoaded)
        LoadScheme();
    return FScheme && FScheme->Valid() && FScheme->HasSample(event);
}

TSoundChoice TSoundManager::ChooseSound(int32_t event)
{
    TSoundChoice choice;
    if (FSuspended != 0 || Settings.IsDisabled(event))
        return choice;
    if (!FLoaded)
        LoadScheme();
    if (!FLoaded)
        return choice;
    const std::string wave = Settings.GetOverride(event);
    if (!wave.empty()) {
        choice.Kind = TSoundChoice::WaveFile;
        choice.File = wave;
    } else if (FScheme->HasSample(event)) {
        choice.Kind = TSoundChoice::SchemeSample;
        choice.Image = FScheme->GetSampleData(event);
    } else if (event >= 1000 && event <= 1003) {
        static const uint32_t beeps[4] = {BeepExclamation, BeepHand, BeepAsterisk, BeepQuestion};
        choice.Kind = TSoundChoice::SystemBeep;
        choice.BeepType = beeps[event - 1000];
    }
    return choice;
}

void TSoundManager::HandleEvent(int32_t event)
{
    const TSoundChoice choice = ChooseSound(event);
    switch (choice.Kind) {
    case TSoundChoice::WaveFile: Play(choice.File); break;
    case TSoundChoice::SchemeSample:
        if (choice.Image)
            Play(*choice.Image);
        break;
    case TSoundChoice::SystemBeep: SystemMessageBeep(choice.BeepType); break;
    case TSoundChoice::Silent: break;
    }
}

uint32_t TSoundManager::PlayFlags() const
{
    return (Asynchronous ? spAsync : 0) | (NoInterrupt ? spNoInterrupt : 0);
}

bool TSoundManager::Play(const std::string& fileName)
{
    if (!NoInterrupt)
        StopWave();
    const bool played = PlayWaveFile(fileName, PlayFlags());
    if (played)
        NoInterrupt = false;
    return played;
}

bool TSoundManager::Play(const std::vector<uint8_t>& image)
{
    if (!NoInterrupt)
        StopWave();
    const bool played = PlayWaveImage(image, PlayFlags());
    if (played)
        NoInterrupt = false;
    return played;
}

TSoundsSuspended::TSoundsSuspended() : Manager(GetSoundManager())
{
    if (Manager)
        Manager->SuspendSounds();
}

TSoundsSuspended::~TSoundsSuspended()
{
    if (Manager)
        Manager->ResumeSounds();
}
