// Program events: numbered happenings of the user interface, broadcast to the registered handlers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Base of event receivers: registers itself with the event manager for its whole lifetime.
class TEventHandler {
public:
    TEventHandler();
    virtual ~TEventHandler();
    TEventHandler(const TEventHandler&) = delete;
    TEventHandler& operator=(const TEventHandler&) = delete;

    virtual void HandleEvent(int32_t event) = 0;
};

// The one list of handlers (not owned); events go to them in the order they registered.
class TEventManager {
public:
    void Broadcast(int32_t event);
    void AddHandler(TEventHandler* handler);
    void RemoveHandler(TEventHandler* handler);

private:
    std::vector<TEventHandler*> Handlers;
};

struct TEventName {
    int32_t Id;
    const char* Name;
};

// The named events, sorted by name in ascending byte order.
extern const TEventName EventNames[];
extern const int EventNameCount;

// The event manager; none before this file initialises or after it finalises.
TEventManager* GetEventManager();

// Passes the event number to every registered handler.
void TriggerEvent(int32_t event);

// The event number of a name (letter case ignored), or -1.
int32_t FindEventByName(const std::string& name);
