#include "fieldseditor.h"

#include <QComboBox>
#include <QDialog>
#include <QHash>
#include <QListWidget>
#include <QMetaEnum>
#include <QPushButton>
#include <memory>

#include "designintf.h"
#include "formdesigner.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "ui_addfieldsdialog.h"
#include "ui_fieldseditor.h"
#include "ui_newfielddialog.h"

namespace {

QHash<const TDataSet *, QPointer<TFieldsEditor>> &openEditors()
{
    static QHash<const TDataSet *, QPointer<TFieldsEditor>> editors;
    return editors;
}

QStringList splitNames(const QString &Names)
{
    QStringList result;
    for (const QString &name : Names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!name.trimmed().isEmpty())
            result.append(name.trimmed());
    return result;
}

bool containsName(const QStringList &Names, const QString &Name)
{
    return Names.contains(Name, Qt::CaseInsensitive);
}

QString typeName(Db::TFieldType Type)
{
    return QString::fromLatin1(QMetaEnum::fromType<Db::TFieldType>().valueToKey(Type));
}

void eachComponent(const TComponent *Owner, const std::function<void(TComponent *)> &Proc)
{
    for (int i = 0; Owner && i < Owner->ComponentCount(); ++i) {
        TComponent *component = Owner->Components(i);
        Proc(component);
        eachComponent(component, Proc);
    }
}

// ---- the real dialogs (laid out in addfieldsdialog.ui and newfielddialog.ui) ----

bool chooseFieldsDialog(const QStringList &Offered, QStringList &Chosen, QWidget *Parent)
{
    QDialog dialog(Parent);
    Ui::TAddFieldsDialog ui;
    ui.setupUi(&dialog);
    ui.AvailableList->addItems(Offered);
    ui.AvailableList->selectAll();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Chosen.clear();
    for (int i = 0; i < ui.AvailableList->count(); ++i)
        if (ui.AvailableList->item(i)->isSelected())
            Chosen.append(ui.AvailableList->item(i)->text());
    return true;
}

bool defineFieldDialog(TNewFieldDefinition &Definition, const TNewFieldChoices &Choices,
                       QWidget *Parent)
{
    QDialog dialog(Parent);
    Ui::TNewFieldDialog ui;
    ui.setupUi(&dialog);
    ui.NameEdit->setText(Definition.FieldName);
    const QMetaEnum types = QMetaEnum::fromType<Db::TFieldType>();
    for (int i = 1; i < types.keyCount(); ++i)
        ui.TypeCombo->addItem(QString::fromLatin1(types.key(i)), types.value(i));
    ui.TypeCombo->setCurrentIndex(ui.TypeCombo->findData(int(Definition.DataType)));
    ui.SizeSpin->setValue(Definition.Size);
    (Definition.FieldKind == Db::fkLookup       ? ui.LookupRadio
     : Definition.FieldKind == Db::fkCalculated ? ui.CalculatedRadio
                                                : ui.DataRadio)
        ->setChecked(true);
    ui.LookupGroup->setEnabled(ui.LookupRadio->isChecked());
    const auto fill = [](QComboBox *Box, const QStringList &Items, const QString &Current) {
        Box->clear();
        Box->addItems(Items);
        Box->setCurrentText(Current);
    };
    fill(ui.KeyFieldsCombo, Choices.Fields, Definition.KeyFields);
    fill(ui.LookupDataSetCombo, Choices.LookupDataSets, Definition.LookupDataSet);
    // The lookup lists offer the fields of the data set looked in.
    const auto fillLookupFields = [&] {
        const QStringList fields = Choices.FieldsOf
                                       ? Choices.FieldsOf(ui.LookupDataSetCombo->currentText())
                                       : QStringList();
        for (QComboBox *box : {ui.LookupKeysCombo, ui.ResultFieldCombo})
            fill(box, fields, box->currentText());
    };
    ui.LookupKeysCombo->setCurrentText(Definition.LookupKeyFields);
    ui.ResultFieldCombo->setCurrentText(Definition.LookupResultField);
    fillLookupFields();
    QObject::connect(ui.LookupDataSetCombo, &QComboBox::currentTextChanged, &dialog,
                     fillLookupFields);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Definition.FieldName = ui.NameEdit->text().trimmed();
    Definition.DataType = Db::TFieldType(ui.TypeCombo->currentData().toInt());
    Definition.Size = ui.SizeSpin->value();
    Definition.FieldKind = ui.LookupRadio->isChecked()       ? Db::fkLookup
                           : ui.CalculatedRadio->isChecked() ? Db::fkCalculated
                                                             : Db::fkData;
    Definition.KeyFields = ui.KeyFieldsCombo->currentText();
    Definition.LookupDataSet = ui.LookupDataSetCombo->currentText();
    Definition.LookupKeyFields = ui.LookupKeysCombo->currentText();
    Definition.LookupResultField = ui.ResultFieldCombo->currentText();
    return true;
}

} // namespace

