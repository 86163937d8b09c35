#pragma once
// The data-aware grid: TKorCustomDBGrid, the published TKorDBGrid, and the variants for the ADO
// and client data set families (TKorDBGridsADO, TKorDBGridsCDS).
//
// The grid shows the records of its DataSource's data set in its Columns, with an optional title
// row, indicator column and total rows, and follows the data set's current record. It scrolls
// through wide columns and many records with the bars its ScrollBars property allows. Colour
// properties that hold clDefault use the colours the Default... queries answer.

#include <QPointer>
#include <memory>

#include "column.h"
#include "componentlink.h"
#include "controls.h"
#include "db.h"
#include "gridparts.h"
#include "imagelist.h"
#include "korenums.h"
#include "menus.h"

class QScrollBar;

class KORRUNTIME_EXPORT TKorCustomDBGrid : public TKorWinControl {
    Q_OBJECT
    // Data and linkage.
    Q_PROPERTY(TDataSource *DataSource READ DataSource WRITE setDataSource)
    KOR_PUBLISHED(tkClass, "TDataSource", DataSource, "")
    KOR_OBJECT(TKorDBGridColumns, Columns)
    KOR_STORED(Columns, IsColumnsStored)
    // Another grid whose current record this grid's detail rows follow. A grid cannot be its own
    // master, directly or through others (EPropertyError).
    Q_PROPERTY(TKorCustomDBGrid *MasterGrid READ MasterGrid WRITE setMasterGrid)
    KOR_PUBLISHED(tkClass, "TKorCustomDBGrid", MasterGrid, "")
    KOR_STRING(KeyFields)
    KOR_STRING(OrderFields)
    KOR_STRING(DetailFields)
    KOR_BOOLEAN(ReadOnly, false)
    KOR_BOOLEAN(DefaultDrawing, true)
    KOR_BOOLEAN(Filtered, false)
    KOR_STRING(Filter)
    KOR_OBJECT(TKorDBGridFilter, FilterGrid)
    KOR_OBJECT(TKorDBGridTotals, Totals)
    KOR_OBJECT(TKorDBGridSearch, Search)
    KOR_OBJECT(TKorDBGridTreeView, TreeView)
    KOR_OBJECT(TKorDBGridSettings, Settings)
    // Options.
    KOR_SET(Kor::TKorDBGridOptions, Options,
            (Kor::dgEditing | Kor::dgTitles | Kor::dgIndicator | Kor::dgColumnResize |
             Kor::dgColLines | Kor::dgRowLines | Kor::dgTabs | Kor::dgConfirmDelete |
             Kor::dgCancelOnExit))
    KOR_SET(Kor::TKorDBGridOptionsEx, OptionsEx,
            (Kor::dgxTotalFooter | Kor::dgxAutoUpdateTotals | Kor::dgxAutoUpdateOrder))
    KOR_SET(Kor::TKorDBGridOptionsExt, OptionsExt, (Kor::dgtMouseScrolling))
    KOR_SET(Kor::TKorDBGridMultiSelectOptions, MultiSelectOptions, (Kor::msoRows))
    KOR_SET(Kor::TKorDBGridResizeOptions, ResizeOptions, (Kor::roColumnResizing))
    KOR_SET(Kor::TKorDBGridHintOptions, HintOptions,
            (Kor::hoTitleHints | Kor::hoEditorHints | Kor::hoDataHints))
    KOR_SET(Kor::TKorToolMenuItems, ToolMenuItems,
            (Kor::tmiRefresh | Kor::tmiColumns | Kor::tmiSettings))
    KOR_SET(Kor::TKorToolMenuSubItems, ToolMenuSubItems,
            (Kor::tmsColumnsShow | Kor::tmsColumnsDefaultWidth | Kor::tmsColumnsOptimalWidth))
    KOR_SET(Kor::TKorToolMenuSubItemsEx, ToolMenuSubItemsEx,
            (Kor::tmxLoadLayout | Kor::tmxSaveLayout))
    KOR_BOOLEAN(PopupToolMenu, false)
    KOR_BOOLEAN(FillerToolMenu, false)
    // Drawing.
    KOR_ENUM(Kor::TKorGridDrawingStyle, DrawingStyle, Kor::gdsClassic)
    KOR_SET(Kor::TKorDBGridDrawingOptions, DrawingOptions,
            (Kor::doHighlightText | Kor::doSelectCellColor | Kor::doSelectRowColor |
             Kor::doSelectionColor))
    KOR_ENUM(Vcl::TBorderStyle, BorderStyle, Vcl::bsSingle)
    KOR_BOOLEAN(Ctl3DAuto, true)
    KOR_ENUM(Kor::TKorFixedStyle, FixedStyle, Kor::fstRaised)
    KOR_ENUM(Kor::TKorFixedTheme, FixedTheme, Kor::fxtDefault)
    KOR_ENUM(Kor::TKorFocusRect, FocusRect, Kor::frDefault)
    KOR_ENUM(Kor::TKorHotButtons, HotButtons, Kor::hbTitles)
    KOR_ENUM(Kor::TKorListBorder, ListBorder, Kor::lbSingle)
    KOR_ENUM(Kor::TKorMarkerStyle, MarkerStyle, Kor::mksTriangles)
    KOR_ENUM(Kor::TKorMarkerTransparent, MarkerTransparent, Kor::mktAuto)
    KOR_OBJECT(TKorDBGridGradient, Gradient)
    KOR_OBJECT(TKorDBGridStyle, GridStyle)
    KOR_OBJECT(TKorDBGridScrollProp, ScrollProp)
    KOR_ENUM(Vcl::TScrollStyle, ScrollBars, Vcl::ssBoth)
    KOR_INTEGER(GridLineWidth, 1)
    // Colours; clDefault stands for the matching Default... colour.
    KOR_COLOR(FixedColor, clBtnFace)
    KOR_COLOR(FillerColor, clDefault)
    KOR_COLOR(HeaderColor, clDefault)
    KOR_COLOR(DataColLineColor, clDefault)
    KOR_COLOR(DataRowLineColor, clDefault)
    KOR_COLOR(EditorColor, clDefault)
    KOR_COLOR(HighlightText, clDefault)
    KOR_COLOR(SelectCellColor, clDefault)
    KOR_COLOR(SelectionColor, clDefault)
    KOR_COLOR(SelectRowColor, clDefault)
    KOR_COLOR(StripeColor, clDefault)
    KOR_OBJECT(TFont, HeaderFont)
    KOR_OBJECT(TFont, TitleFont)
    // Images.
    KOR_LINK(TCustomImageList, TitleImages)
    KOR_LINK(TCustomImageList, TitleMarkers)
    KOR_LINK(TCustomImageList, IndicatorImages)
    // Fixed parts.
    KOR_INTEGER(FixedCols, 0)
    KOR_INTEGER(IndicatorWidth, 11)
    KOR_STRING(IndicatorHint)
    KOR_LINK(TPopupMenu, IndicatorPopupMenu)
    KOR_BOOLEAN(FillerButton, false)
    KOR_STRING(FillerHint)
    // Image of the filler: 0 and above index TitleImages, -2 and below the indicator images
    // (-2 is indicator 0), -1 none.
    KOR_INTEGER(FillerIndex, -1)
    KOR_LINK(TPopupMenu, FillerPopupMenu)
    // Sizes.
    KOR_INTEGER(DefaultWidthMin, -1)
    KOR_INTEGER(DefaultWidthMax, -1)
    KOR_INTEGER(HeaderLinesCount, 1)
    KOR_INTEGER(TitleLinesCount, 1)
    KOR_INTEGER(LinesCount, 1)
    KOR_INTEGER(LinesCountMin, 1)
    KOR_INTEGER(LinesCountMax, -1)
    KOR_BOOLEAN(StretchMode, false)
    KOR_INTEGER(StretchWidthMin, -1)
    KOR_INTEGER(StretchWidthMax, -1)
    KOR_BOOLEAN(DragRows, false)
    KOR_INTEGER(WheelScrollRows, -1)
    // Events.
    KOR_EVENT(TKorCalcBoldDaysEvent, OnCalcBoldDays)
    KOR_EVENT(TKorCalcImageIndexEvent, OnCalcImageIndex)
    KOR_EVENT(TKorCellClickEvent, OnCellDblClick)
    KOR_EVENT(TKorCellExpandEvent, OnCellExpand)
    KOR_EVENT(TKorCellHintEvent, OnCellHint)
    KOR_EVENT(TKorColExpandEvent, OnColExpand)
    KOR_EVENT(TKorColGetTextEvent, OnColGetText)
    KOR_EVENT(TKorColSetTextEvent, OnColSetText)
    KOR_EVENT(TKorColumnNotifyEvent, OnColTextChanged)
    KOR_EVENT(TKorColumnMovingEvent, OnColumnMoving)
    KOR_EVENT(TKorColumnNotifyEvent, OnColumnResize)
    KOR_EVENT(TKorColumnNotifyEvent, OnColumnScroll)
    KOR_EVENT(TKorExpandClickEvent, OnExpandClick)
    KOR_EVENT(TNotifyEvent, OnFillerClick)
    KOR_EVENT(TNotifyEvent, OnFilterChanged)
    KOR_EVENT(TFilterRecordEvent, OnFilterRecord)
    KOR_EVENT(TNotifyEvent, OnFilterUpdated)
    KOR_EVENT(TKorHeaderClickEvent, OnHeaderClick)
    KOR_EVENT(TNotifyEvent, OnIndicatorClick)
    KOR_EVENT(TNotifyEvent, OnLayout)
    KOR_EVENT(TKorListCloseUpEvent, OnListCloseUp)
    KOR_EVENT(TKorListDropDownEvent, OnListDropDown)
    KOR_EVENT(TKorColumnNotifyEvent, OnListItemsUpdated)
    KOR_EVENT(TNotifyEvent, OnOrderChanged)
    KOR_EVENT(TNotifyEvent, OnOrderUpdated)
    KOR_EVENT(TKorPaintColumnCellEvent, OnPaintColumnCell)
    KOR_EVENT(TKorRowExpandEvent, OnRowExpand)
    KOR_EVENT(TKorRowExpandingEvent, OnRowExpanding)
    KOR_EVENT(TNotifyEvent, OnRowResize)
    KOR_EVENT(TKorRowSelectEvent, OnRowSelect)
    KOR_EVENT(TNotifyEvent, OnSelectedColsChanged)
    KOR_EVENT(TNotifyEvent, OnSelectedRowsChanged)
    KOR_EVENT(TNotifyEvent, OnSelectionChanged)
    KOR_EVENT(TNotifyEvent, OnSequenceUpdated)
    KOR_EVENT(TKorColumnNotifyEvent, OnTitleClick)
    KOR_EVENT(TKorTotalCalcQueryEvent, OnTotalCalcQuery)
    KOR_EVENT(TKorTotalCalcValueEvent, OnTotalCalcValue)
    KOR_EVENT(TKorTotalClickEvent, OnTotalClick)
    KOR_EVENT(TKorTotalGetTextEvent, OnTotalGetText)
    KOR_EVENT(TNotifyEvent, OnTotalsUpdated)

public:
    explicit TKorCustomDBGrid(QObject *AOwner = nullptr);
    ~TKorCustomDBGrid() override;

