// A document host that records what a load shows on the main window's progress bar.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/DocumentHost.h"

class TProgressHost : public TDocumentHost {
public:
    void BeginProgress(int64_t total, const std::string& text, const std::string& path) override
    {
        Events.push_back("begin " + std::to_string(total) + " " + text + " " + path);
    }
    void StepProgress(int64_t position) override { Steps.push_back(position); }
    void EndProgress(bool filled) override { Events.push_back(filled ? "end filled" : "end"); }
    std::vector<std::string> Events;
    std::vector<int64_t> Steps;
};
