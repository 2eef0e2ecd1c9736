#pragma once
// The clock of the Windows benchmarks: the performance counter, in milliseconds.

#include <windows.h>

inline double nowMs()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}
