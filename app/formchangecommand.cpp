#include "formchangecommand.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <algorithm>
#include <vector>

#include "formdocument.h"
#include "formfile.h"

namespace {

const QString kName = QStringLiteral("name");
const QString kComponents = QStringLiteral("components");

QByteArray compact(const QJsonObject &Entry)
{
    return QJsonDocument(Entry).toJson(QJsonDocument::Compact);
}

QJsonObject parsed(const QByteArray &Text)
{
    return QJsonDocument::fromJson(Text).object();
}

QString nameOf(const QJsonObject &Entry)
{
    return Entry.value(kName).toString();
}

// A form text of the form's own entry and some components, for naming a step.
QByteArray partialText(QJsonObject Form, const QList<QJsonObject> &Components)
{
    QJsonArray components;
    for (const QJsonObject &entry : Components)
        components.append(entry);
    Form.insert(kComponents, components);
    return QJsonDocument(Form).toJson(QJsonDocument::Compact);
}

// Before: for each component now, its index before (-1: new). Answers, for each, whether it
// belongs to the longest run of components on both sides that are in the same order on both.
std::vector<bool> keptOrder(const QList<qsizetype> &Before)
{
    // Patience sorting: tails[k] is the component ending the best run of length k + 1.
    QList<qsizetype> tails, previous(Before.size(), -1);
    for (qsizetype j = 0; j < Before.size(); ++j) {
        if (Before.at(j) < 0)
            continue;
        const auto at = std::lower_bound(
            tails.begin(), tails.end(), Before.at(j),
            [&](qsizetype Tail, qsizetype Index) { return Before.at(Tail) < Index; });
        const qsizetype length = at - tails.begin();
        previous[j] = length > 0 ? tails.at(length - 1) : -1;
        if (at == tails.end())
            tails.append(j);
        else
            *at = j;
    }
    std::vector<bool> kept(std::size_t(Before.size()), false);
    for (qsizetype j = tails.isEmpty() ? -1 : tails.last(); j >= 0; j = previous.at(j))
        kept[std::size_t(j)] = true;
    return kept;
}

// Whether Value holds, at any depth, a string that is one of Names (lower case): a link to one
// of those components, or the name of its owner.
bool mentions(const QJsonValue &Value, const QSet<QString> &Names)
{
    switch (Value.type()) {
    case QJsonValue::String:
        return Names.contains(Value.toString().toLower());
    case QJsonValue::Array:
        for (const QJsonValue item : Value.toArray())
            if (mentions(item, Names))
                return true;
        return false;
    case QJsonValue::Object: {
        const QJsonObject object = Value.toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it)
            if (it.key() != kName && mentions(it.value(), Names))
                return true;
        return false;
    }
    default:
        return false;
    }
}

// Whether Component, or a component that owns it at any depth, is one of Owners.
bool ownedBy(const TComponent *Component, const QSet<const QObject *> &Owners)
{
    for (const TComponent *owner = Component; owner; owner = owner->Owner())
        if (Owners.contains(owner->Object()))
            return true;
    return false;
}

} // namespace

bool TFormTouched::Add(const TComponent *Root, QObject *Object)
{
    // Up the owners: a collection item's collection, the collection's component; a sub-object
    // without an owner of its own (a font) belongs to the object it is a child of.
    for (QObject *object = Object; object && Root;) {
        TComponent *component = AsComponent(object);
        if (component == Root) {
            Form = true;
            return true;
        }
        if (component && !component->Name().isEmpty()) {
            for (const TComponent *owner = component->Owner(); owner; owner = owner->Owner())
                if (owner == Root) {
                    if (!Components.contains(object))
                        Components.append(object);
                    // Its owner too: a data set hears of the fields it gains and loses.
                    if (component->Owner() != Root &&
                        !Components.contains(component->Owner()->Object()))
                        Components.append(component->Owner()->Object());
                    return true;
                }
            return false;
        }
        const TPersistent *persistent = AsPersistent(object);
        TPersistent *owner = persistent ? persistent->GetOwner() : nullptr;
        object = owner ? owner->Object() : object->parent();
    }
    return false;
}

TFormEntries TFormEntries::Of(const TComponent *Root)
{
    TFormEntries entries;
    const QList<TComponent *> components = FormComponents(Root);
    QList<QJsonObject> written = WriteFormEntries(Root, components, true);
    entries.Form = written.takeFirst();
    for (TComponent *component : components)
        entries.Objects.append(component->Object());
    entries.Entries = std::move(written);
    return entries;
}

