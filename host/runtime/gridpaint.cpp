// The grid's layout, painting and keyboard and mouse handling.

#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>
#include <climits>

#include "grid.h"
#include "hostmessages.h"
#include "propedit.h"

namespace {

Qt::Alignment horizontalFlags(Vcl::TAlignment alignment)
{
    switch (alignment) {
    case Vcl::taRightJustify:
        return Qt::AlignRight;
    case Vcl::taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

Qt::Alignment verticalFlags(Kor::TKorVerticalAlignment alignment)
{
    switch (alignment) {
    case Kor::vaTop:
        return Qt::AlignTop;
    case Kor::vaBottom:
        return Qt::AlignBottom;
    default:
        return Qt::AlignVCenter;
    }
}

void drawCellText(QPainter &painter, const QRect &rect, const QString &text, Qt::Alignment align,
                  bool wordWrap, bool ellipsis, int margin)
{
    const QRect area = rect.adjusted(margin, 0, -margin, 0);
    if (area.width() <= 0)
        return;
    if (wordWrap) {
        painter.drawText(area, int(align | Qt::TextWordWrap), text);
        return;
    }
    const QString shown =
        ellipsis ? painter.fontMetrics().elidedText(text, Qt::ElideRight, area.width()) : text;
    painter.drawText(area, int(align | Qt::TextSingleLine), shown);
}

QColor qcolor(TColor color)
{
    return ColorToQColor(color == clDefault || color == clNone ? clWindow : color);
}

} // namespace

// ---- Layout -------------------------------------------------------------------------------

int TKorCustomDBGrid::RowHeight() const
{
    const QFontMetrics metrics(Font()->ToQFont());
    return (metrics.height() + 2 * GridStyle()->DataRowSpace()) * qMax(1, LinesCount());
}

int TKorCustomDBGrid::TitleHeight() const
{
    if (!(Options() & Kor::dgTitles))
        return 0;
    int height =
        (QFontMetrics(TitleFont()->ToQFont()).height() + 2 * GridStyle()->TitleRowSpace()) *
        qMax(1, TitleLinesCount());
    if (Options() & Kor::dgHeaders)
        height +=
            (QFontMetrics(HeaderFont()->ToQFont()).height() + 2 * GridStyle()->HeaderRowSpace()) *
            qMax(1, HeaderLinesCount());
    return height;
}

int TKorCustomDBGrid::IndicatorColumnWidth() const
{
    return (Options() & Kor::dgIndicator) ? qMax(11, IndicatorWidth()) : 0;
}

int TKorCustomDBGrid::totalRowHeight() const
{
    return (QFontMetrics(Totals()->Font()->ToQFont()).height() + 2 * GridStyle()->TotalRowSpace()) *
           qMax(1, Totals()->LinesCount());
}

bool TKorCustomDBGrid::showsTotalHeader() const
{
    return Totals()->Active() && (OptionsEx() & Kor::dgxTotalHeader);
}

int TKorCustomDBGrid::footerRowCount() const
{
    if (!Totals()->Active())
        return 0;
    int rows = 0;
    if (OptionsEx() & Kor::dgxTotalValues) {
        int values = 0;
        for (TKorColumn *column : VisibleColumns())
            values = qMax(values, column->TotalValues()->Count());
        rows += values;
    }
    if (OptionsEx() & Kor::dgxTotalFields)
        ++rows;
    if (OptionsEx() & Kor::dgxTotalFooter)
        ++rows;
    return rows;
}

static int frameWidth(const TKorCustomDBGrid &grid)
{
    return grid.BorderStyle() == Vcl::bsSingle ? 1 : 0;
}

static int dataTop(const TKorCustomDBGrid &grid, int totalHeaderHeight)
{
    return frameWidth(grid) + grid.TitleHeight() + totalHeaderHeight;
}

int TKorCustomDBGrid::clientRight() const
{
    ensureLayout();
    return width() - frameWidth(*this) - (m_vBar && !m_vBar->isHidden() ? m_vBar->width() : 0);
}

int TKorCustomDBGrid::clientBottom() const
{
    ensureLayout();
    return height() - frameWidth(*this) - (m_hBar && !m_hBar->isHidden() ? m_hBar->height() : 0);
}

int TKorCustomDBGrid::VisibleRowCount() const
{
    ensureLayout();
    const int top = dataTop(*this, showsTotalHeader() ? totalRowHeight() : 0);
    const int bottom = clientBottom() - footerRowCount() * totalRowHeight();
    const int rowHeight = qMax(1, RowHeight());
    return qMax(0, (bottom - top) / rowHeight);
}

QList<TKorColumn *> TKorCustomDBGrid::VisibleColumns() const
{
    // A column is collapsed when a group around it is collapsed or hidden. Heads come before the
    // columns of their groups, so one pass in order settles every column from its head.
    const std::vector<int> heads = Columns()->GroupHeads();
    std::vector<char> collapsed(heads.size(), 0);
    QList<TKorColumn *> result;
    for (int i = 0; i < int(heads.size()); ++i) {
        TKorColumn *column = Columns()->Items(i);
        if (const int head = heads[std::size_t(i)]; head >= 0) {
            const TKorColumn *group = Columns()->Items(head);
            collapsed[std::size_t(i)] =
                collapsed[std::size_t(head)] || !group->Expanded() || !group->Visible();
        }
        if (column->Visible() && !collapsed[std::size_t(i)])
            result.append(column);
    }
    return result;
}

int TKorCustomDBGrid::fixedCount(qsizetype columnCount) const
{
    return qBound(0, FixedCols(), int(columnCount));
}

int TKorCustomDBGrid::columnStep(const TKorColumn *column) const
{
    return column->Width() + ((Options() & Kor::dgColLines) ? GridLineWidth() : 0);
}

int TKorCustomDBGrid::fixedRight(const QList<TKorColumn *> &columns) const
{
    int x = frameWidth(*this) + IndicatorColumnWidth();
    for (int i = 0; i < fixedCount(columns.size()); ++i)
        x += columnStep(columns[i]);
    return x;
}

TKorCustomDBGrid::TColumnSpans
TKorCustomDBGrid::columnSpans(const QList<TKorColumn *> &columns) const
{
    TColumnSpans spans;
    const int fixed = fixedCount(columns.size());
    int x = frameWidth(*this) + IndicatorColumnWidth();
    for (int i = 0; i < columns.size(); ++i) {
        if (i == fixed)
            x -= m_leftOffset;
        spans.append({columns[i], QRect(x, 0, columns[i]->Width(), height())});
        x += columnStep(columns[i]);
    }
    return spans;
}

QRect TKorCustomDBGrid::ScrollingArea() const
{
    ensureLayout();
    const int left = fixedRight(VisibleColumns());
    const int top = frameWidth(*this);
    return QRect(left, top, qMax(0, clientRight() - left), qMax(0, clientBottom() - top));
}

int TKorCustomDBGrid::maxHorizontalOffset() const
{
    const QList<TKorColumn *> columns = VisibleColumns();
    int width = 0;
    for (int i = fixedCount(columns.size()); i < columns.size(); ++i)
        width += columnStep(columns[i]);
    return qMax(0, width - ScrollingArea().width());
}

void TKorCustomDBGrid::setHorizontalOffset(int Value)
{
    ensureLayout();
    const int offset = qBound(0, Value, maxHorizontalOffset());
    if (offset == m_leftOffset)
        return;
    m_leftOffset = offset;
    if (m_hBar) {
        const QScopedValueRollback guard(m_updatingBars, true);
        m_hBar->setValue(offset);
    }
    update();
}

void TKorCustomDBGrid::ScrollToColumn(const TKorColumn *Column)
{
    ensureLayout();
    const QList<TKorColumn *> columns = VisibleColumns();
    const int index = int(columns.indexOf(Column));
    if (index < fixedCount(columns.size()))
        return; // fixed, or not on show at all
    int left = 0;
    for (int i = fixedCount(columns.size()); i < index; ++i)
        left += columnStep(columns[i]);
    const int right = left + Column->Width();
    const int area = ScrollingArea().width();
    if (left < m_leftOffset)
        setHorizontalOffset(left);
    else if (right > m_leftOffset + area)
        setHorizontalOffset(qMin(left, right - area));
}

void TKorCustomDBGrid::updateScrollBars()
{
    if (!m_hBar || !m_vBar || !m_Columns || m_updatingBars)
        return;
    const QScopedValueRollback guard(m_updatingBars, true);
    m_barsDirty = false;
    m_barsStyle = ScrollBars();
    // The columns' widths are summed once: the fixed part and the part that scrolls.
    const QList<TKorColumn *> columns = VisibleColumns();
    const int fixed = fixedCount(columns.size());
    int fixedWidth = 0;
    int scrollingWidth = 0;
    for (int i = 0; i < columns.size(); ++i)
        (i < fixed ? fixedWidth : scrollingWidth) += columnStep(columns[i]);
    const int frame = frameWidth(*this);
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool horizontal = m_barsStyle == Vcl::ssHorizontal || m_barsStyle == Vcl::ssBoth;
    const bool vertical = m_barsStyle == Vcl::ssVertical || m_barsStyle == Vcl::ssBoth;
    const int fixedEdge = frame + IndicatorColumnWidth() + fixedWidth;
    const int columnsRight = fixedEdge + scrollingWidth;
    const int top = dataTop(*this, showsTotalHeader() ? totalRowHeight() : 0);
    const int footer = footerRowCount() * totalRowHeight();
    const int rowHeight = qMax(1, RowHeight());
    TDataSet *dataSet = DataSet();
    // A bar takes room from the other direction, so showing one can call for the other.
    bool showH = false;
    bool showV = false;
    for (int pass = 0; pass < 2; ++pass) {
        const int right = width() - frame - (showV ? extent : 0);
        const int rows =
            qMax(0, (height() - frame - (showH ? extent : 0) - footer - top) / rowHeight);
        showH = showH || (horizontal && columnsRight > right);
        // Reads no further than one record past a full page.
        showV =
            showV || (vertical && dataSet && (m_topRow > 0 || dataSet->RowsUpTo(rows + 1) > rows));
    }
    m_vBar->setGeometry(width() - frame - extent, frame, extent,
                        qMax(0, height() - 2 * frame - (showH ? extent : 0)));
    m_hBar->setGeometry(frame, height() - frame - extent,
                        qMax(0, width() - 2 * frame - (showV ? extent : 0)), extent);
    m_vBar->setVisible(showV);
    m_hBar->setVisible(showH);

    const int area = qMax(0, clientRight() - fixedEdge);
    const int maxOffset = qMax(0, scrollingWidth - area);
    m_leftOffset = qBound(0, m_leftOffset, maxOffset);
    m_hBar->setRange(0, maxOffset);
    m_hBar->setPageStep(qMax(1, area));
    m_hBar->setSingleStep(qMax(1, QFontMetrics(Font()->ToQFont()).averageCharWidth() * 4));
    m_hBar->setValue(m_leftOffset);

    // The records read so far, and one more while reading can go on, so the bar can move on.
    const int current = dataSet ? qMax(0, dataSet->RecNo() - 1) : 0;
    const int known = dataSet ? dataSet->RowsRead() + (dataSet->AllRowsRead() ? 0 : 1) : 0;
    m_vBar->setRange(0, qMax(current, known - 1));
    m_vBar->setPageStep(qMax(1, VisibleRowCount()));
    m_vBar->setSingleStep(1);
    m_vBar->setValue(current);
    m_vBar->setEnabled(dataSet && dataSet->Active() && known > 0);
}

void TKorCustomDBGrid::horizontalBarMoved(int value)
{
    if (m_updatingBars)
        return;
    ensureLayout();
    setHorizontalOffset(value);
}

void TKorCustomDBGrid::verticalBarMoved(int value)
{
    if (m_updatingBars)
        return;
    ensureLayout();
    // Moving reads rows, and a read that fails is reported, not thrown into Qt.
    try {
        if (TDataSet *dataSet = DataSet(); dataSet && dataSet->Active())
            dataSet->setRecNo(value + 1);
    } catch (...) {
        HandleHostException();
    }
    updateScrollBars(); // the record may not have gone as far as the bar
}

void TKorCustomDBGrid::bringCurrentCellIntoView()
{
    // Into the fixed columns the keys go back to where the scrolling columns begin, as Home
    // does.
    const QList<TKorColumn *> columns = VisibleColumns();
    if (m_selectedIndex < fixedCount(columns.size()))
        setHorizontalOffset(0);
    ScrollToColumn(SelectedColumn());
    ensureCurrentVisible();
    updateScrollBars();
}

QRect TKorCustomDBGrid::CellRect(const TKorColumn *Column, int Row) const
{
    ensureLayout();
    if (Row < m_topRow || Row >= m_topRow + VisibleRowCount())
        return {};
    TDataSet *dataSet = DataSet();
    if (!dataSet || !dataSet->HasRow(Row))
        return {};
    const int top =
        dataTop(*this, showsTotalHeader() ? totalRowHeight() : 0) + (Row - m_topRow) * RowHeight();
    const QList<TKorColumn *> columns = VisibleColumns();
    const TColumnSpans spans = columnSpans(columns);
    const int fixed = fixedCount(columns.size());
    const int left = fixedRight(columns);
    for (int i = 0; i < spans.size(); ++i) {
        if (spans[i].first != Column)
            continue;
        const QRect cell(spans[i].second.left(), top, spans[i].second.width(), RowHeight());
        // A scrolling column shifted wholly out of its area is not on show.
        if (i >= fixed && (cell.right() < left || cell.left() >= clientRight()))
            return {};
        return cell;
    }
    return {};
}

int TKorCustomDBGrid::RowAt(int Y) const
{
    ensureLayout();
    const int top = dataTop(*this, showsTotalHeader() ? totalRowHeight() : 0);
    if (Y < top)
        return -1;
    const int row = m_topRow + (Y - top) / qMax(1, RowHeight());
    TDataSet *dataSet = DataSet();
    if (!dataSet || row >= m_topRow + VisibleRowCount() || !dataSet->HasRow(row))
        return -1;
    return row;
}

TKorColumn *TKorCustomDBGrid::ColumnAt(int X) const
{
    ensureLayout();
    const QList<TKorColumn *> columns = VisibleColumns();
    const TColumnSpans spans = columnSpans(columns);
    const int fixed = fixedCount(columns.size());
    // Scrolling columns answer only inside their area: not under the fixed part or a bar.
    const int left = fixedRight(columns);
    if (X >= clientRight())
        return nullptr;
    for (int i = 0; i < spans.size(); ++i)
        if (X >= spans[i].second.left() && X <= spans[i].second.right() && (i < fixed || X >= left))
            return spans[i].first;
    return nullptr;
}

void TKorCustomDBGrid::setTopRow(int Value)
{
    ensureLayout();
    TDataSet *dataSet = DataSet();
    // The data set reads only as far as the rows the new top row shows.
    const int visible = qMax(1, VisibleRowCount());
    const int wanted = qBound(0, Value, INT_MAX - visible);
    const int rows = dataSet ? dataSet->RowsUpTo(wanted + visible) : 0;
    const int top = qBound(0, wanted, qMax(0, rows - visible));
    if (top == m_topRow)
        return;
    m_topRow = top;
    updateScrollBars();
    update();
}

void TKorCustomDBGrid::ensureCurrentVisible()
{
    m_rowDirty = false;
    TDataSet *dataSet = DataSet();
    if (!dataSet || dataSet->RecNo() < 1) {
        setTopRow(0);
        return;
    }
    const int current = dataSet->RecNo() - 1;
    const int visible = qMax(1, VisibleRowCount());
    if (current < m_topRow)
        setTopRow(current);
    else if (current >= m_topRow + visible)
        setTopRow(current - visible + 1);
    else
        setTopRow(m_topRow); // clamps after the data shrank
}

void TKorCustomDBGrid::setSelectedIndex(int Value)
{
    const int count = int(VisibleColumns().size());
    const int index = qBound(0, Value, qMax(0, count - 1));
    if (index == m_selectedIndex) {
        ScrollToColumn(SelectedColumn());
        return;
    }
    m_selectedIndex = index;
    ScrollToColumn(SelectedColumn());
    emit selectionMoved();
    update();
}

TKorColumn *TKorCustomDBGrid::SelectedColumn() const
{
    const QList<TKorColumn *> columns = VisibleColumns();
    return m_selectedIndex >= 0 && m_selectedIndex < columns.size() ? columns[m_selectedIndex]
                                                                    : nullptr;
}

QString TKorCustomDBGrid::CellText(const TKorColumn *Column, int Row) const
{
    const TField *field = Column ? Column->Field() : nullptr;
    return field ? field->DisplayTextOf(field->ValueAt(Row)) : QString();
}

// ---- Painting -----------------------------------------------------------------------------

void TKorCustomDBGrid::paintFixedCell(QPainter &painter, const QRect &rect, TColor color)
{
    if (Gradient()->IsActive() && (Gradient()->Options() & Kor::goGradient))
        Gradient()->Paint(painter, rect);
    else
        painter.fillRect(rect, qcolor(color));
    // The edges are filled as whole pixels, as the data lines are.
    const QRect bottom(rect.left(), rect.bottom(), rect.width(), 1);
    const QRect right(rect.right(), rect.top(), 1, rect.height());
    if (ThemesEnabled() || FixedStyle() == Kor::fstFlat) {
        painter.fillRect(bottom, ColorToQColor(clBtnShadow));
        painter.fillRect(right, ColorToQColor(clBtnShadow));
        return;
    }
    const bool sunken = FixedStyle() == Kor::fstSunken;
    const QColor light = ColorToQColor(sunken ? clBtnShadow : clBtnHighlight);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), light);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), light);
    const QColor dark = ColorToQColor(sunken ? clBtnHighlight : clBtnShadow);
    painter.fillRect(bottom, dark);
    painter.fillRect(right, dark);
}

