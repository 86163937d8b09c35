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
#include "grid.h"
#include "hostdialogs.h"
#include "kordbeditor.h"
#include "kordbeditors.h"
#include "navigator.h"
#include "tst_runtime_fixture.h"
#include "typinfo.h"

namespace {

// Shows Grid over the fixture's customers at 400 x 200, every column 100 pixels wide (together
// wider than the grid), the first FixedCols of them fixed.
void showWideGrid(TKorDBGrid &Grid, RuntimeFixture &Db, int FixedCols)
{
    Grid.setDataSource(&Db.Source);
    for (TKorColumn *each : Grid.VisibleColumns())
        each->setWidth(100);
    Grid.setFixedCols(FixedCols);
    Grid.resize(400, 200);
    Grid.show();
}

} // namespace

class TestRuntimeGrid : public QObject {
    Q_OBJECT

private slots:
    void defaultColoursFollowTheirProperties()
    {
        TKorDBGrid grid;
        // Each Default... colour is what the grid uses while the property holds clDefault.
        const struct {
            const char *property;
            TColor (TKorCustomDBGrid::*used)() const;
            TColor (TKorCustomDBGrid::*byDefault)() const;
        } colours[] = {
            {"StripeColor", &TKorCustomDBGrid::UsedStripeColor,
             &TKorCustomDBGrid::DefaultStripeColor},
            {"SelectRowColor", &TKorCustomDBGrid::UsedSelectRowColor,
             &TKorCustomDBGrid::DefaultSelectRowColor},
            {"SelectionColor", &TKorCustomDBGrid::UsedSelectionColor,
             &TKorCustomDBGrid::DefaultSelectionColor},
            {"SelectCellColor", &TKorCustomDBGrid::UsedSelectCellColor,
             &TKorCustomDBGrid::DefaultSelectCellColor},
            {"HighlightText", &TKorCustomDBGrid::UsedHighlightText,
             &TKorCustomDBGrid::DefaultHighlightText},
            {"EditorColor", &TKorCustomDBGrid::UsedEditorColor,
             &TKorCustomDBGrid::DefaultEditorColor},
            {"DataColLineColor", &TKorCustomDBGrid::UsedDataColLineColor,
             &TKorCustomDBGrid::DefaultDataLineColor},
            {"DataRowLineColor", &TKorCustomDBGrid::UsedDataRowLineColor,
             &TKorCustomDBGrid::DefaultDataLineColor},
        };
        for (const auto &colour : colours) {
            QCOMPARE(GetOrdProp(&grid, QLatin1String(colour.property)), clDefault);
            QCOMPARE((grid.*colour.used)(), (grid.*colour.byDefault)());
            QVERIFY2((grid.*colour.byDefault)() != clDefault, colour.property);
            SetOrdProp(&grid, QLatin1String(colour.property), clFuchsia);
            QCOMPARE((grid.*colour.used)(), clFuchsia);
            SetOrdProp(&grid, QLatin1String(colour.property), clDefault);
        }

        // The defaults are worked out from the grid's own colours and style.
        const TColor stripe = grid.DefaultStripeColor();
        const TColor editor = grid.DefaultEditorColor();
        grid.setColor(clNavy);
        QVERIFY(grid.DefaultStripeColor() != stripe);
        QCOMPARE(grid.DefaultEditorColor(), clNavy);
        QVERIFY(grid.DefaultEditorColor() != editor);
        const TColor classicLine = grid.DefaultDataLineColor();
        grid.setDrawingStyle(Kor::gdsGradient);
        QVERIFY(grid.DefaultDataLineColor() != classicLine);
        QVERIFY(!grid.ThemesEnabled());
        grid.setDrawingStyle(Kor::gdsThemed);
        QVERIFY(grid.ThemesEnabled());

        // Totals, search panel and gradient follow the grid the same way.
        const TColor selected = grid.Totals()->DefaultSelectedColor();
        grid.Totals()->setColor(clLime);
        QVERIFY(grid.Totals()->DefaultSelectedColor() != selected);
        QCOMPARE(grid.Totals()->UsedColor(), clLime);
        grid.Totals()->setColor(clDefault);
        QCOMPARE(grid.Totals()->UsedColor(), grid.FixedColor());
        QCOMPARE(grid.Search()->DefaultPanelColor(), grid.FixedColor());
        grid.setFixedColor(clTeal);
        QCOMPARE(grid.Search()->DefaultPanelColor(), clTeal);
        QVERIFY(grid.Search()->DefaultColor() != clDefault);
        const TColor hot = grid.Gradient()->DefaultHotColor();
        grid.Gradient()->setEndColor(clBlack);
        QVERIFY(grid.Gradient()->DefaultHotColor() != hot);
    }

