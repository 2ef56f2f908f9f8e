// Physical memory, message beeps and raw resources on Windows.
#include "core/SystemUtils.h"

#include <windows.h>

uint64_t TotalPhysicalMemory()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    return status.ullTotalPhys;
}

void SystemMessageBeep(uint32_t beepType)
{
    const char* event = nullptr;
    switch (beepType) {
    case BeepExclamation: event = "Exclamation"; break;
    case BeepHand: event = "Hand"; break;
    case BeepAsterisk: event = "Asterisk"; break;
    case BeepQuestion: event = "Question"; break;
    }
    if (event) {
        const std::string path =
            std::string("AppEvents\\Schemes\\Apps\\.Default\\System") + event + "\\.Current";
        HKEY key = nullptr;
        // Read only: an absent key means no sound, and reading never creates it.
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        char sound[MAX_PATH] = "";
        DWORD size = sizeof(sound);
        DWORD type = 0;
        LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(sound), &size);
        RegCloseKey(key);
        // A sound file name longer than the buffer is a sound all the same.
        if (rc != ERROR_MORE_DATA && (rc != ERROR_SUCCESS || size <= 1 || sound[0] == '\0'))
            return; // the user's scheme has no sound for the event
    }
    MessageBeep(beepType);
}

TResourceData LoadResourceData(const char* name, const char* resType)
{
    TResourceData data;
    HRSRC info = FindResourceA(nullptr, name, resType);
    if (!info)
        return data;
    HGLOBAL handle = LoadResource(nullptr, info);
    if (!handle)
        return data;
    data.Data = LockResource(handle);
    data.Size = data.Data ? SizeofResource(nullptr, info) : 0;
    return data;
}

bool SaveResourceToFile(const char* name, const char* resType, const std::string& fileName)
{
    const TResourceData data = LoadResourceData(name, resType);
    if (!data.Data)
        return false;
    HANDLE file = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, data.Data, data.Size, &written, nullptr) && written == data.Size;
    return CloseHandle(file) && ok;
}