bool TKorCustomDBGrid::IsFieldMissing(const TKorColumn *Column) const
{
    const TDataSet *dataSet = DataSet();
    return Column && dataSet && dataSet->Active() && !Column->FieldName().isEmpty() &&
           !dataSet->FindField(Column->FieldName());
}

QString TKorCustomDBGrid::MissingFieldHint(const TKorColumn *Column) const
{
    if (!IsFieldMissing(Column))
        return {};
    return QStringLiteral("Field '%1' not found in %2").arg(Column->FieldName(), DataSet()->Name());
}

QStringList TKorCustomDBGrid::MissingFieldHints() const
{
    QStringList hints;
    for (int i = 0; i < Columns()->Count(); ++i)
        if (const QString hint = MissingFieldHint(Columns()->Items(i)); !hint.isEmpty())
            hints.append(hint);
    return hints;
}

QFont TKorCustomDBGrid::TitleFontOf(const TKorColumn *Column) const
{
    QFont font = Column->Title()->Font()->ToQFont();
    if (IsFieldMissing(Column))
        font.setItalic(true);
    return font;
}

bool TKorCustomDBGrid::event(QEvent *event)
{
    // Painting, input and resizing work on the laid-out bars and rows; notices such as a new
    // tool tip do not, and lay nothing out. Laying out reads rows, and a read that fails is
    // reported, not thrown into Qt.
    switch (event->type()) {
    case QEvent::Paint:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ToolTip:
        try {
            ensureLayout();
        } catch (...) {
            HandleHostException();
        }
        break;
    default:
        break;
    }
    // With dgTabs, Tab moves between the cells instead of to the next control.
    if (event->type() == QEvent::KeyPress && (Options() & Kor::dgTabs)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    // Over the title of a column whose field is missing, the hint says which field it is.
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString hint = help->pos().y() < frameWidth(*this) + TitleHeight()
                                 ? MissingFieldHint(ColumnAt(help->pos().x()))
                                 : QString();
        if (!hint.isEmpty()) {
            QToolTip::showText(help->globalPos(), hint, this);
            return true;
        }
    }
    return TKorWinControl::event(event);
}

