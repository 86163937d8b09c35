#include "tabsorder.h"

#include <QStringList>
#include <QTabBar>
#include <QTabWidget>

namespace {

const QChar TabSeparator = QLatin1Char(';');

// The page of PageControl whose name is Name (names compare without regard to case), or null.
QWidget *findPage(const QTabWidget *PageControl, const QString &Name)
{
    if (Name.isEmpty())
        return nullptr;
    for (int i = 0; i < PageControl->count(); ++i) {
        QWidget *page = PageControl->widget(i);
        if (page->objectName().compare(Name, Qt::CaseInsensitive) == 0)
            return page;
    }
    return nullptr;
}

} // namespace

QString TabsOrderText(const QTabWidget *PageControl)
{
    QStringList names;
    const QWidget *active = PageControl->currentWidget();
    names.append(active ? active->objectName() : QString());
    for (int i = 0; i < PageControl->count(); ++i)
        names.append(PageControl->widget(i)->objectName());
    return names.join(TabSeparator);
}

void ApplyTabsOrder(QTabWidget *PageControl, const QString &Text)
{
    const QStringList tokens = Text.split(TabSeparator);
    int index = 0;
    for (qsizetype i = 1; i < tokens.size() && index < PageControl->count(); ++i) {
        QWidget *page = findPage(PageControl, tokens.at(i));
        const int from = page ? PageControl->indexOf(page) : -1;
        // A page named twice keeps the place it was given first.
        if (from < index)
            continue;
        if (from != index)
            PageControl->tabBar()->moveTab(from, index);
        ++index;
    }
    if (QWidget *active = findPage(PageControl, tokens.first()))
        PageControl->setCurrentWidget(active);
}
