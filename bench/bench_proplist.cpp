// Prints how long a property list of 60 mixed items takes to load into its controls, and how
// long one change round trip takes (a control event writes the property, the designer hears
// of the modification, and the list reloads), each averaged over many runs.

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdio>

#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/updown.h"
#include "designintf.h"
#include "designwindow.h"
#include "persistent.h"
#include "probedesigner.h"
#include "proplist.h"
#include "published.h"
#include "vcltypes.h"

namespace {

class TBenchComponent : public QObject, public TComponent {
    Q_OBJECT
    KOR_BOOLEAN(B0, false)
    KOR_BOOLEAN(B1, true)
    KOR_BOOLEAN(B2, false)
    KOR_BOOLEAN(B3, true)
    KOR_BOOLEAN(B4, false)
    KOR_SET(Vcl::TFontStyles, Styles, ())
    KOR_ENUM(Vcl::TAlignment, Alignment, Vcl::taLeftJustify)
    KOR_ENUM(Vcl::TBorderStyle, BorderStyle, Vcl::bsSingle)
    KOR_ENUM(Vcl::TScrollStyle, ScrollBars, Vcl::ssBoth)
    KOR_COLOR(C0, clWindow)
    KOR_COLOR(C1, clBtnFace)
    KOR_COLOR(C2, clWindowText)
    KOR_STRING(S0)
    KOR_STRING(S1)
    KOR_STRING(S2)
    KOR_INTEGER(V0, 1)
    KOR_INTEGER(V1, 2)
    KOR_INTEGER(V2, 3)

public:
    void Changed() {}
};

// Twelve rounds of five items: check boxes, set elements, enumerations, colours, texts and
// values, each kind on its own controls: 60 items in all.
void fillList(TPropList &List, QWidget &Page, TCheckBox *&FirstCheck)
{
    static const char *const bools[] = {"B0", "B1", "B2", "B3", "B4"};
    static const char *const enums[] = {"Alignment", "BorderStyle", "ScrollBars"};
    static const char *const colors[] = {"C0", "C1", "C2"};
    static const char *const strings[] = {"S0", "S1", "S2"};
    static const char *const values[] = {"V0", "V1", "V2"};
    for (int round = 0; round < 12; ++round) {
        const int kind = round % 6;
        for (int i = 0; i < 5; ++i) {
            switch (kind) {
            case 0: {
                auto *box = new TCheckBox(&Page);
                if (!FirstCheck)
                    FirstCheck = box;
                List.AddBoolProp(QString::fromLatin1(bools[i]), box, i % 2 == 1);
                break;
            }
            case 1:
                List.AddElemProp(QStringLiteral("Styles"), new TCheckBox(&Page), i % 4);
                break;
            case 2:
                List.AddEnumProp(QString::fromLatin1(enums[i % 3]), new TComboBox(&Page));
                break;
            case 3:
                List.AddBackColorProp(QString::fromLatin1(colors[i % 3]), new TColorBox(&Page));
                break;
            case 4:
                List.AddTextProp(QString::fromLatin1(strings[i % 3]), new TEdit(&Page));
                break;
            default: {
                auto *edit = new TEdit(&Page);
                (new TUpDown(&Page))->SetAssociate(edit);
                List.AddValueProp(QString::fromLatin1(values[i % 3]), edit, -100, 100);
                break;
            }
            }
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TProbeDesigner designer;
    TDesignWindow window;
    window.SetDesigner(&designer);
    TBenchComponent component;
    QWidget page;
    auto list = TPropList::Create<TPropList>(&window, &component);
    TCheckBox *check = nullptr;
    fillList(*list, page, check);
    list->LoadPropList(); // warm-up: first font metrics, first colour lists

    constexpr int loads = 300;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < loads; ++i)
        list->LoadPropList();
    const double loadMs = double(timer.nsecsElapsed()) / 1e6 / loads;

    designer.OnModified = [&] { list->LoadPropList(); };
    constexpr int changes = 300;
    timer.restart();
    for (int i = 0; i < changes; ++i)
        check->click();
    const double changeMs = double(timer.nsecsElapsed()) / 1e6 / changes;

    std::printf("property list: %d items\n", list->ItemCount());
    std::printf("load into controls: %.3f ms (average of %d loads)\n", loadMs, loads);
    std::printf("change round trip (click -> write -> Modified -> reload): %.3f ms (average of "
                "%d changes, %d modifications)\n",
                changeMs, changes, designer.modified);
    return designer.modified == changes ? 0 : 1;
}

#include "bench_proplist.moc"
