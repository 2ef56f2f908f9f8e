// Components: objects with an owner that frees them, a name and a tag; the root of controls and forms.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TComponent;

// The event of most controls: something happened to Sender.
using TNotifyEvent = std::function<void(TComponent* sender)>;

// A component frees everything it owns, from the last owned to the first, when it is freed; a
// component freed on its own leaves its owner's list.
class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents[index]; }
    // The owned component of that name (letter case ignored), or null.
    TComponent* FindComponent(const std::string& name) const;

    std::string Name;
    intptr_t Tag = 0;

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
};
