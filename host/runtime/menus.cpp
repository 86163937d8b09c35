#include "menus.h"

TPopupMenu::TPopupMenu(QObject *AOwner) : QObject(), TComponent(AsComponent(AOwner)) {}

TPopupMenu::~TPopupMenu() = default;

QMenu *TPopupMenu::Menu()
{
    if (!m_menu)
        m_menu = std::make_unique<QMenu>();
    return m_menu.get();
}

void TPopupMenu::Popup(const QPoint &ScreenPos)
{
    Menu()->popup(ScreenPos);
}
