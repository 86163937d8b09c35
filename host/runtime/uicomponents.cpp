#include "uicomponents.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPointer>
#include <iterator>
#include <qdrawutil.h>
#include <vector>

#include "columnsdialog.h"
#include "componenticons.h"
#include "controls.h"
#include "db.h"
#include "formdesigner.h"
#include "formfile.h"
#include "grid.h"
#include "hostmessages.h"
#include "kordbeditor.h"
#include "kordbeditors.h"
#include "navigator.h"
#include "registration.h"
#include "sqldata.h"

namespace {

// The component classes that stand on a .ui form as placeholders.
struct TPlaceholderClass {
    const QMetaObject *Component;
    const QMetaObject *Widget;
};
const TPlaceholderClass kPlaceholders[] = {
    {&TDataSource::staticMetaObject, &TDataSourcePlaceholder::staticMetaObject},
    {&TSQLConnection::staticMetaObject, &TSQLConnectionPlaceholder::staticMetaObject},
    {&TSQLDataSet::staticMetaObject, &TSQLDataSetPlaceholder::staticMetaObject},
    {&TKorDBColumnsDialog::staticMetaObject, &TKorDBColumnsDialogPlaceholder::staticMetaObject},
};

// The package's controls, found by name even when no design-time package registered them, with
// the header that declares each.
struct TControlClass {
    const QMetaObject *Class;
    const char *Header;
};
const TControlClass kControls[] = {
    {&TKorDBGrid::staticMetaObject, "grid.h"},
    {&TKorDBGridsADO::staticMetaObject, "grid.h"},
    {&TKorDBGridsCDS::staticMetaObject, "grid.h"},
    {&TKorDBNavigator::staticMetaObject, "navigator.h"},
    {&TKorDBEditor::staticMetaObject, "kordbeditors.h"},
    {&TKorDBColumn::staticMetaObject, "kordbeditors.h"},
    {&KorDBEditor::TKorDBGridEditor::staticMetaObject, "kordbeditor.h"},
};

const TPlaceholderClass *placeholderOf(const QMetaObject *Class)
{
    for (const TPlaceholderClass &entry : kPlaceholders)
        if (entry.Component == Class || entry.Widget == Class)
            return &entry;
    return nullptr;
}

bool isControlClass(const QMetaObject *Class)
{
    return Class && Class->inherits(&TKorWinControl::staticMetaObject);
}

// A control keeps its plain values as Qt properties of its own; a placeholder's text holds all.
TPropertySelection selectionOf(const TComponent *Component)
{
    return qobject_cast<const QWidget *>(Component->Object()) ? TPropertySelection::Compound
                                                              : TPropertySelection::All;
}

// The component of Component's window whose widget has the object name Name (an exact match
// first, then one without regard to case, as form files match names); without a widget, the
// component of that name of its owner.
TComponent *findOnWindow(const TComponent *Component, const QString &Name)
{
    QWidget *widget = ComponentWidget(Component);
    // A component owned by another (a data set's field) finds on its owner's window.
    if (const TComponent *owner = Component->Owner(); !widget && owner && ComponentWidget(owner))
        return findOnWindow(owner, Name);
    if (!widget)
        return Component->Owner() ? Component->Owner()->FindComponent(Name) : nullptr;
    QWidget *window = widget->window();
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (const Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (QWidget *candidate : std::as_const(widgets))
            if (candidate->objectName().compare(Name, sensitivity) == 0)
                if (TComponent *found = WidgetComponent(candidate))
                    return found;
    return nullptr;
}

TComponentResolver resolverFor(const TComponent *Component)
{
    return [Component](const QString &Name) { return findOnWindow(Component, Name); };
}

// The links applied texts left waiting, per component.
struct TWaiting {
    QPointer<QObject> Object;
    TComponent *Component; // valid while Object lives
    TPendingLinks Links;
};

std::vector<TWaiting> &waitingLinks()
{
    static std::vector<TWaiting> waiting;
    return waiting;
}

TWaiting *waitingOf(const TComponent *Component)
{
    for (TWaiting &waiting : waitingLinks())
        if (waiting.Object && waiting.Component == Component)
            return &waiting;
    return nullptr;
}

const TPendingLinks *pendingOf(const TComponent *Component)
{
    const TWaiting *waiting = waitingOf(Component);
    return waiting ? &waiting->Links : nullptr;
}

// Sets every waiting link whose component is there now. Activate: the form is complete (its
// window is polished or shown, or a loader says so), so waiting data sets may open; while uic or
// QUiLoader is still making it, a component linked to may not have its own values yet.
// Setting a value may report an error in a message box, whose event loop may bring us back
// here: that call does nothing. A text applied meanwhile replaces what waited for its component.
void retryWaiting(bool Activate)
{
    static bool busy = false;
    if (busy)
        return;
    busy = true;
    std::vector<TWaiting> work = std::move(waitingLinks());
    waitingLinks().clear();
    std::vector<TWaiting> kept;
    for (TWaiting &entry : work)
        if (entry.Object && !entry.Links.Resolve(resolverFor(entry.Component), Activate))
            kept.push_back(std::move(entry));
    for (TWaiting &entry : kept)
        if (entry.Object && !waitingOf(entry.Component))
            waitingLinks().push_back(std::move(entry));
    busy = false;
}

// Retries the waiting links when a watched widget is polished, shown or moved to another
// parent (a page of a tab widget joins its window after its children were made).
class TLinkWatcher : public QObject {
public:
    using QObject::QObject;

    static void Watch(QWidget *Widget)
    {
        static QPointer<TLinkWatcher> watcher;
        if (!watcher && QCoreApplication::instance())
            watcher = new TLinkWatcher(QCoreApplication::instance());
        if (watcher && Widget)
            Widget->installEventFilter(watcher); // installing again moves it, never doubles it
    }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        switch (Event->type()) {
        case QEvent::Polish:
        case QEvent::Show:
        case QEvent::ParentChange:
            retryWaiting(Event->type() != QEvent::ParentChange);
            if (waitingLinks().empty())
                Watched->removeEventFilter(this);
            break;
        default:
            break;
        }
        return false;
    }
};

QString compact(const QJsonObject &Object)
{
    return Object.isEmpty()
               ? QString()
               : QString::fromUtf8(QJsonDocument(Object).toJson(QJsonDocument::Compact));
}

// ---- database files beside the form ----

const QString kDatabaseName = QStringLiteral("DatabaseName");

// The folder of the .ui file the form of a connection comes from; empty when none is known or
// Component is no connection.
QString formFolderOf(const TComponent *Component)
{
    if (!qobject_cast<const TSQLConnection *>(Component->Object()))
        return {};
    for (QWidget *widget = ComponentWidget(Component); widget; widget = widget->parentWidget())
        if (const QVariant folder = widget->property(kUiFormFolderProperty); folder.isValid())
            return folder.toString();
    return {};
}

// Whether a database name is a file name (not an in-memory database or a URI).
bool isFileName(const QString &Name)
{
    return !Name.isEmpty() && Name != QLatin1String(":memory:") &&
           !Name.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

// A database file in the form's folder or below, as the text writes it: relative to the folder.
void writeRelative(const TComponent *Component, QJsonObject &Text)
{
    const QString name = Text.value(kDatabaseName).toString();
    if (!isFileName(name) || QFileInfo(name).isRelative())
        return;
    const QString folder = formFolderOf(Component);
    if (folder.isEmpty())
        return;
    const QString relative = QDir(folder).relativeFilePath(QDir::cleanPath(name));
    if (!relative.startsWith(QLatin1String("..")) && QFileInfo(relative).isRelative())
        Text.insert(kDatabaseName, relative);
}

// A relative database name of a text, as the connection takes it: found in the form's folder.
QByteArray readRelative(const TComponent *Component, const QByteArray &Text)
{
    const QString folder = formFolderOf(Component);
    if (folder.isEmpty())
        return Text;
    QJsonObject text = QJsonDocument::fromJson(Text).object();
    const QString name = text.value(kDatabaseName).toString();
    if (!isFileName(name) || !QFileInfo(name).isRelative())
        return Text;
    text.insert(kDatabaseName, QDir::cleanPath(QDir(folder).absoluteFilePath(name)));
    return QJsonDocument(text).toJson(QJsonDocument::Compact);
}

constexpr int kIconSize = 24;

// The entry of a component's text that lists the named components it owns, each as
// {"name", "class", "properties"} with all of its values (and its own owned components).
const QString kOwnedEntry = QStringLiteral("components");

const QMetaObject *ownedClass(const QString &ClassName)
{
    if (const QMetaObject *registered = TFormDesigner::FindComponentClass(ClassName))
        return registered;
    // Built applications register nothing: the fields of data sets are known all the same.
    return ClassName == QLatin1String(TField::staticMetaObject.className())
               ? &TField::staticMetaObject
               : nullptr;
}

QJsonObject fullText(const TComponent *Component, TPropertySelection Which,
                     const TPendingLinks *Pending)
{
    QJsonObject text = WriteComponentProperties(Component, Which, Pending);
    QJsonArray owned;
    for (int i = 0; i < Component->ComponentCount(); ++i) {
        const TComponent *component = Component->Components(i);
        if (component->Name().isEmpty())
            continue;
        owned.append(
            QJsonObject{{QStringLiteral("name"), component->Name()},
                        {QStringLiteral("class"), component->ClassName()},
                        {QStringLiteral("properties"),
                         fullText(component, TPropertySelection::All, pendingOf(component))}});
    }
    if (!owned.isEmpty())
        text.insert(kOwnedEntry, owned);
    return text;
}

// The dynamic property of a placeholder's component that points back at the placeholder.
const char kPlaceholderProperty[] = "korPlaceholder";

} // namespace

QString ComponentFormText(const TComponent *Component)
{
    if (!Component || !Component->Object())
        return {};
    QJsonObject text = fullText(Component, selectionOf(Component), pendingOf(Component));
    writeRelative(Component, text);
    return compact(text);
}

namespace {

// Makes the named components Owner owns match the entries: made, renamed or dropped, in order.
void applyOwned(TComponent *Owner, const QJsonArray &Entries)
{
    QList<TComponent *> listed;
    for (const QJsonValue value : Entries) {
        const QJsonObject entry = value.toObject();
        const QString name = entry.value(QStringLiteral("name")).toString();
        const QString className = entry.value(QStringLiteral("class")).toString();
        const QMetaObject *Class = ownedClass(className);
        if (!Class)
            throw EFormFileError(
                QStringLiteral("Component %1: unknown class %2").arg(name, className));
        TComponent *owned = Owner->FindComponent(name);
        if (owned && owned->Object()->metaObject() != Class) {
            delete owned;
            owned = nullptr;
        }
        if (!owned) {
            std::unique_ptr<TComponent> made = TFormDesigner::NewComponent(Class);
            made->SetName(name);
            Owner->InsertComponent(made.get());
            owned = made.release();
            if (Owner->IsDesigning())
                owned->SetDesigning(true);
        }
        listed.append(owned);
        ApplyComponentFormText(owned,
                               compact(entry.value(QStringLiteral("properties")).toObject()));
    }
    for (int i = Owner->ComponentCount() - 1; i >= 0; --i)
        if (TComponent *owned = Owner->Components(i);
            !owned->Name().isEmpty() && !listed.contains(owned))
            delete owned;
    // In the text's order, each handed to the owner again so that it hears of the order.
    bool same = true;
    for (qsizetype i = 0; i < listed.size() && same; ++i)
        same = listed.at(i)->ComponentIndex() == int(i);
    if (!same)
        for (TComponent *owned : std::as_const(listed)) {
            Owner->RemoveComponent(owned);
            Owner->InsertComponent(owned);
        }
}

} // namespace

void ApplyComponentFormText(TComponent *Component, const QString &Text)
{
    if (!Component || !Component->Object())
        throw EInvalidOperation(QStringLiteral("There is no component to apply a form text to"));
    const TPropertySelection which = selectionOf(Component);
    const QByteArray text = readRelative(Component, Text.toUtf8());
    // The same text again (uic sets it once more when it retranslates): nothing to do.
    QJsonParseError error{};
    const QJsonDocument document = text.trimmed().isEmpty() ? QJsonDocument(QJsonObject())
                                                            : QJsonDocument::fromJson(text, &error);
    if (error.error == QJsonParseError::NoError && document.isObject() &&
        document.object() == fullText(Component, which, pendingOf(Component))) {
        retryWaiting(false);
        return;
    }
    // The components it owns come with it; the rest is its own values.
    QJsonObject own = document.object();
    const QJsonValue owned = own.take(kOwnedEntry);
    TPendingLinks links = ApplyComponentProperties(
        Component, owned.isUndefined() ? text : QJsonDocument(own).toJson(QJsonDocument::Compact),
        which, resolverFor(Component));
    if (owned.isArray() || Component->ComponentCount() > 0)
        applyOwned(Component, owned.toArray());
    auto &waiting = waitingLinks();
    if (TWaiting *old = waitingOf(Component))
        waiting.erase(waiting.begin() + (old - waiting.data()));
    if (!links.IsEmpty()) {
        waiting.push_back({Component->Object(), Component, std::move(links)});
        if (QWidget *widget = ComponentWidget(Component)) {
            TLinkWatcher::Watch(widget);
            TLinkWatcher::Watch(widget->window());
        }
    }
    retryWaiting(false);
}

void ResolveWaitingLinks(bool Complete)
{
    retryWaiting(Complete);
}

bool HasWaitingLinks(const TComponent *Component)
{
    const TPendingLinks *pending = pendingOf(Component);
    return pending && !pending->IsEmpty();
}

QWidget *ComponentWidget(const TComponent *Component)
{
    QObject *object = Component ? const_cast<QObject *>(Component->Object()) : nullptr;
    if (auto *widget = qobject_cast<QWidget *>(object))
        return widget;
    // A component in a placeholder knows it through a dynamic property.
    return object ? object->property(kPlaceholderProperty).value<QWidget *>() : nullptr;
}

TComponent *WidgetComponent(QWidget *Widget)
{
    if (auto *placeholder = qobject_cast<TComponentPlaceholder *>(Widget))
        return placeholder->Component();
    return AsComponent(Widget);
}

const QMetaObject *UiWidgetClass(const QMetaObject *Class)
{
    if (isControlClass(Class))
        return Class;
    for (const TPlaceholderClass &entry : kPlaceholders)
        if (entry.Component == Class)
            return entry.Widget;
    return nullptr;
}

QWidget *CreateUiWidget(const QMetaObject *Class, QWidget *Parent)
{
    if (const TPlaceholderClass *entry = placeholderOf(Class))
        return qobject_cast<QWidget *>(entry->Widget->newInstance(Q_ARG(QWidget *, Parent)));
    if (!isControlClass(Class))
        return nullptr;
    return qobject_cast<QWidget *>(Class->newInstance(Q_ARG(QObject *, Parent)));
}

const QMetaObject *FindUiWidgetClass(const QString &ClassName)
{
    for (const TPlaceholderClass &entry : kPlaceholders)
        if (QLatin1String(entry.Widget->className()) == ClassName)
            return entry.Widget;
    for (const TControlClass &control : kControls)
        if (QLatin1String(control.Class->className()) == ClassName)
            return control.Class;
    const QMetaObject *registered = TFormDesigner::FindComponentClass(ClassName);
    return isControlClass(registered) ? registered : nullptr;
}

QString UiWidgetIncludeFile(const QMetaObject *WidgetClass)
{
    if (placeholderOf(WidgetClass))
        return QStringLiteral("uicomponents.h");
    for (const TControlClass &control : kControls)
        if (control.Class == WidgetClass)
            return QLatin1String(control.Header);
    return {};
}

void SetUiWidgetDesigning(QWidget *Widget, bool Designing)
{
    if (auto *placeholder = qobject_cast<TComponentPlaceholder *>(Widget))
        placeholder->SetDesigning(Designing);
    else if (TComponent *component = WidgetComponent(Widget))
        component->SetDesigning(Designing);
}

// ---- placeholders -------------------------------------------------------------------------

TComponentPlaceholder::TComponentPlaceholder(std::unique_ptr<TComponent> Component, QWidget *Parent)
    : QWidget(Parent), m_component(std::move(Component))
{
    QObject *object = m_component->Object();
    object->setProperty(kPlaceholderProperty, QVariant::fromValue<QWidget *>(this));
    connect(this, &QObject::objectNameChanged, this, [this](const QString &Name) {
        if (m_component->Name() != Name) {
            try {
                m_component->SetName(Name);
            } catch (...) {
                HandleHostException();
            }
        }
        retryWaiting(false);
    });
    connect(object, &QObject::objectNameChanged, this, [this](const QString &Name) {
        if (objectName() != Name)
            setObjectName(Name);
        update();
    });
    setFixedSize(TileSize());
    setToolTip(m_component->ClassName());
    setVisible(false);
}

TComponentPlaceholder::~TComponentPlaceholder()
{
    // The component goes first, while the placeholder it names is still whole.
    m_component->Object()->disconnect(this);
    m_component.reset();
}

TComponent *TComponentPlaceholder::Component() const
{
    return m_component.get();
}

QString TComponentPlaceholder::FormText() const
{
    try {
        return ComponentFormText(m_component.get());
    } catch (...) {
        HandleHostException();
    }
    return {};
}

void TComponentPlaceholder::SetFormText(const QString &Text)
{
    try {
        ApplyComponentFormText(m_component.get(), Text);
    } catch (...) {
        HandleHostException();
    }
}

void TComponentPlaceholder::SetDesigning(bool Designing)
{
    m_component->SetDesigning(Designing);
    QWidget::setVisible(Designing);
    update();
}

void TComponentPlaceholder::setVisible(bool Visible)
{
    QWidget::setVisible(Visible && m_component->IsDesigning());
}

QSize TComponentPlaceholder::sizeHint() const
{
    return TileSize();
}

QSize TComponentPlaceholder::TileSize()
{
    return {92, 48};
}

void TComponentPlaceholder::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect tile = rect();
    qDrawShadePanel(&painter, tile, palette(), false, 1, &palette().brush(QPalette::Button));

