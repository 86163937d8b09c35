#pragma once
// Data access: fields, data sets that buffer the rows they read, and data sources that link
// data-aware controls to a data set.
//
// A data set reads its rows in blocks as they are needed: the rows a control shows, moving to a
// record, searching. A source that can read again from any row (see InternalSeek) lets the data
// set hold only a window of blocks (BlockWindow): the ones used last, the current record's and
// any with changed values stay, the others are let go of and read again when a row of theirs is
// wanted. Going far ahead (the last record) reads the block there straight away when the source
// can count its records. A source that reads only forward keeps every block it has read until
// the data set closes. Controls read by row index and follow the current record (RecNo).
// Reading for display never raises: a failed read stops the data set at what it had read, keeps
// the message (LastError) and reports it once control returns to the event loop. Moving the
// cursor raises EDatabaseError. Without persistent fields, data fields are made from the result
// columns each time the data set opens, and lookup and calculated fields added in code are
// definitions that stay across Close and Open. Fields the data set owns as components are its
// persistent fields: once it has any, it shows exactly those, in their order, and each data field
// reads the result column of its name.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "hosterrors.h"
#include "korruntime_export.h"
#include "persistent.h"
#include "published.h"
#include "vcltypes.h"

class TStrings;
class TDataSet;
class TField;

namespace Db {
Q_NAMESPACE_EXPORT(KORRUNTIME_EXPORT)

enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftVariant,
    ftGuid,
    ftTimeStamp,
    ftFMTBcd,
};
Q_ENUM_NS(TFieldType)

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };
Q_ENUM_NS(TFieldKind)

enum TSQLCommandType { ctQuery, ctTable };
Q_ENUM_NS(TSQLCommandType)

} // namespace Db

// A database call that failed, or a field or record that does not exist.
class KORRUNTIME_EXPORT EDatabaseError : public EHostError {
public:
    using EHostError::EHostError;
};

// The one place a message of ours and the text a driver or database gave are joined: each is a
// sentence of its own, starting with a capital and ending with a full stop ("Unable to execute
// statement. Near \"FORM\": syntax error."). An empty part is left out.
KORRUNTIME_EXPORT QString JoinSentences(const QString &Ours, const QString &Theirs);

// The rows a data set has read: the values of each row side by side, in blocks of a fixed number
// of rows, so reading a row costs no allocation of its own and memory grows a block at a time.
// A block can be let go of and put back later; the rows it spans stay counted meanwhile.
class KORRUNTIME_EXPORT TRowBuffer {
public:
    static constexpr int BlockRows = 256;

    // Empties the buffer and sets the number of values in a row.
    void Reset(int ColumnCount);
    int ColumnCount() const { return m_columns; }
    // The rows the buffer spans, held or not.
    int RowCount() const { return m_rows; }
    bool IsEmpty() const { return m_rows == 0; }
    // The values of a row (0-based) of a held block, ColumnCount of them.
    QVariant *Row(int Index) { return rowAt(Index); }
    const QVariant *Row(int Index) const { return rowAt(Index); }
    // Appends a row of null values; answers it to fill in.
    QVariant *AppendRow();
    void AppendRow(const QVariantList &Values);

    int BlockCount() const { return int(m_blocks.size()); }
    bool IsHeld(int Block) const
    {
        return Block >= 0 && Block < BlockCount() && m_blocks[std::size_t(Block)];
    }
    // Frees a block's values; its rows stay counted.
    void Release(int Block);
    // Puts the rows of Rows (at most BlockRows, read into a buffer of their own) in place as
    // block Block; the buffer spans at least up to its last row afterwards.
    void Place(int Block, TRowBuffer &&Rows);
    // Ends the rows at Count: the result turned out to have no more.
    void Truncate(int Count);

private:
    QVariant *rowAt(int index) const
    {
        return m_blocks[std::size_t(index / BlockRows)].get() +
               std::size_t(index % BlockRows) * std::size_t(m_columns);
    }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::unique_ptr<QVariant[]>> m_blocks;
};

// The place of a record, to go back to while its data set stays open.
struct TBookmark {
    int Row = -1;
    quint64 Opening = 0; // which opening of the data set it was taken in
    bool IsNull() const { return Row < 0; }
};

// Calculates a calculated field's value for one record (0-based row) of its data set.
using TFieldCalcEvent = std::function<QVariant(const TDataSet &DataSet, int Row)>;

class KORRUNTIME_EXPORT TDataSet : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE setActive)
    KOR_PUBLISHED(tkEnumeration, "Boolean", Active, "false")

