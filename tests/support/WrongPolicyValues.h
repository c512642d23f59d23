#pragma once
// Policy values that count as not set for every setting: another type, another size, or a
// REG_DWORD out of every setting's range.

#include <vector>

#include "MemoryRegistry.h"

namespace pausarium::testing {

struct WrongValue {
    const char* label;
    MemoryRegistry::Value value;
};

inline const std::vector<WrongValue> kWrongPolicyValues = {
    {"REG_SZ \"1\"", {kRegSz, {'1', 0}}},
    {"REG_BINARY of 4 bytes", {kRegBinary, {1, 0, 0, 0}}},
    {"REG_BINARY of 8 bytes", {kRegBinary, {1, 0, 0, 0, 0, 0, 0, 0}}},
    {"REG_QWORD 1", {11, {1, 0, 0, 0, 0, 0, 0, 0}}},
    {"REG_DWORD 3", {kRegDword, {3, 0, 0, 0}}},
    {"REG_DWORD -1", {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}},
    {"REG_DWORD 7", {kRegDword, {7, 0, 0, 0}}},
};

}  // namespace pausarium::testing
