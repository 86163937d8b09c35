#pragma once
// What each fuzz target gives the seeded runner (fuzz_seeded_main.cpp) besides
// LLVMFuzzerTestOneInput: its seed inputs, and the bytes the runner inserts into them.

#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size);
QList<QByteArray> FuzzSeeds();
QByteArray FuzzAlphabet();