TFormEntries TFormEntries::Since(const TComponent *Root, const TFormTouched &Touched,
                                 QList<bool> &Written) const
{
    if (Touched.Whole) {
        TFormEntries entries = Of(Root);
        Written = QList<bool>(entries.Entries.size(), true);
        return entries;
    }
    QHash<const QObject *, qsizetype> known;
    for (qsizetype i = 0; i < Objects.size(); ++i)
        if (Objects.at(i))
            known.insert(Objects.at(i).data(), i);
    QSet<const QObject *> touched;
    for (const QPointer<QObject> &object : Touched.Components)
        if (object)
            touched.insert(object.data());

    TFormEntries entries;
    entries.Form = Form;
    const QList<TComponent *> components = FormComponents(Root);
    QList<qsizetype> earlier(components.size(), -1);
    QList<bool> stays(Objects.size(), false);
    QSet<QString> gone; // the names, in lower case, of the components that went or were renamed
    Written = QList<bool>(components.size(), false);
    for (qsizetype j = 0; j < components.size(); ++j) {
        TComponent *component = components.at(j);
        const qsizetype i = known.value(component->Object(), -1);
        earlier[j] = i;
        entries.Objects.append(component->Object());
        if (i >= 0) {
            stays[i] = true;
            const QString was = nameOf(Entries.at(i));
            if (was != component->Name()) {
                gone.insert(was.toLower());
                Written[j] = true;
            }
        }
        Written[j] = Written.at(j) || i < 0 || ownedBy(component, touched);
    }
    for (qsizetype i = 0; i < Objects.size(); ++i)
        if (!stays.at(i))
            gone.insert(nameOf(Entries.at(i)).toLower());
    // Those that link to a component that went or was renamed (or are owned by one) now say so
    // differently.
    bool form = Touched.Form;
    if (!gone.isEmpty()) {
        for (qsizetype j = 0; j < components.size(); ++j)
            if (!Written.at(j) && mentions(Entries.at(earlier.at(j)), gone))
                Written[j] = true;
        form = form || mentions(Form, gone);
    }

    QList<TComponent *> write;
    for (qsizetype j = 0; j < components.size(); ++j)
        if (Written.at(j))
            write.append(components.at(j));
    QList<QJsonObject> written = WriteFormEntries(Root, write, form);
    if (form)
        entries.Form = written.takeFirst();
    qsizetype next = 0;
    for (qsizetype j = 0; j < components.size(); ++j)
        entries.Entries.append(Written.at(j) ? written.at(next++) : Entries.at(earlier.at(j)));
    return entries;
}

void TFormEntries::Refresh(const TComponent *Root, const TFormPart &Applied)
{
    QHash<QString, const QJsonObject *> applied;
    for (const TFormPart::TEntry &entry : Applied.Components)
        applied.insert(nameOf(entry.Text), &entry.Text);
    QHash<const QObject *, qsizetype> known;
    for (qsizetype i = 0; i < Objects.size(); ++i)
        if (Objects.at(i))
            known.insert(Objects.at(i).data(), i);
    QList<QPointer<QObject>> objects;
    QList<QJsonObject> entries;
    QList<TComponent *> write;
    QList<qsizetype> writeAt;
    for (TComponent *component : FormComponents(Root)) {
        const qsizetype i = known.value(component->Object(), -1);
        objects.append(component->Object());
        if (const QJsonObject *entry = applied.value(component->Name())) {
            entries.append(*entry);
        } else if (i >= 0) {
            entries.append(Entries.at(i));
        } else {
            writeAt.append(entries.size());
            write.append(component);
            entries.append(QJsonObject());
        }
    }
    if (!write.isEmpty()) {
        const QList<QJsonObject> written = WriteFormEntries(Root, write, false);
        for (qsizetype k = 0; k < writeAt.size(); ++k)
            entries[writeAt.at(k)] = written.at(k);
    }
    if (Applied.Form)
        Form = *Applied.Form;
    Objects = std::move(objects);
    Entries = std::move(entries);
}

TFormChangeCommand::TFormChangeCommand(TFormDocument *Document, const QString &Text)
    : QUndoCommand(Text), m_document(Document)
{
}

