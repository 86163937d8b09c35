#pragma once
// Grid columns: TKorColumn with its title, report settings and total rows, and the grid's
// column collection TKorDBGridColumns.
//
// Several column and title properties follow the grid or the field until the column sets them
// (Color, Font, Width, Alignment, ReadOnly; Title.Caption, Title.Color, Title.Font): they are
// stored only once assigned, and RestoreDefaults makes them follow again.
//
// Expand groups: a column whose ExpandCols is above 0 heads a group made of itself and the next
// ExpandCols columns (nested groups are clamped to their parent's). Columns inside one group
// share a group reference (Group); the columns of the top level share the collection.

#include <vector>

#include "collection.h"
#include "columntotal.h"
#include "db.h"
#include "font.h"
#include "imagelist.h"
#include "korenums.h"
#include "lookupproperties.h"
#include "menus.h"
#include "ownedpersistent.h"
#include "published.h"
#include "stringlist.h"

class TKorColumn;
class TKorCustomDBGrid;

class KORRUNTIME_EXPORT TKorColumnTitle : public TOwnedPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    KOR_PUBLISHED(tkLString, "string", Caption, "")
    KOR_STORED(Caption, IsCaptionStored)
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    KOR_PUBLISHED(tkInteger, "TColor", Color, "NoDefault")
    KOR_STORED(Color, IsColorStored)
    Q_PROPERTY(TFont *Font READ Font WRITE setFont)
    KOR_PUBLISHED(tkClass, "TFont", Font, "")
    KOR_STORED(Font, IsFontStored)
    KOR_ENUM(Vcl::TAlignment, Alignment, Vcl::taLeftJustify)
    KOR_ENUM(Kor::TKorVerticalAlignment, VAlignment, Kor::vaCenter)
    KOR_STRING(Header)
    KOR_STRING(HeaderHint)
    KOR_STRING(Hint)
    KOR_BOOLEAN(AutoFilter, false)
    KOR_BOOLEAN(AutoToggle, false)
    KOR_BOOLEAN(Button, false)
    KOR_SET(Kor::TKorAutoFilters, AutoFilters, (Kor::afFilterList | Kor::afFilterForm))
    KOR_BOOLEAN(Ellipsis, false)
    KOR_BOOLEAN(WordWrap, false)
    KOR_INTEGER(ImageIndex, -1)
    KOR_INTEGER(MarkerIndex, -1)
    KOR_LINK(TPopupMenu, DropDownMenu)
    KOR_LINK(TPopupMenu, PopupMenu)

public:
    explicit TKorColumnTitle(TKorColumn *Column);
    ~TKorColumnTitle() override;

    TKorColumn *Column() const { return m_column; }

    // The field's display name (or the column's field name) until a caption is set.
    QString Caption() const;
    void setCaption(const QString &Value);
    // The grid's FixedColor until a colour is set.
    TColor Color() const;
    void setColor(TColor Value);
    // The grid's TitleFont until the font is changed.
    TFont *Font() const;
    void setFont(TFont *Value);
    Q_INVOKABLE bool IsCaptionStored() const { return m_captionAssigned; }
    Q_INVOKABLE bool IsColorStored() const { return m_colorAssigned; }
    Q_INVOKABLE bool IsFontStored() const { return m_fontAssigned; }
    QString DefaultCaption() const;

    // Makes caption, colour and font follow the field and the grid again.
    void RestoreDefaults();
    // Clears the links to a component that is going away.
    void DropLinks(TComponent *Gone);
    void Assign(const TPersistent *Source) override;

private:
    friend class TKorColumn;
    void fontChanged();
    void syncFont() const;

    TKorColumn *m_column;
    QString m_caption;
    TColor m_color = clDefault;
    std::unique_ptr<TFont> m_font;
    bool m_captionAssigned = false;
    bool m_colorAssigned = false;
    bool m_fontAssigned = false;
    mutable bool m_syncingFont = false;
};

