#pragma once
// The connections a data-aware control keeps to its data source: made together when the control
// is linked to a source, dropped together when the link changes, goes or the control ends.

#include <QList>
#include <QObject>

#include "db.h"

// Disconnects every connection of Connections and empties the list.
inline void DropConnections(QList<QMetaObject::Connection> &Connections)
{
    for (const QMetaObject::Connection &connection : std::as_const(Connections))
        QObject::disconnect(connection);
    Connections.clear();
}

// Links Control to Source in place of whatever source Connections served: Control is told of the
// source's end (FreeNotification), and runs OnData on the source's dataChanged and OnRecord on its
// recordChanged. A null Source only drops the old connections.
template <class Control>
void LinkDataSource(Control *Target, TDataSource *Source,
                    QList<QMetaObject::Connection> &Connections, void (Control::*OnData)(),
                    void (Control::*OnRecord)())
{
    DropConnections(Connections);
    if (!Source)
        return;
    Target->FreeNotification(Source);
    Connections.append(QObject::connect(Source, &TDataSource::dataChanged, Target, OnData));
    Connections.append(QObject::connect(Source, &TDataSource::recordChanged, Target, OnRecord));
}