    void gradientPaintsBetweenItsColours()
    {
        TKorDBGrid grid;
        TKorDBGridGradient *gradient = grid.Gradient();
        QCOMPARE(gradient->Control(), &grid);
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
        QVERIFY(!grid.DataSource());
        QVERIFY(!GetObjectProp(&grid, "DataSource"));
        QCOMPARE(grid.Columns()->Count(), 0); // default columns went with the data
        grid.grab();

        auto *images = new TImageList;
        images->Add(QImage());
        grid.setIndicatorImages(images);
        grid.setTitleMarkers(images);
        QCOMPARE(grid.Indicators(), images);
        QCOMPARE(grid.Markers(), images);
        delete images;
        QVERIFY(!grid.IndicatorImages());
        QCOMPARE(grid.Indicators()->Count(), 5); // the built-in images
        QCOMPARE(grid.Markers()->Count(), 2);

        auto *master = new TKorDBGrid;
        grid.setMasterGrid(master);
        delete master;
        QVERIFY(!grid.MasterGrid());
    }

    void paintsInEveryStyle()
    {
        RuntimeFixture db;
        TKorDBGrid grid;
        grid.resize(500, 200);
        grid.setDataSource(&db.Source);
        grid.Totals()->setActive(true);
        grid.setOptionsEx(Kor::dgxTotalHeader | Kor::dgxTotalValues | Kor::dgxTotalFields |
                          Kor::dgxTotalFooter);
        grid.setOptions(grid.Options() | Kor::dgHeaders);
        TImageList images;
        images.Add(QImage());
        grid.setTitleImages(&images);
        TKorColumn *balance = grid.Columns()->ColumnByFieldName("balance");
        balance->Title()->setImageIndex(0);
        balance->Title()->setMarkerIndex(1);
        balance->TotalValues()->Add()->setTotalResult(Kor::trCalcValue);
        grid.Columns()->ColumnByFieldName("active")->setCheckBox(true);
        grid.setDrawingOptions(grid.DrawingOptions() | Kor::doStripeColor);
        for (Kor::TKorGridDrawingStyle style :
             {Kor::gdsClassic, Kor::gdsThemed, Kor::gdsGradient}) {
            grid.setDrawingStyle(style);
            grid.Gradient()->setActive(style == Kor::gdsGradient);
            const QImage image = grid.grab().toImage();
            QCOMPARE(image.size(), QSize(500, 200));
        }
        QVERIFY(balance->TotalValues()->Items(0)->Value().isValid()); // painting worked them out
        grid.setBorderStyle(Vcl::bsNone);
        grid.setOptions(Kor::TKorDBGridOptions());
        QCOMPARE(grid.TitleHeight(), 0);
        QCOMPARE(grid.IndicatorColumnWidth(), 0);
        grid.grab();
    }

