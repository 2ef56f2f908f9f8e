// Ownership of components.
#include "classlib/windowing/Component.h"

#include <algorithm>
#include <cstring>

TComponent::TComponent(TComponent* owner) : FOwner(owner)
{
    if (owner)
        owner->FComponents.push_back(this);
}

TComponent::~TComponent()
{
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        FComponents.pop_back();
        last->FOwner = nullptr;
        delete last;
    }
    if (FOwner) {
        auto& list = FOwner->FComponents;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    for (TComponent* c : FComponents)
        if (!name.empty() && c->Name.size() == name.size() && _stricmp(c->Name.c_str(), name.c_str()) == 0)
            return c;
    return nullptr;
}