public:
    explicit TDataSet(QObject *AOwner = nullptr);
    ~TDataSet() override;

    bool Active() const { return m_active; }
    void setActive(bool Value);
    // Reads the rows; raises EDatabaseError when the data cannot be read (the set stays closed).
    void Open();
    void Close();
    // Reads the data again and goes back to the record that was current (the one whose data values
    // are the same), or to the same record number when that record is gone.
    void Refresh();

    // Fields in order: the persistent fields; without any, the data fields of the open data set,
    // then the lookup and calculated definitions.
    int FieldCount() const { return int(m_fields.size()); }
    TField *Fields(int Index) const;
    // Every field including the children of object fields, in order.
    QList<TField *> FieldList() const;
    TField *FindField(const QString &FieldName) const;
    // Like FindField, but raises EDatabaseError when there is no such field.
    TField *FieldByName(const QString &FieldName) const;
    // The names of the fields; a closed data set asks its source for the result columns.
    void GetFieldNames(TStrings *List);
    void GetFieldNames(QStringList &List);

    // Field definitions that live across Close and Open. The data set owns the new field.
    TField *AddLookupField(const QString &Name, TDataSet *LookupDataSet, const QString &KeyFields,
                           const QString &LookupKeyFields, const QString &LookupResultField,
                           Db::TFieldType Type = Db::ftString);
    TField *AddCalculatedField(const QString &Name, Db::TFieldType Type, TFieldCalcEvent Calc);
    // Removes a lookup or calculated definition; data fields go with Close.
    void RemoveField(TField *Field);

    // The fields this data set owns as components, in order.
    QList<TField *> PersistentFields() const;
    // Moves a persistent field to Index among the persistent fields.
    void MoveField(TField *Field, int Index);

    // A column of the result: its name, field type and size.
    struct FieldDesc {
        QString Name;
        Db::TFieldType DataType = Db::ftUnknown;
        int Size = 0;
    };
    // The columns the source delivers, whether or not fields show them; the open data set's own,
    // else asked of the source (none when it cannot say).
    std::vector<FieldDesc> ResultColumns();

    // Records. RecordCount asks the source when it can count without reading the rows, else it
    // reads them all.
    int RecordCount() const;
    bool IsEmpty() const { return !HasRow(0); }
    // True when the record in the row (0-based) exists; reads the blocks up to it as needed.
    bool HasRow(int Row) const;
    // The number of records, but no more than Limit: reads no further than that.
    int RowsUpTo(int Limit) const;
    // The rows known so far (read, whether or not still held), and whether they are all there
    // are.
    int RowsRead() const { return m_rows.RowCount(); }
    bool AllRowsRead() const { return m_allRead; }
    // How many blocks of rows are held in memory now.
    int BlocksHeld() const { return int(m_held.size()); }
    // Why the last read failed; empty after a read that went well or a new Open.
    QString LastError() const { return m_lastError; }
    // Rows are read in blocks of this many.
    static constexpr int FetchBlockSize = TRowBuffer::BlockRows;
    // How many blocks of rows the data set holds at most besides the current record's and those
    // with changed values, when its source can read them again (at least 2). A new data set
    // takes DefaultBlockWindow.
    int BlockWindow() const { return m_blockWindow; }
    void setBlockWindow(int Value);
    static int DefaultBlockWindow();
    static void setDefaultBlockWindow(int Value);

    // The current record, 1-based; 0 when there is none.
    int RecNo() const { return m_recNo; }
    void setRecNo(int Value);
    void First() { setRecNo(1); }
    void Last();
    void Next();
    void Prior();
    int MoveBy(int Distance);
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    // Moves to the first record whose fields (names separated by ';') hold Values; true when one
    // was found.
    bool Locate(const QString &KeyFields, const QVariantList &Values);
    // The row (0-based) of the first record with those values, -1 when none.
    int FindRow(const QString &KeyFields, const QVariantList &Values) const;
    // The current record's place (null without one); GotoBookmark makes it current again, and
    // raises EDatabaseError for a bookmark of another opening or a record that is gone.
    TBookmark GetBookmark() const;
    bool BookmarkValid(const TBookmark &Bookmark) const;
    void GotoBookmark(const TBookmark &Bookmark);

    // The stored value of a data field in a row (0-based); lookup and calculated fields work
    // their value out. An invalid row or a detached field gives a null value.
    QVariant FieldValue(int Row, const TField *Field) const;
    // Changes a buffered data value; raises EDatabaseError for a read-only or non-data field.
    void SetFieldValue(int Row, TField *Field, const QVariant &Value);

