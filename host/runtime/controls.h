#pragma once
// TKorWinControl: the windowed-control base of the suite's visual components. It is a QWidget
// and a component, and publishes the properties every control shares: bounds, constraints,
// anchors and alignment, tab order, cursors, drag settings, help, visibility, hints, colour and
// font.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "font.h"
#include "korenums.h"
#include "menus.h"
#include "ownedpersistent.h"
#include "persistent.h"
#include "published.h"
#include "vcltypes.h"

// Minimum and maximum size of a control; 0 means no limit.
class KORRUNTIME_EXPORT TSizeConstraints : public TOwnedPersistent {
    Q_OBJECT
    KOR_INTEGER(MinWidth, 0)
    KOR_INTEGER(MinHeight, 0)
    KOR_INTEGER(MaxWidth, 0)
    KOR_INTEGER(MaxHeight, 0)

public:
    explicit TSizeConstraints(TPersistent *Owner);
};

// The space kept around a control aligned with margins.
class KORRUNTIME_EXPORT TMargins : public TOwnedPersistent {
    Q_OBJECT
    KOR_INTEGER(Left, 3)
    KOR_INTEGER(Top, 3)
    KOR_INTEGER(Right, 3)
    KOR_INTEGER(Bottom, 3)

public:
    explicit TMargins(TPersistent *Owner);
};

class KORRUNTIME_EXPORT TKorWinControl : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    KOR_PUBLISHED(tkInteger, "Integer", Left, "NoDefault")
    Q_PROPERTY(int Top READ Top WRITE setTop)
    KOR_PUBLISHED(tkInteger, "Integer", Top, "NoDefault")
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    KOR_PUBLISHED(tkInteger, "Integer", Width, "NoDefault")
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    KOR_PUBLISHED(tkInteger, "Integer", Height, "NoDefault")
    KOR_OBJECT(TSizeConstraints, Constraints)
    KOR_ENUM(Vcl::TBiDiMode, BiDiMode, Vcl::bdLeftToRight)
    KOR_BOOLEAN(ParentBiDiMode, true)
    KOR_SET(Kor::TAnchors, Anchors, (Kor::akLeft | Kor::akTop))
    KOR_ENUM(Vcl::TAlign, Align, Vcl::alNone)
    KOR_BOOLEAN(AlignWithMargins, false)
    KOR_OBJECT(TMargins, Margins)
    KOR_INTEGER(TabOrder, 0)
    KOR_BOOLEAN(TabStop, true)
    KOR_INTEGER(Tag, 0)
    Q_PROPERTY(TCursor Cursor READ Cursor WRITE SetCursor)
    KOR_PUBLISHED(tkInteger, "TCursor", Cursor, "crDefault")
    KOR_CURSOR(DragCursor, crDrag)
    KOR_ENUM(Kor::TDragKind, DragKind, Kor::dkDrag)
    KOR_ENUM(Kor::TDragMode, DragMode, Kor::dmManual)
    KOR_ENUM(Kor::THelpType, HelpType, Kor::htContext)
    KOR_INTEGER(HelpContext, 0)
    KOR_STRING(HelpKeyword)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    KOR_PUBLISHED(tkEnumeration, "Boolean", Visible, "true")
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    KOR_PUBLISHED(tkEnumeration, "Boolean", Enabled, "true")
    KOR_BOOLEAN(ShowHint, false)
    KOR_BOOLEAN(ParentShowHint, true)
    KOR_STRING(Hint)
    KOR_COLOR(Color, clWindow)
    KOR_BOOLEAN(ParentColor, false)
    Q_PROPERTY(TFont *Font READ Font WRITE SetFont)
    KOR_PUBLISHED(tkClass, "TFont", Font, "")
    KOR_BOOLEAN(ParentFont, true)
    KOR_BOOLEAN(Ctl3D, true)
    KOR_BOOLEAN(ParentCtl3D, true)
    KOR_BOOLEAN(DoubleBuffered, false)
    KOR_BOOLEAN(ParentBackground, false)
    KOR_LINK(TPopupMenu, PopupMenu)
    // The values a .ui file cannot hold, as form-file text (see uicomponents.h). A Qt property
    // only: the host's type information does not publish it, so form files and the Object
    // Inspector never show it.
    Q_PROPERTY(QString formText READ FormText WRITE SetFormText)

public:
    // AOwner owns the control as a component; when it is a widget it is also its parent.
    explicit TKorWinControl(QObject *AOwner = nullptr);
    ~TKorWinControl() override;

    int Left() const { return geometry().x(); }
    void setLeft(int Value);
    int Top() const { return geometry().y(); }
    void setTop(int Value);
    int Width() const { return geometry().width(); }
    void setWidth(int Value);
    int Height() const { return geometry().height(); }
    void setHeight(int Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor Value);
    // The published visibility. At design time the control stays on show whatever it says.
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool Value);
    TFont *Font() const { return m_font.get(); }
    void SetFont(TFont *Value);
    // Errors of the text are reported (HandleHostException), never raised: uic and QUiLoader
    // set it through Qt's property system.
    QString FormText() const;
    void SetFormText(const QString &Text);

    // True when the control lays its contents out from right to left.
    bool UseRightToLeftAlignment() const { return BiDiMode() != Vcl::bdLeftToRight; }
    // Color as an RGB colour, with clDefault and clNone standing for the window colour.
    TColor ColorRGB(TColor Value) const;

    // Called by every property setter after a change: applies hint and direction, repaints.
    virtual void Changed();

    // Clears every link to a component that is going away; subclasses add their own links.
    virtual void DropLinks(TComponent *Gone);

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // Takes a font without clearing ParentFont (used when the font follows the parent).
    void setFontQuietly(const TFont &Value);

private:
    void fontChanged();
    void applyConstraints();

    std::unique_ptr<TFont> m_font;
    TCursor m_cursor = crDefault;
    bool m_visible = true;
    bool m_fontQuiet = false;
};