    void mouseAndKeyboardMoveTheCurrentRecord()
    {
        RuntimeFixture db;
        TKorDBGrid grid;
        grid.resize(500, 200);
        grid.setDataSource(&db.Source);
        QSignalSpy moved(&grid, &TKorCustomDBGrid::selectionMoved);
        TKorColumn *name = grid.Columns()->ColumnByFieldName("name");
        const QRect cell = grid.CellRect(name, 2);
        QVERIFY(cell.isValid());
        QCOMPARE(grid.RowAt(cell.center().y()), 2);
        QCOMPARE(grid.ColumnAt(cell.center().x()), name);
        QCOMPARE(grid.RowAt(1), -1); // the title row
        QTest::mouseClick(&grid, Qt::LeftButton, {}, cell.center());
        QCOMPARE(db.Customers.RecNo(), 3);
        QCOMPARE(grid.SelectedColumn(), name);
        QCOMPARE(grid.CellText(name, 2), QStringLiteral("Cid"));
        QVERIFY(moved.count() >= 2);

        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(db.Customers.RecNo(), 2);
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(db.Customers.RecNo(), 1);
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(grid.SelectedIndex(), 2);
        QTest::keyClick(&grid, Qt::Key_End);
        QCOMPARE(grid.SelectedIndex(), 8);

        // A grid too low for all rows scrolls to keep the current record on show.
        grid.setScrollBars(Vcl::ssVertical);
        grid.resize(500, grid.TitleHeight() + grid.RowHeight() + 2);
        QCOMPARE(grid.VisibleRowCount(), 1);
        db.Customers.Last();
        QCOMPARE(grid.TopRow(), 2);
        QVERIFY(!grid.CellRect(name, 0).isValid());
    }

    void scrollBarsShowAsTheirPropertyAndTheContentAsk_data()
    {
        QTest::addColumn<int>("scrollBars");
        QTest::addColumn<bool>("narrow");
        QTest::addColumn<bool>("low");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("vertical");
        QTest::addRow("columns wider than the grid")
            << int(Vcl::ssBoth) << true << false << true << false;
        QTest::addRow("columns that fit") << int(Vcl::ssBoth) << false << false << false << false;
        QTest::addRow("more records than rows")
            << int(Vcl::ssBoth) << false << true << false << true;
        QTest::addRow("both too big") << int(Vcl::ssBoth) << true << true << true << true;
        QTest::addRow("vertical only") << int(Vcl::ssVertical) << true << true << false << true;
        QTest::addRow("horizontal only") << int(Vcl::ssHorizontal) << true << true << true << false;
        QTest::addRow("none") << int(Vcl::ssNone) << true << true << false << false;
    }

    void scrollBarsShowAsTheirPropertyAndTheContentAsk()
    {
        QFETCH(int, scrollBars);
        QFETCH(bool, narrow);
        QFETCH(bool, low);
        QFETCH(bool, horizontal);
        QFETCH(bool, vertical);
        RuntimeFixture db;
        TKorDBGrid grid;
        grid.setDataSource(&db.Source);
        for (TKorColumn *column : grid.VisibleColumns())
            column->setWidth(100); // nine columns, some 900 pixels
        grid.setScrollBars(Vcl::TScrollStyle(scrollBars));
        const int oneRow = grid.TitleHeight() + grid.RowHeight() + 2;
        grid.resize(narrow ? 400 : 1200, low ? oneRow + 30 : 400);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        QScrollBar *hBar = grid.HorizontalScrollBar();
        QScrollBar *vBar = grid.VerticalScrollBar();
        QCOMPARE(hBar->isVisible(), horizontal);
        QCOMPARE(vBar->isVisible(), vertical);
        // A bar lies along its edge, and the cells stay clear of it.
        const QRect area = grid.ScrollingArea();
        if (horizontal) {
            QCOMPARE(hBar->geometry().bottom(), grid.height() - 2);
            QVERIFY(area.bottom() < hBar->y());
            // At the bar's end the last column shows whole.
            hBar->setValue(hBar->maximum());
            const QRect last = grid.CellRect(grid.VisibleColumns().last(), grid.TopRow());
            QVERIFY(last.isValid() && last.right() <= area.right());
            QVERIFY(grid.CellRect(grid.VisibleColumns().first(), grid.TopRow()).isEmpty());
        }
        if (vertical) {
            QCOMPARE(vBar->geometry().right(), grid.width() - 2);
            QVERIFY(area.right() < vBar->x());
            const QRect cell = grid.CellRect(grid.VisibleColumns().first(), grid.TopRow());
            QVERIFY(!horizontal || cell.bottom() < hBar->y());
        }
        // Changing the property later takes the bars away and gives the room back.
        grid.setScrollBars(Vcl::ssNone);
        QVERIFY(!hBar->isVisible() && !vBar->isVisible());
        QCOMPARE(grid.ScrollingArea().right(), grid.width() - 2);
    }

