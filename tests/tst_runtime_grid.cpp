// The grid as a control: default colours that follow its properties, links that go away,
// painting in every drawing style, mouse and keyboard, and the controls that work with it
// (editors, navigator, columns dialog, gradient painter); scrolling through wide columns and
// through the records.

#include <QHelpEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

#include "columnsdialog.h"
#include "datarows.h"
#include "hostdialogs.h"
#include "kordbeditor.h"
#include "kordbeditors.h"
#include "navigator.h"
#include "tst_runtime_fixture.h"
#include "typinfo.h"

using namespace Qt::StringLiterals;

namespace {

bool exposed(QWidget &Widget)
{
    Widget.show();
    return QTest::qWaitForWindowExposed(&Widget);
}

// Shows the customers at 400 x 200, every column 100 pixels wide (together wider than the
// grid), the first FixedCols of them fixed.
bool showWideGrid(GridOnCustomers &Db, int FixedCols)
{
    for (TKorColumn *each : Db.Grid.VisibleColumns())
        each->setWidth(100);
    Db.Grid.setFixedCols(FixedCols);
    Db.Grid.resize(400, 200);
    return exposed(Db.Grid);
}

// The scroll bars asked for, and which show: shape 1 has columns wider than the grid, 2 more
// records than rows; shown 1 is the horizontal bar, 2 the vertical one.
struct TBarsRow {
    const char *label;
    Vcl::TScrollStyle bars;
    int shape, shown;
};

} // namespace

class TestRuntimeGrid : public QObject {
    Q_OBJECT

private slots:
    // The grid rendered at 1:1 and at a device-pixel ratio of 2, sampled at its cells: stripes,
    // the current cell and row, a fixed column over scrolled ones, the totals row, check boxes,
    // a lookup's text, and grid lines that neither leave gaps nor double at the cells' edges.
    void paintsCellsAtKnownPixels_data()
    {
        QTest::addColumn<int>("ratio");
        QTest::addRow("1:1") << 1;
        QTest::addRow("ratio 2") << 2;
    }

