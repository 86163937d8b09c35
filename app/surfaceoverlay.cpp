#include "surfaceoverlay.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "compedit.h"
#include "componenticons.h"
#include "formdesigner.h"
#include "formsurface.h"

namespace {

constexpr int IconBoxSize = 28;
// Names under icons are small; the tile grows with a long name up to two icon slots, and a name
// longer still is elided, shown whole in the tile's tool tip.
constexpr int IconLabelPixels = 10;
constexpr int IconLabelMaxWidth = 160;

// The mouse cursor over each handle, in THandle order.
constexpr Qt::CursorShape HandleCursors[] = {
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
};

// The scroll bar of a control under a point (global coordinates), or nullptr. A click on it
// scrolls the control at design time as at run time, so what lies past its edges can be seen;
// scrolling changes nothing the form keeps.
QScrollBar *scrollBarAt(QObject *Control, const QPoint &Global)
{
    auto *widget = qobject_cast<QWidget *>(Control);
    if (!widget)
        return nullptr;
    auto *bar = qobject_cast<QScrollBar *>(widget->childAt(widget->mapFromGlobal(Global)));
    return bar && bar->isVisible() ? bar : nullptr;
}

void clickScrollBar(QScrollBar *Bar, const QPoint &Global)
{
    const QPointF local = Bar->mapFromGlobal(Global);
    QMouseEvent press(QEvent::MouseButtonPress, local, QPointF(Global), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(Global), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Bar, &press);
    QApplication::sendEvent(Bar, &release);
}

int snap(int Value)
{
    return TFormSurface::Snap(QPoint(Value, 0)).x();
}

QString className(const QMetaObject *Class)
{
    QString name = QString::fromLatin1(Class->className());
    return name.size() > 1 && name.startsWith(QLatin1Char('T')) ? name.mid(1) : name;
}

} // namespace

