// Runs the fuzz target without libFuzzer: every seed, then a fixed number of inputs made by a
// seeded generator from the seeds' alphabet, so the run is the same each time. With
// "--write-corpus DIR" it writes the seeds as files for libFuzzer instead.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <random>

#include "fuzztarget.h"

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    const QList<QByteArray> seeds = FuzzSeeds();
    const QByteArray alphabet = FuzzAlphabet();
    if (argc == 3 && std::strcmp(argv[1], "--write-corpus") == 0) {
        QDir().mkpath(QString::fromLocal8Bit(argv[2]));
        for (qsizetype i = 0; i < seeds.size(); ++i) {
            QFile file(u"%1/seed%2"_s.arg(QString::fromLocal8Bit(argv[2])).arg(i));
            if (!file.open(QIODevice::WriteOnly) || file.write(seeds.at(i)) != seeds.at(i).size())
                return 1;
        }
        return 0;
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20000;
    for (const QByteArray &seed : seeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(seed.constData()),
                               size_t(seed.size()));
    std::mt19937 generator(20260611);
    std::uniform_int_distribution<int> length(0, 64);
    std::uniform_int_distribution<int> letter(0, int(alphabet.size()) - 1);
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (int run = 0; run < runs; ++run) {
        QByteArray input = seeds.at(run % seeds.size());
        const int extra = length(generator);
        for (int i = 0; i < extra; ++i) {
            const char c = (i % 5 == 4) ? char(anyByte(generator)) : alphabet[letter(generator)];
            input.insert(anyByte(generator) % (input.size() + 1), c);
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()),
                               size_t(input.size()));
    }
    std::printf("%d seeds and %d generated inputs passed\n", int(seeds.size()), runs);
    return 0;
}
