#include "gridimageindexproperty.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

#include "grid.h"

namespace {

// The image list of an edited object's property: the first row whose class the object
// inherits and whose property name matches exactly.
struct ImageListRow {
    const QMetaObject *Class;
    const char *Property;
    TCustomImageList *(*List)(const QObject *Object);
};

TKorCustomDBGrid *titleGrid(const QObject *Object)
{
    const TKorColumn *column = static_cast<const TKorColumnTitle *>(Object)->Column();
    return column ? column->Grid() : nullptr;
}

const ImageListRow kImageLists[] = {
    {&TKorDBGrid::staticMetaObject, "FillerIndex",
     [](const QObject *o) -> TCustomImageList * {
         return static_cast<const TKorDBGrid *>(o)->TitleImages();
     }},
    {&TKorColumnTitle::staticMetaObject, "MarkerIndex",
     [](const QObject *o) -> TCustomImageList * {
         TKorCustomDBGrid *grid = titleGrid(o);
         return grid ? grid->Markers() : nullptr;
     }},
    {&TKorColumnTitle::staticMetaObject, "ImageIndex",
     [](const QObject *o) -> TCustomImageList * {
         TKorCustomDBGrid *grid = titleGrid(o);
         return grid ? grid->TitleImages() : nullptr;
     }},
    {&TKorColumnTotal::staticMetaObject, "ImageIndex",
     [](const QObject *o) -> TCustomImageList * {
         const TKorColumn *column = static_cast<const TKorColumnTotal *>(o)->Column();
         TKorCustomDBGrid *grid = column ? column->Grid() : nullptr;
         return grid ? grid->Totals()->Images() : nullptr;
     }},
};

int largerOf(TCustomImageList *A, TCustomImageList *B, int (TCustomImageList::*Size)() const)
{
    const int size = qMax(A ? (A->*Size)() : 0, B ? (B->*Size)() : 0);
    return size > 0 ? size + 4 : size;
}

} // namespace

TKorDBGridImageIndexProperty::TKorDBGridImageIndexProperty(const TPropertyEditorArgs &Args)
    : TIntegerProperty(Args)
{
}

TPropertyAttributes TKorDBGridImageIndexProperty::GetAttributes()
{
    return paValueList | paMultiSelect | paRevertable;
}

TCustomImageList *TKorDBGridImageIndexProperty::GetImageList()
{
    const QObject *object = GetComponent(0);
    if (!object)
        return nullptr;
    const QString name = GetName();
    for (const ImageListRow &row : kImageLists)
        if (object->metaObject()->inherits(row.Class) && name == QLatin1String(row.Property))
            return row.List(object);
    return nullptr;
}

TCustomImageList *TKorDBGridImageIndexProperty::GetIndicators()
{
    const auto *grid = qobject_cast<const TKorDBGrid *>(GetComponent(0));
    return grid && GetName() == QLatin1String("FillerIndex") ? grid->Indicators() : nullptr;
}

int TKorDBGridImageIndexProperty::GetImageHeight()
{
    return largerOf(GetImageList(), GetIndicators(), &TCustomImageList::Height);
}

int TKorDBGridImageIndexProperty::GetImageWidth()
{
    return largerOf(GetImageList(), GetIndicators(), &TCustomImageList::Width);
}

void TKorDBGridImageIndexProperty::GetValues(const TGetStrProc &Proc)
{
    if (TCustomImageList *images = GetImageList())
        for (int i = 0; i < images->Count(); ++i)
            Proc(QString::number(i));
    if (TCustomImageList *indicators = GetIndicators()) {
        Proc(QStringLiteral("-1"));
        for (int i = 0; i < indicators->Count(); ++i)
            Proc(QString::number(-2 - i));
    }
}

void TKorDBGridImageIndexProperty::ListMeasureHeight(const QString &, QPainter *, int &AHeight)
{
    AHeight = qMax(AHeight, GetImageHeight());
}

void TKorDBGridImageIndexProperty::ListMeasureWidth(const QString &, QPainter *, int &AWidth)
{
    AWidth += GetImageWidth();
}

