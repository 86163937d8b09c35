#include "objectproperties.h"

#include <QComboBox>
#include <QHeaderView>
#include <QToolButton>

#include "hostmessages.h"
#include "propedit.h"

namespace {
constexpr int EditorRole = Qt::UserRole + 1;
}

TObjectInspector::TObjectInspector(QWidget *parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderLabels({tr("Property"), tr("Value")});
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setAlternatingRowColors(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::SelectedClicked);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item, int column) {
        if (!m_filling && column == 1)
            commit(item, item->text(1));
    });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) {
        if (item->childCount() == 1 && item->child(0)->data(0, EditorRole).isNull()) {
            delete item->takeChild(0);
            if (TPropertyEditor *editor = editorOf(item)) {
                const QSignalBlocker blocker(this);
                m_filling = true;
                editor->GetProperties(
                    [&](std::unique_ptr<TPropertyEditor> sub) { addEditor(item, std::move(sub)); });
                m_filling = false;
            }
        }
    });
}

TObjectInspector::~TObjectInspector() = default;

void TObjectInspector::SetSelection(const QList<QObject *> &Selection)
{
    m_filling = true;
    clear();
    m_editors.clear();
    m_selection.clear();
    for (QObject *object : Selection)
        m_selection.append(object);
    if (!Selection.isEmpty()) {
        try {
            GetComponentProperties(
                m_designer, Selection,
                [this](std::unique_ptr<TPropertyEditor> e) { addEditor(nullptr, std::move(e)); });
        } catch (...) {
            HandleHostException();
        }
    }
    m_filling = false;
}

void TObjectInspector::RefreshValues()
{
    for (const QPointer<QObject> &object : m_selection)
        if (!object) { // something selected went away: start over with what is left
            QList<QObject *> alive;
            for (const QPointer<QObject> &o : m_selection)
                if (o)
                    alive.append(o.data());
            SetSelection(alive);
            return;
        }
    m_filling = true;
    QTreeWidgetItemIterator it(this);
    for (; *it; ++it)
        if (TPropertyEditor *editor = editorOf(*it)) {
            try {
                (*it)->setText(1, editor->GetValue());
            } catch (...) {
                (*it)->setText(1, tr("(unreadable)"));
            }
            if (auto *combo = qobject_cast<QComboBox *>(itemWidget(*it, 1)))
                combo->setCurrentText((*it)->text(1));
        }
    m_filling = false;
}

void TObjectInspector::addEditor(QTreeWidgetItem *parent, std::unique_ptr<TPropertyEditor> editor)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, editor->GetName());
    item->setData(0, EditorRole, QVariant::fromValue<void *>(editor.get()));
    const TPropertyAttributes attributes = editor->GetAttributes();
    try {
        item->setText(1, editor->GetValue());
    } catch (...) {
        item->setText(1, tr("(unreadable)"));
    }
    if (!(attributes & paReadOnly))
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    if (attributes & paSubProperties)
        new QTreeWidgetItem(item); // placeholder until expanded
    if (attributes & paValueList) {
        auto *combo = new QComboBox;
        combo->setEditable(!(attributes & paReadOnly));
        QStringList values;
        editor->GetValues([&](const QString &value) { values << value; });
        if (attributes & paSortList)
            values.sort(Qt::CaseInsensitive);
        combo->addItems(values);
        combo->setCurrentText(item->text(1));
        connect(combo, &QComboBox::textActivated, this,
                [this, item](const QString &text) { commit(item, text); });
        setItemWidget(item, 1, combo);
    } else if (attributes & paDialog) {
        auto *button = new QToolButton;
        button->setText(QStringLiteral("…"));
        button->setToolTip(item->text(1));
        connect(button, &QToolButton::clicked, this, [this, item] { openEditor(item); });
        setItemWidget(item, 1, button);
    }
    m_editors.push_back(std::move(editor));
}

void TObjectInspector::commit(QTreeWidgetItem *item, const QString &text)
{
    TPropertyEditor *editor = editorOf(item);
    if (!editor)
        return;
    try {
        editor->SetValue(text);
    } catch (...) {
        HandleHostException();
    }
    RefreshValues();
}

void TObjectInspector::openEditor(QTreeWidgetItem *item)
{
    if (TPropertyEditor *editor = editorOf(item)) {
        try {
            editor->Edit();
        } catch (...) {
            HandleHostException();
        }
        RefreshValues();
    }
}

TPropertyEditor *TObjectInspector::editorOf(QTreeWidgetItem *item) const
{
    return item ? static_cast<TPropertyEditor *>(item->data(0, EditorRole).value<void *>())
                : nullptr;
}
