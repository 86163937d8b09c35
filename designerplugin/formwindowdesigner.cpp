#include "formwindowdesigner.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QDesignerPropertyEditorInterface>
#include <QDesignerPropertySheetExtension>
#include <QExtensionManager>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextEdit>
#include <QToolButton>
#include <QUndoCommand>
#include <QUndoStack>
#include <QWidget>
#include <QtDesigner/private/qdesigner_utils_p.h>
#include <algorithm>
#include <iterator>

#include "changenames.h"
#include "designwindow.h"
#include "hostmessages.h"
#include "liveobjects.h"
#include "persistent.h"
#include "runthenalways.h"
#include "sqldata.h"
#include "uicomponents.h"

// The form as a component: the owner of the components of the form window's widgets.
class TFormRoot : public QObject, public TComponent {
public:
    ~TFormRoot() override { ReleaseAll(); }

    // Lets a component go without telling the others: a widget Designer removes stays alive for
    // its undo, so links to it stay as they are (they clear when it is destroyed).
    void Release(TComponent *Component)
    {
        m_releasing = true;
        RemoveComponent(Component);
        m_releasing = false;
    }
    void ReleaseAll()
    {
        while (ComponentCount() > 0)
            Release(Components(ComponentCount() - 1));
    }

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override
    {
        if (!m_releasing)
            TComponent::Notification(AComponent, Operation);
    }

private:
    bool m_releasing = false;
};

namespace {

// Properties that mirror the widget's geometry, which Designer owns (it moves, sizes and lays
// out widgets with commands of its own); they are never written back from here.
constexpr const char *kGeometryMirrors[] = {"Left", "Top", "Width", "Height"};

// Whether a property of a package widget is one Modified writes back: a value the widget stores
// (the objects it owns travel in formText), other than the geometry mirrors.
bool isWrittenBack(const QMetaProperty &Property)
{
    if (!Property.isReadable() || !Property.isWritable() || !Property.isStored())
        return false;
    const QMetaType type = Property.metaType();
    if (!type.isValid() || (type.flags() & (QMetaType::PointerToQObject | QMetaType::IsPointer)))
        return false;
    return std::none_of(std::begin(kGeometryMirrors), std::end(kGeometryMirrors),
                        [&](const char *name) { return qstrcmp(name, Property.name()) == 0; });
}

// The component a persistent object belongs to: itself, or the nearest component owning it.
TComponent *owningComponent(QObject *Instance)
{
    if (TComponent *component = AsComponent(Instance))
        return component;
    TPersistent *persistent = AsPersistent(Instance);
    for (int depth = 0; persistent && depth < 32; ++depth) {
        persistent = persistent->GetOwner();
        if (TComponent *component = persistent ? AsComponent(persistent->Object()) : nullptr)
            return component;
    }
    return nullptr;
}

// Designer's value of a widget's formText, marked as no text to translate: saved with
// notr="true", so uic keeps it out of retranslateUi() and lupdate out of the translations.
// Other values as they are.
QVariant untranslated(const QString &Name, QVariant Value)
{
    using qdesigner_internal::PropertySheetStringValue;
    if (Name != QLatin1String(kFormTextProperty) ||
        Value.metaType() != QMetaType::fromType<PropertySheetStringValue>())
        return Value;
    auto text = Value.value<PropertySheetStringValue>();
    text.setTranslatable(false);
    return QVariant::fromValue(text);
}

} // namespace

// The command a person last gave in a package window: the text of the push or tool button they
// clicked, or of the menu entry or shortcut they used; a check box or a typed text is no command
// (its step is named after what changed). The next mouse or key press forgets it.
class TCommandWatcher : public QObject {
public:
    QString Command() const { return m_command; }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_command.clear();
            break;
        case QEvent::KeyPress:
            m_command.clear();
            if (const int key = static_cast<QKeyEvent *>(Event)->key();
                key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
                take(Watched);
            break;
        case QEvent::MouseButtonRelease:
            take(Watched);
            break;
        case QEvent::Shortcut:
            if (auto *action = qobject_cast<QAction *>(Watched);
                action && !action->isCheckable() && inPackageWindow(action))
                m_command = CommandStepName(action->text());
            break;
        default:
            break;
        }
        return false;
    }

