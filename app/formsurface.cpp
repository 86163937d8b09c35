#include "formsurface.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

#include "compedit.h"
#include "formdesigner.h"
#include "formdocument.h"
#include "hostdialogs.h"
#include "hostmessages.h"
#include "surfaceoverlay.h"
#include "typinfo.h"

namespace {

// Room around the form on the desk, and the caption bar drawn above it.
constexpr int DeskMargin = 16;
constexpr int CaptionHeight = 22;
// Components on the clipboard, beside the same text as plain text.
const QString ComponentsMimeType = QStringLiteral("application/x-kor-components");
// Icons that come without a place are put in a row from here, one slot apart.
constexpr QPoint FirstIconSlot(16, 16);
constexpr int IconSlotStep = 80;

// The handles the form is resized by, on its right and bottom edges.
constexpr int FormHandles[] = {TSurfaceOverlay::hRight, TSurfaceOverlay::hBottomRight,
                               TSurfaceOverlay::hBottom};

// The dark desk the form lies on, with the form's caption bar above it and the handles that
// resize the form beside its right and bottom edges.
class TDesk : public QWidget {
public:
    explicit TDesk(TFormSurface *Surface) : m_surface(Surface)
    {
        setBackgroundRole(QPalette::Dark);
        setAutoFillBackground(true);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        TDesignForm *form = m_surface->Form();
        if (!form)
            return;
        QPainter painter(this);
        const QRect bar(form->x(), form->y() - CaptionHeight, form->width(), CaptionHeight);
        painter.fillRect(bar, palette().color(QPalette::Active, QPalette::Highlight));
        painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         form->Caption());
        const bool selected =
            m_surface->Designer() && m_surface->Designer()->GetSelections().contains(form);
        painter.setPen(palette().color(QPalette::Base));
        painter.setBrush(selected ? palette().color(QPalette::Active, QPalette::Highlight)
                                  : palette().color(QPalette::Mid));
        for (int handle : FormHandles)
            painter.drawRect(m_surface->FormHandleRect(handle).adjusted(0, 0, -1, -1));
    }

    void mousePressEvent(QMouseEvent *Event) override
    {
        TDesignForm *form = m_surface->Form();
        m_handle =
            form && Event->button() == Qt::LeftButton ? handleAt(Event->position().toPoint()) : -1;
        if (m_handle < 0)
            return;
        m_pressPos = Event->position().toPoint();
        m_startSize = form->size();
    }

    void mouseMoveEvent(QMouseEvent *Event) override
    {
        const QPoint pos = Event->position().toPoint();
        TDesignForm *form = m_surface->Form();
        if (m_handle < 0 || !form || !(Event->buttons() & Qt::LeftButton)) {
            const int handle = handleAt(pos);
            if (handle < 0)
                unsetCursor();
            else
                setCursor(handle == TSurfaceOverlay::hRight    ? Qt::SizeHorCursor
                          : handle == TSurfaceOverlay::hBottom ? Qt::SizeVerCursor
                                                               : Qt::SizeFDiagCursor);
            return;
        }
        form->resize(draggedSize(pos));
        update();
    }

    void mouseReleaseEvent(QMouseEvent *Event) override
    {
        if (Event->button() != Qt::LeftButton || m_handle < 0)
            return;
        const QSize size = draggedSize(Event->position().toPoint());
        m_handle = -1;
        if (m_surface->Form() && size != m_startSize)
            m_surface->ResizeForm(size); // one step from the size before the drag
        update();
    }

private:
    int handleAt(const QPoint &Pos) const
    {
        if (!m_surface->Form())
            return -1;
        for (int handle : FormHandles)
            if (m_surface->FormHandleRect(handle).adjusted(-1, -1, 1, 1).contains(Pos))
                return handle;
        return -1;
    }

    // The form's size while its handle is dragged to Pos: the moved edges on the grid.
    QSize draggedSize(const QPoint &Pos) const
    {
        const QPoint delta = Pos - m_pressPos;
        QSize size = m_startSize;
        if (m_handle != TSurfaceOverlay::hBottom)
            size.setWidth(TFormSurface::Snap({m_startSize.width() + delta.x(), 0}).x());
        if (m_handle != TSurfaceOverlay::hRight)
            size.setHeight(TFormSurface::Snap({0, m_startSize.height() + delta.y()}).y());
        return size.expandedTo(QSize(TFormSurface::GridSize, TFormSurface::GridSize));
    }

