// The one spell-check manager of the program and the list of installed systems.
#include "tools/SpellCheck.h"

#include "classlib/runtime/Format.h"
#include "core/Messages.h"
#include "core/SettingsStorage.h"
#include "tools/SpellCheckSystem.h"

namespace {

// A plain pointer, so that freeing it at the very end of the program never meets an object already gone.
TSpellCheckManager* GSpellCheckManager = nullptr;

} // namespace

TSC_Settings::TSC_Settings()
{
    OpenSettingsForLoad = [] { return std::make_unique<TSettingsStorage>(); };
}

void TSC_Settings::LoadSystemList(const std::string& text)
{
    Systems.Clear();
    size_t start = 0;
    for (;;) {
        size_t end = text.find(';', start);
        Systems.Add(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    for (int i = Systems.Count() - 1; i >= 0; --i)
        if (Systems[i].empty() || Systems.IndexOf(Systems[i]) < i)
            Systems.Delete(i);
}

std::string TSC_Settings::SystemListText() const
{
    std::string text;
    for (int i = 0; i < Systems.Count(); ++i)
        text += Systems[i] + ";";
    return text;
}

TSC_Settings& SpellCheckSettings()
{
    static TSC_Settings settings;
    return settings;
}

TSpellCheckManager::TSpellCheckManager()
{
    LoadSystems();
}

void TSpellCheckManager::LoadSystems()
{
    Systems.clear();
    const TStringList& names = SpellCheckSettings().Systems;
    for (int i = 0; i < names.Count(); ++i)
        Systems.push_back(std::make_unique<TSpellCheckSystem>(names[i]));
}

TSpellCheckManager::~TSpellCheckManager() = default;

bool TSpellCheckManager::OfferRemoval(int index, const std::string& name)
{
    if (MessageDlgEx(
            Format("Impossible de démarrer le vérificateur orthographique||\"%s\".||Souhaitez-vous conserver "
                   "ce vérificateur orthographique et renouveler votre tentative plus tard ?",
                   name),
            mtWarning, mbYesNo) != mrNo)
        return false;
    DeleteSystem(index);
    return true;
}

TSpellCheckSystem* TSpellCheckManager::GetSystem(int32_t language, bool start)
{
    // A system found is started when asked; one that will not start may be removed, and then none is found.
    auto answer = [&](int index) -> TSpellCheckSystem* {
        TSpellCheckSystem* system = Systems[index].get();
        if (start && !system->Running) {
            system->Start();
            if (!system->Running) {
                OfferRemoval(index, system->Description);
                return nullptr;
            }
        }
        return system;
    };
    for (int i = static_cast<int>(Systems.size()) - 1; i >= 0; --i) {
        TSpellCheckSystem* system = Systems[i].get();
        if (!system->SettingsLoaded && !system->LoadSettings(start)) {
            if (start)
                OfferRemoval(i, system->FileName);
            continue;
        }
        if (system->Language == language)
            return answer(i);
    }
    for (size_t i = 0; i < Systems.size(); ++i)
        if (Systems[i]->SettingsLoaded && (Systems[i]->Language & 0x3FF) == (language & 0x3FF))
            return answer(static_cast<int>(i));
    return nullptr;
}

bool TSpellCheckManager::HasSystemForLanguage(int32_t language)
{
    for (int i = static_cast<int>(Systems.size()) - 1; i >= 0; --i) {
        TSpellCheckSystem* system = Systems[i].get();
        if ((system->SettingsLoaded || system->LoadSettings(false)) &&
            (system->Language & 0x3FF) == (language & 0x3FF))
            return true;
    }
    return false;
}

int TSpellCheckManager::AddSystem(const std::string& fileName)
{
    Systems.push_back(std::make_unique<TSpellCheckSystem>(fileName));
    SpellCheckSettings().Systems.Add(fileName);
    return static_cast<int>(Systems.size()) - 1;
}

void TSpellCheckManager::DeleteSystem(int index)
{
    if (index < 0 || index >= static_cast<int>(Systems.size()))
        return;
    TStringList& names = SpellCheckSettings().Systems;
    if (index < names.Count())
        names.Delete(index);
    Systems.erase(Systems.begin() + index);
}

void TSpellCheckManager::RestartSystems()
{
    for (auto& system : Systems)
        system->Restart();
    RecheckDocuments();
}

void TSpellCheckManager::SaveSystemFlags(TSettingsStorage& store)
{
    for (auto& system : Systems)
        system->SaveFlags(store);
}

void TSpellCheckManager::RecheckDocuments()
{
    ++CheckGeneration;
    if (OnRecheckDocuments)
        OnRecheckDocuments();
}

TSpellCheckManager* SpellCheckManager()
{
    if (!GSpellCheckManager)
        GSpellCheckManager = new TSpellCheckManager();
    return GSpellCheckManager;
}

void FreeSpellCheckManager()
{
    delete GSpellCheckManager;
    GSpellCheckManager = nullptr;
}
