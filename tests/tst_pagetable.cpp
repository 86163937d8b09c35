// The page-table machinery on a table of its own: a control that stands in front of a later
// line, and an unbound control. (Rules, Enable All and a switch over two groups sharing one
// place are checked on the designer's pages.)

#include <QtTest>

#include "briskdesigner.h"
#include "controls/checkbox.h"
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

} // namespace

class TestPageTable : public QObject {
    Q_OBJECT

private slots:
    void leadingControlStandsInFrontOfItsLine()
    {
        // A group with a check box in front of a colour box's line, and an unbound check box.
        static const TPageTable table{
            "ProbeTabSheet",
            {{"ColorsGroupBox", OnSheet, " Colors "}},
            {
                {"StripeCheckBox", "ColorsGroupBox", AddElemProp, "DrawingOptions", Elem(7),
                 NoCaption, TPlace::Beside, "StripeColorBox"},
                {"StripeColorBox", "ColorsGroupBox", AddColorProp, "StripeColor",
                 Colors(clDefault, clNone), "Stripes"},
                {"SpareCheckBox", "ColorsGroupBox", Unbound, nullptr, {}, "Spare"},
            },
        };
        ResetTestSettingsDir();
        TFormDesigner designer;
        TProbeWindow window;
        window.SetDesigner(&designer);
        auto page = TPropList::Create<TProbePage>(&window, designer.Create<TKorDBGrid>(), table);
        page->EnsureBuilt(); // otherwise built on its first load
        window.show();
        QApplication::processEvents();
        auto *check = window.findChild<QWidget *>(u"StripeCheckBox"_s);
        auto *colors = window.findChild<QWidget *>(u"StripeColorBox"_s);
        auto *label = window.findChild<TLabel *>(u"StripeLabel"_s);
        QVERIFY(check && colors && label);
        QVERIFY(label->FocusControl() == colors && label->text() == u"Stripes"_s);
        QVERIFY(qAbs(check->geometry().center().y() - colors->geometry().center().y()) <= 2 &&
                check->geometry().right() < label->geometry().left());
        // Items follow the rows, not the lines: the check box was bound first.
        QCOMPARE(page->Items(0)->EditControl(), check);
        // The unbound control exists and has no item.
        QVERIFY(window.findChild<TCheckBox *>(u"SpareCheckBox"_s) &&
                !page->Item(u"SpareCheckBox"_s));
    }
};

QTEST_MAIN(TestPageTable)
#include "tst_pagetable.moc"
