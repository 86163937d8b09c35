#include "propertyrowdelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

#include "hostdialogs.h"
#include "hostmessages.h"
#include "persistent.h"
#include "propertyrowmodel.h"
#include "propertyvaluelist.h"
#include "typinfo.h"

namespace {

TPropertyAttributes attributesOf(const QModelIndex &Index)
{
    return TPropertyAttributes(Index.data(TInspectorModel::AttributesRole).toInt());
}

TPropertyEditor *editorOf(const QModelIndex &Index)
{
    return static_cast<TPropertyEditor *>(Index.data(TInspectorModel::EditorRole).value<void *>());
}

// A plain text that may be long (a statement, a list): edited over several lines as well.
bool isPlainText(const QModelIndex &Index)
{
    TPropertyEditor *editor = editorOf(Index);
    return editor && editor->metaObject() == &TStringProperty::staticMetaObject &&
           !(attributesOf(Index) & (paDialog | paValueList | paReadOnly));
}

QColor gridLineColor(const QPalette &Palette)
{
    return Palette.color(QPalette::Mid);
}

// The width of the picture (swatch, image) at the left of a value cell: what the editor paints
// apart from the text, or the square swatch a colour editor draws before its text.
int pictureWidth(TPropertyEditor *Editor, const QRect &Rect)
{
    if (!Editor)
        return 0;
    try {
        const QRect painted = Editor->PropDrawValueRect(Rect);
        if (painted != Rect)
            return qBound(0, painted.width(), Rect.width());
        if (qobject_cast<TColorProperty *>(Editor) && !Editor->GetVisualValue().isEmpty())
            return Rect.height();
    } catch (...) {
    }
    return 0;
}

// What a colour row holding clDefault shows: the colour its component uses there. An editor
// that knows its component's defaults answers; otherwise the property takes the colour of the
// object it belongs to, as the parts of a control take their control's colour: the nearest
// object, from the edited one up through its owners, whose own Color holds a colour. clDefault
// when the row holds another value, or several.
TColor usedDefaultColor(TPropertyEditor *Editor)
{
    auto *colour = qobject_cast<TColorProperty *>(Editor);
    if (!colour || colour->GetVisualValue().isEmpty() || colour->GetOrdValue() != clDefault)
        return clDefault;
    const TColor known = colour->GetDefaultColor();
    if (known != clDefault && known != clNone)
        return known;
    QObject *edited = colour->GetComponent(0);
    const bool editsColor = colour->GetName() == QLatin1String("Color");
    for (QObject *object = edited; object;) {
        const PPropInfo info = GetPropInfo(object, QStringLiteral("Color"));
        if (info && info->TypeName == QLatin1String("TColor") &&
            !(object == edited && editsColor)) {
            const TColor color = GetOrdProp(object, info);
            if (color != clDefault && color != clNone)
                return color;
        }
        const TPersistent *persistent = AsPersistent(object);
        TPersistent *owner = persistent ? persistent->GetOwner() : nullptr;
        object = owner ? owner->Object() : nullptr;
    }
    return clWindow;
}

} // namespace

// ---- TInspectorValueEdit ----------------------------------------------------------------------

TInspectorValueEdit::TInspectorValueEdit(TInspectorModel *Model, const QModelIndex &Index,
                                         QWidget *Parent)
    : QWidget(Parent), m_model(Model), m_index(Index), m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("ValueEdit"));
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit->setFrame(false);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    const TPropertyAttributes attributes = attributesOf(Index);
    m_edit->setReadOnly(attributes & paReadOnly);
    if (attributes & paValueList) {
        m_dropDown = new QToolButton(this);
        m_dropDown->setObjectName(QStringLiteral("DropDownButton"));
        m_dropDown->setArrowType(Qt::DownArrow);
        m_dropDown->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(m_dropDown);
        connect(m_dropDown, &QToolButton::clicked, this, [this] { OpenValueList(); });
    }
    // The dialog's button stands beside a value list as well.
    if (attributes & paDialog) {
        m_ellipsis = new QToolButton(this);
        m_ellipsis->setObjectName(QStringLiteral("EllipsisButton"));
        m_ellipsis->setText(QStringLiteral("..."));
        m_ellipsis->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(m_ellipsis);
        connect(m_ellipsis, &QToolButton::clicked, this, &TInspectorValueEdit::RunDialog);
    } else if (isPlainText(Index)) {
        m_ellipsis = new QToolButton(this);
        m_ellipsis->setObjectName(QStringLiteral("EllipsisButton"));
        m_ellipsis->setText(QStringLiteral("..."));
        m_ellipsis->setToolTip(tr("Edit the text over several lines"));
        m_ellipsis->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(m_ellipsis);
        connect(m_ellipsis, &QToolButton::clicked, this, &TInspectorValueEdit::EditLongText);
    }
    connect(m_edit, &QLineEdit::textEdited, this, [this, attributes] {
        m_modified = true;
        if (attributes & paAutoUpdate)
            CommitText();
    });
    connect(m_edit, &QLineEdit::returnPressed, this, &TInspectorValueEdit::CommitText);
    m_edit->installEventFilter(this);
}

