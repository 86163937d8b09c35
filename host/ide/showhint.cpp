#include "showhint.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QToolTip>
#include <QWidget>

#include "hostmessages.h"

namespace {

class THintFilter : public QObject {
public:
    using QObject::QObject;
    TShowHintEvent Handler;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip || !Handler || !watched->isWidgetType())
            return false;
        auto *control = static_cast<QWidget *>(watched);
        const QString original = control->toolTip();
        // A control without a hint lets the request go on to its parent.
        if (original.isEmpty())
            return false;
        auto *help = static_cast<QHelpEvent *>(event);
        THintInfo info{control, help->globalPos()};
        QString hint = original;
        bool canShow = true;
        // Keep the handler alive while it runs: it may install another one.
        const TShowHintEvent handler = Handler;
        try {
            handler(hint, canShow, info);
        } catch (...) {
            HandleHostException();
            return false;
        }
        if (!canShow || hint.isEmpty()) {
            QToolTip::hideText();
            return true;
        }
        if (hint != original) {
            QToolTip::showText(info.CursorPos, hint, control);
            return true;
        }
        return false;
    }
};

// Owned by the application object, so it goes with it.
QPointer<THintFilter> filter;

} // namespace

namespace Application {

TShowHintEvent OnShowHint()
{
    return filter ? filter->Handler : TShowHintEvent();
}

TShowHintEvent SetOnShowHint(TShowHintEvent Handler)
{
    TShowHintEvent previous = OnShowHint();
    if (!Handler) {
        if (filter) {
            qApp->removeEventFilter(filter);
            delete filter.data();
        }
        return previous;
    }
    if (!filter && qApp) {
        filter = new THintFilter(qApp);
        qApp->installEventFilter(filter);
    }
    if (filter)
        filter->Handler = std::move(Handler);
    return previous;
}

} // namespace Application