    TFormSurface *m_surface;
    int m_handle = -1;
    QPoint m_pressPos;
    QSize m_startSize;
};

QWidget *controlOf(TComponent *Component)
{
    return Component ? qobject_cast<QWidget *>(Component->Object()) : nullptr;
}

const QString TabOrderProperty = QStringLiteral("TabOrder");

// A control's published TabOrder; controls without one come after those with one.
int tabOrderOf(TComponent *Component)
{
    QObject *object = Component->Object();
    const PPropInfo info = GetPropInfo(object, TabOrderProperty);
    return info && info->IsOrdinal() ? GetOrdProp(object, info) : INT_MAX;
}

QString arrangeText(const char *Text)
{
    return QCoreApplication::translate("TArrange", Text);
}

} // namespace

TFormSurface::TFormSurface(TFormDocument *Document, QWidget *parent)
    : QWidget(parent), m_document(Document)
{
    setObjectName(QStringLiteral("FormSurface"));
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_desk = new TDesk(this);
    m_scroll->setWidget(m_desk);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    m_overlay = new TSurfaceOverlay(this, m_desk);
    setFocusProxy(m_overlay);
    buildActions();
    RegisterDesignNotification(this);
    connect(m_document, &TFormDocument::DesignerReplaced, this, [this] { attachForm(); });
    attachForm();
}

TFormSurface::~TFormSurface()
{
    UnregisterDesignNotification(this);
    // The form belongs to its designer: leave it to the designer rather than to the desk.
    if (m_form) {
        m_form->removeEventFilter(this);
        m_form->hide();
        m_form->setParent(nullptr);
    }
}

void TFormSurface::attachForm()
{
    TDesignForm *form = Designer() ? Designer()->Form() : nullptr;
    if (m_form == form)
        return;
    if (m_form)
        m_form->removeEventFilter(this);
    m_form = form;
    SetLocked(false); // a lock is for the form it was set on
    if (form) {
        form->setParent(m_desk);
        form->move(DeskMargin, DeskMargin + CaptionHeight);
        form->setBackgroundRole(QPalette::Window);
        form->setAutoFillBackground(true);
        form->installEventFilter(this);
        form->show();
        for (int i = 0; i < form->ComponentCount(); ++i)
            ItemInserted(Designer(), form->Components(i)->Object());
    }
    fitDesk();
    refreshActions();
    m_overlay->update();
    m_desk->update();
}

void TFormSurface::fitDesk()
{
    if (!m_form) {
        m_overlay->hide();
        return;
    }
    const QRect form = m_form->geometry();
    m_desk->resize(form.right() + 1 + DeskMargin, form.bottom() + 1 + DeskMargin);
    m_overlay->setGeometry(m_form->geometry());
    m_overlay->show();
    m_overlay->raise();
}

bool TFormSurface::eventFilter(QObject *Watched, QEvent *Event)
{
    // The event type first: a form being destroyed still sends events, and is no longer a
    // TDesignForm by then.
    if ((Event->type() == QEvent::Resize || Event->type() == QEvent::Move) && Watched == m_form)
        fitDesk();
    return QWidget::eventFilter(Watched, Event);
}

void TFormSurface::SetPendingClass(const QMetaObject *Class)
{
    if (m_pendingClass == Class)
        return;
    m_pendingClass = Class;
    emit PendingClassChanged(Class);
    m_overlay->setCursor(Class ? Qt::CrossCursor : Qt::ArrowCursor);
}

const QMetaObject *TFormSurface::PendingClass() const
{
    return m_pendingClass;
}

QPoint TFormSurface::Snap(const QPoint &Point)
{
    const auto snap = [](int value) {
        return int(std::floor(double(value) / GridSize + 0.5)) * GridSize;
    };
    return {snap(Point.x()), snap(Point.y())};
}