void TKorCustomDBGrid::paintTitles(QPainter &painter, const TColumnSpans &spans, bool withIndicator)
{
    const int titleHeight = TitleHeight();
    if (titleHeight <= 0)
        return;
    const int top = frameWidth(*this);
    const int headerHeight = (Options() & Kor::dgHeaders)
                                 ? titleHeight - (QFontMetrics(TitleFont()->ToQFont()).height() +
                                                  2 * GridStyle()->TitleRowSpace()) *
                                                     qMax(1, TitleLinesCount())
                                 : 0;
    if (withIndicator && IndicatorColumnWidth() > 0)
        paintFixedCell(painter, QRect(top, top, IndicatorColumnWidth(), titleHeight),
                       UsedFixedColor());
    for (const auto &span : spans) {
        TKorColumn *column = span.first;
        TKorColumnTitle *title = column->Title();
        if (headerHeight > 0) {
            const QRect header(span.second.left(), top, span.second.width(), headerHeight);
            paintFixedCell(painter, header,
                           HeaderColor() == clDefault ? UsedFixedColor() : HeaderColor());
            painter.setFont(HeaderFont()->ToQFont());
            painter.setPen(ColorToQColor(HeaderFont()->Color()));
            drawCellText(painter, header, title->Header(), Qt::AlignHCenter | Qt::AlignVCenter,
                         false, true, GridStyle()->TitleColMargin());
        }
        const QRect cell(span.second.left(), top + headerHeight, span.second.width(),
                         titleHeight - headerHeight);
        paintFixedCell(painter, cell,
                       title->Color() == clDefault ? DefaultColorOf(title, QStringLiteral("Color"))
                                                   : title->Color());
        int textLeft = 0;
        if (TCustomImageList *images = TitleImages(); images && title->ImageIndex() >= 0) {
            images->Draw(painter, cell.left() + 2,
                         cell.top() + (cell.height() - images->Height()) / 2, title->ImageIndex());
            textLeft = images->Width() + 2;
        }
        painter.setFont(TitleFontOf(column));
        painter.setPen(ColorToQColor(title->Font()->Color()));
        drawCellText(painter, cell.adjusted(textLeft, 0, 0, 0), title->Caption(),
                     horizontalFlags(title->Alignment()) | verticalFlags(title->VAlignment()),
                     title->WordWrap(), title->Ellipsis(), GridStyle()->TitleColMargin());
        if (TCustomImageList *markers = Markers(); title->MarkerIndex() >= 0)
            markers->Draw(painter, cell.right() - markers->Width() - 3,
                          cell.top() + (cell.height() - markers->Height()) / 2,
                          title->MarkerIndex());
    }
}

