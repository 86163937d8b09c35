#pragma once
// TKorDBNavigator: buttons that move through the records of a data source's data set (first,
// prior, next, last) and read it again (refresh).

#include <QPointer>
#include <QToolButton>
#include <array>

#include "briskgraph.h"
#include "controls.h"
#include "db.h"
#include "stringlist.h"

class KORRUNTIME_EXPORT TKorDBNavigator : public TKorWinControl {
    Q_OBJECT
    Q_PROPERTY(TDataSource *DataSource READ DataSource WRITE setDataSource)
    KOR_PUBLISHED(tkClass, "TDataSource", DataSource, "")
    KOR_BOOLEAN(ApplyTheme, true)
    // One caption per button, in button order; empty lines keep the built-in caption.
    KOR_OBJECT(TStrings, Captions)
    KOR_BOOLEAN(Fine, false)
    KOR_ENUM(Kor::TKorFineTheme, FineTheme, Kor::fthDefault)
    KOR_OBJECT(TBriskGradient, Gradient)
    KOR_ENUM(Kor::TKorNavigatorKind, Kind, Kor::nkStandard)
    KOR_ENUM(Kor::TKorNavigatorLayout, Layout, Kor::nlGlyphLeft)
    KOR_INTEGER(Margin, -1)
    KOR_BOOLEAN(ShowCaptions, false)
    KOR_INTEGER(Spacing, 4)

public:
    enum Button { nbFirst, nbPrior, nbNext, nbLast, nbRefresh, ButtonCount };

    Q_INVOKABLE explicit TKorDBNavigator(QObject *AOwner = nullptr);
    ~TKorDBNavigator() override;

    TDataSource *DataSource() const { return m_dataSource.data(); }
    void setDataSource(TDataSource *Value);
    TDataSet *DataSet() const;
    QToolButton *Buttons(Button Which) const { return m_buttons[std::size_t(Which)]; }
    // The caption a button shows: its Captions line or the built-in one.
    QString ButtonCaption(Button Which) const;
    // Carries out what the button does, as a click does.
    void BtnClick(Button Which);

    void Changed() override;
    void DropLinks(TComponent *Gone) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateButtons();
    void layoutButtons();

    QPointer<TDataSource> m_dataSource;
    QList<QMetaObject::Connection> m_connections;
    std::array<QToolButton *, ButtonCount> m_buttons{};
};
