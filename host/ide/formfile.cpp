#include "formfile.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "collection.h"
#include "formdesigner.h"
#include "formfilevalues.h"
#include "hostmessages.h"
#include "persistent.h"
#include "runthenalways.h"
#include "stringlist.h"
#include "typinfo.h"

// A link to a component by name, set once the component is found, and a property that starts
// something (see isActivation), set once every link is.
struct TPendingLinks::Data {
    struct Link {
        QPointer<QObject> Instance;
        PPropInfo Info;
        QString Target;
        QString Where;
        QString Path;
    };
    struct Activation {
        QPointer<QObject> Instance;
        PPropInfo Info;
        QJsonValue Value;
        QString Where;
    };
    std::vector<Link> Links;
    std::vector<Activation> Activations;
};

namespace {

using namespace FormFileValues;

// Sets the values that open data sets and connections, last, once their links are in place; one
// that cannot open (its database is gone) is reported and the rest go on.
void activate(const std::vector<TPendingLinks::Data::Activation> &Activations)
{
    for (const TPendingLinks::Data::Activation &activation : Activations) {
        if (!activation.Instance ||
            encodeScalar(activation.Instance, activation.Info) == activation.Value)
            continue;
        try {
            setScalar(activation.Instance, activation.Info, activation.Value);
        } catch (...) {
            HandleHostException();
        }
    }
}

// Whether a top-level property of that shape belongs to the selection.
bool selected(TPropertySelection Which, PPropInfo Info, Shape Shape)
{
    return Which == TPropertySelection::All || Shape != Shape::Scalar ||
           Info->Kind == TTypeKind::tkMethod;
}

const QString kName = QStringLiteral("name");
const QString kClass = QStringLiteral("class");
const QString kComponents = QStringLiteral("components");
const QString kProperties = QStringLiteral("properties");
const QString kPosition = QStringLiteral("DesignPosition");
// The component that owns a component owned by another than the form; an earlier entry.
const QString kOwner = QStringLiteral("owner");
const char *const kPositionProperty = "DesignPosition";
const QString kItem = QStringLiteral("[]"); // a step into a collection's items

// Newly made components, one per class and collection path, whose values are the defaults of
// properties that record none; a collection along the path gets one item to stand for all.
class TReferences {
public:
    const QObject *Object(const QMetaObject *Class, const QStringList &Path)
    {
        const qsizetype lastItem = Path.lastIndexOf(kItem);
        const QString key = QString::fromLatin1(Class->className()) + QLatin1Char('/') +
                            Path.mid(0, lastItem + 1).join(QLatin1Char('/'));
        auto found = m_made.find(key);
        if (found == m_made.end()) {
            std::unique_ptr<TComponent> made;
            try {
                made = TFormDesigner::NewComponent(Class);
                made->SetDesigning(true);
            } catch (const EHostError &) {
                // A class the host cannot make: its values are all written, none can be read.
            }
            found = m_made.emplace(key, std::move(made)).first;
        }
        if (!found->second)
            return nullptr;
        QObject *object = found->second->Object();
        for (const QString &step : Path) {
            if (!object)
                return nullptr;
            if (step == kItem) {
                auto *collection = qobject_cast<TCollection *>(object);
                if (!collection)
                    return nullptr;
                if (collection->Count() == 0)
                    collection->Add();
                object = collection->Items(0);
            } else {
                PPropInfo info = GetPropInfo(object, step);
                object = info && info->Kind == TTypeKind::tkClass ? GetObjectProp(object, step)
                                                                  : nullptr;
            }
        }
        return object;
    }

private:
    std::map<QString, std::unique_ptr<TComponent>> m_made;
};

// Path followed by one more step.
QStringList deeper(const QStringList &Path, const QString &Step)
{
    QStringList longer = Path;
    longer.append(Step);
    return longer;
}

class TWriter {
public:
    explicit TWriter(TReferences &References, TPropertySelection Which = TPropertySelection::All,
                     const TPendingLinks *Pending = nullptr)
        : m_references(References), m_which(Which), m_pending(Pending)
    {
    }

    QJsonObject Component(const TComponent *Component)
    {
        const QObject *object = Component->Object();
        QJsonObject text;
        text.insert(kName, Component->Name());
        text.insert(kClass, QString::fromLatin1(object->metaObject()->className()));
        const TComponent *owner = Component->Owner();
        const bool owned = owner && owner->Owner();
        if (owned)
            text.insert(kOwner, owner->Name());
        const QJsonObject properties = Properties(object, object->metaObject(), {});
        if (!properties.isEmpty())
            text.insert(kProperties, properties);
        const QVariant position = object->property(kPositionProperty);
        // Only the form's own components have an icon on it.
        if (!owned && !qobject_cast<const QWidget *>(object) && position.canConvert<QPoint>() &&
            position.isValid()) {
            const QPoint point = position.toPoint();
            text.insert(kPosition, QJsonArray{point.x(), point.y()});
        }
        return text;
    }

    // The stored properties of Instance that differ from their defaults.
    QJsonObject Properties(const QObject *Instance, const QMetaObject *Class,
                           const QStringList &Path)
    {
        const QObject *reference = m_references.Object(Class, Path);
        const bool sameClass = reference && reference->metaObject() == Instance->metaObject();
        QJsonObject text;
        for (PPropInfo info : GetPropList(Instance)) {
            const Shape shape = shapeOf(Instance, info);
            if (shape == Shape::Skip || !IsStoredProp(Instance, info) ||
                (Path.isEmpty() && !selected(m_which, info, shape)))
                continue;
            const bool conditional = hasStoredMethod(info);
            const bool recordedDefault =
                shape == Shape::Scalar && info->IsOrdinal() && info->Default != NoDefault;
            if (!conditional && recordedDefault && GetOrdProp(Instance, info) == info->Default)
                continue;
            const QJsonValue value = Value(Instance, info, shape, Class, Path);
            bool differs = true; // assigned, or off its recorded default
            if (!conditional && shape == Shape::Object) {
                differs = !value.toObject().isEmpty();
            } else if (!conditional && !recordedDefault) {
                PPropInfo other = sameClass   ? info
                                  : reference ? GetPropInfo(reference, info->Name)
                                              : nullptr;
                if (other)
                    differs =
                        value != Value(reference, other, shapeOf(reference, other), Class, Path);
            }
            if (differs)
                text.insert(info->Name, value);
        }
        return text;
    }