    void paintsCellsAtKnownPixels()
    {
        QFETCH(int, ratio);
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        db.AddCountryLookup();
        grid.resize(700, 220);
        grid.setScrollBars(Vcl::ssNone);
        grid.setColor(clWhite);
        grid.setDataColLineColor(clRed);
        grid.setDataRowLineColor(clBlue);
        grid.setSelectCellColor(clLime);
        grid.setSelectRowColor(clYellow);
        grid.setDrawingOptions(grid.DrawingOptions() | Kor::doStripeColor);
        grid.Totals()->setActive(true);
        grid.Totals()->setColor(clFuchsia);
        TKorColumn *id = grid.Columns()->ColumnByFieldName("id");
        id->setColor(clMoneyGreen);
        grid.setFixedCols(1);
        TKorColumn *name = grid.Columns()->ColumnByFieldName("name");
        TKorColumn *active = grid.Columns()->ColumnByFieldName("active");
        TKorColumn *country = grid.Columns()->ColumnByFieldName("country");
        active->setCheckBox(true);
        for (TKorColumn *each : grid.VisibleColumns())
            each->setWidth(each == country ? 80 : 60);
        db.Customers.setRecNo(3);
        grid.setSelectedIndex(int(grid.VisibleColumns().indexOf(name)));
        QVERIFY(exposed(grid));
        const QRgb stripe = ColorToQColor(grid.DefaultStripeColor()).rgb();
        const QRgb white = qRgb(255, 255, 255);
        QVERIFY(stripe != white);

        auto render = [&] {
            QImage image(grid.size() * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::black);
            grid.render(&image);
            return image;
        };
        QImage image = render();
        // The colour of the logical pixel at P, the device pixel (DX, DY) inside it.
        auto at = [&](QPoint P, int DX = 0, int DY = 0) {
            return image.pixel(P.x() * ratio + DX, P.y() * ratio + DY);
        };
        auto inside = [&](TKorColumn *Column, int Row) {
            return grid.CellRect(Column, Row).topLeft() + QPoint(1, 1);
        };
        QCOMPARE(at(inside(name, 0)), white);
        QCOMPARE(at(inside(name, 1)), stripe);
        QCOMPARE(at(inside(name, 2)), qRgb(0, 255, 0)); // the current cell
        QCOMPARE(at(inside(country, 2)), white);        // the rest of the current row
        QCOMPARE(at(inside(id, 0)), ColorToQColor(clMoneyGreen).rgb());
        QCOMPARE(at(inside(id, 1)), stripe);
        const QPoint footer(inside(name, 0).x(), grid.height() - 1 - grid.RowHeight() / 2);
        QCOMPARE(at(footer), qRgb(255, 0, 255));

        // Every device pixel of a cell's right and bottom line, none beside it (the current
        // cell has the focus frame over its edge).
        for (int row = 0; row < 3; ++row)
            for (TKorColumn *column : {id, name, country}) {
                const QRect cell = grid.CellRect(column, row);
                const QPoint right(cell.right() + 1, cell.center().y());
                const QPoint bottom(cell.left() + 1, cell.bottom());
                for (int d = 0; d < ratio && (row != 2 || column != name); ++d) {
                    QCOMPARE(at(right, d, 0), qRgb(255, 0, 0));
                    QVERIFY(at(right, -1 - d, 0) != qRgb(255, 0, 0));
                    QCOMPARE(at(bottom, 0, d), qRgb(0, 0, 255));
                    QVERIFY(at(bottom, 0, -1 - d) != qRgb(0, 0, 255));
                    QVERIFY(at(bottom, 0, ratio + d) != qRgb(0, 0, 255));
                }
            }

        // The titles' raised edge: the shadow on every device pixel of their bottom row.
        const QRgb shadow = ColorToQColor(clBtnShadow).rgb();
        const QPoint titleEdge(inside(name, 0).x() + 5, grid.TitleHeight());
        for (int d = 0; d < ratio; ++d)
            QVERIFY(at(titleEdge, 0, d) == shadow && at(titleEdge, 0, -1 - d) != shadow);

        // Check boxes: a frame for every record, a mark only where the field is true.
        auto ink = [&](const QRect &Logical) { // the device pixels' bounds of the dark ones
            QRect bounds;
            for (int y = Logical.top() * ratio; y < (Logical.bottom() + 1) * ratio; ++y)
                for (int x = Logical.left() * ratio; x < (Logical.right() + 1) * ratio; ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        bounds |= QRect(x, y, 1, 1);
            return bounds;
        };
        for (int row = 0; row < 3; ++row) {
            const QPoint c = grid.CellRect(active, row).center();
            QVERIFY(qGray(at(c - QPoint(6, 0))) < 128);
            const bool checked = db.Customers.FieldByName("active")->ValueAt(row).toBool();
            QCOMPARE(ink(QRect(c - QPoint(4, 4), QSize(9, 9))).isValid(), checked);
        }

        // The lookup's text is the looked-up title, as wide as that text in the column's font.
        const QFontMetrics metrics(country->Font()->ToQFont());
        for (const auto &[row, title] : {std::pair{0, "Kansas"}, {1, "Ohio"}}) {
            const QRect text = ink(grid.CellRect(country, row).adjusted(0, 0, 0, -1));
            QVERIFY(qAbs(text.width() / ratio - metrics.boundingRect(title).width()) <= 2);
        }

        // Scrolled sideways, the fixed column stays and the others pass under it.
        grid.resize(300, 220);
        grid.setHorizontalOffset(30);
        QCOMPARE(grid.HorizontalOffset(), 30);
        image = render();
        QCOMPARE(at(inside(id, 0)), ColorToQColor(clMoneyGreen).rgb());
        QCOMPARE(at(QPoint(grid.ScrollingArea().left() + 1, inside(id, 0).y())), white);

        // With whole rows selected, the current row takes the row colour.
        grid.setOptions(grid.Options() | Kor::dgRowSelect);
        image = render();
        QCOMPARE(at(inside(id, 2)), qRgb(255, 255, 0));
        QCOMPARE(at(inside(name, 2)), qRgb(255, 255, 0));
    }

    void gradientPaintsBetweenItsColours()
    {
        TKorDBGrid grid;
        TKorDBGridGradient *gradient = grid.Gradient();
        gradient->setActive(true);
        QVERIFY(!gradient->IsActive()); // the grid does not draw gradients yet
        grid.setDrawingStyle(Kor::gdsGradient);
        QVERIFY(gradient->IsActive());

        gradient->setStartColor(clRed);
        gradient->setEndColor(clBlue);
        QImage image(10, 50, QImage::Format_RGB32);
        QPainter painter(&image);
        gradient->Paint(painter, image.rect());
        QVERIFY(QColor(image.pixel(5, 0)).red() > 240 && QColor(image.pixel(5, 0)).blue() < 15);
        QVERIFY(QColor(image.pixel(5, 49)).blue() > 240 && QColor(image.pixel(5, 49)).red() < 15);
        gradient->setSwapColors(true);
        gradient->Paint(painter, image.rect());
        QVERIFY(QColor(image.pixel(5, 0)).blue() > 240);
        gradient->setDirection(false); // left to right
        gradient->Paint(painter, image.rect());
        QCOMPARE(image.pixel(0, 0), image.pixel(0, 49));
        painter.end();

        TBriskGradient plain(nullptr);
        plain.setActive(true);
        QVERIFY(!plain.IsActive()); // no control to paint
        QCOMPARE(plain.UsedHotColor(), ColorToQColor(plain.DefaultHotColor()));
    }

    void deletedLinksAreCleared()
    {
        RuntimeFixture db;
        TKorDBGrid grid;
        auto *source = new TDataSource;
        source->setDataSet(&db.Customers);
        grid.setDataSource(source);
        QCOMPARE(grid.Columns()->Count(), 9);
        delete source;
        QVERIFY(!grid.DataSource() && !GetObjectProp(&grid, "DataSource"));
        QCOMPARE(grid.Columns()->Count(), 0); // default columns went with the data
        grid.grab();

        auto *images = new TImageList;
        images->Add(QImage());
        grid.setIndicatorImages(images);
        grid.setTitleMarkers(images);
        QVERIFY(grid.Indicators() == images && grid.Markers() == images);
        delete images;
        QVERIFY(!grid.IndicatorImages());
        // The built-in images.
        QCOMPARE(std::pair(grid.Indicators()->Count(), grid.Markers()->Count()), std::pair(5, 2));

        grid.setMasterGrid(new TKorDBGrid);
        delete grid.MasterGrid();
        QVERIFY(!grid.MasterGrid());

        // The controls that work with a grid let go of it, and show nothing.
        auto *other = new TKorDBGrid;
        other->setDataSource(&db.Source);
        TKorDBDataEditor editor;
        editor.setDBGrid(other);
        editor.setDataColumn("name");
        TKorDBColumnsDialog dialog;
        dialog.setDBGrid(other);
        QCOMPARE(editor.Text(), u"Ann"_s);
        delete other;
        QVERIFY(!editor.DBGrid() && !dialog.DBGrid());
        QVERIFY(editor.Text().isEmpty() && !dialog.Execute());
    }

    void mouseAndKeyboardMoveTheCurrentRecord()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        grid.resize(500, 200);
        QSignalSpy moved(&grid, &TKorCustomDBGrid::selectionMoved);
        TKorColumn *name = grid.Columns()->ColumnByFieldName("name");
        const QRect cell = grid.CellRect(name, 2);
        QVERIFY(cell.isValid());
        QCOMPARE(grid.ColumnAt(cell.center().x()), name);
        // The title row is no row.
        QCOMPARE(std::pair(grid.RowAt(cell.center().y()), grid.RowAt(1)), std::pair(2, -1));
        QTest::mouseClick(&grid, Qt::LeftButton, {}, cell.center());
        QCOMPARE(grid.SelectedColumn(), name);
        QCOMPARE(std::pair(db.Customers.RecNo(), grid.CellText(name, 2)), std::pair(3, u"Cid"_s));
        QVERIFY(moved.count() >= 2);
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(db.Customers.RecNo(), 1);

        // A grid too low for all rows scrolls to keep the current record on show.
        grid.setScrollBars(Vcl::ssVertical);
        grid.resize(500, grid.TitleHeight() + grid.RowHeight() + 2);
        QCOMPARE(grid.VisibleRowCount(), 1);
        db.Customers.Last();
        QVERIFY(!grid.CellRect(name, 0).isValid());
        // Page Up and Page Down go a page of records (one here); the wheel scrolls the records.
        QTest::keyClick(&grid, Qt::Key_PageUp);
        QCOMPARE(db.Customers.RecNo(), 2);
        QTest::keyClick(&grid, Qt::Key_PageDown);
        QCOMPARE(db.Customers.RecNo(), 3);
        db.Customers.First();
        QWheelEvent down(QPointF(50, 50), grid.mapToGlobal(QPointF(50, 50)), {}, {0, -120},
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&grid, &down);
        QVERIFY(grid.TopRow() > 0);
    }