// ---- TRuntimeDialogs ----

bool TRuntimeDialogs::ChooseFields(const QStringList &Offered, QStringList &Chosen, QWidget *Parent)
{
    return CanShowDialogs() && chooseFieldsDialog(Offered, Chosen, Parent);
}

bool TRuntimeDialogs::DefineNewField(TNewFieldDefinition &Definition,
                                     const TNewFieldChoices &Choices, QWidget *Parent)
{
    return CanShowDialogs() && defineFieldDialog(Definition, Choices, Parent);
}

// ---- TFieldsEditor ----

TFieldsEditor *TFieldsEditor::Open(TDataSet *DataSet, IDesigner *Designer)
{
    if (!DataSet)
        throw EInvalidOperation(QStringLiteral("There is no data set to edit the fields of"));
    TFieldsEditor *editor = Find(DataSet);
    if (!editor) {
        editor = new TFieldsEditor(DataSet, Designer);
        editor->setAttribute(Qt::WA_DeleteOnClose);
    }
    editor->Refresh();
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}

TFieldsEditor *TFieldsEditor::Find(const TDataSet *DataSet)
{
    return openEditors().value(DataSet).data();
}

TFieldsEditor::TFieldsEditor(TDataSet *DataSet, IDesigner *Designer, QWidget *Parent)
    : QWidget(Parent, Qt::Tool), m_ui(std::make_unique<Ui::TFieldsEditor>()), m_dataSet(DataSet),
      m_designer(Designer)
{
    m_ui->setupUi(this);
    m_list = m_ui->FieldList;
    m_add = m_ui->AddFieldsButton;
    m_new = m_ui->NewFieldButton;
    m_delete = m_ui->DeleteButton;

    connect(m_add, &QPushButton::clicked, this, [this] { run([this] { AddFields(); }); });
    connect(m_new, &QPushButton::clicked, this, [this] { run([this] { NewField(); }); });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        run([this] {
            QList<TField *> chosen;
            for (QListWidgetItem *item : m_list->selectedItems())
                if (auto *field = qobject_cast<TField *>(
                        static_cast<QObject *>(item->data(Qt::UserRole).value<void *>())))
                    chosen.append(field);
            DeleteFields(chosen);
        });
    });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_filling)
            run([this] { selectionToDesigner(); });
    });
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, [this] {
        if (!m_filling)
            run([this] { listReordered(); });
    });
    if (DataSet) {
        openEditors().insert(DataSet, this);
        connect(DataSet, &TDataSet::dataChanged, this, [this] {
            if (!m_filling)
                Refresh();
        });
        // Deleting the data set closes its editor.
        connect(DataSet, &QObject::destroyed, this, &QWidget::close);
    }
    Refresh();
}

TFieldsEditor::~TFieldsEditor()
{
    for (auto it = openEditors().begin(); it != openEditors().end();)
        it = it.value() == this || !it.value() ? openEditors().erase(it) : std::next(it);
}

QList<TField *> TFieldsEditor::Fields() const
{
    // The data set's own list: a field being destroyed has left it already.
    QList<TField *> fields;
    if (m_dataSet)
        for (TField *field : m_dataSet->FieldList())
            if (field->Owner() == m_dataSet.data())
                fields.append(field);
    return fields;
}