    // The whole value of a property of the object at Path.
    QJsonValue Value(const QObject *Instance, PPropInfo Info, Shape Shape, const QMetaObject *Class,
                     const QStringList &Path)
    {
        switch (Shape) {
        case Shape::Skip:
            return QJsonValue(QJsonValue::Undefined);
        case Shape::Scalar:
            return encodeScalar(Instance, Info);
        default:
            break;
        }
        QObject *value = GetObjectProp(Instance, Info->Name);
        const QStringList path = deeper(Path, Info->Name);
        switch (Shape) {
        case Shape::Reference:
            if (!value && m_pending)
                if (const QString target = m_pending->Target(Instance, Info->Name);
                    !target.isEmpty())
                    return target;
            return value ? QJsonValue(AsComponent(value)->Name()) : QJsonValue();
        case Shape::Strings:
            return encodeLines(qobject_cast<TStrings *>(value));
        case Shape::Collection: {
            const auto *collection = qobject_cast<TCollection *>(value);
            QJsonArray items;
            for (int i = 0; i < collection->Count(); ++i)
                items.append(Properties(collection->Items(i), Class, deeper(path, kItem)));
            return items;
        }
        default:
            return Properties(value, Class, path);
        }
    }

private:
    TReferences &m_references;
    TPropertySelection m_which;
    const TPendingLinks *m_pending;
};

// The form's own properties that differ from a new form's; always there (even empty) in a form
// file, so a file without them is known to be older.
void writeRootProperties(QJsonObject &Text, const TComponent *Root, TReferences &References)
{
    const QObject *object = Root->Object();
    Text.insert(kProperties, TWriter(References).Properties(object, object->metaObject(), {}));
}

// WithRoot: the text of a whole form, with the form's own properties; else a clipboard text.
QByteArray formText(const TComponent *Root, const QList<TComponent *> &Components,
                    bool WithRoot = false)
{
    TReferences references;
    TWriter writer(references);
    QJsonObject text;
    text.insert(kName, Root->Name());
    text.insert(kClass, Root->ClassName());
    if (WithRoot)
        writeRootProperties(text, Root, references);
    QJsonArray components;
    for (const TComponent *component : Components)
        if (component && component->Object())
            components.append(writer.Component(component));
    text.insert(kComponents, components);
    return QJsonDocument(text).toJson(QJsonDocument::Indented);
}

// ---- reading ------------------------------------------------------------------------------

struct TComponentText {
    QString Name;
    QString Owner; // empty: the form
    const QMetaObject *Class = nullptr;
    QJsonObject Text; // as written, for comparing with the component as it is
    QJsonObject Properties;
    std::optional<QPoint> Position;
};

struct TFormText {
    QString Name;
    QString ClassName;
    std::vector<TComponentText> Components;
    std::optional<TComponentText> Root; // the form's own properties; none in older files

    const TComponentText *Find(const QString &Name) const
    {
        for (const TComponentText &component : Components)
            if (component.Name.compare(Name, Qt::CaseInsensitive) == 0)
                return &component;
        return nullptr;
    }
};

[[noreturn]] void fail(const QString &Where, const QString &Why)
{
    throw EFormFileError(QStringLiteral("%1: %2").arg(Where, Why));
}

QString componentWhere(const QString &Name)
{
    return QStringLiteral("Component %1").arg(Name);
}

QJsonObject parseDocument(const QByteArray &Text,
                          const QString &Expected = QStringLiteral("expected a form object"))
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(Text, &error);
    if (error.error != QJsonParseError::NoError) {
        const QByteArray before = Text.left(qMax(0, error.offset));
        const qsizetype lineStart = before.lastIndexOf('\n') + 1;
        const int line = int(before.count('\n')) + 1;
        const int column = int(QString::fromUtf8(before.mid(lineStart)).size()) + 1;
        fail(QStringLiteral("Line %1, column %2").arg(line).arg(column), error.errorString());
    }
    if (!document.isObject())
        fail(QStringLiteral("Line 1, column 1"), Expected);
    return document.object();
}

// Checks property texts against the type information of newly made components.
class TChecker {
public:
    // Names: the components the text names, by lower-case name. Lenient: references to other
    // names are let through (they are resolved on the form, or to none).
    TChecker(TReferences &References, const QHash<QString, const QMetaObject *> &Names,
             bool Lenient, TPropertySelection Which = TPropertySelection::All)
        : m_references(References), m_names(Names), m_lenient(Lenient), m_which(Which)
    {
    }

    void Component(const TComponentText &Component)
    {
        m_where = componentWhere(Component.Name);
        Properties(Component.Properties, m_references.Object(Component.Class, {}), Component.Class,
                   {}, QString());
    }

private:
    [[noreturn]] void failAt(const QString &Property, const QString &Why) const
    {
        fail(QStringLiteral("%1, property %2").arg(m_where, Property), Why);
    }

    void Properties(const QJsonValue &Text, const QObject *Reference, const QMetaObject *Class,
                    const QStringList &Path, const QString &Where)
    {
        if (!Text.isObject())
            Where.isEmpty() ? fail(m_where, QStringLiteral("properties must be an object"))
                            : failAt(Where, QStringLiteral("expected an object"));
        if (!Reference)
            failAt(Where, QStringLiteral("cannot be read"));
        const QJsonObject object = Text.toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            const QString where = Where.isEmpty() ? it.key() : Where + QLatin1Char('.') + it.key();
            PPropInfo info = GetPropInfo(Reference, it.key());
            const Shape shape = info ? shapeOf(Reference, info) : Shape::Skip;
            if (shape == Shape::Skip)
                failAt(where, QStringLiteral("no such property"));
            if (Path.isEmpty() && !selected(m_which, info, shape))
                failAt(where, QStringLiteral("a plain value, kept outside this text"));
            Value(it.value(), Reference, info, shape, Class, deeper(Path, info->Name), where);
        }
    }

    void Value(const QJsonValue &Text, const QObject *Reference, PPropInfo Info, Shape Shape,
               const QMetaObject *Class, const QStringList &Path, const QString &Where)
    {
        switch (Shape) {
        case Shape::Scalar:
            if (const QString why = checkScalar(Info, Text); !why.isEmpty())
                failAt(Where, why);
            return;
        case Shape::Reference:
            checkLink(Text, Info, Where);
            return;
        case Shape::Strings:
            if (!Text.isArray())
                failAt(Where, QStringLiteral("expected a list of strings"));
            for (const QJsonValue line : Text.toArray())
                if (!line.isString())
                    failAt(Where, QStringLiteral("expected a list of strings"));
            return;
        case Shape::Collection: {
            if (!Text.isArray())
                failAt(Where, QStringLiteral("expected a list of items"));
            const QJsonArray items = Text.toArray();
            const QObject *item = m_references.Object(Class, deeper(Path, kItem));
            for (qsizetype i = 0; i < items.size(); ++i)
                Properties(items.at(i), item, Class, deeper(Path, kItem),
                           QStringLiteral("%1[%2]").arg(Where).arg(i));
            return;
        }
        case Shape::Object:
            Properties(Text, GetObjectProp(Reference, Info->Name), Class, Path, Where);
            return;
        case Shape::Skip:
            return;
        }
    }

    void checkLink(const QJsonValue &Text, PPropInfo Info, const QString &Where)
    {
        if (Text.isNull())
            return;
        if (!Text.isString())
            failAt(Where, QStringLiteral("expected a component name or null"));
        const QString name = Text.toString();
        const auto found = m_names.constFind(name.toLower());
        if (found == m_names.constEnd()) {
            if (!m_lenient)
                failAt(Where, QStringLiteral("there is no component named %1").arg(name));
            return;
        }
        if (Info->ObjectClass && *found && !(*found)->inherits(Info->ObjectClass))
            failAt(Where, QStringLiteral("%1 is not a %2").arg(name, Info->TypeName));
    }

    TReferences &m_references;
    const QHash<QString, const QMetaObject *> &m_names;
    bool m_lenient;
    TPropertySelection m_which;
    QString m_where;
};

