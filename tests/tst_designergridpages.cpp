// The grid-level pages from "Control 1" to "Links" beyond what the table walk checks: the Filter
// page's switch alternating its two groups in one place, the rules read against the grid's
// state in the cases that are easy to get wrong (inactive totals, selections, scroll bars, the
// tree view, the periods), the controls that are made but never shown, and the Links page
// listing the form's components.

#include <QtTest>

#include "coloritems.h"
#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/controlbase.h"
#include "controls/label.h"
#include "db.h"
#include "formdesigner.h"
#include "grid.h"
#include "gridpages.h"
#include "imagelist.h"
#include "kordbgriddesigner.h"
#include "menus.h"
#include "testsupport.h"
#include "tst_runtime_fixture.h"

namespace {

// A set's mask with the given elements.
int bits(std::initializer_list<int> Elements)
{
    quint32 mask = 0;
    for (int element : Elements)
        mask |= 1u << element;
    return qint32(mask);
}

// Writes a dotted path of the grid: integers as ordinals, strings as strings.
void setGridProp(QObject *Grid, const QString &Path, const QVariant &Value)
{
    const QStringList parts = Path.split(QLatin1Char('.'));
    QObject *object = Grid;
    for (int i = 0; i + 1 < parts.size(); ++i)
        object = GetObjectProp(object, parts.at(i));
    if (Value.typeId() == QMetaType::QString)
        SetStrProp(object, parts.constLast(), Value.toString());
    else
        SetOrdProp(object, parts.constLast(), Value.toInt());
}

// Reads a dotted path of the grid as Like holds it: a string or an ordinal.
QVariant gridProp(QObject *Grid, const QString &Path, const QVariant &Like)
{
    const QStringList parts = Path.split(QLatin1Char('.'));
    QObject *object = Grid;
    for (int i = 0; i + 1 < parts.size(); ++i)
        object = GetObjectProp(object, parts.at(i));
    if (Like.typeId() == QMetaType::QString)
        return GetStrProp(object, parts.constLast());
    return GetOrdProp(object, parts.constLast());
}

} // namespace

class TestDesignerGridPages : public QObject {
    Q_OBJECT

    std::unique_ptr<RuntimeFixture> data;
    std::unique_ptr<TFormDesigner> designer;
    TKorDBGrid *grid = nullptr;
    QPointer<TKorDBGridDesigner> window;
    QString fixtureFor;

    void open()
    {
        ShowKorDBGridDesigner(designer.get(), grid, false);
        window = qobject_cast<TKorDBGridDesigner *>(
            ShowBriskDesignerClass(designer.get(), grid, {}, nullptr));
        QVERIFY(window);
    }

    void closeWindow()
    {
        if (window)
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }

    void tearDown()
    {
        closeWindow();
        designer.reset();
        data.reset();
    }

    template <class T> T *control(const QString &Name) { return DesignerControl<T>(window, Name); }

    // Shows the page of that tab sheet, which loads its list.
    void show(const QString &Sheet)
    {
        auto *sheet = control<QWidget>(Sheet);
        window->PageControl->setCurrentWidget(sheet);
        window->GetPropList()->LoadList(sheet);
        QCoreApplication::processEvents();
    }

    // The page list whose control is that tab sheet.
    TPageTableList *page(const QString &Sheet)
    {
        TPropList *list = window->GetPropList()->FindList(control<QWidget>(Sheet));
        return dynamic_cast<TPageTableList *>(list);
    }

private slots:
    // A fresh grid and window for every test function; the data rows of one function share
    // them (opening the window builds every page), each row putting back what it changed.
    void init()
    {
        const QString function = QString::fromLatin1(QTest::currentTestFunction());
        if (window && function == fixtureFor)
            return;
        tearDown();
        fixtureFor = function;
        ResetTestSettingsDir();
        data = std::make_unique<RuntimeFixture>();
        designer = std::make_unique<TFormDesigner>();
        grid = designer->Create<TKorDBGrid>();
        grid->setDataSource(&data->Source);
        open();
    }

    void cleanupTestCase() { tearDown(); }

