// Unit-level operations of the designer windows that a host calls by name: a host opens the
// designer window of any component on a form through "IDEDesignEd_ShowBriskDesigner".

#include "idedesigned.h"
#include "moduleexport.h"

// Answers the window now showing Component, or null when it could not be set up.
KOR_MODULE_EXPORT QWidget *IDEDesignEd_ShowBriskDesigner(IDesigner *Designer, TComponent *Component,
                                                         QWidget *ParentForm)
{
    return ShowBriskDesignerClass(Designer, Component, BriskDesignerClass<TBriskDesigner>(),
                                  ParentForm);
}
