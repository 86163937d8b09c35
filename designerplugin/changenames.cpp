#include "changenames.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "uicomponents.h"

namespace {

QString tr(const char *Text)
{
    return QCoreApplication::translate("TFormWindowDesigner", Text);
}

using TPath = QList<QJsonValue>; // keys (strings) and indexes (doubles)

// The paths of the values that differ between two texts. A value that is missing on one side
// is compared as an empty object or list of the other side's kind, so a first title caption is
// "Title.Caption", not "Title".
void collectDifferences(const QJsonValue &Before, const QJsonValue &After, const TPath &Path,
                        QList<TPath> &Out)
{
    const auto objectOf = [](const QJsonValue &Value, const QJsonValue &Other) {
        return Value.isUndefined() && Other.isObject() ? QJsonObject() : Value.toObject();
    };
    if ((Before.isObject() || Before.isUndefined()) && (After.isObject() || After.isUndefined()) &&
        !(Before.isUndefined() && After.isUndefined())) {
        const QJsonObject before = objectOf(Before, After);
        const QJsonObject after = objectOf(After, Before);
        QStringList keys = before.keys();
        for (const QString &key : after.keys())
            if (!before.contains(key))
                keys.append(key);
        for (const QString &key : std::as_const(keys))
            if (before.value(key) != after.value(key))
                collectDifferences(before.value(key), after.value(key), Path + TPath{key}, Out);
        return;
    }
    if (Before.isArray() && After.isArray() && Before.toArray().size() == After.toArray().size()) {
        const QJsonArray before = Before.toArray();
        const QJsonArray after = After.toArray();
        for (qsizetype i = 0; i < before.size(); ++i)
            if (before.at(i) != after.at(i))
                collectDifferences(before.at(i), after.at(i), Path + TPath{double(i)}, Out);
        return;
    }
    if (Before != After)
        Out.append(Path);
}

QString joined(const TPath &Path)
{
    QStringList parts;
    for (const QJsonValue &part : Path)
        parts.append(part.isString() ? part.toString() : QString::number(part.toInt()));
    return parts.join(QLatin1Char('.'));
}

// How a person knows an item of a collection: its field, else its caption or name.
QString itemName(const QJsonObject &Item)
{
    for (const char *key : {"FieldName", "Caption", "Name", "DisplayName"})
        if (const QString name = Item.value(QLatin1String(key)).toString(); !name.isEmpty())
            return name;
    return {};
}

// The name of a change of one value at Path of a text: the value's path below the innermost
// named item of a collection holding it, and that item; else the path, and the widget.
// (The item is looked for in the text after the change, then in the one before.)
QString describeValue(const QJsonObject &Before, const QJsonObject &After, const TPath &Path,
                      const QString &ObjectName)
{
    qsizetype itemEnd = -1;
    QString item;
    for (const QJsonObject &text : {After, Before}) {
        QJsonValue value = text;
        for (qsizetype i = 0; i < Path.size(); ++i) {
            const QJsonValue &part = Path.at(i);
            value = part.isString() ? value.toObject().value(part.toString())
                                    : value.toArray().at(part.toInt());
            if (!part.isString() && value.isObject())
                if (const QString name = itemName(value.toObject()); !name.isEmpty()) {
                    itemEnd = i + 1;
                    item = name;
                }
        }
        if (itemEnd > 0)
            break;
    }
    if (itemEnd > 0 && itemEnd < Path.size())
        return tr("Change %1 of %2").arg(joined(Path.mid(itemEnd)), item);
    return tr("Change %1 of %2").arg(joined(Path), ObjectName);
}

} // namespace

QString CommandStepName(QString Text)
{
    static const QString kMark = QStringLiteral("\x01");
    Text.replace(QStringLiteral("&&"), kMark).remove(QLatin1Char('&')).replace(kMark, "&");
    Text = Text.trimmed();
    while (Text.endsWith(QLatin1Char('.')) || Text.endsWith(QChar(0x2026)))
        Text.chop(1);
    return Text.trimmed();
}

QString DescribeWidgetChanges(const QList<TNamedChange> &Changes)
{
    if (Changes.isEmpty())
        return {};
    const QString object = Changes.first().ObjectName;
    QStringList names;
    for (const TNamedChange &change : Changes) {
        if (change.Property != QLatin1String(kFormTextProperty)) {
            names.append(change.Property);
            continue;
        }
        const QJsonObject before =
            QJsonDocument::fromJson(change.Before.toString().toUtf8()).object();
        const QJsonObject after =
            QJsonDocument::fromJson(change.After.toString().toUtf8()).object();
        QList<TPath> paths;
        collectDifferences(before, after, {}, paths);
        if (paths.size() == 1 && Changes.size() == 1)
            return describeValue(before, after, paths.first(), object);
        for (const TPath &path : std::as_const(paths))
            if (!path.isEmpty() && !names.contains(path.first().toString()))
                names.append(path.first().toString());
    }
    if (names.isEmpty() || names.size() > 3)
        return tr("Change %1").arg(object);
    return tr("Change %1 of %2").arg(names.join(QStringLiteral(", ")), object);
}
