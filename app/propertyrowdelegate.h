#pragma once
// Drawing and in-place editing of the Object Inspector's rows. Names and values are drawn by
// the row's property editor (PropDrawName, PropDrawValueRect and PropDrawValue; the value text
// beside the area an editor paints is the inspector's, shortened when it does not fit). The
// value cell edits in a line edit right of the value's swatch or image, with a drop-down button
// for value lists and an ellipsis button for dialogs; plain texts get an ellipsis button too,
// for editing them over several lines.

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

#include "propedit.h"

class QLineEdit;
class QToolButton;
class TInspectorModel;
class TInspectorValueList;

class TInspectorValueEdit : public QWidget {
    Q_OBJECT
public:
    TInspectorValueEdit(TInspectorModel *Model, const QModelIndex &Index, QWidget *Parent);

    QLineEdit *Edit() const { return m_edit; }
    QToolButton *DropDownButton() const { return m_dropDown; }
    QToolButton *EllipsisButton() const { return m_ellipsis; }
    // Whether the text was changed by typing since it was last loaded.
    bool IsModified() const { return m_modified; }
    void LoadValue();
    // Writes the typed text (when changed) through the row's editor.
    void CommitText();
    // Opens the value list under the editor; answers it (nullptr when there is no list).
    TInspectorValueList *OpenValueList();
    // The ellipsis button: the editor's dialog.
    void RunDialog();
    // The ellipsis button of a plain text: the text over several lines, written when accepted.
    void EditLongText();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    QPointer<TInspectorModel> m_model;
    QPersistentModelIndex m_index;
    QLineEdit *m_edit;
    QToolButton *m_dropDown = nullptr;
    QToolButton *m_ellipsis = nullptr;
    bool m_modified = false;
};

class TInspectorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TInspectorDelegate(TInspectorModel *Model, QObject *Parent = nullptr);

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option,
               const QModelIndex &Index) const override;
    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override;
    QWidget *createEditor(QWidget *Parent, const QStyleOptionViewItem &Option,
                          const QModelIndex &Index) const override;
    void setEditorData(QWidget *Editor, const QModelIndex &Index) const override;
    void setModelData(QWidget *Editor, QAbstractItemModel *Model,
                      const QModelIndex &Index) const override;
    void updateEditorGeometry(QWidget *Editor, const QStyleOptionViewItem &Option,
                              const QModelIndex &Index) const override;

private:
    QPointer<TInspectorModel> m_model;
};