    // The options group and the periods group lie in one place; the switch over their captions
    // shows one of them, starts on the options for every new window, and its clicks are
    // reported as modifications.
    void filterSwitchAlternatesGroups()
    {
        show(QStringLiteral("FilterTabSheet"));
        auto *options = control<TGroupBox>(QStringLiteral("FilterGridOptionsGroupBox"));
        auto *periods = control<TGroupBox>(QStringLiteral("FilterGridPeriodsGroupBox"));
        auto *check = control<TCheckBox>(QStringLiteral("FilterGridPeriodsCheckBox"));
        QVERIFY(!check->Checked());
        QVERIFY(options->isVisible());
        // Not inside either group, so it switches them while they are disabled.
        QVERIFY(!options->isEnabled());
        QVERIFY(check->isEnabled());
        QVERIFY(!periods->isVisible());
        QCOMPARE(check->text(), QString());
        QCOMPARE(ControlHint(check),
                 QStringLiteral(" Hint: Switch between \"Filter periods\" group and "
                                "\"Filter options\" group."));
        QCOMPARE(options->title(), QStringLiteral("      Filter options / periods "));
        QCOMPARE(periods->title(), QStringLiteral("      Filter periods / options "));

        const int modified = designer->ModifiedCount();
        const QRect optionsPlace = options->geometry();
        check->click();
        QCoreApplication::processEvents();
        QVERIFY(check->Checked());
        QVERIFY(periods->isVisible());
        QVERIFY(!options->isVisible());
        QCOMPARE(designer->ModifiedCount(), modified + 1);
        // Same place, and the switch lies over the start of the shown group's caption.
        QCOMPARE(periods->geometry(), optionsPlace);
        QCOMPARE(check->parentWidget(), periods->parentWidget());
        QVERIFY(periods->geometry().contains(check->geometry().topLeft()));
        QVERIFY(check->geometry().top() < periods->geometry().top() + 8);
        QVERIFY(check->isVisible());

        // The reload that follows the modification keeps the switch's own state.
        show(QStringLiteral("FilterTabSheet"));
        QVERIFY(check->Checked());
        QVERIFY(periods->isVisible());

        check->click();
        QVERIFY(options->isVisible());
        QVERIFY(!periods->isVisible());

        // The state lives only as long as the window.
        check->click();
        QVERIFY(periods->isVisible());
        closeWindow();
        open();
        show(QStringLiteral("FilterTabSheet"));
        QVERIFY(control<TGroupBox>(QStringLiteral("FilterGridOptionsGroupBox"))->isVisible());
        QVERIFY(!control<TGroupBox>(QStringLiteral("FilterGridPeriodsGroupBox"))->isVisible());
        QVERIFY(!control<TCheckBox>(QStringLiteral("FilterGridPeriodsCheckBox"))->Checked());
    }

