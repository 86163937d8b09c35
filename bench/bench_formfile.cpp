// Prints how long a form of 20 grids with 20 customised columns each takes to open from its form
// file (read into an empty form, as opening a file does) and to write, averaged over runs; then,
// for that form and for one ten times larger, what undo costs: the median time to record, undo and
// redo a change of one column's width in the workbench's document (set as the inspector sets it,
// through its property editor, which names the column to the designer), and the bytes
// 256 such steps hold; beside them what a change no notice names costs to record (the whole form
// compared) and what re-applying the whole form's text (as undo once did) costs.

#include <QApplication>
#include <QElapsedTimer>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "column.h"
#include "formdesigner.h"
#include "formdocument.h"
#include "formfile.h"
#include "grid.h"
#include "propedit.h"
#include "registration.h"

namespace {

constexpr int kGrids = 20;
constexpr int kColumns = 20;
constexpr int kSteps = 256;

QByteArray sampleForm(int Grids = kGrids)
{
    TFormDesigner designer;
    auto *source =
        static_cast<TDataSource *>(designer.CreateComponent(&TDataSource::staticMetaObject));
    for (int g = 0; g < Grids; ++g) {
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

double median(std::vector<double> Values)
{
    std::sort(Values.begin(), Values.end());
    return Values.empty() ? 0 : Values[Values.size() / 2];
}

double msOf(const std::function<void()> &Body)
{
    QElapsedTimer timer;
    timer.start();
    Body();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Undo and redo of one column width on a form of Grids grids, in the document, and what 256 such
// steps hold; beside them what re-applying the whole text costs.
void undoFigures(int Grids)
{
    const QByteArray text = sampleForm(Grids);
    TFormDocument document;
    ReadFormText(document.Designer(), text);
    document.RecordChange(QStringLiteral("Open"));
    document.UndoStack()->clear();
    auto *grid = static_cast<TKorDBGrid *>(
        document.Designer()->GetComponent(QStringLiteral("KorDBGrid%1").arg(Grids / 2)));
    TKorColumn *column = grid->Columns()->Items(5);

    // The steps: one width each, set as the inspector sets it, the oldest going once the stack
    // is full.
    TFormDesigner *designer = document.Designer();
    PPropInfo widthInfo = GetPropInfo(column, QStringLiteral("Width"));
    std::unique_ptr<TPropertyEditor> editor = CreatePropertyEditor(
        FindPropertyEditorClass(widthInfo, column), designer, {column}, widthInfo);
    std::vector<double> records;
    const int steps = Grids > kGrids ? kSteps / 8 : kSteps;
    for (int i = 1; i <= steps; ++i) {
        editor->SetValue(QString::number(100 + i));
        records.push_back(msOf([&] { document.FlushPendingChange(); }));
    }
    const qsizetype held = document.UndoBytes() * (kSteps / steps);
    // A change that no notice names: recorded by comparing the whole form.
    std::vector<double> unnamed;
    for (int run = 0; run < (Grids > kGrids ? 3 : 11); ++run) {
        column->setWidth(column->Width() + 1);
        unnamed.push_back(msOf([&] { document.RecordChange(QStringLiteral("Width")); }));
    }
    std::vector<double> undos, redos;
    for (int run = 0; run < 21; ++run) {
        undos.push_back(msOf([&] { document.UndoStack()->undo(); }));
        redos.push_back(msOf([&] { document.UndoStack()->redo(); }));
    }

    // The whole form's text read back in place and written again, as undo did.
    TFormDesigner whole;
    ReadFormText(&whole, text);
    QByteArray changed = text;
    const qsizetype width = changed.indexOf("\"Width\": 45");
    changed.replace(width, 12, "\"Width\": 46"); // one column of one grid
    std::vector<double> wholes;
    bool flip = false;
    for (int run = 0; run < (Grids > kGrids ? 3 : 11); ++run)
        wholes.push_back(msOf([&] {
            ReadFormText(&whole, (flip = !flip) ? changed : text);
            WriteFormText(&whole);
        }));

    std::printf("form of %d grids x %d columns (%lld bytes of text):\n", Grids, kColumns,
                static_cast<long long>(text.size()));
    std::printf("  undo one column width: %.2f ms, redo: %.2f ms median (target under 5 ms; "
                "the whole text re-applied: %.1f ms)\n",
                median(undos), median(redos), median(wholes));
    std::printf("  %d such steps hold %lld bytes%s (the whole text twice a step: %lld bytes)\n",
                kSteps, static_cast<long long>(held),
                steps < kSteps ? qPrintable(QStringLiteral(" (%1 steps measured)").arg(steps)) : "",
                static_cast<long long>(text.size()) * 2 * kSteps);
    std::printf("  recording a column width set in the inspector: %.2f ms median (a change no "
                "notice names, the whole form compared: %.1f ms)\n",
                median(records), median(unnamed));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RegisterComponents(QStringLiteral("Bench"),
                       {&TDataSource::staticMetaObject, &TKorDBGrid::staticMetaObject});
    const QByteArray text = sampleForm();

    const double open = averageMs(10, [&] {
        TFormDesigner designer;
        ReadFormText(&designer, text);
    });
    TFormDesigner designer;
    ReadFormText(&designer, text);
    const double write = averageMs(10, [&] { WriteFormText(&designer); });
    std::printf("form file of %d grids x %d columns: %lld bytes\n", kGrids, kColumns,
                static_cast<long long>(text.size()));
    std::printf("open (read into an empty form): %.1f ms (target under 300 ms)\n", open);
    std::printf("write: %.1f ms\n", write);
    undoFigures(kGrids);
    undoFigures(kGrids * 10);
    return 0;
}
