// The workbench's form surface and main window, driven as a person would: mouse and keys on the
// offscreen window, with the design-time package loaded at run time.

#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolTip>
#include <QTreeWidget>
#include <QUndoStack>

#include "datarows.h"
#include "designwindow.h"
#include "formdocument.h"
#include "formsurface.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hostpalette.h"
#include "objectproperties.h"
#include "packages.h"
#include "propertyrowdelegate.h"
#include "sqldata.h"
#include "surfaceoverlay.h"
#include "taborderdialog.h"
#include "testsupport.h"
#include "workbenchwindow.h"

using namespace Qt::StringLiterals;

namespace {

const QMetaObject *const Grid = &TKorDBGrid::staticMetaObject;
const QMetaObject *const DataSource = &TDataSource::staticMetaObject;
const QMetaObject *const DataSet = &TSQLDataSet::staticMetaObject;

// A click gives the class's own size at the nearest grid point; a drag gives the snapped
// rectangle, whichever way it is dragged. Near the form's far corner a click's default size is
// moved back inside the form.
const struct TPlacesRow {
    const char *label;
    const QMetaObject *type;
    QPoint from, to;
    QRect expected;
} kPlaces[] = {
    {"grid by click", Grid, {21, 19}, {21, 19}, {24, 16, 320, 120}},
    {"grid by drag", Grid, {13, 10}, {180, 101}, {16, 8, 168, 96}},
    {"grid by drag up and left", Grid, {180, 101}, {13, 10}, {16, 8, 168, 96}},
    {"data source by click", DataSource, {50, 45}, {50, 45}, {48, 48, 28, 28}},
    {"grid near the corner", Grid, {601, 451}, {601, 451}, {320, 360, 320, 120}},
    {"data source near the corner", DataSource, {630, 470}, {630, 470}, {612, 452, 28, 28}}};

// Gestures, separated by blanks: cX,Y a click, C with Ctrl, S with Shift; dX,Y,X,Y a drag (D
// with Ctrl); tab, backtab, del the keys. Grid1 at (16,16,160,80), Grid2 at (240,16,160,80),
// DataSource1's icon at (16,160); an empty selection is the form's. Left: components left (3
// unless given).
const struct TSelectionsRow {
    const char *label, *gestures, *expected;
    int left = 3;
} kSelections[] = {
    {"click", "c50,50", "KorDBGrid1"},
    {"click then click another", "c50,50 c300,50", "KorDBGrid2"},
    {"ctrl+click adds", "c50,50 C300,50 C30,170", "KorDBGrid1 KorDBGrid2 DataSource1"},
    {"ctrl+click removes", "c50,50 C300,50 C50,50", "KorDBGrid2"},
    {"bare form selects the form", "c50,50 c500,300", ""},
    {"ctrl+click the last selected selects the form", "c50,50 C50,50", ""},
    {"ctrl+click on the form keeps the selection", "c50,50 C300,50 C500,300",
     "KorDBGrid1 KorDBGrid2"},
    {"shift+click toggles as ctrl+click", "c50,50 S30,170 S50,50", "DataSource1"},
    {"rubber band around the icon", "d8,150,60,200", "DataSource1"},
    {"rubber band from the bare form touching both grids", "d420,120,100,90",
     "KorDBGrid1 KorDBGrid2"},
    {"ctrl+rubber band adds", "d420,120,100,90 D8,150,60,200", "KorDBGrid1 KorDBGrid2 DataSource1"},
    {"tab", "c50,50 tab", "KorDBGrid2"},
    {"tab from the last goes round", "c30,170 tab", "KorDBGrid1"},
    {"shift+tab", "c300,50 backtab", "KorDBGrid1"},
    {"shift+tab from the first goes round", "c50,50 backtab", "DataSource1"},
    {"tab from the form", "c500,300 tab", "KorDBGrid1"},
    {"shift+tab from the form", "c500,300 backtab", "DataSource1"},
    {"delete", "c50,50 C30,170 del", "", 1},
    {"delete with the form selected", "c500,300 del", ""}};

// The grid is at (16,16,160,80): its edges at x 16 and 176, y 16 and 96. Each handle moves the
// edges it stands on, and they land on the nearest grid line (x+22 -> 40 or 200, y+19 -> 32 or
// 112); the others stay. Never inside out, and no smaller than the control allows (20 x 20).
// Rows with a key press it instead: arrows move by the grid, with Shift they size; with Ctrl by
// a pixel.
using H = TSurfaceOverlay;
const Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
const struct TSizesRow {
    const char *label;
    int handle;
    QPoint delta;
    QRect expected;
    Qt::Key key = {};
    Qt::KeyboardModifiers modifiers = {};
} kSizes[] = {{"top left", H::hTopLeft, {22, 19}, {40, 32, 136, 64}},
              {"top", H::hTop, {22, 19}, {16, 32, 160, 64}},
              {"top right", H::hTopRight, {22, 19}, {16, 32, 184, 64}},
              {"right", H::hRight, {22, 19}, {16, 16, 184, 80}},
              {"bottom right", H::hBottomRight, {22, 19}, {16, 16, 184, 96}},
              {"bottom", H::hBottom, {22, 19}, {16, 16, 160, 96}},
              {"bottom left", H::hBottomLeft, {22, 19}, {40, 16, 136, 96}},
              {"left", H::hLeft, {22, 19}, {40, 16, 136, 80}},
              {"left outwards", H::hLeft, {-11, 40}, {8, 16, 168, 80}},
              {"right past the left", H::hRight, {-400, 0}, {16, 16, 20, 80}},
              {"top left past the bottom right", H::hTopLeft, {400, 400}, {156, 76, 20, 20}},
              {"right arrow", 0, {}, {24, 16, 160, 80}, Qt::Key_Right},
              {"up arrow", 0, {}, {16, 8, 160, 80}, Qt::Key_Up},
              {"ctrl+left", 0, {}, {15, 16, 160, 80}, Qt::Key_Left, Qt::ControlModifier},
              {"shift+right", 0, {}, {16, 16, 168, 80}, Qt::Key_Right, Qt::ShiftModifier},
              {"shift+up", 0, {}, {16, 16, 160, 72}, Qt::Key_Up, Qt::ShiftModifier},
              {"ctrl+shift+down", 0, {}, {16, 16, 160, 81}, Qt::Key_Down, kCtrlShift}};

// The anchor (96, 16, 80 x 24) stays; the others line up with it or take its size. Spacing
// keeps the outermost two and moves the middle one (the anchor across, the second down) so the
// gaps are equal: 40 across, 20 down.
using A = TArrange;
const struct TArrangesRow {
    const char *label; // the step's name
    TArrange kind;
    QRect second, third;
} kArranges[] = {
    {"Align Left", A::AlignLefts, {96, 64, 40, 40}, {96, 120, 56, 32}},
    {"Align Right", A::AlignRights, {136, 64, 40, 40}, {120, 120, 56, 32}},
    {"Align Top", A::AlignTops, {232, 16, 40, 40}, {16, 16, 56, 32}},
    {"Align Bottom", A::AlignBottoms, {232, 0, 40, 40}, {16, 8, 56, 32}},
    {"Align Horizontal Centres", A::AlignHorizontalCentres, {116, 64, 40, 40}, {108, 120, 56, 32}},
    {"Align Vertical Centres", A::AlignVerticalCentres, {232, 8, 40, 40}, {16, 12, 56, 32}},
    {"Same Width", A::SameWidth, {232, 64, 80, 40}, {16, 120, 80, 32}},
    {"Same Height", A::SameHeight, {232, 64, 40, 24}, {16, 120, 56, 24}},
    {"Same Size", A::SameSize, {232, 64, 80, 24}, {16, 120, 80, 24}},
    {"Space Across", A::SpaceAcross, {232, 64, 40, 40}, {16, 120, 56, 32}},
    {"Space Down", A::SpaceDown, {232, 60, 40, 40}, {16, 120, 56, 32}}};

// Of three grids and an icon, the first Selected (none: the form); which groups of arrange
// actions are enabled: align, size, space, stacking.
const struct TEnabledRow {
    const char *label;
    int selected;
    bool locked;
    bool enabled[4];
} kEnabled[] = {{"one", 1, false, {false, false, false, true}},
                {"two", 2, false, {true, true, false, true}},
                {"three", 3, false, {true, true, true, true}},
                {"three and an icon, locked", 4, true, {false, false, false, true}},
                {"the form", 0, false, {false, false, false, false}}};

// A copy goes to the nearest free place on the grid, a grid step clear of the original; after
// a cut the place is free again: back where it was. A null place: close to the original.
const struct TPastesRow {
    const char *label;
    const QMetaObject *type;
    bool cut;
    QRect expected;
} kPastes[] = {{"copied grid", Grid, false, {16, 104, 160, 80}},
               {"cut grid", Grid, true, {16, 16, 160, 80}},
               {"copied icon", DataSource, false, {}},
               {"cut icon", DataSource, true, {}}};

const struct TClosesRow {
    const char *label;
    int answer;
    bool pickFile, closes;
} kCloses[] = {{"discard", mrNo, false, true},
               {"cancel", mrCancel, false, false},
               {"save, dialog cancelled", mrYes, false, false},
               {"save to a file", mrYes, true, true}};

} // namespace

