// The page-table machinery on tables of its own: groups that share a place with a switch lying
// over their caption, controls that stand in front of a later line, unbound controls, hooks,
// and rules applied in order.

#include <QtTest>

#include "briskdesigner.h"
#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/controlbase.h"
#include "controls/label.h"
#include "formdesigner.h"
#include "grid.h"
#include "hosterrors.h"
#include "pagetable.h"
#include "testsupport.h"

namespace {

using namespace TFactory;

// A window with one empty tab sheet, "ProbeTabSheet".
class TProbeWindow : public TBriskDesigner {
    Q_OBJECT
public:
    TProbeWindow()
    {
        Sheet = new QWidget(Panel1);
        Sheet->setObjectName(QStringLiteral("ProbeTabSheet"));
    }
    QWidget *Sheet;
};

class TProbePage : public TGridPagePropList {
    Q_OBJECT
public:
    using TGridPagePropList::TGridPagePropList;
};

const TPageTable &SwitchTable()
{
    static const TPageTable table{
        "ProbeTabSheet",
        {
            {"OptionsGroupBox", OnSheet, "      Options / Periods "},
            {"PeriodsGroupBox", OnSheet, "      Periods / Options ", TPlace::Same},
            {"ColorsGroupBox", OnSheet, " Colors ", TPlace::NewColumn},
        },
        {
            {"PeriodsCheckBox", OnSheet, AddSwitchProp, "Periods",
             Switch("PeriodsGroupBox", "OptionsGroupBox", false, "Switch the groups."), NoCaption},
            {"TitlesCheckBox", "OptionsGroupBox", AddElemProp, "Options", Elem(2), "Titles"},
            {"IndicatorCheckBox", "PeriodsGroupBox", AddElemProp, "Options", Elem(3), "Indicator"},
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
        try {
            auto page = TPropList::Create<TProbePage>(window.get(), grid, Table);
            page->EnsureBuilt(); // otherwise built on its first load
            return page;
        } catch (const EHostError &error) {
            qWarning("%s", qPrintable(error.Message()));
            throw;
        }
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

    void switchAlternatesGroupsSharingOnePlace()
    {
        auto page = build(SwitchTable());
        window->show();
        page->LoadPropList();
        QApplication::processEvents();
        auto *options = window->findChild<TGroupBox *>(QStringLiteral("OptionsGroupBox"));
        auto *periods = window->findChild<TGroupBox *>(QStringLiteral("PeriodsGroupBox"));
        auto *box = window->findChild<TCheckBox *>(QStringLiteral("PeriodsCheckBox"));
        QVERIFY(options && periods && box);
        // Unchecked: the options show, in the place the periods take when checked.
        QVERIFY(!options->isHidden());
        QVERIFY(periods->isHidden());
        QCOMPARE(box->parentWidget(), window->Sheet);
        QCOMPARE(box->pos(), options->pos() + QPoint(6, 0));
        const int modified = designer->ModifiedCount();
        box->click();
        QVERIFY(options->isHidden());
        QVERIFY(!periods->isHidden());
        QApplication::processEvents();
        QCOMPARE(periods->geometry().topLeft(), options->geometry().topLeft());
        QCOMPARE(box->pos(), periods->pos() + QPoint(6, 0));
        QCOMPARE(designer->ModifiedCount(), modified + 1);
    }

    void leadingControlStandsInFrontOfItsLine()
    {
        auto page = build(SwitchTable());
        window->show();
        QApplication::processEvents();
        auto *check = window->findChild<QWidget *>(QStringLiteral("StripeCheckBox"));
        auto *colors = window->findChild<QWidget *>(QStringLiteral("StripeColorBox"));
        auto *label = window->findChild<TLabel *>(QStringLiteral("StripeLabel"));
        QVERIFY(check && colors && label);
        QCOMPARE(label->FocusControl(), colors);
        QCOMPARE(label->text(), QStringLiteral("Stripes"));
        QVERIFY(qAbs(check->geometry().center().y() - colors->geometry().center().y()) <= 2);
        QVERIFY(check->geometry().right() < label->geometry().left());
        // Items follow the rows, not the lines: the check box was bound first.
        QCOMPARE(page->Items(4)->EditControl(), check);
        // The unbound control exists and has no item.
        QVERIFY(window->findChild<TCheckBox *>(QStringLiteral("SpareCheckBox")));
        QVERIFY(!page->Item(QStringLiteral("SpareCheckBox")));
    }

    void rulesApplyInOrderAndEnableAllLiftsThem()
    {
        auto page = build(SwitchTable());
        auto *colors = window->findChild<QWidget *>(QStringLiteral("StripeColorBox"));
        auto *group = window->findChild<QWidget *>(QStringLiteral("ColorsGroupBox"));
        SetOrdProp(grid->Totals(), QStringLiteral("Active"), 0);
        page->LoadPropList();
        // The group's rule comes last: it decides its direct children.
        QVERIFY(!ControlEnabled(group));
        QVERIFY(!ControlEnabled(colors));
        SetOrdProp(grid->Totals(), QStringLiteral("Active"), 1);
        SetOrdProp(grid, QStringLiteral("DrawingStyle"), 1);
        page->LoadPropList();
        QVERIFY(ControlEnabled(group));
        QVERIFY(ControlEnabled(colors));
        page->AllEnabled = true;
        SetOrdProp(grid->Totals(), QStringLiteral("Active"), 0);
        page->LoadPropList();
        QVERIFY(ControlEnabled(group));
    }
};

QTEST_MAIN(TestPageTable)
#include "tst_pagetable.moc"