QStringList TFieldsEditor::AvailableFields() const
{
    QStringList names;
    if (!m_dataSet)
        return names;
    const QList<TField *> fields = Fields();
    for (const TDataSet::FieldDesc &column : m_dataSet->ResultColumns()) {
        const bool persistent = std::any_of(fields.begin(), fields.end(), [&](const TField *f) {
            return f->FieldName().compare(column.Name, Qt::CaseInsensitive) == 0;
        });
        if (!persistent)
            names.append(column.Name);
    }
    return names;
}

void TFieldsEditor::Refresh()
{
    m_filling = true;
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    if (m_dataSet) {
        setWindowTitle(tr("Editing %1").arg(m_dataSet->Name()));
        for (TField *field : Fields()) {
            QString text = field->FieldName();
            if (field->IsLookup())
                text += tr(" (lookup)");
            else if (field->IsCalculated())
                text += tr(" (calculated)");
            auto *item = new QListWidgetItem(text, m_list);
            item->setData(Qt::UserRole, QVariant::fromValue<void *>(static_cast<QObject *>(field)));
            item->setToolTip(field->Name());
        }
    }
    m_delete->setEnabled(m_list->count() > 0);
    m_filling = false;
}

QList<TField *> TFieldsEditor::AddFields()
{
    const QStringList offered = AvailableFields();
    if (offered.isEmpty()) {
        ShowMessage(tr("Every field of %1 is there already.").arg(m_dataSet->Name()));
        return {};
    }
    QStringList chosen = offered;
    if (!HostDialogs().ChooseFields(offered, chosen, this))
        return {};
    return AddFields(chosen);
}

QList<TField *> TFieldsEditor::AddFields(const QStringList &Names)
{
    if (!m_dataSet || Names.isEmpty())
        return {};
    std::vector<TDataSet::FieldDesc> chosen;
    for (const TDataSet::FieldDesc &column : m_dataSet->ResultColumns())
        if (containsName(Names, column.Name) && containsName(AvailableFields(), column.Name))
            chosen.push_back(column);
    QList<TField *> made;
    m_filling = true;
    for (const TDataSet::FieldDesc &column : chosen) {
        auto field = std::make_unique<TField>();
        field->setFieldName(column.Name);
        field->setDataType(column.DataType);
        field->setSize(column.Size);
        field->setAlignment(TField::DefaultAlignment(column.DataType));
        made.append(place(field.release()));
    }
    m_filling = false;
    Refresh();
    modified();
    return made;
}

TField *TFieldsEditor::NewField()
{
    TNewFieldDefinition definition;
    TNewFieldChoices choices;
    choices.Fields = fieldsOf(m_dataSet);
    if (TComponent *root = m_designer ? m_designer->GetRoot() : nullptr)
        eachComponent(root, [&](TComponent *component) {
            if (dynamic_cast<TDataSet *>(component) && component != m_dataSet.data())
                choices.LookupDataSets.append(component->Name());
        });
    choices.FieldsOf = [this](const QString &Name) {
        return fieldsOf(dynamic_cast<TDataSet *>(findOnForm(Name)));
    };
    if (!HostDialogs().DefineNewField(definition, choices, this))
        return nullptr;
    return NewField(definition);
}

