#include "designintf.h"

#include <exception>

#include "hostmessages.h"

namespace {

// A listener and the serial number of its registration: a listener that goes and another that
// registers at the same address during one broadcast are told apart by the serial.
struct Registered {
    IDesignNotification *listener;
    quint64 serial;
};

QList<Registered> &listeners()
{
    static QList<Registered> list;
    return list;
}

quint64 g_nextSerial = 1;

QString &baseKey()
{
    static QString key = QStringLiteral("Software\\Kor\\DesignHost\\3.0");
    return key;
}

bool stillRegistered(const Registered &entry)
{
    for (const Registered &live : listeners())
        if (live.listener == entry.listener && live.serial == entry.serial)
            return true;
    return false;
}

// Delivers a notice to every listener registered when the broadcast starts and still
// registered when its turn comes. A notice enters a design window from the host: an error the
// window raises is reported there (HandleHostException) and does not keep the others from
// being told, nor reach whoever made the change that caused the notice.
void broadcast(const std::function<void(IDesignNotification *)> &notice)
{
    const QList<Registered> snapshot = listeners();
    for (const Registered &entry : snapshot) {
        if (!stillRegistered(entry))
            continue;
        try {
            notice(entry.listener);
        } catch (...) {
            HandleHostException();
        }
    }
}

} // namespace

IDesigner::~IDesigner() = default;

IDesignNotification::~IDesignNotification()
{
    // A listener destroyed while still registered would otherwise be called after its death.
    UnregisterDesignNotification(this);
}

void RegisterDesignNotification(IDesignNotification *Listener)
{
    if (!Listener)
        return;
    for (const Registered &entry : listeners())
        if (entry.listener == Listener)
            return;
    listeners().append(Registered{Listener, g_nextSerial++});
}

void UnregisterDesignNotification(IDesignNotification *Listener)
{
    listeners().removeIf(
        [Listener](const Registered &entry) { return entry.listener == Listener; });
}

void NotifyItemDeleted(IDesigner *ADesigner, QObject *Item)
{
    broadcast([&](IDesignNotification *l) { l->ItemDeleted(ADesigner, Item); });
}

void NotifyItemInserted(IDesigner *ADesigner, QObject *Item)
{
    broadcast([&](IDesignNotification *l) { l->ItemInserted(ADesigner, Item); });
}

void NotifyItemsModified(IDesigner *ADesigner)
{
    broadcast([&](IDesignNotification *l) { l->ItemsModified(ADesigner); });
}

void NotifySelectionChanged(IDesigner *ADesigner, const QList<QObject *> &Selection)
{
    broadcast([&](IDesignNotification *l) { l->SelectionChanged(ADesigner, Selection); });
}

void NotifyDesignerOpened(IDesigner *ADesigner, bool AResurrecting)
{
    broadcast([&](IDesignNotification *l) { l->DesignerOpened(ADesigner, AResurrecting); });
}

void NotifyDesignerClosed(IDesigner *ADesigner, bool AGoingDormant)
{
    broadcast([&](IDesignNotification *l) { l->DesignerClosed(ADesigner, AGoingDormant); });
}

QString BaseRegistryKey()
{
    return baseKey();
}

void SetBaseRegistryKey(const QString &Key)
{
    baseKey() = Key;
}
