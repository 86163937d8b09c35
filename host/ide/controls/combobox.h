#pragma once
// TComboBox: a combo box with the host's five styles, a sortable list of strings, and
// owner drawing of its entries.

#include <QPainter>

#include "customcombobox.h"

enum TComboBoxStyle {
    csDropDown = 0,          // editable, with a list that drops down
    csSimple = 1,            // editable; the list is not dropped down
    csDropDownList = 2,      // pick only
    csOwnerDrawFixed = 3,    // pick only, entries drawn by OnDrawItem at one height
    csOwnerDrawVariable = 4, // pick only, entries drawn by OnDrawItem
};

// Draws entry Index into Rect; the canvas's brush and pen are set for the selected or the
// normal state.
using TDrawItemEvent = std::function<void(int Index, const QRect &Rect, QPainter &Canvas)>;

class KORHOST_EXPORT TComboBox : public TCustomComboBox {
    Q_OBJECT
    Q_CLASSINFO("KorLeafControl", "1")

public:
    explicit TComboBox(QWidget *Parent = nullptr);
    ~TComboBox() override;

    int Style() const { return m_style; }
    void SetStyle(int Value);

    QStringList Items() const;
    // Replaces the list in one update, sorted when Sorted is set.
    void SetItems(const QStringList &Items);
    void AddItem(const QString &Item);
    void ClearItems() { clear(); }
    // Index of Item, compared without regard to case; -1 when absent.
    int IndexOf(const QString &Item) const;

    bool Sorted() const { return m_sorted; }
    void SetSorted(bool Value);

    QString Text() const { return currentText(); }
    // Editable styles show Text as it is; the others select the entry that matches it.
    void SetText(const QString &Value);

    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int Value);

    // Draws entry Index as the list would, through OnDrawItem when the style is owner-drawn.
    void DrawItem(int Index, const QRect &Rect, QPainter &Canvas, bool Selected);

    TDrawItemEvent OnDrawItem;

protected:
    void paintEvent(QPaintEvent *Event) override;

private:
    int m_style = csDropDown;
    bool m_sorted = false;
    int m_itemHeight = 16;
};
