#include "toolkit/RegistryObject.h"

#include "toolkit/Errors.h"

namespace tk {

RegistryObject::RegistryObject(port::Registry& registry, port::RegRoot root, port::RegView view)
    : registry_(registry), root_(root), view_(view) {}

bool RegistryObject::OpenKey(const std::string& path, bool canCreate) {
    key_ = registry_.Open(root_, path, canCreate, true, view_);
    return key_ != nullptr;
}

bool RegistryObject::OpenKeyReadOnly(const std::string& path) {
    key_ = registry_.Open(root_, path, false, false, view_);
    return key_ != nullptr;
}

bool RegistryObject::ValueExists(const std::string& name) {
    return key_ != nullptr && key_->ValueExists(name);
}

int RegistryObject::ReadInteger(const std::string& name) {
    auto value = key_ ? key_->ReadValue(name) : std::nullopt;
    if (!value || value->type != port::RegType::DWord)
        throw ERegistryException::InvalidDataType(name);
    return static_cast<int>(static_cast<std::uint32_t>(value->number));
}

std::string RegistryObject::ReadString(const std::string& name) {
    auto value = key_ ? key_->ReadValue(name) : std::nullopt;
    if (!value)
        return {};
    if (value->type != port::RegType::String && value->type != port::RegType::ExpandString)
        throw ERegistryException::InvalidDataType(name);
    return value->text;
}

void RegistryObject::WriteInteger(const std::string& name, int value) {
    if (key_ == nullptr || !key_->WriteDWord(name, static_cast<std::uint32_t>(value)))
        throw ERegistryException::FailedToSetData(name);
}

void RegistryObject::WriteString(const std::string& name, const std::string& value) {
    if (key_ == nullptr || !key_->WriteString(name, value))
        throw ERegistryException::FailedToSetData(name);
}

void RegistryObject::WriteBinaryData(const std::string& name,
                                     const std::vector<std::uint8_t>& data) {
    if (key_ == nullptr || !key_->WriteBinary(name, data))
        throw ERegistryException::FailedToSetData(name);
}

bool RegistryObject::DeleteValue(const std::string& name) {
    return key_ != nullptr && key_->DeleteValue(name);
}

std::vector<std::string> RegistryObject::GetValueNames() {
    return key_ ? key_->ValueNames() : std::vector<std::string>{};
}

std::vector<port::NamedValue> RegistryObject::GetValues() {
    return key_ ? key_->Values() : std::vector<port::NamedValue>{};
}

} // namespace tk
