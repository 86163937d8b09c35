// Fuzz target: random texts as the kept order of a designer's tabs. Applying one never loses or
// duplicates a page and never crashes; the text of the order it gives, applied to the pages in
// any other order, gives that same order and active page again.

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "fuzztarget.h"
#include "tabsorder.h"

namespace {

const char *const pageNames[] = {"LayoutSheet", "ColorsSheet", "FontsSheet", "GridSheet",
                                 "TitleSheet",  "TotalSheet",  "LinksSheet"};

QApplication &application()
{
    static int argc = 1;
    static char name[] = "fuzz_tabsorder";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

// A page control with the pages in their first order, turned by Rotate places. Making tab
// widgets is most of the cost of an input, so each rotation has one, put back in order each time.
QTabWidget &pageControl(int Rotate)
{
    static std::map<int, std::unique_ptr<QTabWidget>> controls;
    const int count = int(std::size(pageNames));
    std::unique_ptr<QTabWidget> &control = controls[Rotate];
    if (!control) {
        control = std::make_unique<QTabWidget>();
        for (int i = 0; i < count; ++i) {
            auto *page = new QWidget;
            page->setObjectName(QLatin1String(pageNames[i]));
            control->addTab(page, page->objectName());
        }
    }
    for (int i = 0; i < count; ++i) {
        QWidget *page =
            control->findChild<QWidget *>(QLatin1String(pageNames[(i + Rotate) % count]));
        control->tabBar()->moveTab(control->indexOf(page), i);
    }
    control->setCurrentIndex(0);
    return *control;
}

QStringList order(const QTabWidget &Control)
{
    QStringList names;
    for (int i = 0; i < Control.count(); ++i)
        names << Control.widget(i)->objectName();
    return names;
}

[[noreturn]] void fail(const char *What, const QString &Text)
{
    std::fprintf(stderr, "invariant broken: %s (text \"%s\")\n", What, qPrintable(Text));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    application();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(Data),
                                           qsizetype(qMin<size_t>(Size, 4096)));
    QTabWidget &control = pageControl(0);
    ApplyTabsOrder(&control, text);
    QStringList names = order(control);
    QStringList sorted = names;
    sorted.sort();
    QStringList expected(std::begin(pageNames), std::end(pageNames));
    expected.sort();
    if (sorted != expected)
        fail("pages lost or repeated", text);
    const QString kept = TabsOrderText(&control);
    QTabWidget &again = pageControl(3);
    ApplyTabsOrder(&again, kept);
    if (order(again) != names ||
        again.currentWidget()->objectName() != control.currentWidget()->objectName())
        fail("kept order read back differently", text);
    return 0;
}

QList<QByteArray> FuzzSeeds()
{
    return {
        QByteArrayLiteral("FontsSheet;LinksSheet;TotalSheet;LayoutSheet"),
        QByteArrayLiteral(";;;"),
        QByteArrayLiteral("gridsheet;GRIDSHEET;gridSheet;TitleSheet;TitleSheet"),
        QByteArrayLiteral("Nowhere;LayoutSheet;Nowhere;ColorsSheet;FontsSheet;GridSheet;"
                          "TitleSheet;TotalSheet;LinksSheet;LinksSheet;ColorsSheet"),
        QByteArrayLiteral(""),
    };
}

QByteArray FuzzAlphabet()
{
    static const char alphabet[] =
        ";;LayoutSheetColorsSheetFontsSheetGridSheetTitleSheetTotalLinks\xc3\xa9";
    return QByteArray(alphabet, qsizetype(sizeof(alphabet) - 1));
}