// The form's own properties (caption, size, colour, font), checked like a component's. A
// clipboard text (no form class asked for) leaves them out.
void readRootText(TFormText &Form, const QJsonObject &Root, TChecker &Checker)
{
    const QJsonValue properties = Root.value(kProperties);
    if (properties.isUndefined())
        return;
    if (!properties.isObject())
        fail(QStringLiteral("Form %1").arg(Form.Name),
             QStringLiteral("properties must be an object"));
    TComponentText root;
    root.Name = Form.Name;
    root.Class = &TDesignForm::staticMetaObject;
    root.Properties = properties.toObject();
    root.Text.insert(kName, Form.Name);
    root.Text.insert(kClass, Form.ClassName);
    if (!root.Properties.isEmpty())
        root.Text.insert(kProperties, root.Properties);
    Checker.Component(root);
    Form.Root = std::move(root);
}

// One component's entry, its properties not checked yet. Where names it until its name is
// known. Names: the components named before it (with FormName), which its name must not take
// again and its owner must be among; null for an entry on its own. InText: on a clipboard text,
// every name the text holds; a component whose owner is not among them was copied alone (a
// field), and the paste finds it an owner.
TComponentText readEntry(const QJsonObject &Text, const QString &Where, const QString &FormName,
                         const QHash<QString, const QMetaObject *> *Names,
                         const QSet<QString> *InText = nullptr)
{
    TComponentText component;
    component.Text = Text;
    if (!Text.value(kName).isString() || Text.value(kName).toString().trimmed().isEmpty())
        fail(Where, QStringLiteral("the component has no name"));
    component.Name = Text.value(kName).toString();
    const QString named = componentWhere(component.Name);
    if (Names && Names->contains(component.Name.toLower()))
        fail(named, QStringLiteral("the name is taken twice"));
    for (auto it = Text.constBegin(); it != Text.constEnd(); ++it)
        if (it.key() != kName && it.key() != kClass && it.key() != kProperties &&
            it.key() != kPosition && it.key() != kOwner)
            fail(named, QStringLiteral("unknown entry %1").arg(it.key()));
    if (const QJsonValue owner = Text.value(kOwner); !owner.isUndefined()) {
        component.Owner = owner.toString();
        const bool alone = InText && !InText->contains(component.Owner.toLower());
        if (!owner.isString() || component.Owner.isEmpty() ||
            component.Owner.compare(FormName, Qt::CaseInsensitive) == 0 ||
            (Names && !alone && !Names->contains(component.Owner.toLower())))
            fail(named, QStringLiteral("the owner must be a component named before it"));
    }
    const QString className = Text.value(kClass).toString();
    component.Class = TFormDesigner::FindComponentClass(className);
    if (!component.Class)
        fail(named, QStringLiteral("unknown class %1")
                        .arg(Text.value(kClass).isString() ? className : QStringLiteral("(none)")));
    if (Names && !component.Owner.isEmpty())
        if (const auto owner = Names->constFind(component.Owner.toLower());
            owner != Names->constEnd() && !CanOwn(*owner, component.Class))
            fail(named, QStringLiteral("the owner %1 is not a %2")
                            .arg(component.Owner, OwnerClassOf(component.Class)));
    const QJsonValue properties = Text.value(kProperties);
    if (!properties.isUndefined() && !properties.isObject())
        fail(named, QStringLiteral("properties must be an object"));
    component.Properties = properties.toObject();
    if (const QJsonValue position = Text.value(kPosition); !position.isUndefined()) {
        const QJsonArray xy = position.toArray();
        const auto x = xy.size() == 2 ? wholeNumber(xy.at(0)) : std::nullopt;
        const auto y = xy.size() == 2 ? wholeNumber(xy.at(1)) : std::nullopt;
        if (!x || !y)
            fail(named, QStringLiteral("DesignPosition must be [x, y]"));
        component.Position = QPoint(*x, *y);
    }
    return component;
}

// Parses and checks a whole text. FormClass: the class the form must have (null: any).
TFormText readText(const QByteArray &Text, TReferences &References, const char *FormClass,
                   bool Lenient)
{
    const QJsonObject root = parseDocument(Text);
    TFormText form;
    const QString formWhere = QStringLiteral("Form");
    for (auto it = root.constBegin(); it != root.constEnd(); ++it)
        if (it.key() != kName && it.key() != kClass && it.key() != kComponents &&
            it.key() != kProperties)
            fail(formWhere, QStringLiteral("unknown entry %1").arg(it.key()));
    if (!root.value(kName).isString() || root.value(kName).toString().isEmpty())
        fail(formWhere, QStringLiteral("the form has no name"));
    if (!root.value(kClass).isString())
        fail(formWhere, QStringLiteral("the form has no class"));
    form.Name = root.value(kName).toString();
    form.ClassName = root.value(kClass).toString();
    if (FormClass && form.ClassName != QLatin1String(FormClass))
        fail(QStringLiteral("Form %1").arg(form.Name),
             QStringLiteral("class %1 cannot be designed here").arg(form.ClassName));
    const QJsonValue components = root.value(kComponents);
    if (!components.isUndefined() && !components.isArray())
        fail(formWhere, QStringLiteral("components must be a list"));

    QHash<QString, const QMetaObject *> names;
    names.insert(form.Name.toLower(), nullptr);
    const QJsonArray list = components.toArray();
    QSet<QString> inText;
    for (const QJsonValue entry : list)
        inText.insert(entry.toObject().value(kName).toString().toLower());
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString where = QStringLiteral("Component %1").arg(i + 1);
        if (!list.at(i).isObject())
            fail(where, QStringLiteral("expected an object"));
        TComponentText component =
            readEntry(list.at(i).toObject(), where, form.Name, &names, Lenient ? &inText : nullptr);
        // Read strictly, a name the form cannot take refuses the text before the form changes;
        // a paste (lenient) renames it instead.
        if (!Lenient && !IsValidComponentName(component.Name))
            fail(componentWhere(component.Name),
                 QStringLiteral("%1 is not a valid component name").arg(component.Name));
        names.insert(component.Name.toLower(), component.Class);
        form.Components.push_back(std::move(component));
    }
    TChecker checker(References, names, Lenient);
    for (const TComponentText &component : form.Components)
        checker.Component(component);
    if (FormClass)
        readRootText(form, root, checker);
    return form;
}

