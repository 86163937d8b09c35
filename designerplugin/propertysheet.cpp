#include "propertysheet.h"

#include <QCursor>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerPropertyEditorInterface>
#include <QDesignerPropertySheetExtension>
#include <QExtensionManager>
#include <QStatusBar>
#include <QToolTip>
#include <QUndoStack>
#include <QWidget>
#include <QtDesigner/private/qdesigner_propertycommand_p.h>
#include <QtDesigner/private/qdesigner_utils_p.h>
#include <algorithm>
#include <iterator>

#include "controls.h"
#include "formfile.h"
#include "formwindowdesigner.h"
#include "graphics.h"
#include "grid.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "persistent.h"
#include "pluginhost.h"
#include "typinfo.h"
#include "uicomponents.h"

namespace {

// The package's mirrors of what Designer edits as geometry, enabled and visible.
constexpr const char *kMirrors[] = {"Left", "Top", "Width", "Height", "Enabled", "Visible"};

// The host's cursors and the shapes that show them; the first cursor of a shape is the one a
// shape picked in Designer becomes.
constexpr struct {
    TCursor Cursor;
    Qt::CursorShape Shape;
} kCursors[] = {
    {crArrow, Qt::ArrowCursor},
    {crDefault, Qt::ArrowCursor},
    {crNone, Qt::BlankCursor},
    {crCross, Qt::CrossCursor},
    {crIBeam, Qt::IBeamCursor},
    {crSizeNESW, Qt::SizeBDiagCursor},
    {crSizeNS, Qt::SizeVerCursor},
    {crSizeNWSE, Qt::SizeFDiagCursor},
    {crSizeWE, Qt::SizeHorCursor},
    {crUpArrow, Qt::UpArrowCursor},
    {crHourGlass, Qt::WaitCursor},
    {crDrag, Qt::DragCopyCursor},
    {crNo, Qt::ForbiddenCursor},
    {crNoDrop, Qt::ForbiddenCursor},
    {crHSplit, Qt::SplitHCursor},
    {crVSplit, Qt::SplitVCursor},
    {crMultiDrag, Qt::DragMoveCursor},
    {crAppStart, Qt::BusyCursor},
    {crSQLWait, Qt::BusyCursor},
    {crHelp, Qt::WhatsThisCursor},
    {crHandPoint, Qt::PointingHandCursor},
    {crSizeAll, Qt::SizeAllCursor},
};

Qt::CursorShape shapeOf(TCursor Cursor)
{
    for (const auto &entry : kCursors)
        if (entry.Cursor == Cursor)
            return entry.Shape;
    return Qt::ArrowCursor;
}

TCursor cursorOf(Qt::CursorShape Shape)
{
    for (const auto &entry : kCursors)
        if (entry.Shape == Shape)
            return entry.Cursor;
    return crDefault;
}

// clNone (no colour at all) shows as a transparent white; clDefault as the colour the component
// uses for it (transparent black when it has none); any other colour as the colour it stands for.
QColor shownColor(TColor Color, const QObject *Instance = nullptr, const QString &Name = {})
{
    if (Color == clDefault) {
        const TColor used = Instance ? DefaultColorOf(Instance, Name) : clDefault;
        return used == clDefault ? QColor(0, 0, 0, 0) : ColorToQColor(used);
    }
    if (Color == clNone)
        return QColor(255, 255, 255, 0);
    return ColorToQColor(Color);
}

TColor colorOf(const QColor &Color)
{
    if (!Color.isValid() || Color.alpha() == 0)
        return Color == shownColor(clNone) ? clNone : clDefault;
    return QColorToColor(Color);
}

bool isLink(const QObject *Instance, const TPropInfo *Info)
{
    if (Info->Kind != TTypeKind::tkClass || !Info->Meta.isValid() || !Info->HasWrite())
        return false;
    QObject *value = GetObjectProp(Instance, Info->Name);
    return !value || AsComponent(value);
}

bool isText(const TPropInfo *Info)
{
    return Info->Meta.isValid() && Info->HasWrite() &&
           (Info->Kind == TTypeKind::tkString || Info->Kind == TTypeKind::tkLString ||
            Info->Kind == TTypeKind::tkWString);
}

// Whether Designer's property editor has an editor for a value of this type.
bool isEditable(const QVariant &Value)
{
    switch (Value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
    case QMetaType::QColor:
    case QMetaType::QFont:
    case QMetaType::QPixmap:
    case QMetaType::QIcon:
    case QMetaType::QPalette:
    case QMetaType::QCursor:
    case QMetaType::QSize:
    case QMetaType::QSizeF:
    case QMetaType::QPoint:
    case QMetaType::QPointF:
    case QMetaType::QRect:
    case QMetaType::QRectF:
    case QMetaType::QSizePolicy:
    case QMetaType::QKeySequence:
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime:
    case QMetaType::QUrl:
    case QMetaType::QLocale:
        return true;
    default:
        // Designer's own wrappers: enumerations, flags, translatable texts, resources.
        return Value.isValid() &&
               QByteArray(Value.metaType().name()).startsWith("qdesigner_internal::");
    }
}

TFormWindowDesigner *designerOf(QWidget *Widget)
{
    TDesignerPluginHost *host = TDesignerPluginHost::Current();
    return host && Widget ? host->DesignerOfWidget(Widget) : nullptr;
}

} // namespace

