#pragma once
// What a fuzz target gives the seeded runner (fuzz_seeded_main.cpp): the inputs it starts from,
// which are also its libFuzzer corpus, and the bytes the runner's generated inputs are made of.

#include <QByteArray>
#include <QList>
#include <cstddef>
#include <cstdint>

struct TFuzzSeeds {
    QList<QByteArray> Seeds;
    QByteArray Alphabet;
};

// Defined by each fuzz target.
const TFuzzSeeds &FuzzSeeds();

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size);

// A seed written as a string literal, zero bytes included.
#define KOR_FUZZ_SEED(text) QByteArray(text, qsizetype(sizeof(text) - 1))