    TDataSource *DataSource() const { return m_dataSource.data(); }
    void setDataSource(TDataSource *Value);
    // The data set of DataSource, or nullptr.
    TDataSet *DataSet() const;
    // The columns are stored only when they are the developer's own, not made from the fields.
    Q_INVOKABLE bool IsColumnsStored() const;
    TKorCustomDBGrid *MasterGrid() const { return m_masterGrid.data(); }
    void setMasterGrid(TKorCustomDBGrid *Value);

    // The refresh to call after changing the grid or a column from outside (a designer, before
    // it reports the modification): recalculates the totals, re-lays out and repaints.
    void Refresh();
    // Works the totals of every column out again from the data.
    void UpdateTotals();
    // Called by the columns collection when columns are added, removed, moved or changed.
    void ColumnsChanged();

    // The image lists in use: IndicatorImages or the built-in indicator images; TitleMarkers or
    // the built-in sort markers.
    TCustomImageList *Indicators() const;
    TCustomImageList *Markers() const;
    // Themed drawing is in use (DrawingStyle is gdsThemed).
    bool ThemesEnabled() const;

    // Colours used while the matching property holds clDefault.
    TColor DefaultStripeColor() const;
    TColor DefaultSelectRowColor() const;
    TColor DefaultSelectionColor() const;
    TColor DefaultSelectCellColor() const;
    TColor DefaultHighlightText() const;
    TColor DefaultEditorColor() const;
    TColor DefaultDataLineColor() const;
    // The colours in use: the property, or its default.
    TColor UsedColor() const;
    TColor UsedFixedColor() const;
    TColor UsedStripeColor() const;
    TColor UsedSelectRowColor() const;
    TColor UsedSelectionColor() const;
    TColor UsedSelectCellColor() const;
    TColor UsedHighlightText() const;
    TColor UsedEditorColor() const;
    TColor UsedDataColLineColor() const;
    TColor UsedDataRowLineColor() const;

