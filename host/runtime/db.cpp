#include "db.h"
#include "variants.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QMetaEnum>
#include <QTime>
#include <algorithm>
#include <climits>

#include "assignprops.h"
#include "componentlink.h"
#include "hostmessages.h"
#include "stringlist.h"

namespace {

QStringList splitNames(const QString &names)
{
    QStringList result;
    for (const QString &name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        result.append(name.trimmed());
    return result;
}

// Key comparison as a lookup needs it: numbers by value, everything else by text.
bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (VarIsNumeric(a) && VarIsNumeric(b))
        return a.toDouble() == b.toDouble();
    return a.toString() == b.toString();
}

// Fields whose values identify a record again after a refresh: not the binary ones.
bool isKeyType(Db::TFieldType type)
{
    switch (type) {
    case Db::ftBlob:
    case Db::ftGraphic:
    case Db::ftBytes:
    case Db::ftVarBytes:
    case Db::ftFmtMemo:
        return false;
    default:
        return true;
    }
}

} // namespace

// ---- TRowBuffer ---------------------------------------------------------------------------

void TRowBuffer::Reset(int ColumnCount)
{
    std::vector<std::unique_ptr<QVariant[]>>().swap(m_blocks);
    m_rows = 0;
    m_columns = std::max(0, ColumnCount);
}

QVariant *TRowBuffer::AppendRow()
{
    if (m_rows % BlockRows == 0)
        m_blocks.push_back(std::make_unique<QVariant[]>(std::size_t(BlockRows) *
                                                        std::size_t(std::max(1, m_columns))));
    return rowAt(m_rows++);
}

void TRowBuffer::AppendRow(const QVariantList &Values)
{
    QVariant *row = AppendRow();
    for (int i = 0; i < m_columns && i < Values.size(); ++i)
        row[i] = Values[i];
}

void TRowBuffer::Release(int Block)
{
    if (Block >= 0 && Block < BlockCount())
        m_blocks[std::size_t(Block)].reset();
}

void TRowBuffer::Place(int Block, TRowBuffer &&Rows)
{
    if (Block < 0 || Rows.m_blocks.empty())
        return;
    if (Block >= BlockCount())
        m_blocks.resize(std::size_t(Block) + 1);
    m_blocks[std::size_t(Block)] = std::move(Rows.m_blocks.front());
    m_rows = std::max(m_rows, Block * BlockRows + std::min(Rows.m_rows, BlockRows));
    Rows.Reset(Rows.m_columns);
}

void TRowBuffer::Truncate(int Count)
{
    if (Count < 0 || Count >= m_rows)
        return;
    m_rows = Count;
    m_blocks.resize(std::size_t((Count + BlockRows - 1) / BlockRows));
}

// ---- TDataSet -----------------------------------------------------------------------------

namespace {
// A few thousand rows: what a grid shows and what is near it, many times over.
int g_defaultBlockWindow = 16;
} // namespace

TDataSet::TDataSet(QObject *AOwner)
    : QObject(), TComponent(AsComponent(AOwner)), m_blockWindow(g_defaultBlockWindow)
{
}

int TDataSet::DefaultBlockWindow()
{
    return g_defaultBlockWindow;
}

void TDataSet::setDefaultBlockWindow(int Value)
{
    g_defaultBlockWindow = std::max(2, Value);
}

void TDataSet::setBlockWindow(int Value)
{
    m_blockWindow = std::max(2, Value);
    releaseBlocks();
}

TDataSet::~TDataSet()
{
    // Fields may refer to each other's data sets; drop them before the QObject part goes. The
    // persistent ones go now, while this is still a data set they can leave.
    for (TField *field : std::as_const(m_fields))
        field->m_dataSet = nullptr;
    m_fields.clear();
    for (TField *field : PersistentFields())
        field->m_dataSet = nullptr;
    DestroyComponents();
    m_made.clear();
}

void TDataSet::setActive(bool Value)
{
    if (Value)
        Open();
    else
        Close();
}

