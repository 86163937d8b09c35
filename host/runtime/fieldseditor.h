#pragma once
// The fields editor: the window where a data set's persistent fields are designed. It lists them
// in order; "Add Fields..." makes fields of the result's columns that have none yet, "New
// Field..." makes a data, calculated or lookup field; fields are deleted, and dragged to another
// place in the list. Selecting a field selects it on the form, so the inspector edits it. Each
// change is announced to the designer once (Modified), so it is one undo step of the form.
//
// A new field is a component owned by the data set, named after the data set and the field
// ("CustomersCompany"), with a number added when that name is taken anywhere on the form. A
// definition that cannot work (its name taken, a lookup data set or key field that does not
// exist, a type the result's column does not have) is refused with a message naming the field,
// before anything changed.
//
// The window and its two dialogs are laid out in fieldseditor.ui, addfieldsdialog.ui and
// newfielddialog.ui. The dialogs go through the host's dialogs (hostdialogs.h), which tests
// replace; TRuntimeDialogs shows the real ones.

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "compedit.h"
#include "db.h"
#include "hostdialogs.h"
#include "korruntime_export.h"

class IDesigner;
class QListWidget;
class QPushButton;
namespace Ui {
class TFieldsEditor;
}

// What "New Field..." makes.
struct KORRUNTIME_EXPORT TNewFieldDefinition {
    QString FieldName;
    Db::TFieldKind FieldKind = Db::fkData;
    Db::TFieldType DataType = Db::ftString;
    int Size = 0;
    // Lookup fields: the key fields of this data set (names separated by ';'), the data set
    // looked in (its component name), its matching fields and the field whose value shows.
    QString KeyFields;
    QString LookupDataSet;
    QString LookupKeyFields;
    QString LookupResultField;
};

// What the "New Field" dialog offers in its lists.
struct KORRUNTIME_EXPORT TNewFieldChoices {
    QStringList Fields;         // this data set's fields and result columns
    QStringList LookupDataSets; // the other data sets of the form
    // The fields of a data set of the form, by its name.
    std::function<QStringList(const QString &DataSet)> FieldsOf;
};

// The host's dialogs with the fields editor's real dialogs: a host that offers the fields
// editor installs these (or its own derived from them) with a THostDialogsScope.
class KORRUNTIME_EXPORT TRuntimeDialogs : public THostDialogs {
public:
    bool ChooseFields(const QStringList &Offered, QStringList &Chosen, QWidget *Parent) override;
    bool DefineNewField(TNewFieldDefinition &Definition, const TNewFieldChoices &Choices,
                        QWidget *Parent) override;
};

class KORRUNTIME_EXPORT TFieldsEditor : public QWidget {
    Q_OBJECT
public:
    // The data set's fields editor, made when it has none, shown and brought to the front. It
    // closes when the data set goes.
    static TFieldsEditor *Open(TDataSet *DataSet, IDesigner *Designer);
    // The data set's open fields editor, or nullptr.
    static TFieldsEditor *Find(const TDataSet *DataSet);

    TFieldsEditor(TDataSet *DataSet, IDesigner *Designer, QWidget *Parent = nullptr);
    ~TFieldsEditor() override;

    TDataSet *DataSet() const { return m_dataSet.data(); }
    QListWidget *List() const { return m_list; }
    // The persistent fields, in the list's order.
    QList<TField *> Fields() const;
    // The result's columns that have no persistent field.
    QStringList AvailableFields() const;

    // "Add Fields...": asks which available fields to add; answers the fields made.
    QList<TField *> AddFields();
    QList<TField *> AddFields(const QStringList &Names);
    // "New Field...": asks for the definition; nullptr when cancelled.
    TField *NewField();
    // Raises EDatabaseError naming the field, with nothing changed, for a definition that
    // cannot work.
    TField *NewField(const TNewFieldDefinition &Definition);
    void DeleteFields(const QList<TField *> &Fields);
    // Moves a field to Index among the persistent fields.
    void MoveField(TField *Field, int Index);
    // Fills the list from the data set's fields.
    void Refresh();

private:
    TField *place(TField *Field);
    QString uniqueName(const QString &FieldName) const;
    TComponent *findOnForm(const QString &Name) const;
    QStringList fieldsOf(TDataSet *DataSet) const;
    void modified();
    void selectionToDesigner();
    void listReordered();
    // Runs an action of a button: an error is reported, not raised.
    void run(const std::function<void()> &Action);

    std::unique_ptr<Ui::TFieldsEditor> m_ui; // the layout, from fieldseditor.ui
    QPointer<TDataSet> m_dataSet;
    IDesigner *m_designer;
    QListWidget *m_list = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_delete = nullptr;
    bool m_filling = false;
};

// The component editor of data sets: a double-click and the verb "Fields Editor..." open the
// fields editor.
class KORRUNTIME_EXPORT TDataSetFieldsEditor : public TDefaultEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDataSetFieldsEditor(const TComponentEditorArgs &Args);

    void Edit() override;
    void ExecuteVerb(int Index) override;
    QString GetVerb(int Index) override;
    int GetVerbCount() override;
};
