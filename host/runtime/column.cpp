#include "column.h"

#include <QFontMetrics>
#include <QSignalBlocker>
#include <vector>

#include "assignprops.h"
#include "componentlink.h"
#include "grid.h"

namespace {

// Typical number of characters shown for a field of a type without a display width.
int typicalChars(const TField &field)
{
    switch (field.DataType()) {
    case Db::ftString:
    case Db::ftWideString:
    case Db::ftFixedChar:
        return field.Size() > 0 ? qMin(field.Size(), 32) : 16;
    case Db::ftBoolean:
        return 5;
    case Db::ftDate:
    case Db::ftTime:
        return 12;
    case Db::ftDateTime:
    case Db::ftTimeStamp:
        return 19;
    case Db::ftMemo:
    case Db::ftFmtMemo:
        return 24;
    default:
        return TField::IsNumeric(field.DataType()) ? 10 : 12;
    }
}

} // namespace

// ---- TKorColumnTitle ----------------------------------------------------------------------

TKorColumnTitle::TKorColumnTitle(TKorColumn *Column)
    : TOwnedPersistent(Column, QStringLiteral("Title")), m_column(Column),
      m_font(std::make_unique<TFont>())
{
    connect(m_font.get(), &TFont::changed, this, &TKorColumnTitle::fontChanged);
}

TKorColumnTitle::~TKorColumnTitle()
{
    m_font->disconnect(this);
}

QString TKorColumnTitle::DefaultCaption() const
{
    if (const TField *field = m_column ? m_column->Field() : nullptr)
        return field->DisplayName();
    return m_column ? m_column->FieldName() : QString();
}

QString TKorColumnTitle::Caption() const
{
    return m_captionAssigned ? m_caption : DefaultCaption();
}

void TKorColumnTitle::setCaption(const QString &Value)
{
    if (m_captionAssigned && m_caption == Value)
        return;
    m_caption = Value;
    m_captionAssigned = true;
    Changed();
}

TColor TKorColumnTitle::Color() const
{
    if (m_colorAssigned)
        return m_color;
    TKorCustomDBGrid *grid = m_column ? m_column->Grid() : nullptr;
    return grid ? grid->FixedColor() : clBtnFace;
}

void TKorColumnTitle::setColor(TColor Value)
{
    if (m_colorAssigned && m_color == Value)
        return;
    m_color = Value;
    m_colorAssigned = true;
    Changed();
}

void TKorColumnTitle::syncFont() const
{
    if (m_fontAssigned)
        return;
    TKorCustomDBGrid *grid = m_column ? m_column->Grid() : nullptr;
    if (!grid)
        return;
    m_syncingFont = true;
    m_font->Assign(grid->TitleFont());
    m_syncingFont = false;
}

TFont *TKorColumnTitle::Font() const
{
    syncFont();
    return m_font.get();
}

void TKorColumnTitle::setFont(TFont *Value)
{
    m_font->Assign(Value);
}

void TKorColumnTitle::fontChanged()
{
    if (m_syncingFont)
        return;
    m_fontAssigned = true;
    Changed();
}

void TKorColumnTitle::RestoreDefaults()
{
    m_captionAssigned = false;
    m_colorAssigned = false;
    m_fontAssigned = false;
    m_caption.clear();
    m_color = clDefault;
    Changed();
}

void TKorColumnTitle::DropLinks(TComponent *Gone)
{
    DropLink(m_DropDownMenu, Gone);
    DropLink(m_PopupMenu, Gone);
}

void TKorColumnTitle::Assign(const TPersistent *Source)
{
    const auto *source = dynamic_cast<const TKorColumnTitle *>(Source);
    if (!source) {
        TOwnedPersistent::Assign(Source);
        return;
    }
    {
        const QSignalBlocker blocker(this);
        AssignPublishedProperties(this, source);
        // Only what the source set itself is set here; the rest follows this title's grid.
        m_captionAssigned = source->m_captionAssigned;
        m_caption = source->m_caption;
        m_colorAssigned = source->m_colorAssigned;
        m_color = source->m_color;
        m_fontAssigned = source->m_fontAssigned;
    }
    Changed();
}

// ---- TKorColumnReport ---------------------------------------------------------------------

TKorColumnReport::TKorColumnReport(TKorColumn *Column)
    : TOwnedPersistent(Column, QStringLiteral("Report"))
{
}

