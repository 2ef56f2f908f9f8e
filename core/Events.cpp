// Program events: the event manager, the table of event names and the event trigger.
#include "core/Events.h"

#include <algorithm>

const TEventName EventNames[] = {
    {9000, "ABOUT"},
    {4400, "ACTIVATEDOC"},
    {2200, "AUTOCORRECT"},
    {2065, "AUTOSAVE"},
    {2070, "AUTOSAVEDDOCSFOUND"},
    {2075, "AUTOSAVEDDOCSRESTORED"},
    {4200, "BOLD"},
    {4100, "BULLET"},
    {2660, "CALCULATE"},
    {4001, "CENTER"},
    {10140, "CLICK_URL"},
    {2380, "CLIPPYBANK_APPEND"},
    {2400, "CLIPPYBANK_CLEAR"},
    {2385, "CLIPPYBANK_CUT"},
    {2420, "CLIPPYBANK_PASTE"},
    {2040, "CLOSEDOC"},
    {1003, "CONFIRMATIONMSG"},
    {2320, "COPY"},
    {2360, "CUT"},
    {2460, "DATETIME"},
    {2300, "DELETE"},
    {10020, "DRAGDROP"},
    {2120, "EMAILDOC"},
    {1001, "ERRORMSG"},
    {220, "EXIT"},
    {10080, "FORMATBYTEMPLATE"},
    {4440, "FROMSYSTRAY"},
    {10040, "HANDCAPTURE"},
    {10060, "HANDRELEASE"},
    {8300, "HELP"},
    {3020, "HIDEALL"},
    {2640, "HOTCALC_FUNCLIST"},
    {1002, "INFORMATIONMSG"},
    {2520, "INS"},
    {4220, "ITALIC"},
    {4003, "JUSTIFY"},
    {4000, "LEFT"},
    {10120, "MAGNGLASS_ENLARGE"},
    {10100, "MAGNGLASS_SHRINK"},
    {2180, "MISSPELLEDWORD"},
    {13000, "MOUSE_CLICK"},
    {13100, "MOUSE_DOUBLECLICK"},
    {2000, "NEWDOC"},
    {2020, "OPENDOC"},
    {2340, "PASTE"},
    {2080, "PRINTDOC"},
    {2100, "PRINTPREVIEW"},
    {2560, "REDO"},
    {4002, "RIGHT"},
    {11020, "RULER_CHANGEMARGIN"},
    {11040, "RULER_DRAGBOX"},
    {11080, "RULER_DRAGTABSTOP"},
    {11060, "RULER_PLACETABSTOP"},
    {2060, "SAVEDOC"},
    {200, "START"},
    {10000, "STARTDRAG"},
    {2160, "STATISTICS"},
    {300, "SWITCHTOOLBARCMDSET"},
    {11000, "TAB_SWITCH"},
    {2500, "TEXTFOUND"},
    {8500, "TIPS"},
    {410, "TOOLBAR_COMBOBOX_LISTDROP"},
    {400, "TOOLBAR_DROPDOWNMENU_DROP"},
    {4420, "TOSYSTRAY"},
    {12400, "TYPE_BREAK"},
    {12420, "TYPE_CAPSLOCK"},
    {12470, "TYPE_CAPS_NUM_LOCK_WARNING"},
    {12000, "TYPE_DEFAULTKEY"},
    {12500, "TYPE_ENDOFLINE_WARNING"},
    {12200, "TYPE_KEY_0"},
    {12201, "TYPE_KEY_1"},
    {12202, "TYPE_KEY_2"},
    {12203, "TYPE_KEY_3"},
    {12204, "TYPE_KEY_4"},
    {12205, "TYPE_KEY_5"},
    {12206, "TYPE_KEY_6"},
    {12207, "TYPE_KEY_7"},
    {12208, "TYPE_KEY_8"},
    {12209, "TYPE_KEY_9"},
    {12100, "TYPE_KEY_A"},
    {12101, "TYPE_KEY_B"},
    {12102, "TYPE_KEY_C"},
    {12103, "TYPE_KEY_D"},
    {12104, "TYPE_KEY_E"},
    {12105, "TYPE_KEY_F"},
    {12106, "TYPE_KEY_G"},
    {12107, "TYPE_KEY_H"},
    {12108, "TYPE_KEY_I"},
    {12109, "TYPE_KEY_J"},
    {12110, "TYPE_KEY_K"},
    {12111, "TYPE_KEY_L"},
    {12112, "TYPE_KEY_M"},
    {12113, "TYPE_KEY_N"},
    {12114, "TYPE_KEY_O"},
    {12115, "TYPE_KEY_P"},
    {12116, "TYPE_KEY_Q"},
    {12117, "TYPE_KEY_R"},
    {12118, "TYPE_KEY_S"},
    {12119, "TYPE_KEY_T"},
    {12120, "TYPE_KEY_U"},
    {12121, "TYPE_KEY_V"},
    {12122, "TYPE_KEY_W"},
    {12123, "TYPE_KEY_X"},
    {12124, "TYPE_KEY_Y"},
    {12125, "TYPE_KEY_Z"},
    {12430, "TYPE_NUMLOCK"},
    {12300, "TYPE_SPACE"},
    {4240, "UNDERLINE"},
    {2540, "UNDO"},
    {1000, "WARNINGMSG"},
};
const int EventNameCount = static_cast<int>(sizeof(EventNames) / sizeof(EventNames[0]));

namespace {

TEventManager* Manager = nullptr;
bool Finalised = false;

// Creates the manager when this file initialises and frees it when the file finalises.
struct TEventManagerLifetime {
    TEventManagerLifetime() { GetEventManager(); }
    ~TEventManagerLifetime()
    {
        delete Manager;
        Manager = nullptr;
        Finalised = true;
    }
} EventManagerLifetime;

} // namespace

TEventManager* GetEventManager()
{
    // A handler made during another file's initialisation may come before this file's own.
    if (!Manager && !Finalised)
        Manager = new TEventManager;
    return Manager;
}

TEventHandler::TEventHandler()
{
    if (TEventManager* m = GetEventManager())
        m->AddHandler(this);
}

TEventHandler::~TEventHandler()
{
    if (TEventManager* m = GetEventManager())
        m->RemoveHandler(this);
}

void TEventManager::Broadcast(int32_t event)
{
    // A handler may free itself or others while the event passes: walk a copy and skip the freed.
    const std::vector<TEventHandler*> handlers = Handlers;
    for (TEventHandler* h : handlers)
        if (std::find(Handlers.begin(), Handlers.end(), h) != Handlers.end())
            h->HandleEvent(event);
}

void TEventManager::AddHandler(TEventHandler* handler)
{
    Handlers.push_back(handler);
}

void TEventManager::RemoveHandler(TEventHandler* handler)
{
    auto it = std::find(Handlers.begin(), Handlers.end(), handler);
    if (it != Handlers.end())
        Handlers.erase(it);
}

void TriggerEvent(int32_t event)
{
    if (TEventManager* m = GetEventManager())
        m->Broadcast(event);
}

int32_t FindEventByName(const std::string& name)
{
    std::string upper = name;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    int low = 0;
    int high = EventNameCount - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int cmp = -upper.compare(EventNames[mid].Name);
        if (cmp == 0)
            return EventNames[mid].Id;
        if (cmp < 0)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return -1;
}
