// Every page table of the grid designer, walked row by row and rule by rule: the controls the
// rows make, their classes, labels, spinners and paths; every page loading; every rule driven
// so that its condition holds and then fails, with the controls' state checked both times; and
// "Enable All" lifting every rule. Pages filled later are covered without changes here.

#include <QtTest>

#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/controlbase.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/memo.h"
#include "controls/updown.h"
#include "edititems.h"
#include "formdesigner.h"
#include "grid.h"
#include "gridpages.h"
#include "kordbgriddesigner.h"
#include "testsupport.h"
#include "tst_griddesigner_fixture.h"
#include "tst_runtime_fixture.h"

namespace {

// Every page list of the tree, depth first.
QList<TPageTableList *> pagesOf(TPropList *List)
{
    QList<TPageTableList *> pages;
    for (int i = 0; List && i < List->ListCount(); ++i) {
        if (auto *page = dynamic_cast<TPageTableList *>(List->Lists(i)))
            pages.append(page);
        pages.append(pagesOf(List->Lists(i)));
    }
    return pages;
}

// Follows a dotted path through object properties to the type information of its last
// property; nullptr when a step or the last name is not a published property.
PPropInfo propInfoAt(QObject *Object, const QString &Path)
{
    const QStringList parts = Path.split(QLatin1Char('.'));
    for (int i = 0; Object && i + 1 < parts.size(); ++i)
        Object = GetObjectProp(Object, parts.at(i));
    return Object ? GetPropInfo(Object, parts.constLast()) : nullptr;
}

bool resolves(QObject *Object, const QString &Path, TFactoryRef Factory)
{
    PPropInfo info = propInfoAt(Object, Path);
    return info && PathKindFits(Factory->Path, info);
}

QString expectedCaption(const TPageRow &Row)
{
    if (Row.Caption)
        return QString::fromUtf8(Row.Caption);
    return QString::fromLatin1(Row.Path ? Row.Path : "").section(QLatin1Char('.'), -1);
}

// The spinner a value item found.
QWidget *spinnerOf(TPropItem *Item)
{
    auto *value = dynamic_cast<TValuePropItem *>(Item);
    return value ? value->GetSpinControl() : nullptr;
}

} // namespace

class TestDesignerPages : public QObject, GridDesignerFixture {
    Q_OBJECT

    // Shows the page's tab sheet (and the Columns page for a column page) and loads its list.
    void showPage(TPageTableList *Page)
    {
        QWidget *sheet = Page->TabSheet();
        if (window->ColumnsPageControl->indexOf(sheet) >= 0) {
            // The columns list chooses the current column before a column page loads.
            QWidget *columns = window->findChild<QWidget *>(QStringLiteral("ColumnsTabSheet"));
            window->PageControl->setCurrentWidget(columns);
            window->ColumnsPageControl->setCurrentWidget(sheet);
            window->GetPropList()->LoadList(columns);
        } else {
            window->PageControl->setCurrentWidget(sheet);
        }
        Page->List().LoadPropList();
    }

    // The controls whose state a rule after Index (or an override) decides.
    QSet<QWidget *> decidedLater(TPageTableList *Page, int Index)
    {
        QSet<QWidget *> later;
        const TPageTable &table = Page->Table();
        QStringList names = table.OverriddenControls;
        for (size_t j = Index + 1; j < table.Rules.size(); ++j)
            names += table.Rules[j].Controls;
        for (const QString &name : std::as_const(names)) {
            TPropItem *item = Page->Item(name);
            if (!item)
                continue;
            later.insert(item->EditControl());
            later.insert(item->GetTextControl());
            later.insert(spinnerOf(item));
            for (QWidget *child : ChildControls(item->EditControl()))
                later.insert(child);
        }
        return later;
    }

