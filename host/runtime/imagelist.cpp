#include "imagelist.h"

#include "hosterrors.h"

TCustomImageList::TCustomImageList(QObject *AOwner) : QObject(), TComponent(AsComponent(AOwner)) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::setWidth(int Value)
{
    SetSize(Value, m_height);
}

void TCustomImageList::setHeight(int Value)
{
    SetSize(m_width, Value);
}

void TCustomImageList::SetSize(int AWidth, int AHeight)
{
    if (AWidth < 1 || AHeight < 1)
        throw EConvertError(QStringLiteral("Invalid image size %1 x %2").arg(AWidth).arg(AHeight));
    if (AWidth == m_width && AHeight == m_height)
        return;
    m_width = AWidth;
    m_height = AHeight;
    m_images.clear();
    emit changed();
}

int TCustomImageList::Add(const QImage &Image)
{
    QImage image = Image.isNull() ? QImage(m_width, m_height, QImage::Format_ARGB32_Premultiplied)
                                  : Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (Image.isNull())
        image.fill(Qt::transparent);
    else if (image.size() != QSize(m_width, m_height))
        image = image.scaled(m_width, m_height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_images.push_back(std::move(image));
    emit changed();
    return Count() - 1;
}

QImage TCustomImageList::GetImage(int Index) const
{
    return Index >= 0 && Index < Count() ? m_images[std::size_t(Index)] : QImage();
}

void TCustomImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("Image index out of bounds (%1)").arg(Index));
    m_images.erase(m_images.begin() + Index);
    emit changed();
}

void TCustomImageList::Clear()
{
    if (m_images.empty())
        return;
    m_images.clear();
    emit changed();
}

void TCustomImageList::Draw(QPainter &Canvas, int X, int Y, int Index, bool Enabled) const
{
    if (Index < 0 || Index >= Count())
        return;
    if (Enabled) {
        Canvas.drawImage(X, Y, m_images[std::size_t(Index)]);
        return;
    }
    QImage grey = m_images[std::size_t(Index)].convertToFormat(QImage::Format_Grayscale8);
    Canvas.save();
    Canvas.setOpacity(Canvas.opacity() * 0.5);
    Canvas.drawImage(X, Y, grey);
    Canvas.restore();
}

TImageList::TImageList(QObject *AOwner) : TCustomImageList(AOwner) {}