TFormDesigner *TFormSurface::Designer() const
{
    return m_document->Designer();
}

TDesignForm *TFormSurface::Form() const
{
    return m_form.data();
}

QWidget *TFormSurface::Overlay() const
{
    return m_overlay;
}

QList<TComponent *> TFormSurface::SelectedComponents() const
{
    QList<TComponent *> components;
    if (!m_form || !Designer())
        return components;
    for (QObject *object : Designer()->GetSelections()) {
        TComponent *component = AsComponent(object);
        if (component && component != m_form && component->Owner() == m_form.data())
            components << component;
    }
    return components;
}

QRect TFormSurface::ComponentRect(TComponent *Component) const
{
    if (!Component || !Component->Object())
        return {};
    if (QWidget *control = controlOf(Component))
        return control->geometry();
    return m_overlay->IconRect(Component->Object()->property("DesignPosition").toPoint(),
                               Component->Name());
}

void TFormSurface::setComponentRect(TComponent *Component, const QRect &Rect)
{
    if (QWidget *control = controlOf(Component)) {
        control->setGeometry(Rect);
    } else if (QObject *object = Component->Object()) {
        // An icon is moved by its box, whatever the width of the name under it.
        const QPoint shift = Rect.topLeft() - ComponentRect(Component).topLeft();
        object->setProperty("DesignPosition", object->property("DesignPosition").toPoint() + shift);
    }
    m_overlay->update();
}

TComponent *TFormSurface::ComponentAt(const QPoint &Pos) const
{
    if (!m_form)
        return nullptr;
    // Icons lie above the controls; among each, the last placed is on top.
    for (int i = m_form->ComponentCount() - 1; i >= 0; --i) {
        TComponent *component = m_form->Components(i);
        if (!controlOf(component) && ComponentRect(component).contains(Pos))
            return component;
    }
    const QObjectList children = m_form->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto *widget = qobject_cast<QWidget *>(*it);
        TComponent *component = widget ? AsComponent(widget) : nullptr;
        if (component && component->Owner() == m_form.data() && widget->isVisible() &&
            widget->geometry().contains(Pos))
            return component;
    }
    return nullptr;
}

void TFormSurface::commit(const QString &Text)
{
    commit(Text, SelectedComponents());
}

void TFormSurface::commit(const QString &Text, const QList<TComponent *> &Touched)
{
    QList<QObject *> objects;
    for (TComponent *component : Touched)
        objects.append(component->Object());
    m_document->CommitChange(Text, objects);
    m_overlay->update();
}

QString TFormSurface::stepText(const QString &Pattern, const QList<TComponent *> &Components)
{
    QStringList names;
    for (const TComponent *component : Components)
        names.append(component->Name());
    return Pattern.arg(names.size() <= 3 ? names.join(QStringLiteral(", "))
                                         : tr("%n components", nullptr, int(names.size())));
}

void TFormSurface::ResizeForm(const QSize &Size)
{
    if (!m_form || !Designer())
        return;
    m_form->resize(Size.expandedTo(QSize(1, 1)));
    commit(tr("Size %1").arg(m_form->Name()), {m_form.data()});
    m_desk->update();
}

QRect TFormSurface::FormHandleRect(int Handle) const
{
    if (!m_form)
        return {};
    // Centred a little outside the edges, so the overlay over the form does not cover them.
    constexpr int Out = TSurfaceOverlay::HandleSize / 2 + 1;
    return TSurfaceOverlay::HandleRect(m_form->geometry().adjusted(0, 0, Out, Out), Handle);
}

QWidget *TFormSurface::Desk() const
{
    return m_desk;
}

QRect TFormSurface::FitInForm(const QRect &Rect) const
{
    if (!m_form)
        return Rect;
    const QSize room = m_form->size();
    const QSize size = Rect.size().boundedTo(room);
    const int x = qBound(0, Rect.x(), room.width() - size.width());
    const int y = qBound(0, Rect.y(), room.height() - size.height());
    return {QPoint(x, y), size};
}

void TFormSurface::setStatusText(const QString &Text)
{
    if (m_statusText == Text)
        return;
    m_statusText = Text;
    emit StatusTextChanged(Text);
}