// ---- TKorColumn ---------------------------------------------------------------------------

TKorColumn::TKorColumn(TCollection *Collection) : TCollectionItem(nullptr)
{
    m_Title = std::make_unique<TKorColumnTitle>(this);
    m_PickList = std::make_unique<TStrings>();
    m_PickText = std::make_unique<TStrings>();
    m_FilterList = std::make_unique<TStrings>();
    m_Report = std::make_unique<TKorColumnReport>(this);
    m_TotalHeader = std::make_unique<TKorColumnTotal>(this, QStringLiteral("TotalHeader"));
    m_TotalFields = std::make_unique<TKorColumnTotal>(this, QStringLiteral("TotalFields"));
    m_TotalFooter = std::make_unique<TKorColumnTotal>(this, QStringLiteral("TotalFooter"));
    m_TotalValues = std::make_unique<TKorColumnTotalValues>(this);
    m_font = std::make_unique<TFont>();
    connect(m_Title.get(), &TOwnedPersistent::changed, this, &TKorColumn::Changed);
    connect(m_Report.get(), &TOwnedPersistent::changed, this, &TKorColumn::Changed);
    for (TStrings *strings : {m_PickList.get(), m_PickText.get(), m_FilterList.get()})
        connect(strings, &TStrings::changed, this, &TKorColumn::Changed);
    connect(m_font.get(), &TFont::changed, this, &TKorColumn::fontChanged);
    // Join the collection only once fully built: joining announces a change.
    if (Collection)
        SetCollection(Collection);
}

TKorColumn::~TKorColumn()
{
    for (QObject *part :
         std::initializer_list<QObject *>{m_Title.get(), m_Report.get(), m_PickList.get(),
                                          m_PickText.get(), m_FilterList.get(), m_font.get()})
        part->disconnect(this);
}

TKorCustomDBGrid *TKorColumn::Grid() const
{
    const auto *columns = qobject_cast<const TKorDBGridColumns *>(Collection());
    return columns ? columns->Grid() : nullptr;
}

TField *TKorColumn::Field() const
{
    TKorCustomDBGrid *grid = Grid();
    TDataSet *dataSet = grid ? grid->DataSet() : nullptr;
    return dataSet && !m_fieldName.isEmpty() ? dataSet->FindField(m_fieldName) : nullptr;
}

QString TKorColumn::DisplayName() const
{
    return m_fieldName.isEmpty() ? TCollectionItem::DisplayName() : m_fieldName;
}

void TKorColumn::setFieldName(const QString &Value)
{
    if (m_fieldName == Value)
        return;
    m_fieldName = Value;
    Changed();
}

bool TKorColumn::DefaultReadOnly() const
{
    const TField *field = Field();
    if (field && field->ReadOnly())
        return true;
    TKorCustomDBGrid *grid = Grid();
    return grid && grid->ReadOnly();
}

bool TKorColumn::ReadOnly() const
{
    return (m_assigned & avReadOnly) ? m_readOnly : DefaultReadOnly();
}

void TKorColumn::setReadOnly(bool Value)
{
    if ((m_assigned & avReadOnly) && m_readOnly == Value)
        return;
    m_readOnly = Value;
    m_assigned |= avReadOnly;
    Changed();
}

TColor TKorColumn::DefaultColor() const
{
    TKorCustomDBGrid *grid = Grid();
    return grid ? grid->Color() : clWindow;
}

TColor TKorColumn::Color() const
{
    return (m_assigned & avColor) ? m_color : DefaultColor();
}

void TKorColumn::setColor(TColor Value)
{
    if ((m_assigned & avColor) && m_color == Value)
        return;
    m_color = Value;
    m_assigned |= avColor;
    Changed();
}

void TKorColumn::syncFont() const
{
    if (m_assigned & avFont)
        return;
    TKorCustomDBGrid *grid = Grid();
    if (!grid)
        return;
    m_syncingFont = true;
    m_font->Assign(grid->Font());
    m_syncingFont = false;
}

TFont *TKorColumn::Font() const
{
    syncFont();
    return m_font.get();
}

void TKorColumn::setFont(TFont *Value)
{
    m_font->Assign(Value);
}

void TKorColumn::fontChanged()
{
    if (m_syncingFont)
        return;
    m_assigned |= avFont;
    Changed();
}

