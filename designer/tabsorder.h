#pragma once
// The text a designer keeps the order of a page control's tabs in: the active page's name, then
// the name of every page in tab order, separated by ";".

#include <QString>

class QTabWidget;

QString TabsOrderText(const QTabWidget *PageControl);
// Moves the pages Text names into that order at the front (names compare without regard to case;
// names of no page are skipped; pages it does not name follow in their present order) and makes
// its active page current.
void ApplyTabsOrder(QTabWidget *PageControl, const QString &Text);