QString TFormSurface::StatusText() const
{
    return m_statusText;
}

TComponent *TFormSurface::PlaceComponent(const QMetaObject *Class, const QRect &Bounds)
{
    TFormDesigner *designer = Designer();
    if (!Class || !designer || !m_form)
        return nullptr;
    try {
        TComponent *component = designer->CreateComponent(Class);
        if (QWidget *control = controlOf(component)) {
            if (control->parent() != m_form)
                control->setParent(m_form);
            QSize size = Bounds.size();
            if (size.isEmpty()) {
                // The class's own size when it set one, else what the control asks for.
                size =
                    control->testAttribute(Qt::WA_Resized) ? control->size() : control->sizeHint();
                if (!size.isValid() || size.isEmpty())
                    size = QSize(96, 24);
            }
            control->setGeometry(FitInForm(QRect(Bounds.topLeft(), size)));
            control->show();
        } else {
            const QRect box = m_overlay->IconBox(Bounds.topLeft());
            component->Object()->setProperty("DesignPosition", FitInForm(box).topLeft());
        }
        commit(tr("Place %1").arg(component->Name()), {component});
        designer->SelectComponent(component->Object());
        return component;
    } catch (...) {
        HandleHostException();
        return nullptr;
    }
}

void TFormSurface::MoveSelection(const QPoint &Delta)
{
    const QList<TComponent *> selected = SelectedComponents();
    if (selected.isEmpty() || Delta.isNull() || m_locked)
        return;
    for (TComponent *component : selected)
        setComponentRect(component, ComponentRect(component).translated(Delta));
    commit(stepText(tr("Move %1"), selected), selected);
}

void TFormSurface::ResizeSelection(const QSize &Delta)
{
    if (m_locked)
        return;
    QList<TComponent *> resized;
    for (TComponent *component : SelectedComponents())
        if (QWidget *control = controlOf(component)) {
            const QSize size = (control->size() + Delta).expandedTo(QSize(1, 1));
            setComponentRect(component, QRect(control->pos(), size));
            resized.append(component);
        }
    if (!resized.isEmpty())
        commit(stepText(tr("Size %1"), resized), resized);
}

void TFormSurface::DeleteSelection()
{
    deleteSelection(tr("Delete %1"));
}

void TFormSurface::deleteSelection(const QString &StepPattern)
{
    const QList<TComponent *> selected = SelectedComponents();
    if (selected.isEmpty())
        return;
    const QString stepName = stepText(StepPattern, selected);
    QList<QPointer<QObject>> objects;
    for (TComponent *component : selected)
        objects << component->Object();
    for (const QPointer<QObject> &object : std::as_const(objects)) {
        // Deleting one component may take another with it.
        if (!object)
            continue;
        try {
            Designer()->DeleteComponent(AsComponent(object));
        } catch (...) {
            HandleHostException();
        }
    }
    commit(stepName, {}); // those that went are found by comparing
    if (m_form)
        Designer()->SelectComponent(m_form);
}

void TFormSurface::CopySelection()
{
    const QList<TComponent *> selected = SelectedComponents();
    if (selected.isEmpty())
        return;
    try {
        const QByteArray text = m_document->CopyComponents(selected);
        auto *data = new QMimeData;
        data->setData(ComponentsMimeType, text);
        data->setText(QString::fromUtf8(text));
        QGuiApplication::clipboard()->setMimeData(data);
    } catch (...) {
        HandleHostException();
    }
}

void TFormSurface::CutSelection()
{
    CopySelection();
    deleteSelection(tr("Cut %1"));
}