signals:
    // Opened, closed, refreshed, or fields changed.
    void dataChanged();
    // The current record moved or its values changed.
    void recordChanged();

protected:
    // Reads the result's columns and, unless DefsOnly, the rows that are at hand at once (a data
    // set over memory gives them all; one that reads on demand gives none and the rest through
    // InternalFetch). Raises EDatabaseError.
    virtual void InternalOpen(std::vector<FieldDesc> &Columns, std::vector<QVariantList> &Rows,
                              bool DefsOnly) = 0;
    // Appends up to Count more rows; answering fewer means the result is at its end. Raises
    // EDatabaseError when the rows cannot be read.
    virtual int InternalFetch(TRowBuffer &Rows, int Count);
    // The number of records when the source can tell it without reading them, else -1.
    virtual int InternalRecordCount();
    // Whether the open source can start reading again at any row (InternalSeek). Only then does
    // the data set let go of blocks it has read.
    virtual bool InternalCanSeek() const { return false; }
    // Makes the next InternalFetch start at the row (0-based); false when it cannot. Raises
    // EDatabaseError when the rows cannot be read.
    virtual bool InternalSeek(int Row);
    // Lets go of whatever InternalOpen keeps for reading on (closing, a failed read, or all rows
    // read from a source that cannot read them again).
    virtual void InternalClose() {}
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void CheckInactive(const QString &What) const;

private:
    friend class TField;
    void clearDataFields();
    // Makes a data field of each of the open data set's columns, before the definitions.
    void makeDataFields();
    // Sets the field order from the persistent fields (leaving out Going) or the made ones.
    void rebuildFields(const TComponent *Going = nullptr);
    // A persistent field came or went: the field list follows, and an open data set opens
    // again so that the fields read their columns.
    void fieldsChanged(const TComponent *Going = nullptr);
    void attachField(TField *Field);
    // Binds the persistent data fields to the result's columns. A field whose column the result
    // does not have reads nothing; with Raise, EDatabaseError names it instead.
    void bindFields(const std::vector<FieldDesc> &Columns, bool Raise);
    void setCursor(int recNo, bool bof, bool eof);
    // Reads until the row is buffered or the result ends; true when the row exists. A failed read
    // raises when Raise, else it is reported later.
    bool fetchTo(int row, bool raise) const;
    // Reads the block into place, from the source's position or after a seek; a short read
    // marks the end of the result.
    void readBlock(int block) const;
    // Marks the block used now, holding it; lets go of the least recently used ones beyond the
    // window.
    void useBlock(int block) const;
    void releaseBlocks() const;
    // The number of records the source tells, asked once per opening; -1 when it cannot tell.
    int sourceCount() const;
    void stopReading(const QString &message, bool report) const;
    int findRow(const QString &KeyFields, const QVariantList &Values, bool raise) const;
    // The names and values of the current record's data fields, to find it again.
    bool currentKey(QString &names, QVariantList &values) const;

    bool m_active = false;
    QList<TField *> m_fields;
    // The fields made here: data fields of the open data set, then the definitions.
    std::vector<std::unique_ptr<TField>> m_made;
    std::vector<FieldDesc> m_columns;
    mutable TRowBuffer m_rows;
    mutable bool m_allRead = true;
    mutable int m_count = -1; // the count the source told, -1 when not asked yet or unknown
    mutable bool m_countAsked = false;
    // The source reads again from any row; while it is open, the row its next fetch gives.
    bool m_seekable = false;
    mutable bool m_sourceOpen = false;
    mutable int m_sourceAt = 0;
    // Per block: when it was last used (0: not held) and whether a value in it changed.
    struct BlockState {
        quint64 Used = 0;
        bool Changed = false;
    };
    mutable std::vector<BlockState> m_blockStates;
    mutable std::vector<int> m_held; // the blocks held, in no order
    mutable quint64 m_useClock = 0;
    int m_blockWindow;
    quint64 m_opening = 0;
    mutable QString m_lastError;
    int m_recNo = 0;
    bool m_bof = true;
    bool m_eof = true;
};

