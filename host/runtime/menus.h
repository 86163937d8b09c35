#pragma once
// TPopupMenu: a pop-up menu component that controls, columns and titles refer to.

#include <QMenu>
#include <QObject>
#include <memory>

#include "korruntime_export.h"
#include "persistent.h"
#include "published.h"

class KORRUNTIME_EXPORT TPopupMenu : public QObject, public TComponent {
    Q_OBJECT
    KOR_BOOLEAN(AutoPopup, true)

public:
    Q_INVOKABLE explicit TPopupMenu(QObject *AOwner = nullptr);
    ~TPopupMenu() override;

    // The menu's items live in this Qt menu, created on first use.
    QMenu *Menu();
    // Shows the menu at a screen position, without waiting for a choice.
    void Popup(const QPoint &ScreenPos);

private:
    void Changed() {}

    std::unique_ptr<QMenu> m_menu;
};