void TFormSurface::Paste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !Designer())
        return;
    const QByteArray text = data->hasFormat(ComponentsMimeType) ? data->data(ComponentsMimeType)
                                                                : data->text().toUtf8();
    if (text.trimmed().isEmpty())
        return;
    try {
        m_document->FlushPendingChange();
        QList<TComponent *> components;
        try {
            components = PasteComponentsText(Designer(), text, QPoint());
        } catch (...) {
            // Whatever was placed before the failure is kept as one step, so it can be undone.
            m_document->RecordChange(tr("Paste"), {}); // the placed ones were announced
            throw;
        }
        // Owned components (a data set's fields) have no place on the form of their own.
        QList<TComponent *> placed;
        for (TComponent *component : std::as_const(components))
            if (component->Owner() == m_form.data())
                placed << component;
        landOnFreeSpace(placed);
        QList<QObject *> objects;
        for (TComponent *component : std::as_const(components))
            objects << component->Object();
        m_document->RecordChange(tr("Paste"), objects);
        QList<QObject *> pasted;
        for (TComponent *component : std::as_const(components)) {
            if (QWidget *control = controlOf(component))
                control->show();
            pasted << component->Object();
        }
        if (!pasted.isEmpty())
            Designer()->SetSelections(pasted);
        m_overlay->update();
    } catch (...) {
        HandleHostException();
    }
}

void TFormSurface::landOnFreeSpace(const QList<TComponent *> &Components)
{
    if (Components.isEmpty() || !m_form)
        return;
    QRect group;
    for (TComponent *component : Components)
        group |= ComponentRect(component);
    // Others keep a grid step of room around them.
    QList<QRect> taken;
    for (int i = 0; i < m_form->ComponentCount(); ++i)
        if (TComponent *other = m_form->Components(i); !Components.contains(other))
            taken << ComponentRect(other).adjusted(-GridSize, -GridSize, GridSize, GridSize);
    const auto free = [&taken](const QRect &Rect) {
        return std::none_of(taken.cbegin(), taken.cend(),
                            [&Rect](const QRect &other) { return other.intersects(Rect); });
    };
    if (free(group))
        return;
    // The nearest free place, a whole number of grid steps away, so what was on the grid stays.
    const QSize room = m_form->size();
    const auto first = [](int Start) { return ((Start % GridSize) + GridSize) % GridSize; };
    QPoint best(GridSize, GridSize);
    qint64 bestDistance = -1;
    for (int y = first(group.y()); y + group.height() <= room.height(); y += GridSize)
        for (int x = first(group.x()); x + group.width() <= room.width(); x += GridSize) {
            const QPoint offset = QPoint(x, y) - group.topLeft();
            const qint64 distance =
                qint64(offset.x()) * offset.x() + qint64(offset.y()) * offset.y();
            if ((bestDistance < 0 || distance < bestDistance) && free(group.translated(offset))) {
                best = offset;
                bestDistance = distance;
            }
        }
    // A form with no free room: one grid step down and right of where they were.
    for (TComponent *component : Components)
        setComponentRect(component, ComponentRect(component).translated(best));
}

void TFormSurface::SelectAll()
{
    if (!m_form || !Designer())
        return;
    QList<QObject *> all;
    for (int i = 0; i < m_form->ComponentCount(); ++i)
        all << m_form->Components(i)->Object();
    Designer()->SetSelections(all);
}

void TFormSurface::SelectNext(bool Forward)
{
    if (!m_form || !Designer() || m_form->ComponentCount() == 0)
        return;
    const int count = m_form->ComponentCount();
    const QList<TComponent *> selected = SelectedComponents();
    const int index =
        selected.isEmpty()
            ? (Forward ? 0 : count - 1)
            : (selected.first()->ComponentIndex() + (Forward ? 1 : count - 1)) % count;
    try {
        Designer()->SelectComponent(m_form->Components(index)->Object());
    } catch (...) {
        HandleHostException();
    }
}

// ---- arranging ------------------------------------------------------------------------------

QList<TComponent *> TFormSurface::selectedControls() const
{
    QList<TComponent *> controls = SelectedComponents();
    controls.removeIf([](TComponent *component) { return !controlOf(component); });
    return controls;
}

bool TFormSurface::CanArrange(TArrange Kind) const
{
    const TArrangeCommand &command = ArrangeCommand(Kind);
    if (command.Geometry)
        return !m_locked && selectedControls().size() >= command.MinSelected;
    return SelectedComponents().size() >= command.MinSelected;
}

