// Physical memory on the host; the host program has no resources and no message beeps.
#include "core/SystemUtils.h"

#include <unistd.h>

uint64_t TotalPhysicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize) : 0;
}

void SystemMessageBeep(uint32_t) {}

TResourceData LoadResourceData(const char*, const char*)
{
    return {};
}

bool SaveResourceToFile(const char*, const char*, const std::string&)
{
    return false;
}