void TKorCustomDBGrid::paintRows(QPainter &painter, const TColumnSpans &spans, bool withIndicator)
{
    TDataSet *dataSet = DataSet();
    if (!dataSet)
        return;
    const int rows = qMax(0, dataSet->RowsUpTo(m_topRow + VisibleRowCount()) - m_topRow);
    const int current = dataSet->RecNo() - 1;
    const int top = dataTop(*this, showsTotalHeader() ? totalRowHeight() : 0);
    const int rowHeight = RowHeight();
    const TKorColumn *selected = SelectedColumn();
    const bool rowSelect = Options() & Kor::dgRowSelect;
    for (int i = 0; i < rows; ++i) {
        const int row = m_topRow + i;
        const int y = top + i * rowHeight;
        if (withIndicator && IndicatorColumnWidth() > 0) {
            const QRect indicator(frameWidth(*this), y, IndicatorColumnWidth(), rowHeight);
            paintFixedCell(painter, indicator, UsedFixedColor());
            if (row == current && !(Options() & Kor::dgMarkerOff))
                Indicators()->Draw(
                    painter, indicator.left() + (indicator.width() - Indicators()->Width()) / 2,
                    y + (rowHeight - Indicators()->Height()) / 2, 0);
        }
        for (int c = 0; c < spans.size(); ++c) {
            TKorColumn *column = spans[c].first;
            const QRect cell(spans[c].second.left(), y, spans[c].second.width(), rowHeight);
            const bool focusCell = row == current && column == selected;
            const bool selectedRow = row == current && (rowSelect || focusCell);
            TColor background = column->Color() == clDefault ? UsedColor() : column->Color();
            if ((DrawingOptions() & Kor::doStripeColor) && (row % 2) == 1)
                background = UsedStripeColor();
            if (selectedRow && (DrawingOptions() & Kor::doSelectRowColor))
                background = UsedSelectRowColor();
            if (focusCell && !rowSelect && (DrawingOptions() & Kor::doSelectCellColor))
                background = UsedSelectCellColor();
            painter.fillRect(cell, qcolor(background));
            const bool highlighted = focusCell && (DrawingOptions() & Kor::doHighlightText);
            painter.setFont(column->Font()->ToQFont());
            painter.setPen(
                ColorToQColor(highlighted ? UsedHighlightText() : column->Font()->Color()));
            const TField *field = column->Field();
            if (column->CheckBox() && field) {
                const QRect box(cell.center().x() - 6, cell.center().y() - 6, 12, 12);
                painter.drawRect(box);
                if (field->ValueAt(row).toBool())
                    painter.drawText(box, Qt::AlignCenter, QStringLiteral("\u2713"));
            } else {
                drawCellText(painter, cell, CellText(column, row),
                             horizontalFlags(column->Alignment()) |
                                 verticalFlags(column->VAlignment()),
                             column->WordWrap(), column->Ellipsis(), 2);
            }
            // Lines are filled as whole pixels: a stroked line moves by half a pixel at a
            // device-pixel ratio of 2, into the cell and off its own pixels.
            if (Options() & Kor::dgColLines)
                painter.fillRect(QRect(cell.right() + 1, cell.top(), 1, cell.height()),
                                 ColorToQColor(UsedDataColLineColor()));
            if (Options() & Kor::dgRowLines)
                painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width() + 1, 1),
                                 ColorToQColor(UsedDataRowLineColor()));
            if (focusCell && FocusRect() != Kor::frNone && hasFocus()) {
                // The frame's edges are the cell's own outer pixels, filled as the lines are.
                const QBrush pen(ColorToQColor(UsedHighlightText()), FocusRect() == Kor::frSolid
                                                                         ? Qt::SolidPattern
                                                                         : Qt::Dense4Pattern);
                painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), pen);
                painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), pen);
                painter.fillRect(QRect(cell.left(), cell.top(), 1, cell.height()), pen);
                painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), pen);
            }
        }
    }
}

