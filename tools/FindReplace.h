// The find-and-replace form. For now it keeps what the settings hold for it (the histories and the
// search options); the dialog itself comes with find and replace.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TFindReplaceForm {
public:
    TFindReplaceForm() = default;
    TFindReplaceForm(const TFindReplaceForm&) = delete;
    TFindReplaceForm& operator=(const TFindReplaceForm&) = delete;

    std::vector<std::string> FindHistory;
    std::vector<std::string> ReplaceHistory;
    uint8_t Flags = 0;
};
