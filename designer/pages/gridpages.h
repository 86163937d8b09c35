#pragma once
// The grid designer's page lists. Each is written in its own file, designer/pages/<name>page.cpp,
// as a page table (see pagetable.h) handed to its base: grid pages edit the grid, column pages
// the current column, the total page one total row of the current column.

#include "pagetable.h"

class TLayoutPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TLayoutPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TSpacesPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TSpacesPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TSettingsPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TSettingsPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TToolMenuPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TToolMenuPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TDesignPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TDesignPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TColorsPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TColorsPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TFontsPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TFontsPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TControl1PropList : public TGridPagePropList {
    Q_OBJECT
public:
    TControl1PropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TControl2PropList : public TGridPagePropList {
    Q_OBJECT
public:
    TControl2PropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TFilterPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TFilterPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TSearchPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TSearchPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TTotalsPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TTotalsPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TScrollBarsPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TScrollBarsPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class THintsPropList : public TGridPagePropList {
    Q_OBJECT
public:
    THintsPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TLinksPropList : public TGridPagePropList {
    Q_OBJECT
public:
    TLinksPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);
};

class TColumnPropList : public TColumnPagePropList {
    Q_OBJECT
public:
    TColumnPropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};

class TColumnTitlePropList : public TColumnPagePropList {
    Q_OBJECT
public:
    TColumnTitlePropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};

class TColumnTotalPropList : public TColumnTotalPagePropList {
    Q_OBJECT
public:
    TColumnTotalPropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};

class TColumnControlPropList : public TColumnPagePropList {
    Q_OBJECT
public:
    TColumnControlPropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};

class TColumnEditorPropList : public TColumnPagePropList {
    Q_OBJECT
public:
    TColumnEditorPropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};

class TColumnFilterPropList : public TColumnPagePropList {
    Q_OBJECT
public:
    TColumnFilterPropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};

class TColumnPickListPropList : public TColumnPagePropList {
    Q_OBJECT
public:
    TColumnPickListPropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};

class TColumnLookupPropList : public TColumnPagePropList {
    Q_OBJECT
public:
    TColumnLookupPropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};

class TColumnLinksPropList : public TColumnPagePropList {
    Q_OBJECT
public:
    TColumnLinksPropList(TDesignWindow *OwnerForm, TKorColumn *Column);
};