    // Each row: the grid's state on top of its defaults, a control and whether it is enabled.
    void rulesFollowGridState_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QVariantMap>("state");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        const QString totals = QStringLiteral("TotalsTabSheet");
        const int allRowsAndBoxes = bits({1, 2, 3, 4, 6, 7, 8, 9, 23, 24, 25});
        const int options = bits({0, 2, 3, 4, 5, 6, 7, 10, 11});
        const QVariantMap inactive{{"Totals.Active", 0},
                                   {"Totals.CalcValues", 1},
                                   {"OptionsEx", allRowsAndBoxes | bits({17})}};
        QVariantMap active = inactive;
        active["Totals.Active"] = 1;
        // Inactive totals disable every box, but not what the calculation decides.
        for (const char *box :
             {"TotalHeaderBoxCheckBox", "TotalValuesBoxCheckBox", "TotalFieldsBoxCheckBox",
              "TotalFooterBoxCheckBox", "TotalDataBoxOnlyCheckBox", "TotalColLinesCheckBox",
              "TotalBoxStyleComboBox"}) {
            QTest::addRow("inactive %s", box) << totals << inactive << box << false;
            QTest::addRow("active %s", box) << totals << active << box << true;
        }
        for (const char *calc : {"AutoUpdateTotalsCheckBox", "CalcInvisibleRowsCheckBox",
                                 "CalcWholeDataSetCheckBox", "DelayUpdateTotalsCheckBox"})
            QTest::addRow("inactive %s", calc) << totals << inactive << calc << true;
        QVariantMap noCalc = inactive;
        noCalc["Totals.CalcValues"] = 0;
        QTest::newRow("no calculation") << totals << noCalc << "AutoUpdateTotalsCheckBox" << false;
        // The header row hides only with both "SelectedAutoHidden" and "TotalHeaderSelected".
        for (int activity : {0, 1}) {
            QTest::addRow("header hidden %d", activity)
                << totals << QVariantMap{{"Totals.Active", activity}, {"OptionsEx", bits({23, 26})}}
                << "TotalHeaderCheckBox" << false;
            QTest::addRow("header selected only %d", activity)
                << totals << QVariantMap{{"Totals.Active", activity}, {"OptionsEx", bits({23})}}
                << "TotalHeaderCheckBox" << true;
        }
        QTest::newRow("header auto hidden only")
            << totals << QVariantMap{{"OptionsEx", bits({26})}} << "TotalHeaderCheckBox" << true;
        // Selected rows: "MultiSelect" or "AutoSelectColumn".
        for (const char *selected : {"TotalHeaderSelectedCheckBox", "TotalValuesSelectedCheckBox",
                                     "TotalFooterSelectedCheckBox"}) {
            QTest::addRow("auto select %s", selected)
                << totals << QVariantMap{{"Options", options}, {"OptionsExt", bits({1})}}
                << selected << true;
            QTest::addRow("no selection %s", selected)
                << totals << QVariantMap{{"Options", options}, {"OptionsExt", 0}} << selected
                << false;
        }
        QTest::newRow("delay selected needs auto update")
            << totals << QVariantMap{{"Options", options | bits({12})}, {"OptionsEx", bits({17})}}
            << "DelaySelectedRowsCheckBox" << true;
        QTest::newRow("delay selected not by calc selected")
            << totals << QVariantMap{{"Options", options | bits({12})}, {"OptionsEx", bits({21})}}
            << "DelaySelectedRowsCheckBox" << false;

        // Thumb tracking: vertical and both scroll bars only.
        const QString scroll = QStringLiteral("ScrollBarsTabSheet");
        for (int bars = 0; bars < 4; ++bars)
            QTest::addRow("scroll bars %d", bars) << scroll << QVariantMap{{"ScrollBars", bars}}
                                                  << "ThumbTrackingCheckBox" << (bars >= 2);
        QTest::newRow("themed: no XP mode")
            << scroll << QVariantMap{{"DrawingStyle", 1}} << "WinXPModeCheckBox" << false;
        QTest::newRow("XP mode: no own style") << scroll << QVariantMap{{"ScrollProp.WinXPMode", 1}}
                                               << "ScrollBarStyleComboBox" << false;
        QTest::newRow("auto stretch")
            << scroll << QVariantMap{{"StretchMode", 1}, {"ScrollProp.AutoHidden", 3}}
            << "AutoStretchCheckBox" << true;
        QTest::newRow("auto stretch horizontal only")
            << scroll << QVariantMap{{"StretchMode", 1}, {"ScrollProp.AutoHidden", 2}}
            << "AutoStretchCheckBox" << false;

        // The tree view needs key fields as well as parent fields.
        const QString search = QStringLiteral("SearchTabSheet");
        QTest::newRow("tree view without key fields")
            << search << QVariantMap{{"KeyFields", ""}, {"TreeView.ParentFields", "parent"}}
            << "TreeViewAutoActiveCheckBox" << false;
        QTest::newRow("tree view with both")
            << search << QVariantMap{{"KeyFields", "id"}, {"TreeView.ParentFields", "parent"}}
            << "TreeViewAutoActiveCheckBox" << true;
        QTest::newRow("tree view not active")
            << search << QVariantMap{{"KeyFields", "id"}, {"TreeView.ParentFields", "parent"}}
            << "TreeViewColumnNamesComboBox" << false;