    void aBatchOfChangesLaysTheBarsOutOnce_data()
    {
        QTest::addColumn<int>("change");
        QTest::addRow("columns widened one by one") << 0;
        QTest::addRow("columns added") << 1;
        QTest::addRow("title font grown step by step") << 2;
    }

    void aBatchOfChangesLaysTheBarsOutOnce()
    {
        QFETCH(int, change);
        RuntimeFixture db;
        TKorDBGrid grid;
        grid.setDataSource(&db.Source);
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy ranges(grid.HorizontalScrollBar(), &QScrollBar::rangeChanged);

        switch (change) {
        case 0:
            for (TKorColumn *column : grid.VisibleColumns())
                column->setWidth(100);
            break;
        case 1:
            for (int i = 0; i < 6; ++i)
                grid.Columns()->Add()->setWidth(120);
            break;
        default:
            for (int size = 9; size <= 24; ++size)
                grid.TitleFont()->setSize(size);
            break;
        }
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

    void movesBringTheCurrentCellIntoView_data()
    {
        QTest::addColumn<int>("fixedCols");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("scrolled");
        // Some three and a half columns of 100 pixels fit the grid.
        QTest::addRow("End") << 0 << QList<int>{Qt::Key_End} << 8 << true;
        QTest::addRow("arrows") << 0 << QList<int>(5, Qt::Key_Right) << 5 << true;
        QTest::addRow("arrows within the grid") << 0 << QList<int>(2, Qt::Key_Right) << 2 << false;
        QTest::addRow("Tab") << 0 << QList<int>(6, Qt::Key_Tab) << 6 << true;
        QTest::addRow("End, then back with Home")
            << 0 << QList<int>{Qt::Key_End, Qt::Key_Home} << 0 << false;
        QTest::addRow("End beside a fixed column") << 1 << QList<int>{Qt::Key_End} << 8 << true;
        QTest::addRow("Tab past the last column") << 2 << QList<int>(9, Qt::Key_Tab) << 0 << false;
        QTest::addRow("Home beside fixed columns")
            << 2 << QList<int>{Qt::Key_End, Qt::Key_Home} << 0 << false;
    }

    void movesBringTheCurrentCellIntoView()
    {
        QFETCH(int, fixedCols);
        QFETCH(QList<int>, keys);
        QFETCH(int, column);
        QFETCH(bool, scrolled);
        RuntimeFixture db;
        TKorDBGrid grid;
        showWideGrid(grid, db, fixedCols);
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const QList<TKorColumn *> columns = grid.VisibleColumns();

        for (int key : keys)
            QTest::keyClick(&grid, Qt::Key(key));
        QCOMPARE(grid.SelectedIndex(), column);
        const int row = db.Customers.RecNo() - 1;
        const QRect cell = grid.CellRect(columns[column], row);
        QVERIFY(cell.isValid());
        QVERIFY(grid.rect().contains(cell));
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
        const int indicatorY = cell.center().y();
        bool marker = false;
        for (int x = 1; x < left; ++x)
            marker = marker || QColor(picture.pixel(x, indicatorY)).lightness() < 60;
        QVERIFY2(marker, "the current record's marker is on show");
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
        RuntimeFixture db;
        TKorDBGrid grid;
        showWideGrid(grid, db, fixedCols);
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
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
        RuntimeFixture db;
        TKorDBGrid grid;
        grid.setDataSource(&db.Source);
        grid.resize(400, grid.TitleHeight() + grid.RowHeight() + 2 + 30);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QScrollBar *bar = grid.VerticalScrollBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 2); // three records
        QCOMPARE(bar->value(), 0);
        db.Customers.Last();
        QCOMPARE(bar->value(), bar->maximum());
        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(bar->value(), 1);

        // Moving the bar moves the current record, and the grid follows it.
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(db.Customers.RecNo(), 1);
        QCOMPARE(grid.TopRow(), 0);
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
        db.AddCountryLookup();
        TKorDBEditor editor;
        editor.setDataSource(&db.Source);
        editor.setDataField("name");
        QCOMPARE(editor.Text(), QStringLiteral("Ann"));
        db.Customers.Next();
        QCOMPARE(editor.Text(), QStringLiteral("Bob"));
        editor.setCharCase(Vcl::ecUpperCase);
        QCOMPARE(editor.Text(), QStringLiteral("BOB"));
        editor.setCharCase(Vcl::ecNormal);

        editor.EditControl()->setText("Robert");
        editor.UpdateRecord();
        QCOMPARE(db.Customers.FieldByName("name")->AsString(), QStringLiteral("Robert"));

        // A lookup field is shown but not written.
        editor.setDataField("country");
        QCOMPARE(editor.Text(), QStringLiteral("Ohio"));
        QVERIFY(editor.EditControl()->isReadOnly());

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
        QCOMPARE(editor.EditLabel()->text(), QStringLiteral("rating"));
        // Without a field the editor shows the chosen entry itself.
        editor.setDataSource(nullptr);
        QCOMPARE(editor.Text(), QStringLiteral("three"));
        editor.setPickIndex(-1);
        QCOMPARE(editor.Text(), QString());
    }