private:
    static bool inPackageWindow(const QAction *Action)
    {
        const QList<QObject *> owners = Action->associatedObjects();
        return std::any_of(owners.cbegin(), owners.cend(), [](QObject *Owner) {
            auto *widget = qobject_cast<QWidget *>(Owner);
            return widget && qobject_cast<TDesignWindow *>(widget->window());
        });
    }

    void take(QObject *Watched)
    {
        auto *widget = qobject_cast<QWidget *>(Watched);
        if (!widget || !qobject_cast<TDesignWindow *>(widget->window()))
            return;
        if (auto *menu = qobject_cast<QMenu *>(widget)) {
            if (QAction *action = menu->activeAction(); action && !action->isCheckable())
                m_command = CommandStepName(action->text());
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget);
                   button && !button->isCheckable()) {
            auto *tool = qobject_cast<QToolButton *>(button);
            QAction *action = tool ? tool->defaultAction() : nullptr;
            m_command = CommandStepName(action ? action->text() : button->text());
        }
    }

    QString m_command;
};

namespace {

// Whether keys typed now go into a text: typing there changes the form key by key, and the
// keys of one text make one step.
QWidget *typingWidget()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !qobject_cast<TDesignWindow *>(focus->window()))
        return nullptr;
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QAbstractSpinBox *>(focus) ||
        qobject_cast<QPlainTextEdit *>(focus) || qobject_cast<QTextEdit *>(focus))
        return focus;
    if (auto *box = qobject_cast<QComboBox *>(focus); box && box->isEditable())
        return focus;
    return nullptr;
}

// One step of a package window on the form: the values of some widgets' properties, through
// Designer's property sheets. Steps never merge, except the key-by-key changes of one text
// typed in one box, which are one step.
class TPackageChangeCommand : public QUndoCommand {
public:
    struct TValue {
        QPointer<QWidget> Widget;
        QString Name;
        QVariant Old;
        QVariant New;
        bool OldChanged = false;
    };

    TPackageChangeCommand(QDesignerFormWindowInterface *Form, const QString &Text,
                          QList<TValue> Values, QWidget *Typing)
        : QUndoCommand(Text), m_form(Form), m_values(std::move(Values)), m_typing(Typing)
    {
    }

    int id() const override { return m_typing ? kTypingId : -1; }
    bool mergeWith(const QUndoCommand *Other) override
    {
        const auto *other = static_cast<const TPackageChangeCommand *>(Other);
        if (!m_typing || other->m_typing != m_typing || other->text() != text() ||
            other->m_values.size() != m_values.size())
            return false;
        for (qsizetype i = 0; i < m_values.size(); ++i)
            if (other->m_values.at(i).Widget != m_values.at(i).Widget ||
                other->m_values.at(i).Name != m_values.at(i).Name)
                return false;
        for (qsizetype i = 0; i < m_values.size(); ++i)
            m_values[i].New = other->m_values.at(i).New;
        return true;
    }
    void redo() override
    {
        for (const TValue &value : std::as_const(m_values))
            apply(value, value.New, true);
    }
    void undo() override
    {
        for (auto it = m_values.crbegin(); it != m_values.crend(); ++it)
            apply(*it, it->Old, it->OldChanged);
    }

private:
    static constexpr int kTypingId = 0x4b6f7254;

    void apply(const TValue &Value, const QVariant &Sheet, bool Changed) const
    {
        if (!m_form || !Value.Widget)
            return;
        QDesignerFormEditorInterface *core = m_form->core();
        auto *sheet =
            qt_extension<QDesignerPropertySheetExtension *>(core->extensionManager(), Value.Widget);
        const int index = sheet ? sheet->indexOf(Value.Name) : -1;
        if (index < 0)
            return;
        sheet->setProperty(index, Sheet);
        sheet->setChanged(index, Changed);
        if (QDesignerPropertyEditorInterface *editor = core->propertyEditor();
            editor && editor->object() == Value.Widget)
            editor->setPropertyValue(Value.Name, sheet->property(index), Changed);
    }