TSurfaceOverlay::TSurfaceOverlay(TFormSurface *Surface, QWidget *parent)
    : QWidget(parent), m_surface(Surface)
{
    setObjectName(QStringLiteral("SurfaceOverlay"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

QRect TSurfaceOverlay::HandleRect(const QRect &Frame, int Handle)
{
    const int left = Frame.left(), right = Frame.left() + Frame.width();
    const int top = Frame.top(), bottom = Frame.top() + Frame.height();
    const int midX = (left + right) / 2, midY = (top + bottom) / 2;
    const QPoint centres[] = {{left, top},     {midX, top},    {right, top},   {right, midY},
                              {right, bottom}, {midX, bottom}, {left, bottom}, {left, midY}};
    const QPoint centre = centres[qBound(0, Handle, 7)];
    return {centre.x() - HandleSize / 2, centre.y() - HandleSize / 2, HandleSize, HandleSize};
}

QRect TSurfaceOverlay::ResizedRect(const QRect &Start, int Handle, const QPoint &Delta,
                                   const QSize &Minimum)
{
    const QSize least = Minimum.expandedTo({TFormSurface::GridSize, TFormSurface::GridSize});
    int left = Start.left(), top = Start.top();
    int right = left + Start.width(), bottom = top + Start.height();
    if (Handle == hTopLeft || Handle == hLeft || Handle == hBottomLeft)
        left = qMin(snap(left + Delta.x()), right - least.width());
    if (Handle == hTopRight || Handle == hRight || Handle == hBottomRight)
        right = qMax(snap(right + Delta.x()), left + least.width());
    if (Handle == hTopLeft || Handle == hTop || Handle == hTopRight)
        top = qMin(snap(top + Delta.y()), bottom - least.height());
    if (Handle == hBottomLeft || Handle == hBottom || Handle == hBottomRight)
        bottom = qMax(snap(bottom + Delta.y()), top + least.height());
    return {left, top, right - left, bottom - top};
}

QRect TSurfaceOverlay::IconBox(const QPoint &Position) const
{
    return {Position, QSize(IconBoxSize, IconBoxSize)};
}

QFont TSurfaceOverlay::labelFont() const
{
    QFont small = font();
    small.setPixelSize(IconLabelPixels);
    return small;
}

QRect TSurfaceOverlay::labelRect(const QPoint &Position, const QString &Name) const
{
    const QRect box = IconBox(Position);
    const QFontMetrics metrics(labelFont());
    const int width = qBound(box.width(), LabelWidth(Name), IconLabelMaxWidth);
    // From the icon's left edge on, so a name wider than the icon is not cut off at the form's
    // left edge; the tile grows to the right.
    const int left = box.left();
    return {left, box.bottom() + 2, width, metrics.height()};
}

int TSurfaceOverlay::LabelWidth(const QString &Name) const
{
    return QFontMetrics(labelFont()).horizontalAdvance(Name) + 6;
}

QRect TSurfaceOverlay::IconRect(const QPoint &Position, const QString &Name) const
{
    return IconBox(Position).united(labelRect(Position, Name));
}

void TSurfaceOverlay::Forget(QObject *Item)
{
    if (m_drag == TDrag::None)
        return;
    const bool involved = Item == m_primary ||
                          std::any_of(m_starts.cbegin(), m_starts.cend(),
                                      [Item](const TStart &start) { return start.object == Item; });
    if (involved) {
        m_starts.clear();
        m_drag = TDrag::None;
        update();
    }
}

// ---- painting -------------------------------------------------------------------------------

void TSurfaceOverlay::paintEvent(QPaintEvent *Event)
{
    QPainter painter(this);
    paintGrid(painter, Event->rect());
    paintIcons(painter);
    paintSelection(painter);
    if (m_drag == TDrag::Band || (m_drag == TDrag::Place && m_dragging)) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        QColor fill = palette().color(QPalette::Highlight);
        fill.setAlpha(m_drag == TDrag::Band ? 30 : 50);
        painter.setBrush(fill);
        painter.drawRect(dragRect(m_drag).adjusted(0, 0, -1, -1));
    }
}

void TSurfaceOverlay::paintGrid(QPainter &Painter, const QRect &Exposed)
{
    // Dots on the bare form only: the controls show as they will at run time.
    QRegion bare(Exposed);
    if (TDesignForm *form = m_surface->Form())
        for (QObject *child : form->children())
            if (auto *widget = qobject_cast<QWidget *>(child); widget && widget->isVisible())
                bare -= widget->geometry();
    Painter.save();
    Painter.setClipRegion(bare);
    Painter.setPen(palette().color(QPalette::Mid));
    const int step = TFormSurface::GridSize;
    QPolygon dots;
    for (int y = Exposed.top() / step * step; y <= Exposed.bottom(); y += step)
        for (int x = Exposed.left() / step * step; x <= Exposed.right(); x += step)
            dots << QPoint(x, y);
    Painter.drawPoints(dots);
    Painter.restore();
}

void TSurfaceOverlay::paintIcons(QPainter &Painter)
{
    TDesignForm *form = m_surface->Form();
    if (!form)
        return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent *component = form->Components(i);
        QObject *object = component->Object();
        if (!object || object->isWidgetType())
            continue;
        const QPoint position = object->property("DesignPosition").toPoint();
        const QRect box = IconBox(position);
        Painter.setPen(palette().color(QPalette::Dark));
        Painter.setBrush(palette().color(QPalette::Button));
        Painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        const QPixmap pixmap = ComponentPixmap(object->metaObject());
        Painter.drawPixmap(
            box.center() - QPoint(pixmap.width() / 2, pixmap.height() / 2) + QPoint(1, 1), pixmap);
        const QRect label = labelRect(position, component->Name());
        QColor back = palette().color(QPalette::Window);
        back.setAlpha(220);
        Painter.fillRect(label, back);
        Painter.setPen(palette().color(QPalette::WindowText));
        Painter.setFont(labelFont());
        Painter.drawText(label, Qt::AlignCenter,
                         QFontMetrics(labelFont())
                             .elidedText(component->Name(), Qt::ElideRight, label.width() - 2));
        Painter.setFont(font());
    }
}

void TSurfaceOverlay::paintSelection(QPainter &Painter)
{
    const QList<TComponent *> selected = m_surface->SelectedComponents();
    // One selected component gets solid handles it can be resized by; several get grey ones.
    // Locked components show hollow handles.
    const bool single = selected.size() == 1;
    const bool locked = m_surface->IsLocked();
    const QColor handleColor =
        single && !locked ? palette().color(QPalette::Highlight) : QColor(128, 128, 128);
    for (TComponent *component : selected) {
        const QRect frame = m_surface->ComponentRect(component);
        Painter.setPen(QPen(handleColor, 1, Qt::DotLine));
        Painter.setBrush(Qt::NoBrush);
        Painter.drawRect(frame.adjusted(-1, -1, 0, 0));
        const bool control = component->Object()->isWidgetType();
        Painter.setPen(single ? palette().color(QPalette::Base) : palette().color(QPalette::Dark));
        Painter.setBrush(handleColor);
        if (locked) {
            Painter.setPen(handleColor);
            Painter.setBrush(palette().color(QPalette::Base));
        }
        for (int handle = hTopLeft; handle <= hLeft; ++handle)
            if (control || handle % 2 == 0) // icons only show their corners
                Painter.drawRect(HandleRect(frame, handle).adjusted(0, 0, -1, -1));
    }
}

// ---- mouse ----------------------------------------------------------------------------------

int TSurfaceOverlay::handleAt(const QPoint &Pos, TComponent **Component) const
{
    const QList<TComponent *> selected = m_surface->SelectedComponents();
    if (selected.size() != 1 || !selected.first()->Object()->isWidgetType() ||
        m_surface->IsLocked())
        return -1;
    const QRect frame = m_surface->ComponentRect(selected.first());
    for (int handle = hTopLeft; handle <= hLeft; ++handle)
        if (HandleRect(frame, handle).adjusted(-1, -1, 1, 1).contains(Pos)) {
            if (Component)
                *Component = selected.first();
            return handle;
        }
    return -1;
}

QRect TSurfaceOverlay::dragRect(TDrag Drag) const
{
    const QPoint from = Drag == TDrag::Place ? TFormSurface::Snap(m_pressPos) : m_pressPos;
    const QPoint to = Drag == TDrag::Place ? TFormSurface::Snap(m_mousePos) : m_mousePos;
    const QPoint topLeft(qMin(from.x(), to.x()), qMin(from.y(), to.y()));
    return {topLeft, QSize(qAbs(to.x() - from.x()), qAbs(to.y() - from.y()))};
}

void TSurfaceOverlay::startFrames(const QList<TComponent *> &Components)
{
    m_starts.clear();
    for (TComponent *component : Components) {
        QObject *object = component->Object();
        const QRect rect = m_surface->ComponentRect(component);
        const QPoint anchor =
            object->isWidgetType() ? rect.topLeft() : object->property("DesignPosition").toPoint();
        m_starts.append({object, rect, anchor});
    }
}

void TSurfaceOverlay::cancelDrag()
{
    for (const TStart &start : std::as_const(m_starts))
        if (TComponent *component = start.object ? AsComponent(start.object) : nullptr)
            m_surface->setComponentRect(component, start.rect);
    m_starts.clear();
    m_drag = TDrag::None;
    update();
}

void TSurfaceOverlay::mousePressEvent(QMouseEvent *Event)
{
    setFocus(Qt::MouseFocusReason);
    if (Event->button() != Qt::LeftButton)
        return;
    TFormDesigner *designer = m_surface->Designer();
    if (!designer || !m_surface->Form())
        return;
    m_pressPos = m_mousePos = Event->position().toPoint();
    m_dragging = false;
    m_primary = nullptr;
    if (m_surface->PendingClass()) {
        m_drag = TDrag::Place;
        return;
    }
    TComponent *resized = nullptr;
    if (const int handle = handleAt(m_pressPos, &resized); handle >= 0) {
        m_drag = TDrag::Resize;
        m_handle = handle;
        m_primary = resized->Object();
        startFrames({resized});
        return;
    }
    const bool toggle = Event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    QList<QObject *> selection;
    for (TComponent *component : m_surface->SelectedComponents())
        selection << component->Object();
    if (TComponent *hit = m_surface->ComponentAt(m_pressPos)) {
        QObject *object = hit->Object();
        if (QScrollBar *bar = toggle ? nullptr : scrollBarAt(object, mapToGlobal(m_pressPos))) {
            if (!selection.contains(object))
                designer->SelectComponent(object);
            clickScrollBar(bar, mapToGlobal(m_pressPos));
            m_drag = TDrag::None;
            return;
        }
        if (toggle && selection.contains(object)) {
            selection.removeAll(object);
            designer->SetSelections(selection.isEmpty() ? QList<QObject *>{m_surface->Form()}
                                                        : selection);
            m_drag = TDrag::None;
            return;
        }
        if (toggle)
            designer->SetSelections(selection << object);
        else if (!selection.contains(object))
            designer->SelectComponent(object);
        if (m_surface->IsLocked()) { // selects, and moves nothing
            m_drag = TDrag::None;
            return;
        }
        m_drag = TDrag::Move;
        m_primary = object;
        startFrames(m_surface->SelectedComponents());
        return;
    }
    // The bare form: a rubber band, which adds to the selection with Ctrl.
    m_bandBase = toggle ? selection : QList<QObject *>{};
    if (!toggle)
        designer->SelectComponent(m_surface->Form());
    m_drag = TDrag::Band;
}

void TSurfaceOverlay::mouseMoveEvent(QMouseEvent *Event)
{
    m_mousePos = Event->position().toPoint();
    if (m_drag == TDrag::None || !(Event->buttons() & Qt::LeftButton)) {
        describe(m_mousePos);
        return;
    }
    if (!m_dragging &&
        (m_mousePos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    const QPoint delta = m_mousePos - m_pressPos;
    describeDrag();
    if (m_drag == TDrag::Move) {
        // The grabbed component lands on the grid; the others keep their distance.
        QPoint anchor;
        for (const TStart &start : std::as_const(m_starts))
            if (start.object == m_primary)
                anchor = start.anchor;
        const QPoint moved = TFormSurface::Snap(anchor + delta) - anchor;
        for (const TStart &start : std::as_const(m_starts))
            if (TComponent *component = start.object ? AsComponent(start.object) : nullptr)
                m_surface->setComponentRect(component, start.rect.translated(moved));
    } else if (m_drag == TDrag::Resize && !m_starts.isEmpty()) {
        const TStart &start = m_starts.first();
        if (TComponent *component = start.object ? AsComponent(start.object) : nullptr) {
            const QWidget *control = qobject_cast<QWidget *>(start.object);
            const QSize minimum = control ? control->minimumSize() : QSize();
            m_surface->setComponentRect(component,
                                        ResizedRect(start.rect, m_handle, delta, minimum));
        }
    }
    update();
}

void TSurfaceOverlay::mouseReleaseEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton || m_drag == TDrag::None)
        return;
    const TDrag drag = std::exchange(m_drag, TDrag::None);
    m_mousePos = Event->position().toPoint();
    TFormDesigner *designer = m_surface->Designer();
    switch (drag) {
    case TDrag::Place: {
        const QMetaObject *pending = m_surface->PendingClass();
        QRect bounds = m_dragging ? dragRect(drag) : QRect(TFormSurface::Snap(m_pressPos), QSize());
        if (m_dragging &&
            (bounds.width() < TFormSurface::GridSize || bounds.height() < TFormSurface::GridSize))
            bounds.setSize(QSize()); // too small to mean a size: the class's own
        m_surface->SetPendingClass(nullptr);
        m_surface->PlaceComponent(pending, bounds);
        break;
    }
    case TDrag::Move:
        if (m_dragging)
            m_surface->commit(TFormSurface::stepText(TFormSurface::tr("Move %1"),
                                                     m_surface->SelectedComponents()));
        break;
    case TDrag::Resize:
        if (m_dragging)
            m_surface->commit(TFormSurface::stepText(TFormSurface::tr("Size %1"),
                                                     m_surface->SelectedComponents()));
        break;
    case TDrag::Band: {
        if (!designer)
            break;
        const QRect band = dragRect(drag);
        QList<QObject *> selection = m_bandBase;
        TDesignForm *form = m_surface->Form();
        for (int i = 0; form && i < form->ComponentCount(); ++i) {
            TComponent *component = form->Components(i);
            if (m_surface->ComponentRect(component).intersects(band) &&
                !selection.contains(component->Object()))
                selection << component->Object();
        }
        if (m_dragging && !selection.isEmpty())
            designer->SetSelections(selection);
        break;
    }
    case TDrag::None:
        break;
    }
    m_starts.clear();
    m_dragging = false;
    update();
    describe(m_mousePos);
}

void TSurfaceOverlay::mouseDoubleClickEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton || m_surface->PendingClass())
        return;
    m_drag = TDrag::None;
    m_starts.clear();
    if (TComponent *hit = m_surface->ComponentAt(Event->position().toPoint()))
        EditComponent(hit, m_surface->Designer());
}