// Sets the properties of components from their texts: first everything but references and
// activations, then (Finish) the references, then the activations.
class TApplier {
public:
    using Resolver = std::function<TComponent *(const QString &Name)>;

    TApplier(TReferences &References, Resolver Resolve,
             TPropertySelection Which = TPropertySelection::All)
        : m_references(References), m_resolve(std::move(Resolve)), m_which(Which)
    {
    }

    // Now: the entry the component matches now, when known; then only what differs from it
    // is set, and nothing needs writing to see what does.
    void Component(TComponent *Component, const TComponentText &Text, bool Created,
                   const QJsonObject *Now = nullptr)
    {
        QObject *object = Component->Object();
        m_where = componentWhere(Text.Name);
        if (!qobject_cast<QWidget *>(object))
            object->setProperty(kPositionProperty,
                                Text.Position ? QVariant(*Text.Position) : QVariant());
        const bool same =
            !Created &&
            (Now ? *Now == Text.Text : TWriter(m_references).Component(Component) == Text.Text);
        // Activations are set again at the end even on unchanged components: a connection
        // that closes on the way closes its data sets too.
        for (PPropInfo info : GetPropList(object))
            if (isActivation(info) && info->HasWrite()) {
                const QJsonValue wanted = valueNoCase(Text.Properties, info->Name);
                m_activations.push_back({object, info,
                                         wanted.isUndefined() ? encodeOrdinal(info, 0) : wanted,
                                         m_where});
                if (!same && GetOrdProp(object, info) != 0)
                    SetOrdProp(object, info, 0); // changes go into a closed data set
            }
        if (same)
            return;
        const QJsonObject nowProperties = Now ? Now->value(kProperties).toObject() : QJsonObject();
        Properties(object, Text.Properties, m_references.Object(Text.Class, {}), Text.Class, {},
                   QString(), true, Now && !Created ? &nowProperties : nullptr);
    }

    void Finish()
    {
        for (const Link &link : m_links) {
            if (!link.Instance)
                continue;
            TComponent *target = link.Target.isEmpty() ? nullptr : m_resolve(link.Target);
            QObject *value = target ? target->Object() : nullptr;
            if (value && link.Info->ObjectClass &&
                !value->metaObject()->inherits(link.Info->ObjectClass))
                value = nullptr;
            if (GetObjectProp(link.Instance, link.Info->Name) == value)
                continue;
            try {
                SetObjectProp(link.Instance, link.Info->Name, value);
            } catch (const EHostError &error) {
                fail(QStringLiteral("%1, property %2").arg(link.Where, link.Path), error.Message());
            }
        }
        activate(m_activations);
        activate(m_kept);
    }

    // A component a part of the form leaves as it is: its activations are set back to what they
    // are now, last, so one that closed on the way (as its connection did) opens again.
    void Keep(TComponent *Component)
    {
        QObject *object = Component->Object();
        for (PPropInfo info : GetPropList(object))
            if (isActivation(info) && info->HasWrite())
                m_kept.push_back(
                    {object, info, encodeScalar(object, info), componentWhere(Component->Name())});
    }

    // One component alone: its selected properties, links and activations left waiting in the
    // answer for TPendingLinks::Resolve.
    TPendingLinks::Data Alone(TComponent *Component, const QJsonObject &Text)
    {
        QObject *object = Component->Object();
        m_where = componentWhere(Component->Name());
        // Changes go into a closed data set; it opens again once its links are set. One the text
        // leaves closed stays closed.
        if (m_which == TPropertySelection::All)
            for (PPropInfo info : GetPropList(object))
                if (isActivation(info) && info->HasWrite()) {
                    const QJsonValue wanted = valueNoCase(Text, info->Name);
                    if (!wanted.isUndefined() && wanted != encodeOrdinal(info, 0))
                        m_activations.push_back({object, info, wanted, m_where});
                    if (GetOrdProp(object, info) != 0)
                        SetOrdProp(object, info, 0);
                }
        Properties(object, Text, m_references.Object(object->metaObject(), {}),
                   object->metaObject(), {}, QString(), true);
        return {std::move(m_links), std::move(m_activations)};
    }

private:
    using Link = TPendingLinks::Data::Link;
    using Activation = TPendingLinks::Data::Activation;

    void Properties(QObject *Instance, const QJsonObject &Text, const QObject *Reference,
                    const QMetaObject *Class, const QStringList &Path, const QString &Where,
                    bool IsComponent, const QJsonObject *Now = nullptr)
    {
        QHash<QString, QJsonValue> wanted, now;
        for (auto it = Text.constBegin(); it != Text.constEnd(); ++it)
            wanted.insert(it.key().toLower(), it.value());
        if (Now)
            for (auto it = Now->constBegin(); it != Now->constEnd(); ++it)
                now.insert(it.key().toLower(), it.value());
        const bool sameClass = Reference && Reference->metaObject() == Instance->metaObject();
        for (PPropInfo info : GetPropList(Instance)) {
            const Shape shape = shapeOf(Instance, info);
            if (shape == Shape::Skip ||
                (IsComponent && (isActivation(info) || !selected(m_which, info, shape))))
                continue;
            const QString key = info->Name.toLower();
            const auto found = wanted.constFind(key);
            const bool present = found != wanted.constEnd();
            const QJsonValue was = Now ? now.value(key, QJsonValue(QJsonValue::Undefined))
                                       : QJsonValue(QJsonValue::Undefined);
            if (Now && was == (present ? *found : QJsonValue(QJsonValue::Undefined)))
                continue; // as it is now
            const auto where = [&] {
                return Where.isEmpty() ? info->Name : Where + QLatin1Char('.') + info->Name;
            };
            PPropInfo other = sameClass   ? info
                              : Reference ? GetPropInfo(Reference, info->Name)
                                          : nullptr;
            const bool scalar = shape == Shape::Scalar;
            try {
                Property(Instance, info, shape,
                         present ? *found : QJsonValue(QJsonValue::Undefined), Reference, other,
                         Class, scalar ? QStringList() : deeper(Path, info->Name),
                         scalar ? QString() : where(), Now ? &was : nullptr);
            } catch (const EFormFileError &) {
                throw;
            } catch (const EHostError &error) {
                fail(QStringLiteral("%1, property %2").arg(m_where, where()), error.Message());
            }
        }
    }