class KORRUNTIME_EXPORT TKorColumnReport : public TOwnedPersistent {
    Q_OBJECT
    KOR_SET(Kor::TKorColumnDialogOptions, DialogOptions, (Kor::cdoShowColumn | Kor::cdoItemEnabled))
    KOR_BOOLEAN(Visible, true)
    KOR_BOOLEAN(AutoHeight, false)
    KOR_ENUM(Kor::TKorReportTotalType, TotalType, Kor::rttNone)
    KOR_STRING(TotalText)
    KOR_STRING(TotalMask)

public:
    explicit TKorColumnReport(TKorColumn *Column);
};

class KORRUNTIME_EXPORT TKorColumn : public TCollectionItem {
    Q_OBJECT
    // Data.
    Q_PROPERTY(QString FieldName READ FieldName WRITE setFieldName)
    KOR_PUBLISHED(tkLString, "string", FieldName, "")
    KOR_STRING(KeyField)
    KOR_BOOLEAN(Visible, true)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
    KOR_PUBLISHED(tkEnumeration, "Boolean", ReadOnly, "NoDefault")
    KOR_STORED(ReadOnly, IsReadOnlyStored)
    // Look.
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    KOR_PUBLISHED(tkInteger, "TColor", Color, "NoDefault")
    KOR_STORED(Color, IsColorStored)
    Q_PROPERTY(TFont *Font READ Font WRITE setFont)
    KOR_PUBLISHED(tkClass, "TFont", Font, "")
    KOR_STORED(Font, IsFontStored)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    KOR_PUBLISHED(tkInteger, "Integer", Width, "NoDefault")
    KOR_STORED(Width, IsWidthStored)
    Q_PROPERTY(Vcl::TAlignment Alignment READ Alignment WRITE setAlignment)
    KOR_PUBLISHED(tkEnumeration, "TAlignment", Alignment, "NoDefault")
    KOR_STORED(Alignment, IsAlignmentStored)
    KOR_ENUM(Kor::TKorVerticalAlignment, VAlignment, Kor::vaCenter)
    KOR_BOOLEAN(Ellipsis, false)
    KOR_BOOLEAN(WordWrap, false)
    KOR_OBJECT(TKorColumnTitle, Title)
    // Hints.
    KOR_STRING(Hint)
    KOR_STRING(EditorHint)
    KOR_BOOLEAN(ToolTips, false)
    KOR_BOOLEAN(ToolTipsWidth, false)
    // Width limits.
    KOR_INTEGER(WidthBase, 0)
    KOR_INTEGER(WidthMin, -1)
    KOR_INTEGER(WidthMax, -1)
    // Editing.
    KOR_BOOLEAN(ShowEdit, true)
    KOR_BOOLEAN(EditMemo, false)
    KOR_BOOLEAN(ShowBlob, false)
    KOR_BOOLEAN(SuppressRTL, false)
    KOR_ENUM(Vcl::TEditCharCase, CharCase, Vcl::ecNormal)
    KOR_ENUM(Kor::TKorColumnButtonStyle, ButtonStyle, Kor::cbsAuto)
    KOR_ENUM(Kor::TKorTitleButtonStyle, TitleButtonStyle, Kor::ttbNone)
    KOR_ENUM(Kor::TKorCalendarDepth, CalendarDepth, Kor::cdDays)
    KOR_BOOLEAN(AutoNumber, false)
    KOR_INTEGER(DropDownRows, 8)
    KOR_INTEGER(DropDownWidth, 0)
    KOR_LINK(TPopupMenu, DropDownMenu)
    KOR_LINK(TPopupMenu, PopupMenu)
    KOR_SET(Kor::TKorListOptions, ListOptions, (Kor::loAutoDropDown | Kor::loShowToday))
    KOR_BOOLEAN(MultiSelectList, false)
    KOR_ENUM(Kor::TKorMultiSelectText, MultiSelectText, Kor::mstValues)
    KOR_CHAR(DelimiterChar, 0x3B)
    KOR_BOOLEAN(DelimiterLine, false)
    // Check boxes.
    KOR_BOOLEAN(CheckBox, false)
    KOR_BOOLEAN(CheckBoxThemed, true)
    KOR_ENUM(Kor::TKorCheckBoxStyle, CheckBoxStyle, Kor::cksCheck)
    KOR_ENUM(Kor::TKorCheckBoxToggle, CheckBoxToggle, Kor::ctgClick)
    KOR_ENUM(Kor::TKorCheckBoxKind, CheckBoxKind, Kor::ckBoolean)
    KOR_STRING(CheckBoxValues)
    // Expand boxes and groups.
    KOR_BOOLEAN(ExpandBox, false)
    KOR_BOOLEAN(ExpandBoxTree, false)
    KOR_BOOLEAN(ExpandBoxThemed, true)
    KOR_ENUM(Kor::TKorExpandBoxSize, ExpandBoxSize, Kor::ebsSmall)
    KOR_ENUM(Kor::TKorExpandBoxToggle, ExpandBoxToggle, Kor::ebtClick)
    KOR_ENUM(Kor::TKorExpandStyle, ExpandStyle, Kor::exsBox)
    KOR_INTEGER(ExpandCols, 0)
    KOR_BOOLEAN(Expanded, true)
    // Images.
    KOR_LINK(TCustomImageList, Images)
    KOR_ENUM(Kor::TKorImageDraw, ImageDraw, Kor::idDefault)
    KOR_INTEGER(ImageMargin, 0)
    KOR_INTEGER(ImageOffsetX, 0)
    KOR_INTEGER(ImageOffsetY, 0)
    KOR_BOOLEAN(QuickDraw, false)
    KOR_BOOLEAN(Transparent, false)
    KOR_COLOR(TransparentColor, clDefault)
    KOR_BOOLEAN(Wallpaper, false)
    // Pick lists and filters.
    KOR_OBJECT(TStrings, PickList)
    KOR_OBJECT(TStrings, PickText)
    KOR_STRING(PickTextFormat)
    KOR_SET(Kor::TKorPickOptions, PickOptions, ())
    KOR_OBJECT(TStrings, FilterList)
    KOR_STRING(FilterText)
    // Lookup.
    KOR_LOOKUP_PROPERTIES
    // Dialogs, report and totals.
    KOR_SET(Kor::TKorColumnDialogOptions, DialogOptions, (Kor::cdoShowColumn | Kor::cdoItemEnabled))
    KOR_OBJECT(TKorColumnReport, Report)
    KOR_OBJECT(TKorColumnTotal, TotalHeader)
    KOR_OBJECT(TKorColumnTotal, TotalFields)
    KOR_OBJECT(TKorColumnTotal, TotalFooter)
    KOR_OBJECT(TKorColumnTotalValues, TotalValues)

public:
    Q_INVOKABLE explicit TKorColumn(TCollection *Collection = nullptr);
    ~TKorColumn() override;