void TSurfaceOverlay::contextMenuEvent(QContextMenuEvent *Event)
{
    TFormDesigner *designer = m_surface->Designer();
    if (!designer || m_drag != TDrag::None)
        return;
    TComponent *hit = m_surface->ComponentAt(Event->pos());
    if (hit && !m_surface->SelectedComponents().contains(hit))
        designer->SelectComponent(hit->Object());
    else if (!hit)
        designer->SelectComponent(m_surface->Form());
    const std::unique_ptr<QMenu> menu = m_surface->CreateContextMenu();
    menu->exec(Event->globalPos());
}

bool TSurfaceOverlay::event(QEvent *Event)
{
    if (Event->type() != QEvent::ToolTip)
        return QWidget::event(Event);
    // The whole name of an icon whose name the tile elides.
    auto *help = static_cast<QHelpEvent *>(Event);
    TComponent *hit = m_surface->ComponentAt(help->pos());
    if (hit && !hit->Object()->isWidgetType() && LabelWidth(hit->Name()) > IconLabelMaxWidth)
        QToolTip::showText(help->globalPos(), hit->Name(), this);
    else
        QToolTip::hideText();
    return true;
}

void TSurfaceOverlay::leaveEvent(QEvent *)
{
    m_surface->setStatusText(QString());
}

