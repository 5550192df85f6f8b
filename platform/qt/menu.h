#pragma once

#include <QPoint>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace quillet {

// Menu entry flags.
inline constexpr unsigned MF_STRING = 0x0000;
inline constexpr unsigned MF_SEPARATOR = 0x0800;

// A menu as a list of entries: text entries with a command number, and separators. Shown as a
// pop-up menu; "&" in a text marks the entry's access key.
class CMenu {
public:
    // Appends a separator (MF_SEPARATOR: no number, no text) or a text entry (MF_STRING) whose
    // text is in the program's character set. Always true.
    bool AppendMenu(unsigned nFlags, unsigned nIDNewItem = 0, std::string_view lpszNewItem = {});

    [[nodiscard]] int GetMenuItemCount() const;
    // The entry's command number; 0 for a separator or a position past the end.
    [[nodiscard]] unsigned GetMenuItemID(int nPos) const;
    // The entry's flags (MF_SEPARATOR or MF_STRING); 0xFFFFFFFF past the end.
    [[nodiscard]] unsigned GetMenuState(int nPos) const;
    // The entry's text in the program's character set; empty for a separator.
    [[nodiscard]] std::string GetMenuString(int nPos) const;

    // Shows the menu at a point of the screen, waits until it closes, and returns the command
    // of the entry chosen, or 0 when none was.
    unsigned TrackPopupMenu(const QPoint& globalPos, QWidget* parent) const;

private:
    struct Item {
        unsigned flags;
        unsigned id;
        QString text;
    };
    std::vector<Item> m_items;
};

}  // namespace quillet
