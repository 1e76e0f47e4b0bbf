#include "toolkit/Errors.h"

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

} // namespace tk