void TSurfaceOverlay::describe(const QPoint &Pos)
{
    if (const QMetaObject *pending = m_surface->PendingClass()) {
        setCursor(Qt::CrossCursor);
        m_surface->setStatusText(tr("Click on the form to place a %1, or drag to give it a size; "
                                    "Esc picks the arrow again.")
                                     .arg(className(pending)));
        return;
    }
    if (const int handle = handleAt(Pos); handle >= 0) {
        setCursor(HandleCursors[handle]);
        m_surface->setStatusText(tr("Drag to resize %1 (snaps to the grid).")
                                     .arg(m_surface->SelectedComponents().first()->Name()));
        return;
    }
    unsetCursor();
    if (TComponent *hit = m_surface->ComponentAt(Pos)) {
        m_surface->setStatusText(tr("%1: %2. Click to select (Ctrl+click adds), drag to move, "
                                    "double-click to edit, right-click for its commands.")
                                     .arg(hit->Name(), hit->ClassName()));
        return;
    }
    m_surface->setStatusText(tr("Click to select the form, or drag a rubber band to select "
                                "components; pick a palette entry to place one."));
}

void TSurfaceOverlay::describeDrag()
{
    const QRect rect = dragRect(m_drag);
    switch (m_drag) {
    case TDrag::Place:
        m_surface->setStatusText(tr("Release to place a %1 of %2 x %3 at %4, %5.")
                                     .arg(className(m_surface->PendingClass()))
                                     .arg(rect.width())
                                     .arg(rect.height())
                                     .arg(rect.x())
                                     .arg(rect.y()));
        break;
    case TDrag::Band:
        m_surface->setStatusText(tr("Release to select the components the rectangle touches."));
        break;
    case TDrag::Move:
        m_surface->setStatusText(tr("Release to drop the selection here; Esc puts it back."));
        break;
    case TDrag::Resize:
        m_surface->setStatusText(tr("Release to give the component this size; Esc puts it back."));
        break;
    case TDrag::None:
        break;
    }
}