TField *TFieldsEditor::NewField(const TNewFieldDefinition &Definition)
{
    if (!m_dataSet)
        throw EInvalidOperation(QStringLiteral("The data set is gone"));
    const QString name = Definition.FieldName.trimmed();
    const QString kind = Definition.FieldKind == Db::fkLookup ? QStringLiteral("Lookup field")
                         : Definition.FieldKind == Db::fkCalculated
                             ? QStringLiteral("Calculated field")
                             : QStringLiteral("Field");
    if (name.isEmpty())
        throw EDatabaseError(QStringLiteral("A new field needs a name"));
    const QList<TField *> fields = Fields();
    if (m_dataSet->FindField(name) || std::any_of(fields.begin(), fields.end(), [&](TField *f) {
            return f->FieldName().compare(name, Qt::CaseInsensitive) == 0;
        }))
        throw EDatabaseError(QStringLiteral("%1 '%2': %3 has a field of that name already")
                                 .arg(kind, name, m_dataSet->Name()));
    if (Definition.FieldKind == Db::fkData) {
        const std::vector<TDataSet::FieldDesc> columns = m_dataSet->ResultColumns();
        const auto column = std::find_if(columns.begin(), columns.end(), [&](const auto &c) {
            return c.Name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (column == columns.end())
            throw EDatabaseError(QStringLiteral("Field '%1': the result of %2 has no column %1")
                                     .arg(name, m_dataSet->Name()));
        if (!TField::CanShow(Definition.DataType, column->DataType))
            throw EDatabaseError(
                QStringLiteral("Field '%1': the driver gives the column as %2, not as %3")
                    .arg(name, typeName(column->DataType), typeName(Definition.DataType)));
    }
    TDataSet *lookup = nullptr;
    if (Definition.FieldKind == Db::fkLookup) {
        lookup = dynamic_cast<TDataSet *>(findOnForm(Definition.LookupDataSet));
        if (!lookup || lookup == m_dataSet.data())
            throw EDatabaseError(
                QStringLiteral("Lookup field '%1': there is no data set %2 to look in")
                    .arg(name, Definition.LookupDataSet.isEmpty() ? QStringLiteral("(none)")
                                                                  : Definition.LookupDataSet));
        const auto check = [&](const QString &Names, TDataSet *In, bool One) {
            const QStringList wanted = splitNames(Names);
            if (wanted.isEmpty() || (One && wanted.size() != 1))
                throw EDatabaseError(
                    QStringLiteral("Lookup field '%1': name %2 field%3 of %4")
                        .arg(name, One ? QStringLiteral("one") : QStringLiteral("the key"),
                             One ? QString() : QStringLiteral("s"), In->Name()));
            const QStringList existing = fieldsOf(In);
            for (const QString &field : wanted)
                if (!containsName(existing, field))
                    throw EDatabaseError(QStringLiteral("Lookup field '%1': %2 has no field %3")
                                             .arg(name, In->Name(), field));
            return wanted.size();
        };
        const qsizetype keys = check(Definition.KeyFields, m_dataSet.data(), false);
        if (check(Definition.LookupKeyFields, lookup, false) != keys)
            throw EDatabaseError(
                QStringLiteral("Lookup field '%1': as many lookup key fields as key fields are "
                               "needed")
                    .arg(name));
        check(Definition.LookupResultField, lookup, true);
    }

    auto field = std::make_unique<TField>();
    field->setFieldName(name);
    field->setFieldKind(Definition.FieldKind);
    field->setDataType(Definition.DataType);
    field->setSize(Definition.Size);
    field->setAlignment(TField::DefaultAlignment(Definition.DataType));
    if (lookup) {
        field->setKeyFields(splitNames(Definition.KeyFields).join(QLatin1Char(';')));
        field->setLookupKeyFields(splitNames(Definition.LookupKeyFields).join(QLatin1Char(';')));
        field->setLookupResultField(Definition.LookupResultField.trimmed());
        field->setReadOnly(true);
    }
    if (Definition.FieldKind == Db::fkCalculated)
        field->setReadOnly(true);
    m_filling = true;
    TField *placed = place(field.release());
    if (lookup)
        placed->setLookupDataSet(lookup);
    m_filling = false;
    Refresh();
    modified();
    return placed;
}

void TFieldsEditor::DeleteFields(const QList<TField *> &Fields)
{
    QList<QPointer<TField>> going;
    for (TField *field : Fields)
        if (field && field->Owner() == m_dataSet.data())
            going.append(field);
    if (going.isEmpty())
        return;
    m_filling = true;
    auto *designer = dynamic_cast<TFormDesigner *>(m_designer);
    for (const QPointer<TField> &field : std::as_const(going)) {
        if (!field)
            continue;
        try {
            if (!designer)
                throw EInvalidOperation(QString());
            designer->DeleteComponent(field);
        } catch (const EInvalidOperation &) {
            delete field.data(); // not one the designer placed
        }
    }
    m_filling = false;
    Refresh();
    modified();
}

void TFieldsEditor::MoveField(TField *Field, int Index)
{
    if (!m_dataSet || !Field || Field->Owner() != m_dataSet.data())
        return;
    const int before = Fields().indexOf(Field);
    m_filling = true;
    m_dataSet->MoveField(Field, Index);
    m_filling = false;
    Refresh();
    if (Fields().indexOf(Field) != before)
        modified();
}

TField *TFieldsEditor::place(TField *Field)
{
    std::unique_ptr<TField> field(Field);
    field->SetName(uniqueName(field->FieldName()));
    // Placed by the designer, which then knows it (selection, deletion), and handed to the data
    // set that owns it.
    if (auto *designer = dynamic_cast<TFormDesigner *>(m_designer))
        designer->AddComponent(field.get());
    m_dataSet->InsertComponent(field.get());
    field->SetDesigning(m_dataSet->IsDesigning());
    return field.release();
}

TComponent *TFieldsEditor::findOnForm(const QString &Name) const
{
    if (Name.isEmpty())
        return nullptr;
    TComponent *root = m_designer ? m_designer->GetRoot() : nullptr;
    if (!root && m_dataSet)
        root = m_dataSet->Owner();
    if (root && root->Name().compare(Name, Qt::CaseInsensitive) == 0)
        return root;
    TComponent *found = nullptr;
    eachComponent(root, [&](TComponent *component) {
        if (!found && component->Name().compare(Name, Qt::CaseInsensitive) == 0)
            found = component;
    });
    return found;
}

QString TFieldsEditor::uniqueName(const QString &FieldName) const
{
    const QString base = TField::DefaultComponentName(m_dataSet->Name(), FieldName);
    if (!findOnForm(base))
        return base;
    for (int n = 1;; ++n)
        if (const QString candidate = base + QString::number(n); !findOnForm(candidate))
            return candidate;
}

QStringList TFieldsEditor::fieldsOf(TDataSet *DataSet) const
{
    QStringList names;
    if (!DataSet)
        return names;
    DataSet->GetFieldNames(names);
    for (const TDataSet::FieldDesc &column : DataSet->ResultColumns())
        if (!containsName(names, column.Name))
            names.append(column.Name);
    return names;
}

void TFieldsEditor::modified()
{
    // Names the data set and its fields: recording the change looks at those alone, and finds
    // the fields that came and went by comparing the form's components.
    if (!m_designer)
        return;
    if (!m_dataSet) {
        m_designer->Modified();
        return;
    }
    QList<QObject *> changed{m_dataSet.data()};
    for (int i = 0; i < m_dataSet->FieldCount(); ++i)
        changed.append(m_dataSet->Fields(i));
    m_designer->ObjectsModified(changed);
}

void TFieldsEditor::selectionToDesigner()
{
    if (!m_designer)
        return;
    QList<QObject *> selected;
    for (QListWidgetItem *item : m_list->selectedItems())
        selected.append(static_cast<QObject *>(item->data(Qt::UserRole).value<void *>()));
    m_designer->SetSelections(selected);
}

void TFieldsEditor::listReordered()
{
    if (!m_dataSet)
        return;
    // The list's new order, given to the data set one field at a time.
    QList<TField *> order;
    for (int i = 0; i < m_list->count(); ++i)
        if (auto *field = qobject_cast<TField *>(
                static_cast<QObject *>(m_list->item(i)->data(Qt::UserRole).value<void *>())))
            order.append(field);
    m_filling = true;
    for (int i = 0; i < order.size(); ++i)
        m_dataSet->MoveField(order.at(i), i);
    m_filling = false;
    Refresh();
    modified();
}

void TFieldsEditor::run(const std::function<void()> &Action)
{
    try {
        Action();
    } catch (...) {
        m_filling = false;
        HandleHostException();
        Refresh();
    }
}

// ---- TDataSetFieldsEditor ----

TDataSetFieldsEditor::TDataSetFieldsEditor(const TComponentEditorArgs &Args) : TDefaultEditor(Args)
{
}

void TDataSetFieldsEditor::Edit()
{
    TFieldsEditor::Open(dynamic_cast<TDataSet *>(Component()), GetDesigner());
}

void TDataSetFieldsEditor::ExecuteVerb(int Index)
{
    if (Index == 0)
        Edit();
}

QString TDataSetFieldsEditor::GetVerb(int Index)
{
    return Index == 0 ? tr("Fields Editor...") : QString();
}

int TDataSetFieldsEditor::GetVerbCount()
{
    return 1;
}
