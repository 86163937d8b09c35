#include "designerlist.h"

#include <memory>

#include "hostmessages.h"

namespace {

std::unique_ptr<IDEDesignEd::TDesignerList> designerList;

} // namespace

namespace IDEDesignEd {

TDesignerList *DesignerList()
{
    return designerList.get();
}

TDesignerList &EnsureDesignerList()
{
    if (!designerList)
        designerList = std::make_unique<TDesignerList>();
    return *designerList;
}

void AddDesignerWindow(QWidget *Window)
{
    TDesignerList &list = EnsureDesignerList();
    if (Window && !list.contains(Window))
        list.append(Window);
}

void RemoveDesignerWindow(QWidget *Window)
{
    if (!designerList)
        return;
    designerList->removeIf([Window](const QPointer<QWidget> &entry) {
        return entry.isNull() || entry.data() == Window;
    });
}

void Finalization()
{
    // The windows' code lives in this package, which is about to be unloaded. A window still
    // open is closed the way a user closes it, so it saves its form state, and is then
    // destroyed now, while its code is there (a deferred deletion would run after the unload).
    // The list goes first, so the windows' own removal finds nothing to do.
    std::unique_ptr<TDesignerList> list = std::move(designerList);
    if (!list)
        return;
    for (const QPointer<QWidget> &window : *list) {
        if (!window)
            continue;
        try {
            window->close();
        } catch (...) {
            HandleHostException();
        }
        delete window.data();
    }
}

} // namespace IDEDesignEd
