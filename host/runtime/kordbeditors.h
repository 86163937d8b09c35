#pragma once
// The data-aware editor controls: TKorDBCustomEditor (lookup and pick-list settings over a data
// source), TKorDBDataEditor (edits one field of the current record, either a field of a data
// source or the field of a grid's column), TKorDBEditor (the full editor with a button) and
// TKorDBColumn (an editor that shows one grid column with its title as label). The grid-linked
// editor TKorDBGridEditor is in kordbeditor.h.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include "componentlink.h"
#include "controls.h"
#include "db.h"
#include "grid.h"
#include "imagelist.h"
#include "korenums.h"
#include "lookupproperties.h"
#include "stringlist.h"

class KORRUNTIME_EXPORT TKorDBCustomEditor : public TKorWinControl {
    Q_OBJECT
    Q_PROPERTY(TDataSource *DataSource READ DataSource WRITE setDataSource)
    KOR_PUBLISHED(tkClass, "TDataSource", DataSource, "")
    KOR_STRING(KeyField)
    KOR_LOOKUP_PROPERTIES
    KOR_INTEGER(DropDownRows, 8)
    KOR_INTEGER(DropDownWidth, 0)
    KOR_OBJECT(TStrings, PickList)
    KOR_OBJECT(TStrings, PickText)
    KOR_STRING(PickTextFormat)

public:
    explicit TKorDBCustomEditor(QObject *AOwner = nullptr);
    ~TKorDBCustomEditor() override;

    TDataSource *DataSource() const { return m_dataSource.data(); }
    void setDataSource(TDataSource *Value);
    // The data set the editor reads: its data source's.
    virtual TDataSet *DataSet() const;
    // The field edited, or nullptr.
    virtual TField *Field() const { return nullptr; }
    // The text on show.
    QString Text() const { return m_edit->text(); }
    QLineEdit *EditControl() const { return m_edit; }
    // Reads the field of the current record into the edit box.
    void UpdateDisplay();
    // Writes the edit box to the field; a refused value is reported by EDatabaseError and the
    // display reverts.
    void UpdateRecord();

    void Changed() override;
    void DropLinks(TComponent *Gone) override;

protected:
    // The edit box's text for the field's value.
    virtual QString DisplayText() const;
    virtual bool EditorReadOnly() const;
    // Lays the edit box and its optional label and button out.
    virtual void LayoutControls();

    QLineEdit *m_edit;

private:
    QPointer<TDataSource> m_dataSource;
    QList<QMetaObject::Connection> m_sourceConnections;
};

class KORRUNTIME_EXPORT TKorDBDataEditor : public TKorDBCustomEditor {
    Q_OBJECT
    KOR_STRING(DataField)
    // The display name of a column of DBGrid; the editor then edits that column's field.
    KOR_STRING(DataColumn)
    Q_PROPERTY(TKorCustomDBGrid *DBGrid READ DBGrid WRITE setDBGrid)
    KOR_PUBLISHED(tkClass, "TKorCustomDBGrid", DBGrid, "")
    KOR_ENUM(Vcl::TEditCharCase, CharCase, Vcl::ecNormal)
    KOR_BOOLEAN(DropDownOnly, false)
    KOR_BOOLEAN(AutoSelect, true)
    KOR_INTEGER(MaxLength, 0)
    KOR_ENUM(Kor::TKorLabelPosition, LabelPosition, Kor::lpAbove)
    KOR_INTEGER(LabelSpacing, 3)
    KOR_BOOLEAN(LabelVisible, false)

public:
    explicit TKorDBDataEditor(QObject *AOwner = nullptr);
    ~TKorDBDataEditor() override;

    TKorCustomDBGrid *DBGrid() const { return m_grid.data(); }
    void setDBGrid(TKorCustomDBGrid *Value);
    // The grid column the editor follows (DataColumn of DBGrid), or nullptr.
    virtual TKorColumn *GridColumn() const;
    // With a grid: the grid's data set; otherwise the data source's.
    TDataSet *DataSet() const override;
    // The grid column's field, or DataField of the data set.
    TField *Field() const override;
    QLabel *EditLabel() const { return m_label; }

    void Changed() override;
    void DropLinks(TComponent *Gone) override;

protected:
    QString DisplayText() const override;
    bool EditorReadOnly() const override;
    void LayoutControls() override;
    // The label's text: the field's display name.
    virtual QString LabelText() const;

    QLabel *m_label;

private:
    TWidgetLink<TKorCustomDBGrid> m_grid;
    QList<QMetaObject::Connection> m_gridConnections;
};

class KORRUNTIME_EXPORT TKorDBEditor : public TKorDBDataEditor {
    Q_OBJECT
    KOR_ENUM(Kor::TKorColumnButtonStyle, ButtonStyle, Kor::cbsAuto)
    KOR_ENUM(Kor::TKorCalendarDepth, CalendarDepth, Kor::cdDays)
    KOR_CHAR(DelimiterChar, 0x3B)
    KOR_BOOLEAN(DelimiterLine, false)
    KOR_ENUM(Kor::TKorGridDrawingStyle, DrawingStyle, Kor::gdsClassic)
    KOR_INTEGER(ImageMargin, 0)
    KOR_LINK(TCustomImageList, Images)
    KOR_SET(Kor::TKorListOptions, ListOptions, (Kor::loAutoDropDown | Kor::loShowToday))
    KOR_BOOLEAN(MultiSelectList, false)
    KOR_ENUM(Kor::TKorMultiSelectText, MultiSelectText, Kor::mstValues)
    // The pick-list entry on show, -1 for none.
    KOR_INTEGER(PickIndex, -1)
    KOR_SET(Kor::TKorPickOptions, PickOptions, ())
    KOR_BOOLEAN(SuppressRTL, false)

public:
    Q_INVOKABLE explicit TKorDBEditor(QObject *AOwner = nullptr);
    ~TKorDBEditor() override;

    // Whether the editor shows its button for the current style and lists.
    bool HasButton() const;
    QToolButton *Button() const { return m_button; }
    // Chooses pick-list entry Index as the value (written to the field when there is one).
    void SelectPickItem(int Index);

    void Changed() override;
    void DropLinks(TComponent *Gone) override;

protected:
    QString DisplayText() const override;
    void LayoutControls() override;

private:
    void buttonClicked();

    QToolButton *m_button;
};

class KORRUNTIME_EXPORT TKorDBColumn : public TKorDBDataEditor {
    Q_OBJECT
    // A column editor shows its label unless told otherwise: the property is published again
    // with that default.
    Q_PROPERTY(bool LabelVisible READ LabelVisible WRITE setLabelVisible)
    KOR_PUBLISHED(tkEnumeration, "Boolean", LabelVisible, "true")
public:
    Q_INVOKABLE explicit TKorDBColumn(QObject *AOwner = nullptr);

protected:
    // The grid column's title caption.
    QString LabelText() const override;
};
