#include "controldrag.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "hostmessages.h"

namespace {

struct TDragTarget {
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
};

QHash<QWidget *, TDragTarget> &targets()
{
    static QHash<QWidget *, TDragTarget> map;
    return map;
}

// The registered control at or above Widget, or null.
QWidget *targetFor(QWidget *Widget)
{
    for (QWidget *w = Widget; w; w = w->parentWidget())
        if (targets().contains(w))
            return w;
    return nullptr;
}

class TDragTracker : public QObject {
public:
    using QObject::QObject;

    void begin(QWidget *control, bool immediate, int threshold, const QPoint &origin)
    {
        end();
        m_source = control;
        m_start = m_last = origin;
        m_threshold = threshold < 0 ? QApplication::startDragDistance() : threshold;
        m_pending = true;
        qApp->installEventFilter(this);
        if (immediate)
            start();
    }

    bool dragging() const { return m_started; }

    void end()
    {
        if (m_pending)
            qApp->removeEventFilter(this);
        if (m_started)
            QGuiApplication::restoreOverrideCursor();
        m_pending = m_started = m_accepted = false;
        m_source = nullptr;
        m_target = nullptr;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            if (!m_source) {
                end();
                return false;
            }
            if (!m_started) {
                if ((global - m_start).manhattanLength() < m_threshold)
                    return false;
                start();
            }
            move(global);
            return false;
        }
        case QEvent::MouseButtonRelease: {
            if (!m_started) {
                end();
                return false;
            }
            const QPoint global = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            move(global);
            drop(global);
            return true;
        }
        case QEvent::KeyPress:
            if (m_started && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
                leave();
                end();
                return true;
            }
            return false;
        case QEvent::ApplicationDeactivate:
            leave();
            end();
            return false;
        default:
            return false;
        }
    }

private:
    void start()
    {
        m_started = true;
        QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
    }

    // Finds the control under the mouse and asks it whether it takes the drop.
    void move(const QPoint &global)
    {
        m_last = global;
        QWidget *target = targetFor(QApplication::widgetAt(global));
        if (target != m_target) {
            leave();
            m_target = target;
            m_accepted = ask(global, dsDragEnter);
        } else if (m_target) {
            m_accepted = ask(global, dsDragMove);
        }
        QGuiApplication::changeOverrideCursor(m_accepted ? Qt::DragMoveCursor
                                                         : Qt::ForbiddenCursor);
    }

    bool ask(const QPoint &global, TDragState state)
    {
        if (!m_target)
            return false;
        const TDragTarget handlers = targets().value(m_target);
        if (!handlers.OnDragOver)
            return false;
        const QPoint local = m_target->mapFromGlobal(global);
        bool accept = true;
        try {
            handlers.OnDragOver(m_target, m_source, local.x(), local.y(), state, accept);
        } catch (...) {
            HandleHostException();
            return false;
        }
        return accept;
    }

    void leave()
    {
        if (m_target && m_source)
            ask(m_last, dsDragLeave);
        m_target = nullptr;
        m_accepted = false;
    }

    void drop(const QPoint &global)
    {
        QPointer<QWidget> target = m_target;
        QPointer<QWidget> source = m_source;
        const bool accepted = m_accepted;
        end();
        if (!accepted || !target || !source)
            return;
        const TDragDropEvent onDrop = targets().value(target).OnDragDrop;
        if (!onDrop)
            return;
        const QPoint local = target->mapFromGlobal(global);
        try {
            onDrop(target, source, local.x(), local.y());
        } catch (...) {
            HandleHostException();
        }
    }

    QPointer<QWidget> m_source;
    QPointer<QWidget> m_target;
    QPoint m_start;
    QPoint m_last;
    int m_threshold = 0;
    bool m_pending = false;
    bool m_started = false;
    bool m_accepted = false;
};

QPointer<TDragTracker> tracker;

TDragTracker *ensureTracker()
{
    if (!tracker && qApp)
        tracker = new TDragTracker(qApp);
    return tracker;
}

} // namespace

void SetDragTarget(QWidget *Control, TDragOverEvent OnDragOver, TDragDropEvent OnDragDrop)
{
    if (!Control)
        return;
    if (!OnDragOver && !OnDragDrop) {
        targets().remove(Control);
        return;
    }
    if (!targets().contains(Control))
        QObject::connect(Control, &QObject::destroyed, [Control] { targets().remove(Control); });
    targets().insert(Control, TDragTarget{std::move(OnDragOver), std::move(OnDragDrop)});
}

void BeginDrag(QWidget *Control, bool Immediate, int Threshold, std::optional<QPoint> Origin)
{
    if (!Control)
        return;
    if (TDragTracker *t = ensureTracker())
        t->begin(Control, Immediate, Threshold, Origin.value_or(QCursor::pos()));
}

bool Dragging()
{
    return tracker && tracker->dragging();
}

void CancelDrag()
{
    if (tracker)
        tracker->end();
}
