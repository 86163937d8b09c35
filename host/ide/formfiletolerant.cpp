// The tolerant form-file reader: it sorts a form text into what the strict reader can read,
// the problems, and the values to keep, then hands the readable part to ReadFormText. Values a
// property setter refuses while the form is read are taken out one by one and the text read
// again, so what the report says was read is what the form holds.

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "collection.h"
#include "formdesigner.h"
#include "formfile.h"
#include "formfilevalues.h"
#include "persistent.h"
#include "typinfo.h"

namespace {

using namespace FormFileValues;

const QString kName = QStringLiteral("name");
const QString kClass = QStringLiteral("class");
const QString kComponents = QStringLiteral("components");
const QString kProperties = QStringLiteral("properties");
const QString kPosition = QStringLiteral("DesignPosition");
const QString kOwner = QStringLiteral("owner");

// Where each entry of a JSON text starts: members by the position of their key, array items
// by the position of their value. Paths are the steps joined by '/' ("components/2/name").
// Only valid JSON is scanned (the text has been parsed already).
class TPositions {
public:
    explicit TPositions(const QByteArray &Text) : m_text(Text)
    {
        m_lineStarts.push_back(0);
        for (qsizetype i = 0; i < Text.size(); ++i)
            if (Text.at(i) == '\n')
                m_lineStarts.push_back(i + 1);
        value(QString(), 0);
    }