void TDataSet::Open()
{
    if (m_active)
        return;
    std::vector<FieldDesc> columns;
    std::vector<QVariantList> rows;
    InternalOpen(columns, rows, false);
    m_rows.Reset(int(columns.size()));
    for (const QVariantList &row : rows)
        m_rows.AppendRow(row);
    rows = {};
    m_allRead = false;
    m_count = -1;
    m_countAsked = false;
    m_lastError.clear();
    m_blockStates.clear();
    m_held.clear();
    // A source that reads again from any row can only give blocks of whole rows in place.
    m_seekable = m_rows.IsEmpty() && InternalCanSeek();
    m_sourceOpen = true;
    m_sourceAt = 0;
    ++m_opening;
    const auto failed = [this] {
        m_rows.Reset(0);
        m_blockStates.clear();
        m_held.clear();
        m_allRead = true;
        m_sourceOpen = false;
        InternalClose();
    };
    try {
        fetchTo(0, true);
        bindFields(columns, true);
    } catch (...) {
        failed();
        throw;
    }
    m_columns = std::move(columns);
    if (PersistentFields().isEmpty())
        makeDataFields();
    rebuildFields();
    m_active = true;
    setCursor(m_rows.IsEmpty() ? 0 : 1, true, m_rows.IsEmpty());
    emit dataChanged();
    emit recordChanged();
}

void TDataSet::Close()
{
    if (!m_active)
        return;
    m_active = false;
    InternalClose();
    clearDataFields();
    m_columns.clear();
    rebuildFields();
    m_rows.Reset(0); // gives the memory back
    m_blockStates.clear();
    m_held.clear();
    m_allRead = true;
    m_sourceOpen = false;
    m_count = -1;
    setCursor(0, true, true);
    emit dataChanged();
    emit recordChanged();
}

void TDataSet::Refresh()
{
    if (!m_active)
        return;
    const int recNo = m_recNo;
    QString keyNames;
    QVariantList keyValues;
    const bool hasKey = currentKey(keyNames, keyValues);
    Close();
    Open();
    if (hasKey) {
        // Most often the record is where it was; look there before searching.
        if (fetchTo(recNo - 1, true)) {
            setCursor(recNo, recNo == 1, false);
            QString names;
            QVariantList values;
            if (currentKey(names, values) && names == keyNames && values == keyValues)
                return;
        }
        const int row = findRow(keyNames, keyValues, true);
        if (row >= 0) {
            setRecNo(row + 1);
            return;
        }
    }
    setRecNo(recNo);
}

bool TDataSet::currentKey(QString &names, QVariantList &values) const
{
    if (m_recNo < 1)
        return false;
    QStringList keyNames;
    for (const TField *field : m_fields) {
        if (!field->IsData() || !isKeyType(field->DataType()))
            continue;
        keyNames.append(field->FieldName());
        values.append(FieldValue(m_recNo - 1, field));
    }
    names = keyNames.join(QLatin1Char(';'));
    return !keyNames.isEmpty();
}

int TDataSet::InternalFetch(TRowBuffer &, int)
{
    return 0;
}

int TDataSet::InternalRecordCount()
{
    return -1;
}

bool TDataSet::InternalSeek(int)
{
    return false;
}

int TDataSet::sourceCount() const
{
    if (!m_countAsked) {
        m_countAsked = true;
        try {
            m_count = const_cast<TDataSet *>(this)->InternalRecordCount();
        } catch (const EHostError &) {
            m_count = -1;
        }
    }
    return m_count;
}

bool TDataSet::fetchTo(int row, bool raise) const
{
    if (row < 0)
        return false;
    try {
        if (!m_seekable) {
            while (!m_allRead && row >= m_rows.RowCount()) {
                // Whole blocks, as many as reach the row.
                const qint64 missing = qint64(row) + 1 - qint64(m_rows.RowCount());
                const int count = int(std::min<qint64>(
                    (missing + FetchBlockSize - 1) / FetchBlockSize * FetchBlockSize, INT_MAX / 2));
                auto *self = const_cast<TDataSet *>(this);
                const int read = self->InternalFetch(m_rows, count);
                if (read < count) {
                    m_allRead = true;
                    m_sourceOpen = false;
                    self->InternalClose();
                }
            }
            return row < m_rows.RowCount();
        }
        while (!m_allRead && m_sourceOpen && row >= m_rows.RowCount()) {
            // Reading on from the last block read, unless the row is further away than the next
            // block and the source can say where its records end: then the block with the row,
            // or with the last record, straight away.
            const int next = m_rows.RowCount() / FetchBlockSize;
            int block = next;
            if (row / FetchBlockSize > next + 1) {
                if (const int count = sourceCount(); count > 0)
                    block = std::max(next, std::min(row, count - 1) / FetchBlockSize);
            }
            readBlock(block);
        }
        if (row >= m_rows.RowCount())
            return false;
        const int block = row / FetchBlockSize;
        if (!m_rows.IsHeld(block)) {
            if (!m_sourceOpen)
                return false;
            readBlock(block);
        }
        if (row >= m_rows.RowCount() || !m_rows.IsHeld(block))
            return false;
        useBlock(block);
        return true;
    } catch (const EHostError &error) {
        stopReading(error.Message(), !raise);
        if (raise)
            throw;
    }
    return row < m_rows.RowCount() && (!m_seekable || m_rows.IsHeld(row / FetchBlockSize));
}