    // Drives the rule's terms until its condition answers Value; false when no choice does.
    static bool drive(TPageTableList *Page, const TCond &When, bool Value)
    {
        const QList<const TRuleTerm *> terms = When.Terms();
        const int n = int(std::min<qsizetype>(terms.size(), 12));
        for (int mask = 0; mask < (1 << n); ++mask) {
            for (int j = 0; j < n; ++j)
                terms.at(j)->Make(Page->RuleContext(), (mask >> j) & 1);
            if (When.Eval(Page->RuleContext()) == Value)
                return true;
        }
        return false;
    }

    // The controls a rule sets and what SetEnabled reaches from them: label, spinner, children.
    static QList<QWidget *> reachedBy(TPropItem *Item)
    {
        QList<QWidget *> reached{Item->EditControl(), Item->GetTextControl(), spinnerOf(Item)};
        reached += ChildControls(Item->EditControl());
        reached.removeAll(nullptr);
        return reached;
    }

private slots:
    void init()
    {
        ResetTestSettingsDir();
        MakeGrid();
        QVERIFY(OpenDesigner());
        // The walks below read every page's controls, which exist once the page is built.
        BuildAllPages(window->GetPropList());
    }

    void cleanup() { TearDown(); }

    void everyPageHasItsList()
    {
        const QList<TPageTableList *> pages = pagesOf(window->GetPropList());
        QCOMPARE(pages.size(), 24);
        QStringList sheets;
        for (TPageTableList *page : pages)
            sheets.append(page->TabSheet()->objectName());
        QVERIFY(sheets.contains(QStringLiteral("LayoutTabSheet")));
        QVERIFY(sheets.contains(QStringLiteral("ColumnTotalTabSheet")));
        QCOMPARE(QSet<QString>(sheets.begin(), sheets.end()).size(), 24);
    }

    void everyRowMakesItsBoundControl()
    {
        TKorDBGrid fresh;
        TKorColumn *column = fresh.Columns()->Add();
        column->TotalValues()->Add();
        for (TPageTableList *page : pagesOf(window->GetPropList())) {
            for (const TPageRow &row : page->Table().Rows) {
                const QString name = QString::fromLatin1(row.Control);
                auto *control = window->findChild<QWidget *>(name);
                QVERIFY2(control, qPrintable(name));
                TControlClass cls = row.Factory == TFactory::Unbound
                                        ? ControlClassOfName(name)
                                        : FactoryControlClass(row.Factory);
                QVERIFY2(control->metaObject()->inherits(ControlClassMetaObject(cls)),
                         qPrintable(name));
                if (row.Factory == TFactory::Unbound) {
                    QVERIFY2(!page->Item(name), qPrintable(name));
                    continue;
                }
                TPropItem *item = page->Item(name);
                QVERIFY2(item && item->EditControl() == control, qPrintable(name));

                if (!FactoryHasNoProperty(row.Factory)) {
                    const QString path = QString::fromLatin1(row.Path);
                    const bool isColumn = dynamic_cast<TKorColumnPropList *>(&page->List());
                    const bool isTotal = dynamic_cast<TKorColumnTotalPropList *>(&page->List());
                    bool ok = false;
                    if (isTotal)
                        ok = resolves(column->TotalHeader(), path, row.Factory) ||
                             resolves(column->TotalValues()->Items(0), path, row.Factory);
                    else
                        ok = resolves(isColumn ? static_cast<QObject *>(column) : &fresh, path,
                                      row.Factory);
                    QVERIFY2(ok, qPrintable(name + QStringLiteral(": ") + path));
                }
                if (FactoryHasSpinner(row.Factory)) {
                    QWidget *spinner = spinnerOf(item);
                    QVERIFY2(spinner, qPrintable(name));
                    QCOMPARE(spinner->objectName(),
                             name.left(name.size() - 4) + QStringLiteral("UpDown"));
                }
                const QString caption = expectedCaption(row);
                if (cls == TControlClass::CheckBox) {
                    QCOMPARE(static_cast<TCheckBox *>(control)->text(), caption);
                } else if (cls != TControlClass::Any) {
                    QLabel *label = item->GetTextControl();
                    QCOMPARE(label != nullptr, !caption.isEmpty());
                    if (label)
                        QCOMPARE(label->text(), caption);
                }
            }
        }
    }