    // The grid whose Columns hold this column, or nullptr.
    TKorCustomDBGrid *Grid() const;
    // The field of the grid's data set that FieldName names, or nullptr.
    TField *Field() const;
    // The field name, or the class name for a column without one.
    QString DisplayName() const override;

    QString FieldName() const { return m_fieldName; }
    void setFieldName(const QString &Value);
    bool ReadOnly() const;
    void setReadOnly(bool Value);
    TColor Color() const;
    void setColor(TColor Value);
    TFont *Font() const;
    void setFont(TFont *Value);
    int Width() const;
    void setWidth(int Value);
    Vcl::TAlignment Alignment() const;
    void setAlignment(Vcl::TAlignment Value);
    Q_INVOKABLE bool IsReadOnlyStored() const { return m_assigned & avReadOnly; }
    Q_INVOKABLE bool IsColorStored() const { return m_assigned & avColor; }
    Q_INVOKABLE bool IsFontStored() const { return m_assigned & avFont; }
    Q_INVOKABLE bool IsWidthStored() const { return m_assigned & avWidth; }
    Q_INVOKABLE bool IsAlignmentStored() const { return m_assigned & avAlignment; }
    // Values the column uses while the matching property is not assigned.
    TColor DefaultColor() const;
    int DefaultWidth() const;
    Vcl::TAlignment DefaultAlignment() const;
    bool DefaultReadOnly() const;

