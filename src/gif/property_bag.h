#pragma once
// The saved properties of a control: values by key, read with a default for a
// missing key and written only when they differ from the default, as the window
// system's property bag keeps them.
#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "ui/picture.h"

namespace gif {

using PropertyValue = std::variant<int, bool, std::vector<std::uint8_t>, ui::PicturePtr>;

class PropertyBag {
  public:
    template <typename T>
    T read(const std::string& key, T fallback) const {
        auto it = values.find(key);
        if (it == values.end()) return fallback;
        if (const T* v = std::get_if<T>(&it->second)) return *v;
        return fallback;
    }
    template <typename T>
    void write(const std::string& key, T value, const T& fallback) {
        if (value == fallback)
            values.erase(key);
        else
            values[key] = std::move(value);
    }

    std::map<std::string, PropertyValue> values;
};

}  // namespace gif