    // The bold display means "changed": every bound ordinal property of a freshly made grid,
    // column or total row holds its recorded default.
    void recordedDefaultsAreTheConstructedValues()
    {
        TKorDBGrid fresh;
        TKorColumn *column = fresh.Columns()->Add();
        column->TotalValues()->Add();
        QStringList wrong;
        for (TPageTableList *page : pagesOf(window->GetPropList())) {
            const bool isColumn = dynamic_cast<TKorColumnPropList *>(&page->List());
            const bool isTotal = dynamic_cast<TKorColumnTotalPropList *>(&page->List());
            QList<QObject *> roots{isColumn ? static_cast<QObject *>(column) : &fresh};
            if (isTotal)
                roots = {column->TotalHeader(), column->TotalValues()->Items(0)};
            for (const TPageRow &row : page->Table().Rows) {
                if (FactoryHasNoProperty(row.Factory) || row.Factory == TFactory::AddNoneProp)
                    continue;
                for (QObject *object : roots) {
                    const QString path = QString::fromLatin1(row.Path);
                    PPropInfo info = propInfoAt(object, path);
                    if (!info || !info->IsOrdinal() || info->Default == NoDefault)
                        continue;
                    const QStringList parts = path.split(QLatin1Char('.'));
                    for (int i = 0; i + 1 < parts.size(); ++i)
                        object = GetObjectProp(object, parts.at(i));
                    if (GetOrdProp(object, info) != info->Default)
                        wrong.append(path);
                }
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1String(", "))));
    }

    void everyPageLoads()
    {
        for (TPageTableList *page : pagesOf(window->GetPropList())) {
            try {
                showPage(page);
            } catch (const EHostError &error) {
                QFAIL(qPrintable(page->TabSheet()->objectName() + QStringLiteral(": ") +
                                 error.Message()));
            }
            QVERIFY2(page->List().ListVisible(), qPrintable(page->TabSheet()->objectName()));
        }
    }

    void everyRuleHoldsAndFails()
    {
        int checked = 0;
        for (TPageTableList *page : pagesOf(window->GetPropList())) {
            const TPageTable &table = page->Table();
            // Column pages get their column when the columns list is first loaded.
            showPage(page);
            for (size_t i = 0; i < table.Rules.size(); ++i) {
                const TPageRule &rule = table.Rules[i];
                const QSet<QWidget *> later = decidedLater(page, int(i));
                for (bool value : {true, false}) {
                    const QString what = QStringLiteral("%1 rule %2 (%3) %4")
                                             .arg(page->TabSheet()->objectName())
                                             .arg(i)
                                             .arg(rule.When.Text())
                                             .arg(value);
                    QVERIFY2(drive(page, rule.When, value), qPrintable(what));
                    showPage(page);
                    for (const QString &name : rule.Controls)
                        for (QWidget *control : reachedBy(page->Item(name)))
                            if (!later.contains(control)) {
                                QVERIFY2(ControlEnabled(control) == value,
                                         qPrintable(what + QStringLiteral(": ") +
                                                    control->objectName()));
                                ++checked;
                            }
                }
            }
        }
        // The grid pages alone set well over a hundred controls by their rules.
        QVERIFY(checked > 200);
    }

    void enableAllLiftsEveryRule()
    {
        window->GetPropList()->AllEnabled = true;
        for (TPageTableList *page : pagesOf(window->GetPropList())) {
            showPage(page);
            for (const TPageRule &rule : page->Table().Rules) {
                QVERIFY(drive(page, rule.When, false));
                showPage(page);
                for (const QString &name : rule.Controls)
                    for (QWidget *control : reachedBy(page->Item(name)))
                        QVERIFY2(ControlEnabled(control), qPrintable(control->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestDesignerPages)
#include "tst_designerpages.moc"