    // Layout, in widget coordinates. Rows are data rows (0-based record rows).
    int TopRow() const;
    void setTopRow(int Value);
    int RowHeight() const;
    int TitleHeight() const;
    int IndicatorColumnWidth() const;
    int VisibleRowCount() const;
    // The columns shown, in order (visible and not inside a collapsed group).
    QList<TKorColumn *> VisibleColumns() const;
    // The data cell of a visible column and a record row; empty when not on show.
    QRect CellRect(const TKorColumn *Column, int Row) const;
    // The record row and the column at a point; -1 / nullptr when none.
    int RowAt(int Y) const;
    TKorColumn *ColumnAt(int X) const;
    // Scrolling. The bars show as ScrollBars allows and the content needs: the horizontal one while
    // the columns are wider than the grid, the vertical one while there are more records than
    // rows on show. The vertical bar stands for the current record among the records read so far
    // (it grows as reading goes on); moving it moves the current record. The horizontal bar
    // shifts the columns right of the indicator and the FixedCols first columns, in pixels.
    // Changes of properties and columns lay the bars out once, on the next turn of the event
    // loop; whatever asks for the layout before then (these accessors, the geometry queries, the
    // widget's own events) has it laid out first.
    QScrollBar *HorizontalScrollBar() const;
    QScrollBar *VerticalScrollBar() const;
    int HorizontalOffset() const;
    void setHorizontalOffset(int Value);
    // Where the scrolling columns show: right of the fixed part, inside the frame and the bars.
    QRect ScrollingArea() const;
    // Scrolls the columns so that a scrolling column shows whole (from its left edge when it is
    // wider than the area); fixed columns always show.
    void ScrollToColumn(const TKorColumn *Column);
    // The column that has the focus cell.
    int SelectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(int Value);
    TKorColumn *SelectedColumn() const;
    // The text a data cell shows.
    QString CellText(const TKorColumn *Column, int Row) const;
    // A column whose FieldName names no field of the grid's open data set (a field dropped from
    // the table, a name mistyped in the form): its title is drawn in italics, with a hint that
    // names the missing field. MissingFieldHint answers that hint, empty for any other column;
    // MissingFieldHints those of every column.
    bool IsFieldMissing(const TKorColumn *Column) const;
    QString MissingFieldHint(const TKorColumn *Column) const;
    QStringList MissingFieldHints() const;
    // The font a column's title is drawn in.
    QFont TitleFontOf(const TKorColumn *Column) const;

