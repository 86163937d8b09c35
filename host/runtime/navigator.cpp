#include "navigator.h"

#include <QPainter>

#include "componentlink.h"
#include "datasourcelink.h"

namespace {

struct ButtonInfo {
    const char *caption;
    const char *glyph;
};

constexpr ButtonInfo kButtons[] = {
    {"First", "|\u25C0"}, {"Prior", "\u25C0"},   {"Next", "\u25B6"},
    {"Last", "\u25B6|"},  {"Refresh", "\u21BB"},
};

} // namespace

TKorDBNavigator::TKorDBNavigator(QObject *AOwner)
    : TKorWinControl(AOwner), m_Captions(std::make_unique<TStrings>()),
      m_Gradient(std::make_unique<TBriskGradient>(this, this))
{
    for (int i = 0; i < ButtonCount; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(kButtons[i].caption) + QLatin1String("Button"));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, i] { BtnClick(Button(i)); });
        m_buttons[std::size_t(i)] = button;
    }
    connect(m_Captions.get(), &TStrings::changed, this, &TKorDBNavigator::Changed);
    connect(m_Gradient.get(), &TOwnedPersistent::changed, this, &TKorDBNavigator::Changed);
    resize(240, 25);
    Changed();
}

TKorDBNavigator::~TKorDBNavigator()
{
    DropConnections(m_connections);
    m_Captions->disconnect(this);
    m_Gradient->disconnect(this);
}

void TKorDBNavigator::setDataSource(TDataSource *Value)
{
    if (m_dataSource == Value)
        return;
    m_dataSource = Value;
    LinkDataSource(this, Value, m_connections, &TKorDBNavigator::updateButtons,
                   &TKorDBNavigator::updateButtons);
    Changed();
}

void TKorDBNavigator::DropLinks(TComponent *Gone)
{
    TKorWinControl::DropLinks(Gone);
    if (DropLink(m_dataSource, Gone)) {
        DropConnections(m_connections);
        updateButtons();
    }
}

TDataSet *TKorDBNavigator::DataSet() const
{
    return m_dataSource && m_dataSource->Enabled() ? m_dataSource->DataSet() : nullptr;
}

QString TKorDBNavigator::ButtonCaption(Button Which) const
{
    const int index = int(Which);
    if (index < Captions()->Count() && !Captions()->Strings(index).isEmpty())
        return Captions()->Strings(index);
    return QString::fromLatin1(kButtons[index].caption);
}

void TKorDBNavigator::BtnClick(Button Which)
{
    TDataSet *dataSet = DataSet();
    if (!dataSet || !dataSet->Active())
        return;
    switch (Which) {
    case nbFirst:
        dataSet->First();
        break;
    case nbPrior:
        dataSet->Prior();
        break;
    case nbNext:
        dataSet->Next();
        break;
    case nbLast:
        dataSet->Last();
        break;
    case nbRefresh:
        dataSet->Refresh();
        break;
    default:
        break;
    }
}

void TKorDBNavigator::updateButtons()
{
    TDataSet *dataSet = DataSet();
    const bool active = dataSet && dataSet->Active() && isEnabled();
    const bool canBack = active && dataSet->RecNo() > 1;
    const bool canForward = active && dataSet->RecNo() < dataSet->RecordCount();
    m_buttons[nbFirst]->setEnabled(canBack);
    m_buttons[nbPrior]->setEnabled(canBack);
    m_buttons[nbNext]->setEnabled(canForward);
    m_buttons[nbLast]->setEnabled(canForward);
    m_buttons[nbRefresh]->setEnabled(active);
}

void TKorDBNavigator::layoutButtons()
{
    const int margin = Margin() < 0 ? 0 : Margin();
    const int spacing = Fine() ? qMax(0, Spacing()) : 0;
    const QRect area = rect().adjusted(margin, margin, -margin, -margin);
    const int width = qMax(0, (area.width() - spacing * (ButtonCount - 1)) / ButtonCount);
    for (int i = 0; i < ButtonCount; ++i)
        m_buttons[std::size_t(i)]->setGeometry(area.left() + i * (width + spacing), area.top(),
                                               width, area.height());
}

void TKorDBNavigator::Changed()
{
    for (int i = 0; i < ButtonCount; ++i) {
        QToolButton *button = m_buttons[std::size_t(i)];
        const QString caption = ButtonCaption(Button(i));
        button->setText(ShowCaptions() ? caption : QString::fromUtf8(kButtons[i].glyph));
        button->setToolTip(caption);
        button->setAutoRaise(Kind() != Kor::nkButtons);
        button->setToolButtonStyle(ShowCaptions() && Layout() == Kor::nlGlyphTop
                                       ? Qt::ToolButtonTextUnderIcon
                                       : Qt::ToolButtonTextOnly);
    }
    layoutButtons();
    updateButtons();
    TKorWinControl::Changed();
}

void TKorDBNavigator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (Gradient()->IsActive())
        Gradient()->Paint(painter, rect());
    else if (!ParentBackground())
        painter.fillRect(rect(), ColorToQColor(ColorRGB(Color())));
}

void TKorDBNavigator::resizeEvent(QResizeEvent *event)
{
    TKorWinControl::resizeEvent(event);
    layoutButtons();
}