    QPointer<QDesignerFormWindowInterface> m_form;
    QList<TValue> m_values;
    QPointer<QWidget> m_typing;
};

} // namespace

TFormWindowDesigner::TFormWindowDesigner(QDesignerFormWindowInterface *FormWindow)
    : m_formWindow(FormWindow), m_root(std::make_unique<TFormRoot>()),
      m_commands(std::make_unique<TCommandWatcher>())
{
    m_root->SetDesigning(true);
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(m_commands.get());
    using Form = QDesignerFormWindowInterface;
    connect(FormWindow, &Form::widgetManaged, this, [this](QWidget *widget) {
        track(widget);
        if (const qsizetype index = indexOf(widget); index >= 0)
            NotifyItemInserted(this, m_tracked.at(index).ComponentObject.data());
    });
    connect(FormWindow, &Form::widgetUnmanaged, this, &TFormWindowDesigner::untrack);
    connect(FormWindow, &Form::widgetRemoved, this, &TFormWindowDesigner::untrack);
    connect(FormWindow, &Form::selectionChanged, this,
            &TFormWindowDesigner::designerSelectionChanged);
    connect(FormWindow, &Form::mainContainerChanged, this,
            &TFormWindowDesigner::mainContainerChanged);
    connect(FormWindow->commandHistory(), &QUndoStack::indexChanged, this,
            &TFormWindowDesigner::historyChanged);
    connect(FormWindow, &Form::fileNameChanged, this, &TFormWindowDesigner::fileNameChanged);
    fileNameChanged(FormWindow->fileName());
    mainContainerChanged(FormWindow->mainContainer());
    NotifyDesignerOpened(this, false);
}

TFormWindowDesigner::~TFormWindowDesigner()
{
    Close();
}

void TFormWindowDesigner::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_formWindow) {
        disconnect(m_formWindow, nullptr, this, nullptr);
        disconnect(m_formWindow->commandHistory(), nullptr, this, nullptr);
    }
    try {
        NotifyDesignerClosed(this, false);
    } catch (...) {
        HandleHostException();
    }
    m_selection.clear();
    m_tracked.clear();
    m_root->ReleaseAll();
}

// ---- What the form holds -------------------------------------------------------------------

QDesignerPropertySheetExtension *TFormWindowDesigner::sheetOf(QWidget *Widget) const
{
    if (!m_formWindow || !Widget)
        return nullptr;
    return qt_extension<QDesignerPropertySheetExtension *>(m_formWindow->core()->extensionManager(),
                                                           Widget);
}

TFormWindowDesigner::TValues TFormWindowDesigner::readValues(QWidget *Widget) const
{
    TValues values;
    QDesignerPropertySheetExtension *sheet = sheetOf(Widget);
    if (!sheet)
        return values;
    const QMetaObject *meta = Widget->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!isWrittenBack(property))
            continue;
        const QString name = QString::fromLatin1(property.name());
        const int index = sheet->indexOf(name);
        if (index >= 0)
            values.append(
                {name, property.read(Widget), untranslated(name, sheet->property(index))});
    }
    return values;
}

void TFormWindowDesigner::TakeSnapshot()
{
    m_tracked.removeIf([](const TTracked &entry) { return !entry.Widget; });
    for (TTracked &entry : m_tracked)
        entry.Values = readValues(entry.Widget);
}

void TFormWindowDesigner::trackAll()
{
    QWidget *container = m_formWindow ? m_formWindow->mainContainer() : nullptr;
    const QList<TTracked> tracked = m_tracked;
    for (const TTracked &entry : tracked)
        if (!entry.Widget || !container || !container->isAncestorOf(entry.Widget))
            untrack(entry.Widget);
    m_tracked.removeIf([](const TTracked &entry) { return !entry.Widget; });
    if (!container)
        return;
    for (QWidget *widget : container->findChildren<QWidget *>())
        if (m_formWindow->isManaged(widget))
            track(widget);
}