// ---- The sheet -----------------------------------------------------------------------------

TKorPropertySheet::TKorPropertySheet(QWidget *Widget, QObject *Parent)
    : QDesignerPropertySheet(Widget, Parent), m_widget(Widget), m_component(WidgetComponent(Widget))
{
    if (!m_component)
        return;
    QObject *instance = m_component->Object();
    const QString group = QString::fromLatin1(instance->metaObject()->className());
    try {
        // A placeholder has no Qt properties for its component's values: its links and texts
        // are offered as properties of the sheet's own.
        if (instance != Widget) {
            for (const TPropInfo *info : GetPropList(instance)) {
                const bool link = isLink(instance, info);
                if ((!link && !isText(info)) || indexOf(info->Name) >= 0)
                    continue;
                const int index = createFakeProperty(info->Name, QString());
                setPropertyGroup(index, group);
                m_roles.insert(index, link ? TRole::Link : TRole::Text);
            }
        }
        const int own = count();
        for (int i = 0; i < own; ++i) {
            if (m_roles.contains(i))
                continue;
            const QString name = propertyName(i);
            if (name == QLatin1String(kFormTextProperty)) {
                m_roles.insert(i, TRole::FormText);
                continue;
            }
            if (std::any_of(std::begin(kMirrors), std::end(kMirrors),
                            [&](const char *mirror) { return name == QLatin1String(mirror); })) {
                m_roles.insert(i, TRole::Hidden);
                continue;
            }
            const TPropInfo *info = instance == Widget ? GetPropInfo(instance, name) : nullptr;
            if (info && isLink(instance, info))
                m_roles.insert(i, TRole::Link);
            else if (info && (info->TypeName == QLatin1String("TColor") ||
                              info->TypeName == QLatin1String("TCursor"))) {
                // The host's number stays the property saved (uic and QUiLoader set it as a
                // number); Designer edits it under the Qt-style name, as a colour or a cursor.
                // A name Designer already has (the widget's own cursor) is the one offered.
                m_roles.insert(i, TRole::Hidden);
                const bool color = info->TypeName == QLatin1String("TColor");
                const QString alias = name.left(1).toLower() + name.mid(1);
                if (const int own = indexOf(alias); own >= 0) {
                    m_roles.insert(own, TRole::Shown);
                    continue;
                }
                const int index =
                    createFakeProperty(alias, color ? QVariant(QColor()) : QVariant(QCursor()));
                setPropertyGroup(index, propertyGroup(i));
                m_roles.insert(index, color ? TRole::Color : TRole::Cursor);
                m_aliasOf.insert(index, i);
            } else if (!isEditable(QDesignerPropertySheet::property(i)))
                m_roles.insert(i, TRole::Hidden);
        }
        // Links of the component's sub-objects ("Totals.DataSource"), by the path to them, in
        // the group of the sub-object when Designer shows one for it.
        for (const QString &link : ComponentLinks(m_component)) {
            if (!link.contains(QLatin1Char('.')) || indexOf(link) >= 0)
                continue;
            const int owner = indexOf(link.section(QLatin1Char('.'), 0, 0));
            const int index = createFakeProperty(link, QString());
            setPropertyGroup(index, owner >= 0 ? propertyGroup(owner) : group);
            m_roles.insert(index, TRole::Link);
        }
    } catch (...) {
        HandleHostException();
    }
}

