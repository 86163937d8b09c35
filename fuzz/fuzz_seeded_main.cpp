// Runs a fuzz target without libFuzzer: every seed, then a fixed number of inputs made by a
// seeded generator from the target's alphabet, so the run is the same each time. With
// "--write-corpus DIR" it writes the seeds as files for libFuzzer instead.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <random>

#include "fuzzseeds.h"

int main(int argc, char **argv)
{
    const QList<QByteArray> &kSeeds = FuzzSeeds().Seeds;
    const QByteArray &kAlphabet = FuzzSeeds().Alphabet;
    if (argc == 3 && std::strcmp(argv[1], "--write-corpus") == 0) {
        QDir().mkpath(QString::fromLocal8Bit(argv[2]));
        for (qsizetype i = 0; i < kSeeds.size(); ++i) {
            QFile file(QStringLiteral("%1/seed%2").arg(QString::fromLocal8Bit(argv[2])).arg(i));
            if (!file.open(QIODevice::WriteOnly) || file.write(kSeeds.at(i)) != kSeeds.at(i).size())
                return 1;
        }
        return 0;
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20000;
    for (const QByteArray &seed : kSeeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(seed.constData()),
                               size_t(seed.size()));
    std::mt19937 generator(20260611);
    std::uniform_int_distribution<int> length(0, 64);
    std::uniform_int_distribution<int> letter(0, int(kAlphabet.size()) - 1);
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (int run = 0; run < runs; ++run) {
        QByteArray input = kSeeds.at(run % kSeeds.size());
        const int extra = length(generator);
        for (int i = 0; i < extra; ++i) {
            const char c = (i % 5 == 4) ? char(anyByte(generator)) : kAlphabet[letter(generator)];
            input.insert(anyByte(generator) % (input.size() + 1), c);
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()),
                               size_t(input.size()));
    }
    std::printf("%d seeds and %d generated inputs passed\n", int(kSeeds.size()), runs);
    return 0;
}