// ---- keys -----------------------------------------------------------------------------------

bool TSurfaceOverlay::focusNextPrevChild(bool)
{
    return false;
}

void TSurfaceOverlay::keyPressEvent(QKeyEvent *Event)
{
    // Arrows move by the grid, with Ctrl by a pixel; Shift resizes instead of moving.
    const int step = Event->modifiers() & Qt::ControlModifier ? 1 : TFormSurface::GridSize;
    QPoint direction;
    switch (Event->key()) {
    case Qt::Key_Left:
        direction = {-1, 0};
        break;
    case Qt::Key_Right:
        direction = {1, 0};
        break;
    case Qt::Key_Up:
        direction = {0, -1};
        break;
    case Qt::Key_Down:
        direction = {0, 1};
        break;
    case Qt::Key_Delete:
        m_surface->DeleteSelection();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Taken here, so no parent moves the focus onto a control: it moves the selection.
        if (m_drag == TDrag::None)
            m_surface->SelectNext(Event->key() == Qt::Key_Tab &&
                                  !(Event->modifiers() & Qt::ShiftModifier));
        return;
    case Qt::Key_Escape:
        if (m_drag != TDrag::None)
            cancelDrag();
        else if (m_surface->PendingClass())
            m_surface->SetPendingClass(nullptr);
        else if (m_surface->Designer() && m_surface->Form())
            m_surface->Designer()->SelectComponent(m_surface->Form());
        return;
    default:
        QWidget::keyPressEvent(Event);
        return;
    }
    if (m_drag != TDrag::None)
        return;
    if (Event->modifiers() & Qt::ShiftModifier)
        m_surface->ResizeSelection(QSize(direction.x(), direction.y()) * step);
    else
        m_surface->MoveSelection(direction * step);
}