    // Line and column (from 1) of the entry at Path; 0, 0 when it is not known.
    std::pair<int, int> At(const QString &Path) const
    {
        const auto found = m_at.constFind(Path);
        if (found == m_at.constEnd())
            return {0, 0};
        const qsizetype offset = *found;
        const auto line = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset) - 1;
        const qsizetype start = *line;
        return {int(line - m_lineStarts.begin()) + 1,
                int(QString::fromUtf8(m_text.mid(start, offset - start)).size()) + 1};
    }

private:
    static QString join(const QString &Path, const QString &Step)
    {
        return Path.isEmpty() ? Step : Path + QLatin1Char('/') + Step;
    }
    char peek() const { return m_pos < m_text.size() ? m_text.at(m_pos) : '\0'; }
    void skipSpace()
    {
        while (m_pos < m_text.size() &&
               (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++m_pos;
    }
    QString string()
    {
        const qsizetype start = m_pos;
        bool escaped = false;
        ++m_pos; // the opening quote
        while (m_pos < m_text.size() && peek() != '"') {
            if (peek() == '\\') {
                escaped = true;
                ++m_pos;
            }
            ++m_pos;
        }
        ++m_pos; // the closing quote
        const QByteArray quoted = m_text.mid(start, m_pos - start);
        if (!escaped)
            return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
        return QJsonDocument::fromJson('[' + quoted + ']').array().at(0).toString();
    }
    void value(const QString &Path, int Depth)
    {
        skipSpace();
        if (Depth > 1024)
            return;
        const char c = peek();
        if (c == '{' || c == '[') {
            ++m_pos;
            for (int index = 0; m_pos < m_text.size(); ++index) {
                skipSpace();
                if (peek() == '}' || peek() == ']') {
                    ++m_pos;
                    return;
                }
                QString path;
                if (c == '{') {
                    const qsizetype at = m_pos;
                    path = join(Path, string());
                    m_at.insert(path, at);
                    skipSpace();
                    ++m_pos; // ':'
                    skipSpace();
                } else {
                    path = join(Path, QString::number(index));
                    m_at.insert(path, m_pos);
                }
                const qsizetype before = m_pos;
                value(path, Depth + 1);
                skipSpace();
                if (peek() == ',' || m_pos == before)
                    ++m_pos; // past the comma; or past what could not be scanned
            }
            return;
        }
        if (c == '"') {
            string();
            return;
        }
        while (m_pos < m_text.size() && !QByteArray(",]} \t\r\n").contains(peek()))
            ++m_pos;
    }

    const QByteArray &m_text;
    qsizetype m_pos = 0;
    std::vector<qsizetype> m_lineStarts;
    QHash<QString, qsizetype> m_at;
};

// Newly made components, one per class, whose properties show what a text may hold; a
// collection gets one item to stand for all.
class TSamples {
public:
    QObject *Component(const QMetaObject *Class)
    {
        auto found = m_made.find(Class);
        if (found == m_made.end()) {
            std::unique_ptr<TComponent> made;
            try {
                made = TFormDesigner::NewComponent(Class);
                made->SetDesigning(true);
            } catch (const EHostError &) {
                // A class the host cannot make: none of its values can be read.
            }
            found = m_made.emplace(Class, std::move(made)).first;
        }
        return found->second ? found->second->Object() : nullptr;
    }

    static QObject *Item(QObject *Collection)
    {
        auto *collection = qobject_cast<TCollection *>(Collection);
        if (!collection)
            return nullptr;
        if (collection->Count() == 0)
            collection->Add();
        return collection->Items(0);
    }

private:
    std::map<const QMetaObject *, std::unique_ptr<TComponent>> m_made;
};

// A name for a component of ClassName that no name in Taken has: UniqueName's rule.
QString freshName(const QString &ClassName, const QSet<QString> &Taken)
{
    QString base = ClassName.mid(ClassName.lastIndexOf(QLatin1String("::")) + 1);
    base.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")));
    if (base.size() > 1 && base.startsWith(QLatin1Char('T')))
        base.remove(0, 1);
    if (!IsValidComponentName(base))
        base = QStringLiteral("Component");
    for (int n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (!Taken.contains(candidate.toLower()))
            return candidate;
    }
}

// Sorts a parsed form text into the readable text, the problems and the kept values.
class TSorter {
public:
    TSorter(const QByteArray &Raw, TFormReadReport &Report) : m_positions(Raw), m_report(Report) {}

    QJsonObject Form(const QJsonObject &Root, const QString &FormClass, const QString &FormName)
    {
        QJsonObject form;
        for (auto it = Root.constBegin(); it != Root.constEnd(); ++it)
            if (it.key() != kName && it.key() != kClass && it.key() != kComponents &&
                it.key() != kProperties) {
                problem(it.key(), {}, {}, QStringLiteral("unknown entry %1").arg(it.key()));
                m_report.Kept.FormEntries.insert(it.key(), it.value());
            }
        QString name = Root.value(kName).toString();
        if (!IsValidComponentName(name)) {
            problem(kName, {}, {},
                    QStringLiteral("%1; the form keeps the name %2")
                        .arg(nameFault(Root.value(kName)), FormName));
            name = FormName;
        }
        if (Root.value(kClass).toString() != FormClass)
            problem(Root.contains(kClass) ? kClass : QString(), {}, {},
                    QStringLiteral("class %1 cannot be designed here; it is read as a %2")
                        .arg(Root.value(kClass).isString() ? Root.value(kClass).toString()
                                                           : QStringLiteral("(none)"),
                             FormClass));
        form.insert(kName, name);
        form.insert(kClass, FormClass);
        m_formName = name;
        m_taken.insert(name.toLower());
        if (Root.contains(kProperties))
            readRootProperties(Root.value(kProperties), name, form);

        // Classes, then names, then values: a name may be taken by a component kept whole that
        // comes later, and a link may name a component that comes later.
        const QJsonArray list = Root.value(kComponents).toArray();
        std::vector<TEntry> entries;
        for (qsizetype i = 0; i < list.size(); ++i)
            entries.push_back(readEntry(list.at(i), i));
        for (TEntry &entry : entries)
            if (entry.Class)
                nameEntry(entry);
        QJsonArray components;
        for (const TEntry &entry : entries)
            if (entry.Class)
                components.append(readComponent(entry));
        form.insert(kComponents, components);
        return form;
    }

    // A problem with a value of the component read as Name, at the property path Where
    // ("Columns[1].Title.Caption"), placed where the text has it.
    void Problem(const QString &Name, const QString &Where, const QString &Message)
    {
        const auto found = m_entryPaths.constFind(Name.toLower());
        if (found == m_entryPaths.constEnd()) {
            m_report.Problems.append({0, 0, Name, Where, Message});
            return;
        }
        QString path = found->first + QLatin1Char('/') + kProperties;
        for (QString step : Where.split(QLatin1Char('.'))) {
            step.replace(QLatin1Char('['), QLatin1Char('/')).remove(QLatin1Char(']'));
            path += QLatin1Char('/') + step;
        }
        problem(path, found->second, Where, Message);
    }

private:
    struct TEntry {
        qsizetype Index = 0;
        QString Path;  // of the entry in the text
        QString Label; // how problems name it: its name, or its number
        QString Name;  // the name it is read under
        const QMetaObject *Class = nullptr;
        QObject *Sample = nullptr;
        QJsonObject Text;
    };

    static QString nameFault(const QJsonValue &Name)
    {
        if (!Name.isString() || Name.toString().isEmpty())
            return QStringLiteral("the name is empty");
        return QStringLiteral("%1 is not a valid component name").arg(Name.toString());
    }

    void problem(const QString &Path, const QString &Component, const QString &Property,
                 const QString &Message)
    {
        const auto [line, column] = m_positions.At(Path);
        m_report.Problems.append({line, column, Component, Property, Message});
    }

    // The entry's class, or its problem; unknown classes are kept whole.
    TEntry readEntry(const QJsonValue &Value, qsizetype Index)
    {
        TEntry entry;
        entry.Index = Index;
        entry.Path = kComponents + QLatin1Char('/') + QString::number(Index);
        const QString number = QString::number(Index + 1);
        if (!Value.isObject()) {
            problem(entry.Path, number, {}, QStringLiteral("expected an object; it is left out"));
            return entry;
        }
        entry.Text = Value.toObject();
        const QJsonValue name = entry.Text.value(kName);
        entry.Label = name.isString() && !name.toString().isEmpty() ? name.toString() : number;
        const QString className = entry.Text.value(kClass).toString();
        entry.Class = TFormDesigner::FindComponentClass(className);
        if (entry.Class)
            entry.Sample = m_samples.Component(entry.Class);
        if (!entry.Sample) {
            entry.Class = nullptr;
            problem(entry.Text.contains(kClass) ? entry.Path + QLatin1Char('/') + kClass
                                                : entry.Path,
                    entry.Label, {},
                    QStringLiteral("unknown class %1; the component is kept as it is")
                        .arg(entry.Text.value(kClass).isString() ? className
                                                                 : QStringLiteral("(none)")));
            m_report.Kept.Components.append({Index, entry.Text});
            if (name.isString())
                m_kept.insert(name.toString().toLower());
        }
        return entry;
    }

    // The name the entry is read under: its own when it is valid and free, else a new one.
    void nameEntry(TEntry &Entry)
    {
        const QJsonValue given = Entry.Text.value(kName);
        const QString name = given.toString();
        const bool valid = IsValidComponentName(name);
        if (valid && !m_taken.contains(name.toLower())) {
            Entry.Name = name;
        } else {
            Entry.Name = freshName(QString::fromLatin1(Entry.Class->className()), m_taken + m_kept);
            problem(Entry.Path +
                        (Entry.Text.contains(kName) ? QLatin1Char('/') + kName : QString()),
                    Entry.Label, {},
                    QStringLiteral("%1; it is read as %2")
                        .arg(valid ? QStringLiteral("the name %1 is taken twice").arg(name)
                                   : nameFault(given),
                             Entry.Name));
        }
        m_taken.insert(Entry.Name.toLower());
        m_entryPaths.insert(Entry.Name.toLower(), {Entry.Path, Entry.Label});
        // Links follow the first component of a name.
        if (!name.isEmpty() && !m_linked.contains(name.toLower()))
            m_linked.insert(name.toLower(), {Entry.Name, Entry.Class});
    }

    // The form's own properties (caption, size, colour, font), read as a component's are;
    // what the host does not know is kept under the form's name.
    void readRootProperties(const QJsonValue &Value, const QString &FormName, QJsonObject &Form)
    {
        if (!Value.isObject()) {
            problem(kProperties, {}, {},
                    QStringLiteral("properties must be an object; they are left out"));
            return;
        }
        if (!m_formSample)
            m_formSample = std::make_unique<TDesignForm>();
        TEntry root;
        root.Name = FormName;
        root.Class = &TDesignForm::staticMetaObject;
        root.Sample = m_formSample.get();
        m_entry = &root;
        const QJsonObject properties = Properties(Value.toObject(), root.Sample, kProperties,
                                                  QString(), QJsonArray{kProperties});
        m_entry = nullptr;
        if (!properties.isEmpty())
            Form.insert(kProperties, properties);
    }

    QJsonObject readComponent(const TEntry &Entry)
    {
        m_entry = &Entry;
        QJsonObject text;
        text.insert(kName, Entry.Name);
        text.insert(kClass, QString::fromLatin1(Entry.Class->className()));
        for (auto it = Entry.Text.constBegin(); it != Entry.Text.constEnd(); ++it) {
            const QString path = Entry.Path + QLatin1Char('/') + it.key();
            if (it.key() == kName || it.key() == kClass) {
                continue;
            } else if (it.key() == kProperties) {
                if (!it.value().isObject()) {
                    problem(path, Entry.Label, {},
                            QStringLiteral("properties must be an object; they are left out"));
                    continue;
                }
                const QJsonObject properties = Properties(it.value().toObject(), Entry.Sample, path,
                                                          QString(), QJsonArray{kProperties});
                if (!properties.isEmpty())
                    text.insert(kProperties, properties);
            } else if (it.key() == kPosition) {
                const QJsonArray xy = it.value().toArray();
                if (!it.value().isArray() || xy.size() != 2 || !wholeNumber(xy.at(0)) ||
                    !wholeNumber(xy.at(1)))
                    problem(path, Entry.Label, {},
                            QStringLiteral("DesignPosition must be [x, y]; it is left out"));
                else
                    text.insert(kPosition, it.value());
            } else if (it.key() == kOwner) {
                // Owned by a component read before it that can own it, else by the form.
                const QString owner = it.value().toString();
                const auto found = m_linked.constFind(owner.toLower());
                QString why;
                if (!it.value().isString() || owner.isEmpty())
                    why = QStringLiteral("the owner must be a component name");
                else if (found == m_linked.constEnd())
                    why = m_kept.contains(owner.toLower())
                              ? QStringLiteral("the owner %1 is not read").arg(owner)
                              : QStringLiteral("there is no component named %1").arg(owner);
                else if (!m_read.contains(found->Name.toLower()))
                    why = QStringLiteral("the owner %1 comes after it").arg(owner);
                else if (!CanOwn(found->Class, Entry.Class))
                    why = QStringLiteral("the owner %1 is not a %2")
                              .arg(owner, OwnerClassOf(Entry.Class));
                if (why.isEmpty())
                    text.insert(kOwner, found->Name);
                else
                    problem(path, Entry.Label, {}, why + QStringLiteral("; the form owns it"));
            } else {
                problem(path, Entry.Label, {}, QStringLiteral("unknown entry %1").arg(it.key()));
                keep(QJsonArray{it.key()}, it.value());
            }
        }
        m_read.insert(Entry.Name.toLower());
        return text;
    }

    void keep(const QJsonArray &Path, const QJsonValue &Value)
    {
        m_report.Kept.Values.append({nullptr, m_entry->Name, Path, Value});
    }

    // The readable part of the properties Text of Sample; Where is their property path.
    QJsonObject Properties(const QJsonObject &Text, QObject *Sample, const QString &Path,
                           const QString &Where, const QJsonArray &Steps)
    {
        QJsonObject readable;
        for (auto it = Text.constBegin(); it != Text.constEnd(); ++it) {
            const QString where = Where.isEmpty() ? it.key() : Where + QLatin1Char('.') + it.key();
            const QString path = Path + QLatin1Char('/') + it.key();
            QJsonArray steps = Steps;
            steps.append(it.key());
            PPropInfo info = GetPropInfo(Sample, it.key());
            const Shape shape = info ? shapeOf(Sample, info) : Shape::Skip;
            if (shape == Shape::Skip) {
                problem(path, m_entry->Label, where,
                        QStringLiteral("no such property; its value is kept as it is"));
                keep(steps, it.value());
                continue;
            }
            const QJsonValue value = Value(it.value(), Sample, info, shape, path, where, steps);
            if (!value.isUndefined())
                readable.insert(it.key(), value);
        }
        return readable;
    }

    // The readable part of a value; undefined when none of it is.
    QJsonValue Value(const QJsonValue &Text, QObject *Sample, PPropInfo Info, Shape Shape,
                     const QString &Path, const QString &Where, const QJsonArray &Steps)
    {
        const auto leftOut = [&](const QString &Why) {
            problem(Path, m_entry->Label, Where, Why + QStringLiteral("; it is left out"));
            return QJsonValue(QJsonValue::Undefined);
        };
        switch (Shape) {
        case Shape::Scalar:
            if (const QString why = checkScalar(Info, Text); !why.isEmpty())
                return leftOut(why);
            return Text;
        case Shape::Reference: {
            if (Text.isNull())
                return Text;
            if (!Text.isString())
                return leftOut(QStringLiteral("expected a component name or null"));
            const QString name = Text.toString();
            const auto found = m_linked.constFind(name.toLower());
            if (found == m_linked.constEnd()) {
                if (m_kept.contains(name.toLower())) {
                    problem(Path, m_entry->Label, Where,
                            QStringLiteral("%1 is not read; the link to it is kept").arg(name));
                    keep(Steps, Text);
                    return QJsonValue(QJsonValue::Undefined);
                }
                if (name.compare(m_formName, Qt::CaseInsensitive) == 0)
                    return Text; // the form itself: read as a link to none
                return leftOut(QStringLiteral("there is no component named %1").arg(name));
            }
            if (Info->ObjectClass && !found->Class->inherits(Info->ObjectClass))
                return leftOut(QStringLiteral("%1 is not a %2").arg(name, Info->TypeName));
            return found->Name;
        }
        case Shape::Strings: {
            const QJsonArray lines = Text.toArray();
            if (!Text.isArray() || std::any_of(lines.begin(), lines.end(),
                                               [](const QJsonValue &L) { return !L.isString(); }))
                return leftOut(QStringLiteral("expected a list of strings"));
            return Text;
        }
        case Shape::Collection: {
            if (!Text.isArray())
                return leftOut(QStringLiteral("expected a list of items"));
            QObject *item = TSamples::Item(GetObjectProp(Sample, Info->Name));
            const QJsonArray items = Text.toArray();
            QJsonArray readable;
            for (qsizetype i = 0; i < items.size(); ++i) {
                const QString where = QStringLiteral("%1[%2]").arg(Where).arg(i);
                const QString path = Path + QLatin1Char('/') + QString::number(i);
                QJsonArray steps = Steps;
                steps.append(double(i));
                if (!items.at(i).isObject() || !item) {
                    problem(path, m_entry->Label, where,
                            item ? QStringLiteral("expected an object; the item is read with its "
                                                  "defaults")
                                 : QStringLiteral("cannot be read; the item is read with its "
                                                  "defaults"));
                    readable.append(QJsonObject());
                    continue;
                }
                readable.append(Properties(items.at(i).toObject(), item, path, where, steps));
            }
            return readable;
        }
        case Shape::Object: {
            if (!Text.isObject())
                return leftOut(QStringLiteral("expected an object"));
            QObject *object = GetObjectProp(Sample, Info->Name);
            if (!object)
                return leftOut(QStringLiteral("cannot be read"));
            return Properties(Text.toObject(), object, Path, Where, Steps);
        }
        case Shape::Skip:
            break;
        }
        return QJsonValue(QJsonValue::Undefined);
    }

    struct TLinked {
        QString Name;
        const QMetaObject *Class;
    };
    TPositions m_positions;
    TFormReadReport &m_report;
    TSamples m_samples;
    std::unique_ptr<TDesignForm> m_formSample;
    QSet<QString> m_taken;            // names read, lower case
    QSet<QString> m_kept;             // names of kept components, lower case
    QHash<QString, TLinked> m_linked; // by the lower-case name links use
    QSet<QString> m_read;             // lower-case names of the components read so far
    QString m_formName;
    QHash<QString, std::pair<QString, QString>> m_entryPaths; // path and label by read name
    const TEntry *m_entry = nullptr;
};

} // namespace

namespace {

// Takes out of Form the value that Failure (a strict reader's message "Component NAME, property
// PATH: why") names; answers the component and the path, or nothing when it names none.
std::optional<std::pair<QString, QString>> takeOut(QJsonObject &Form, const QString &Failure)
{
    static const QRegularExpression pattern(
        QStringLiteral("^Component ([A-Za-z_][A-Za-z0-9_]*), property ([^:]+): "));
    const QRegularExpressionMatch match = pattern.match(Failure);
    if (!match.hasMatch())
        return std::nullopt;
    const QString name = match.captured(1);
    const QString where = match.captured(2);
    QJsonArray components = Form.value(kComponents).toArray();
    for (qsizetype i = 0; i < components.size(); ++i) {
        QJsonObject component = components.at(i).toObject();
        if (component.value(kName).toString().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // Steps: property names (matched without regard to case) and item indexes.
        static const QRegularExpression step(QStringLiteral("^([^\\[]+)((?:\\[\\d+\\])*)$"));
        QJsonArray steps;
        for (const QString &part : where.split(QLatin1Char('.'))) {
            const QRegularExpressionMatch m = step.match(part);
            if (!m.hasMatch())
                return std::nullopt;
            steps.append(m.captured(1));
            static const QRegularExpression index(QStringLiteral("\\[(\\d+)\\]"));
            for (auto it = index.globalMatch(m.captured(2)); it.hasNext();)
                steps.append(it.next().captured(1).toDouble());
        }
        // Removes the last step below Node; answers whether it was there.
        const std::function<bool(QJsonValue &, qsizetype)> remove = [&](QJsonValue &Node,
                                                                        qsizetype At) {
            const QJsonValue here = steps.at(At);
            const bool last = At + 1 == steps.size();
            if (here.isString()) {
                QJsonObject object = Node.toObject();
                QString key;
                for (auto it = object.constBegin(); it != object.constEnd(); ++it)
                    if (it.key().compare(here.toString(), Qt::CaseInsensitive) == 0)
                        key = it.key();
                if (key.isEmpty())
                    return false;
                if (last) {
                    object.remove(key);
                } else {
                    QJsonValue child = object.value(key);
                    if (!remove(child, At + 1))
                        return false;
                    object.insert(key, child);
                }
                Node = object;
                return true;
            }
            QJsonArray array = Node.toArray();
            const qsizetype index = qsizetype(here.toDouble());
            if (index >= array.size())
                return false;
            QJsonValue child = array.at(index);
            if (last && child.toObject().isEmpty())
                return false;
            if (last)
                child = QJsonObject(); // the item stays, with its defaults
            else if (!remove(child, At + 1))
                return false;
            array.replace(index, child);
            Node = array;
            return true;
        };
        QJsonValue properties = component.value(kProperties);
        if (!remove(properties, 0))
            return std::nullopt;
        component.insert(kProperties, properties);
        components.replace(i, component);
        Form.insert(kComponents, components);
        return std::pair(name, where);
    }
    return std::nullopt;
}

// Puts Value at Path below Node where nothing is yet; answers whether it went in.
bool put(QJsonValue &Node, const QJsonArray &Path, qsizetype At, const QJsonValue &Value)
{
    if (At == Path.size()) {
        if (!Node.isUndefined())
            return false;
        Node = Value;
        return true;
    }
    const QJsonValue step = Path.at(At);
    if (step.isString()) {
        if (Node.isUndefined())
            Node = QJsonObject();
        if (!Node.isObject())
            return false;
        QJsonObject object = Node.toObject();
        QJsonValue child = object.value(step.toString());
        if (!put(child, Path, At + 1, Value))
            return false;
        object.insert(step.toString(), child);
        Node = object;
        return true;
    }
    QJsonArray array = Node.toArray();
    const qsizetype index = qsizetype(step.toDouble());
    if (!Node.isArray() || index < 0 || index >= array.size())
        return false;
    QJsonValue child = array.at(index);
    if (!put(child, Path, At + 1, Value))
        return false;
    array.replace(index, child);
    Node = array;
    return true;
}

} // namespace

QString TFormProblem::Text() const
{
    QStringList parts;
    if (Line > 0)
        parts << QStringLiteral("Line %1, column %2").arg(Line).arg(Column);
    QString where = Component.isEmpty() ? QStringLiteral("Form")
                                        : QStringLiteral("Component %1").arg(Component);
    if (!Property.isEmpty())
        where += QStringLiteral(", property %1").arg(Property);
    parts << where << Message;
    return parts.join(QStringLiteral(": "));
}

TFormReadReport ReadFormTextTolerant(TFormDesigner *Designer, const QByteArray &Text)
{
    TDesignForm *form = Designer ? Designer->Form() : nullptr;
    if (!form)
        throw EInvalidOperation(QStringLiteral("There is no form to read into"));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(Text, &error);
    if (error.error != QJsonParseError::NoError) {
        const QByteArray before = Text.left(qMax(0, error.offset));
        const qsizetype lineStart = before.lastIndexOf('\n') + 1;
        throw EFormFileError(QStringLiteral("Line %1, column %2: %3")
                                 .arg(before.count('\n') + 1)
                                 .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1)
                                 .arg(error.errorString()));
    }
    if (!document.isObject())
        throw EFormFileError(QStringLiteral("Line 1, column 1: not a form: expected an object"));
    const QJsonObject root = document.object();
    if (!root.value(kComponents).isArray())
        throw EFormFileError(QStringLiteral("Form: not a form: expected a list of components"));

