#pragma once
// Image lists: numbered images of one size that grids and editors draw by index.

#include <QImage>
#include <QObject>
#include <QPainter>
#include <vector>

#include "korruntime_export.h"
#include "persistent.h"
#include "published.h"

class KORRUNTIME_EXPORT TCustomImageList : public QObject, public TComponent {
    Q_OBJECT
    // Changing the size empties the list, as the images no longer fit.
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    KOR_PUBLISHED(tkInteger, "Integer", Width, "16")
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    KOR_PUBLISHED(tkInteger, "Integer", Height, "16")

public:
    Q_INVOKABLE explicit TCustomImageList(QObject *AOwner = nullptr);
    ~TCustomImageList() override;

    int Width() const { return m_width; }
    void setWidth(int Value);
    int Height() const { return m_height; }
    void setHeight(int Value);
    void SetSize(int AWidth, int AHeight);

    int Count() const { return int(m_images.size()); }
    // Adds an image, scaled to the list's size; answers its index.
    int Add(const QImage &Image);
    // The image at Index, or a null image when Index is out of range.
    QImage GetImage(int Index) const;
    void Delete(int Index);
    void Clear();
    // Draws image Index with its top-left corner at (X, Y); nothing for an invalid index. A
    // disabled image is drawn greyed.
    void Draw(QPainter &Canvas, int X, int Y, int Index, bool Enabled = true) const;

signals:
    void changed();

private:
    int m_width = 16;
    int m_height = 16;
    std::vector<QImage> m_images;
};

class KORRUNTIME_EXPORT TImageList : public TCustomImageList {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TImageList(QObject *AOwner = nullptr);
};