void TKorCustomDBGrid::paintTotalRow(QPainter &painter, const TColumnSpans &spans,
                                     bool withIndicator, int top,
                                     const std::function<TKorColumnTotal *(TKorColumn *)> &totalOf)
{
    const int height = totalRowHeight();
    if (withIndicator && IndicatorColumnWidth() > 0)
        paintFixedCell(painter, QRect(frameWidth(*this), top, IndicatorColumnWidth(), height),
                       Totals()->UsedColor());
    for (const auto &span : spans) {
        const QRect cell(span.second.left(), top, span.second.width(), height);
        TKorColumnTotal *total = totalOf(span.first);
        const TColor color =
            total && total->Color() != clDefault ? total->Color() : Totals()->UsedColor();
        paintFixedCell(painter, cell, color);
        if (!total || !total->Visible())
            continue;
        const bool ownFont = total->Font()->Name() != Totals()->Font()->Name() ||
                             total->Font()->Height() != Totals()->Font()->Height();
        const TFont *font = ownFont ? total->Font() : Totals()->Font();
        painter.setFont(font->ToQFont());
        painter.setPen(ColorToQColor(font->Color()));
        drawCellText(painter, cell, total->DisplayText(),
                     horizontalFlags(total->Alignment()) | verticalFlags(total->VAlignment()),
                     total->WordWrap(), total->Ellipsis(), GridStyle()->TotalColMargin());
    }
}