    void scrollBarsShowAsTheirPropertyAndTheContentAsk_data()
    {
        static const TBarsRow rows[] = {{"columns wider than the grid", Vcl::ssBoth, 1, 1},
                                        {"columns that fit", Vcl::ssBoth, 0, 0},
                                        {"more records than rows", Vcl::ssBoth, 2, 2},
                                        {"both too big", Vcl::ssBoth, 3, 3},
                                        {"vertical only", Vcl::ssVertical, 3, 2},
                                        {"horizontal only", Vcl::ssHorizontal, 3, 1},
                                        {"none", Vcl::ssNone, 3, 0}};
        AddRows(rows);
    }

    void scrollBarsShowAsTheirPropertyAndTheContentAsk()
    {
        QFETCH(TBarsRow, row);
        const bool horizontal = row.shown & 1, vertical = row.shown & 2;
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        for (TKorColumn *column : grid.VisibleColumns())
            column->setWidth(100); // nine columns, some 900 pixels
        grid.setScrollBars(row.bars);
        const int oneRow = grid.TitleHeight() + grid.RowHeight() + 2;
        grid.resize(row.shape & 1 ? 400 : 1200, row.shape & 2 ? oneRow + 30 : 400);
        QVERIFY(exposed(grid));

        QScrollBar *hBar = grid.HorizontalScrollBar(), *vBar = grid.VerticalScrollBar();
        QCOMPARE(std::pair(hBar->isVisible(), vBar->isVisible()), std::pair(horizontal, vertical));
        // A bar lies along its edge, and the cells stay clear of it.
        const QRect area = grid.ScrollingArea();
        if (horizontal) {
            QVERIFY(hBar->geometry().bottom() == grid.height() - 2 && area.bottom() < hBar->y());
            // At the bar's end the last column shows whole.
            hBar->setValue(hBar->maximum());
            const QRect last = grid.CellRect(grid.VisibleColumns().last(), grid.TopRow());
            QVERIFY(last.isValid() && last.right() <= area.right());
            QVERIFY(grid.CellRect(grid.VisibleColumns().first(), grid.TopRow()).isEmpty());
        }
        if (vertical) {
            QVERIFY(vBar->geometry().right() == grid.width() - 2 && area.right() < vBar->x());
            const QRect cell = grid.CellRect(grid.VisibleColumns().first(), grid.TopRow());
            QVERIFY(!horizontal || cell.bottom() < hBar->y());
        }
        // Changing the property later takes the bars away and gives the room back.
        grid.setScrollBars(Vcl::ssNone);
        QVERIFY(!hBar->isVisible() && !vBar->isVisible());
        QCOMPARE(grid.ScrollingArea().right(), grid.width() - 2);
    }