void TFormWindowDesigner::untranslateFormText(QWidget *Widget)
{
    // A form read from a file that did not mark formText as a text not to translate saves it
    // marked.
    QDesignerPropertySheetExtension *sheet = sheetOf(Widget);
    const QString name = QLatin1String(kFormTextProperty);
    const int index = sheet ? sheet->indexOf(name) : -1;
    if (index < 0)
        return;
    using qdesigner_internal::PropertySheetStringValue;
    const QVariant value = sheet->property(index);
    if (value.metaType() == QMetaType::fromType<PropertySheetStringValue>() &&
        value.value<PropertySheetStringValue>().translatable())
        sheet->setProperty(index, untranslated(name, value));
}

void TFormWindowDesigner::track(QWidget *Widget)
{
    if (m_closed || !Widget || indexOf(Widget) >= 0 || !m_formWindow ||
        Widget == m_formWindow->mainContainer())
        return;
    TComponent *component = WidgetComponent(Widget);
    if (!component)
        return;
    SetUiWidgetDesigning(Widget, true);
    untranslateFormText(Widget);
    m_root->InsertComponent(component);
    m_tracked.append({Widget, component->Object(), component, readValues(Widget)});
}

void TFormWindowDesigner::untrack(QWidget *Widget)
{
    const qsizetype index = indexOf(Widget);
    if (index < 0)
        return;
    const TTracked entry = m_tracked.takeAt(index);
    if (!entry.ComponentObject)
        return;
    m_selection.removeIf([&](const QPointer<QObject> &object) {
        return !object || owningComponent(object) == entry.Component;
    });
    m_root->Release(entry.Component);
    // Windows that edit it close; none of them can select it any more.
    try {
        NotifyItemDeleted(this, entry.ComponentObject.data());
    } catch (...) {
        HandleHostException();
    }
}

qsizetype TFormWindowDesigner::indexOf(const QWidget *Widget) const
{
    for (qsizetype i = 0; i < m_tracked.size(); ++i)
        if (Widget && m_tracked.at(i).Widget == Widget)
            return i;
    return -1;
}

QWidget *TFormWindowDesigner::widgetOf(QObject *Instance) const
{
    TComponent *component = owningComponent(Instance);
    if (!component)
        return nullptr;
    if (component == m_root.get())
        return m_formWindow ? m_formWindow->mainContainer() : nullptr;
    for (const TTracked &entry : m_tracked)
        if (entry.ComponentObject && entry.Component == component)
            return entry.Widget.data();
    return nullptr;
}

TComponent *TFormWindowDesigner::componentOf(QWidget *Widget) const
{
    if (m_formWindow && Widget && Widget == m_formWindow->mainContainer())
        return m_root.get();
    const qsizetype index = indexOf(Widget);
    return index >= 0 && m_tracked.at(index).ComponentObject ? m_tracked.at(index).Component
                                                             : nullptr;
}

void TFormWindowDesigner::mainContainerChanged(QWidget *Container)
{
    if (m_closed)
        return;
    if (Container) {
        m_root->setObjectName(Container->objectName());
        disconnect(m_rootName);
        m_rootName =
            connect(Container, &QObject::objectNameChanged, m_root.get(),
                    [root = m_root.get()](const QString &Name) { root->setObjectName(Name); });
    }
    trackAll();
    for (const TTracked &entry : std::as_const(m_tracked))
        untranslateFormText(entry.Widget);
    // A form just read: links between its components are resolved by now.
    TakeSnapshot();
}

