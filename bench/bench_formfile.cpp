// Prints how long a form of 20 grids with 20 customised columns each takes to open from its form
// file (read into an empty form, as opening a file does), to write, and to take one undo step
// back in place (read a text that differs in one column's property), each averaged over runs.

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "column.h"
#include "formdesigner.h"
#include "formfile.h"
#include "grid.h"
#include "registration.h"

namespace {

constexpr int kGrids = 20;
constexpr int kColumns = 20;

QByteArray sampleForm()
{
    TFormDesigner designer;
    auto *source =
        static_cast<TDataSource *>(designer.CreateComponent(&TDataSource::staticMetaObject));
    for (int g = 0; g < kGrids; ++g) {
        auto *grid =
            static_cast<TKorDBGrid *>(designer.CreateComponent(&TKorDBGrid::staticMetaObject));
        grid->setDataSource(source);
        grid->setFixedColor(clSilver);
        grid->TitleFont()->setStyle(Vcl::TFontStyles(Vcl::fsBold));
        for (int c = 0; c < kColumns; ++c) {
            TKorColumn *column = grid->Columns()->Add();
            column->setFieldName(QStringLiteral("field%1").arg(c));
            column->Title()->setCaption(QStringLiteral("Field %1").arg(c));
            column->setWidth(40 + c);
            column->Font()->setColor(clNavy);
        }
    }
    return WriteFormText(&designer);
}

template <class F> double averageMs(int Runs, F &&Body)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Runs; ++i)
        Body();
    return double(timer.nsecsElapsed()) / 1e6 / Runs;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RegisterComponents(QStringLiteral("Bench"),
                       {&TDataSource::staticMetaObject, &TKorDBGrid::staticMetaObject});
    const QByteArray text = sampleForm();
    const QByteArray changed = QByteArray(text).replace("\"Width\": 45", "\"Width\": 46");

    const double open = averageMs(10, [&] {
        TFormDesigner designer;
        ReadFormText(&designer, text);
    });
    TFormDesigner designer;
    ReadFormText(&designer, text);
    const double write = averageMs(10, [&] { WriteFormText(&designer); });
    bool flip = false;
    const double undo = averageMs(10, [&] {
        ReadFormText(&designer, (flip = !flip) ? changed : text);
    });
    std::printf("form file of %d grids x %d columns: %lld bytes\n", kGrids, kColumns,
                static_cast<long long>(text.size()));
    std::printf("open (read into an empty form): %.1f ms (target under 300 ms)\n", open);
    std::printf("write: %.1f ms\n", write);
    std::printf("undo step in place (one column width in each grid): %.1f ms\n", undo);
    return 0;
}
