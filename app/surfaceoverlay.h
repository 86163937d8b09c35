#pragma once
// The transparent layer over the designed form: it takes every mouse and key event meant for the
// form, so the run-time controls on it never see input at design time (but for a click on a
// control's scroll bar, which scrolls it as it would at run time), and draws what only a
// designer shows (grid dots, icons of components that are not controls, selection handles, the
// rubber band and the rectangle of a component being placed). Its coordinates are the form's.

#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>

class TComponent;
class TFormSurface;

class TSurfaceOverlay : public QWidget {
    Q_OBJECT
public:
    explicit TSurfaceOverlay(TFormSurface *Surface, QWidget *parent);

    // The handles of a selection frame, clockwise from the top-left corner.
    enum THandle { hTopLeft, hTop, hTopRight, hRight, hBottomRight, hBottom, hBottomLeft, hLeft };
    static constexpr int HandleSize = 7;
    static QRect HandleRect(const QRect &Frame, int Handle);
    // The rectangle a resize by Handle makes of Start when the mouse has moved by Delta, its
    // moved edges on the grid. A moved edge stops where the rectangle would be smaller than
    // Minimum (at least a grid step), so the opposite edges never move.
    static QRect ResizedRect(const QRect &Start, int Handle, const QPoint &Delta,
                             const QSize &Minimum = {});

    // The icon box and the name under it of a component that is not a control at Position.
    QRect IconBox(const QPoint &Position) const;
    QRect IconRect(const QPoint &Position, const QString &Name) const;
    // The width the name Name needs under an icon.
    int LabelWidth(const QString &Name) const;

    // A component going away ends a drag that involves it.
    void Forget(QObject *Item);

protected:
    // Tool tips: the whole name of an icon whose tile elides it.
    bool event(QEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    void contextMenuEvent(QContextMenuEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    // Tab stays on the form: the controls under the overlay never take the focus.
    bool focusNextPrevChild(bool Next) override;

private:
    enum class TDrag { None, Place, Move, Resize, Band };
    struct TStart {
        QPointer<QObject> object;
        QRect rect;
        QPoint anchor; // the point that snaps to the grid: a control's corner, an icon's place
    };

    QFont labelFont() const;
    QRect labelRect(const QPoint &Position, const QString &Name) const;
    void paintGrid(QPainter &Painter, const QRect &Exposed);
    void paintIcons(QPainter &Painter);
    void paintSelection(QPainter &Painter);
    // The handle of the one selected control under Pos, or -1.
    int handleAt(const QPoint &Pos, TComponent **Component = nullptr) const;
    QRect dragRect(TDrag Drag) const;
    void startFrames(const QList<TComponent *> &Components);
    void cancelDrag();
    // The status bar says what the mouse does here, or what releasing it will do.
    void describe(const QPoint &Pos);
    void describeDrag();

    TFormSurface *m_surface;
    TDrag m_drag = TDrag::None;
    QPoint m_pressPos;
    QPoint m_mousePos;
    bool m_dragging = false; // the mouse has gone further than a click
    int m_handle = -1;
    QPointer<QObject> m_primary;
    QList<TStart> m_starts;
    QList<QObject *> m_bandBase;
};
