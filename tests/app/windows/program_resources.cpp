#include "tests/app/windows/program_resources.h"

#include <cstring>

ProgramResources::ProgramResources(const std::wstring& exePath) {
    m_module = LoadLibraryExW(exePath.c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

ProgramResources::~ProgramResources() {
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
}

std::vector<std::uint8_t> ProgramResources::Bytes(LPCWSTR type, int id) const {
    if (m_module == nullptr) {
        return {};
    }
    HRSRC found = FindResourceW(m_module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(m_module, found);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    const DWORD size = SizeofResource(m_module, found);
    if (data == nullptr) {
        return {};
    }
    return std::vector<std::uint8_t>(data, data + size);
}

RECT ProgramResources::DialogRectToPixels(int templateId, RECT rect) const {
    const std::vector<std::uint8_t> bytes = Bytes(RT_DIALOG, templateId);
    if (bytes.empty()) {
        return {};
    }
    // The same template without WS_VISIBLE, so the copy never shows.
    std::vector<std::uint8_t> hidden = bytes;
    std::uint32_t style = 0;
    std::memcpy(&style, hidden.data() + 12, 4);
    style &= ~static_cast<std::uint32_t>(WS_VISIBLE);
    std::memcpy(hidden.data() + 12, &style, 4);
    HWND copy = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(hidden.data()), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    if (copy == nullptr) {
        return {};
    }
    MapDialogRect(copy, &rect);
    DestroyWindow(copy);
    return rect;
}

namespace {

class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }

    template <typename T> T Get() {
        T value{};
        if (m_pos + sizeof(T) > m_bytes.size()) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_bytes.data() + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    std::wstring String() {
        std::wstring text;
        for (wchar_t c = Get<wchar_t>(); m_ok && c != L'\0'; c = Get<wchar_t>()) {
            text.push_back(c);
        }
        return text;
    }
    // A name or an ordinal (0xFFFF then the number); ordinals of the
    // predefined control classes come back as their names.
    std::wstring NameOrOrdinal() {
        if (m_pos + 2 <= m_bytes.size() && m_bytes[m_pos] == 0xFF && m_bytes[m_pos + 1] == 0xFF) {
            Get<std::uint16_t>();
            const std::uint16_t ordinal = Get<std::uint16_t>();
            switch (ordinal) {
            case 0x80:
                return L"Button";
            case 0x81:
                return L"Edit";
            case 0x82:
                return L"Static";
            case 0x83:
                return L"ListBox";
            case 0x84:
                return L"ScrollBar";
            case 0x85:
                return L"ComboBox";
            default:
                return L"#" + std::to_wstring(ordinal);
            }
        }
        return String();
    }
    void AlignTo4() { m_pos = (m_pos + 3) & ~static_cast<std::size_t>(3); }
    void Skip(std::size_t count) {
        m_pos += count;
        m_ok = m_ok && m_pos <= m_bytes.size();
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

} // namespace

std::optional<TemplateEx> ParseTemplateEx(const std::vector<std::uint8_t>& bytes) {
    Reader in(bytes);
    TemplateEx t;
    t.version = in.Get<std::uint16_t>();
    t.signature = in.Get<std::uint16_t>();
    if (t.version != 1 || t.signature != 0xFFFF) {
        return std::nullopt;
    }
    t.helpId = in.Get<std::uint32_t>();
    t.exStyle = in.Get<std::uint32_t>();
    t.style = in.Get<std::uint32_t>();
    const std::uint16_t count = in.Get<std::uint16_t>();
    t.x = in.Get<std::int16_t>();
    t.y = in.Get<std::int16_t>();
    t.cx = in.Get<std::int16_t>();
    t.cy = in.Get<std::int16_t>();
    t.menu = in.NameOrOrdinal();
    t.windowClass = in.NameOrOrdinal();
    t.caption = in.String();
    if ((t.style & (DS_SETFONT | DS_SHELLFONT)) != 0) {
        t.pointSize = in.Get<std::uint16_t>();
        t.weight = in.Get<std::uint16_t>();
        t.italic = in.Get<std::uint8_t>();
        t.charset = in.Get<std::uint8_t>();
        t.face = in.String();
    }
    for (std::uint16_t i = 0; i < count && in.ok(); ++i) {
        in.AlignTo4();
        TemplateItem item;
        item.helpId = in.Get<std::uint32_t>();
        item.exStyle = in.Get<std::uint32_t>();
        item.style = in.Get<std::uint32_t>();
        item.x = in.Get<std::int16_t>();
        item.y = in.Get<std::int16_t>();
        item.cx = in.Get<std::int16_t>();
        item.cy = in.Get<std::int16_t>();
        item.id = in.Get<std::int32_t>();
        item.className = in.NameOrOrdinal();
        item.text = in.NameOrOrdinal();
        item.extraCount = in.Get<std::uint16_t>();
        in.Skip(item.extraCount);
        t.items.push_back(item);
    }
    if (!in.ok()) {
        return std::nullopt;
    }
    return t;
}