void TDataSet::readBlock(int block) const
{
    auto *self = const_cast<TDataSet *>(this);
    const int first = block * FetchBlockSize;
    if (m_sourceAt != first) {
        if (!self->InternalSeek(first))
            throw EDatabaseError(QStringLiteral("%1: Cannot read the rows from record %2 again")
                                     .arg(Name())
                                     .arg(first + 1));
        m_sourceAt = first;
    }
    TRowBuffer rows;
    rows.Reset(m_rows.ColumnCount());
    const int read = self->InternalFetch(rows, FetchBlockSize);
    m_sourceAt = first + read;
    if (read == 0 && first > m_rows.RowCount()) {
        // The count was more than there are now: read on from where reading stopped instead.
        m_count = -1;
        return;
    }
    if (read < FetchBlockSize) {
        m_rows.Truncate(first + read);
        m_allRead = true;
        if (m_blockStates.size() > std::size_t(m_rows.BlockCount()))
            m_blockStates.resize(std::size_t(m_rows.BlockCount()));
        m_held.erase(std::remove_if(m_held.begin(), m_held.end(),
                                    [this](int held) { return !m_rows.IsHeld(held); }),
                     m_held.end());
    }
    if (read == 0)
        return;
    m_rows.Place(block, std::move(rows));
    if (m_blockStates.size() < std::size_t(m_rows.BlockCount()))
        m_blockStates.resize(std::size_t(m_rows.BlockCount()));
    if (m_blockStates[std::size_t(block)].Used == 0)
        m_held.push_back(block);
    useBlock(block);
}

void TDataSet::useBlock(int block) const
{
    BlockState &state = m_blockStates[std::size_t(block)];
    const bool isNew = state.Used == 0;
    state.Used = ++m_useClock;
    if (isNew && m_seekable)
        releaseBlocks();
}

void TDataSet::releaseBlocks() const
{
    if (!m_seekable || !m_sourceOpen)
        return;
    const int current = m_recNo > 0 ? (m_recNo - 1) / FetchBlockSize : -1;
    const auto kept = [&](int block) {
        return block == current || m_blockStates[std::size_t(block)].Changed;
    };
    int releasable =
        int(std::count_if(m_held.begin(), m_held.end(), [&](int block) { return !kept(block); }));
    while (releasable > m_blockWindow) {
        // The least recently used block that may go.
        auto oldest = m_held.end();
        for (auto it = m_held.begin(); it != m_held.end(); ++it)
            if (!kept(*it) &&
                (oldest == m_held.end() ||
                 m_blockStates[std::size_t(*it)].Used < m_blockStates[std::size_t(*oldest)].Used))
                oldest = it;
        m_rows.Release(*oldest);
        m_blockStates[std::size_t(*oldest)].Used = 0;
        *oldest = m_held.back();
        m_held.pop_back();
        --releasable;
    }
}

void TDataSet::stopReading(const QString &message, bool report) const
{
    auto *self = const_cast<TDataSet *>(this);
    m_allRead = true;
    m_sourceOpen = false;
    m_lastError = message;
    self->InternalClose();
    // The controls learn that the data set ends here once the reader that failed has returned;
    // the message goes to the host the same way, as nothing that paints can show it.
    QMetaObject::invokeMethod(
        self,
        [self, message, report] {
            if (report)
                ShowHostException(EDatabaseError(message));
            emit self->dataChanged();
        },
        Qt::QueuedConnection);
}

int TDataSet::RecordCount() const
{
    if (!m_active)
        return 0;
    if (m_allRead)
        return m_rows.RowCount();
    if (sourceCount() >= 0)
        return std::max(m_count, m_rows.RowCount());
    fetchTo(INT_MAX - 1, false);
    return m_rows.RowCount();
}

bool TDataSet::HasRow(int Row) const
{
    return Row >= 0 && fetchTo(Row, false);
}