void TInspectorValueEdit::LoadValue()
{
    QFont bold = m_edit->font();
    bold.setBold(!m_index.data(TInspectorModel::IsDefaultRole).toBool());
    m_edit->setFont(bold);
    m_edit->setText(m_index.data(Qt::EditRole).toString());
    m_edit->selectAll();
    m_modified = false;
}

void TInspectorValueEdit::CommitText()
{
    if (!m_modified || !m_model || !m_index.isValid())
        return;
    m_modified = false;
    QPointer<TInspectorValueEdit> self(this);
    m_model->Commit(m_index, m_edit->text());
    if (self && m_index.isValid())
        LoadValue(); // the value written, or the old one again after an error
}

TInspectorValueList *TInspectorValueEdit::OpenValueList()
{
    TPropertyEditor *editor = m_model ? m_model->EditorAt(m_index) : nullptr;
    if (!editor)
        return nullptr;
    QPointer<TInspectorValueEdit> self(this);
    CommitText();
    if (!self || !m_index.isValid())
        return nullptr;
    auto *list = new TInspectorValueList(editor, font(), this);
    list->Load(m_edit->text());
    list->OnChoose = [self](const QString &Value) {
        if (!self)
            return;
        self->m_edit->setText(Value);
        self->m_modified = true;
        self->CommitText();
    };
    list->Popup(this);
    return list;
}

void TInspectorValueEdit::RunDialog()
{
    if (!m_model)
        return;
    CommitText();
    QPointer<TInspectorValueEdit> self(this);
    if (m_model && m_index.isValid())
        m_model->Edit(m_index);
    if (self && m_index.isValid())
        LoadValue();
}

void TInspectorValueEdit::EditLongText()
{
    TPropertyEditor *editor = m_model ? m_model->EditorAt(m_index) : nullptr;
    if (!editor)
        return;
    QPointer<TInspectorValueEdit> self(this);
    CommitText();
    if (!self || !m_model || !m_index.isValid())
        return;
    QString text;
    QString caption;
    try {
        text = editor->GetValue();
        caption = editor->GetName();
    } catch (...) {
        HandleHostException();
        return;
    }
    const QString before = text;
    if (!HostDialogs().EditMultiLineText(window(), caption, text))
        return;
    if (!self || !m_model || !m_index.isValid() || text == before)
        return;
    m_model->Commit(m_index, text);
    if (self && m_index.isValid())
        LoadValue();
}