// A field of a data set. A field made with a data set as its owner is one of its persistent
// fields, a component named and kept like the others of the form.
class KORRUNTIME_EXPORT TField : public QObject, public TComponent {
    Q_OBJECT
    // Only a data set owns fields (see CanOwn).
    Q_CLASSINFO("OwnerClass", "TDataSet")
    KOR_STRING(FieldName)
    KOR_ENUM(Db::TFieldKind, FieldKind, Db::fkData)
    KOR_ENUM(Db::TFieldType, DataType, Db::ftUnknown)
    KOR_INTEGER(Size, 0)
    KOR_STRING(DisplayLabel)
    KOR_INTEGER(DisplayWidth, 0)
    KOR_ENUM(Vcl::TAlignment, Alignment, Vcl::taLeftJustify)
    KOR_BOOLEAN(Visible, true)
    KOR_BOOLEAN(ReadOnly, false)
    KOR_BOOLEAN(Required, false)
    // Lookup fields: the key fields of this data set, the matching fields of LookupDataSet and
    // the field of LookupDataSet whose value the lookup field shows.
    KOR_STRING(KeyFields)
    KOR_STRING(LookupKeyFields)
    KOR_STRING(LookupResultField)
    Q_PROPERTY(TDataSet *LookupDataSet READ LookupDataSet WRITE setLookupDataSet)
    KOR_PUBLISHED(tkClass, "TDataSet", LookupDataSet, "")

public:
    Q_INVOKABLE explicit TField(QObject *AOwner = nullptr);
    ~TField() override;

    TDataSet *LookupDataSet() const { return m_LookupDataSet.data(); }
    // The field's data set is told when the lookup data set goes.
    void setLookupDataSet(TDataSet *Value);

    TDataSet *DataSet() const { return m_dataSet; }
    // The field's name qualified by its parent object field; fields here have no parent, so it
    // is the field name.
    QString FullName() const { return FieldName(); }
    // The label a grid title shows: DisplayLabel, or the field name.
    QString DisplayName() const;
    // Position among the data set's fields, -1 when detached.
    int Index() const;
    bool IsData() const { return FieldKind() == Db::fkData; }
    bool IsLookup() const { return FieldKind() == Db::fkLookup; }
    bool IsCalculated() const { return FieldKind() == Db::fkCalculated; }
    // Default alignment and display width for the data type.
    static Vcl::TAlignment DefaultAlignment(Db::TFieldType Type);
    static bool IsNumeric(Db::TFieldType Type);
    // Whether a field of type Field can show a result column of type Column: the same type, both
    // numbers, both date and time, or a field of text (every value reads as text).
    static bool CanShow(Db::TFieldType Field, Db::TFieldType Column);

    // The value in a record (0-based row) and in the current record.
    QVariant ValueAt(int Row) const;
    QVariant Value() const;
    void SetValue(const QVariant &Value);
    bool IsNull() const { return Value().isNull(); }
    QString AsString() const { return DisplayTextOf(Value()); }
    int AsInteger() const { return Value().toInt(); }
    double AsFloat() const { return Value().toDouble(); }
    bool AsBoolean() const { return Value().toBool(); }
    // The text a control shows for a value of this field.
    QString DisplayTextOf(const QVariant &Value) const;

    // Calculated fields: how the value of a record is worked out.
    TFieldCalcEvent OnCalcValue;

    void Assign(const TPersistent *Source) override;
    TPersistent *GetOwner() const override;
    QString GetNamePath() const override;
    // Data set name + field name with what is not a letter, digit or '_' left out
    // ("CustomersCompany"): the name a new persistent field is given before it is made unique.
    static QString DefaultComponentName(const QString &DataSetName, const QString &FieldName);

signals:
    void changed();

private:
    friend class TDataSet;
    void Changed();
    QVariant lookupValue(int Row) const;

    TDataSet *m_dataSet = nullptr;
    QPointer<TDataSet> m_LookupDataSet;
    int m_column = -1; // data fields: the result column the value is read from
};

class KORRUNTIME_EXPORT TDataSource : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE setDataSet)
    KOR_PUBLISHED(tkClass, "TDataSet", DataSet, "")
    KOR_BOOLEAN(Enabled, true)
    KOR_BOOLEAN(AutoEdit, true)

public:
    Q_INVOKABLE explicit TDataSource(QObject *AOwner = nullptr);
    ~TDataSource() override;

    TDataSet *DataSet() const { return m_dataSet.data(); }
    void setDataSet(TDataSet *Value);

signals:
    // The linked data set changed, was opened, closed or deleted.
    void dataChanged();
    void recordChanged();

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    void Changed() { emit dataChanged(); }

    QPointer<TDataSet> m_dataSet;
    QList<QMetaObject::Connection> m_connections;
};
