#pragma once
// TKorDBGridImageIndexProperty: an integer image index shown as a drop-down list of the images
// it can refer to, each entry drawn with its image, and the current image drawn in the value
// cell. Values of 0 and above index GetImageList; -2 and below are the indicator images (-2 is
// indicator 0); -1 is no image.

#include "propedit.h"

class TCustomImageList;

class TKorDBGridImageIndexProperty : public TIntegerProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridImageIndexProperty(const TPropertyEditorArgs &Args);

    TPropertyAttributes GetAttributes() override;
    // The image indexes, then "-1" and the indicator values.
    void GetValues(const TGetStrProc &Proc) override;
    void ListMeasureHeight(const QString &Value, QPainter *Canvas, int &AHeight) override;
    void ListMeasureWidth(const QString &Value, QPainter *Canvas, int &AWidth) override;
    void ListDrawValue(const QString &Value, QPainter *Canvas, const QRect &ARect,
                       bool ASelected) override;
    void PropDrawName(QPainter *Canvas, const QRect &ARect, bool ASelected) override;
    void PropDrawValue(QPainter *Canvas, const QRect &ARect, bool ASelected) override;
    QRect PropDrawNameRect(const QRect &ARect) override;
    // The image area at the left of the value cell (all of it for images above 16 pixels): as
    // wide as the cell is high, as a colour's swatch, or wider for a wider image; empty when the
    // value shows no image.
    QRect PropDrawValueRect(const QRect &ARect) override;

    // The image list the edited property indexes, by object and property name.
    virtual TCustomImageList *GetImageList();
    // The grid's indicator images for its FillerIndex, else nullptr.
    virtual TCustomImageList *GetIndicators();

    // The larger image height (width) of the two lists, plus 4 when there is any.
    int GetImageHeight();
    int GetImageWidth();
    // Whether Value draws an image in a row Height pixels high.
    bool ShowsImage(const QString &Value, int Height);
    // Draws the image part of an entry for Value into ARect and answers the rectangle for its
    // text. With Reserve the text starts after the image width whether or not an image was drawn.
    QRect PaintImageBox(const QString &Value, QPainter *Canvas, const QRect &ARect, bool ASelected,
                        bool Reserve);
};
