#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// korvane.exe's resources, read from the file as data.
class ProgramResources {
public:
    explicit ProgramResources(const std::wstring& exePath);
    ~ProgramResources();
    ProgramResources(const ProgramResources&) = delete;
    ProgramResources& operator=(const ProgramResources&) = delete;

    bool Loaded() const { return m_module != nullptr; }
    // The raw bytes of a resource; empty when there is none.
    std::vector<std::uint8_t> Bytes(LPCWSTR type, int id) const;

    // A hidden copy of dialog template id in this process: converts dialog
    // units to pixels with MapDialogRect exactly as the program's dialog does.
    RECT DialogRectToPixels(int templateId, RECT rect) const;

private:
    HMODULE m_module = nullptr;
};

// Dialog template in the extended format, as stored.
struct TemplateItem {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring className; // predefined classes by name ("Button"...)
    std::wstring text;
    std::uint16_t extraCount = 0;
};

struct TemplateEx {
    std::uint16_t version = 0;
    std::uint16_t signature = 0;
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::wstring menu;
    std::wstring windowClass;
    std::wstring caption;
    int pointSize = 0;
    int weight = 0;
    int italic = 0;
    int charset = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

// Parses an extended dialog template; none when the bytes are not one.
std::optional<TemplateEx> ParseTemplateEx(const std::vector<std::uint8_t>& bytes);
