#include "packageregistry.h"

TPackageRegistry &TPackageRegistry::Instance()
{
    static TPackageRegistry registry;
    return registry;
}
