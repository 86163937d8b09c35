#include "dropstate.h"

#include "controls/customcombobox.h"

void DropState::SetListWidth(TCustomComboBox *Box, int DropWidth, bool Wide)
{
    if (!Box || DropWidth == 0)
        return;
    if (Wide) {
        SavedLeft = Box->Left();
        SavedWidth = Box->Width();
        Box->SetLeft(SavedLeft + SavedWidth - DropWidth);
        Box->SetWidth(DropWidth);
    } else {
        Box->SetLeft(SavedLeft);
        Box->SetWidth(SavedWidth);
    }
}
