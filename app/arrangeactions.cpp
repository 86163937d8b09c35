#include "arrangeactions.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

using A = TArrange;

} // namespace

const QList<TArrangeCommand> &ArrangeCommands()
{
    static const QList<TArrangeCommand> commands = {
        {A::AlignLefts,
         QT_TRANSLATE_NOOP("TArrange", "Align &Left"),
         QT_TRANSLATE_NOOP("TArrange", "Align Left"),
         2,
         true,
         false,
         QLine(2, 1, 2, 14),
         {QRect(3, 3, 10, 4), QRect(3, 9, 6, 4)}},
        {A::AlignRights,
         QT_TRANSLATE_NOOP("TArrange", "Align &Right"),
         QT_TRANSLATE_NOOP("TArrange", "Align Right"),
         2,
         true,
         false,
         QLine(13, 1, 13, 14),
         {QRect(3, 3, 10, 4), QRect(7, 9, 6, 4)}},
        {A::AlignTops,
         QT_TRANSLATE_NOOP("TArrange", "Align &Top"),
         QT_TRANSLATE_NOOP("TArrange", "Align Top"),
         2,
         true,
         false,
         QLine(1, 2, 14, 2),
         {QRect(3, 3, 4, 10), QRect(9, 3, 4, 6)}},
        {A::AlignBottoms,
         QT_TRANSLATE_NOOP("TArrange", "Align &Bottom"),
         QT_TRANSLATE_NOOP("TArrange", "Align Bottom"),
         2,
         true,
         false,
         QLine(1, 13, 14, 13),
         {QRect(3, 3, 4, 10), QRect(9, 7, 4, 6)}},
        {A::AlignHorizontalCentres,
         QT_TRANSLATE_NOOP("TArrange", "Align Horizontal &Centres"),
         QT_TRANSLATE_NOOP("TArrange", "Align Horizontal Centres"),
         2,
         true,
         false,
         QLine(7, 1, 7, 14),
         {QRect(2, 3, 12, 4), QRect(5, 9, 6, 4)}},
        {A::AlignVerticalCentres,
         QT_TRANSLATE_NOOP("TArrange", "Align &Vertical Centres"),
         QT_TRANSLATE_NOOP("TArrange", "Align Vertical Centres"),
         2,
         true,
         true,
         QLine(1, 7, 14, 7),
         {QRect(3, 2, 4, 12), QRect(9, 5, 4, 6)}},
        {A::SameWidth,
         QT_TRANSLATE_NOOP("TArrange", "Same &Width"),
         QT_TRANSLATE_NOOP("TArrange", "Same Width"),
         2,
         true,
         false,
         QLine(2, 14, 13, 14),
         {QRect(2, 2, 12, 4), QRect(2, 8, 12, 4)}},
        {A::SameHeight,
         QT_TRANSLATE_NOOP("TArrange", "Same &Height"),
         QT_TRANSLATE_NOOP("TArrange", "Same Height"),
         2,
         true,
         false,
         QLine(14, 2, 14, 13),
         {QRect(2, 2, 4, 12), QRect(8, 2, 4, 12)}},
        {A::SameSize,
         QT_TRANSLATE_NOOP("TArrange", "Same &Size"),
         QT_TRANSLATE_NOOP("TArrange", "Same Size"),
         2,
         true,
         true,
         QLine(),
         {QRect(1, 1, 6, 6), QRect(9, 9, 6, 6)}},
        {A::SpaceAcross,
         QT_TRANSLATE_NOOP("TArrange", "Space Evenly &Across"),
         QT_TRANSLATE_NOOP("TArrange", "Space Across"),
         3,
         true,
         false,
         QLine(),
         {QRect(1, 4, 3, 8), QRect(6, 4, 3, 8), QRect(11, 4, 3, 8)}},
        {A::SpaceDown,
         QT_TRANSLATE_NOOP("TArrange", "Space Evenly &Down"),
         QT_TRANSLATE_NOOP("TArrange", "Space Down"),
         3,
         true,
         true,
         QLine(),
         {QRect(4, 1, 8, 3), QRect(4, 6, 8, 3), QRect(4, 11, 8, 3)}},
        {A::BringToFront,
         QT_TRANSLATE_NOOP("TArrange", "Bring to &Front"),
         QT_TRANSLATE_NOOP("TArrange", "Bring to Front"),
         1,
         false,
         false,
         QLine(),
         {QRect(1, 1, 9, 9), QRect(6, 6, 9, 9)}},
        {A::SendToBack,
         QT_TRANSLATE_NOOP("TArrange", "Send to Bac&k"),
         QT_TRANSLATE_NOOP("TArrange", "Send to Back"),
         1,
         false,
         true,
         QLine(),
         {QRect(6, 6, 9, 9), QRect(1, 1, 9, 9)}},
    };
    return commands;
}

