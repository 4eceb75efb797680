#include "fw/ui_backends/mem/control_peers.h"

#include <cstddef>
#include <cwchar>
#include <cwctype>

#include "fw/ui/sorted_insert.h"

namespace fw::mem {

namespace {

// The text as wide characters of the current locale (LC_CTYPE), letters
// folded to lower case. A byte that starts no character stands for itself.
std::wstring FoldedWide(const std::string& text) {
    std::wstring wide;
    std::mbstate_t state{};
    const char* next = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        wchar_t c = 0;
        std::size_t used = std::mbrtowc(&c, next, left, &state);
        if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) {
            c = static_cast<wchar_t>(static_cast<unsigned char>(*next));
            used = 1;
            state = std::mbstate_t{};
        } else if (used == 0) {
            used = 1;
        }
        wide.push_back(static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c))));
        next += used;
        left -= used;
    }
    return wide;
}

// Compares as users see entries: negative, zero or positive.
int CompareListEntries(const std::string& a, const std::string& b) {
    return std::wcscoll(FoldedWide(a).c_str(), FoldedWide(b).c_str());
}

} // namespace

bool ListPeer::InRange(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < m_entries.size();
}

int ListPeer::AddString(const std::string& text) {
    if (!m_sorted)
        return InsertString(-1, text);
    const auto sortsBefore = [&](int i) {
        return CompareListEntries(text, m_entries[static_cast<std::size_t>(i)]) < 0;
    };
    return InsertString(SortedInsertIndex(GetCount(), sortsBefore), text);
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