void TKorDBGridImageIndexProperty::ListDrawValue(const QString &Value, QPainter *Canvas,
                                                 const QRect &ARect, bool ASelected)
{
    QRect text = PaintImageBox(Value, Canvas, ARect, ASelected, true);
    // The text box starts where the text is centred already: one line high, so the text is
    // not centred a second time below that.
    if (text != ARect)
        text.setHeight(qMin(text.height(), Canvas->fontMetrics().height()));
    DefaultPropertyListDrawValue(Value, Canvas, text, ASelected);
}

void TKorDBGridImageIndexProperty::PropDrawName(QPainter *Canvas, const QRect &ARect, bool)
{
    DefaultPropertyDrawName(this, Canvas, ARect);
}

QRect TKorDBGridImageIndexProperty::PropDrawNameRect(const QRect &ARect)
{
    return ARect;
}

QRect TKorDBGridImageIndexProperty::PropDrawValueRect(const QRect &ARect)
{
    if (GetImageHeight() > 20)
        return ARect;
    // The value's text stands where the other values' does: beside the image as a colour's
    // beside its square swatch, and at the cell's left edge when there is no image to show.
    if (!ShowsImage(GetVisualValue(), ARect.height()))
        return QRect(ARect.left(), ARect.top(), 0, ARect.height());
    const int width = qMax(GetImageWidth() - 2, ARect.height());
    return QRect(ARect.left(), ARect.top(), width, ARect.height());
}

bool TKorDBGridImageIndexProperty::ShowsImage(const QString &Value, int Height)
{
    bool ok = false;
    const int value = Value.trimmed().toInt(&ok);
    if (!ok)
        return false;
    TCustomImageList *list = value < 0 ? GetIndicators() : GetImageList();
    const int index = value < 0 ? -value - 2 : value;
    return list && Height + 1 >= list->Height() && index >= 0 && index < list->Count();
}

void TKorDBGridImageIndexProperty::PropDrawValue(QPainter *Canvas, const QRect &ARect,
                                                 bool ASelected)
{
    const QString value = GetVisualValue();
    const int imageHeight = GetImageHeight();
    if (!value.isEmpty() && imageHeight <= 20)
        PaintImageBox(value, Canvas, ARect, ASelected, false);
    else
        DefaultPropertyDrawValue(this, Canvas, ARect);
    if (imageHeight > 20 && ASelected) {
        Canvas->save();
        QPen pen(Canvas->pen().color(), 0, Qt::DotLine);
        Canvas->setPen(pen);
        Canvas->setBrush(Qt::NoBrush);
        Canvas->drawRect(ARect.adjusted(0, 0, -1, -1));
        Canvas->restore();
    }
}

QRect TKorDBGridImageIndexProperty::PaintImageBox(const QString &Value, QPainter *Canvas,
                                                  const QRect &ARect, bool, bool Reserve)
{
    bool ok = false;
    int value = Value.trimmed().toInt(&ok);
    if (!ok)
        value = -1;
    TCustomImageList *list = nullptr;
    int index = value, gap = 4;
    if (value < 0) {
        list = GetIndicators();
        index = -value - 2;
        gap = 0;
    } else {
        list = GetImageList();
    }
    const int left = ARect.left(), top = ARect.top();
    const int right = left + ARect.width(), bottom = top + ARect.height();
    const int height = bottom - top;
    if (!list || height + 1 < list->Height())
        return ARect;
    Canvas->fillRect(ARect, Canvas->brush());
    int textLeft = left;
    const int textStart = left + 2 + list->Width() + 2 + gap;
    if (index >= 0 && index < list->Count()) {
        list->Draw(*Canvas, left + 2, top + 2 + (height - list->Height() - 4) / 2, index, true);
        if (!Reserve)
            textLeft = textStart;
    }
    if (Reserve)
        textLeft = textStart;
    const int textTop = top + (height - Canvas->fontMetrics().height()) / 2;
    return QRect(QPoint(textLeft, textTop), QPoint(right - 1, bottom - 1));
}
