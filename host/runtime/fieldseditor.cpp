#include "fieldseditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaEnum>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <memory>

#include "designintf.h"
#include "formdesigner.h"
#include "hosterrors.h"
#include "hostmessages.h"

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

// ---- the real dialogs ----

// Ends Dialog's layout with OK and Cancel and runs it: whether the user chose OK.
bool runWithOkCancel(QDialog &Dialog, QVBoxLayout *Layout)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &Dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &Dialog, &QDialog::reject);
    Layout->addWidget(buttons);
    return Dialog.exec() == QDialog::Accepted;
}

bool chooseFieldsDialog(const QStringList &Offered, QStringList &Chosen, QWidget *Parent)
{
    QDialog dialog(Parent);
    dialog.setWindowTitle(QObject::tr("Add Fields"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QObject::tr("Available fields:")));
    auto *list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->addItems(Offered);
    list->selectAll();
    layout->addWidget(list);
    if (!runWithOkCancel(dialog, layout))
        return false;
    Chosen.clear();
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            Chosen.append(list->item(i)->text());
    return true;
}

bool defineFieldDialog(TNewFieldDefinition &Definition, const TNewFieldChoices &Choices,
                       QWidget *Parent)
{
    QDialog dialog(Parent);
    dialog.setWindowTitle(QObject::tr("New Field"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *form = new QFormLayout;
    auto *name = new QLineEdit(Definition.FieldName);
    auto *type = new QComboBox;
    const QMetaEnum types = QMetaEnum::fromType<Db::TFieldType>();
    for (int i = 1; i < types.keyCount(); ++i)
        type->addItem(QString::fromLatin1(types.key(i)), types.value(i));
    type->setCurrentIndex(type->findData(int(Definition.DataType)));
    auto *size = new QSpinBox;
    size->setRange(0, 65535);
    size->setValue(Definition.Size);
    form->addRow(QObject::tr("&Name:"), name);
    form->addRow(QObject::tr("&Type:"), type);
    form->addRow(QObject::tr("&Size:"), size);
    layout->addLayout(form);
    auto *kinds = new QHBoxLayout;
    auto *data = new QRadioButton(QObject::tr("&Data"));
    auto *calculated = new QRadioButton(QObject::tr("&Calculated"));
    auto *lookup = new QRadioButton(QObject::tr("&Lookup"));
    kinds->addWidget(data);
    kinds->addWidget(calculated);
    kinds->addWidget(lookup);
    layout->addLayout(kinds);
    (Definition.FieldKind == Db::fkLookup       ? lookup
     : Definition.FieldKind == Db::fkCalculated ? calculated
                                                : data)
        ->setChecked(true);
    auto *lookupForm = new QFormLayout;
    const auto combo = [](const QStringList &Items, const QString &Current) {
        auto *box = new QComboBox;
        box->setEditable(true);
        box->addItems(Items);
        box->setCurrentText(Current);
        return box;
    };
    auto *keys = combo(Choices.Fields, Definition.KeyFields);
    auto *dataSet = combo(Choices.LookupDataSets, Definition.LookupDataSet);
    auto *lookupKeys = combo({}, Definition.LookupKeyFields);
    auto *result = combo({}, Definition.LookupResultField);
    const auto fillLookupFields = [&] {
        const QStringList fields =
            Choices.FieldsOf ? Choices.FieldsOf(dataSet->currentText()) : QStringList();
        for (QComboBox *box : {lookupKeys, result}) {
            const QString current = box->currentText();
            box->clear();
            box->addItems(fields);
            box->setCurrentText(current);
        }
    };
    fillLookupFields();
    QObject::connect(dataSet, &QComboBox::currentTextChanged, &dialog, fillLookupFields);
    lookupForm->addRow(QObject::tr("&Key Fields:"), keys);
    lookupForm->addRow(QObject::tr("D&ataset:"), dataSet);
    lookupForm->addRow(QObject::tr("L&ookup Keys:"), lookupKeys);
    lookupForm->addRow(QObject::tr("&Result Field:"), result);
    auto *lookupBox = new QWidget;
    lookupBox->setLayout(lookupForm);
    lookupBox->setEnabled(lookup->isChecked());
    QObject::connect(lookup, &QRadioButton::toggled, lookupBox, &QWidget::setEnabled);
    layout->addWidget(lookupBox);
    if (!runWithOkCancel(dialog, layout))
        return false;
    Definition.FieldName = name->text().trimmed();
    Definition.DataType = Db::TFieldType(type->currentData().toInt());
    Definition.Size = size->value();
    Definition.FieldKind = lookup->isChecked()       ? Db::fkLookup
                           : calculated->isChecked() ? Db::fkCalculated
                                                     : Db::fkData;
    Definition.KeyFields = keys->currentText();
    Definition.LookupDataSet = dataSet->currentText();
    Definition.LookupKeyFields = lookupKeys->currentText();
    Definition.LookupResultField = result->currentText();
    return true;
}

} // namespace

// ---- seams ----

TFieldsEditorSeams TFieldsEditorSeams::Defaults()
{
    return {chooseFieldsDialog, defineFieldDialog};
}

TFieldsEditorSeams &FieldsEditorSeams()
{
    static TFieldsEditorSeams seams = TFieldsEditorSeams::Defaults();
    return seams;
}

TFieldsEditorSeamsScope::TFieldsEditorSeamsScope(const TFieldsEditorSeams &Seams)
    : m_saved(FieldsEditorSeams())
{
    FieldsEditorSeams() = Seams;
}

TFieldsEditorSeamsScope::~TFieldsEditorSeamsScope()
{
    FieldsEditorSeams() = m_saved;
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
    : QWidget(Parent, Qt::Tool), m_dataSet(DataSet), m_designer(Designer)
{
    setObjectName(QStringLiteral("FieldsEditor"));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("FieldList"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_add = new QPushButton(tr("&Add Fields..."));
    m_new = new QPushButton(tr("&New Field..."));
    m_delete = new QPushButton(tr("&Delete"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_new);
    buttons->addWidget(m_delete);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(320, 360);

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
    if (!FieldsEditorSeams().ChooseFields ||
        !FieldsEditorSeams().ChooseFields(offered, chosen, this))
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
    if (!FieldsEditorSeams().DefineField ||
        !FieldsEditorSeams().DefineField(definition, choices, this))
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
    if (m_designer)
        m_designer->Modified();
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