    const QRect iconBox(tile.center().x() - kIconSize / 2, tile.top() + 4, kIconSize, kIconSize);
    painter.drawPixmap(iconBox, ComponentPixmap(m_component->Object()->metaObject()));

    QFont font = this->font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect nameBox(tile.left() + 2, iconBox.bottom() + 2, tile.width() - 4,
                        tile.bottom() - iconBox.bottom() - 3);
    painter.drawText(
        nameBox, Qt::AlignHCenter | Qt::AlignVCenter,
        QFontMetrics(font).elidedText(m_component->Name(), Qt::ElideRight, nameBox.width()));
}

TDataSourcePlaceholder::TDataSourcePlaceholder(QWidget *Parent)
    : TComponentPlaceholder(std::make_unique<TDataSource>(), Parent)
{
}

TSQLConnectionPlaceholder::TSQLConnectionPlaceholder(QWidget *Parent)
    : TComponentPlaceholder(std::make_unique<TSQLConnection>(), Parent)
{
}

TSQLDataSetPlaceholder::TSQLDataSetPlaceholder(QWidget *Parent)
    : TComponentPlaceholder(std::make_unique<TSQLDataSet>(), Parent)
{
}

TKorDBColumnsDialogPlaceholder::TKorDBColumnsDialogPlaceholder(QWidget *Parent)
    : TComponentPlaceholder(std::make_unique<TKorDBColumnsDialog>(), Parent)
{
}
