#include "grid.h"

#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>
#include <QScrollBar>

#include "briskgraph.h"
#include "componentlink.h"
#include "datasourcelink.h"
#include "hostmessages.h"

namespace {

// The built-in indicator images: current record, editing, inserting, selected, current and
// selected.
std::unique_ptr<TImageList> makeIndicators()
{
    auto list = std::make_unique<TImageList>();
    list->SetSize(10, 16);
    const QColor ink(Qt::black);
    for (int kind = 0; kind < 5; ++kind) {
        QImage image(10, 16, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        switch (kind) {
        case 0:
            painter.drawPolygon(QPolygonF({{2, 3}, {8, 8}, {2, 13}}));
            break;
        case 1:
            painter.drawRect(4, 2, 2, 12);
            break;
        case 2:
            painter.drawEllipse(QRectF(2, 5, 6, 6));
            break;
        case 3:
            painter.drawRect(3, 6, 4, 4);
            break;
        default:
            painter.drawPolygon(QPolygonF({{1, 3}, {6, 8}, {1, 13}}));
            painter.drawRect(7, 6, 2, 4);
            break;
        }
        list->Add(image);
    }
    return list;
}

// The built-in sort markers: ascending and descending.
std::unique_ptr<TImageList> makeMarkers()
{
    auto list = std::make_unique<TImageList>();
    list->SetSize(9, 9);
    for (int kind = 0; kind < 2; ++kind) {
        QImage image(9, 9, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(Qt::darkGray));
        painter.drawPolygon(kind == 0 ? QPolygonF({{0.5, 7}, {4.5, 1}, {8.5, 7}})
                                      : QPolygonF({{0.5, 2}, {4.5, 8}, {8.5, 2}}));
        list->Add(image);
    }
    return list;
}

TColor usedOr(TColor value, TColor fallback)
{
    return value == clDefault ? fallback : value;
}

} // namespace

TKorCustomDBGrid::TKorCustomDBGrid(QObject *AOwner)
    : TKorWinControl(AOwner), m_defaultIndicators(makeIndicators()), m_defaultMarkers(makeMarkers())
{
    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    // The bars never take the focus from the grid: keys keep moving the current cell.
    for (QScrollBar *bar : {m_hBar, m_vBar}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
    }
    connect(m_hBar, &QScrollBar::valueChanged, this, &TKorCustomDBGrid::horizontalBarMoved);
    connect(m_vBar, &QScrollBar::valueChanged, this, &TKorCustomDBGrid::verticalBarMoved);
    m_Columns = std::make_unique<TKorDBGridColumns>(this);
    m_FilterGrid = std::make_unique<TKorDBGridFilter>(this);
    m_Totals = std::make_unique<TKorDBGridTotals>(this);
    m_Search = std::make_unique<TKorDBGridSearch>(this);
    m_TreeView = std::make_unique<TKorDBGridTreeView>(this);
    m_Settings = std::make_unique<TKorDBGridSettings>(this);
    m_Gradient = std::make_unique<TKorDBGridGradient>(this);
    m_GridStyle = std::make_unique<TKorDBGridStyle>(this);
    m_ScrollProp = std::make_unique<TKorDBGridScrollProp>(this);
    m_HeaderFont = std::make_unique<TFont>();
    m_TitleFont = std::make_unique<TFont>();
    for (TOwnedPersistent *part : std::initializer_list<TOwnedPersistent *>{
             m_FilterGrid.get(), m_Totals.get(), m_Search.get(), m_TreeView.get(), m_Settings.get(),
             m_Gradient.get(), m_GridStyle.get(), m_ScrollProp.get()})
        connect(part, &TOwnedPersistent::changed, this, &TKorCustomDBGrid::Changed);
    for (TFont *font : {m_HeaderFont.get(), m_TitleFont.get()})
        connect(font, &TFont::changed, this, &TKorCustomDBGrid::Changed);
    setMinimumSize(20, 20);
    resize(320, 120);
    updateScrollBars();
}

TKorCustomDBGrid::~TKorCustomDBGrid()
{
    DropConnections(m_dataConnections);
    // Parts go before the widget; nothing they say matters any more.
    for (QObject *part : std::initializer_list<QObject *>{
             m_FilterGrid.get(), m_Totals.get(), m_Search.get(), m_TreeView.get(), m_Settings.get(),
             m_Gradient.get(), m_GridStyle.get(), m_ScrollProp.get(), m_HeaderFont.get(),
             m_TitleFont.get()})
        part->disconnect(this);
    m_hBar->disconnect(this);
    m_vBar->disconnect(this);
    m_Columns.reset();
}

bool TKorCustomDBGrid::IsColumnsStored() const
{
    return Columns()->State() == Kor::csCustomized;
}

TDataSet *TKorCustomDBGrid::DataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

void TKorCustomDBGrid::setDataSource(TDataSource *Value)
{
    if (m_dataSource == Value)
        return;
    m_dataSource = Value;
    LinkDataSource(this, Value, m_dataConnections, &TKorCustomDBGrid::dataChanged,
                   &TKorCustomDBGrid::recordChanged);
    // The link is already cleared when the source's QObject part announces its end.
    if (Value)
        m_dataConnections.append(
            connect(Value, &QObject::destroyed, this, &TKorCustomDBGrid::dataChanged));
    dataChanged();
}

void TKorCustomDBGrid::setMasterGrid(TKorCustomDBGrid *Value)
{
    if (m_masterGrid == Value)
        return;
    if (Value == this)
        throw EPropertyError(QStringLiteral("%1 cannot be its own master grid").arg(Name()));
    // Follow the chain of masters: it must not come back to this grid. A loop among other grids
    // (which a careful setter never lets happen) ends the walk too.
    QList<const TKorCustomDBGrid *> seen;
    for (const TKorCustomDBGrid *grid = Value; grid; grid = grid->MasterGrid()) {
        if (grid == this)
            throw EPropertyError(QStringLiteral("Circular master grid link: %1 has %2 as a master")
                                     .arg(Value->Name(), Name()));
        if (seen.contains(grid))
            break;
        seen.append(grid);
    }
    m_masterGrid.set(Value);
    if (Value)
        FreeNotification(Value);
    Changed();
}

void TKorCustomDBGrid::DropLinks(TComponent *Gone)
{
    TKorWinControl::DropLinks(Gone);
    if (DropLink(m_dataSource, Gone)) {
        DropConnections(m_dataConnections);
        dataChanged();
    }
    m_masterGrid.drop(Gone);
    DropLink(m_TitleImages, Gone);
    DropLink(m_TitleMarkers, Gone);
    DropLink(m_IndicatorImages, Gone);
    DropLink(m_IndicatorPopupMenu, Gone);
    DropLink(m_FillerPopupMenu, Gone);
    Totals()->DropLinks(Gone);
    for (int i = 0; i < Columns()->Count(); ++i)
        Columns()->Items(i)->DropLinks(Gone);
    update();
}

void TKorCustomDBGrid::dataChanged()
{
    ensureLayout();
    if (m_Columns)
        m_Columns->LoadDefaultColumns();
    TDataSet *dataSet = DataSet();
    // Reads no further than the top row to learn whether it is still there.
    const int rows = dataSet ? dataSet->RowsUpTo(m_topRow + 1) : 0;
    m_topRow = qBound(0, m_topRow, qMax(0, rows - 1));
    m_totalsDirty = true;
    updateScrollBars();
    ensureCurrentVisible();
    update();
}

void TKorCustomDBGrid::recordChanged()
{
    ensureLayout();
    m_totalsDirty = true;
    updateScrollBars();
    ensureCurrentVisible();
    emit selectionMoved();
    update();
}

void TKorCustomDBGrid::ColumnsChanged()
{
    m_totalsDirty = true;
    const int count = int(VisibleColumns().size());
    m_selectedIndex = qBound(0, m_selectedIndex, qMax(0, count - 1));
    scheduleLayout(false);
    update();
}

void TKorCustomDBGrid::Refresh()
{
    UpdateTotals();
    ColumnsChanged();
    scheduleLayout(true);
    update();
}

void TKorCustomDBGrid::Changed()
{
    m_totalsDirty = true;
    // The options, fonts and spacing all change what the bars have to show. ScrollBars says
    // which bars may show at all: its change takes them away (or brings them) at once.
    scheduleLayout(false);
    if (ScrollBars() != m_barsStyle)
        ensureLayout();
    TKorWinControl::Changed();
}

void TKorCustomDBGrid::scheduleLayout(bool CurrentRow)
{
    m_barsDirty = true;
    m_rowDirty = m_rowDirty || CurrentRow;
    if (m_layoutPosted)
        return;
    m_layoutPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_layoutPosted = false;
            // Reading rows can fail; that is reported, not thrown into Qt.
            try {
                ensureLayout();
            } catch (...) {
                HandleHostException();
            }
        },
        Qt::QueuedConnection);
}