        // Periods: the group's rule, then the multiple periods' own.
        const QString filter = QStringLiteral("FilterTabSheet");
        const QVariantMap form{{"FilterGrid.Filtered", 1},
                               {"FilterGrid.AutoFilters", bits({1})},
                               {"FilterGrid.Periods", 0}};
        QTest::newRow("10Mins without Minute")
            << filter << form << "FilterGridPeriod12CheckBox" << false;
        QVariantMap minute = form;
        minute["FilterGrid.Periods"] = bits({1});
        QTest::newRow("10Mins with Minute")
            << filter << minute << "FilterGridPeriod12CheckBox" << true;
        QVariantMap list = minute;
        list["FilterGrid.AutoFilters"] = bits({0});
        QTest::newRow("10Mins without the form")
            << filter << list << "FilterGridPeriod12CheckBox" << false;
        for (const char *period : {"FilterGridPeriod1CheckBox", "FilterGridPeriod11CheckBox",
                                   "FilterGridPeriod24CheckBox"}) {
            QTest::addRow("form %s", period) << filter << form << period << true;
            QTest::addRow("list %s", period) << filter << list << period << false;
        }
        QTest::newRow("options by the lists")
            << filter << list << "FilterGridListAnimationCheckBox" << true;
        QTest::newRow("clauses by the form only")
            << filter << list << "FilterGridClause2CheckBox" << false;

        // Hints and tool tips.
        const QString hints = QStringLiteral("HintsTabSheet");
        QTest::newRow("total tool tips keep without totals")
            << hints
            << QVariantMap{{"ShowHint", 1}, {"HintOptions", bits({12})}, {"Totals.Active", 0}}
            << "KeepShowToolTipsCheckBox" << false;
        QTest::newRow("total tool tips keep with totals")
            << hints
            << QVariantMap{{"ShowHint", 1}, {"HintOptions", bits({12})}, {"Totals.Active", 1}}
            << "KeepShowToolTipsCheckBox" << true;
        QTest::newRow("data hints off by tool tips")
            << hints << QVariantMap{{"ShowHint", 1}, {"HintOptions", bits({4, 7})}}
            << "ShowDataHintsCheckBox" << false;

