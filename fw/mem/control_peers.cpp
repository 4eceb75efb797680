#include "fw/mem/control_peers.h"

#include <algorithm>
#include <cstddef>

namespace fw::mem {

namespace {
unsigned char FoldCase(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}
} // namespace

int CompareListEntries(const std::string& a, const std::string& b) {
    std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        unsigned char ca = FoldCase(a[i]);
        unsigned char cb = FoldCase(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool ListPeer::InRange(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < m_entries.size();
}

int ListPeer::AddString(const std::string& text) {
    if (!m_sorted)
        return InsertString(-1, text);
    auto place = std::upper_bound(
        m_entries.begin(), m_entries.end(), text,
        [](const std::string& a, const std::string& b) { return CompareListEntries(a, b) < 0; });
    return InsertString(static_cast<int>(place - m_entries.begin()), text);
}

int ListPeer::InsertString(int index, const std::string& text) {
    if (index == -1)
        index = GetCount();
    if (index < 0 || index > GetCount())
        return -1;
    m_entries.insert(m_entries.begin() + index, text);
    if (m_selection >= index)
        ++m_selection;
    return index;
}

int ListPeer::DeleteString(int index) {
    if (!InRange(index))
        return -1;
    m_entries.erase(m_entries.begin() + index);
    if (m_selection == index)
        m_selection = -1;
    else if (m_selection > index)
        --m_selection;
    return GetCount();
}

int ListPeer::GetCount() const {
    return static_cast<int>(m_entries.size());
}

int ListPeer::GetTextLen(int index) const {
    return InRange(index) ? static_cast<int>(m_entries[static_cast<std::size_t>(index)].size())
                          : -1;
}

int ListPeer::GetText(int index, std::string& text) const {
    if (!InRange(index))
        return -1;
    text = m_entries[static_cast<std::size_t>(index)];
    return static_cast<int>(text.size());
}

int ListPeer::GetCurSel() const {
    return m_selection;
}

int ListPeer::SetCurSel(int index) {
    if (!InRange(index)) {
        m_selection = -1;
        return -1;
    }
    m_selection = index;
    return index;
}

} // namespace fw::mem
