#pragma once
// Unit IDEGridsDlg: the columns editor, the host's collection editor specialised for a grid's
// Columns. It adds "Add All Fields" and "Restore Defaults", reorders columns by dragging (the
// move commands are hidden) without tearing column groups apart, and reopens where it was last
// closed for the same collection class.

#include <QString>

#include "collectioneditor.h"
#include "propedit.h"

class TKorDBGridColumns;
class TKorCustomDBGrid;
class TDataSet;

class TKorDBGridColumnsEditor : public TCollectionEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridColumnsEditor(QWidget *parent = nullptr);
    ~TKorDBGridColumnsEditor() override;

    QAction *AddAllFieldsCmd = nullptr;
    QAction *RestoreDefaultsCmd = nullptr;
    // The menu entries of the two commands and the separator after them.
    QAction *AddAllFields1 = nullptr;
    QAction *Restoredefaults1 = nullptr;
    QAction *N1 = nullptr;
    // The class name of the edited collection: the settings section of the window's position.
    QString SectionName;

    TKorDBGridColumns *Columns() const;
    TKorCustomDBGrid *Grid() const;
    // The grid's data set through its data source, or null.
    TDataSet *DataSet() const;

    // New columns go among the existing ones only when the columns are the developer's own;
    // default columns get new ones at the end.
    bool CanAdd(int Index) override;

    void AddAllFieldsClick(QObject *Sender);
    void RestoreDefaultsClick(QObject *Sender);
    void AddAllFieldsCmdUpdate(QObject *Sender);
    void RestoreDefaultsCmdUpdate(QObject *Sender);
    void DeleteClick(QObject *Sender) override;
    void ListView1DragOver(QObject *Sender, QObject *Source, int X, int Y, bool &Accept) override;
    void ListView1DragDrop(QObject *Sender, QObject *Source, int X, int Y) override;
    void FormShow(QObject *Sender) override;
    void FormClose(QObject *Sender, TCloseAction &Action) override;
    void UpdateActions() override;

    // The settings key of the window's position.
    static QString RegKey();

protected:
    // Reads the stored position before the window is framed; FormShow then only pulls it onto
    // the screen.
    void RestorePlacement() override;

private:
    void readPosition();
    bool m_positionRead = false;
};

// Opens the columns editor of Component (a grid) for its Columns, with every option.
TKorDBGridColumnsEditor *ShowKorDBGridColumnsEditor(IDesigner *Designer, TComponent *Component);

// The Object Inspector's editor of a grid's Columns: the host's collection property opening the
// columns editor.
class TKorDBGridColumnsProperty : public TCollectionProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridColumnsProperty(const TPropertyEditorArgs &Args);
    const QMetaObject *GetEditorClass() override;
};
