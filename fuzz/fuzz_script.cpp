// Fuzz target: random text through the workbench's scenario language. Every line of the input
// becomes the arguments of a step that cannot change anything, so only reading the words runs:
// the run passes, or fails on an unclosed quote at a line of the input. Each line, read as one
// word, also round-trips: written in quotes with its quotes and backslashes escaped, and given
// through ${NAME}, the runner reads exactly that word back.

#include <QApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "fuzztarget.h"
#include "scriptrunner.h"
#include "workbenchsession.h"
#include "workbenchwindow.h"

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const char *What, const QString &Text, const QString &Error)
{
    std::fprintf(stderr, "invariant broken: %s (text \"%s\", error \"%s\")\n", What,
                 Text.toUtf8().toHex().constData(), qPrintable(Error));
    std::abort();
}

TScriptRunner &runner()
{
    static int argc = 1;
    static char name[] = "fuzz_script";
    static char *argv[] = {name, nullptr};
    if (!qApp)
        new QApplication(argc, argv);
    static QTemporaryDir data;
    static const bool set = [] {
        qputenv("KOR_DATA_DIR", QFile::encodeName(data.path()));
        qputenv("KOR_SETTINGS_DIR", QFile::encodeName(data.path()));
        return true;
    }();
    Q_UNUSED(set);
    static TWorkbenchSession &session = *new TWorkbenchSession;
    Q_UNUSED(session);
    static TScriptRunner &runner = *new TScriptRunner(new TWorkbenchWindow);
    return runner;
}

QString quoted(QString Word)
{
    Word.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    Word.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + Word + QLatin1Char('"');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TScriptRunner &script = runner();
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(Data), qsizetype(Size)).remove(QChar(0));
    const QStringList lines = text.split(QLatin1Char('\n'));

    // "?" names no command, so each step fails as expected whatever its arguments say.
    QStringList guarded;
    for (const QString &line : lines)
        guarded << u"expect-error unknown ?step "_s + line;
    if (!script.Run(guarded.join(QLatin1Char('\n')))) {
        static const QRegularExpression unclosed(u"^script:(\\d+): a quoted text is not closed$"_s);
        const QRegularExpressionMatch match = unclosed.match(script.Error());
        if (!match.hasMatch() || match.captured(1).toInt() > lines.size())
            fail("a harmless step failed", text, script.Error());
    }

    const QString word = u"?"_s + lines.first();
    const QString expected = u"script:1: unknown command \""_s + word + u'"';
    qputenv("KOR_FUZZ_WORD", lines.first().toUtf8());
    if (script.Run(u"?${KOR_FUZZ_WORD} "_s + quoted(word)) || script.Error() != expected)
        fail("a variable's value read back differently", text, script.Error());
    // Variables in a quoted word are replaced too: only a word without them reads back as is.
    if (script.Run(quoted(word) + u" #"_s + quoted(text)) ||
        (!word.contains(QLatin1String("${")) && script.Error() != expected))
        fail("a quoted word read back differently", text, script.Error());
    return 0;
}

QList<QByteArray> FuzzSeeds()
{
    return {
        QByteArrayLiteral("place TKorDBGrid Grid1 10 10\nset Grid1.Columns[0].Title \"a b\"\n"),
        QByteArrayLiteral("type Edit \"say \\\"hi\\\" \\\\ there\" # comment \"\n"),
        QByteArrayLiteral("open ${SAMPLE_DB}/${HOME}x${}${NO_SUCH_NAME_1}\n"),
        QByteArrayLiteral("a\"b c\"d \"\" \"#\" #x\n\"unclosed \\\"\nnext"),
        QByteArrayLiteral("\t\r\n\\\\\"\\\n  # only a comment\n"),
        QByteArrayLiteral(""),
    };
}

QByteArray FuzzAlphabet()
{
    static const char alphabet[] = "\"\\#${}_ \t\r\nAz09.[]\xc3\xa9\xff\x00";
    return QByteArray(alphabet, qsizetype(sizeof(alphabet) - 1));
}