    void Property(QObject *Instance, PPropInfo Info, Shape Shape, const QJsonValue &Wanted,
                  const QObject *Reference, PPropInfo Other, const QMetaObject *Class,
                  const QStringList &Path, const QString &Where, const QJsonValue *Now)
    {
        const bool present = !Wanted.isUndefined();
        switch (Shape) {
        case Shape::Scalar: {
            // A property stored only while assigned: leaving it out of the text means not
            // assigned, which taking the defaults over (Persistent) already saw to; naming it
            // assigns it, even to the value it has.
            if (hasStoredMethod(Info)) {
                if (present &&
                    (!IsStoredProp(Instance, Info) || encodeScalar(Instance, Info) != Wanted))
                    setScalar(Instance, Info, Wanted);
                return;
            }
            QJsonValue target = Wanted;
            if (!present && Info->IsOrdinal() && Info->Default != NoDefault)
                target = encodeOrdinal(Info, Info->Default);
            else if (!present && Other && shapeOf(Reference, Other) == Shape::Scalar)
                target = encodeScalar(Reference, Other);
            if (!target.isUndefined() && encodeScalar(Instance, Info) != target)
                setScalar(Instance, Info, target);
            return;
        }
        case Shape::Reference:
            m_links.push_back({Instance, Info, Wanted.isString() ? Wanted.toString() : QString(),
                               m_where, Where});
            return;
        case Shape::Strings: {
            auto *strings = qobject_cast<TStrings *>(GetObjectProp(Instance, Info->Name));
            QStringList lines;
            if (present) {
                for (const QJsonValue line : Wanted.toArray())
                    lines.append(line.toString());
            } else if (auto *other =
                           Other ? qobject_cast<TStrings *>(GetObjectProp(Reference, Other->Name))
                                 : nullptr) {
                lines = other->Lines();
            }
            if (strings->Lines() != lines)
                strings->SetLines(lines);
            return;
        }
        case Shape::Collection:
            Collection(Instance, Info, Wanted, Class, Path, Where, Now);
            return;
        case Shape::Object: {
            if (!present && hasStoredMethod(Info))
                return; // not assigned: see the scalar case
            QObject *object = GetObjectProp(Instance, Info->Name);
            const QObject *reference = Other ? GetObjectProp(Reference, Other->Name) : nullptr;
            const QJsonObject was = Now && Now->isObject() ? Now->toObject() : QJsonObject();
            Persistent(object, Wanted.toObject(), reference, Class, Path, Where, false,
                       Now && Now->isObject() ? &was : nullptr);
            return;
        }
        case Shape::Skip:
            return;
        }
    }

    // Makes a sub-object or collection item match its text: when it differs, it first takes
    // the defaults over (which also forgets what it was told to keep), then the text's values.
    // Fresh: the object was just made, so it holds its defaults already.
    void Persistent(QObject *Object, const QJsonObject &Text, const QObject *Reference,
                    const QMetaObject *Class, const QStringList &Path, const QString &Where,
                    bool Fresh = false, const QJsonObject *Now = nullptr)
    {
        if (!Fresh &&
            (Now ? *Now == Text : TWriter(m_references).Properties(Object, Class, Path) == Text))
            return;
        if (!Fresh && Reference && Reference->metaObject() == Object->metaObject()) {
            try {
                AsPersistent(Object)->Assign(AsPersistent(const_cast<QObject *>(Reference)));
            } catch (const EHostError &) {
                // Not assignable: the properties below are set one by one.
            }
        }
        Properties(Object, Text, Reference, Class, Path, Where, false);
    }

    void Collection(QObject *Owner, PPropInfo Info, const QJsonValue &Wanted,
                    const QMetaObject *Class, const QStringList &Path, const QString &Where,
                    const QJsonValue *Now = nullptr)
    {
        auto *collection = qobject_cast<TCollection *>(GetObjectProp(Owner, Info->Name));
        const bool conditional = hasStoredMethod(Info);
        if (Wanted.isUndefined() && conditional) {
            // Not stored: the owner makes the items itself (a grid's default columns).
            if (!IsStoredProp(Owner, Info))
                return;
            if (collection->metaObject()->indexOfMethod("RestoreDefaults()") >= 0)
                QMetaObject::invokeMethod(collection, "RestoreDefaults");
            else
                collection->Clear();
            return;
        }
        const QJsonArray items = Wanted.toArray();
        // The items as they are now, when known and the owner's own.
        const QJsonArray nowItems =
            Now && Now->isArray() && !(conditional && !IsStoredProp(Owner, Info)) ? Now->toArray()
                                                                                  : QJsonArray();
        collection->BeginUpdate();
        RunThenAlways(
            [&] {
                // Items the owner made itself are dropped, so the new ones are its own.
                if (conditional && !IsStoredProp(Owner, Info))
                    collection->Clear();
                const QObject *reference = m_references.Object(Class, deeper(Path, kItem));
                for (qsizetype i = 0; i < items.size(); ++i) {
                    const bool fresh = i >= collection->Count();
                    TCollectionItem *item = fresh ? collection->Add() : collection->Items(int(i));
                    const QJsonObject was = i < nowItems.size() && nowItems.at(i).isObject()
                                                ? nowItems.at(i).toObject()
                                                : QJsonObject();
                    Persistent(item, items.at(i).toObject(), reference, Class, deeper(Path, kItem),
                               QStringLiteral("%1[%2]").arg(Where).arg(i), fresh,
                               i < nowItems.size() ? &was : nullptr);
                }
                while (collection->Count() > items.size())
                    collection->Delete(collection->Count() - 1);
                // Stored in the text yet not by the owner's rule (no items): the owner keeps
                // them as they are rather than making its own (a grid with every column deleted).
                if (conditional && !IsStoredProp(Owner, Info) &&
                    collection->metaObject()->indexOfMethod("Customize()") >= 0)
                    QMetaObject::invokeMethod(collection, "Customize");
            },
            [&] { collection->EndUpdate(); });
    }

    TReferences &m_references;
    Resolver m_resolve;
    TPropertySelection m_which;
    QString m_where;
    std::vector<Link> m_links;
    std::vector<Activation> m_activations;
    std::vector<Activation> m_kept; // set after the others: their connections open first
};