int TDataSet::RowsUpTo(int Limit) const
{
    if (Limit <= 0)
        return 0;
    fetchTo(Limit - 1, false);
    return std::min(Limit, m_rows.RowCount());
}

void TDataSet::clearDataFields()
{
    for (TField *field : std::as_const(m_fields))
        if (field->IsData())
            field->m_column = -1;
    m_made.erase(
        std::remove_if(m_made.begin(), m_made.end(),
                       [](const std::unique_ptr<TField> &field) { return field->IsData(); }),
        m_made.end());
}

QList<TField *> TDataSet::PersistentFields() const
{
    QList<TField *> result;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto *field = dynamic_cast<TField *>(Components(i)))
            result.append(field);
    return result;
}

void TDataSet::rebuildFields(const TComponent *Going)
{
    QList<TField *> fields;
    for (TField *field : PersistentFields())
        if (static_cast<const TComponent *>(field) != Going)
            fields.append(field);
    if (fields.isEmpty())
        for (const auto &field : m_made)
            fields.append(field.get());
    m_fields = fields;
}

void TDataSet::bindFields(const std::vector<FieldDesc> &Columns, bool Raise)
{
    for (TField *field : PersistentFields()) {
        if (!field->IsData())
            continue;
        field->m_column = -1;
        for (std::size_t i = 0; i < Columns.size(); ++i)
            if (Columns[i].Name.compare(field->FieldName(), Qt::CaseInsensitive) == 0)
                field->m_column = int(i);
        if (field->m_column < 0 && Raise)
            throw EDatabaseError(
                QStringLiteral("%1: Field '%2' not found").arg(Name(), field->FieldName()));
        if (Raise && field->m_column >= 0 &&
            !TField::CanShow(field->DataType(), Columns[std::size_t(field->m_column)].DataType))
            throw EDatabaseError(
                QStringLiteral("%1: Field '%2' is of type %3, which the driver cannot give for "
                               "its column (%4)")
                    .arg(Name(), field->FieldName(),
                         QString::fromLatin1(
                             QMetaEnum::fromType<Db::TFieldType>().valueToKey(field->DataType())),
                         QString::fromLatin1(QMetaEnum::fromType<Db::TFieldType>().valueToKey(
                             Columns[std::size_t(field->m_column)].DataType))));
    }
}

void TDataSet::makeDataFields()
{
    clearDataFields();
    std::vector<std::unique_ptr<TField>> dataFields;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        auto field = std::make_unique<TField>();
        field->setFieldName(m_columns[i].Name);
        field->setDataType(m_columns[i].DataType);
        field->setSize(m_columns[i].Size);
        field->setAlignment(TField::DefaultAlignment(m_columns[i].DataType));
        field->m_column = int(i);
        field->m_dataSet = this;
        dataFields.push_back(std::move(field));
    }
    // Data fields come first, then the definitions that stayed while the set was closed.
    for (auto &definition : m_made)
        dataFields.push_back(std::move(definition));
    m_made = std::move(dataFields);
}

void TDataSet::fieldsChanged(const TComponent *Going)
{
    // The last persistent field went from an open data set: it shows the result's columns.
    if (m_active && !(ComponentState() & csDestroying)) {
        const QList<TField *> persistent = PersistentFields();
        const bool none = std::all_of(persistent.begin(), persistent.end(), [Going](TField *f) {
            return static_cast<const TComponent *>(f) == Going;
        });
        const bool haveData =
            std::any_of(m_made.begin(), m_made.end(), [](const auto &f) { return f->IsData(); });
        if (none && !haveData)
            makeDataFields();
    }
    rebuildFields(Going);
    if (m_active && !(ComponentState() & csDestroying)) {
        // The fields read their columns again; the rows read so far stay.
        bindFields(m_columns, false);
    }
    emit dataChanged();
}

void TDataSet::attachField(TField *Field)
{
    if (!Field || Field->m_dataSet == this)
        return;
    Field->m_dataSet = this;
    if (TDataSet *lookup = Field->LookupDataSet(); lookup && lookup != this)
        FreeNotification(lookup);
    fieldsChanged();
}

void TDataSet::MoveField(TField *Field, int Index)
{
    const QList<TField *> fields = PersistentFields();
    if (!Field || !fields.contains(Field) || fields.isEmpty())
        return;
    Field->SetComponentIndex(
        fields.at(std::clamp(Index, 0, int(fields.size()) - 1))->ComponentIndex());
    fieldsChanged();
}