bool TKorPropertySheet::isVisible(int Index) const
{
    // formText is not offered for typing; Designer still saves it and its commands write it.
    const TRole role = roleOf(Index);
    if (role == TRole::Shown)
        return true;
    return role != TRole::Hidden && role != TRole::FormText &&
           QDesignerPropertySheet::isVisible(Index);
}

bool TKorPropertySheet::isChanged(int Index) const
{
    // Links and a placeholder's texts are saved in formText, colours and cursors as the host's
    // numbers: never as properties of their own.
    return !isOwnValue(Index) && QDesignerPropertySheet::isChanged(Index);
}

void TKorPropertySheet::setChanged(int Index, bool Changed)
{
    if (isOwnValue(Index))
        return;
    QDesignerPropertySheet::setChanged(Index, Changed);
}

bool TKorPropertySheet::hasReset(int Index) const
{
    const TRole role = roleOf(Index);
    return role == TRole::Link || role == TRole::Text || QDesignerPropertySheet::hasReset(Index);
}

bool TKorPropertySheet::reset(int Index)
{
    const TRole role = roleOf(Index);
    if (role == TRole::Link || role == TRole::Text) {
        setProperty(Index, QString());
        return true;
    }
    return QDesignerPropertySheet::reset(Index);
}

QVariant TKorPropertySheet::property(int Index) const
{
    const TRole role = roleOf(Index);
    if (role == TRole::FormText) {
        // The component's published state is data, never text for translators: Designer saves
        // it with notr="true", so uic keeps it out of retranslateUi().
        QVariant value = QDesignerPropertySheet::property(Index);
        using qdesigner_internal::PropertySheetStringValue;
        if (value.metaType() == QMetaType::fromType<PropertySheetStringValue>()) {
            auto text = value.value<PropertySheetStringValue>();
            text.setTranslatable(false);
            value = QVariant::fromValue(text);
        }
        return value;
    }
    if (!m_component || role == TRole::Plain || role == TRole::Shown || role == TRole::Hidden)
        return QDesignerPropertySheet::property(Index);
    const QObject *instance = m_component->Object();
    const QString name = propertyName(Index);
    try {
        switch (role) {
        case TRole::Link: {
            if (m_pending.contains(Index))
                return m_pending.value(Index);
            const TLinkSlot slot = LinkSlot(m_component->Object(), name);
            const TComponent *linked =
                slot.Owner ? AsComponent(GetObjectProp(slot.Owner, slot.Property)) : nullptr;
            return linked ? linked->Name() : QString();
        }
        case TRole::Text:
            return GetStrProp(instance, name);
        case TRole::Color: {
            const int saved = m_aliasOf.value(Index);
            const TColor raw = QDesignerPropertySheet::property(saved).toInt();
            const QColor shown = shownColor(raw, instance, propertyName(saved));
            remember(Index, shown, raw);
            return shown;
        }
        case TRole::Cursor: {
            const TCursor raw = QDesignerPropertySheet::property(m_aliasOf.value(Index)).toInt();
            const QCursor shown(shapeOf(raw));
            remember(Index, int(shown.shape()), raw);
            return shown;
        }
        default:
            break;
        }
    } catch (...) {
        HandleHostException();
    }
    return QDesignerPropertySheet::property(Index);
}

