#pragma once
// Dropping a link to a component that is going away.
//
// A component announces its end (Notification with opRemove) while it is half destroyed: its
// QObject part and any QPointer to it are still alive. Holders therefore compare addresses only,
// never call the component, and clear their link before anything can read it.

#include <QPointer>

#include "persistent.h"

// Clears Link when it refers to Gone; answers whether it did. T must be a class whose QObject
// part is not a further derived widget class: for those (grids), keep the component's address
// from the time of linking and compare with that (see TWidgetLink).
template <class T> bool DropLink(QPointer<T> &Link, const TComponent *Gone)
{
    if (!Link || static_cast<const TComponent *>(Link.data()) != Gone)
        return false;
    Link.clear();
    return true;
}

// A link to a component that is a widget of a deeper class hierarchy, such as a grid. While such
// a component announces its end, its QObject part already has a base class's type, so the link
// remembers the component's address when it is made and compares that.
template <class T> class TWidgetLink {
public:
    T *data() const { return m_link.data(); }
    void set(T *Value)
    {
        m_link = Value;
        m_component = Value;
    }
    // Clears the link when it refers to Gone; answers whether it did.
    bool drop(const TComponent *Gone)
    {
        if (!m_component || m_component != Gone)
            return false;
        m_link.clear();
        m_component = nullptr;
        return true;
    }
    bool operator==(const T *Value) const { return m_link.data() == Value; }

private:
    QPointer<T> m_link;
    const TComponent *m_component = nullptr;
};
