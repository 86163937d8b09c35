// The page-table machinery on tables of its own: controls that stand in front of a later line,
// unbound controls, and rules applied in order. (A switch over two groups sharing one place is
// checked on the designer's Filter page.)

#include <QtTest>

#include "briskdesigner.h"
#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/controlbase.h"
#include "controls/label.h"
#include "formdesigner.h"
#include "grid.h"
#include "pagetable.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

using namespace TFactory;

// A window with one empty tab sheet, "ProbeTabSheet".
class TProbeWindow : public TBriskDesigner {
    Q_OBJECT
public:
    TProbeWindow()
    {
        Sheet = new QWidget(Panel1);
        Sheet->setObjectName(u"ProbeTabSheet"_s);
    }
    QWidget *Sheet;
};

class TProbePage : public TGridPagePropList {
    Q_OBJECT
public:
    using TGridPagePropList::TGridPagePropList;
};

const TPageTable &ProbeTable()
{
    static const TPageTable table{
        "ProbeTabSheet",
        {{"ColorsGroupBox", OnSheet, " Colors "}},
        {
            {"ColorsGroupBox", OnSheet, AddNoneProp, "Totals"},
            {"StripeCheckBox", "ColorsGroupBox", AddElemProp, "DrawingOptions", Elem(7), NoCaption,
             TPlace::Beside, "StripeColorBox"},
            {"StripeColorBox", "ColorsGroupBox", AddColorProp, "StripeColor",
             Colors(clDefault, clNone), "Stripes"},
            {"SpareCheckBox", "ColorsGroupBox", Unbound, nullptr, {}, "Spare"},
        },
        {
            {{"StripeColorBox", "StripeCheckBox"}, O(2) && !GridOrd("DrawingStyle", 1)},
            {{"ColorsGroupBox"}, GridBool("Totals.Active")},
        },
    };
    return table;
}

} // namespace

class TestPageTable : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormDesigner> designer;
    TKorDBGrid *grid = nullptr;
    std::unique_ptr<TProbeWindow> window;

    std::unique_ptr<TProbePage> build(const TPageTable &Table)
    {
        auto page = TPropList::Create<TProbePage>(window.get(), grid, Table);
        page->EnsureBuilt(); // otherwise built on its first load
        return page;
    }

private slots:
    void init()
    {
        ResetTestSettingsDir();
        designer = std::make_unique<TFormDesigner>();
        grid = designer->Create<TKorDBGrid>();
        window = std::make_unique<TProbeWindow>();
        window->SetDesigner(designer.get());
    }

    void cleanup()
    {
        window.reset();
        designer.reset();
    }

    void leadingControlStandsInFrontOfItsLine()
    {
        auto page = build(ProbeTable());
        window->show();
        QApplication::processEvents();
        auto *check = window->findChild<QWidget *>(u"StripeCheckBox"_s);
        auto *colors = window->findChild<QWidget *>(u"StripeColorBox"_s);
        auto *label = window->findChild<TLabel *>(u"StripeLabel"_s);
        QVERIFY(check && colors && label);
        QVERIFY(label->FocusControl() == colors && label->text() == u"Stripes"_s);
        QVERIFY(qAbs(check->geometry().center().y() - colors->geometry().center().y()) <= 2 &&
                check->geometry().right() < label->geometry().left());
        // Items follow the rows, not the lines: the check box was bound first.
        QCOMPARE(page->Items(1)->EditControl(), check);
        // The unbound control exists and has no item.
        QVERIFY(window->findChild<TCheckBox *>(u"SpareCheckBox"_s) &&
                !page->Item(u"SpareCheckBox"_s));
    }

    void rulesApplyInOrderAndEnableAllLiftsThem()
    {
        auto page = build(ProbeTable());
        auto *colors = window->findChild<QWidget *>(u"StripeColorBox"_s);
        auto *group = window->findChild<QWidget *>(u"ColorsGroupBox"_s);
        SetOrdProp(grid->Totals(), u"Active"_s, 0);
        page->LoadPropList();
        // The group's rule comes last: it decides its direct children.
        QVERIFY(!ControlEnabled(group) && !ControlEnabled(colors));
        SetOrdProp(grid->Totals(), u"Active"_s, 1);
        SetOrdProp(grid, u"DrawingStyle"_s, 1);
        page->LoadPropList();
        QVERIFY(ControlEnabled(group) && ControlEnabled(colors));
        page->AllEnabled = true;
        SetOrdProp(grid->Totals(), u"Active"_s, 0);
        page->LoadPropList();
        QVERIFY(ControlEnabled(group));
    }
};

QTEST_MAIN(TestPageTable)
#include "tst_pagetable.moc"
