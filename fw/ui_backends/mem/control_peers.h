#pragma once

#include <string>
#include <vector>

#include "fw/ui/ui_backend.h"

namespace fw::mem {

// A list box held in memory. A sorted list puts added entries at their
// place as users see them: ascending by the current locale's collation
// (LC_COLLATE), letter case ignored; an entry equal to existing ones goes
// after them.
// Insertions and deletions keep the selected entry selected where it
// remains; deleting it clears the selection.
class ListPeer : public IListPeer {
public:
    explicit ListPeer(bool sorted) : m_sorted(sorted) {}

    int AddString(const std::string& text) override;
    int InsertString(int index, const std::string& text) override;
    int DeleteString(int index) override;
    int GetCount() const override;
    int GetText(int index, std::string& text) const override;
    int GetCurSel() const override;
    int SetCurSel(int index) override;

    const std::vector<std::string>& Entries() const { return m_entries; }

private:
    bool InRange(int index) const;

    bool m_sorted;
    std::vector<std::string> m_entries;
    int m_selection = -1;
};

class EditPeer : public IEditPeer {
public:
    std::string GetText() const override { return m_text; }
    void SetText(const std::string& text) override { m_text = text; }

private:
    std::string m_text;
};

class ButtonPeer : public IButtonPeer {
public:
    explicit ButtonPeer(std::string text) : m_text(std::move(text)) {}

    void SetIcon(IconHandle icon) override { m_icon = icon; }

    IconHandle Icon() const { return m_icon; }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    IconHandle m_icon;
};

} // namespace fw::mem
