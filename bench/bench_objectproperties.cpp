// Prints how long the Object Inspector takes to open the value list of a field-name property
// whose data set has 10,000 fields (asking the editor for its values, sorting, measuring,
// showing and drawing the list), and to show a selection of 200 properties (creating their
// editors, reading their values and drawing the rows). Each figure is the median of several runs.

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "designintf.h"
#include "kordbeditors.h"
#include "kordbeditsreg.h"
#include "namesdataset.h"
#include "objectproperties.h"
#include "persistent.h"
#include "probedesigner.h"
#include "propertyrowdelegate.h"
#include "propertyvaluelist.h"
#include "published.h"
#include "registration.h"

namespace {

class TBenchComponent : public QObject, public TComponent {
    Q_OBJECT
    KOR_INTEGER(Int00, 0)
    KOR_STRING(Text00)
    KOR_COLOR(Colour00, clWindow)
    KOR_BOOLEAN(Flag00, false)
    KOR_INTEGER(Int01, 1)
    KOR_STRING(Text01)
    KOR_COLOR(Colour01, clWindow)
    KOR_BOOLEAN(Flag01, false)
    KOR_INTEGER(Int02, 2)
    KOR_STRING(Text02)
    KOR_COLOR(Colour02, clWindow)
    KOR_BOOLEAN(Flag02, false)
    KOR_INTEGER(Int03, 3)
    KOR_STRING(Text03)
    KOR_COLOR(Colour03, clWindow)
    KOR_BOOLEAN(Flag03, false)
    KOR_INTEGER(Int04, 4)
    KOR_STRING(Text04)
    KOR_COLOR(Colour04, clWindow)
    KOR_BOOLEAN(Flag04, false)
    KOR_INTEGER(Int05, 5)
    KOR_STRING(Text05)
    KOR_COLOR(Colour05, clWindow)
    KOR_BOOLEAN(Flag05, false)
    KOR_INTEGER(Int06, 6)
    KOR_STRING(Text06)
    KOR_COLOR(Colour06, clWindow)
    KOR_BOOLEAN(Flag06, false)
    KOR_INTEGER(Int07, 7)
    KOR_STRING(Text07)
    KOR_COLOR(Colour07, clWindow)
    KOR_BOOLEAN(Flag07, false)
    KOR_INTEGER(Int08, 8)
    KOR_STRING(Text08)
    KOR_COLOR(Colour08, clWindow)
    KOR_BOOLEAN(Flag08, false)
    KOR_INTEGER(Int09, 9)
    KOR_STRING(Text09)
    KOR_COLOR(Colour09, clWindow)
    KOR_BOOLEAN(Flag09, false)
    KOR_INTEGER(Int10, 10)
    KOR_STRING(Text10)
    KOR_COLOR(Colour10, clWindow)
    KOR_BOOLEAN(Flag10, false)
    KOR_INTEGER(Int11, 11)
    KOR_STRING(Text11)
    KOR_COLOR(Colour11, clWindow)
    KOR_BOOLEAN(Flag11, false)
    KOR_INTEGER(Int12, 12)
    KOR_STRING(Text12)
    KOR_COLOR(Colour12, clWindow)
    KOR_BOOLEAN(Flag12, false)
    KOR_INTEGER(Int13, 13)
    KOR_STRING(Text13)
    KOR_COLOR(Colour13, clWindow)
    KOR_BOOLEAN(Flag13, false)
    KOR_INTEGER(Int14, 14)
    KOR_STRING(Text14)
    KOR_COLOR(Colour14, clWindow)
    KOR_BOOLEAN(Flag14, false)
    KOR_INTEGER(Int15, 15)
    KOR_STRING(Text15)
    KOR_COLOR(Colour15, clWindow)
    KOR_BOOLEAN(Flag15, false)
    KOR_INTEGER(Int16, 16)
    KOR_STRING(Text16)
    KOR_COLOR(Colour16, clWindow)
    KOR_BOOLEAN(Flag16, false)
    KOR_INTEGER(Int17, 17)
    KOR_STRING(Text17)
    KOR_COLOR(Colour17, clWindow)
    KOR_BOOLEAN(Flag17, false)
    KOR_INTEGER(Int18, 18)
    KOR_STRING(Text18)
    KOR_COLOR(Colour18, clWindow)
    KOR_BOOLEAN(Flag18, false)
    KOR_INTEGER(Int19, 19)
    KOR_STRING(Text19)
    KOR_COLOR(Colour19, clWindow)
    KOR_BOOLEAN(Flag19, false)
    KOR_INTEGER(Int20, 20)
    KOR_STRING(Text20)
    KOR_COLOR(Colour20, clWindow)
    KOR_BOOLEAN(Flag20, false)
    KOR_INTEGER(Int21, 21)
    KOR_STRING(Text21)
    KOR_COLOR(Colour21, clWindow)
    KOR_BOOLEAN(Flag21, false)
    KOR_INTEGER(Int22, 22)
    KOR_STRING(Text22)
    KOR_COLOR(Colour22, clWindow)
    KOR_BOOLEAN(Flag22, false)
    KOR_INTEGER(Int23, 23)
    KOR_STRING(Text23)
    KOR_COLOR(Colour23, clWindow)
    KOR_BOOLEAN(Flag23, false)
    KOR_INTEGER(Int24, 24)
    KOR_STRING(Text24)
    KOR_COLOR(Colour24, clWindow)
    KOR_BOOLEAN(Flag24, false)
    KOR_INTEGER(Int25, 25)
    KOR_STRING(Text25)
    KOR_COLOR(Colour25, clWindow)
    KOR_BOOLEAN(Flag25, false)
    KOR_INTEGER(Int26, 26)
    KOR_STRING(Text26)
    KOR_COLOR(Colour26, clWindow)
    KOR_BOOLEAN(Flag26, false)
    KOR_INTEGER(Int27, 27)
    KOR_STRING(Text27)
    KOR_COLOR(Colour27, clWindow)
    KOR_BOOLEAN(Flag27, false)
    KOR_INTEGER(Int28, 28)
    KOR_STRING(Text28)
    KOR_COLOR(Colour28, clWindow)
    KOR_BOOLEAN(Flag28, false)
    KOR_INTEGER(Int29, 29)
    KOR_STRING(Text29)
    KOR_COLOR(Colour29, clWindow)
    KOR_BOOLEAN(Flag29, false)
    KOR_INTEGER(Int30, 30)
    KOR_STRING(Text30)
    KOR_COLOR(Colour30, clWindow)
    KOR_BOOLEAN(Flag30, false)
    KOR_INTEGER(Int31, 31)
    KOR_STRING(Text31)
    KOR_COLOR(Colour31, clWindow)
    KOR_BOOLEAN(Flag31, false)
    KOR_INTEGER(Int32, 32)
    KOR_STRING(Text32)
    KOR_COLOR(Colour32, clWindow)
    KOR_BOOLEAN(Flag32, false)
    KOR_INTEGER(Int33, 33)
    KOR_STRING(Text33)
    KOR_COLOR(Colour33, clWindow)
    KOR_BOOLEAN(Flag33, false)
    KOR_INTEGER(Int34, 34)
    KOR_STRING(Text34)
    KOR_COLOR(Colour34, clWindow)
    KOR_BOOLEAN(Flag34, false)
    KOR_INTEGER(Int35, 35)
    KOR_STRING(Text35)
    KOR_COLOR(Colour35, clWindow)
    KOR_BOOLEAN(Flag35, false)
    KOR_INTEGER(Int36, 36)
    KOR_STRING(Text36)
    KOR_COLOR(Colour36, clWindow)
    KOR_BOOLEAN(Flag36, false)
    KOR_INTEGER(Int37, 37)
    KOR_STRING(Text37)
    KOR_COLOR(Colour37, clWindow)
    KOR_BOOLEAN(Flag37, false)
    KOR_INTEGER(Int38, 38)
    KOR_STRING(Text38)
    KOR_COLOR(Colour38, clWindow)
    KOR_BOOLEAN(Flag38, false)
    KOR_INTEGER(Int39, 39)
    KOR_STRING(Text39)
    KOR_COLOR(Colour39, clWindow)
    KOR_BOOLEAN(Flag39, false)
    KOR_INTEGER(Int40, 40)
    KOR_STRING(Text40)
    KOR_COLOR(Colour40, clWindow)
    KOR_BOOLEAN(Flag40, false)
    KOR_INTEGER(Int41, 41)
    KOR_STRING(Text41)
    KOR_COLOR(Colour41, clWindow)
    KOR_BOOLEAN(Flag41, false)
    KOR_INTEGER(Int42, 42)
    KOR_STRING(Text42)
    KOR_COLOR(Colour42, clWindow)
    KOR_BOOLEAN(Flag42, false)
    KOR_INTEGER(Int43, 43)
    KOR_STRING(Text43)
    KOR_COLOR(Colour43, clWindow)
    KOR_BOOLEAN(Flag43, false)
    KOR_INTEGER(Int44, 44)
    KOR_STRING(Text44)
    KOR_COLOR(Colour44, clWindow)
    KOR_BOOLEAN(Flag44, false)
    KOR_INTEGER(Int45, 45)
    KOR_STRING(Text45)
    KOR_COLOR(Colour45, clWindow)
    KOR_BOOLEAN(Flag45, false)
    KOR_INTEGER(Int46, 46)
    KOR_STRING(Text46)
    KOR_COLOR(Colour46, clWindow)
    KOR_BOOLEAN(Flag46, false)
    KOR_INTEGER(Int47, 47)
    KOR_STRING(Text47)
    KOR_COLOR(Colour47, clWindow)
    KOR_BOOLEAN(Flag47, false)
    KOR_INTEGER(Int48, 48)
    KOR_STRING(Text48)
    KOR_COLOR(Colour48, clWindow)
    KOR_BOOLEAN(Flag48, false)
    KOR_INTEGER(Int49, 49)
    KOR_STRING(Text49)
    KOR_COLOR(Colour49, clWindow)
    KOR_BOOLEAN(Flag49, false)

public:
    void Changed() {}
};

// Processor time of this process, in milliseconds: less disturbed than the wall clock when the
// machine is busy with other work.
double cpuMilliseconds()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

double median(std::vector<double> Samples)
{
    std::sort(Samples.begin(), Samples.end());
    return Samples[Samples.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    KorDBEditsReg::Register();
    TProbeDesigner designer;
    constexpr int kRuns = 15;

    // A value list of 10,000 field names, in an order the inspector has to sort.
    QStringList names;
    for (int i = 0; i < 10000; ++i)
        names.append(QStringLiteral("Field%1").arg((i * 7919) % 10000, 5, 10, QLatin1Char('0')));
    TNamesDataSet dataSet(names);
    dataSet.Open();
    TDataSource source;
    source.setDataSet(&dataSet);
    TKorDBEditor editor;
    editor.setDataSource(&source);
    {
        TObjectInspector inspector;
        inspector.SetDesigner(&designer);
        inspector.resize(380, 640);
        inspector.show();
        inspector.SetSelection({&editor});
        QCoreApplication::processEvents();
        const QModelIndex row = inspector.EditRow(QStringLiteral("KeyField"));
        auto *edit = qobject_cast<TInspectorValueEdit *>(
            inspector.View()->indexWidget(row.sibling(row.row(), 1)));
        if (!edit) {
            std::printf("no value editor for KeyField\n");
            return 1;
        }
        std::vector<double> samples, cpu;
        int listed = 0;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            const double cpuStart = cpuMilliseconds();
            TInspectorValueList *list = edit->OpenValueList();
            list->View()->viewport()->repaint();
            samples.push_back(timer.nsecsElapsed() / 1e6);
            cpu.push_back(cpuMilliseconds() - cpuStart);
            listed = int(list->Values().size());
            delete list;
        }
        std::printf("Open a value list of %d field names: median %.2f ms, best %.2f ms, "
                    "processor time median %.2f ms (target under 50 ms)\n",
                    listed, median(samples), *std::min_element(samples.begin(), samples.end()),
                    median(cpu));
    }

    // A selection of 200 properties.
    TBenchComponent component;
    component.SetName(QStringLiteral("Bench1"));
    {
        TObjectInspector inspector;
        inspector.SetDesigner(&designer);
        inspector.resize(380, 640);
        inspector.show();
        QCoreApplication::processEvents();
        std::vector<double> samples, cpu;
        int rows = 0;
        for (int run = 0; run < kRuns; ++run) {
            inspector.SetSelection({});
            QCoreApplication::processEvents();
            QElapsedTimer timer;
            timer.start();
            const double cpuStart = cpuMilliseconds();
            inspector.SetSelection({&component});
            inspector.View()->viewport()->repaint();
            samples.push_back(timer.nsecsElapsed() / 1e6);
            cpu.push_back(cpuMilliseconds() - cpuStart);
            rows = inspector.Model()->rowCount();
        }
        std::printf("Show a selection of %d properties: median %.2f ms, best %.2f ms, "
                    "processor time median %.2f ms (target under 20 ms)\n",
                    rows, median(samples), *std::min_element(samples.begin(), samples.end()),
                    median(cpu));
    }
    UnregisterModule(QString());
    return 0;
}

#include "bench_objectproperties.moc"
