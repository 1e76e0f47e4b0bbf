#pragma once

#include <stdexcept>
#include <string>

namespace tk {

// Every error the toolkit raises derives from Exception; its message is what the
// standard error box shows.
class Exception : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "Cannot open file "%s". %s"
class EFOpenError : public Exception {
  public:
    EFOpenError(const std::string& path, const std::string& reason);
};

// Registry errors: "Invalid data type for '%s'", "Failed to set data for '%s'".
class ERegistryException : public Exception {
  public:
    using Exception::Exception;
    static ERegistryException InvalidDataType(const std::string& name);
    static ERegistryException FailedToSetData(const std::string& name);
};

// "List index out of bounds (%d)"
class EListError : public Exception {
  public:
    explicit EListError(int index);
};

// "'%s' is not a valid integer value"
class EConvertError : public Exception {
  public:
    explicit EConvertError(const std::string& text);
};

class EOutOfResources : public Exception {
  public:
    using Exception::Exception;
};

} // namespace tk