    // Columns widened one by one, columns added, the title font grown step by step.
    void aBatchOfChangesLaysTheBarsOutOnce_data()
    {
        QTest::addColumn<std::function<void(TKorDBGrid &)>>("change");
        QTest::addRow("widened") << std::function([](TKorDBGrid &Grid) {
            for (TKorColumn *column : Grid.VisibleColumns())
                column->setWidth(100);
        });
        QTest::addRow("added") << std::function([](TKorDBGrid &Grid) {
            for (int i = 0; i < 6; ++i)
                Grid.Columns()->Add()->setWidth(120);
        });
        QTest::addRow("title font") << std::function([](TKorDBGrid &Grid) {
            for (int size = 9; size <= 24; ++size)
                Grid.TitleFont()->setSize(size);
        });
    }
    void aBatchOfChangesLaysTheBarsOutOnce()
    {
        QFETCH(std::function<void(TKorDBGrid &)>, change);
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        grid.resize(400, 200);
        QVERIFY(exposed(grid));
        QSignalSpy ranges(grid.HorizontalScrollBar(), &QScrollBar::rangeChanged);
        change(grid);
        // Read right after the changes, the bar already fits the columns as they are now.
        int columns = 0;
        for (TKorColumn *column : grid.VisibleColumns())
            columns += column->Width() + grid.GridLineWidth();
        QVERIFY(grid.HorizontalScrollBar()->isVisible());
        QCOMPARE(grid.HorizontalScrollBar()->maximum(), columns - grid.ScrollingArea().width());
        QCOMPARE(ranges.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(ranges.count(), 1);
    }

    // From the second record's fifth column, each key moves the record or the column a person
    // expects; the pages are longer than the three records.
    void keysMoveTheRecordOrTheColumn()
    {
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, int, int> keys[] = {
            {Qt::Key_Up, {}, 1, 4},
            {Qt::Key_Down, {}, 3, 4},
            {Qt::Key_PageUp, {}, 1, 4},
            {Qt::Key_PageDown, {}, 3, 4},
            {Qt::Key_Home, Qt::ControlModifier, 1, 4},
            {Qt::Key_End, Qt::ControlModifier, 3, 4},
            {Qt::Key_Home, {}, 2, 0},
            {Qt::Key_End, {}, 2, 8},
            {Qt::Key_Left, {}, 2, 3},
            {Qt::Key_Right, {}, 2, 5}};
        GridOnCustomers db;
        QVERIFY(showWideGrid(db, 0));
        for (const auto &[key, modifiers, record, column] : keys) {
            db.Customers.setRecNo(2);
            db.Grid.setSelectedIndex(4);
            QTest::keyClick(&db.Grid, key, modifiers);
            QCOMPARE(std::tuple(key, db.Customers.RecNo(), db.Grid.SelectedIndex()),
                     std::tuple(key, record, column));
        }
    }

    void movesBringTheCurrentCellIntoView_data()
    {
        QTest::addColumn<int>("fixedCols");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("column");
        // Some three and a half columns of 100 pixels fit the grid.
        const QList<int> endHome{Qt::Key_End, Qt::Key_Home};
        QTest::addRow("End") << 0 << QList<int>{Qt::Key_End} << 8;
        QTest::addRow("arrows") << 0 << QList<int>(5, Qt::Key_Right) << 5;
        QTest::addRow("arrows within the grid") << 0 << QList<int>(2, Qt::Key_Right) << 2;
        QTest::addRow("Tab") << 0 << QList<int>(6, Qt::Key_Tab) << 6;
        QTest::addRow("End, then back with Home") << 0 << endHome << 0;
        QTest::addRow("End beside a fixed column") << 1 << QList<int>{Qt::Key_End} << 8;
        QTest::addRow("Tab past the last column") << 2 << QList<int>(9, Qt::Key_Tab) << 0;
        QTest::addRow("Shift+Tab back past the first column")
            << 0 << (QList<int>(9, Qt::Key_Tab) << Qt::Key_Backtab) << 8;
        QTest::addRow("Home beside fixed columns") << 2 << endHome << 0;
    }

    void movesBringTheCurrentCellIntoView()
    {
        QFETCH(int, fixedCols);
        QFETCH(QList<int>, keys);
        QFETCH(int, column);
        const bool scrolled = column > 3; // only the first columns fit without scrolling
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        QVERIFY(showWideGrid(db, fixedCols));
        const QList<TKorColumn *> columns = grid.VisibleColumns();

        for (int key : keys)
            QTest::keyClick(&grid, Qt::Key(key));
        QCOMPARE(grid.SelectedIndex(), column);
        const int row = db.Customers.RecNo() - 1;
        const QRect cell = grid.CellRect(columns[column], row);
        QVERIFY(cell.isValid() && grid.rect().contains(cell));
        if (column >= fixedCols)
            QVERIFY(grid.ScrollingArea().contains(cell));
        QCOMPARE(grid.ColumnAt(cell.center().x()), columns[column]);
        QCOMPARE(grid.RowAt(cell.center().y()), row);

        // The indicator and the fixed columns stay where they were; the first scrolling column
        // starts right of them only while nothing is scrolled.
        const int left = 1 + grid.IndicatorColumnWidth();
        QCOMPARE(grid.ScrollingArea().left(), left + 101 * fixedCols);
        for (int i = 0; i < fixedCols; ++i)
            QCOMPARE(grid.CellRect(columns[i], row).left(), left + 101 * i);
        const QImage picture = grid.grab().toImage();
        bool marker = false; // the current record's marker is on show
        for (int x = 1; x < left; ++x)
            marker = marker || QColor(picture.pixel(x, cell.center().y())).lightness() < 60;
        QVERIFY(marker);
        QCOMPARE(grid.HorizontalOffset() > 0, scrolled);
    }

    void scrolledColumnsAreHitWhereTheyShow_data()
    {
        QTest::addColumn<int>("fixedCols");
        QTest::addRow("no fixed columns") << 0;
        QTest::addRow("one fixed column") << 1;
    }

    void scrolledColumnsAreHitWhereTheyShow()
    {
        QFETCH(int, fixedCols);
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        QVERIFY(showWideGrid(db, fixedCols));
        const QList<TKorColumn *> columns = grid.VisibleColumns();

        // The user drags the bar 150 pixels: the first scrolling column (101 pixels with its
        // line) is out of sight, the second shows its right half.
        grid.HorizontalScrollBar()->setValue(150);
        QCOMPARE(grid.HorizontalOffset(), 150);
        const int split = grid.ScrollingArea().left();
        const int y = grid.CellRect(columns[fixedCols + 1], 0).center().y();
        QCOMPARE(grid.ColumnAt(split + 10), columns[fixedCols + 1]);
        QCOMPARE(grid.ColumnAt(split + 60), columns[fixedCols + 2]);
        QVERIFY(!grid.CellRect(columns[fixedCols], 0).isValid());
        if (fixedCols > 0)
            QCOMPARE(grid.ColumnAt(split - 10), columns[0]);
        QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(split + 60, y));
        QCOMPARE(grid.SelectedColumn(), columns[fixedCols + 2]);
        // A click on a column cut by the edge brings it in whole.
        QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(split + 10, y));
        QCOMPARE(grid.SelectedColumn(), columns[fixedCols + 1]);
        QVERIFY(grid.ScrollingArea().contains(grid.CellRect(columns[fixedCols + 1], 0)));

