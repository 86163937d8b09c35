// The grid-level pages beyond the enabling rules: the Filter page's switch alternating its two
// groups in one place, element check boxes naming their elements, the controls that are made
// but never shown, the colour boxes' default entries, and the Links page listing the form's
// components.

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
#include "tst_griddesigner_fixture.h"
#include "tst_runtime_fixture.h"

namespace {

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

class TestDesignerGridPages : public QObject, GridDesignerFixture {
    Q_OBJECT

    template <class T> T *control(const QString &Name) { return DesignerControl<T>(window, Name); }

private slots:
    void init()
    {
        ResetTestSettingsDir();
        MakeGrid();
        QVERIFY(OpenDesigner());
    }

    void cleanup() { TearDown(); }

    // The options group and the periods group lie in one place; the switch over their captions
    // shows one of them, starts on the options for every new window, and its clicks are
    // reported as modifications.
    void filterSwitchAlternatesGroups()
    {
        ShowPage(QStringLiteral("FilterTabSheet"));
        auto *options = control<TGroupBox>(QStringLiteral("FilterGridOptionsGroupBox"));
        auto *periods = control<TGroupBox>(QStringLiteral("FilterGridPeriodsGroupBox"));
        auto *check = control<TCheckBox>(QStringLiteral("FilterGridPeriodsCheckBox"));
        QVERIFY(!check->Checked());
        QVERIFY(options->isVisible());
        // Not inside either group, so it switches them while they are disabled.
        QVERIFY(!options->isEnabled());
        QVERIFY(check->isEnabled());
        QVERIFY(!periods->isVisible());
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
        QVERIFY(periods->geometry().contains(check->geometry().topLeft()));

        // The reload that follows the modification keeps the switch's own state.
        ShowPage(QStringLiteral("FilterTabSheet"));
        QVERIFY(check->Checked());
        QVERIFY(periods->isVisible());

        // The state lives only as long as the window.
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window && OpenDesigner());
        ShowPage(QStringLiteral("FilterTabSheet"));
        QVERIFY(control<TGroupBox>(QStringLiteral("FilterGridOptionsGroupBox"))->isVisible());
        QVERIFY(!control<TGroupBox>(QStringLiteral("FilterGridPeriodsGroupBox"))->isVisible());
        QVERIFY(!control<TCheckBox>(QStringLiteral("FilterGridPeriodsCheckBox"))->Checked());
    }

    // An element check box names the element its caption says: the run-time's element name,
    // shown in the hint, is the caption behind its lower-case prefix ("dgxTotalHeader").
    void elementCheckBoxesNameTheirElements()
    {
        int checked = 0;
        for (int i = 0; i < window->PageControl->count(); ++i) {
            const QString sheet = window->PageControl->widget(i)->objectName();
            if (!Page(sheet))
                continue;
            for (const TPageRow &row : ShowPage(sheet)->Table().Rows) {
                if (row.Factory != TFactory::AddElemProp || row.Args.Inverted)
                    continue;
                auto *check = control<TCheckBox>(QString::fromLatin1(row.Control));
                if (check->isHidden())
                    continue;
                const QRegularExpressionMatch tag =
                    QRegularExpression(QStringLiteral("\\[[a-z]*(\\w+)\\]$"))
                        .match(ControlHint(check));
                QVERIFY2(tag.hasMatch(), row.Control);
                // The tool menu's sub-items carry their menu item's name in front.
                QVERIFY2(tag.captured(1).endsWith(QString::fromLatin1(row.Caption)), row.Control);
                ++checked;
            }
        }
        QVERIFY(checked > 100);
    }

    // Controls made for the window but never shown: their items are not loaded.
    void hiddenControls()
    {
        for (const char *name : {"FilterHintsCheckBox", "ShowFilterHintsCheckBox"}) {
            ShowPage(QStringLiteral("HintsTabSheet"));
            QVERIFY(control<TCheckBox>(QString::fromLatin1(name))->isHidden());
            QVERIFY(!Page(QStringLiteral("HintsTabSheet"))->Item(QString::fromLatin1(name)));
        }
        grid->Search()->setVisibleOptions(Kor::sroSkipMessage);
        ShowPage(QStringLiteral("SearchTabSheet"));
        auto *skip = control<TCheckBox>(QStringLiteral("VisibleSkipMessageCheckBox"));
        QVERIFY(skip->isHidden());
        QVERIFY(!skip->Checked()); // never loaded
        QVERIFY(ControlHint(skip).isEmpty());
        QVERIFY(control<TCheckBox>(QStringLiteral("SearchSkipMessageCheckBox"))->isVisible());

        ShowPage(QStringLiteral("ScrollBarsTabSheet"));
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
        TPageTableList *colors = ShowPage(QStringLiteral("ColorsTabSheet"));
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
    }

    // The search colours offer the search object's own defaults, asked when the window opened.
    void searchColorDefaults()
    {
        TPageTableList *search = ShowPage(QStringLiteral("SearchTabSheet"));
        auto *text = dynamic_cast<TColorPropItem *>(search->Item("SearchColorColorBox"));
        auto *panel = dynamic_cast<TColorPropItem *>(search->Item("SearchPanelColorColorBox"));
        QVERIFY(text && panel);
        QCOMPARE(text->DefaultColor(), grid->Search()->DefaultColor());
        QCOMPARE(panel->DefaultColor(), grid->Search()->DefaultPanelColor());
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
        ShowPage(QStringLiteral("LinksTabSheet"));

        auto *dataSource = control<TComboBox>(QStringLiteral("DataSourceComboBox"));
        QCOMPARE(dataSource->Items(), (QStringList{first->Name(), second->Name()}));
        QCOMPARE(dataSource->Text(), first->Name());
        QVERIFY(IsBold(dataSource));
        auto *totalSource = control<TComboBox>(QStringLiteral("TotalDataSourceComboBox"));
        QCOMPARE(totalSource->Items(), dataSource->Items());
        QCOMPARE(totalSource->Text(), QString());
        QVERIFY(!IsBold(totalSource));
        QCOMPARE(control<TComboBox>(QStringLiteral("TitleImagesComboBox"))->Text(), images->Name());
        QCOMPARE(control<TComboBox>(QStringLiteral("FillerPopupMenuComboBox"))->Items(),
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
        ShowPage(QStringLiteral("LinksTabSheet"));
        QCOMPARE(dataSource->Items(), QStringList{first->Name()});
        QCOMPARE(grid->Totals()->DataSource(), nullptr);
    }
};

QTEST_MAIN(TestDesignerGridPages)
#include "tst_designergridpages.moc"