std::unique_ptr<TFormChangeCommand>
TFormChangeCommand::Record(TFormDocument *Document, TFormEntries &Last, const TComponent *Root,
                           const QString &Text, const TFormTouched *Touched)
{
    QList<bool> written;
    TFormTouched whole;
    whole.Whole = true;
    TFormEntries now = Last.Since(Root, Touched ? *Touched : whole, written);
    // The components known before, by object; a rename keeps its object.
    QHash<const QObject *, qsizetype> earlier;
    for (qsizetype i = 0; i < Last.Objects.size(); ++i)
        if (Last.Objects.at(i))
            earlier.insert(Last.Objects.at(i).data(), i);
    QList<qsizetype> before(now.Objects.size(), -1); // each one's index before, -1: new
    QList<qsizetype> after(Last.Objects.size(), -1); // each earlier one's index now, -1: gone
    for (qsizetype j = 0; j < now.Objects.size(); ++j)
        if (const qsizetype i = earlier.value(now.Objects.at(j).data(), -1); i >= 0) {
            before[j] = i;
            after[i] = j;
        }
    // Of the components on both sides, the most that kept their order stay where they are; the
    // others moved, and put back at their indexes they give the order exactly.
    const std::vector<bool> stayed = keptOrder(before);
    std::unique_ptr<TFormChangeCommand> step(new TFormChangeCommand(Document, Text));
    QList<QJsonObject> namedBefore, namedAfter; // the entries that differ, for the step's name
    for (qsizetype i = 0; i < Last.Objects.size(); ++i) {
        const QJsonObject &was = Last.Entries.at(i);
        const qsizetype j = after.at(i);
        TComponentChange change;
        change.Before = nameOf(was);
        if (j < 0) {
            change.BeforeText = compact(was);
            change.BeforeIndex = i;
            namedBefore.append(was);
            step->m_changes.append(change);
            continue;
        }
        const QJsonObject &is = now.Entries.at(j);
        const bool moved = !stayed.at(std::size_t(j));
        const bool differs = written.at(j) && was != is;
        if (!moved && !differs)
            continue;
        change.After = nameOf(is);
        if (differs) {
            change.BeforeText = compact(was);
            change.AfterText = compact(is);
            namedBefore.append(was);
        }
        if (moved) {
            change.BeforeIndex = i;
            change.AfterIndex = j;
        }
        step->m_changes.append(change);
    }
    for (qsizetype j = 0; j < now.Objects.size(); ++j) {
        const QJsonObject &is = now.Entries.at(j);
        if (before.at(j) < 0) {
            TComponentChange change;
            change.After = nameOf(is);
            change.AfterText = compact(is);
            change.AfterIndex = j;
            step->m_changes.append(change);
        }
        if (before.at(j) < 0 || (written.at(j) && Last.Entries.at(before.at(j)) != is))
            namedAfter.append(is);
    }
    if (Last.Form != now.Form) {
        step->m_formBefore = compact(Last.Form);
        step->m_formAfter = compact(now.Form);
    }
    const bool changed = !step->m_changes.isEmpty() || step->ChangesForm();
    if (changed && Text.isEmpty())
        step->setText(TFormDocument::DescribeChange(partialText(Last.Form, namedBefore),
                                                    partialText(now.Form, namedAfter)));
    Last = std::move(now);
    if (!changed)
        return nullptr;
    return step;
}

void TFormChangeCommand::undo()
{
    m_document->applyStep(*this, false);
}

void TFormChangeCommand::redo()
{
    // Pushing the step must not apply it: the form is already as its After side says.
    if (m_pushed)
        m_document->applyStep(*this, true);
    m_pushed = true;
}

TFormPart TFormChangeCommand::Part(bool After, const QStringList &FormOrder) const
{
    const auto name = [After](const TComponentChange &Change) -> const QString & {
        return After ? Change.After : Change.Before;
    };
    const auto other = [After](const TComponentChange &Change) -> const QString & {
        return After ? Change.Before : Change.After;
    };
    const auto text = [After](const TComponentChange &Change) -> const QByteArray & {
        return After ? Change.AfterText : Change.BeforeText;
    };
    const auto index = [After](const TComponentChange &Change) {
        return After ? Change.AfterIndex : Change.BeforeIndex;
    };

    TFormPart part;
    if (ChangesForm())
        part.Form = parsed(After ? m_formAfter : m_formBefore);
    // Those that come or move, in the order of their places on this side.
    QList<const TComponentChange *> arriving;
    for (const TComponentChange &change : m_changes)
        if (change.Placed() && !name(change).isEmpty())
            arriving.append(&change);
    std::sort(arriving.begin(), arriving.end(),
              [&](const TComponentChange *A, const TComponentChange *B) {
                  return index(*A) < index(*B);
              });
    if (!arriving.isEmpty()) {
        QStringList order = FormOrder;
        for (const TComponentChange &change : m_changes) {
            if (change.Placed() && !other(change).isEmpty())
                order.removeOne(other(change));
            else if (!change.Placed() && name(change) != other(change))
                if (const qsizetype at = order.indexOf(other(change)); at >= 0)
                    order[at] = name(change);
        }
        for (const TComponentChange *change : std::as_const(arriving))
            order.insert(std::min(index(*change), order.size()), name(*change));
        part.Order = std::move(order);
    }
    for (const TComponentChange &change : m_changes) {
        if (name(change).isEmpty())
            part.Deleted.append(other(change));
        else if (!other(change).isEmpty() && !text(change).isEmpty())
            part.Components.append({other(change), parsed(text(change)),
                                    parsed(After ? change.BeforeText : change.AfterText)});
    }
    // Made last, owners before what they own.
    for (const TComponentChange *change : std::as_const(arriving))
        if (other(*change).isEmpty())
            part.Components.append({QString(), parsed(text(*change)), std::nullopt});
    return part;
}

QStringList TFormChangeCommand::Components() const
{
    QStringList names;
    for (const TComponentChange &change : m_changes)
        names.append(change.After.isEmpty() ? change.Before : change.After);
    return names;
}

qsizetype TFormChangeCommand::Bytes() const
{
    qsizetype bytes = m_formBefore.size() + m_formAfter.size();
    for (const TComponentChange &change : m_changes)
        bytes += change.BeforeText.size() + change.AfterText.size() +
                 (change.Before.size() + change.After.size()) * qsizetype(sizeof(QChar));
    return bytes;
}
