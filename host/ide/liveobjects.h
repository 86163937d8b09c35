#pragma once
// A list of guarded pointers read back as the objects that still exist: selections and change
// notices keep QPointers because the objects they name may be deleted before they are read.

#include <QList>
#include <QPointer>

template <class T> QList<T *> LiveObjects(const QList<QPointer<T>> &Pointers)
{
    QList<T *> objects;
    objects.reserve(Pointers.size());
    for (const QPointer<T> &pointer : Pointers)
        if (pointer)
            objects.append(pointer.data());
    return objects;
}
