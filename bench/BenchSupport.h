// What the benchmark programs share: the process's peak memory.
#pragma once

#ifndef _WIN32
#include <sys/resource.h>
#endif

// The process's peak resident memory in kilobytes, -1 where it is not measured.
inline long PeakKilobytes()
{
#ifndef _WIN32
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return -1;
#endif
}