void TKorCustomDBGrid::paintTotals(QPainter &painter, const TColumnSpans &spans, bool withIndicator)
{
    if (!Totals()->Active())
        return;
    ensureTotals();
    const int height = totalRowHeight();
    if (showsTotalHeader())
        paintTotalRow(painter, spans, withIndicator, frameWidth(*this) + TitleHeight(),
                      [](TKorColumn *column) { return column->TotalHeader(); });
    // The footer rows sit on the horizontal bar, if it shows.
    int top = clientBottom() - footerRowCount() * height;
    if (OptionsEx() & Kor::dgxTotalValues) {
        int values = 0;
        for (TKorColumn *column : VisibleColumns())
            values = qMax(values, column->TotalValues()->Count());
        for (int v = 0; v < values; ++v, top += height)
            paintTotalRow(
                painter, spans, withIndicator, top, [v](TKorColumn *column) -> TKorColumnTotal * {
                    return v < column->TotalValues()->Count() ? column->TotalValues()->Items(v)
                                                              : nullptr;
                });
    }
    if (OptionsEx() & Kor::dgxTotalFields) {
        paintTotalRow(painter, spans, withIndicator, top,
                      [](TKorColumn *column) { return column->TotalFields(); });
        top += height;
    }
    if (OptionsEx() & Kor::dgxTotalFooter)
        paintTotalRow(painter, spans, withIndicator, top,
                      [](TKorColumn *column) { return column->TotalFooter(); });
}

void TKorCustomDBGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), qcolor(FillerColor() == clDefault ? UsedColor() : FillerColor()));
    const QList<TKorColumn *> columns = VisibleColumns();
    const TColumnSpans spans = columnSpans(columns);
    const int fixed = fixedCount(columns.size());
    const int split = fixedRight(columns);
    const int right = clientRight();
    const int bottom = clientBottom();
    // The scrolling columns first, kept to their area; then the fixed part over its own.
    painter.save();
    painter.setClipRect(QRect(split, 0, qMax(0, right - split), bottom));
    // Only the columns that show at least in part: a wide data set has many more.
    TColumnSpans scrolling;
    for (qsizetype i = fixed; i < spans.size(); ++i)
        if (spans[i].second.right() >= split && spans[i].second.left() < right)
            scrolling.append(spans[i]);
    paintTitles(painter, scrolling, false);
    paintRows(painter, scrolling, false);
    paintTotals(painter, scrolling, false);
    painter.restore();
    painter.save();
    painter.setClipRect(QRect(0, 0, qMin(split, right), bottom));
    const TColumnSpans fixedSpans = spans.first(fixed);
    paintTitles(painter, fixedSpans, true);
    paintRows(painter, fixedSpans, true);
    paintTotals(painter, fixedSpans, true);
    painter.restore();
    // The corner between the two bars.
    if (!m_hBar->isHidden() && !m_vBar->isHidden())
        painter.fillRect(QRect(right, bottom, width() - frameWidth(*this) - right,
                               height() - frameWidth(*this) - bottom),
                         ColorToQColor(clBtnFace));
    if (BorderStyle() == Vcl::bsSingle) {
        painter.setPen(ColorToQColor(Ctl3D() ? clBtnShadow : clWindowFrame));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// ---- Input --------------------------------------------------------------------------------

void TKorCustomDBGrid::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    if (TKorColumn *column = ColumnAt(pos.x()))
        setSelectedIndex(int(VisibleColumns().indexOf(column)));
    const int row = RowAt(pos.y());
    if (row >= 0)
        if (TDataSet *dataSet = DataSet()) {
            // Moving reads rows, and a read that fails is reported, not thrown into Qt.
            try {
                dataSet->setRecNo(row + 1);
            } catch (...) {
                HandleHostException();
            }
        }
    event->accept();
}

void TKorCustomDBGrid::wheelEvent(QWheelEvent *event)
{
    QPoint delta = event->angleDelta();
    // Shift turns the wheel sideways.
    if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0)
        delta = QPoint(delta.y(), 0);
    const int steps = delta.y() / 120;
    if (steps == 0 && delta.x() == 0) {
        event->ignore();
        return;
    }
    if (delta.x() != 0)
        setHorizontalOffset(m_leftOffset - delta.x() * 3 * m_hBar->singleStep() / 120);
    if (steps != 0) {
        const int rows = WheelScrollRows() > 0 ? WheelScrollRows() : 3;
        setTopRow(m_topRow - steps * rows);
    }
    event->accept();
}

void TKorCustomDBGrid::keyPressEvent(QKeyEvent *event)
{
    // Moving reads rows, and a read that fails is reported, not thrown into Qt.
    try {
        TDataSet *dataSet = DataSet();
        const int page = qMax(1, VisibleRowCount());
        switch (event->key()) {
        case Qt::Key_Up:
            if (dataSet)
                dataSet->Prior();
            break;
        case Qt::Key_Down:
            if (dataSet)
                dataSet->Next();
            break;
        case Qt::Key_PageUp:
            if (dataSet)
                dataSet->MoveBy(-page);
            break;
        case Qt::Key_PageDown:
            if (dataSet)
                dataSet->MoveBy(page);
            break;
        case Qt::Key_Home:
            if (event->modifiers() & Qt::ControlModifier) {
                if (dataSet)
                    dataSet->First();
            } else {
                setSelectedIndex(0);
            }
            break;
        case Qt::Key_End:
            if (event->modifiers() & Qt::ControlModifier) {
                if (dataSet)
                    dataSet->Last();
            } else {
                setSelectedIndex(int(VisibleColumns().size()) - 1);
            }
            break;
        case Qt::Key_Left:
            setSelectedIndex(m_selectedIndex - 1);
            break;
        case Qt::Key_Right:
            setSelectedIndex(m_selectedIndex + 1);
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            // Past the last column Tab goes on with the first of the next record; Shift+Tab
            // goes back the same way. From the very last (or first) cell it goes on to the next
            // (or previous) control.
            const int last = int(VisibleColumns().size()) - 1;
            const bool back =
                event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
            const int record = dataSet ? dataSet->RecNo() : 0;
            const int before = m_selectedIndex;
            if (!back && m_selectedIndex >= last) {
                if (dataSet && record >= 1) {
                    dataSet->Next();
                    if (dataSet->RecNo() != record)
                        setSelectedIndex(0);
                }
            } else if (back && m_selectedIndex <= 0) {
                if (dataSet && record > 1) {
                    dataSet->Prior();
                    setSelectedIndex(last);
                }
            } else {
                setSelectedIndex(m_selectedIndex + (back ? -1 : 1));
            }
            if (m_selectedIndex == before && (dataSet ? dataSet->RecNo() : 0) == record) {
                focusNextPrevChild(!back);
                event->accept();
                return;
            }
            break;
        }
        default:
            TKorWinControl::keyPressEvent(event);
            return;
        }
        bringCurrentCellIntoView();
        event->accept();
    } catch (...) {
        HandleHostException();
        event->accept();
    }
}

void TKorCustomDBGrid::resizeEvent(QResizeEvent *event)
{
    TKorWinControl::resizeEvent(event);
    updateScrollBars();
    ensureCurrentVisible();
}

// ---- Colours at clDefault -----------------------------------------------------------------