        // Shift and the wheel scroll sideways; the wheel alone scrolls the records.
        grid.setHorizontalOffset(0);
        QWheelEvent down(QPointF(50, y), grid.mapToGlobal(QPointF(50, y)), {}, {0, -120},
                         Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&grid, &down);
        QVERIFY(grid.HorizontalOffset() > 0);
        QCOMPARE(grid.HorizontalScrollBar()->value(), grid.HorizontalOffset());
    }

    void verticalBarFollowsTheCurrentRecord()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        grid.resize(400, grid.TitleHeight() + grid.RowHeight() + 2 + 30);
        QVERIFY(exposed(grid));
        QScrollBar *bar = grid.VerticalScrollBar();
        QVERIFY(bar->isVisible());
        // Three records.
        QCOMPARE(std::tuple(bar->minimum(), bar->maximum(), bar->value()), std::tuple(0, 2, 0));
        db.Customers.Last();
        QCOMPARE(bar->value(), bar->maximum());
        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(bar->value(), 1);

        // Moving the bar moves the current record, and the grid follows it.
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(std::pair(db.Customers.RecNo(), grid.TopRow()), std::pair(1, 0));
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(db.Customers.RecNo(), 1 + bar->pageStep());
        QVERIFY(grid.CellRect(grid.VisibleColumns().first(), db.Customers.RecNo() - 1).isValid());

        // Without records there is nothing to scroll.
        db.Customers.Close();
        QVERIFY(!bar->isVisible());
    }

    void editorsShowAndWriteTheCurrentRecord()
    {
        RuntimeFixture db;
        TKorDBEditor editor;
        editor.setDataSource(&db.Source);
        editor.setDataField("name");
        QCOMPARE(editor.Text(), u"Ann"_s);
        db.Customers.Next();
        QCOMPARE(editor.Text(), u"Bob"_s);
        editor.setCharCase(Vcl::ecUpperCase);
        QCOMPARE(editor.Text(), u"BOB"_s);
        editor.setCharCase(Vcl::ecNormal);

        editor.EditControl()->setText("Robert");
        editor.UpdateRecord();
        QCOMPARE(db.Customers.FieldByName("name")->AsString(), u"Robert"_s);

        // Pick lists: the chosen entry goes to the field (as its index when asked to).
        editor.setDataField("rating");
        editor.PickList()->SetLines({"one", "two", "three"});
        QVERIFY(editor.HasButton());
        editor.setPickOptions(Kor::poStoreItemIndex);
        editor.SelectPickItem(2);
        QCOMPARE(db.Customers.FieldByName("rating")->AsInteger(), 2);
        QVERIFY_THROWS_EXCEPTION(EListError, editor.SelectPickItem(7));
        editor.setButtonStyle(Kor::cbsNone);
        QVERIFY(!editor.HasButton());

        editor.setLabelVisible(true);
        QCOMPARE(editor.EditLabel()->text(), u"rating"_s);
        // Without a field the editor shows the chosen entry itself.
        editor.setDataSource(nullptr);
        QCOMPARE(editor.Text(), u"three"_s);
        editor.setPickIndex(-1);
        QCOMPARE(editor.Text(), QString());
    }

    void gridLinkedEditorsFollowTheGrid()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        grid.Columns()->ColumnByFieldName("name")->Title()->setCaption("Customer");

        TKorDBColumn columnEditor;
        columnEditor.setDBGrid(&grid);
        columnEditor.setDataColumn("name");
        QCOMPARE(columnEditor.EditLabel()->text(), u"Customer"_s);
        QCOMPARE(columnEditor.Text(), u"Ann"_s);
        QCOMPARE(columnEditor.DataSet(), &db.Customers);

        KorDBEditor::TKorDBGridEditor cellEditor;
        cellEditor.setDBGrid(&grid);
        grid.setSelectedIndex(1);
        QCOMPARE(cellEditor.GridColumn(), grid.Columns()->Items(1));
        QCOMPARE(cellEditor.Text(), u"Ann"_s);
        grid.setSelectedIndex(0);
        QCOMPARE(cellEditor.Text(), u"1"_s);
        db.Customers.Last();
        QCOMPARE(cellEditor.Text(), u"3"_s);
        grid.Columns()->Items(0)->setReadOnly(true);
        cellEditor.UpdateDisplay();
        QVERIFY(cellEditor.EditControl()->isReadOnly());
    }

    void navigatorMovesThroughTheRecords()
    {
        RuntimeFixture db;
        TKorDBNavigator navigator;
        QVERIFY(!navigator.Buttons(TKorDBNavigator::nbNext)->isEnabled());
        navigator.setDataSource(&db.Source);
        QVERIFY(!navigator.Buttons(TKorDBNavigator::nbFirst)->isEnabled());
        QVERIFY(navigator.Buttons(TKorDBNavigator::nbNext)->isEnabled());
        navigator.Buttons(TKorDBNavigator::nbLast)->click();
        QCOMPARE(db.Customers.RecNo(), 3);
        QVERIFY(!navigator.Buttons(TKorDBNavigator::nbNext)->isEnabled());
        navigator.BtnClick(TKorDBNavigator::nbPrior);
        QCOMPARE(db.Customers.RecNo(), 2);
        navigator.BtnClick(TKorDBNavigator::nbRefresh);
        QCOMPARE(std::pair(db.Customers.RecNo(), db.Customers.RecordCount()), std::pair(2, 3));

        navigator.Captions()->SetLines({"", "Back"});
        navigator.setShowCaptions(true);
        QCOMPARE(navigator.Buttons(TKorDBNavigator::nbPrior)->text(), u"Back"_s);
        QCOMPARE(navigator.Buttons(TKorDBNavigator::nbFirst)->text(), u"First"_s);
        db.Customers.Close();
        QVERIFY(!navigator.Buttons(TKorDBNavigator::nbRefresh)->isEnabled());
        navigator.BtnClick(TKorDBNavigator::nbNext); // nothing to move: no error
    }

    void columnsDialogAppliesTheChoice()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        TKorDBColumnsDialog dialog;
        QVERIFY(!dialog.Execute()); // no grid
        dialog.setDBGrid(&grid);
        dialog.setMinimumCount(2);

        int shownRows = -1;
        TScriptedDialogs dialogs;
        const THostDialogsScope dialogsScope(dialogs);
        dialogs.OnDialog = [&](QDialog &window) {
            auto *list = window.findChild<QListWidget *>(TKorDBColumnsDialog::ColumnsListName);
            shownRows = list->count();
            list->item(0)->setCheckState(Qt::Unchecked);
            list->item(3)->setCheckState(Qt::Unchecked);
            return int(QDialog::Accepted);
        };
        int applied = 0;
        dialog.ApplyHandler = [&](TKorDBColumnsDialog &) { ++applied; };
        QVERIFY(dialog.Execute());
        QCOMPARE(std::pair(shownRows, applied), std::pair(9, 1));
        QVERIFY(!grid.Columns()->Items(0)->Visible() && !grid.Columns()->Items(3)->Visible());
        QVERIFY(grid.Columns()->Items(1)->Visible());
        QCOMPARE(grid.VisibleColumns().size(), 7);

        // OK is refused while fewer than MinimumCount columns are shown.
        dialogs.OnDialog = [](QDialog &window) {
            auto *list = window.findChild<QListWidget *>(TKorDBColumnsDialog::ColumnsListName);
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setCheckState(i == 1 ? Qt::Checked : Qt::Unchecked);
            return int(QDialog::Accepted);
        };
        QVERIFY(!dialog.Execute() && grid.VisibleColumns().size() == 7);
        QVERIFY_THROWS_EXCEPTION(EConvertError, dialog.ApplyChoice(QList<bool>(9, false)));

        // The Default button shows the first DefaultCount columns; the test run needs no parent.
        dialog.setDefaultCount(3);
        dialog.setDialogParent(nullptr);
        dialogs.OnDialog = [](QDialog &window) {
            window.findChild<QPushButton *>("DefaultButton")->click();
            return int(QDialog::Accepted);
        };
        QVERIFY(dialog.Execute() && grid.VisibleColumns().size() == 3);
    }
    // A column kept in the form whose field the data set no longer has says so: its title in
    // italics, and a hint over the title naming the field.
    void columnWithoutItsFieldIsMarked()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        grid.resize(480, 200);
        TKorColumn *name = grid.Columns()->Add();
        name->setFieldName("name");
        TKorColumn *gone = grid.Columns()->Add();
        gone->setFieldName("nickname");
        TKorColumn *blank = grid.Columns()->Add();
        QVERIFY(exposed(grid));

        QVERIFY(!grid.TitleFontOf(name).italic() && !grid.TitleFontOf(blank).italic());
        QVERIFY(grid.TitleFontOf(gone).italic());
        QCOMPARE(grid.MissingFieldHint(gone), u"Field 'nickname' not found in Customers"_s);
        QCOMPARE(grid.MissingFieldHints(), QStringList{grid.MissingFieldHint(gone)});

        grid.ScrollToColumn(gone); // it comes after the nine columns of the data set
        const QPoint title(grid.CellRect(gone, 0).center().x(), grid.TitleHeight() / 2);
        QHelpEvent help(QEvent::ToolTip, title, grid.mapToGlobal(title));
        QApplication::sendEvent(&grid, &help);
        QCOMPARE(QToolTip::text(), grid.MissingFieldHint(gone));
        QToolTip::hideText();

        // Closed, the data set has no fields to compare with; the column is not marked.
        db.Customers.Close();
        QVERIFY(!grid.TitleFontOf(gone).italic() && grid.MissingFieldHints().isEmpty());
    }
};

QTEST_MAIN(TestRuntimeGrid)
#include "tst_runtime_grid.moc"