void TKorPropertySheet::setProperty(int Index, const QVariant &Value)
{
    const TRole role = roleOf(Index);
    if (!m_component || role == TRole::Plain || role == TRole::Shown || role == TRole::Hidden) {
        QDesignerPropertySheet::setProperty(Index, Value);
        // A colour or cursor written as the host's number (by a package window, by undo): the
        // property editor shows it under its Qt-style name.
        if (const int alias = m_aliasOf.key(Index, -1); alias >= 0)
            if (QDesignerFormEditorInterface *editor = core();
                editor && editor->propertyEditor() &&
                editor->propertyEditor()->object() == m_widget)
                editor->propertyEditor()->setPropertyValue(propertyName(alias), property(alias),
                                                           false);
        return;
    }
    QObject *instance = m_component->Object();
    const QString name = propertyName(Index);
    // Designer hands texts over in its own wrapper (a translatable string).
    const QString text = resolvePropertyValue(Index, Value).toString();
    try {
        switch (role) {
        case TRole::FormText:
            // Read as a whole first: a text that does not read leaves the component as it was.
            try {
                ApplyComponentFormText(m_component, text);
            } catch (const EFormFileError &) {
                notify(tr("%1 of %2 was not changed: the text does not read.")
                           .arg(name, m_component->Name()));
            }
            return;
        case TRole::Link:
            if (setLink(Index, text.trimmed()))
                formTextChanged();
            return;
        case TRole::Text:
            if (GetStrProp(instance, name) != text) {
                SetStrProp(instance, name, text);
                formTextChanged();
            }
            return;
        case TRole::Color: {
            TColor raw = 0;
            const QColor color = Value.value<QColor>();
            // A value shown before counts while it still shows as this colour: what a default
            // shows follows the colours it is made of (a filler the grid's colour).
            if (!rememberedRaw(Index, color, raw) ||
                shownColor(raw, instance, propertyName(m_aliasOf.value(Index))) != color)
                raw = colorOf(color);
            writeAliased(Index, raw);
            return;
        }
        case TRole::Cursor: {
            const int shape =
                Value.canConvert<QCursor>() ? int(Value.value<QCursor>().shape()) : Value.toInt();
            TCursor raw = 0;
            if (!rememberedRaw(Index, shape, raw))
                raw = cursorOf(Qt::CursorShape(shape));
            writeAliased(Index, raw);
            return;
        }
        default:
            return;
        }
    } catch (const EHostError &Error) {
        // A value the component refuses (a grid as its own master): said where the user types.
        notify(QString::fromUtf8(Error.what()));
    } catch (...) {
        HandleHostException();
    }
}

bool TKorPropertySheet::setLink(int Index, const QString &Name)
{
    const QString property = propertyName(Index);
    const TLinkSlot slot = LinkSlot(m_component->Object(), property);
    if (!slot.Owner)
        return false;
    QObject *target = nullptr;
    if (!Name.isEmpty()) {
        const TFormWindowDesigner *designer = designerOf(m_widget);
        TComponent *found = designer ? designer->GetComponent(Name) : nullptr;
        const QMetaObject *cls = GetObjectPropClass(slot.Owner, slot.Property);
        if (!found || found == designer->GetRoot() ||
            (cls && !found->Object()->metaObject()->inherits(cls))) {
            // Kept as typed, so the next key goes on from it; the link stays as it was.
            m_pending.insert(Index, Name);
            // Once the user turns to another widget, the link shows as it is again.
            auto *form = QDesignerFormWindowInterface::findFormWindow(m_widget);
            if (form && !m_pendingEnds)
                m_pendingEnds =
                    connect(form, &QDesignerFormWindowInterface::selectionChanged, this, [this] {
                        m_pending.clear();
                        disconnect(m_pendingEnds);
                        m_pendingEnds = {};
                    });
            const QString kind = cls ? QString::fromLatin1(cls->className()) : tr("component");
            notify(tr("There is no %1 named \"%2\" on this form; %3 of %4 was not changed.")
                       .arg(kind, Name, property, m_component->Name()));
            return false;
        }
        target = found->Object();
    }
    m_pending.remove(Index);
    if (GetObjectProp(slot.Owner, slot.Property) == target)
        return false;
    SetObjectProp(slot.Owner, slot.Property, target);
    return true;
}

bool TKorPropertySheet::isOwnValue(int Index) const
{
    const TRole role = roleOf(Index);
    return role == TRole::Link || role == TRole::Text || role == TRole::Color ||
           role == TRole::Cursor;
}

void TKorPropertySheet::writeAliased(int Index, qint32 Raw)
{
    const int saved = m_aliasOf.value(Index, -1);
    if (saved < 0)
        return;
    QDesignerPropertySheet::setProperty(saved, Raw);
    QDesignerPropertySheet::setChanged(saved, true);
}

void TKorPropertySheet::formTextChanged()
{
    const int index = indexOf(QLatin1String(kFormTextProperty));
    if (index >= 0)
        QDesignerPropertySheet::setChanged(index, true);
}

void TKorPropertySheet::notify(const QString &Message) const
{
    QWidget *window = m_widget ? m_widget->window() : nullptr;
    if (auto *form = QDesignerFormWindowInterface::findFormWindow(m_widget))
        window = form->window();
    // The main window's status bar when it has one (asking QMainWindow for it would add one).
    auto *bar =
        window ? window->findChild<QStatusBar *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (bar && bar->isVisible())
        bar->showMessage(Message, 5000);
    else
        QToolTip::showText(QCursor::pos(), Message);
}