std::vector<TDataSet::FieldDesc> TDataSet::ResultColumns()
{
    if (m_active)
        return m_columns;
    std::vector<FieldDesc> columns;
    std::vector<QVariantList> rows;
    try {
        InternalOpen(columns, rows, true);
    } catch (const EHostError &) {
        columns.clear();
    }
    return columns;
}

TField *TDataSet::Fields(int Index) const
{
    if (Index < 0 || Index >= FieldCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return m_fields.at(Index);
}

QList<TField *> TDataSet::FieldList() const
{
    return m_fields;
}

TField *TDataSet::FindField(const QString &FieldName) const
{
    for (TField *field : m_fields)
        if (field->FieldName().compare(FieldName, Qt::CaseInsensitive) == 0)
            return field;
    return nullptr;
}

TField *TDataSet::FieldByName(const QString &FieldName) const
{
    TField *field = FindField(FieldName);
    if (!field)
        throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(Name(), FieldName));
    return field;
}

void TDataSet::GetFieldNames(QStringList &List)
{
    List.clear();
    if (!m_active && PersistentFields().isEmpty()) {
        // A closed data set lists the columns its source would deliver, then its definitions.
        for (const FieldDesc &column : ResultColumns())
            List.append(column.Name);
    }
    for (const TField *field : m_fields)
        List.append(field->FieldName());
}

void TDataSet::GetFieldNames(TStrings *List)
{
    if (!List)
        return;
    QStringList names;
    GetFieldNames(names);
    List->SetLines(names);
}

TField *TDataSet::AddLookupField(const QString &Name, TDataSet *LookupDataSet,
                                 const QString &KeyFields, const QString &LookupKeyFields,
                                 const QString &LookupResultField, Db::TFieldType Type)
{
    if (FindField(Name))
        throw EDatabaseError(QStringLiteral("Duplicate field name '%1'").arg(Name));
    auto field = std::make_unique<TField>();
    field->setFieldName(Name);
    field->setFieldKind(Db::fkLookup);
    field->setDataType(Type);
    field->setKeyFields(KeyFields);
    field->setLookupKeyFields(LookupKeyFields);
    field->setLookupResultField(LookupResultField);
    field->setReadOnly(true);
    field->m_dataSet = this;
    field->setLookupDataSet(LookupDataSet);
    m_made.push_back(std::move(field));
    rebuildFields();
    emit dataChanged();
    return m_made.back().get();
}

TField *TDataSet::AddCalculatedField(const QString &Name, Db::TFieldType Type, TFieldCalcEvent Calc)
{
    if (FindField(Name))
        throw EDatabaseError(QStringLiteral("Duplicate field name '%1'").arg(Name));
    auto field = std::make_unique<TField>();
    field->setFieldName(Name);
    field->setFieldKind(Db::fkCalculated);
    field->setDataType(Type);
    field->setAlignment(TField::DefaultAlignment(Type));
    field->setReadOnly(true);
    field->OnCalcValue = std::move(Calc);
    field->m_dataSet = this;
    m_made.push_back(std::move(field));
    rebuildFields();
    emit dataChanged();
    return m_made.back().get();
}

void TDataSet::RemoveField(TField *Field)
{
    if (!Field || Field->IsData())
        return;
    const auto it =
        std::find_if(m_made.begin(), m_made.end(),
                     [Field](const std::unique_ptr<TField> &f) { return f.get() == Field; });
    if (it == m_made.end())
        return;
    m_made.erase(it);
    rebuildFields();
    emit dataChanged();
}

void TDataSet::setCursor(int recNo, bool bof, bool eof)
{
    const bool moved = recNo != m_recNo;
    m_recNo = recNo;
    m_bof = bof;
    m_eof = eof;
    if (moved)
        emit recordChanged();
}

void TDataSet::setRecNo(int Value)
{
    if (!m_active || !fetchTo(0, true)) {
        setCursor(0, true, true);
        return;
    }
    int recNo = std::max(Value, 1);
    if (!fetchTo(recNo - 1, true))
        recNo = m_rows.RowCount();
    setCursor(recNo, recNo == 1, false);
}

void TDataSet::Last()
{
    setRecNo(INT_MAX);
}

void TDataSet::Next()
{
    if (m_recNo >= 1 && fetchTo(m_recNo, true))
        setCursor(m_recNo + 1, false, false);
    else
        setCursor(m_recNo, m_bof, true);
}