class TestWorkbenchSurface : public QObject {
    Q_OBJECT

    std::unique_ptr<TWorkbenchWindow> m_window;
    QString m_package;

    TFormSurface *surface() const { return m_window->Surface(); }
    QWidget *overlay() const { return surface()->Overlay(); }
    TFormDesigner *designer() const { return m_window->FormDesigner(); }
    QUndoStack *stack() const { return m_window->Document()->UndoStack(); }
    // Runs Action and checks that it recorded one undo step named Text.
    void oneStep(const QString &Text, const std::function<void()> &Action)
    {
        m_window->Document()->FlushPendingChange();
        const int steps = stack()->count();
        Action();
        m_window->Document()->FlushPendingChange();
        QCOMPARE(stack()->count(), steps + 1);
        QCOMPARE(stack()->text(steps), Text);
    }
    QWidget *control(TComponent *C) const { return qobject_cast<QWidget *>(C->Object()); }
    QString inspectorValue(const QString &Path) const
    {
        return m_window->Inspector()->Model()->FindRow(Path).siblingAtColumn(1).data().toString();
    }
    // What Get gives for each of Components, in order.
    template <class F> static auto each(const QList<TComponent *> &Components, F Get)
    {
        QList<decltype(Get(nullptr))> values;
        for (TComponent *component : Components)
            values << Get(component);
        return values;
    }
    QList<QString> selectedNames() const
    {
        return each(surface()->SelectedComponents(), [](TComponent *C) { return C->Name(); });
    }
    TComponent *place(const QMetaObject *Class, const QRect &Bounds)
    {
        TComponent *component = surface()->PlaceComponent(Class, Bounds);
        if (!component)
            qFatal("could not place %s", Class->className());
        return component;
    }
    void drag(const QPoint &From, const QPoint &To,
              Qt::KeyboardModifiers Modifiers = Qt::NoModifier, QWidget *On = nullptr)
    {
        On = On ? On : overlay();
        QTest::mousePress(On, Qt::LeftButton, Modifiers, From);
        // Two steps, so the first one leaves the click's dead zone.
        QTest::mouseMove(On, From + (To - From) / 2);
        QTest::mouseMove(On, To);
        QTest::mouseRelease(On, Qt::LeftButton, Modifiers, To);
    }