bool TKorPropertySheet::rememberedRaw(int Index, const QVariant &Shown, qint32 &Raw) const
{
    for (const auto &[shown, raw] : m_shown.value(Index))
        if (shown == Shown) {
            Raw = raw;
            return true;
        }
    return false;
}

void TKorPropertySheet::remember(int Index, const QVariant &Shown, qint32 Raw) const
{
    QList<QPair<QVariant, qint32>> &list = m_shown[Index];
    list.removeIf([&](const QPair<QVariant, qint32> &entry) { return entry.first == Shown; });
    list.prepend({Shown, Raw});
}

// ---- The factory ---------------------------------------------------------------------------

TKorPropertySheetFactory::TKorPropertySheetFactory(QExtensionManager *Parent)
    : QDesignerAbstractPropertySheetFactory(Parent)
{
}

void TKorPropertySheetFactory::Register(QExtensionManager *Manager)
{
    auto *factory = new TKorPropertySheetFactory(Manager);
    Manager->registerExtensions(factory, Q_TYPEID(QDesignerPropertySheetExtension));
    Manager->registerExtensions(factory, Q_TYPEID(QDesignerDynamicPropertySheetExtension));
}

QObject *TKorPropertySheetFactory::createPropertySheet(QObject *Object, QObject *Parent) const
{
    auto *widget = qobject_cast<QWidget *>(Object);
    if (!widget || !WidgetComponent(widget))
        return nullptr;
    return new TKorPropertySheet(widget, Parent);
}

// ---- Writing -------------------------------------------------------------------------------

namespace {

// Sub-objects hold sub-objects of their own (a part's font); links are looked for this deep.
constexpr int kLinkDepth = 3;

void collectLinks(const QObject *Instance, const QString &Prefix, int Depth, QStringList &Links)
{
    for (const TPropInfo *info : GetPropList(Instance)) {
        if (isLink(Instance, info)) {
            Links.append(Prefix + info->Name);
            continue;
        }
        if (info->Kind != TTypeKind::tkClass || Depth >= kLinkDepth)
            continue;
        // A persistent sub-object the component owns: its links are the component's too.
        QObject *value = GetObjectProp(Instance, info->Name);
        if (value && !AsComponent(value) && AsPersistent(value))
            collectLinks(value, Prefix + info->Name + QLatin1Char('.'), Depth + 1, Links);
    }
}

} // namespace

QStringList ComponentLinks(const TComponent *Component)
{
    QStringList links;
    if (Component)
        collectLinks(Component->Object(), QString(), 0, links);
    return links;
}

TLinkSlot LinkSlot(QObject *Instance, const QString &Path)
{
    QStringList parts = Path.split(QLatin1Char('.'));
    const QString property = parts.takeLast();
    for (const QString &part : parts) {
        if (!Instance || !GetPropInfo(Instance, part))
            return {};
        Instance = GetObjectProp(Instance, part);
    }
    if (!Instance || !GetPropInfo(Instance, property))
        return {};
    return {Instance, property};
}

bool WriteDesignerProperty(QDesignerFormWindowInterface *Form, QWidget *Widget, const QString &Name,
                           const QVariant &Value)
{
    if (!Form || !Widget)
        return false;
    auto command = std::make_unique<qdesigner_internal::SetPropertyCommand>(Form);
    if (!command->init(Widget, Name, Value))
        return false;
    Form->commandHistory()->push(command.release());
    return true;
}

void ClearLinksTo(QDesignerFormWindowInterface *Form, QWidget *Removed)
{
    if (!Form || !Removed || !Form->mainContainer())
        return;
    QList<const QObject *> gone;
    if (TComponent *component = WidgetComponent(Removed))
        gone.append(component->Object());
    for (QWidget *child : Removed->findChildren<QWidget *>())
        if (TComponent *component = WidgetComponent(child))
            gone.append(component->Object());
    if (gone.isEmpty())
        return;
    try {
        for (QWidget *widget : Form->mainContainer()->findChildren<QWidget *>()) {
            TComponent *component = WidgetComponent(widget);
            if (!component || !Form->isManaged(widget) || gone.contains(component->Object()))
                continue;
            for (const QString &link : ComponentLinks(component)) {
                const TLinkSlot slot = LinkSlot(component->Object(), link);
                if (slot.Owner && gone.contains(GetObjectProp(slot.Owner, slot.Property)))
                    WriteDesignerProperty(Form, widget, link, QString());
            }
        }
    } catch (...) {
        HandleHostException();
    }
}
