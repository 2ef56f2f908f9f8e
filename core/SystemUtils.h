// Small services of the system: physical memory, message beeps, the program's raw resources, and
// percentages.
#pragma once
#include <cstdint>
#include <string>

class TJPEGImage;

// The machine's total physical memory in bytes.
uint64_t TotalPhysicalMemory();

// Value x Percent / 100, rounded to the nearest (halves away from zero), kept within 32 bits.
int32_t PercentOf(int32_t value, int32_t percent);

// Beep types of the four message kinds.
constexpr uint32_t BeepExclamation = 0x30;
constexpr uint32_t BeepHand = 0x10;
constexpr uint32_t BeepAsterisk = 0x40;
constexpr uint32_t BeepQuestion = 0x20;
// Sounds the system beep of a type; for the four message beeps only when the user's sound scheme has
// a sound for that event.
void SystemMessageBeep(uint32_t beepType);

// A resource of the program's own module, read-only and never freed; no data and size 0 when absent.
struct TResourceData {
    const void* Data = nullptr;
    uint32_t Size = 0;
};
// Name and ResType are texts, or numbers made by ResourceId (classlib/runtime/ResourceStream.h).
TResourceData LoadResourceData(const char* name, const char* resType);
// Writes the resource's bytes into the file (created or replaced); false when any step fails.
bool SaveResourceToFile(const char* name, const char* resType, const std::string& fileName);

// Loads the picture from the program's resource of that name and type "JPEG"; an absent resource
// raises EStreamError.
void LoadJpegFromResource(TJPEGImage& image, const char* name);