const TArrangeCommand &ArrangeCommand(TArrange Kind)
{
    const QList<TArrangeCommand> &commands = ArrangeCommands();
    return *std::find_if(commands.cbegin(), commands.cend(),
                         [Kind](const TArrangeCommand &command) { return command.Kind == Kind; });
}

namespace {

// Spreads the rectangles along one axis: Start and Size read a rectangle's edge and extent,
// Place moves it to a new start.
template <typename Start, typename Size, typename Place>
QList<QRect> spaced(QList<QRect> Rects, Start start, Size size, Place place)
{
    if (Rects.size() < 3)
        return Rects;
    QList<int> order(Rects.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return start(Rects.at(a)) < start(Rects.at(b)); });
    const QRect &first = Rects.at(order.first());
    const QRect &last = Rects.at(order.last());
    const int span = start(last) + size(last) - start(first);
    int sizes = 0;
    for (const QRect &rect : std::as_const(Rects))
        sizes += size(rect);
    const int room = span - sizes;
    const int gaps = int(order.size()) - 1;
    int before = 0; // the sizes of those already placed
    for (int k = 0; k < order.size(); ++k) {
        QRect &rect = Rects[order.at(k)];
        // Rounded down the same way for a negative room (overlapping components).
        const int share = int(std::floor(double(room) * k / gaps));
        const int size_k = size(rect);
        place(rect, start(first) + before + share);
        before += size_k;
    }
    return Rects;
}

} // namespace

QList<QRect> ArrangedRects(TArrange Kind, const QList<QRect> &Rects)
{
    if (Rects.isEmpty())
        return Rects;
    const QRect anchor = Rects.first();
    const QPoint centre(anchor.x() + anchor.width() / 2, anchor.y() + anchor.height() / 2);
    const auto each = [&Rects](auto change) {
        QList<QRect> result = Rects;
        for (qsizetype i = 1; i < result.size(); ++i)
            change(result[i]);
        return result;
    };
    switch (Kind) {
    case A::AlignLefts:
        return each([&](QRect &r) { r.moveLeft(anchor.x()); });
    case A::AlignRights:
        return each([&](QRect &r) { r.moveLeft(anchor.x() + anchor.width() - r.width()); });
    case A::AlignTops:
        return each([&](QRect &r) { r.moveTop(anchor.y()); });
    case A::AlignBottoms:
        return each([&](QRect &r) { r.moveTop(anchor.y() + anchor.height() - r.height()); });
    case A::AlignHorizontalCentres:
        return each([&](QRect &r) { r.moveLeft(centre.x() - r.width() / 2); });
    case A::AlignVerticalCentres:
        return each([&](QRect &r) { r.moveTop(centre.y() - r.height() / 2); });
    case A::SameWidth:
        return each([&](QRect &r) { r.setWidth(anchor.width()); });
    case A::SameHeight:
        return each([&](QRect &r) { r.setHeight(anchor.height()); });
    case A::SameSize:
        return each([&](QRect &r) { r.setSize(anchor.size()); });
    case A::SpaceAcross:
        return spaced(
            Rects, [](const QRect &r) { return r.x(); }, [](const QRect &r) { return r.width(); },
            [](QRect &r, int x) { r.moveLeft(x); });
    case A::SpaceDown:
        return spaced(
            Rects, [](const QRect &r) { return r.y(); }, [](const QRect &r) { return r.height(); },
            [](QRect &r, int y) { r.moveTop(y); });
    case A::BringToFront:
    case A::SendToBack:
        break;
    }
    return Rects;
}

QIcon ArrangeIcon(TArrange Kind)
{
    const TArrangeCommand &command = ArrangeCommand(Kind);
    const QPalette palette = QApplication::palette();
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        const QColor outline = palette.color(QPalette::WindowText);
        const QColor fill = palette.color(QPalette::Active, QPalette::Highlight);
        const int boxes = command.Boxes[2].isNull() ? (command.Boxes[1].isNull() ? 1 : 2) : 3;
        for (int i = 0; i < boxes; ++i) {
            // Stacking pictures draw the other component plain and the selected one filled.
            const bool plain =
                (Kind == A::BringToFront && i == 0) || (Kind == A::SendToBack && i == boxes - 1);
            painter.setPen(QPen(outline, 1.0));
            painter.setBrush(plain ? palette.color(QPalette::Base) : fill);
            painter.drawRect(QRectF(command.Boxes[i]).adjusted(0.5, 0.5, -0.5, -0.5));
        }
        if (!command.Guide.isNull()) {
            painter.setPen(QPen(outline, 1.0));
            painter.drawLine(QLineF(command.Guide).translated(0.5, 0.5));
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
