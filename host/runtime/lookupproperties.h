#pragma once
// The lookup properties that a grid column and an editor control both publish: which lookup
// column kind, the lookup data set, and the field lists read from it.

#include "db.h"
#include "korenums.h"
#include "published.h"

#define KOR_LOOKUP_PROPERTIES                                                                      \
    KOR_ENUM(Kor::TKorLookupColumn, LookupColumn, Kor::lcNone)                                     \
    KOR_LINK(TDataSet, LookupDataSet)                                                              \
    KOR_STRING(LookupKeyField)                                                                     \
    KOR_STRING(LookupListFields)                                                                   \
    KOR_STRING(LookupListTitles)                                                                   \
    KOR_STRING(LookupListWidths)                                                                   \
    KOR_STRING(LookupParentField)                                                                  \
    KOR_STRING(LookupResultField)                                                                  \
    KOR_STRING(LookupTreeViewField)