    void Changed() override;
    void DropLinks(TComponent *Gone) override;

signals:
    // The focus cell moved to another column or record.
    void selectionMoved();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    using TColumnSpans = QList<QPair<TKorColumn *, QRect>>;
    void dataChanged();
    void recordChanged();
    void ensureCurrentVisible();
    void ensureTotals();
    int totalRowHeight() const;
    int footerRowCount() const;
    bool showsTotalHeader() const;
    // Each paint function draws the given spans; withIndicator adds the indicator column's cell.
    void paintTitles(QPainter &painter, const TColumnSpans &spans, bool withIndicator);
    void paintRows(QPainter &painter, const TColumnSpans &spans, bool withIndicator);
    void paintTotals(QPainter &painter, const TColumnSpans &spans, bool withIndicator);
    void paintTotalRow(QPainter &painter, const TColumnSpans &spans, bool withIndicator, int top,
                       const std::function<TKorColumnTotal *(TKorColumn *)> &totalOf);
    void paintFixedCell(QPainter &painter, const QRect &rect, TColor color);
    // Where the columns lie, the scrolling ones shifted by the horizontal offset; the first
    // fixedCount(columns.size()) are the fixed ones.
    TColumnSpans columnSpans(const QList<TKorColumn *> &columns) const;
    int fixedCount(qsizetype columnCount) const;
    int columnStep(const TKorColumn *column) const;
    // The right edge of the indicator and fixed columns, and the edges of the part the bars
    // leave (exclusive).
    int fixedRight(const QList<TKorColumn *> &columns) const;
    int clientRight() const;
    int clientBottom() const;
    int maxHorizontalOffset() const;
    // Shows, hides and places the bars and sets their ranges; keeps the offset in range.
    void updateScrollBars();
    // Marks the bars (and, with CurrentRow, the current record's place on show) out of date and
    // asks the event loop for one layout; many changes in a row cost one layout.
    void scheduleLayout(bool CurrentRow);
    // Does the layout that scheduleLayout left, if any, before anything reads it.
    void ensureLayout() const;
    void horizontalBarMoved(int value);
    void verticalBarMoved(int value);
    // After a key: the current cell comes into view.
    void bringCurrentCellIntoView();

