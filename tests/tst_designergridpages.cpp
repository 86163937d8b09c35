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
#include "imagelist.h"
#include "menus.h"
#include "testsupport.h"
#include "tst_griddesigner_fixture.h"

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
        ShowPage(u"FilterTabSheet"_s);
        auto *options = control<TGroupBox>(u"FilterGridOptionsGroupBox"_s);
        auto *periods = control<TGroupBox>(u"FilterGridPeriodsGroupBox"_s);
        auto *check = control<TCheckBox>(u"FilterGridPeriodsCheckBox"_s);
        // Not inside either group, so it switches them while they are disabled.
        QVERIFY(!check->Checked() && options->isVisible() && !options->isEnabled() &&
                check->isEnabled() && !periods->isVisible());
        const int modified = designer->ModifiedCount();
        const QRect optionsPlace = options->geometry();
        check->click();
        QCoreApplication::processEvents();
        // Same place, and the switch lies over the start of the shown group's caption.
        QVERIFY(check->Checked() && periods->isVisible() && !options->isVisible() &&
                designer->ModifiedCount() == modified + 1 && periods->geometry() == optionsPlace &&
                check->pos() == periods->pos() + QPoint(6, 0));

        // The reload that follows the modification keeps the switch's own state.
        ShowPage(u"FilterTabSheet"_s);
        QVERIFY(check->Checked() && periods->isVisible());

        // The state lives only as long as the window.
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window && OpenDesigner());
        ShowPage(u"FilterTabSheet"_s);
        QVERIFY(control<TGroupBox>(u"FilterGridOptionsGroupBox"_s)->isVisible() &&
                !control<TGroupBox>(u"FilterGridPeriodsGroupBox"_s)->isVisible() &&
                !control<TCheckBox>(u"FilterGridPeriodsCheckBox"_s)->Checked());
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
                    QRegularExpression(u"\\[[a-z]*(\\w+)\\]$"_s).match(ControlHint(check));
                QVERIFY(tag.hasMatch());
                // The tool menu's sub-items carry their menu item's name in front.
                QVERIFY(tag.captured(1).endsWith(QString::fromLatin1(row.Caption)));
                ++checked;
            }
        }
        QVERIFY(checked > 100);
    }

    // Controls made for the window but never shown: their items are not loaded.
    void hiddenControls()
    {
        for (const char *name : {"FilterHintsCheckBox", "ShowFilterHintsCheckBox"}) {
            ShowPage(u"HintsTabSheet"_s);
            QVERIFY(control<TCheckBox>(QString::fromLatin1(name))->isHidden() &&
                    !Page(u"HintsTabSheet"_s)->Item(QString::fromLatin1(name)));
        }
        grid->Search()->setVisibleOptions(Kor::sroSkipMessage);
        ShowPage(u"SearchTabSheet"_s);
        auto *skip = control<TCheckBox>(u"VisibleSkipMessageCheckBox"_s);
        QVERIFY(skip->isHidden() && !skip->Checked()); // never loaded
        QVERIFY(ControlHint(skip).isEmpty() &&
                control<TCheckBox>(u"SearchSkipMessageCheckBox"_s)->isVisible());

        ShowPage(u"ScrollBarsTabSheet"_s);
        auto *notice = control<TLabel>(u"ScrollBarNoticeLabel"_s);
        QCOMPARE(notice->parentWidget(), control<QWidget>(u"ScrollBarNoticeGroupBox"_s));
        QVERIFY(notice->text().startsWith(u"Most of ScrollBar style's properties"_s) &&
                notice->isVisible());
    }

    // Every colour box of the Colors page whose property holds clDefault draws its default entry
    // in the colour the grid paints for it (choosing that colour leaves the grid's picture as it
    // was), and shows its value in bold only once it differs from the default.
    void colorsPageDefaultEntries()
    {
        for (const auto style : {Kor::gdsClassic, Kor::gdsGradient}) {
            grid->setDrawingStyle(style);
            grid->Gradient()->setActive(true);
            grid->setOptions(grid->Options() | Kor::dgHeaders);
            grid->setOptionsEx(grid->OptionsEx() | Kor::dgxTotalHeader);
            grid->setDrawingOptions(grid->DrawingOptions() | Kor::doStripeColor);
            grid->Totals()->setActive(true);
            grid->resize(420, 260);
            TPageTableList *colors = ShowPage(u"ColorsTabSheet"_s);
            const QList<TColorBox *> boxes =
                control<QWidget>(u"ColorsTabSheet"_s)->findChildren<TColorBox *>();
            QStringList checked;
            for (TColorBox *box : boxes) {
                auto *item = dynamic_cast<TColorPropItem *>(colors->Item(box->objectName()));
                QVERIFY(item);
                // The object and property name the item's dotted path leads to.
                const QString path = item->PropName(), name = path.section(QLatin1Char('.'), -1);
                QObject *object = grid;
                for (const QString &part : path.split(QLatin1Char('.')).mid(0, path.count('.')))
                    object = GetObjectProp(object, part);
                if (GetOrdProp(object, name) != clDefault)
                    continue;
                checked.append(path);
                QVERIFY(!IsBold(box));
                int entry = 0;
                while (entry < box->count() && box->Colors(entry) != clDefault)
                    ++entry;
                const QImage swatch = box->itemIcon(entry).pixmap(box->iconSize()).toImage();
                const QColor shown = swatch.pixelColor(swatch.rect().center());

                const QImage before = grid->grab().toImage();
                SetOrdProp(object, name, QColorToColor(shown));
                const QImage after = grid->grab().toImage();
                item->LoadEditControl();
                const bool boldWhenSet = IsBold(box);
                SetOrdProp(object, name, clDefault);
                item->LoadEditControl();
                QVERIFY(before == after && boldWhenSet && !IsBold(box));
            }
            QVERIFY(checked.contains("HeaderColor") && checked.contains("FillerColor"));
        }
    }

    // The search colours offer the search object's own defaults, asked when the window opened.
    void searchColorDefaults()
    {
        TPageTableList *search = ShowPage(u"SearchTabSheet"_s);
        auto *text = dynamic_cast<TColorPropItem *>(search->Item("SearchColorColorBox"));
        auto *panel = dynamic_cast<TColorPropItem *>(search->Item("SearchPanelColorColorBox"));
        QVERIFY(text && panel && text->DefaultColor() == grid->Search()->DefaultColor() &&
                panel->DefaultColor() == grid->Search()->DefaultPanelColor());
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
        ShowPage(u"LinksTabSheet"_s);

        auto *dataSource = control<TComboBox>(u"DataSourceComboBox"_s);
        QCOMPARE(dataSource->Items(), (QStringList{first->Name(), second->Name()}));
        QVERIFY(dataSource->Text() == first->Name() && IsBold(dataSource));
        auto *totalSource = control<TComboBox>(u"TotalDataSourceComboBox"_s);
        QVERIFY(totalSource->Items() == dataSource->Items() && totalSource->Text().isEmpty() &&
                !IsBold(totalSource));
        QVERIFY(control<TComboBox>(u"TitleImagesComboBox"_s)->Text() == images->Name() &&
                control<TComboBox>(u"FillerPopupMenuComboBox"_s)->Items() ==
                    QStringList{menu->Name()});
        auto *master = control<TComboBox>(u"MasterGridComboBox"_s);
        QCOMPARE(master->Items(), (QStringList{grid->Name(), other->Name()}));

        // Picking another link writes it and reloads the page.
        const int modified = designer->ModifiedCount();
        totalSource->SelectIndex(totalSource->IndexOf(second->Name()));
        QVERIFY(grid->Totals()->DataSource() == second &&
                designer->ModifiedCount() == modified + 1 &&
                IsBold(control<TComboBox>(u"TotalDataSourceComboBox"_s)));

        // A grid cannot be its own master: the link is cleared and nothing escapes.
        master->SelectIndex(master->IndexOf(other->Name()));
        QCOMPARE(grid->MasterGrid(), other);
        master->SelectIndex(master->IndexOf(grid->Name()));
        QVERIFY(!grid->MasterGrid() && master->Text().isEmpty());

        // A component deleted from the form leaves the list at the next load.
        designer->DeleteComponent(second);
        ShowPage(u"LinksTabSheet"_s);
        QVERIFY(dataSource->Items() == QStringList{first->Name()} && !grid->Totals()->DataSource());
    }
};

QTEST_MAIN(TestDesignerGridPages)
#include "tst_designergridpages.moc"
