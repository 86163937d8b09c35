#include "designerlist.h"

#include <memory>

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
    designerList.reset();
}

} // namespace IDEDesignEd