void TFormWindowDesigner::fileNameChanged(const QString &FileName)
{
    if (m_closed || !m_formWindow)
        return;
    // Connections write database files beside or below the .ui relative to it, and find
    // relative names there: the ones read before the form had its file are found again now.
    m_formWindow->setProperty(kUiFormFolderProperty,
                              FileName.isEmpty() ? QVariant()
                                                 : QVariant(QFileInfo(FileName).absolutePath()));
    for (const TTracked &entry : std::as_const(m_tracked))
        if (entry.ComponentObject && qobject_cast<TSQLConnection *>(entry.ComponentObject))
            try {
                ApplyComponentFormText(entry.Component, ComponentFormText(entry.Component));
            } catch (...) {
                HandleHostException();
            }
    TakeSnapshot();
}

// ---- Changes -------------------------------------------------------------------------------

void TFormWindowDesigner::Modified()
{
    ObjectsModified({});
}

void TFormWindowDesigner::ObjectsModified(const QList<QObject *> &Objects)
{
    if (m_closed || m_writing || !m_formWindow)
        return;
    // The widgets whose values the change may have written; an empty set stands for all, as
    // does an object that no tracked widget stands for.
    QSet<const QWidget *> written;
    for (QObject *object : Objects) {
        const QWidget *widget = object ? widgetOf(object) : nullptr;
        if (!widget || indexOf(widget) < 0) {
            written.clear();
            break;
        }
        written.insert(widget);
    }
    const auto compared = [&written](const TTracked &Entry) {
        return Entry.Widget && (written.isEmpty() || written.contains(Entry.Widget.data()));
    };
    struct TChange {
        QWidget *Widget;
        QString Name;
        QVariant Old;
        QVariant New;
        QVariant RawOld;
        QVariant RawNew;
    };
    QList<TChange> changes;
    for (const TTracked &entry : m_tracked) {
        if (!compared(entry))
            continue;
        const TValues now = readValues(entry.Widget);
        for (qsizetype i = 0; i < now.size() && i < entry.Values.size(); ++i) {
            const TValue &was = entry.Values.at(i);
            const TValue &is = now.at(i);
            if (was.Name == is.Name && was.Raw != is.Raw)
                changes.append({entry.Widget, is.Name, was.Sheet, is.Sheet, was.Raw, is.Raw});
        }
    }
    if (!changes.isEmpty()) {
        // One step of its own, named after the command given or what changed, with the values
        // from before the package wrote as the ones undo brings back; pushing it sets the values
        // the widgets already have.
        QDesignerFormWindowInterface *form = m_formWindow;
        QList<TPackageChangeCommand::TValue> values;
        QList<TNamedChange> named;
        for (const TChange &change : std::as_const(changes)) {
            QDesignerPropertySheetExtension *sheet = sheetOf(change.Widget);
            const int index = sheet ? sheet->indexOf(change.Name) : -1;
            if (index < 0)
                continue;
            values.append(
                {change.Widget, change.Name, change.Old, change.New, sheet->isChanged(index)});
            named.append({change.Widget->objectName(), change.Name, change.RawOld, change.RawNew});
        }
        const QString command = m_commands->Command();
        const QString text = command.isEmpty() ? DescribeWidgetChanges(named) : command;
        QWidget *typing = command.isEmpty() ? typingWidget() : nullptr;
        m_writing = true;
        try {
            RunThenAlways(
                [&] {
                    if (!values.isEmpty())
                        form->commandHistory()->push(
                            new TPackageChangeCommand(form, text, std::move(values), typing));
                },
                [&] { m_writing = false; });
        } catch (...) {
            HandleHostException();
        }
        m_tracked.removeIf([](const TTracked &entry) { return !entry.Widget; });
        for (TTracked &entry : m_tracked)
            if (compared(entry))
                entry.Values = readValues(entry.Widget);
    }
    NotifyItemsModified(this);
}

void TFormWindowDesigner::historyChanged()
{
    if (m_closed || m_writing)
        return;
    // Designer changed the form (its property editor, undo, redo, a move): the windows read it
    // again, and later changes compare with it as it is now.
    TakeSnapshot();
    try {
        NotifyItemsModified(this);
    } catch (...) {
        HandleHostException();
    }
}

// ---- Selection -----------------------------------------------------------------------------