    TFormReadReport report;
    TSorter sorter(Text, report);
    QJsonObject readable =
        sorter.Form(root, QString::fromLatin1(form->metaObject()->className()), form->Name());
    // Each value a setter refuses is taken out and the text read again: reading makes the form
    // match the text in place, so the second reading starts from the first one's result.
    for (int attempt = 0;; ++attempt) {
        const QByteArray text = QJsonDocument(readable).toJson(QJsonDocument::Indented);
        try {
            ReadFormText(Designer, text);
            report.Text = text;
            break;
        } catch (const EHostError &failure) {
            const auto taken = attempt < 256 ? takeOut(readable, failure.Message()) : std::nullopt;
            if (taken) {
                sorter.Problem(
                    taken->first, taken->second,
                    failure.Message().mid(failure.Message().indexOf(QLatin1String(": ")) + 2) +
                        QStringLiteral("; it is left out"));
                continue;
            }
            report.Problems.append({0, 0, {}, {}, failure.Message()});
            report.Text = WriteFormText(Designer);
            break;
        }
    }
    // In text order, as a compiler lists them; those without a place last.
    std::stable_sort(report.Problems.begin(), report.Problems.end(),
                     [](const TFormProblem &A, const TFormProblem &B) {
                         const auto key = [](const TFormProblem &P) {
                             return std::pair(P.Line > 0 ? P.Line : INT_MAX, P.Column);
                         };
                         return key(A) < key(B);
                     });
    for (TFormKeptValues::TValue &value : report.Kept.Values)
        if (TComponent *component = value.Name == Designer->GetRoot()->Name()
                                        ? Designer->GetRoot()
                                        : Designer->GetComponent(value.Name))
            value.Instance = component->Object();
    return report;
}

QByteArray WriteFormText(const TFormDesigner *Designer, const TFormKeptValues &Kept)
{
    const QByteArray plain = WriteFormText(Designer);
    if (Kept.IsEmpty())
        return plain;
    QJsonObject form = QJsonDocument::fromJson(plain).object();
    for (auto it = Kept.FormEntries.constBegin(); it != Kept.FormEntries.constEnd(); ++it)
        if (!form.contains(it.key()))
            form.insert(it.key(), it.value());
    QJsonArray components = form.value(kComponents).toArray();
    for (const TFormKeptValues::TValue &value : Kept.Values) {
        const TComponent *component = value.Instance ? AsComponent(value.Instance.data())
                                                     : Designer->GetComponent(value.Name);
        if (!component)
            continue;
        if (component == Designer->GetRoot()) {
            QJsonValue entry = form;
            if (put(entry, value.Path, 0, value.Value))
                form = entry.toObject();
            continue;
        }
        for (qsizetype i = 0; i < components.size(); ++i) {
            if (components.at(i).toObject().value(kName).toString() != component->Name())
                continue;
            QJsonValue entry = components.at(i);
            if (put(entry, value.Path, 0, value.Value))
                components.replace(i, entry);
            break;
        }
    }
    for (const TFormKeptValues::TComponentEntry &kept : Kept.Components)
        components.insert(std::min(kept.Index, components.size()), kept.Text);
    form.insert(kComponents, components);
    return QJsonDocument(form).toJson(QJsonDocument::Indented);
}
