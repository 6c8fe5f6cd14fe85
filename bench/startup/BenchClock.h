#pragma once
// The clock the Windows benchmarks time themselves with.

#include <windows.h>

namespace corvane::bench {

// Milliseconds from an arbitrary start, to the performance counter's precision.
inline double NowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace corvane::bench