TComponent *findAnywhere(const TComponent *Root, const QString &Name);

// Puts the form's components in the text's order (a component made again, as by undoing its
// deletion, goes back to its place rather than last), and stacks their controls in that order.
void keepTextOrder(TDesignForm *Form, const TFormText &Text)
{
    // Components owned by others go back to their owners in the text's order, so that the
    // owner hears of each (a data set orders its fields so).
    QList<TComponent *> owners;
    QHash<TComponent *, QList<TComponent *>> owned;
    int index = 0;
    for (std::size_t i = 0; i < Text.Components.size(); ++i) {
        const TComponentText &wanted = Text.Components.at(i);
        TComponent *component = wanted.Owner.isEmpty() ? Form->FindComponent(wanted.Name)
                                                       : findAnywhere(Form, wanted.Name);
        if (!component)
            continue;
        if (!wanted.Owner.isEmpty()) {
            if (!owners.contains(component->Owner()))
                owners.append(component->Owner());
            owned[component->Owner()].append(component);
            continue;
        }
        if (component->ComponentIndex() != index)
            component->SetComponentIndex(index);
        ++index;
        if (auto *control = qobject_cast<QWidget *>(component->Object());
            control && control->parentWidget() == Form)
            control->raise();
    }
    for (TComponent *owner : std::as_const(owners)) {
        const QList<TComponent *> order = owned.value(owner);
        bool same = true;
        for (qsizetype i = 0; i < order.size() && same; ++i)
            same = order.at(i)->ComponentIndex() == int(i);
        if (same)
            continue;
        for (TComponent *component : order) {
            owner->RemoveComponent(component);
            owner->InsertComponent(component);
        }
    }
}

void showControl(TComponent *Component)
{
    if (auto *widget = qobject_cast<QWidget *>(Component->Object()))
        widget->show();
}

} // namespace