int TKorColumn::DefaultWidth() const
{
    TKorCustomDBGrid *grid = Grid();
    const TField *field = Field();
    if (!grid || !field)
        return 64;
    const QFontMetrics metrics(grid->Font()->ToQFont());
    const int chars = field->DisplayWidth() > 0 ? field->DisplayWidth() : typicalChars(*field);
    int width = chars * metrics.averageCharWidth() + 4;
    if ((grid->Options() & Kor::dgTitles) && !(grid->Options() & Kor::dgTitleWidthOff)) {
        const QFontMetrics titleMetrics(m_Title->Font()->ToQFont());
        width = qMax(width, titleMetrics.horizontalAdvance(m_Title->Caption()) + 8);
    }
    if (grid->DefaultWidthMin() > 0)
        width = qMax(width, grid->DefaultWidthMin());
    if (grid->DefaultWidthMax() > 0)
        width = qMin(width, grid->DefaultWidthMax());
    return width;
}

int TKorColumn::Width() const
{
    return (m_assigned & avWidth) ? m_width : DefaultWidth();
}

void TKorColumn::setWidth(int Value)
{
    Value = qMax(0, Value);
    if ((m_assigned & avWidth) && m_width == Value)
        return;
    m_width = Value;
    m_assigned |= avWidth;
    Changed();
}

Vcl::TAlignment TKorColumn::DefaultAlignment() const
{
    const TField *field = Field();
    return field ? field->Alignment() : Vcl::taLeftJustify;
}

Vcl::TAlignment TKorColumn::Alignment() const
{
    return (m_assigned & avAlignment) ? m_alignment : DefaultAlignment();
}

void TKorColumn::setAlignment(Vcl::TAlignment Value)
{
    if ((m_assigned & avAlignment) && m_alignment == Value)
        return;
    m_alignment = Value;
    m_assigned |= avAlignment;
    Changed();
}

int TKorColumn::ExpandIndex() const
{
    const auto *columns = qobject_cast<const TKorDBGridColumns *>(Collection());
    return columns ? columns->LastOfGroup(this) : Index();
}

const QObject *TKorColumn::Group() const
{
    const auto *columns = qobject_cast<const TKorDBGridColumns *>(Collection());
    return columns ? columns->GroupOf(this) : nullptr;
}

void TKorColumn::RestoreDefaults()
{
    {
        const QSignalBlocker blocker(this);
        m_assigned = 0;
        m_color = clDefault;
        m_width = 64;
        m_alignment = Vcl::taLeftJustify;
        m_readOnly = false;
        m_Title->RestoreDefaults();
    }
    Changed();
}

void TKorColumn::DropLinks(TComponent *Gone)
{
    DropLink(m_LookupDataSet, Gone);
    DropLink(m_Images, Gone);
    DropLink(m_DropDownMenu, Gone);
    DropLink(m_PopupMenu, Gone);
    m_Title->DropLinks(Gone);
    for (TKorColumnTotal *total : {m_TotalHeader.get(), m_TotalFields.get(), m_TotalFooter.get()})
        total->DropLinks(Gone);
    for (int i = 0; i < m_TotalValues->Count(); ++i)
        m_TotalValues->Items(i)->DropLinks(Gone);
}

void TKorColumn::Assign(const TPersistent *Source)
{
    const auto *source = dynamic_cast<const TKorColumn *>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    {
        const QSignalBlocker blocker(this);
        AssignPublishedProperties(this, source);
        // Values that follow the grid or the field stay following unless the source set them.
        m_assigned = source->m_assigned;
        m_color = source->m_color;
        m_width = source->m_width;
        m_alignment = source->m_alignment;
        m_readOnly = source->m_readOnly;
    }
    Changed();
}

void TKorColumn::Changed()
{
    if (!signalsBlocked())
        TCollectionItem::Changed(false);
}

// ---- TKorDBGridColumns --------------------------------------------------------------------

TKorDBGridColumns::TKorDBGridColumns(TKorCustomDBGrid *Grid)
    : TCollection(
          &TKorColumn::staticMetaObject,
          [](TCollection *collection) {
              auto *columns = static_cast<TKorDBGridColumns *>(collection);
              // Every column the developer adds makes the columns his own.
              if (!columns->m_internal)
                  columns->m_state = Kor::csCustomized;
              return new TKorColumn(collection);
          },
          Grid),
      m_grid(Grid)
{
    SetPropName(QStringLiteral("Columns"));
}

