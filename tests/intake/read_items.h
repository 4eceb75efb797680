#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "intake/drop_command_line_info.h"

struct Item {
    std::string switchText;
    std::string paramText;
    bool operator==(const Item&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Item& item) {
    return out << "{switch \"" << item.switchText << "\", param \"" << item.paramText << "\"}";
}

// Every item the reader gives, from GetFirstItem on. Stops after a bound so
// that a reader that never ends fails the test instead of hanging it.
inline std::vector<Item> ReadItems(CDropCommandLineInfo& reader) {
    std::vector<Item> items;
    Item item;
    bool more = reader.GetFirstItem(item.switchText, item.paramText);
    while (more && items.size() < 1000) {
        items.push_back(item);
        more = reader.GetNextItem(item.switchText, item.paramText);
    }
    return items;
}

// Only the parameter texts, as the join list takes them.
inline std::vector<std::string> ReadParams(CDropCommandLineInfo& reader) {
    std::vector<std::string> params;
    for (const Item& item : ReadItems(reader)) {
        params.push_back(item.paramText);
    }
    return params;
}