namespace {

// Component and the named components it owns, each followed by its own, in their order.
void appendWithOwned(QList<TComponent *> &List, TComponent *Component)
{
    List.append(Component);
    for (int i = 0; i < Component->ComponentCount(); ++i)
        if (TComponent *owned = Component->Components(i); !owned->Name().isEmpty())
            appendWithOwned(List, owned);
}

QList<TComponent *> everyComponent(const TComponent *Root)
{
    QList<TComponent *> components;
    for (int i = 0; Root && i < Root->ComponentCount(); ++i)
        appendWithOwned(components, Root->Components(i));
    return components;
}

// The component of that name anywhere below Root.
TComponent *findAnywhere(const TComponent *Root, const QString &Name)
{
    if (Name.isEmpty())
        return nullptr;
    for (TComponent *component : everyComponent(Root))
        if (component->Name().compare(Name, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

// Takes a component off the designed form: the form's own through its designer, which tells
// whoever watches; one owned by another component through its owner.
void removeComponent(TFormDesigner *Designer, TComponent *Component)
{
    if (Component->Owner() == Designer->Form())
        Designer->DeleteComponent(Component);
    else
        delete Component; // its owner answers for it
}

// The component an entry stands for: Existing, given the entry's name, or (Existing null) a new
// one placed on the form and handed to the owner the entry names.
TComponent *placeEntry(TFormDesigner *Designer, TComponent *Existing, const TComponentText &Wanted)
{
    if (Existing) {
        if (Existing->Name() != Wanted.Name)
            Existing->SetName(Wanted.Name);
        return Existing;
    }
    std::unique_ptr<TComponent> made = TFormDesigner::NewComponent(Wanted.Class);
    made->SetName(Wanted.Name);
    Designer->AddComponent(made.get());
    TComponent *component = made.release();
    if (TComponent *owner = findAnywhere(Designer->Form(), Wanted.Owner))
        owner->InsertComponent(component);
    showControl(component);
    return component;
}

void renameForm(TDesignForm *Form, const QString &Name)
{
    if (Form->Name() != Name) {
        Form->SetName(Name);
        Form->setWindowTitle(Name);
    }
}

// Finds a linked component by name: the form's own first, then any component they own.
TApplier::Resolver formResolver(TFormDesigner *Designer)
{
    return [Designer](const QString &Name) {
        TComponent *found = Designer->GetComponent(Name);
        return found ? found : findAnywhere(Designer->Form(), Name);
    };
}

} // namespace

QByteArray WriteFormText(const TFormDesigner *Designer)
{
    const TComponent *root = Designer ? Designer->GetRoot() : nullptr;
    if (!root)
        throw EInvalidOperation(QStringLiteral("There is no form to write"));
    return formText(root, everyComponent(root), true);
}

QByteArray WriteComponentsText(const TComponent *Root, const QList<TComponent *> &Components)
{
    if (!Root)
        throw EInvalidOperation(QStringLiteral("There is no form to write"));
    // Each component with what it owns; one owned by another of the list comes with that one.
    const auto ownerListed = [&Components, Root](const TComponent *Component) {
        for (const TComponent *owner = Component->Owner(); owner && owner != Root;
             owner = owner->Owner())
            if (Components.contains(const_cast<TComponent *>(owner)))
                return true;
        return false;
    };
    QList<TComponent *> written;
    for (TComponent *component : Components)
        if (component && !written.contains(component) && !ownerListed(component))
            appendWithOwned(written, component);
    return formText(Root, written);
}

void CheckFormText(const QByteArray &Text)
{
    TReferences references;
    readText(Text, references, TDesignForm::staticMetaObject.className(), false);
}

void ReadFormText(TFormDesigner *Designer, const QByteArray &Text)
{
    TDesignForm *form = Designer ? Designer->Form() : nullptr;
    if (!form)
        throw EInvalidOperation(QStringLiteral("There is no form to read into"));
    TReferences references;
    const TFormText text = readText(Text, references, form->metaObject()->className(), false);

    QList<QPointer<QObject>> existing;
    for (TComponent *component : everyComponent(form))
        existing.append(component->Object());
    for (const QPointer<QObject> &object : std::as_const(existing)) {
        TComponent *component = object ? AsComponent(object) : nullptr;
        if (!component) // went with its owner
            continue;
        const TComponentText *wanted = text.Find(component->Name());
        const TComponent *owner = component->Owner();
        const QString ownerName = owner == form ? QString() : owner ? owner->Name() : QString();
        if (!wanted || wanted->Class != component->Object()->metaObject() ||
            wanted->Owner.compare(ownerName, Qt::CaseInsensitive) != 0) {
            removeComponent(Designer, component);
        }
    }
    renameForm(form, text.Name);
    TApplier applier(references, formResolver(Designer));
    for (const TComponentText &wanted : text.Components) {
        TComponent *found = findAnywhere(form, wanted.Name);
        const bool created = !found;
        TComponent *component = placeEntry(Designer, found, wanted);
        applier.Component(component, wanted, created);
    }
    keepTextOrder(form, text);
    if (text.Root)
        applier.Component(form, *text.Root, false);
    applier.Finish();
}

QList<TComponent *> FormComponents(const TComponent *Root)
{
    return everyComponent(Root);
}

QList<QJsonObject> WriteFormEntries(const TComponent *Root, const QList<TComponent *> &Components,
                                    bool WithForm)
{
    if (!Root)
        throw EInvalidOperation(QStringLiteral("There is no form to write"));
    TReferences references;
    TWriter writer(references);
    QList<QJsonObject> entries;
    entries.reserve(Components.size() + 1);
    if (WithForm) {
        QJsonObject form;
        form.insert(kName, Root->Name());
        form.insert(kClass, Root->ClassName());
        writeRootProperties(form, Root, references);
        entries.append(form);
    }
    for (const TComponent *component : Components)
        if (component && component->Object())
            entries.append(writer.Component(component));
    return entries;
}

void ReadFormPart(TFormDesigner *Designer, const TFormPart &Part)
{
    TDesignForm *form = Designer ? Designer->Form() : nullptr;
    if (!form)
        throw EInvalidOperation(QStringLiteral("There is no form to read into"));
    // Everything is checked before anything changes; links are let through, to be found on
    // the form once every component exists.
    TReferences references;
    const QHash<QString, const QMetaObject *> names;
    TChecker checker(references, names, true);
    std::vector<TComponentText> entries;
    for (qsizetype i = 0; i < Part.Components.size(); ++i) {
        entries.push_back(readEntry(Part.Components.at(i).Text,
                                    QStringLiteral("Component %1").arg(i + 1), form->Name(),
                                    nullptr));
        checker.Component(entries.back());
    }
    TFormText root;
    if (Part.Form) {
        root.Name = Part.Form->value(kName).toString();
        root.ClassName = Part.Form->value(kClass).toString();
        if (root.Name.isEmpty())
            fail(QStringLiteral("Form"), QStringLiteral("the form has no name"));
        if (root.ClassName != QLatin1String(form->metaObject()->className()))
            fail(QStringLiteral("Form %1").arg(root.Name),
                 QStringLiteral("class %1 cannot be designed here").arg(root.ClassName));
        readRootText(root, *Part.Form, checker);
    }

    TApplier applier(references, formResolver(Designer));
    QSet<QString> named;
    for (const QString &name : Part.Deleted)
        named.insert(name.toLower());
    for (const TFormPart::TEntry &entry : Part.Components)
        named.insert(entry.Name.toLower());
    for (TComponent *component : everyComponent(form))
        if (!named.contains(component->Name().toLower()))
            applier.Keep(component);

    for (const QString &name : Part.Deleted) {
        TComponent *component = findAnywhere(form, name);
        if (!component)
            continue;
        removeComponent(Designer, component);
    }
    if (Part.Form)
        renameForm(form, root.Name);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TComponentText &wanted = entries.at(i);
        const QString &now = Part.Components.at(qsizetype(i)).Name;
        TComponent *found = now.isEmpty() ? nullptr : findAnywhere(form, now);
        const bool created = !found;
        TComponent *component = placeEntry(Designer, found, wanted);
        const TFormPart::TEntry &entry = Part.Components.at(qsizetype(i));
        applier.Component(component, wanted, created, entry.Now ? &*entry.Now : nullptr);
    }
    if (!Part.Order.isEmpty()) {
        TFormText order;
        for (const QString &name : Part.Order) {
            TComponentText place;
            place.Name = name;
            if (const TComponent *component = findAnywhere(form, name);
                component && component->Owner() && component->Owner() != form)
                place.Owner = component->Owner()->Name();
            order.Components.push_back(std::move(place));
        }
        keepTextOrder(form, order);
    }
    if (root.Root)
        applier.Component(form, *root.Root, false);
    applier.Finish();
}

namespace {

// A clipboard text whose components without a name, or with one taken twice, have a name of
// their own for the reading; Renamed: their indexes, to be named anew once pasted. A text that
// is not JSON comes back as it is, for the reader to refuse.
QByteArray nameEveryPasted(const QByteArray &Text, QSet<qsizetype> &Renamed)
{
    QJsonObject form = QJsonDocument::fromJson(Text).object();
    if (!form.value(kComponents).isArray())
        return Text;
    QJsonArray components = form.value(kComponents).toArray();
    QSet<QString> names{form.value(kName).toString().toLower()};
    for (const QJsonValue component : std::as_const(components))
        names.insert(component.toObject().value(kName).toString().toLower());
    QSet<QString> seen{form.value(kName).toString().toLower()};
    for (qsizetype i = 0; i < components.size(); ++i) {
        QJsonObject component = components.at(i).toObject();
        const QString name = component.value(kName).toString();
        if (!components.at(i).isObject())
            continue;
        if (!name.trimmed().isEmpty() && !seen.contains(name.toLower())) {
            seen.insert(name.toLower());
            continue;
        }
        QString stand = QStringLiteral("_Pasted%1").arg(i);
        while (names.contains(stand.toLower()))
            stand += QLatin1Char('_');
        names.insert(stand.toLower());
        component.insert(kName, stand);
        components.replace(i, component);
        Renamed.insert(i);
    }
    form.insert(kComponents, components);
    return QJsonDocument(form).toJson(QJsonDocument::Compact);
}

} // namespace

QList<TComponent *> PasteComponentsText(TFormDesigner *Designer, const QByteArray &Text,
                                        QPoint Offset)
{
    if (!Designer || !Designer->Form())
        throw EInvalidOperation(QStringLiteral("There is no form to paste into"));
    TReferences references;
    QSet<qsizetype> renamed;
    const TFormText text = readText(nameEveryPasted(Text, renamed), references, nullptr, true);
    TDesignForm *form = Designer->Form();
    const auto taken = [Designer, form](const QString &Name) {
        return Designer->GetComponent(Name) || findAnywhere(form, Name);
    };
    // Components whose owner is not in the text need one on the form, found before anything is
    // made so that a paste that cannot be done changes nothing.
    QHash<QString, TComponent *> ownerOf; // by lower-case name in the text
    for (const TComponentText &wanted : text.Components) {
        if (wanted.Owner.isEmpty() || text.Find(wanted.Owner))
            continue;
        TComponent *owner = nullptr;
        for (QObject *object : Designer->GetSelections()) {
            TComponent *selected = AsComponent(object);
            for (TComponent *candidate : {selected, selected ? selected->Owner() : nullptr})
                if (!owner && candidate && candidate != form &&
                    CanOwn(candidate->Object()->metaObject(), wanted.Class))
                    owner = candidate;
        }
        if (!owner)
            throw EComponentError(QStringLiteral("%1 is owned by a %2: select one to paste it into")
                                      .arg(wanted.Name, OwnerClassOf(wanted.Class).isEmpty()
                                                            ? QStringLiteral("component")
                                                            : OwnerClassOf(wanted.Class)));
        ownerOf.insert(wanted.Name.toLower(), owner);
    }
    QHash<QString, TComponent *> pasted; // by lower-case name in the text
    QList<TComponent *> result;
    for (const TComponentText &wanted : text.Components) {
        std::unique_ptr<TComponent> made = TFormDesigner::NewComponent(wanted.Class);
        TComponent *owner = wanted.Owner.isEmpty() ? nullptr
                            : ownerOf.contains(wanted.Name.toLower())
                                ? ownerOf.value(wanted.Name.toLower())
                                : pasted.value(wanted.Owner.toLower());
        const bool invalid = renamed.contains(result.size()) || !IsValidComponentName(wanted.Name);
        QString name = wanted.Name;
        if (owner && !invalid) {
            // Named after the new owner as the original was after its own.
            if (wanted.Name.startsWith(wanted.Owner, Qt::CaseInsensitive))
                name = owner->Name() + wanted.Name.mid(wanted.Owner.size());
            const QString base = name;
            for (int n = 1; taken(name); ++n)
                name = base + QString::number(n);
        } else if (invalid || taken(wanted.Name)) {
            name = Designer->UniqueName(wanted.Class);
        }
        made->SetName(name);
        Designer->AddComponent(made.get());
        TComponent *component = made.release();
        // An owned component is placed, then handed to its owner, as when a form is read.
        if (owner)
            owner->InsertComponent(component);
        showControl(component);
        pasted.insert(wanted.Name.toLower(), component);
        result.append(component);
    }
    TApplier applier(references, [Designer, &pasted](const QString &Name) {
        return pasted.value(Name.toLower(), Designer->GetComponent(Name));
    });
    for (qsizetype i = 0; i < result.size(); ++i) {
        TComponent *component = result.at(i);
        applier.Component(component, text.Components.at(std::size_t(i)), true);
        QObject *object = component->Object();
        if (auto *widget = qobject_cast<QWidget *>(object)) {
            PPropInfo left = GetPropInfo(object, QStringLiteral("Left"));
            PPropInfo top = GetPropInfo(object, QStringLiteral("Top"));
            if (left && top && left->IsOrdinal() && top->IsOrdinal()) {
                SetOrdProp(object, left, GetOrdProp(object, left) + Offset.x());
                SetOrdProp(object, top, GetOrdProp(object, top) + Offset.y());
            } else {
                widget->move(widget->pos() + Offset);
            }
        } else if (component->Owner() == form) {
            // Only the form's own components have an icon on it.
            object->setProperty(kPositionProperty,
                                object->property(kPositionProperty).toPoint() + Offset);
        }
    }
    applier.Finish();
    return result;
}

TPendingLinks::TPendingLinks() : m_data(std::make_unique<Data>()) {}
TPendingLinks::TPendingLinks(TPendingLinks &&) noexcept = default;
TPendingLinks &TPendingLinks::operator=(TPendingLinks &&) noexcept = default;
TPendingLinks::~TPendingLinks() = default;

bool TPendingLinks::IsEmpty() const
{
    if (!m_data)
        return true;
    const auto alive = [](const auto &Pending) { return !Pending.Instance.isNull(); };
    return std::none_of(m_data->Links.begin(), m_data->Links.end(), alive) &&
           std::none_of(m_data->Activations.begin(), m_data->Activations.end(), alive);
}

bool TPendingLinks::Resolve(const TComponentResolver &Resolve, bool Activate)
{
    if (!m_data)
        return true;
    auto &links = m_data->Links;
    const auto set = [](QObject *Instance, PPropInfo Info, QObject *Value) {
        if (GetObjectProp(Instance, Info->Name) == Value)
            return;
        try {
            SetObjectProp(Instance, Info->Name, Value);
        } catch (...) {
            HandleHostException();
        }
    };
    for (auto link = links.begin(); link != links.end();) {
        if (!link->Instance) {
            link = links.erase(link);
            continue;
        }
        TComponent *target = link->Target.isEmpty() || !Resolve ? nullptr : Resolve(link->Target);
        QObject *value = target ? target->Object() : nullptr;
        if (!link->Target.isEmpty() && !value) {
            set(link->Instance, link->Info, nullptr); // none while it waits
            ++link;
            continue;
        }
        if (value && link->Info->ObjectClass &&
            !value->metaObject()->inherits(link->Info->ObjectClass))
            value = nullptr;
        set(link->Instance, link->Info, value);
        link = links.erase(link);
    }
    if (links.empty() && Activate) {
        activate(m_data->Activations);
        m_data->Activations.clear();
    }
    return IsEmpty();
}

QString TPendingLinks::Target(const QObject *Instance, const QString &PropertyName) const
{
    if (!m_data || !Instance)
        return {};
    for (const Data::Link &link : m_data->Links)
        if (link.Instance == Instance &&
            link.Info->Name.compare(PropertyName, Qt::CaseInsensitive) == 0)
            return link.Target;
    return {};
}

QJsonObject WriteComponentProperties(const TComponent *Component, TPropertySelection Which,
                                     const TPendingLinks *Pending)
{
    const QObject *object = Component ? Component->Object() : nullptr;
    if (!object)
        throw EInvalidOperation(QStringLiteral("There is no component to write"));
    TReferences references;
    return TWriter(references, Which, Pending).Properties(object, object->metaObject(), {});
}

TPendingLinks ApplyComponentProperties(TComponent *Component, const QByteArray &Text,
                                       TPropertySelection Which, const TComponentResolver &Resolve)
{
    QObject *object = Component ? Component->Object() : nullptr;
    if (!object)
        throw EInvalidOperation(QStringLiteral("There is no component to read into"));
    TComponentText text;
    text.Name = Component->Name();
    text.Class = object->metaObject();
    if (!Text.trimmed().isEmpty())
        text.Properties = parseDocument(Text, QStringLiteral("expected an object of properties"));
    TReferences references;
    const QHash<QString, const QMetaObject *> names; // links are found by the caller
    TChecker(references, names, true, Which).Component(text);

    TPendingLinks pending;
    *pending.m_data = TApplier(references, Resolve, Which).Alone(Component, text.Properties);
    pending.Resolve(Resolve);
    return pending;
}
