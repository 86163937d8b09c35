#pragma once
// TColorBox: a pick-only combo box of colours, each entry drawn with a swatch and named by
// its identifier. Its style flags choose the groups of colours it lists.

#include "customcombobox.h"

enum TColorBoxStyleFlag {
    cbStandardColors = 0x01, // the sixteen standard colours
    cbExtendedColors = 0x02, // money green, sky blue, cream, medium grey
    cbSystemColors = 0x04,   // the system colours
    cbIncludeNone = 0x08,    // clNone
    cbIncludeDefault = 0x10, // clDefault
    cbCustomColor = 0x20,    // a first entry that opens the colour dialog
    cbPrettyNames = 0x40,    // names without the "cl" prefix
    cbCustomColors = 0x80,   // colours supplied by OnGetColors
};

struct TColorEntry {
    QString Name;
    TColor Color;
};
using TColorEntries = QList<TColorEntry>;
// Supplies the custom colours; entries added to Items are listed in their order.
using TGetColorsEvent = std::function<void(TColorEntries &Items)>;

class KORHOST_EXPORT TColorBox : public TCustomComboBox {
    Q_OBJECT
    Q_CLASSINFO("KorLeafControl", "1")

public:
    explicit TColorBox(QWidget *Parent = nullptr);
    ~TColorBox() override;

    int Style() const { return m_style; }
    // Rebuilds the list.
    void SetStyle(int Value);

    // The colour of the selected entry; the last colour set when no entry is selected.
    TColor Selected() const;
    // Selects the entry of Value; a colour not listed goes into the custom-colour entry when
    // there is one, and leaves no entry selected otherwise.
    void SetSelected(TColor Value);

    TColor Colors(int Index) const;
    QString ColorNames(int Index) const { return itemText(Index); }
    // Index of the first entry holding Value; -1 when absent.
    int IndexOfColor(TColor Value) const;

    // The colours that the clDefault and clNone entries are drawn with.
    TColor DefaultColorColor() const { return m_defaultColorColor; }
    void SetDefaultColorColor(TColor Value);
    TColor NoneColorColor() const { return m_noneColorColor; }
    void SetNoneColorColor(TColor Value);

    TGetColorsEvent OnGetColors;

    // The caption of the custom-colour entry.
    static QString CustomCaption();

protected:
    bool Select(int Index) override;

private:
    void PopulateList();
    void AddEntry(const QString &Name, TColor Color);
    void UpdateSwatch(int Index);
    void UpdateSwatches();

    int m_style = cbStandardColors | cbExtendedColors | cbSystemColors;
    TColor m_selected = clBlack;
    TColor m_defaultColorColor = clBlack;
    TColor m_noneColorColor = clBlack;
};
