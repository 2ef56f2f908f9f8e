// The autocorrection options of each language. For now the manager holds no list of its own: the
// lists and their dialogs come with autocorrection.
#pragma once

class TAutocorrectLangOptionsManager {
public:
    TAutocorrectLangOptionsManager() = default;
    TAutocorrectLangOptionsManager(const TAutocorrectLangOptionsManager&) = delete;
    TAutocorrectLangOptionsManager& operator=(const TAutocorrectLangOptionsManager&) = delete;
};
