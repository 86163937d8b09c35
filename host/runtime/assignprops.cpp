#include "assignprops.h"

#include "typinfo.h"

void AssignPublishedProperties(QObject *Dest, const QObject *Source)
{
    if (!Dest || !Source || Dest == Source)
        return;
    for (PPropInfo source : GetPropList(Source)) {
        if (!source->Meta.isValid() || source->Kind == TTypeKind::tkMethod)
            continue; // the component's Name and event handlers are not copied
        PPropInfo dest = GetPropInfo(Dest, source->Name);
        if (!dest || !dest->Meta.isValid() || !dest->Meta.isWritable())
            continue;
        if (dest->Meta.metaType() != source->Meta.metaType())
            continue;
        dest->Meta.write(Dest, source->Meta.read(Source));
    }
}