TKorDBGridColumns::~TKorDBGridColumns()
{
    m_grid = nullptr; // no layout notices while the columns go
}

TKorColumn *TKorDBGridColumns::Add()
{
    return static_cast<TKorColumn *>(TCollection::Add());
}

TKorColumn *TKorDBGridColumns::Items(int Index) const
{
    return static_cast<TKorColumn *>(TCollection::Items(Index));
}

TKorColumn *TKorDBGridColumns::ColumnByFieldName(const QString &FieldName) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->FieldName().compare(FieldName, Qt::CaseInsensitive) == 0)
            return Items(i);
    return nullptr;
}

TKorColumn *TKorDBGridColumns::ColumnByDisplayName(const QString &DisplayName) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->DisplayName() == DisplayName)
            return Items(i);
    return nullptr;
}

void TKorDBGridColumns::setState(Kor::TKorDBGridColumnsState Value)
{
    if (Value == m_state)
        return;
    m_state = Value;
    if (Value == Kor::csDefault)
        LoadDefaultColumns();
    else
        Update(nullptr);
}

void TKorDBGridColumns::addFieldColumns()
{
    TDataSet *dataSet = m_grid ? m_grid->DataSet() : nullptr;
    if (!dataSet)
        return;
    for (TField *field : dataSet->FieldList())
        if (field->Visible())
            static_cast<TKorColumn *>(TCollection::Add())->setFieldName(field->FullName());
}

void TKorDBGridColumns::LoadDefaultColumns()
{
    if (m_state != Kor::csDefault)
        return;
    m_internal = true;
    BeginUpdate();
    Clear();
    addFieldColumns();
    EndUpdate();
    m_internal = false;
}

void TKorDBGridColumns::RebuildColumns()
{
    m_internal = true;
    BeginUpdate();
    Clear();
    addFieldColumns();
    m_state = Kor::csCustomized;
    EndUpdate();
    m_internal = false;
}

void TKorDBGridColumns::BeginDesignUpdate()
{
    ++m_designUpdate;
    BeginUpdate();
}

void TKorDBGridColumns::EndDesignUpdate()
{
    if (m_designUpdate == 0)
        return;
    --m_designUpdate;
    EndUpdate();
}

namespace {

struct GroupLayout {
    std::vector<int> heads; // group head of each column, -1 for the top level
    std::vector<int> lasts; // last column of the group each column heads
};

GroupLayout layoutGroups(const TKorDBGridColumns &columns)
{
    const int count = columns.Count();
    GroupLayout layout{std::vector<int>(std::size_t(count), -1),
                       std::vector<int>(std::size_t(count))};
    std::vector<std::pair<int, int>> open; // (head, last) of the groups around the current column
    for (int i = 0; i < count; ++i) {
        while (!open.empty() && i > open.back().second)
            open.pop_back();
        layout.heads[std::size_t(i)] = open.empty() ? -1 : open.back().first;
        int last = i;
        if (const int expand = columns.Items(i)->ExpandCols(); expand > 0) {
            last = qMin(i + expand, count - 1);
            if (!open.empty())
                last = qMin(last, open.back().second);
            open.emplace_back(i, last);
        }
        layout.lasts[std::size_t(i)] = last;
    }
    return layout;
}

} // namespace

int TKorDBGridColumns::LastOfGroup(const TKorColumn *Column) const
{
    const int index = Column ? Column->Index() : -1;
    if (index < 0)
        return -1;
    return layoutGroups(*this).lasts[std::size_t(index)];
}

const QObject *TKorDBGridColumns::GroupOf(const TKorColumn *Column) const
{
    const int index = Column ? Column->Index() : -1;
    if (index < 0)
        return nullptr;
    const int head = layoutGroups(*this).heads[std::size_t(index)];
    return head < 0 ? static_cast<const QObject *>(this) : Items(head);
}

std::vector<int> TKorDBGridColumns::GroupHeads() const
{
    return layoutGroups(*this).heads;
}

void TKorDBGridColumns::Update(TCollectionItem *Item)
{
    TCollection::Update(Item);
    if (m_grid)
        m_grid->ColumnsChanged();
}