    void gridLinkedEditorsFollowTheGrid()
    {
        RuntimeFixture db;
        TKorDBGrid grid;
        grid.setDataSource(&db.Source);
        grid.Columns()->ColumnByFieldName("name")->Title()->setCaption("Customer");

        TKorDBColumn columnEditor;
        columnEditor.setDBGrid(&grid);
        columnEditor.setDataColumn("name");
        QCOMPARE(columnEditor.EditLabel()->text(), QStringLiteral("Customer"));
        QCOMPARE(columnEditor.Text(), QStringLiteral("Ann"));
        QCOMPARE(columnEditor.DataSet(), &db.Customers);

        KorDBEditor::TKorDBGridEditor cellEditor;
        cellEditor.setDBGrid(&grid);
        grid.setSelectedIndex(1);
        QCOMPARE(cellEditor.GridColumn(), grid.Columns()->Items(1));
        QCOMPARE(cellEditor.Text(), QStringLiteral("Ann"));
        grid.setSelectedIndex(0);
        QCOMPARE(cellEditor.Text(), QStringLiteral("1"));
        db.Customers.Last();
        QCOMPARE(cellEditor.Text(), QStringLiteral("3"));
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
        QCOMPARE(db.Customers.RecNo(), 2);
        QCOMPARE(db.Customers.RecordCount(), 3);

        navigator.Captions()->SetLines({"", "Back"});
        navigator.setShowCaptions(true);
        QCOMPARE(navigator.Buttons(TKorDBNavigator::nbPrior)->text(), QStringLiteral("Back"));
        QCOMPARE(navigator.Buttons(TKorDBNavigator::nbFirst)->text(), QStringLiteral("First"));
        db.Customers.Close();
        QVERIFY(!navigator.Buttons(TKorDBNavigator::nbRefresh)->isEnabled());
        navigator.BtnClick(TKorDBNavigator::nbNext); // nothing to move: no error
    }

