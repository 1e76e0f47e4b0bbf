#include "toolkit/Errors.h"

#include <charconv>

namespace tk {

EFOpenError::EFOpenError(const std::string& path, const std::string& reason)
    : Exception("Cannot open file \"" + path + "\". " + reason) {}

ERegistryException ERegistryException::InvalidDataType(const std::string& name) {
    return ERegistryException("Invalid data type for '" + name + "'");
}

ERegistryException ERegistryException::FailedToSetData(const std::string& name) {
    return ERegistryException("Failed to set data for '" + name + "'");
}

EListError::EListError(int index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")") {}

EConvertError::EConvertError(const std::string& text)
    : Exception("'" + text + "' is not a valid integer value") {}

int StrToInt(const std::string& text) {
    std::string_view s = text;
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        throw EConvertError(text);
    return value;
}

} // namespace tk
