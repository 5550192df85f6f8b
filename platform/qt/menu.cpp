#include "platform/qt/menu.h"

#include <QAction>
#include <QMenu>
#include <cstddef>

#include "platform/qt/text_codec.h"

namespace quillet {

bool CMenu::AppendMenu(unsigned nFlags, unsigned nIDNewItem, std::string_view lpszNewItem) {
    if ((nFlags & MF_SEPARATOR) != 0) {
        m_items.push_back(Item{MF_SEPARATOR, 0, QString()});
    } else {
        m_items.push_back(Item{MF_STRING, nIDNewItem, LocaleTextCodec().ToUnicode(lpszNewItem)});
    }
    return true;
}

int CMenu::GetMenuItemCount() const {
    return static_cast<int>(m_items.size());
}

unsigned CMenu::GetMenuItemID(int nPos) const {
    if (nPos < 0 || nPos >= GetMenuItemCount()) {
        return 0;
    }
    return m_items[static_cast<std::size_t>(nPos)].id;
}

unsigned CMenu::GetMenuState(int nPos) const {
    if (nPos < 0 || nPos >= GetMenuItemCount()) {
        return 0xFFFFFFFFU;
    }
    return m_items[static_cast<std::size_t>(nPos)].flags;
}

std::string CMenu::GetMenuString(int nPos) const {
    if (nPos < 0 || nPos >= GetMenuItemCount()) {
        return {};
    }
    return LocaleTextCodec().FromUnicode(m_items[static_cast<std::size_t>(nPos)].text);
}

unsigned CMenu::TrackPopupMenu(const QPoint& globalPos, QWidget* parent) const {
    // Not a child of the window: a window that goes while its menu is open must not take the
    // menu, which lives on this stack, with it.
    QMenu menu;
    if (parent != nullptr) {
        menu.setFont(parent->font());
    }
    for (const Item& item : m_items) {
        if (item.flags == MF_SEPARATOR) {
            menu.addSeparator();
        } else {
            menu.addAction(item.text)->setData(item.id);
        }
    }
    const QAction* chosen = menu.exec(globalPos);
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

}  // namespace quillet