bool TInspectorValueEdit::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == m_edit) {
        if (Event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(Event);
            if (m_dropDown && key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier)) {
                OpenValueList();
                return true;
            }
            if (key->key() == Qt::Key_Escape && m_modified) {
                LoadValue(); // typing undone, the editor stays open
                return true;
            }
        } else if (Event->type() == QEvent::MouseButtonDblClick) {
            // A double-click runs the editor's Edit: its dialog, or the next value of its list.
            // In a plain text it selects a word, as in any edit box.
            if ((m_ellipsis || m_dropDown) && !isPlainText(m_index)) {
                RunDialog();
                return true;
            }
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

// ---- TInspectorDelegate -----------------------------------------------------------------------

TInspectorDelegate::TInspectorDelegate(TInspectorModel *Model, QObject *Parent)
    : QStyledItemDelegate(Parent), m_model(Model)
{
}

void TInspectorDelegate::paint(QPainter *Painter, const QStyleOptionViewItem &Option,
                               const QModelIndex &Index) const
{
    QStyleOptionViewItem option = Option;
    initStyleOption(&option, Index);
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    if (Index.data(TInspectorModel::IsCategoryRole).toBool()) {
        // A category row: its name in bold across the row.
        option.backgroundBrush = option.palette.button();
        QStyledItemDelegate::paint(Painter, option, Index);
        return;
    }
    TPropertyEditor *editor = editorOf(Index);
    if (!editor) {
        QStyledItemDelegate::paint(Painter, option, Index);
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, Painter, widget);
    const QPalette &palette = option.palette;
    const QColor background =
        selected ? palette.color(QPalette::Highlight)
                 : (option.backgroundBrush.style() != Qt::NoBrush ? option.backgroundBrush.color()
                                                                  : palette.color(QPalette::Base));
    Painter->save();
    Painter->setFont(option.font);
    Painter->setBrush(background);
    Painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                             : palette.color(QPalette::Text));
    const QRect rect = option.rect.adjusted(1, 0, -1, -1);
    try {
        if (Index.column() == 0) {
            editor->PropDrawName(Painter, editor->PropDrawNameRect(rect), selected);
        } else {
            const QRect painted = editor->PropDrawValueRect(rect);
            const QString text = Index.data().toString();
            const QFontMetrics metrics(option.font);
            // A value too long for the cell is drawn shortened by the inspector (the tool tip
            // shows all of it); the editor draws the rest.
            const int textWidth = rect.width() - pictureWidth(editor, rect) - 2;
            const bool elide = metrics.horizontalAdvance(text) > textWidth;
            if (painted != rect) {
                editor->PropDrawValue(Painter, painted, selected);
                // The text right of the area the editor painted is the inspector's.
                const int left = painted.left() + painted.width();
                const QRect textRect(left, rect.top(), rect.left() + rect.width() - left,
                                     rect.height());
                DefaultPropertyListDrawValue(
                    metrics.elidedText(text, Qt::ElideRight, textRect.width() - 2), Painter,
                    textRect, selected);
            } else if (const TColor used = usedDefaultColor(editor); used != clDefault) {
                // The swatch of the colour in use, drawn by the editor; the row's text beside it.
                const QRect swatch(rect.left(), rect.top(), rect.height(), rect.height());
                editor->ListDrawValue(ColorToString(used), Painter, swatch, true);
                const QRect textRect = rect.adjusted(swatch.width(), 0, 0, 0);
                DefaultPropertyListDrawValue(
                    metrics.elidedText(text, Qt::ElideRight, textRect.width() - 2), Painter,
                    textRect, selected);
            } else if (elide && !qobject_cast<TColorProperty *>(editor)) {
                DefaultPropertyListDrawValue(metrics.elidedText(text, Qt::ElideRight, textWidth),
                                             Painter, rect, selected);
            } else {
                editor->PropDrawValue(Painter, painted, selected);
            }
        }
    } catch (...) {
        DefaultPropertyListDrawValue(tr("(unreadable)"), Painter, rect, selected);
    }
    Painter->restore();
    // The inspector's grid lines.
    Painter->save();
    Painter->setPen(gridLineColor(palette));
    Painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    if (Index.column() == 0)
        Painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    Painter->restore();
}

QSize TInspectorDelegate::sizeHint(const QStyleOptionViewItem &Option,
                                   const QModelIndex &Index) const
{
    QSize size = QStyledItemDelegate::sizeHint(Option, Index);
    size.setHeight(qMax(size.height(), Option.fontMetrics.height() + 6));
    return size;
}

QWidget *TInspectorDelegate::createEditor(QWidget *Parent, const QStyleOptionViewItem &,
                                          const QModelIndex &Index) const
{
    if (!m_model || !m_model->EditorAt(Index))
        return nullptr;
    return new TInspectorValueEdit(m_model, Index, Parent);
}

void TInspectorDelegate::setEditorData(QWidget *Editor, const QModelIndex &) const
{
    auto *edit = static_cast<TInspectorValueEdit *>(Editor);
    if (!edit->IsModified())
        edit->LoadValue();
}

void TInspectorDelegate::setModelData(QWidget *Editor, QAbstractItemModel *,
                                      const QModelIndex &) const
{
    static_cast<TInspectorValueEdit *>(Editor)->CommitText();
}

void TInspectorDelegate::updateEditorGeometry(QWidget *Editor, const QStyleOptionViewItem &Option,
                                              const QModelIndex &Index) const
{
    // The swatch or image of the value stays in sight left of the edit box.
    const QRect cell = Option.rect.adjusted(0, 0, 0, -1);
    const int picture = pictureWidth(editorOf(Index), Option.rect.adjusted(1, 0, -1, -1));
    Editor->setGeometry(cell.adjusted(picture > 0 ? picture + 1 : 0, 0, 0, 0));
}