void TDataSet::Prior()
{
    if (m_recNo > 1)
        setCursor(m_recNo - 1, false, false);
    else
        setCursor(m_recNo, true, m_eof);
}

int TDataSet::MoveBy(int Distance)
{
    const int before = m_recNo;
    if (IsEmpty())
        return 0;
    const int target = int(std::clamp<qint64>(qint64(m_recNo) + Distance, 0, INT_MAX));
    setRecNo(target);
    if (target > m_recNo)
        m_eof = true;
    if (target < 1)
        m_bof = true;
    return m_recNo - before;
}

int TDataSet::FindRow(const QString &KeyFields, const QVariantList &Values) const
{
    return findRow(KeyFields, Values, false);
}

int TDataSet::findRow(const QString &KeyFields, const QVariantList &Values, bool raise) const
{
    const QStringList names = splitNames(KeyFields);
    if (names.isEmpty() || names.size() != Values.size())
        return -1;
    QList<const TField *> fields;
    for (const QString &name : names) {
        const TField *field = FindField(name);
        if (!field)
            return -1;
        fields.append(field);
    }
    for (int row = 0; fetchTo(row, raise); ++row) {
        bool match = true;
        for (int i = 0; i < fields.size() && match; ++i)
            match = sameValue(FieldValue(row, fields[i]), Values[i]);
        if (match)
            return row;
    }
    return -1;
}

TBookmark TDataSet::GetBookmark() const
{
    return m_active && m_recNo > 0 ? TBookmark{m_recNo - 1, m_opening} : TBookmark{};
}

bool TDataSet::BookmarkValid(const TBookmark &Bookmark) const
{
    return m_active && !Bookmark.IsNull() && Bookmark.Opening == m_opening &&
           fetchTo(Bookmark.Row, false);
}

void TDataSet::GotoBookmark(const TBookmark &Bookmark)
{
    if (!m_active || Bookmark.IsNull() || Bookmark.Opening != m_opening ||
        !fetchTo(Bookmark.Row, true))
        throw EDatabaseError(QStringLiteral("%1: Record not found").arg(Name()));
    setCursor(Bookmark.Row + 1, Bookmark.Row == 0, false);
}

bool TDataSet::Locate(const QString &KeyFields, const QVariantList &Values)
{
    const int row = findRow(KeyFields, Values, true);
    if (row < 0)
        return false;
    setRecNo(row + 1);
    return true;
}

QVariant TDataSet::FieldValue(int Row, const TField *Field) const
{
    if (!Field || Field->m_dataSet != this || !HasRow(Row))
        return {};
    switch (Field->FieldKind()) {
    case Db::fkData: {
        return Field->m_column >= 0 && Field->m_column < m_rows.ColumnCount()
                   ? m_rows.Row(Row)[Field->m_column]
                   : QVariant();
    }
    case Db::fkLookup:
        return Field->lookupValue(Row);
    default:
        return Field->OnCalcValue ? Field->OnCalcValue(*this, Row) : QVariant();
    }
}

void TDataSet::SetFieldValue(int Row, TField *Field, const QVariant &Value)
{
    if (!Field || Field->m_dataSet != this || Row < 0 || !fetchTo(Row, true))
        throw EDatabaseError(QStringLiteral("%1: no such record or field").arg(Name()));
    if (!Field->IsData() || Field->ReadOnly())
        throw EDatabaseError(
            QStringLiteral("Field '%1' cannot be modified").arg(Field->FieldName()));
    if (Field->m_column < 0 || Field->m_column >= m_rows.ColumnCount())
        return;
    m_rows.Row(Row)[Field->m_column] = Value;
    // Read again, the block would lose the change: it stays while the data set is open.
    if (m_seekable)
        m_blockStates[std::size_t(Row / FetchBlockSize)].Changed = true;
    emit recordChanged();
}

void TDataSet::Notification(TComponent *AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (AComponent && AComponent->Owner() == this) {
        // A persistent field placed here or leaving (its own part may be gone already: compare
        // addresses only).
        if (Operation == TOperation::opInsert) {
            if (auto *field = dynamic_cast<TField *>(AComponent))
                attachField(field);
        } else {
            for (TField *field : std::as_const(m_fields))
                if (static_cast<TComponent *>(field) == AComponent) {
                    field->m_dataSet = nullptr;
                    field->m_column = -1;
                    fieldsChanged(AComponent);
                    break;
                }
        }
        return;
    }
    if (Operation != TOperation::opRemove)
        return;
    // The component is being destroyed: compare addresses only, and forget it before anyone
    // reads lookup values again.
    bool dropped = false;
    QList<TField *> all = m_fields;
    for (const auto &field : m_made)
        if (!all.contains(field.get()))
            all.append(field.get());
    for (TField *field : std::as_const(all)) {
        TDataSet *lookup = field->LookupDataSet();
        if (lookup && static_cast<TComponent *>(lookup) == AComponent) {
            field->m_LookupDataSet = nullptr;
            dropped = true;
        }
    }
    if (dropped)
        emit dataChanged();
}

