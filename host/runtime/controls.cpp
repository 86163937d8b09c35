#include "controls.h"

#include <QContextMenuEvent>

#include "componentlink.h"
#include "hostmessages.h"
#include "uicomponents.h"

TSizeConstraints::TSizeConstraints(TPersistent *Owner)
    : TOwnedPersistent(Owner, QStringLiteral("Constraints"))
{
}

TMargins::TMargins(TPersistent *Owner) : TOwnedPersistent(Owner, QStringLiteral("Margins")) {}

TKorWinControl::TKorWinControl(QObject *AOwner)
    : QWidget(qobject_cast<QWidget *>(AOwner)), TComponent(AsComponent(AOwner)),
      m_Constraints(std::make_unique<TSizeConstraints>(this)),
      m_Margins(std::make_unique<TMargins>(this)), m_font(std::make_unique<TFont>())
{
    connect(m_Constraints.get(), &TOwnedPersistent::changed, this,
            &TKorWinControl::applyConstraints);
    connect(m_Margins.get(), &TOwnedPersistent::changed, this, &TKorWinControl::Changed);
    connect(m_font.get(), &TFont::changed, this, &TKorWinControl::fontChanged);
    QWidget::setFont(m_font->ToQFont());
    setFocusPolicy(Qt::StrongFocus);
    // Links of .ui form texts that wait for a component of this name can be set now.
    connect(this, &QObject::objectNameChanged, this, [] { ResolveWaitingLinks(false); });
}

TKorWinControl::~TKorWinControl()
{
    // The sub-objects go before the QWidget part; stop listening to them first.
    m_Constraints->disconnect(this);
    m_Margins->disconnect(this);
    m_font->disconnect(this);
}

void TKorWinControl::setLeft(int Value)
{
    SetBounds(Value, Top(), Width(), Height());
}

void TKorWinControl::setTop(int Value)
{
    SetBounds(Left(), Value, Width(), Height());
}

void TKorWinControl::setWidth(int Value)
{
    SetBounds(Left(), Top(), Value, Height());
}

void TKorWinControl::setHeight(int Value)
{
    SetBounds(Left(), Top(), Width(), Value);
}

void TKorWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const QRect bounds(ALeft, ATop, qMax(0, AWidth), qMax(0, AHeight));
    if (bounds == geometry())
        return;
    setGeometry(bounds);
    Changed();
}

QString TKorWinControl::FormText() const
{
    try {
        return ComponentFormText(this);
    } catch (...) {
        HandleHostException();
    }
    return {};
}

void TKorWinControl::SetFormText(const QString &Text)
{
    try {
        ApplyComponentFormText(this, Text);
    } catch (...) {
        HandleHostException();
    }
}

void TKorWinControl::SetCursor(TCursor Value)
{
    if (m_cursor == Value)
        return;
    m_cursor = Value;
    Changed();
}

void TKorWinControl::SetVisible(bool Value)
{
    if (m_visible == Value)
        return;
    m_visible = Value;
    if (!IsDesigning() && parentWidget())
        QWidget::setVisible(Value);
    Changed();
}

void TKorWinControl::SetEnabled(bool Value)
{
    if (isEnabled() == Value)
        return;
    QWidget::setEnabled(Value);
    Changed();
}

void TKorWinControl::SetFont(TFont *Value)
{
    m_font->Assign(Value);
}

void TKorWinControl::setFontQuietly(const TFont &Value)
{
    m_fontQuiet = true;
    m_font->Assign(&Value);
    m_fontQuiet = false;
}

void TKorWinControl::fontChanged()
{
    QWidget::setFont(m_font->ToQFont());
    if (!m_fontQuiet)
        setParentFont(false);
    Changed();
}

void TKorWinControl::applyConstraints()
{
    const TSizeConstraints &c = *m_Constraints;
    setMinimumSize(c.MinWidth(), c.MinHeight());
    setMaximumSize(c.MaxWidth() > 0 ? c.MaxWidth() : QWIDGETSIZE_MAX,
                   c.MaxHeight() > 0 ? c.MaxHeight() : QWIDGETSIZE_MAX);
    Changed();
}

TColor TKorWinControl::ColorRGB(TColor Value) const
{
    if (Value == clDefault || Value == clNone)
        Value = clWindow;
    return ColorToRGB(Value);
}

void TKorWinControl::Changed()
{
    setToolTip(ShowHint() ? Hint() : QString());
    setLayoutDirection(UseRightToLeftAlignment() ? Qt::RightToLeft : Qt::LeftToRight);
    setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
    update();
}

void TKorWinControl::Notification(TComponent *AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent != this)
        DropLinks(AComponent);
}

void TKorWinControl::DropLinks(TComponent *Gone)
{
    if (DropLink(m_PopupMenu, Gone))
        update();
}

void TKorWinControl::contextMenuEvent(QContextMenuEvent *event)
{
    if (TPopupMenu *menu = PopupMenu(); menu && menu->AutoPopup()) {
        menu->Popup(event->globalPos());
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}
