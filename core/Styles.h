// Named paragraph styles and the style list of a document.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/FormatRecords.h"

class TDocument;
class TStyleList;
class TTabManager;

class TStyle {
public:
    explicit TStyle(TStyleList* owner) : Owner(owner) {}

    TStyleList* Owner;
    bool IsBuiltIn = false;
    int32_t BuiltInId = -1;   // index in the built-in names, -1 for a user style
    std::string Name;         // as stored in files
    std::string DisplayName;  // as shown
    int32_t BasedOn = -1;
    int32_t NextStyle = -1;
    int32_t ShortCut = 0;
    TCharFormat CharFormat{}; // fields the style does not set are not set
    TParaFormat ParaFormat{};
};

// The styles paragraphs name by index (never with holes), over the tab manager their tab fields index.
class TStyleList {
public:
    TStyleList(TDocument* document, TTabManager* tabManager) : Document(document), TabManager(tabManager) {}

    std::vector<std::unique_ptr<TStyle>> Styles;
    TDocument* Document;      // none for the style manager's list
    TTabManager* TabManager;  // not owned
};