void TDataSet::CheckInactive(const QString &What) const
{
    if (m_active)
        throw EDatabaseError(QStringLiteral("Cannot change %1 of an open data set").arg(What));
}

// ---- TField -------------------------------------------------------------------------------

TField::TField(QObject *AOwner) : QObject(), TComponent(AsComponent(AOwner))
{
    // The owner was told while this was not yet a field.
    if (auto *dataSet = dynamic_cast<TDataSet *>(Owner()))
        dataSet->attachField(this);
}

TField::~TField()
{
    if (TDataSet *dataSet = m_dataSet; dataSet && Owner() == dataSet) {
        m_dataSet = nullptr;
        dataSet->fieldsChanged(this);
    }
}

QString TField::DefaultComponentName(const QString &DataSetName, const QString &FieldName)
{
    QString name;
    for (const QChar c : DataSetName + FieldName)
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
            (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_'))
            name += c;
    if (name.isEmpty() || name.front().isDigit())
        name.prepend(QLatin1String("Field"));
    return name;
}

void TField::setLookupDataSet(TDataSet *Value)
{
    if (m_LookupDataSet == Value)
        return;
    m_LookupDataSet = Value;
    if (Value && m_dataSet && Value != m_dataSet)
        m_dataSet->FreeNotification(Value);
    Changed();
}

QString TField::DisplayName() const
{
    return DisplayLabel().isEmpty() ? FieldName() : DisplayLabel();
}

int TField::Index() const
{
    return m_dataSet ? int(m_dataSet->FieldList().indexOf(const_cast<TField *>(this))) : -1;
}

Vcl::TAlignment TField::DefaultAlignment(Db::TFieldType Type)
{
    if (IsNumeric(Type))
        return Vcl::taRightJustify;
    if (Type == Db::ftBoolean)
        return Vcl::taCenter;
    return Vcl::taLeftJustify;
}

bool TField::IsNumeric(Db::TFieldType Type)
{
    switch (Type) {
    case Db::ftSmallint:
    case Db::ftInteger:
    case Db::ftWord:
    case Db::ftFloat:
    case Db::ftCurrency:
    case Db::ftBCD:
    case Db::ftAutoInc:
    case Db::ftLargeint:
    case Db::ftFMTBcd:
        return true;
    default:
        return false;
    }
}

bool TField::CanShow(Db::TFieldType Field, Db::TFieldType Column)
{
    const auto isText = [](Db::TFieldType Type) {
        return Type == Db::ftString || Type == Db::ftWideString || Type == Db::ftFixedChar ||
               Type == Db::ftMemo;
    };
    const auto isMoment = [](Db::TFieldType Type) {
        return Type == Db::ftDateTime || Type == Db::ftTimeStamp;
    };
    return Field == Column || Field == Db::ftUnknown || Column == Db::ftUnknown || isText(Field) ||
           (IsNumeric(Field) && IsNumeric(Column)) || (isMoment(Field) && isMoment(Column));
}

QVariant TField::ValueAt(int Row) const
{
    return m_dataSet ? m_dataSet->FieldValue(Row, this) : QVariant();
}

QVariant TField::Value() const
{
    return m_dataSet ? m_dataSet->FieldValue(m_dataSet->RecNo() - 1, this) : QVariant();
}

void TField::SetValue(const QVariant &Value)
{
    if (!m_dataSet)
        throw EDatabaseError(QStringLiteral("Field '%1' has no data set").arg(FieldName()));
    m_dataSet->SetFieldValue(m_dataSet->RecNo() - 1, this, Value);
}

QString TField::DisplayTextOf(const QVariant &Value) const
{
    if (Value.isNull() || !Value.isValid())
        return {};
    const QLocale locale;
    switch (DataType()) {
    case Db::ftBoolean:
        return Value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Db::ftCurrency:
        return locale.toString(Value.toDouble(), 'f', 2);
    case Db::ftFloat:
    case Db::ftBCD:
    case Db::ftFMTBcd:
        return locale.toString(Value.toDouble(), 'g', 15);
    case Db::ftDate:
        return Value.toDate().isValid() ? locale.toString(Value.toDate(), QLocale::ShortFormat)
                                        : Value.toString();
    case Db::ftTime:
        return Value.toTime().isValid() ? locale.toString(Value.toTime(), QLocale::LongFormat)
                                        : Value.toString();
    case Db::ftDateTime:
    case Db::ftTimeStamp:
        return Value.toDateTime().isValid()
                   ? locale.toString(Value.toDateTime(), QLocale::ShortFormat)
                   : Value.toString();
    case Db::ftBlob:
    case Db::ftGraphic:
        return QStringLiteral("(BLOB)");
    default:
        return Value.toString();
    }
}

QVariant TField::lookupValue(int Row) const
{
    TDataSet *lookup = LookupDataSet();
    if (!lookup || !m_dataSet)
        return {};
    QVariantList keys;
    for (const QString &name : splitNames(KeyFields())) {
        const TField *key = m_dataSet->FindField(name);
        if (key == this)
            return {};
        if (key) {
            keys.append(m_dataSet->FieldValue(Row, key));
            continue;
        }
        // A key that is a column of the result without a field of its own.
        const auto &columns = m_dataSet->m_columns;
        const auto column = std::find_if(columns.begin(), columns.end(), [&](const auto &c) {
            return c.Name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (column == columns.end() || !m_dataSet->HasRow(Row))
            return {};
        keys.append(m_dataSet->m_rows.Row(Row)[column - columns.begin()]);
    }
    const int found = lookup->FindRow(LookupKeyFields(), keys);
    return found < 0 ? QVariant()
                     : lookup->FieldValue(found, lookup->FindField(LookupResultField()));
}

void TField::Assign(const TPersistent *Source)
{
    const auto *source = dynamic_cast<const TField *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    AssignPublishedProperties(this, source);
    OnCalcValue = source->OnCalcValue;
}

TPersistent *TField::GetOwner() const
{
    if (Owner())
        return Owner();
    return m_dataSet;
}

QString TField::GetNamePath() const
{
    if (!Name().isEmpty())
        return Name();
    return m_dataSet && !m_dataSet->Name().isEmpty() ? m_dataSet->Name() + FieldName()
                                                     : FieldName();
}

void TField::Changed()
{
    emit changed();
    // A persistent field of an open data set may read another column now (its name or kind
    // changed).
    if (m_dataSet && Owner() == m_dataSet)
        m_dataSet->fieldsChanged();
    else if (m_dataSet)
        emit m_dataSet->dataChanged();
}

// ---- TDataSource --------------------------------------------------------------------------

TDataSource::TDataSource(QObject *AOwner) : QObject(), TComponent(AsComponent(AOwner)) {}

TDataSource::~TDataSource()
{
    for (const auto &connection : std::as_const(m_connections))
        disconnect(connection);
}

void TDataSource::setDataSet(TDataSet *Value)
{
    if (m_dataSet == Value)
        return;
    for (const auto &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_dataSet = Value;
    if (Value) {
        m_connections.append(
            connect(Value, &TDataSet::dataChanged, this, &TDataSource::dataChanged));
        m_connections.append(
            connect(Value, &TDataSet::recordChanged, this, &TDataSource::recordChanged));
        // The pointer is already cleared when the data set's QObject part announces its end.
        m_connections.append(connect(Value, &QObject::destroyed, this, &TDataSource::dataChanged));
    }
    emit dataChanged();
}

void TDataSource::Notification(TComponent *AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove || !DropLink(m_dataSet, AComponent))
        return;
    for (const auto &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    emit dataChanged();
}

QString JoinSentences(const QString &Ours, const QString &Theirs)
{
    const auto sentence = [](const QString &Text) {
        QString text = Text.simplified();
        if (text.isEmpty())
            return text;
        text[0] = text.at(0).toUpper();
        if (!text.endsWith(QLatin1Char('.')) && !text.endsWith(QLatin1Char('!')) &&
            !text.endsWith(QLatin1Char('?')))
            text += QLatin1Char('.');
        return text;
    };
    const QString ours = sentence(Ours);
    const QString theirs = sentence(Theirs);
    if (ours.isEmpty() || theirs.isEmpty())
        return ours + theirs;
    return ours + QLatin1Char(' ') + theirs;
}