void TFormWindowDesigner::SelectComponent(QObject *Instance)
{
    SetSelections(Instance ? QList<QObject *>{Instance} : QList<QObject *>{});
}

void TFormWindowDesigner::SetSelections(const QList<QObject *> &List)
{
    if (m_closed)
        return;
    m_selection.clear();
    for (QObject *object : List)
        if (object)
            m_selection.append(object);
    selectInDesigner(List);
    NotifySelectionChanged(this, GetSelections());
}

QList<QObject *> TFormWindowDesigner::GetSelections() const
{
    return LiveObjects(m_selection);
}

void TFormWindowDesigner::selectInDesigner(const QList<QObject *> &List)
{
    if (!m_formWindow)
        return;
    QList<QWidget *> widgets;
    for (QObject *object : List)
        if (QWidget *widget = widgetOf(object); widget && !widgets.contains(widget))
            widgets.append(widget);
    if (widgets.isEmpty())
        return;
    QDesignerFormWindowCursorInterface *cursor = m_formWindow->cursor();
    QList<QWidget *> selected;
    for (int i = 0; i < cursor->selectedWidgetCount(); ++i)
        selected.append(cursor->selectedWidget(i));
    std::sort(widgets.begin(), widgets.end());
    std::sort(selected.begin(), selected.end());
    if (widgets == selected)
        return;
    m_selecting = true;
    m_formWindow->clearSelection(false);
    for (QWidget *widget : widgets)
        m_formWindow->selectWidget(widget, true);
    m_selecting = false;
}

void TFormWindowDesigner::designerSelectionChanged()
{
    if (m_closed || m_selecting || !m_formWindow)
        return;
    QList<QObject *> selected;
    QDesignerFormWindowCursorInterface *cursor = m_formWindow->cursor();
    for (int i = 0; i < cursor->selectedWidgetCount(); ++i)
        if (TComponent *component = componentOf(cursor->selectedWidget(i)))
            selected.append(component->Object());
    if (selected.isEmpty())
        selected.append(m_root.get());
    // Designer selecting the widgets of what is selected here (a column selects its grid) is no
    // change: the finer selection stays.
    QList<QObject *> owners;
    for (QObject *object : GetSelections())
        if (TComponent *component = owningComponent(object))
            owners.append(component->Object());
    auto sorted = [](QList<QObject *> List) {
        std::sort(List.begin(), List.end());
        List.erase(std::unique(List.begin(), List.end()), List.end());
        return List;
    };
    if (sorted(owners) == sorted(selected))
        return;
    m_selection.clear();
    for (QObject *object : selected)
        m_selection.append(object);
    try {
        NotifySelectionChanged(this, selected);
    } catch (...) {
        HandleHostException();
    }
}

// ---- Lookups -------------------------------------------------------------------------------

void TFormWindowDesigner::Activate()
{
    if (!m_formWindow)
        return;
    if (QDesignerFormWindowManagerInterface *manager = m_formWindow->core()->formWindowManager())
        if (manager->activeFormWindow() != m_formWindow)
            manager->setActiveFormWindow(m_formWindow);
    // The form becomes the current one and nothing more: the package window that asks stays
    // in front with the keyboard, and the program's own windows stay as they are.
}

void TFormWindowDesigner::GetComponentNames(const QMetaObject *Class,
                                            const std::function<void(const QString &)> &Proc) const
{
    for (int i = 0; i < m_root->ComponentCount(); ++i) {
        const TComponent *component = m_root->Components(i);
        if (!Class || component->Object()->metaObject()->inherits(Class))
            Proc(component->Name());
    }
}

TComponent *TFormWindowDesigner::GetComponent(const QString &Name) const
{
    if (Name.compare(m_root->Name(), Qt::CaseInsensitive) == 0 && !Name.isEmpty())
        return m_root.get();
    return m_root->FindComponent(Name);
}

QString TFormWindowDesigner::GetComponentName(const TComponent *Component) const
{
    return Component ? Component->Name() : QString();
}

TComponent *TFormWindowDesigner::GetRoot() const
{
    return m_root.get();
}