void TFormSurface::Arrange(TArrange Kind)
{
    if (!CanArrange(Kind))
        return;
    const TArrangeCommand &command = ArrangeCommand(Kind);
    try {
        if (command.Geometry) {
            const QList<TComponent *> controls = selectedControls();
            QList<QRect> rects;
            for (TComponent *component : controls)
                rects << ComponentRect(component);
            const QList<QRect> arranged = ArrangedRects(Kind, rects);
            for (qsizetype i = 0; i < controls.size(); ++i)
                if (arranged.at(i) != rects.at(i))
                    setComponentRect(controls.at(i), arranged.at(i));
        } else {
            // The form's order is the stacking order: the last lies on top, in the form file too.
            QList<TComponent *> selected = SelectedComponents();
            std::sort(selected.begin(), selected.end(), [](TComponent *a, TComponent *b) {
                return a->ComponentIndex() < b->ComponentIndex();
            });
            const bool front = Kind == TArrange::BringToFront;
            if (!front)
                std::reverse(selected.begin(), selected.end());
            for (TComponent *component : std::as_const(selected)) {
                component->SetComponentIndex(front ? m_form->ComponentCount() - 1 : 0);
                if (QWidget *control = controlOf(component))
                    front ? control->raise() : control->lower();
            }
        }
    } catch (...) {
        HandleHostException();
    }
    // What was done before a failure is still one step.
    commit(arrangeText(command.StepName));
}

QAction *TFormSurface::ArrangeAction(TArrange Kind) const
{
    const QList<TArrangeCommand> &commands = ArrangeCommands();
    for (qsizetype i = 0; i < commands.size(); ++i)
        if (commands.at(i).Kind == Kind)
            return m_arrangeActions.at(i);
    return nullptr;
}

QList<QAction *> TFormSurface::ArrangeActions() const
{
    return m_arrangeMenu;
}

void TFormSurface::SetLocked(bool Locked)
{
    m_locked = Locked;
    if (m_lockAction)
        m_lockAction->setChecked(Locked);
    refreshActions();
    m_overlay->update();
}

void TFormSurface::buildActions()
{
    for (const TArrangeCommand &command : ArrangeCommands()) {
        auto *action = new QAction(ArrangeIcon(command.Kind), arrangeText(command.Text), this);
        action->setToolTip(arrangeText(command.StepName));
        action->setObjectName(QString::fromLatin1(command.StepName).remove(QLatin1Char(' ')));
        connect(action, &QAction::triggered, this, [this, kind = command.Kind] { Arrange(kind); });
        m_arrangeActions << action;
        m_arrangeMenu << action;
        if (command.GroupEnd) {
            auto *separator = new QAction(this);
            separator->setSeparator(true);
            m_arrangeMenu << separator;
        }
    }
    m_lockAction = new QAction(tr("&Lock Components"), this);
    m_lockAction->setCheckable(true);
    m_lockAction->setToolTip(tr("Keep the components where they are"));
    connect(m_lockAction, &QAction::toggled, this, &TFormSurface::SetLocked);
    m_tabOrderAction = new QAction(tr("Ta&b Order..."), this);
    connect(m_tabOrderAction, &QAction::triggered, this, &TFormSurface::EditTabOrder);
}

void TFormSurface::refreshActions()
{
    const QList<TArrangeCommand> &commands = ArrangeCommands();
    for (qsizetype i = 0; i < commands.size(); ++i)
        m_arrangeActions.at(i)->setEnabled(CanArrange(commands.at(i).Kind));
    if (m_tabOrderAction)
        m_tabOrderAction->setEnabled(TabOrderControls().size() >= 2);
}

// ---- tab order ------------------------------------------------------------------------------

QList<TComponent *> TFormSurface::TabOrderControls() const
{
    QList<TComponent *> controls;
    if (!m_form)
        return controls;
    for (int i = 0; i < m_form->ComponentCount(); ++i)
        if (TComponent *component = m_form->Components(i);
            controlOf(component) && controlOf(component)->parentWidget() == m_form.data())
            controls << component;
    std::stable_sort(controls.begin(), controls.end(),
                     [](TComponent *a, TComponent *b) { return tabOrderOf(a) < tabOrderOf(b); });
    return controls;
}

