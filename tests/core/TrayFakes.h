#pragma once
// A stand-in for the system calls of the tray host, for the core tests and
// the fuzzer.

#include "support/TrayRecords.h"
#include "tray/TrayIconStore.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace corvane::test {

// Icon copies are fresh numbers; every destroy is counted per copy.
class FakeTraySystem final : public TraySystem {
public:
    FakeTraySystem() = default;
    explicit FakeTraySystem(std::set<uint32_t> existing) : windows(std::move(existing)) {}

    uint64_t CopyIcon(uint32_t handle) override {
        if (handle != 0) {
            live.insert(++lastCopy);
        }
        return handle != 0 ? lastCopy : 0;
    }
    void DestroyIcon(uint64_t icon) override {
        ++destroyCalls;
        ++destroyed[icon];
        live.erase(icon);
    }
    bool IsWindow(uint32_t window) override { return windows.contains(window); }
    uint32_t ProcessOfWindow(uint32_t window) override { return window / 16; }
    std::wstring ExeNameOfProcess(uint32_t pid) override {
        return L"p" + std::to_wstring(pid) + L".exe";
    }

    std::set<uint32_t> windows;
    std::set<uint64_t> live;            // copies not destroyed yet
    std::map<uint64_t, int> destroyed;  // copy -> times destroyed
    std::size_t destroyCalls = 0;
    uint64_t lastCopy = 0;
};

}  // namespace corvane::test