    void controlPropertiesDriveTheWidget()
    {
        QWidget form;
        TKorDBGrid grid(&form);
        QCOMPARE(grid.parentWidget(), &form);
        SetOrdProp(&grid, "Left", 10);
        SetOrdProp(&grid, "Top", 20);
        SetOrdProp(&grid, "Width", 300);
        SetOrdProp(&grid, "Height", 150);
        QCOMPARE(grid.geometry(), QRect(10, 20, 300, 150));
        QCOMPARE(GetOrdProp(&grid, "Width"), 300);
        grid.Constraints()->setMinWidth(400);
        QCOMPARE(grid.minimumWidth(), 400);
        QCOMPARE(grid.width(), 400);
        grid.Constraints()->setMinWidth(0);

        SetStrProp(&grid, "Hint", "Customers");
        QCOMPARE(grid.toolTip(), QString());
        SetEnumProp(&grid, "ShowHint", "True");
        QCOMPARE(grid.toolTip(), QStringLiteral("Customers"));
        SetEnumProp(&grid, "Enabled", "False");
        QVERIFY(!grid.isEnabled());
        SetEnumProp(&grid, "BiDiMode", "bdRightToLeft");
        QVERIFY(grid.UseRightToLeftAlignment());
        QCOMPARE(grid.layoutDirection(), Qt::RightToLeft);

        // Setting the font itself ends following the parent's.
        QVERIFY(grid.ParentFont());
        grid.Font()->setSize(15);
        QVERIFY(!grid.ParentFont());
        QCOMPARE(grid.font().pixelSize(), 20);

        // At design time a hidden control stays on show.
        form.show();
        grid.SetDesigning(true);
        SetEnumProp(&grid, "Visible", "False");
        QVERIFY(grid.isVisible());
        grid.SetDesigning(false);
        SetEnumProp(&grid, "Visible", "True");
        SetEnumProp(&grid, "Visible", "False");
        QVERIFY(!grid.isVisible());
    }

    void componentsBelongToTheirOwner()
    {
        auto *form = new TKorDBGrid; // any component can own others
        form->setObjectName("Form1");
        auto *source = new TDataSource(form);
        auto *images = new TImageList(form);
        auto *grid = new TKorDBGrid(form);
        source->setObjectName("DataSource1");
        QCOMPARE(form->ComponentCount(), 3);
        QCOMPARE(form->FindComponent("datasource1"), source);
        QCOMPARE(grid->Owner(), form);
        grid->setTitleImages(images);
        grid->setDataSource(source);
        QPointer<TKorDBGrid> watch(grid);
        delete form; // frees everything it owns, links first
        QVERIFY(!watch);
    }

    void linkedControlsSurviveTheirLinksGoing()
    {
        RuntimeFixture db;
        auto *grid = new TKorDBGrid;
        grid->setDataSource(&db.Source);
        TKorDBDataEditor editor;
        editor.setDBGrid(grid);
        editor.setDataColumn("name");
        TKorDBNavigator navigator;
        auto *source = new TDataSource;
        source->setDataSet(&db.Customers);
        navigator.setDataSource(source);
        TKorDBColumnsDialog dialog;
        dialog.setDBGrid(grid);

        QCOMPARE(editor.Text(), QStringLiteral("Ann"));
        delete grid;
        QVERIFY(!editor.DBGrid());
        QVERIFY(!dialog.DBGrid());
        QCOMPARE(editor.Text(), QString());
        QVERIFY(!dialog.Execute());
        delete source;
        QVERIFY(!navigator.DataSource());
        QVERIFY(!navigator.Buttons(TKorDBNavigator::nbLast)->isEnabled());
        db.Customers.Next(); // nobody listens any more
        navigator.grab();
        editor.grab();
    }