    QPointer<TDataSource> m_dataSource;
    QList<QMetaObject::Connection> m_dataConnections;
    TWidgetLink<TKorCustomDBGrid> m_masterGrid;
    std::unique_ptr<TImageList> m_defaultIndicators;
    std::unique_ptr<TImageList> m_defaultMarkers;
    int m_topRow = 0;
    int m_selectedIndex = 0;
    bool m_totalsDirty = true;
    // Child widgets, owned by the grid as their parent.
    QScrollBar *m_hBar = nullptr;
    QScrollBar *m_vBar = nullptr;
    int m_leftOffset = 0;
    bool m_updatingBars = false;
    bool m_barsDirty = false;
    bool m_rowDirty = false;
    bool m_layoutPosted = false;
    bool m_layingOut = false;
    // The ScrollBars value of the last layout: a change of it lays the bars out at once.
    Vcl::TScrollStyle m_barsStyle = Vcl::ssNone;
};

// Which colour clDefault stands for in the colour property Name of Object, as the grid paints
// it: Object is a grid, one of its option objects (Totals, Search, ScrollProp, Gradient), a
// column or a column's title or total. A gradient of another control answers with its own
// colours, another control's Color with the window colour. clDefault for any other property.
KORRUNTIME_EXPORT TColor DefaultColorOf(const QObject *Object, const QString &Name);

class KORRUNTIME_EXPORT TKorDBGrid : public TKorCustomDBGrid {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGrid(QObject *AOwner = nullptr);
};

// The grid for data sets of the ADO family; it behaves as TKorDBGrid.
class KORRUNTIME_EXPORT TKorDBGridsADO : public TKorDBGrid {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridsADO(QObject *AOwner = nullptr);
};

// The grid for client data sets; it behaves as TKorDBGrid.
class KORRUNTIME_EXPORT TKorDBGridsCDS : public TKorDBGrid {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridsCDS(QObject *AOwner = nullptr);
};
