#pragma once
// Property editors, property paths and images for the tests of the property editors, the
// binding items and the inspector.

#include <QImage>
#include <QStringList>
#include <memory>

#include "propedit.h"
#include "typinfo.h"

// A property editor of class Editor over the property Name of Objects.
template <class Editor>
std::unique_ptr<TPropertyEditor> EditorFor(IDesigner *Designer, const QList<QObject *> &Objects,
                                           const QString &Name)
{
    return CreatePropertyEditor(&Editor::staticMetaObject, Designer, Objects,
                                GetPropInfo(Objects.first(), Name));
}

// The values Editor offers in its list, in order.
inline QStringList ValuesOf(TPropertyEditor &Editor)
{
    QStringList values;
    Editor.GetValues([&values](const QString &Value) { values.append(Value); });
    return values;
}

// The object that the dotted property path Path leads to from Root (nullptr when a step is
// nil), and the path's last name in Name.
inline QObject *PathOwner(QObject *Root, const QString &Path, QString &Name)
{
    const QStringList parts = Path.split(QLatin1Char('.'));
    for (qsizetype i = 0; Root && i + 1 < parts.size(); ++i)
        Root = GetObjectProp(Root, parts.at(i));
    Name = parts.last();
    return Root;
}

// A Width x Height image of one colour.
inline QImage SolidImage(QColor Color, int Width = 16, int Height = 16)
{
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Color);
    return image;
}