void TKorCustomDBGrid::ensureLayout() const
{
    if ((!m_barsDirty && !m_rowDirty) || m_layingOut || m_updatingBars)
        return;
    auto *self = const_cast<TKorCustomDBGrid *>(this);
    const QScopedValueRollback guard(self->m_layingOut, true);
    if (m_barsDirty)
        self->updateScrollBars();
    if (m_rowDirty)
        self->ensureCurrentVisible();
}

int TKorCustomDBGrid::TopRow() const
{
    ensureLayout();
    return m_topRow;
}

QScrollBar *TKorCustomDBGrid::HorizontalScrollBar() const
{
    ensureLayout();
    return m_hBar;
}

QScrollBar *TKorCustomDBGrid::VerticalScrollBar() const
{
    ensureLayout();
    return m_vBar;
}

int TKorCustomDBGrid::HorizontalOffset() const
{
    ensureLayout();
    return m_leftOffset;
}

TCustomImageList *TKorCustomDBGrid::Indicators() const
{
    return IndicatorImages() ? IndicatorImages() : m_defaultIndicators.get();
}

TCustomImageList *TKorCustomDBGrid::Markers() const
{
    return TitleMarkers() ? TitleMarkers() : m_defaultMarkers.get();
}

bool TKorCustomDBGrid::ThemesEnabled() const
{
    return DrawingStyle() == Kor::gdsThemed;
}

