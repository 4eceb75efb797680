#pragma once

#include <QCollator>
#include <QListWidget>

#include "fw/ui_backend.h"

namespace fw::qt {

// A list box over a QListWidget. Entries keep their exact bytes (item data),
// so a file name that is not valid UTF-8 comes back unchanged; the shown
// text is its UTF-8 reading. A sorted list puts each added entry after
// every entry that does not sort after it: ascending, letter case ignored,
// by the user's locale, equal entries in arrival order.
class ListPeer final : public IListPeer {
public:
    ListPeer(QListWidget* widget, bool sorted);

    int AddString(const std::string& text) override;
    int InsertString(int index, const std::string& text) override;
    int DeleteString(int index) override;
    int GetCount() const override;
    int GetTextLen(int index) const override;
    int GetText(int index, std::string& text) const override;
    int GetCurSel() const override;
    int SetCurSel(int index) override;

    QListWidget* Widget() const { return m_widget; }

private:
    std::string EntryBytes(int index) const;
    void InsertAt(int index, const std::string& text);

    QListWidget* m_widget;
    bool m_sorted;
    QCollator m_collator;
};

} // namespace fw::qt