    void imageListsHoldImagesOfOneSize()
    {
        TImageList list;
        QCOMPARE(list.Width(), 16);
        QImage big(40, 30, QImage::Format_ARGB32);
        big.fill(Qt::red);
        QCOMPARE(list.Add(big), 0);
        QCOMPARE(list.GetImage(0).size(), QSize(16, 16));
        QVERIFY(list.GetImage(5).isNull());
        QImage canvas(20, 20, QImage::Format_ARGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        list.Draw(painter, 2, 2, 0);
        list.Draw(painter, 2, 2, 9); // nothing for a missing image
        painter.end();
        QCOMPARE(QColor(canvas.pixel(10, 10)), QColor(Qt::red));
        QCOMPARE(QColor(canvas.pixel(19, 19)), QColor(Qt::white));
        SetOrdProp(&list, "Height", 24);
        QCOMPARE(list.Count(), 0); // a new size drops the images
        QVERIFY_THROWS_EXCEPTION(EConvertError, list.setWidth(0));
        QVERIFY_THROWS_EXCEPTION(EListError, list.Delete(0));
    }

    void columnsDialogAppliesTheChoice()
    {
        RuntimeFixture db;
        TKorDBGrid grid;
        grid.setDataSource(&db.Source);
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
        QCOMPARE(shownRows, 9);
        QCOMPARE(applied, 1);
        QVERIFY(!grid.Columns()->Items(0)->Visible());
        QVERIFY(!grid.Columns()->Items(3)->Visible());
        QVERIFY(grid.Columns()->Items(1)->Visible());
        QCOMPARE(grid.VisibleColumns().size(), 7);

        // OK is refused while fewer than MinimumCount columns are shown.
        dialogs.OnDialog = [](QDialog &window) {
            auto *list = window.findChild<QListWidget *>(TKorDBColumnsDialog::ColumnsListName);
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setCheckState(i == 1 ? Qt::Checked : Qt::Unchecked);
            return int(QDialog::Accepted);
        };
        QVERIFY(!dialog.Execute());
        QCOMPARE(grid.VisibleColumns().size(), 7);
        QVERIFY_THROWS_EXCEPTION(EConvertError, dialog.ApplyChoice(QList<bool>(9, false)));

        // The Default button shows the first DefaultCount columns; the test run needs no parent.
        dialog.setDefaultCount(3);
        dialog.setDialogParent(nullptr);
        dialogs.OnDialog = [](QDialog &window) {
            window.findChild<QPushButton *>("DefaultButton")->click();
            return int(QDialog::Accepted);
        };
        QVERIFY(dialog.Execute());
        QCOMPARE(grid.VisibleColumns().size(), 3);
    }
    // A column kept in the form whose field the data set no longer has says so: its title in
    // italics, and a hint over the title naming the field.
    void columnWithoutItsFieldIsMarked()
    {
        RuntimeFixture db;
        TKorDBGrid grid;
        grid.resize(480, 200);
        grid.setDataSource(&db.Source);
        TKorColumn *name = grid.Columns()->Add();
        name->setFieldName("name");
        TKorColumn *gone = grid.Columns()->Add();
        gone->setFieldName("nickname");
        TKorColumn *blank = grid.Columns()->Add();
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        QVERIFY(!grid.TitleFontOf(name).italic());
        QVERIFY(grid.TitleFontOf(gone).italic());
        QVERIFY(!grid.TitleFontOf(blank).italic());
        QCOMPARE(grid.MissingFieldHint(gone), QStringLiteral("Field 'nickname' not found in "
                                                             "Customers"));
        QCOMPARE(grid.MissingFieldHints(), QStringList{grid.MissingFieldHint(gone)});

        grid.ScrollToColumn(gone); // it comes after the nine columns of the data set
        const QPoint title(grid.CellRect(gone, 0).center().x(), grid.TitleHeight() / 2);
        QHelpEvent help(QEvent::ToolTip, title, grid.mapToGlobal(title));
        QApplication::sendEvent(&grid, &help);
        QCOMPARE(QToolTip::text(), grid.MissingFieldHint(gone));
        QToolTip::hideText();

        // Closed, the data set has no fields to compare with; the column is not marked.
        db.Customers.Close();
        QVERIFY(!grid.TitleFontOf(gone).italic());
        QVERIFY(grid.MissingFieldHints().isEmpty());
    }
};

QTEST_MAIN(TestRuntimeGrid)
#include "tst_runtime_grid.moc"