// ---- Colours ------------------------------------------------------------------------------

TColor TKorCustomDBGrid::UsedColor() const
{
    return Color() == clDefault || Color() == clNone ? clWindow : Color();
}

TColor TKorCustomDBGrid::UsedFixedColor() const
{
    return FixedColor() == clDefault || FixedColor() == clNone ? clBtnFace : FixedColor();
}

TColor TKorCustomDBGrid::DefaultStripeColor() const
{
    return BlendColors(UsedColor(), clHighlight, 24);
}

TColor TKorCustomDBGrid::DefaultSelectRowColor() const
{
    return BlendColors(UsedColor(), clHighlight, 64);
}

TColor TKorCustomDBGrid::DefaultSelectionColor() const
{
    return BlendColors(UsedColor(), clHighlight, 128);
}

TColor TKorCustomDBGrid::DefaultSelectCellColor() const
{
    return DrawingStyle() == Kor::gdsGradient ? BlendColors(UsedColor(), clHighlight, 160)
                                              : clHighlight;
}

TColor TKorCustomDBGrid::DefaultHighlightText() const
{
    return DrawingStyle() == Kor::gdsGradient ? clWindowText : clHighlightText;
}

TColor TKorCustomDBGrid::DefaultEditorColor() const
{
    return UsedColor();
}

TColor TKorCustomDBGrid::DefaultDataLineColor() const
{
    return BlendColors(UsedColor(), UsedFixedColor(),
                       DrawingStyle() == Kor::gdsClassic ? 255 : 160);
}

TColor TKorCustomDBGrid::UsedStripeColor() const
{
    return usedOr(StripeColor(), DefaultStripeColor());
}

TColor TKorCustomDBGrid::UsedSelectRowColor() const
{
    return usedOr(SelectRowColor(), DefaultSelectRowColor());
}

TColor TKorCustomDBGrid::UsedSelectionColor() const
{
    return usedOr(SelectionColor(), DefaultSelectionColor());
}

TColor TKorCustomDBGrid::UsedSelectCellColor() const
{
    return usedOr(SelectCellColor(), DefaultSelectCellColor());
}

TColor TKorCustomDBGrid::UsedHighlightText() const
{
    return usedOr(HighlightText(), DefaultHighlightText());
}

TColor TKorCustomDBGrid::UsedEditorColor() const
{
    return usedOr(EditorColor(), DefaultEditorColor());
}

TColor TKorCustomDBGrid::UsedDataColLineColor() const
{
    return usedOr(DataColLineColor(), DefaultDataLineColor());
}

TColor TKorCustomDBGrid::UsedDataRowLineColor() const
{
    return usedOr(DataRowLineColor(), DefaultDataLineColor());
}

// ---- Published classes --------------------------------------------------------------------

TKorDBGrid::TKorDBGrid(QObject *AOwner) : TKorCustomDBGrid(AOwner) {}

TKorDBGridsADO::TKorDBGridsADO(QObject *AOwner) : TKorDBGrid(AOwner) {}

TKorDBGridsCDS::TKorDBGridsCDS(QObject *AOwner) : TKorDBGrid(AOwner) {}
