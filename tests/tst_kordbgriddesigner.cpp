// The grid designer window: its tab order and active pages on a first opening, the stored tab
// orders and "Enable All", the Columns page following the columns' state, the designer's
// selection following the page, where it and the grid's columns editor come back, and how its
// pages follow the window's size.

#include <QLineEdit>
#include <QScreen>
#include <QtTest>

#include "collectioneditor.h"
#include "controls/checkbox.h"
#include "controls/combobox.h"
#include "controls/controlbase.h"
#include "controls/label.h"
#include "datarows.h"
#include "kordbgridcolumnseditor.h"
#include "regini.h"
#include "testsupport.h"
#include "tst_griddesigner_fixture.h"

namespace {

QStringList pageOrder(QTabWidget *Pages)
{
    QStringList names;
    for (int i = 0; i < Pages->count(); ++i)
        names.append(Pages->widget(i)->objectName());
    return names;
}

// The designer's stored settings.
TRegIniFile settings()
{
    return TRegIniFile(BaseRegistryKey() + u"\\Property Editors\\Brisk Designer"_s);
}

QString stored(const QString &Name)
{
    return settings().ReadString(u"TKorDBGridDesigner"_s, Name, u"<none>"_s);
}

// A grid property changed before its page is built, and the edit box that shows it.
struct TLateRow {
    const char *label;
    QString sheet, edit;
    bool ofColumn;
    QString path;
    QVariant value;
    bool titles;
};

enum TPlaceCase { AfterRestart, AfterTenOpenings, PartlyOffScreen };
enum TPlacedWindow { GridDesignerWindow, ColumnsEditorWindow, HostCollectionEditor };

} // namespace

class TestKorDBGridDesigner : public QObject, GridDesignerFixture {
    Q_OBJECT

    static void closeAndFree(QWidget *Window)
    {
        QPointer<QWidget> guard = Window;
        Window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
    }

    template <class T> static T *control(QWidget *Window, const char *Name)
    {
        return Window->findChild<T *>(QString::fromLatin1(Name));
    }

    static bool enabled(QWidget *Window, const char *Name)
    {
        return ControlEnabled(control<QWidget>(Window, Name));
    }

