// Runs the fuzz target without libFuzzer: every seed, then a fixed number of inputs made by a
// seeded generator from the seeds' alphabet, so the run is the same each time. With
// "--write-corpus DIR" it writes the seeds as files for libFuzzer instead.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size);

namespace {

QByteArray bytes(const char *Text, size_t Size)
{
    return QByteArray(Text, qsizetype(Size));
}

#define SEED(text) bytes(text, sizeof(text) - 1)

const QList<QByteArray> kSeeds = {
    SEED("A|B|C\0\x00\x04" "D"),
    SEED("A|B|C\0\x01\x02"),
    SEED("A|B|C\0\x01\x01\0\x01\x01\0\x01\x01"),
    SEED("A\0\x01\x01"),
    SEED("A|B|C\0\x00\x02"),
    SEED("\0\x00\x01Q\0\x00\x03x|y"),
    SEED("||\0\x00\x00\x1b\0\x01\x03"),
    SEED("one\rtwo|three\0\x00\x02" "a\r\nb"),
    SEED("\0\x02\x00\xa0%d    \xa0" "Decimal   (1000)"),
    SEED("\0\x02\x00\xa0----- \xa0" "Float\xa0 -----"),
    SEED("\0\x02\x00" "typed %8.2f"),
    SEED("\0\x02\x00x\xa0y \xa0z"),
    SEED("\0\x02\x00\xa0\xa0 \xa0"),
};

#undef SEED

const char kAlphabet[] = "AB|||\r\n\x1b\xa0 -%d\0\x01\x02\x03";

} // namespace

int main(int argc, char **argv)
{
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
    std::uniform_int_distribution<int> letter(0, int(sizeof(kAlphabet)) - 2);
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