        // Control 1: deleting and selecting.
        const QString control1 = QStringLiteral("Control1TabSheet");
        QTest::newRow("confirm delete without delete")
            << control1 << QVariantMap{{"Options", options | bits({21})}} << "ConfirmDeleteCheckBox"
            << false;
        QTest::newRow("confirm delete read-only")
            << control1 << QVariantMap{{"ReadOnly", 1}} << "ConfirmDeleteCheckBox" << false;
        QTest::newRow("cols with row select")
            << control1 << QVariantMap{{"Options", bits({8, 12})}} << "ColsCheckBox" << false;
        QTest::newRow("rows with row select")
            << control1 << QVariantMap{{"Options", bits({8, 12})}} << "RowsCheckBox" << true;
    }

    void rulesFollowGridState()
    {
        QFETCH(QString, sheet);
        QFETCH(QVariantMap, state);
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        QList<QPair<QString, QVariant>> saved;
        const auto restore = qScopeGuard([&] {
            for (auto it = saved.crbegin(); it != saved.crend(); ++it)
                setGridProp(grid, it->first, it->second);
        });
        for (auto it = state.cbegin(); it != state.cend(); ++it) {
            saved.append({it.key(), gridProp(grid, it.key(), it.value())});
            setGridProp(grid, it.key(), it.value());
        }
        show(sheet);
        TPropItem *item = page(sheet)->Item(name);
        QVERIFY(item);
        QCOMPARE(ControlEnabled(item->EditControl()), enabled);
        if (QLabel *label = item->GetTextControl())
            QCOMPARE(ControlEnabled(label), enabled);
    }

    // An element check box names the element its caption says: the run-time's element name,
    // shown in the hint, is the caption behind its lower-case prefix ("dgxTotalHeader").
    void elementCheckBoxesNameTheirElements()
    {
        int checked = 0;
        for (const char *sheet :
             {"Control1TabSheet", "Control2TabSheet", "FilterTabSheet", "SearchTabSheet",
              "TotalsTabSheet", "ScrollBarsTabSheet", "HintsTabSheet", "LinksTabSheet"}) {
            show(QString::fromLatin1(sheet));
            for (const TPageRow &row : page(QString::fromLatin1(sheet))->Table().Rows) {
                if (row.Factory != TFactory::AddElemProp || row.Args.Inverted)
                    continue;
                auto *check = control<TCheckBox>(QString::fromLatin1(row.Control));
                if (check->isHidden())
                    continue;
                const QRegularExpressionMatch tag =
                    QRegularExpression(QStringLiteral("\\[[a-z]*(\\w+)\\]$"))
                        .match(ControlHint(check));
                QVERIFY2(tag.hasMatch(), row.Control);
                QCOMPARE(tag.captured(1), QString::fromLatin1(row.Caption));
                ++checked;
            }
        }
        QVERIFY(checked > 100);
    }

    // Controls made for the window but never shown: their items are not loaded.
    void hiddenControls()
    {
        for (const char *name : {"FilterHintsCheckBox", "ShowFilterHintsCheckBox"}) {
            show(QStringLiteral("HintsTabSheet"));
            auto *check = control<TCheckBox>(QString::fromLatin1(name));
            QVERIFY(check->isHidden());
            QVERIFY(!page(QStringLiteral("HintsTabSheet"))->Item(QString::fromLatin1(name)));
        }
        grid->Search()->setVisibleOptions(Kor::sroSkipMessage);
        show(QStringLiteral("SearchTabSheet"));
        auto *skip = control<TCheckBox>(QStringLiteral("VisibleSkipMessageCheckBox"));
        QVERIFY(skip->isHidden());
        QVERIFY(!skip->Checked()); // never loaded
        QVERIFY(ControlHint(skip).isEmpty());
        QVERIFY(control<TCheckBox>(QStringLiteral("SearchSkipMessageCheckBox"))->isVisible());

        show(QStringLiteral("ScrollBarsTabSheet"));
        auto *notice = control<TLabel>(QStringLiteral("ScrollBarNoticeLabel"));
        QCOMPARE(notice->parentWidget(),
                 control<QWidget>(QStringLiteral("ScrollBarNoticeGroupBox")));
        QVERIFY(notice->text().startsWith(QStringLiteral("Most of ScrollBar style's properties")));
        QVERIFY(notice->isVisible());
    }

    void colorsPageDefaultEntries_data()
    {
        QTest::addColumn<int>("style");
        QTest::addRow("classic") << int(Kor::gdsClassic);
        QTest::addRow("gradient") << int(Kor::gdsGradient);
    }

    // Every colour box of the Colors page whose property holds clDefault draws its default entry
    // in the colour the grid paints for it (choosing that colour leaves the grid's picture as it
    // was), and shows its value in bold only once it differs from the default.
    void colorsPageDefaultEntries()
    {
        QFETCH(int, style);
        grid->setDrawingStyle(Kor::TKorGridDrawingStyle(style));
        grid->Gradient()->setActive(true);
        grid->setOptions(grid->Options() | Kor::dgHeaders);
        grid->setOptionsEx(grid->OptionsEx() | Kor::dgxTotalHeader);
        grid->setDrawingOptions(grid->DrawingOptions() | Kor::doStripeColor);
        grid->Totals()->setActive(true);
        grid->resize(420, 260);
        show(QStringLiteral("ColorsTabSheet"));
        TPageTableList *colors = page(QStringLiteral("ColorsTabSheet"));
        const QList<TColorBox *> boxes =
            control<QWidget>(QStringLiteral("ColorsTabSheet"))->findChildren<TColorBox *>();
        QStringList checked;
        for (TColorBox *box : boxes) {
            auto *item = dynamic_cast<TColorPropItem *>(colors->Item(box->objectName()));
            QVERIFY2(item, qPrintable(box->objectName()));
            const QString path = item->PropName();
            if (gridProp(grid, path, 0).toInt() != clDefault)
                continue;
            checked.append(path);
            QVERIFY2(!IsBold(box), qPrintable(path));
            int entry = 0;
            while (entry < box->count() && box->Colors(entry) != clDefault)
                ++entry;
            const QImage swatch = box->itemIcon(entry).pixmap(box->iconSize()).toImage();
            const QColor shown = swatch.pixelColor(swatch.rect().center());

            const QImage before = grid->grab().toImage();
            setGridProp(grid, path, QColorToColor(shown));
            const QImage after = grid->grab().toImage();
            item->LoadEditControl();
            const bool boldWhenSet = IsBold(box);
            setGridProp(grid, path, clDefault);
            item->LoadEditControl();
            QVERIFY2(before == after, qPrintable(path + " shows " + shown.name()));
            QVERIFY2(boldWhenSet && !IsBold(box), qPrintable(path));
        }
        QVERIFY(checked.contains("HeaderColor") && checked.contains("FillerColor"));
        grid->setDrawingStyle(Kor::gdsClassic);
    }

    // The search colours offer the search object's own defaults, asked when the window opened.
    void searchColorDefaults()
    {
        show(QStringLiteral("SearchTabSheet"));
        TPageTableList *search = page(QStringLiteral("SearchTabSheet"));
        auto *text = dynamic_cast<TColorPropItem *>(search->Item("SearchColorColorBox"));
        auto *panel = dynamic_cast<TColorPropItem *>(search->Item("SearchPanelColorColorBox"));
        QVERIFY(text && panel);
        QCOMPARE(text->DefaultColor(), grid->Search()->DefaultColor());
        QCOMPARE(text->NoneColor(), TColor(clWhite));
        QCOMPARE(panel->DefaultColor(), grid->Search()->DefaultPanelColor());
        QCOMPARE(panel->NoneColor(), TColor(clNone));
    }

    // The link combos list the form's components that fit each property, sorted, and show the
    // current link's name in bold; a link the grid refuses is cleared, not half set.
    void linksPageLoading()
    {
        auto *first = designer->Create<TDataSource>();
        auto *second = designer->Create<TDataSource>();
        auto *images = designer->Create<TImageList>();
        auto *menu = designer->Create<TPopupMenu>();
        auto *other = designer->Create<TKorDBGrid>();
        grid->setDataSource(first);
        grid->setTitleImages(images);
        grid->Totals()->setActive(true);
        designer->Modified();
        show(QStringLiteral("LinksTabSheet"));

        auto *dataSource = control<TComboBox>(QStringLiteral("DataSourceComboBox"));
        QCOMPARE(dataSource->Style(), int(csDropDown));
        QCOMPARE(dataSource->Items(), (QStringList{first->Name(), second->Name()}));
        QCOMPARE(dataSource->Text(), first->Name());
        QVERIFY(IsBold(dataSource));
        auto *totalSource = control<TComboBox>(QStringLiteral("TotalDataSourceComboBox"));
        QCOMPARE(totalSource->Items(), dataSource->Items());
        QCOMPARE(totalSource->Text(), QString());
        QVERIFY(!IsBold(totalSource));
        QCOMPARE(control<TComboBox>(QStringLiteral("TitleImagesComboBox"))->Text(), images->Name());
        QCOMPARE(control<TComboBox>(QStringLiteral("TotalImagesComboBox"))->Items(),
                 QStringList{images->Name()});
        for (const char *menus :
             {"PopupMenuComboBox", "FillerPopupMenuComboBox", "IndicatorPopupMenuComboBox"})
            QCOMPARE(control<TComboBox>(QString::fromLatin1(menus))->Items(),
                     QStringList{menu->Name()});
        auto *master = control<TComboBox>(QStringLiteral("MasterGridComboBox"));
        QCOMPARE(master->Items(), (QStringList{grid->Name(), other->Name()}));

        // Picking another link writes it and reloads the page.
        const int modified = designer->ModifiedCount();
        totalSource->SelectIndex(totalSource->IndexOf(second->Name()));
        QCOMPARE(grid->Totals()->DataSource(), second);
        QCOMPARE(designer->ModifiedCount(), modified + 1);
        QVERIFY(IsBold(control<TComboBox>(QStringLiteral("TotalDataSourceComboBox"))));

        // A grid cannot be its own master: the link is cleared and nothing escapes.
        master->SelectIndex(master->IndexOf(other->Name()));
        QCOMPARE(grid->MasterGrid(), other);
        master->SelectIndex(master->IndexOf(grid->Name()));
        QCOMPARE(grid->MasterGrid(), nullptr);
        QCOMPARE(master->Text(), QString());

        // A component deleted from the form leaves the list at the next load.
        designer->DeleteComponent(second);
        show(QStringLiteral("LinksTabSheet"));
        QCOMPARE(dataSource->Items(), QStringList{first->Name()});
        QCOMPARE(grid->Totals()->DataSource(), nullptr);
    }
};

QTEST_MAIN(TestDesignerGridPages)
#include "tst_designergridpages.moc"