    static void show(TKorDBGridDesigner *Window, const char *Sheet)
    {
        QWidget *sheet = control<QWidget>(Window, Sheet);
        if (Window->ColumnsPageControl->indexOf(sheet) >= 0) {
            Window->PageControl->setCurrentWidget(control<QWidget>(Window, "ColumnsTabSheet"));
            Window->ColumnsPageControl->setCurrentWidget(sheet);
        } else {
            Window->PageControl->setCurrentWidget(sheet);
        }
        Window->UpdatePropList();
    }

private slots:
    void init()
    {
        ResetTestSettingsDir();
        MakeGrid();
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<TKorDBGridDesigner *>(window))
                window->close();
        TearDown();
    }

    void firstOpeningShowsDesignWithColumnsSixth()
    {
        TKorDBGridDesigner *window = OpenDesigner();
        QVERIFY(window);
        QCOMPARE(pageOrder(window->PageControl).join(' ').remove("TabSheet"),
                 QString("Layout Spaces Settings ToolMenu Design Columns Colors Fonts Control1 "
                         "Control2 Filter Search Totals ScrollBars Hints Links"));
        QCOMPARE(window->PageControl->currentWidget()->objectName(), u"DesignTabSheet"_s);
        QCOMPARE(window->ColumnsPageControl->currentWidget()->objectName(), u"ColumnTabSheet"_s);
        QCOMPARE(window->windowTitle(), grid->Name() + u" Designer"_s);
        // The Design page is loaded: its check boxes show the grid.
        // The Design page is loaded, and a check box that no list binds is hidden.
        QVERIFY(control<TCheckBox>(window, "TitlesCheckBox")->Checked() &&
                control<QWidget>(window, "FilterCheckBox")->isHidden());
    }

    void saveTabsRoundTripAndDeletion()
    {
        TKorDBGridDesigner *window = OpenDesigner();
        window->SaveTabsCmd->trigger();
        QVERIFY(window->SaveTabsCmd->isChecked());
        window->PageControl->tabBar()->moveTab(0, 3);
        window->PageControl->setCurrentWidget(control<QWidget>(window, "FontsTabSheet"));
        window->ColumnsPageControl->tabBar()->moveTab(2, 0);
        window->ColumnsPageControl->setCurrentWidget(
            control<QWidget>(window, "ColumnTitleTabSheet"));
        const QStringList pages = pageOrder(window->PageControl);
        const QStringList columnPages = pageOrder(window->ColumnsPageControl);
        closeAndFree(window);
        QVERIFY(stored(u"Tabs1"_s).startsWith(u"FontsTabSheet;"_s) &&
                stored(u"Tabs2"_s).startsWith(u"ColumnTitleTabSheet;"_s));

        window = OpenDesigner();
        QVERIFY(pageOrder(window->PageControl) == pages &&
                pageOrder(window->ColumnsPageControl) == columnPages &&
                window->PageControl->currentWidget()->objectName() == u"FontsTabSheet"_s &&
                window->ColumnsPageControl->currentWidget()->objectName() ==
                    u"ColumnTitleTabSheet"_s);

        // Unchecked, closing deletes both values.
        window->SaveTabsCmd->trigger();
        closeAndFree(window);
        QVERIFY(stored(u"Tabs1"_s) == u"<none>"_s && stored(u"Tabs2"_s) == u"<none>"_s);
    }

    void enableAllStoredCheckedEnablesEverythingAtOnce()
    {
        settings().WriteBool(u"TKorDBGridDesigner"_s, u"EnableAll"_s, true);
        grid->setOptions(grid->Options() & ~Kor::TKorDBGridOptions(Kor::dgTitles));
        TKorDBGridDesigner *window = OpenDesigner();
        QVERIFY(window->EnableAllCmd->isChecked() && window->GetPropList()->AllEnabled &&
                enabled(window, "HeadersCheckBox") && enabled(window, "TitleButtonsCheckBox"));
        // The margins stay hidden all the same.
        show(window, "LayoutTabSheet");
        QVERIFY(control<QWidget>(window, "MarginsGroupBox")->isHidden() &&
                control<QWidget>(window, "AlignWithMarginsCheckBox")->isHidden() &&
                !control<QWidget>(window, "BoundsGroupBox")->isHidden());
    }

    void columnsPageFollowsTheColumnsState()
    {
        TKorDBGridDesigner *window = OpenDesigner();
        QWidget *columns = control<QWidget>(window, "ColumnsTabSheet");
        show(window, "ColumnTabSheet");
        QVERIFY(!columns->isHidden());
        QCOMPARE(control<TComboBox>(window, "ColumnDisplayNameComboBox")->Text(), u"0 - id"_s);

        for (const auto state : {Kor::csDefault, Kor::csCustomized}) {
            grid->Columns()->setState(state);
            window->UpdatePropList();
            QCOMPARE(columns->isHidden(), state == Kor::csDefault);
        }
    }

    void selectionFollowsThePage()
    {
        TKorDBGridDesigner *window = OpenDesigner();
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(window, &activate);
        TKorColumn *first = static_cast<TKorColumn *>(grid->Columns()->Items(0));

        const std::pair<const char *, QObject *> pages[] = {
            {"ColumnTabSheet", first},
            {"ColumnTitleTabSheet", first->Title()},
            {"ColumnTotalTabSheet", first->TotalHeader()},
            {"LayoutTabSheet", grid}};
        for (const auto &[sheet, selected] : pages) {
            show(window, sheet);
            QCOMPARE(designer->GetSelections(), QList<QObject *>{selected});
        }
    }

    void windowsComeBackWhereTheyWereLeft_data()
    {
        QTest::addColumn<int>("Kind");
        QTest::addColumn<int>("Case");
        const char *names[] = {"grid designer", "columns editor", "host's collection editor"};
        for (const int kind : {GridDesignerWindow, ColumnsEditorWindow, HostCollectionEditor}) {
            const char *name = names[kind];
            QTest::addRow("%s after a restart", name) << kind << int(AfterRestart);
            QTest::addRow("%s after ten openings", name) << kind << int(AfterTenOpenings);
            QTest::addRow("%s left partly off the screen", name) << kind << int(PartlyOffScreen);
        }
    }

    // Each window opens where (and the two of this package as large as) the user left it, however
    // often it is opened and closed and across sessions; one left hanging over the screen's edge
    // comes back at that edge.
    void windowsComeBackWhereTheyWereLeft()
    {
        QFETCH(int, Kind);
        QFETCH(int, Case);
        // The window the double-click came from; the grid designer opens beside it at first.
        QWidget host;
        host.setGeometry(10, 20, 150, 300);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        const auto openWindow = [&]() -> QWidget * {
            if (Kind == GridDesignerWindow)
                return ShowBriskDesignerClass(designer.get(), grid,
                                              BriskDesignerClass<TKorDBGridDesigner>(), &host);
            if (Kind == ColumnsEditorWindow)
                return ShowKorDBGridColumnsEditor(designer.get(), grid);
            return ShowCollectionEditorClass(designer.get(), nullptr, grid, grid->Columns(),
                                             u"Columns"_s);
        };
        const QRect screen = host.screen()->availableGeometry();

        QWidget *window = openWindow();
        QVERIFY(window);
        const QPoint place =
            Case == PartlyOffScreen ? QPoint(screen.left() - 40, 10) : QPoint(20, 30);
        window->move(place);
        const QSize size = window->size() + QSize(30, 20);
        window->resize(size);
        for (int i = 0; i < (Case == AfterTenOpenings ? 10 : 1); ++i) {
            closeAndFree(window);
            if (Case == AfterRestart)
                MakeGrid(); // a new session: a new form, only the stored state is left
            window = openWindow();
            QVERIFY(window);
        }
        if (Case == PartlyOffScreen) {
            QVERIFY(screen.contains(window->frameGeometry()) &&
                    window->frameGeometry().left() == screen.left());
            // Only as far up as the screen makes it go.
            QCOMPARE(window->y(),
                     qMin(place.y(), screen.bottom() + 1 - window->frameGeometry().height()));
        } else {
            QCOMPARE(window->pos(), place);
        }
        if (Kind != HostCollectionEditor) // the host's own keeps only its place
            QCOMPARE(window->size(), size);
        QCOMPARE(host.geometry(), QRect(10, 20, 150, 300));
        if (Kind != GridDesignerWindow)
            window->close();
    }

    void windowResizesWithItsPages_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("wide");
        QTest::addColumn<bool>("growsDown");
        QTest::addRow("a Layout edit box") << u"Layout"_s << u"BoundsLeftEdit"_s << false;
        QTest::addRow("a Colors colour box") << u"Colors"_s << u"HeaderColorColorBox"_s << false;
        QTest::addRow("the column selector")
            << u"ColumnTitle"_s << u"ColumnDisplayNameComboBox"_s << false;
        QTest::addRow("a column's filter list")
            << u"ColumnFilter"_s << u"ColumnFilterListMemo"_s << true;
    }

    // The window opens at a size that shows every page unclipped, no smaller; made larger, its
    // pages use the room: wide controls grow sideways, lists downwards too. The size the user
    // gave it comes back after the window is closed and opened again.
    void windowResizesWithItsPages()
    {
        QFETCH(QString, sheet);
        sheet += u"TabSheet"_s;
        QFETCH(QString, wide);
        QFETCH(bool, growsDown);
        TKorDBGridDesigner *window = OpenDesigner();
        show(window, qPrintable(sheet));
        window->resize(0, 0);
        QCoreApplication::processEvents();
        const QSize smallest = window->size();
        const QSize pages = window->PageControl->size();
        QVERIFY(pages == pages.expandedTo(window->PageControl->minimumSizeHint()));
        // Nothing of the shown page lies outside it.
        QWidget *page = control<QWidget>(window, qPrintable(sheet));
        for (QWidget *child : page->findChildren<QWidget *>())
            if (child->isVisibleTo(page))
                QVERIFY2(
                    page->rect().contains(QRect(child->mapTo(page, QPoint(0, 0)), child->size())),
                    qPrintable(child->objectName()));
        QWidget *grown = control<QWidget>(window, qPrintable(wide));
        const QSize before = grown->size();

        window->resize(smallest + QSize(240, 160));
        QCoreApplication::processEvents();
        QVERIFY(window->size() == smallest + QSize(240, 160) &&
                grown->width() >= before.width() + 80);
        if (growsDown)
            QVERIFY(grown->height() >= before.height() + 80);
        else
            QCOMPARE(grown->height(), before.height());
        if (sheet == QLatin1String("LayoutTabSheet")) {
            // Tabbed into, an edit box shows its text selected.
            QApplication::setActiveWindow(window);
            grown->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            QVERIFY(static_cast<QLineEdit *>(grown)->hasSelectedText());
        }

        const QSize kept = window->size();
        closeAndFree(window);
        window = OpenDesigner();
        QCOMPARE(window->size(), kept);
    }

    void pagesBuiltLateShowTheGrid_data()
    {
        static const TLateRow rows[] = {
            {"a grid value under a rule of another page, titles off", "SpacesTabSheet",
             "TitleColMarginEdit", false, "GridStyle.TitleColMargin", 17, false},
            {"a grid value, titles on", "SpacesTabSheet", "DataRowSpaceEdit", false,
             "GridStyle.DataRowSpace", 9, true},
            {"a caption of the first column", "ColumnTitleTabSheet", "ColumnTitleCaptionEdit", true,
             "Title.Caption", "Late", true},
        };
        AddRows(rows);
    }

    // The window builds a page when it is first shown. A change made while the page is not
    // built, and reported to the window, is what the page shows once built: value, bold, and
    // the enabling that the rules of another page's option decide.
    void pagesBuiltLateShowTheGrid()
    {
        QFETCH(TLateRow, row);
        const auto &[name, sheet, edit, ofColumn, path, value, titles] = row;
        TKorDBGridDesigner *window = OpenDesigner();
        QVERIFY(!window->findChild<QWidget *>(edit));

        QObject *object = ofColumn ? static_cast<QObject *>(grid->Columns()->Items(0)) : grid;
        const QStringList parts = path.split(QLatin1Char('.'));
        for (int i = 0; i + 1 < parts.size(); ++i)
            object = GetObjectProp(object, parts.at(i));
        if (value.typeId() == QMetaType::QString)
            SetStrProp(object, parts.constLast(), value.toString());
        else
            SetOrdProp(object, parts.constLast(), value.toInt());
        if (!titles)
            grid->setOptions(grid->Options() & ~Kor::TKorDBGridOptions(Kor::dgTitles));
        window->UpdatePropList();
        QVERIFY(!window->findChild<QWidget *>(edit));

        show(window, qPrintable(sheet));
        auto *box = control<QLineEdit>(window, qPrintable(edit));
        QVERIFY(box && box->text() == value.toString() && box->font().bold() &&
                enabled(window, qPrintable(edit)) == titles);
        // Its label is the property's name.
        QCOMPARE(control<QLabel>(window, qPrintable(edit.chopped(4) + "Label"))->text(),
                 path.section(QLatin1Char('.'), -1));
    }
};

QTEST_MAIN(TestKorDBGridDesigner)
#include "tst_kordbgriddesigner.moc"