    // Heads an expand group (ExpandCols above 0).
    bool Expandable() const { return ExpandCols() > 0; }
    // Index of the last column of the group this column heads (its own index when it heads none).
    int ExpandIndex() const;
    // The reference shared by the columns that move together; compare only for equality.
    const QObject *Group() const;

    // Makes every property that follows the grid or the field follow it again, the title's too.
    virtual void RestoreDefaults();
    // Clears the links (its own, its title's and its total rows') to a component going away.
    void DropLinks(TComponent *Gone);
    void Assign(const TPersistent *Source) override;
    // The column changed: the grid repaints.
    void Changed();

private:
    enum AssignedValue { avColor = 1, avFont = 2, avWidth = 4, avAlignment = 8, avReadOnly = 16 };
    void fontChanged();
    void syncFont() const;

    QString m_fieldName;
    TColor m_color = clDefault;
    std::unique_ptr<TFont> m_font;
    int m_width = 64;
    Vcl::TAlignment m_alignment = Vcl::taLeftJustify;
    bool m_readOnly = false;
    int m_assigned = 0;
    mutable bool m_syncingFont = false;
};

class KORRUNTIME_EXPORT TKorDBGridColumns : public TCollection {
    Q_OBJECT
public:
    explicit TKorDBGridColumns(TKorCustomDBGrid *Grid);
    ~TKorDBGridColumns() override;

    TKorCustomDBGrid *Grid() const { return m_grid; }
    Kor::TKorDBGridColumnsState State() const { return m_state; }
    // csDefault drops the columns and generates one per field of the grid's data set;
    // csCustomized keeps the columns as the developer's own.
    void setState(Kor::TKorDBGridColumnsState Value);
    // Makes the columns follow the data set's fields again (State csDefault).
    Q_INVOKABLE void RestoreDefaults() { setState(Kor::csDefault); }
    // Keeps the columns there are, none included, as the developer's own (State csCustomized).
    Q_INVOKABLE void Customize() { setState(Kor::csCustomized); }
    // Appends a column; the columns become customised.
    TKorColumn *Add();
    TKorColumn *Items(int Index) const;
    // The first column showing FieldName (without regard to case), or nullptr.
    TKorColumn *ColumnByFieldName(const QString &FieldName) const;
    // The column whose display name is DisplayName, or nullptr.
    TKorColumn *ColumnByDisplayName(const QString &DisplayName) const;
    // Replaces the columns by one per field of the data set's flat field list (customised).
    void RebuildColumns();
    // Brackets a batch of design changes (moves, deletions) so the grid lays out once.
    void BeginDesignUpdate();
    void EndDesignUpdate();
    int DesignUpdateCount() const { return m_designUpdate; }

    // Regenerates the default columns when State is csDefault (the data set changed).
    void LoadDefaultColumns();
    // Expand-group bookkeeping of one column.
    int LastOfGroup(const TKorColumn *Column) const;
    const QObject *GroupOf(const TKorColumn *Column) const;
    // The index of the group head of every column, -1 for a column at the top level; one pass
    // over the columns, for callers that look at the groups of all of them.
    std::vector<int> GroupHeads() const;

protected:
    void Update(TCollectionItem *Item) override;

private:
    void addFieldColumns();

    TKorCustomDBGrid *m_grid;
    Kor::TKorDBGridColumnsState m_state = Kor::csDefault;
    int m_designUpdate = 0;
    bool m_internal = false;
};
