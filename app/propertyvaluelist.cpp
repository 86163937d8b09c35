#include "propertyvaluelist.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "hostmessages.h"

namespace {

constexpr int kTextMargin = 6;

// Draws each entry with the editor's ListDrawValue on a canvas prepared as the host's: the
// brush is the background, the pen the text colour.
class TValueListDelegate : public QStyledItemDelegate {
public:
    TValueListDelegate(TPropertyEditor *Editor, QObject *Parent)
        : QStyledItemDelegate(Parent), m_editor(Editor)
    {
    }

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option,
               const QModelIndex &Index) const override
    {
        const bool selected = Option.state & QStyle::State_Selected;
        const QPalette &palette = Option.palette;
        Painter->save();
        Painter->setFont(Option.font);
        Painter->setBrush(selected ? palette.highlight() : palette.base());
        Painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        const QString value = Index.data().toString();
        try {
            if (m_editor)
                m_editor->ListDrawValue(value, Painter, Option.rect, selected);
        } catch (...) {
            DefaultPropertyListDrawValue(value, Painter, Option.rect, selected);
        }
        Painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &Index) const override
    {
        return Index.data(Qt::SizeHintRole).toSize();
    }

private:
    QPointer<TPropertyEditor> m_editor;
};

// Sorts without regard to case, comparing each text's case-folded key once made.
QStringList sortedWithoutCase(const QStringList &Values)
{
    std::vector<std::pair<QString, qsizetype>> keys;
    keys.reserve(size_t(Values.size()));
    for (qsizetype i = 0; i < Values.size(); ++i)
        keys.emplace_back(Values.at(i).toCaseFolded(), i);
    std::sort(keys.begin(), keys.end()); // equal keys keep their order by index
    QStringList sorted;
    sorted.reserve(Values.size());
    for (const auto &key : keys)
        sorted.append(Values.at(key.second));
    return sorted;
}

// Text widths for sizing a long list: the sum of the characters' advances, each measured once
// (shaping every entry of a list of thousands takes far longer than the list may take to
// open). Kerning is ignored, which only makes the list a little wider than needed.
class TTextWidths {
public:
    explicit TTextWidths(const QFontMetrics &Metrics) : m_metrics(Metrics) {}
    int Of(const QString &Text)
    {
        int width = 0;
        for (const QChar c : Text) {
            if (c.isSurrogate())
                return m_metrics.horizontalAdvance(Text);
            auto it = m_advances.find(c.unicode());
            if (it == m_advances.end())
                it = m_advances.insert(c.unicode(), m_metrics.horizontalAdvance(c));
            width += *it;
        }
        return width;
    }

private:
    const QFontMetrics &m_metrics;
    QHash<char16_t, int> m_advances;
};

} // namespace

void TInspectorValueListModel::SetValues(QStringList Values, std::vector<int> Heights, int Width)
{
    beginResetModel();
    m_values = std::move(Values);
    m_rowHeight = Heights.empty() ? 16 : Heights.front();
    const bool uniform =
        std::all_of(Heights.begin(), Heights.end(), [&](int h) { return h == m_rowHeight; });
    m_heights = uniform ? std::vector<int>() : std::move(Heights);
    m_width = Width;
    endResetModel();
}

int TInspectorValueListModel::rowCount(const QModelIndex &Parent) const
{
    return Parent.isValid() ? 0 : int(m_values.size());
}

QVariant TInspectorValueListModel::data(const QModelIndex &Index, int Role) const
{
    if (!Index.isValid() || Index.row() >= m_values.size())
        return {};
    if (Role == Qt::DisplayRole || Role == Qt::EditRole)
        return m_values.at(Index.row());
    if (Role == Qt::SizeHintRole)
        return QSize(m_width, m_heights.empty() ? m_rowHeight : m_heights[size_t(Index.row())]);
    return {};
}

TInspectorValueList::TInspectorValueList(TPropertyEditor *Editor, const QFont &Font,
                                         QWidget *Parent)
    : QFrame(Parent, Qt::Popup), m_editor(Editor), m_model(new TInspectorValueListModel(this)),
      m_view(new QListView(this))
{
    setObjectName(QStringLiteral("ValueList"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
    setFont(Font);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_view);
    m_view->setFont(Font);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new TValueListDelegate(Editor, m_view));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    connect(m_view, &QListView::clicked, this, &TInspectorValueList::choose);
}

TInspectorValueList::~TInspectorValueList() = default;

void TInspectorValueList::Load(const QString &Current)
{
    QStringList values;
    TPropertyAttributes attributes;
    if (m_editor) {
        try {
            attributes = m_editor->GetAttributes();
            m_editor->GetValues([&values](const QString &Value) { values.append(Value); });
        } catch (...) {
            HandleHostException();
        }
    }
    if (attributes & paSortList)
        values = sortedWithoutCase(values);
    // Measure every entry on a canvas with the list's font, as the editor would draw it.
    QImage canvasImage(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter canvas(&canvasImage);
    canvas.setFont(font());
    const QFontMetrics metrics(font());
    const int baseHeight = metrics.height() + 2;
    std::vector<int> heights;
    heights.reserve(size_t(values.size()));
    int width = 0;
    TTextWidths widths(metrics);
    for (const QString &value : values) {
        int rowHeight = baseHeight;
        int rowWidth = widths.Of(value) + kTextMargin;
        if (m_editor) {
            try {
                m_editor->ListMeasureHeight(value, &canvas, rowHeight);
                m_editor->ListMeasureWidth(value, &canvas, rowWidth);
            } catch (...) {
            }
        }
        heights.push_back(rowHeight);
        width = qMax(width, rowWidth);
    }
    canvas.end();
    m_model->SetValues(values, std::move(heights), width);
    // Equal rows let the view lay out thousands of entries without asking each for its size.
    m_view->setUniformItemSizes(m_model->IsUniform());
    m_preferredWidth =
        width + m_view->verticalScrollBar()->sizeHint().width() + 2 * frameWidth() + 4;
    const qsizetype current = values.indexOf(Current);
    if (current >= 0) {
        const QModelIndex index = m_model->index(int(current));
        m_view->setCurrentIndex(index);
        m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
}

int TInspectorValueList::PreferredHeight(int MaxRows) const
{
    const int rows = qMin(MaxRows, m_model->rowCount());
    int height = 0;
    for (int row = 0; row < rows; ++row)
        height += m_model->index(row).data(Qt::SizeHintRole).toSize().height();
    return qMax(height, 16) + 2 * frameWidth() + 2;
}

void TInspectorValueList::Popup(QWidget *Anchor, int MaxRows)
{
    const QPoint below = Anchor->mapToGlobal(QPoint(0, Anchor->height()));
    resize(qMax(Anchor->width(), PreferredWidth()), PreferredHeight(MaxRows));
    QPoint pos = below;
    if (const QScreen *screen = Anchor->screen()) {
        const QRect available = screen->availableGeometry();
        if (pos.x() + width() > available.right())
            pos.setX(qMax(available.left(), available.right() - width()));
        if (pos.y() + height() > available.bottom())
            pos.setY(Anchor->mapToGlobal(QPoint(0, 0)).y() - height());
    }
    move(pos);
    show();
    m_view->setFocus();
}

void TInspectorValueList::choose(const QModelIndex &Index)
{
    if (!Index.isValid())
        return;
    const QString value = Index.data().toString();
    const auto chosen = OnChoose;
    close();
    if (chosen)
        chosen(value);
}

bool TInspectorValueList::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == m_view && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(m_view->currentIndex());
            return true;
        }
        if (key == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QFrame::eventFilter(Watched, Event);
}