void TFormSurface::EditTabOrder()
{
    const QList<TComponent *> controls = TabOrderControls();
    if (controls.size() < 2 || !Designer())
        return;
    QStringList names;
    for (TComponent *component : controls)
        names << component->Name();
    try {
        if (!HostDialogs().EditTabOrder(window(), names))
            return;
        int order = 0;
        for (const QString &name : std::as_const(names)) {
            TComponent *component = Designer()->GetComponent(name);
            if (!component || !controls.contains(component))
                continue;
            QObject *object = component->Object();
            // Controls without a TabOrder of their own keep their place in the form's order.
            if (const PPropInfo info = GetPropInfo(object, TabOrderProperty);
                info && info->IsOrdinal())
                SetOrdProp(object, info, order++);
        }
        commit(tr("Tab Order"), controls);
    } catch (...) {
        HandleHostException();
    }
}

std::unique_ptr<QMenu> TFormSurface::CreateContextMenu()
{
    auto menu = std::make_unique<QMenu>();
    const QList<TComponent *> selected = SelectedComponents();
    if (selected.size() == 1) {
        try {
            // The verbs run on the editor, so the menu keeps it.
            std::unique_ptr<TDefaultEditor> editor =
                GetComponentEditor(selected.first(), Designer());
            TDefaultEditor *verbs = editor.get();
            editor.release()->setParent(menu.get());
            if (AddComponentVerbs(menu.get(), verbs) > 0)
                menu->addSeparator();
        } catch (...) {
            HandleHostException();
        }
    }
    const bool any = !selected.isEmpty();
    menu->addAction(tr("Cu&t"), this, &TFormSurface::CutSelection)->setEnabled(any);
    menu->addAction(tr("&Copy"), this, &TFormSurface::CopySelection)->setEnabled(any);
    menu->addAction(tr("&Paste"), this, &TFormSurface::Paste);
    menu->addAction(tr("&Delete"), this, &TFormSurface::DeleteSelection)->setEnabled(any);
    menu->addSeparator();
    refreshActions();
    QMenu *arrange = menu->addMenu(tr("&Arrange"));
    arrange->addActions(m_arrangeMenu);
    menu->addAction(m_tabOrderAction);
    menu->addAction(m_lockAction);
    return menu;
}

// ---- design notifications -------------------------------------------------------------------

void TFormSurface::ItemDeleted(IDesigner *ADesigner, QObject *Item)
{
    if (ADesigner != Designer())
        return;
    m_overlay->Forget(Item);
    m_overlay->update();
}

void TFormSurface::ItemInserted(IDesigner *ADesigner, QObject *Item)
{
    if (ADesigner != Designer() || !m_form || !Item)
        return;
    if (auto *control = qobject_cast<QWidget *>(Item)) {
        if (control->parentWidget() == m_form)
            control->show();
    } else if (!Item->property("DesignPosition").isValid()) {
        // An icon without a place takes the first free slot of a row along the top.
        QPoint slot = FirstIconSlot;
        const auto taken = [this, Item](const QPoint &at) {
            const QRect box = m_overlay->IconBox(at);
            for (int i = 0; i < m_form->ComponentCount(); ++i) {
                TComponent *other = m_form->Components(i);
                if (other->Object() != Item && ComponentRect(other).intersects(box))
                    return true;
            }
            return false;
        };
        while (taken(slot) && slot.x() < 4000)
            slot.rx() += IconSlotStep;
        Item->setProperty("DesignPosition", slot);
    }
    refreshActions();
    m_overlay->update();
}

void TFormSurface::ItemsModified(IDesigner *ADesigner)
{
    if (ADesigner == Designer()) {
        refreshActions();
        m_overlay->update();
        m_desk->update(); // the caption shows the form's name
    }
}

void TFormSurface::SelectionChanged(IDesigner *ADesigner, const QList<QObject *> &)
{
    if (ADesigner == Designer()) {
        refreshActions();
        m_overlay->update();
        m_desk->update(); // the form's handles show whether it is selected
    }
}

void TFormSurface::DesignerClosed(IDesigner *ADesigner, bool)
{
    if (ADesigner == Designer() || !m_form)
        m_overlay->update();
}