    // Three grids of different sizes, selected in this order: the first is the anchor.
    QList<TComponent *> placeThree()
    {
        return {place(Grid, {96, 16, 80, 24}), place(Grid, {232, 64, 40, 40}),
                place(Grid, {16, 120, 56, 32})};
    }
    QList<QRect> geometries(const QList<TComponent *> &Components) const
    {
        return each(Components, [this](TComponent *C) { return control(C)->geometry(); });
    }
    static QList<TDesignWindow *> designWindows()
    {
        QList<TDesignWindow *> windows;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *design = qobject_cast<TDesignWindow *>(window); design && design->isVisible())
                windows << design;
        return windows;
    }
    static QList<QObject *> objects(const QList<TComponent *> &Components)
    {
        return each(Components, [](TComponent *C) { return C->Object(); });
    }

private slots:
    void initTestCase()
    {
        ResetTestSettingsDir();
        RegisterHostComponents();
        m_package = LoadPackage(FindPackageFile(u"DCLKorDBGrid90"_s));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        UnloadPackage(m_package);
    }

    void init()
    {
        m_window = std::make_unique<TWorkbenchWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        // Nothing asks about the changes a test leaves behind.
        stack()->clear();
        m_window.reset();
        ResetTestSettingsDir(); // nor remembers its folders
    }

    void placesByClickAndByDrag_data() { AddRows(kPlaces); }

    void placesByClickAndByDrag()
    {
        QFETCH(TPlacesRow, row);
        QSignalSpy pendingChanged(surface(), &TFormSurface::PendingClassChanged);
        surface()->SetPendingClass(row.type);
        QTest::mouseMove(overlay(), row.from);
        QVERIFY(surface()->StatusText().contains(u"Click on the form to place"_s));
        if (row.from == row.to)
            QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, row.from);
        else
            drag(row.from, row.to);

        QCOMPARE(designer()->GetRoot()->ComponentCount(), 1);
        TComponent *placed = designer()->GetRoot()->Components(0);
        QCOMPARE(placed->Object()->metaObject(), row.type);
        if (QWidget *widget = control(placed)) {
            QCOMPARE(widget->geometry(), row.expected);
            QVERIFY(widget->isVisible());
        } else {
            QCOMPARE(placed->Object()->property("DesignPosition").toPoint(),
                     row.expected.topLeft());
            QCOMPARE(surface()->ComponentAt(row.expected.center()), placed);
        }
        // Placed, selected, and the arrow is picked again.
        QCOMPARE(designer()->GetSelections(), QList<QObject *>{placed->Object()});
        QCOMPARE(surface()->PendingClass(), nullptr);
        QCOMPARE(pendingChanged.count(), 2);
    }

    void selects_data() { AddRows(kSelections); }

    void selects()
    {
        QFETCH(TSelectionsRow, row);
        place(Grid, {16, 16, 160, 80});
        TComponent *grid2 = place(Grid, {240, 16, 160, 80});
        place(DataSource, {16, 160, 0, 0});
        for (const QString &gesture : QString::fromLatin1(row.gestures).split(QLatin1Char(' '))) {
            QList<int> n;
            for (const QString &number : gesture.mid(1).split(QLatin1Char(',')))
                n << number.toInt();
            const QChar kind = gesture.at(0);
            const Qt::KeyboardModifiers modifiers = kind == QLatin1Char('S') ? Qt::ShiftModifier
                                                    : kind.isUpper()         ? Qt::ControlModifier
                                                                             : Qt::NoModifier;
            if (gesture == QLatin1String("tab"))
                QTest::keyClick(overlay(), Qt::Key_Tab);
            else if (gesture == QLatin1String("backtab"))
                QTest::keyClick(overlay(), Qt::Key_Backtab, Qt::ShiftModifier);
            else if (gesture == QLatin1String("del"))
                QTest::keyClick(overlay(), Qt::Key_Delete);
            else if (kind.toLower() == QLatin1Char('d'))
                drag({n[0], n[1]}, {n[2], n[3]}, modifiers);
            else
                QTest::mouseClick(overlay(), Qt::LeftButton, modifiers, {n[0], n[1]});
        }
        const QStringList expected =
            QString::fromLatin1(row.expected).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(selectedNames(), expected);
        if (expected.isEmpty())
            QCOMPARE(designer()->GetSelections(), QList<QObject *>{designer()->Form()});
        QVERIFY(overlay()->hasFocus());
        QCOMPARE(designer()->GetRoot()->ComponentCount(), row.left);
        if (row.left == 1)
            QCOMPARE(designer()->GetRoot()->Components(0), grid2);
        // The component list shows the same components and selection.
        QTRY_COMPARE(m_window->ComponentList()->topLevelItemCount(), row.left);
        QTRY_COMPARE(m_window->ComponentList()->selectedItems().size(), expected.size());
    }

    void movesWithTheMouse()
    {
        TComponent *grid1 = place(Grid, {16, 16, 160, 80});
        TComponent *grid2 = place(Grid, {240, 16, 160, 80});
        TComponent *source = place(DataSource, {16, 160, 0, 0});
        // Grabbed anywhere, the grid's corner lands on the grid: 16+13 -> 32, 16+6 -> 24.
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, {50, 50});
        drag({50, 50}, {63, 56});
        QCOMPARE(control(grid1)->geometry(), QRect(32, 24, 160, 80));
        QCOMPARE(control(grid2)->geometry(), QRect(240, 16, 160, 80));
        // Several selected move together, keeping their distances, as one step.
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::ControlModifier, {30, 170});
        oneStep(u"Move KorDBGrid1, DataSource1"_s, [this] { drag({60, 60}, {76, 68}); });
        QCOMPARE(control(grid1)->geometry(), QRect(48, 32, 160, 80));
        QCOMPARE(source->Object()->property("DesignPosition").toPoint(), QPoint(32, 168));
        // A click that does not leave the dead zone moves nothing.
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, {60, 60});
        QCOMPARE(control(grid1)->geometry(), QRect(48, 32, 160, 80));
    }

    void sizesByHandleAndArrowKeys_data() { AddRows(kSizes); }

    void sizesByHandleAndArrowKeys()
    {
        QFETCH(TSizesRow, row);
        TComponent *grid = place(Grid, {16, 16, 160, 80});
        if (row.key) {
            QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, {50, 50});
            QVERIFY(overlay()->hasFocus());
            const int modified = designer()->ModifiedCount();
            QTest::keyClick(overlay(), row.key, row.modifiers);
            QCOMPARE(designer()->ModifiedCount(), modified + 1);
        } else { // one step, named after the grid
            const QPoint handle = H::HandleRect(QRect(16, 16, 160, 80), row.handle).center();
            oneStep(u"Size KorDBGrid1"_s, [&] { drag(handle, handle + row.delta); });
            QCOMPARE(designer()->GetSelections(), QList<QObject *>{grid->Object()});
        }
        QCOMPARE(control(grid)->geometry(), row.expected);
    }

    // Controls on the form take no input. The context menu offers the component's verbs before
    // the editing commands; with only the form selected, there is nothing to cut. A click on a
    // grid's scroll bar scrolls the grid as it would at run time and selects it; the form keeps
    // nothing of it.
    void controlsTakeNoInputButScrollAndOfferTheirVerbs()
    {
        TComponent *component = place(Grid, {16, 16, 200, 100});
        auto *grid = static_cast<TKorDBGrid *>(component->Object());
        for (int i = 0; i < 4; ++i)
            grid->Columns()->Add()->setWidth(100);
        struct TCounter : QObject {
            int count = 0;
            bool eventFilter(QObject *, QEvent *Event) override
            {
                count +=
                    QList{QEvent::MouseButtonPress, QEvent::MouseButtonDblClick, QEvent::KeyPress}
                        .contains(Event->type());
                return false;
            }
        } counter;
        for (QWidget *child : grid->findChildren<QWidget *>())
            child->installEventFilter(&counter);
        grid->installEventFilter(&counter);
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, {50, 50});
        QTest::keyClick(overlay(), Qt::Key_Tab);
        QTest::keyClick(overlay(), Qt::Key_A);
        QCOMPARE(counter.count, 0);
        QVERIFY(!grid->hasFocus() && !grid->isAncestorOf(QApplication::focusWidget()));

        designer()->SelectComponent(grid);
        std::unique_ptr<QMenu> menu = surface()->CreateContextMenu();
        QStringList texts;
        for (QAction *action : menu->actions())
            texts << action->text();
        const qsizetype verb = texts.indexOf(u"Co&lumns Editor..."_s);
        QVERIFY(verb >= 0 && verb < texts.indexOf(u"Cu&t"_s) && texts.contains(u"&Delete"_s));
        designer()->SelectComponent(designer()->Form());
        menu = surface()->CreateContextMenu();
        QVERIFY(!menu->actions().first()->isEnabled());

        QScrollBar *bar = grid->HorizontalScrollBar();
        QVERIFY(bar->isVisible());
        const int modified = designer()->ModifiedCount();
        // The bar's track, right of its handle.
        const QPoint track = overlay()->mapFromGlobal(
            bar->mapToGlobal(QPoint(bar->width() - 30, bar->height() / 2)));
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, track);
        QVERIFY(grid->HorizontalOffset() > 0);
        QCOMPARE(selectedNames(), QList<QString>{component->Name()});
        QCOMPARE(designer()->ModifiedCount(), modified);
    }

    // Components owned by another (a data set's fields) are listed under their owner, in order;
    // adding them is one undo step, and the list follows undo and redo.
    void ownedComponentsAreListedUnderTheirOwner()
    {
        TComponent *dataSet = place(DataSet, {16, 160, 0, 0});
        m_window->Document()->FlushPendingChange();
        const int steps = stack()->count();
        for (const char *name : {"SQLDataSet1Zip", "SQLDataSet1Age"}) {
            auto *field = new TField(dataSet->Object());
            field->SetName(QLatin1String(name));
            field->setFieldName(QLatin1String(name).mid(11));
        }
        designer()->Modified();
        m_window->Document()->FlushPendingChange();
        QCOMPARE(stack()->count(), steps + 1);
        const auto children = [this] {
            QStringList names;
            const QList<QTreeWidgetItem *> found =
                m_window->ComponentList()->findItems(u"SQLDataSet1"_s, Qt::MatchExactly);
            for (int i = 0; !found.isEmpty() && i < found.first()->childCount(); ++i)
                names.append(found.first()->child(i)->text(0));
            return names;
        };
        QTRY_COMPARE(children(), (QStringList{"SQLDataSet1Zip", "SQLDataSet1Age"}));
        QCOMPARE(m_window->ComponentList()->topLevelItemCount(), 1);
        stack()->undo();
        QCOMPARE(dataSet->ComponentCount(), 0);
        QTRY_COMPARE(children(), QStringList());
        stack()->redo();
        QCOMPARE(dataSet->ComponentCount(), 2);
        QTRY_COMPARE(children(), (QStringList{"SQLDataSet1Zip", "SQLDataSet1Age"}));
    }

    // Components that are not controls show as icons with their names, never cut.
    void iconsOfComponentsThatAreNotControls()
    {
        TComponent *source = place(DataSource, {64, 200, 0, 0});
        // One placed without a place (by a script, a paste) takes a free slot.
        TComponent *dataSet = designer()->CreateComponent(DataSet);
        const QPoint slot = dataSet->Object()->property("DesignPosition").toPoint();
        QVERIFY(!surface()->ComponentRect(dataSet).intersects(surface()->ComponentRect(source)));
        QCOMPARE(surface()->ComponentAt(slot + QPoint(4, 4)), dataSet);
        // The name shows under the icon, and the hit area covers it.
        QVERIFY(surface()->ComponentRect(source).height() > 28);
        QCOMPARE(surface()->ComponentAt({78, 232}), source);
        // An icon cannot be resized.
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, {70, 210});
        QTest::keyClick(overlay(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(source->Object()->property("DesignPosition").toPoint(), QPoint(64, 200));
        // A name longer than an icon slot: the tile grows to show it whole.
        dataSet->SetName(u"CustomerOrdersSource"_s);
        const QRect tile = surface()->ComponentRect(dataSet);
        QVERIFY(tile.width() >= static_cast<H *>(overlay())->LabelWidth(dataSet->Name()));
        QVERIFY(tile.left() >= 0);
        // Longer still, it is elided on the tile and shown whole in its tool tip.
        const QString name = u"CustomerOrdersByRegionAndQuarterSource"_s;
        dataSet->SetName(name);
        const QPoint over = surface()->ComponentRect(dataSet).center();
        QHelpEvent help(QEvent::ToolTip, over, overlay()->mapToGlobal(over));
        QApplication::sendEvent(overlay(), &help);
        QTRY_COMPARE(QToolTip::text(), name);
        QToolTip::hideText();
    }

    void arrangesAsOneStep_data() { AddRows(kArranges); }

    void arrangesAsOneStep()
    {
        QFETCH(TArrangesRow, row);
        const QList<TComponent *> grids = placeThree();
        designer()->SetSelections(objects(grids));
        QAction *action = surface()->ArrangeAction(row.kind);
        QVERIFY(action->isEnabled());
        oneStep(QLatin1String(row.label), [action] { action->trigger(); });
        const QRect anchor =
            row.kind == A::SpaceAcross ? QRect(112, 16, 80, 24) : QRect(96, 16, 80, 24);
        QCOMPARE(geometries(grids), (QList<QRect>{anchor, row.second, row.third}));
    }

    void arrangingIsEnabledWhenItCanAct_data() { AddRows(kEnabled); }

    void arrangingIsEnabledWhenItCanAct()
    {
        QFETCH(TEnabledRow, row);
        QList<TComponent *> components = placeThree();
        components << place(DataSource, {400, 200, 0, 0});
        if (row.locked)
            surface()->LockAction()->trigger();
        QCOMPARE(surface()->IsLocked(), row.locked);
        designer()->SetSelections(row.selected ? objects(components.mid(0, row.selected))
                                               : QList<QObject *>{designer()->Form()});
        const std::initializer_list<TArrange> groups[] = {
            {A::AlignLefts, A::AlignRights, A::AlignTops, A::AlignBottoms,
             A::AlignHorizontalCentres, A::AlignVerticalCentres},
            {A::SameWidth, A::SameHeight, A::SameSize},
            {A::SpaceAcross, A::SpaceDown},
            {A::BringToFront, A::SendToBack}};
        for (int group = 0; group < 4; ++group)
            for (TArrange kind : groups[group])
                QCOMPARE(surface()->ArrangeAction(kind)->isEnabled(), row.enabled[group]);
        // The tool bar shows the same actions.
        auto *bar = m_window->findChild<QToolBar *>(u"ArrangeToolBar"_s);
        QVERIFY(bar && bar->actions().contains(surface()->ArrangeAction(TArrange::AlignLefts)));
    }

    // The tab order dialog reorders the controls. Locked, the mouse and the arrow keys select but
    // move nothing; the stacking actions move a control in the form and are undone.
    void tabOrderLockAndStacking()
    {
        const QList<TComponent *> grids = placeThree();
        QStringList shown;
        bool endsStuck = false;
        TScriptedDialogs dialogs;
        dialogs.OnTabOrder = [&shown, &endsStuck](QWidget *Parent, QStringList &Names) {
            TTabOrderDialog dialog(Names, Parent);
            dialog.show();
            shown = dialog.Order();
            // The third up twice: first; then the second (now the first grid) down once.
            dialog.List()->setCurrentRow(2);
            QTest::mouseClick(dialog.UpButton(), Qt::LeftButton);
            QTest::mouseClick(dialog.UpButton(), Qt::LeftButton);
            endsStuck = !dialog.UpButton()->isEnabled();
            dialog.List()->setCurrentRow(2); // nor down from the last
            endsStuck = endsStuck && !dialog.DownButton()->isEnabled();
            dialog.List()->setCurrentRow(1);
            QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);
            Names = dialog.Order();
            return true;
        };
        const THostDialogsScope dialogsScope(dialogs);
        QVERIFY(surface()->TabOrderAction()->isEnabled());
        surface()->TabOrderAction()->trigger();
        QCOMPARE(shown, (QStringList{"KorDBGrid1", "KorDBGrid2", "KorDBGrid3"}));
        QVERIFY(endsStuck);
        QList<int> orders;
        for (TComponent *grid : grids)
            orders << grid->Object()->property("TabOrder").toInt();
        QCOMPARE(orders, (QList<int>{2, 1, 0}));
        QCOMPARE(surface()->TabOrderControls(),
                 (QList<TComponent *>{grids[2], grids[1], grids[0]}));

        // Locked, the mouse and the arrow keys select but move nothing.
        surface()->LockAction()->trigger();
        designer()->SelectComponent(grids.first()->Object());
        const QList<QRect> before = geometries(grids);
        drag({100, 20}, {150, 80});
        QTest::keyClick(overlay(), Qt::Key_Right);
        QTest::keyClick(overlay(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(geometries(grids), before);
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, {240, 70});
        QCOMPARE(selectedNames(), QList<QString>{u"KorDBGrid2"_s});
        surface()->LockAction()->trigger();
        QTest::keyClick(overlay(), Qt::Key_Right);
        QCOMPARE(control(grids.at(1))->geometry(), before.at(1).translated(8, 0));

        // The first grid to the front: last in the form (and in its file), on top of the others.
        designer()->SelectComponent(grids.first()->Object());
        const auto arrange = [this](TArrange Kind) { surface()->ArrangeAction(Kind)->trigger(); };
        oneStep(u"Bring to Front"_s, [&] { arrange(TArrange::BringToFront); });
        QCOMPARE(grids.first()->ComponentIndex(), 2);
        QCOMPARE(surface()->Form()->children().last(), grids.first()->Object());
        oneStep(u"Send to Back"_s, [&] { arrange(TArrange::SendToBack); });
        QCOMPARE(grids.first()->ComponentIndex(), 0);
        stack()->undo();
        QCOMPARE(designer()->GetComponent(u"KorDBGrid1"_s)->ComponentIndex(), 2);
    }

    void pasteLandsOnFreeSpace_data() { AddRows(kPastes); }

    void pasteLandsOnFreeSpace()
    {
        QFETCH(TPastesRow, row);
        place(Grid, {240, 16, 160, 80}); // a neighbour on the right, in the way of a move across
        TComponent *original = place(row.type, {16, 16, row.type == Grid ? 160 : 0, 80});
        const QRect was = surface()->ComponentRect(original);
        row.cut ? surface()->CutSelection() : surface()->CopySelection();
        surface()->Paste();
        const QList<TComponent *> pasted = surface()->SelectedComponents();
        QCOMPARE(pasted.size(), 1);
        const QRect landed = surface()->ComponentRect(pasted.first());
        if (!row.expected.isNull())
            QCOMPARE(landed, row.expected);
        else if (row.cut)
            QCOMPARE(landed, was);
        else // beside or below the original, a grid step or two clear of it
            QVERIFY((landed.topLeft() - was.topLeft()).manhattanLength() <=
                    qMax(was.width(), was.height()) + 2 * TFormSurface::GridSize);
        if (QWidget *widget = control(pasted.first()))
            QVERIFY(widget->isVisible());
        else {
            const QPoint at = pasted.first()->Object()->property("DesignPosition").toPoint();
            QCOMPARE(TFormSurface::Snap(at), at);
            QCOMPARE(surface()->ComponentAt(landed.center()), pasted.first());
        }
        QVERIFY(QRect(QPoint(), surface()->Form()->size()).contains(landed));
        for (int i = 0; i < surface()->Form()->ComponentCount(); ++i)
            if (TComponent *other = surface()->Form()->Components(i); other != pasted.first())
                QVERIFY(!surface()->ComponentRect(other).intersects(landed));
        if (!row.cut)
            QVERIFY(designer()->GetComponent(original->Name()));
    }

    // The design windows a double-click opens leave the main window's size and place alone,
    // come up fully on the screen, and stay above the main window; asked again, they come
    // forward where they are. The undo and redo keys there work on the form's steps.
    void designWindowsLeaveTheMainWindowAlone()
    {
        auto *kor = static_cast<TKorDBGrid *>(place(Grid, {16, 16, 160, 80})->Object());
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        const QRect before = m_window->frameGeometry();
        QTest::mouseDClick(overlay(), Qt::LeftButton, Qt::NoModifier, {50, 50});
        QTRY_COMPARE(designWindows().size(), 2);
        const QList<TDesignWindow *> open = designWindows();
        const QRect screen = m_window->screen()->availableGeometry();
        QList<QPoint> places;
        for (TDesignWindow *window : open) {
            QCOMPARE(window->windowHandle()->transientParent(), m_window->windowHandle());
            QCOMPARE(window->windowType(), Qt::Tool);
            if (window->inherits("TKorDBGridDesigner"))
                QVERIFY(screen.contains(window->frameGeometry()));
            window->move(window->pos() + QPoint(-7, 5));
            places << window->pos();
        }
        QCOMPARE(m_window->frameGeometry(), before);
        QTest::mouseDClick(overlay(), Qt::LeftButton, Qt::NoModifier, {50, 50});
        QCOMPARE(designWindows(), open);
        for (qsizetype i = 0; i < open.size(); ++i)
            QCOMPARE(open.at(i)->pos(), places.at(i));
        QCOMPARE(m_window->frameGeometry(), before);

        for (TDesignWindow *window : open) {
            const TColor was = kor->FixedColor(), now = was == clRed ? clLime : clRed;
            kor->setFixedColor(now);
            designer()->Modified();
            m_window->Document()->FlushPendingChange();
            const int index = stack()->index();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QWidget *focus = window->focusWidget() ? window->focusWidget() : window;
            QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(stack()->index(), index - 1);
            QCOMPARE(kor->FixedColor(), was);
            focus = window->focusWidget() ? window->focusWidget() : window;
            QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
            QCOMPARE(kor->FixedColor(), now);
            QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(focus, Qt::Key_Z, kCtrlShift);
            QCOMPARE(kor->FixedColor(), now);
            QCOMPARE(stack()->index(), index);
        }
        // A text box being typed in keeps Ctrl+Z for its own typing; once undone, the keys go to
        // the form again.
        QLineEdit typed(open.first()->centralWidget());
        typed.show();
        open.first()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(open.first()));
        typed.setFocus();
        const int index = stack()->index();
        QTest::keyClicks(&typed, u"7"_s);
        QTest::keyClick(&typed, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(typed.text(), QString());
        QCOMPARE(stack()->index(), index);
        QTest::keyClick(&typed, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(stack()->index(), index - 1);
    }

    // The main window's size and place, its docks and its lists' column widths come back in
    // the next session.
    void mainWindowStateIsKept()
    {
        // Until the user sizes them, the component list's columns fit the names.
        m_window->setGeometry(30, 40, 700, 500);
        QCoreApplication::processEvents();
        const QString placed = place(Grid, {16, 16, 160, 80})->Name();
        QVERIFY(m_window->ComponentList()->header()->sectionSize(0) >
                m_window->ComponentList()->fontMetrics().horizontalAdvance(placed));
        m_window->Document()->UndoStack()->setClean();
        const auto dock = [this](const char *Name) {
            return m_window->findChild<QDockWidget *>(QLatin1String(Name));
        };
        m_window->addDockWidget(Qt::LeftDockWidgetArea, dock("InspectorDock"));
        dock("PaletteDock")->hide();
        dock("RegistrationsDock")->show();
        m_window->ComponentList()->header()->resizeSection(0, 137);
        m_window->Inspector()->View()->header()->resizeSection(0, 111);
        QCoreApplication::processEvents();
        const QRect geometry = m_window->geometry();
        QVERIFY(m_window->close());
        init(); // the next session
        QCOMPARE(m_window->geometry(), geometry);
        QCOMPARE(m_window->dockWidgetArea(dock("InspectorDock")), Qt::LeftDockWidgetArea);
        QVERIFY(dock("PaletteDock")->isHidden() && dock("RegistrationsDock")->isVisible());
        // The user's widths outlast the lists being filled again.
        place(Grid, {16, 16, 160, 80});
        QCOMPARE(m_window->ComponentList()->header()->sectionSize(0), 137);
        QCOMPARE(m_window->Inspector()->View()->header()->sectionSize(0), 111);
    }

    void formIsSizedByItsHandleAndEditedInTheInspector()
    {
        TDesignForm *form = surface()->Form();
        QCOMPARE(form->size(), QSize(640, 480));
        // A click on the bare form selects it, and the inspector shows the form's properties.
        place(Grid, {16, 16, 160, 80});
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, {400, 300});
        QCOMPARE(designer()->GetSelections(), QList<QObject *>{form});
        QTRY_COMPARE(inspectorValue(u"Width"_s), u"640"_s);

        // Dragging the corner handle is one step; the edges land on the grid. The right edge's
        // handle changes only the width.
        const auto dragHandle = [this](int Handle, const QPoint &By) {
            const QPoint handle = surface()->FormHandleRect(Handle).center();
            oneStep(u"Size Form1"_s, [&] { drag(handle, handle + By, {}, surface()->Desk()); });
        };
        dragHandle(TSurfaceOverlay::hBottomRight, {37, -45});
        QCOMPARE(form->size(), QSize(680, 432));
        QTRY_COMPARE(inspectorValue(u"Width"_s), u"680"_s);
        dragHandle(TSurfaceOverlay::hRight, {-40, 30});
        QCOMPARE(form->size(), QSize(640, 432));
        stack()->undo();
        stack()->undo();
        QCOMPARE(form->size(), QSize(640, 480));

        // Typed into the inspector, the caption is one named step, shown over the form.
        const QModelIndex index = m_window->Inspector()->EditRow(u"Caption"_s);
        auto *edit = qobject_cast<TInspectorValueEdit *>(
            m_window->Inspector()->View()->indexWidget(index.sibling(index.row(), 1)));
        QVERIFY(edit);
        edit->Edit()->selectAll();
        QTest::keyClicks(edit->Edit(), u"Orders"_s);
        QTest::keyClick(edit->Edit(), Qt::Key_Return);
        QCOMPARE(form->windowTitle(), u"Orders"_s);
        m_window->Document()->FlushPendingChange();
        QCOMPARE(stack()->text(stack()->index() - 1), u"Change Form1.Caption"_s);
    }

    // File > New after a saved, renamed and changed form: the changes are asked about, then
    // a form as at start: named Form1, no file, nothing to save or undo, the form selected,
    // shown on the surface and working like the first.
    void newFormStartsAsTheFirst()
    {
        QTemporaryDir folder;
        place(Grid, {16, 16, 160, 80});
        designer()->GetRoot()->SetName(u"Orders"_s);
        QVERIFY(m_window->Document()->Save(folder.filePath(u"orders.kform"_s)));
        TComponent *grid = place(Grid, {240, 16, 160, 80});
        designer()->SelectComponent(grid->Object());
        TDesignForm *before = surface()->Form();
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers << mrNo;
        QVERIFY(m_window->NewForm());
        QCOMPARE(messages.Requests.size(), 1);

        QVERIFY(surface()->Form() != before);
        QVERIFY(designer()->Form()->isVisible());
        QCOMPARE(designer()->GetRoot()->Name(), u"Form1"_s);
        QCOMPARE(designer()->GetRoot()->ComponentCount(), 0);
        QVERIFY(!m_window->Document()->IsModified());
        QCOMPARE(m_window->Document()->UndoStack()->count(), 0);
        // Nothing of the old form stays selected or shown in the inspector.
        QCoreApplication::processEvents();
        for (QObject *shown :
             designer()->GetSelections() + m_window->Inspector()->Model()->Selection())
            QCOMPARE(shown, designer()->Form());
        QCOMPARE(m_window->ComponentList()->topLevelItemCount(), 0);
        // The new form works like the first, its names counted afresh. A click in the palette
        // picks the class to place, and placing picks the pointer again.
        QTreeWidget *palette = m_window->Palette();
        QTreeWidgetItem *gridItem =
            palette->findItems(u"TKorDBGrid"_s, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY(gridItem);
        QVERIFY(!gridItem->icon(0).isNull());
        const QRect rect = palette->visualItemRect(gridItem);
        // Escape gives the placing up, and the arrow is picked again.
        QTest::mouseClick(palette->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTest::keyClick(overlay(), Qt::Key_Escape);
        QCOMPARE(surface()->PendingClass(), nullptr);
        QCOMPARE(palette->currentItem(), palette->topLevelItem(0));
        QTest::mouseClick(palette->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(surface()->PendingClass(), Grid);
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
        QCOMPARE(surface()->PendingClass(), nullptr);
        QCOMPARE(palette->currentItem(), palette->topLevelItem(0)); // the pointer
        grid = designer()->GetRoot()->Components(0);
        QCOMPARE(grid->Name(), u"KorDBGrid1"_s);
        QTest::mouseClick(overlay(), Qt::LeftButton, Qt::NoModifier, {50, 50});
        QCOMPARE(surface()->SelectedComponents(), QList<TComponent *>{grid});
        QVERIFY(m_window->isWindowModified());
    }

    void closingWithUnsavedChangesAsks_data() { AddRows(kCloses); }

    void closingWithUnsavedChangesAsks()
    {
        QFETCH(TClosesRow, row);
        QVERIFY(!m_window->isWindowModified());
        place(Grid, {16, 16, 160, 80});
        QVERIFY(m_window->isWindowModified());
        QCOMPARE(m_window->windowTitle(), u"Form1 - Untitled[*] - Kor-DBGrid Workbench"_s);
        QTemporaryDir folder;
        const QString file = folder.filePath(u"orders.kform"_s);
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers << row.answer;
        QStringList offered;
        messages.OnSaveFileName = [&](QWidget *, const QString &, const QString &Start,
                                      const QString &) {
            offered << Start;
            return row.pickFile ? file : QString();
        };
        QCOMPARE(m_window->close(), row.closes);
        QCOMPARE(messages.Requests.size(), 1);
        QCOMPARE(messages.Requests.first().Msg, u"Save changes to Form1?"_s);
        QCOMPARE(messages.Requests.first().Buttons, mbYes | mbNo | mbCancel);
        QCOMPARE(offered, row.answer == mrYes ? QStringList{u"Form1.kform"_s} : QStringList{});
        QCOMPARE(QFile::exists(file), row.pickFile);
        QCOMPARE(m_window->isVisible(), !row.closes);
    }
};

QTEST_MAIN(TestWorkbenchSurface)
#include "tst_workbench_surface.moc"