namespace {

bool named(const QString &Name, const char *Property)
{
    return Name == QLatin1String(Property);
}

// Where a colour property of a T at clDefault takes its colour from: a fixed colour, or what T
// works out from its other colours.
template <class T> struct TDefaultColor {
    const char *Name;
    TColor (T::*Used)() const;
    TColor Fixed = clDefault;
};

template <class T, std::size_t N>
TColor defaultFrom(const TDefaultColor<T> (&Table)[N], const T &Owner, const QString &Name)
{
    for (const TDefaultColor<T> &row : Table)
        if (named(Name, row.Name))
            return row.Used ? (Owner.*row.Used)() : row.Fixed;
    return clDefault;
}

using TGrid = TKorCustomDBGrid;
const TDefaultColor<TGrid> kGridDefaults[] = {
    {"Color", nullptr, clWindow},
    {"FixedColor", nullptr, clBtnFace},
    {"FillerColor", &TGrid::UsedColor},
    {"EditorColor", &TGrid::DefaultEditorColor},
    {"HeaderColor", &TGrid::UsedFixedColor},
    {"DataColLineColor", &TGrid::DefaultDataLineColor},
    {"DataRowLineColor", &TGrid::DefaultDataLineColor},
    {"HighlightText", &TGrid::DefaultHighlightText},
    {"SelectCellColor", &TGrid::DefaultSelectCellColor},
    {"SelectionColor", &TGrid::DefaultSelectionColor},
    {"SelectRowColor", &TGrid::DefaultSelectRowColor},
    {"StripeColor", &TGrid::DefaultStripeColor},
};

const TDefaultColor<TBriskGradient> kGradientDefaults[] = {
    {"StartColor", nullptr, clWindow},
    {"EndColor", nullptr, clBtnFace},
    {"HotColor", &TBriskGradient::DefaultHotColor},
    {"StepColor", nullptr, clHighlight},
};

const TDefaultColor<TKorDBGridSearch> kSearchDefaults[] = {
    {"Color", &TKorDBGridSearch::DefaultColor},
    {"PanelColor", &TKorDBGridSearch::DefaultPanelColor},
};

// The answer is installed into the host's colour property editors while this library is
// loaded, and taken back when it goes, so that the host never calls into unloaded code.
struct TDefaultColorAnswer {
    TDefaultColorAnswer() { TColorProperty::SetDefaultColorFunc(&DefaultColorOf); }
    ~TDefaultColorAnswer() { TColorProperty::SetDefaultColorFunc(nullptr); }
};
const TDefaultColorAnswer kDefaultColorAnswer;

} // namespace

TColor DefaultColorOf(const QObject *Object, const QString &Name)
{
    if (const auto *grid = qobject_cast<const TKorCustomDBGrid *>(Object))
        return defaultFrom(kGridDefaults, *grid, Name);
    if (const auto *gradient = qobject_cast<const TBriskGradient *>(Object))
        return defaultFrom(kGradientDefaults, *gradient, Name);
    if (const auto *totals = qobject_cast<const TKorDBGridTotals *>(Object)) {
        if (named(Name, "Color"))
            return totals->Grid() ? totals->Grid()->UsedFixedColor() : clBtnFace;
        return named(Name, "SelectedColor") ? totals->DefaultSelectedColor() : clDefault;
    }
    if (const auto *search = qobject_cast<const TKorDBGridSearch *>(Object))
        return defaultFrom(kSearchDefaults, *search, Name);
    // The scroll bars take the grid's colour.
    if (const auto *scroll = qobject_cast<const TKorDBGridScrollProp *>(Object))
        return named(Name, "Color") && scroll->Grid() ? scroll->Grid()->UsedColor() : clDefault;
    // A column's cells are drawn in the grid's colour, its title in the fixed colour and its
    // totals in the colour of the total rows; images show the cell's colour where transparent.
    if (const auto *column = qobject_cast<const TKorColumn *>(Object)) {
        const TKorCustomDBGrid *grid = column->Grid();
        if (named(Name, "Color"))
            return grid ? grid->UsedColor() : clWindow;
        if (named(Name, "TransparentColor"))
            return column->Color() == clDefault || column->Color() == clNone
                       ? DefaultColorOf(column, QStringLiteral("Color"))
                       : column->Color();
        return clDefault;
    }
    if (const auto *title = qobject_cast<const TKorColumnTitle *>(Object)) {
        const TKorCustomDBGrid *grid = title->Column() ? title->Column()->Grid() : nullptr;
        return named(Name, "Color") ? (grid ? grid->UsedFixedColor() : clBtnFace) : clDefault;
    }
    if (const auto *total = qobject_cast<const TKorColumnTotal *>(Object)) {
        const TKorCustomDBGrid *grid = total->Column() ? total->Column()->Grid() : nullptr;
        if (!named(Name, "Color"))
            return clDefault;
        return grid ? grid->Totals()->UsedColor() : clBtnFace;
    }
    if (const auto *control = qobject_cast<const TKorWinControl *>(Object))
        return named(Name, "Color") ? control->ColorRGB(clDefault) : clDefault;
    return clDefault;
}
