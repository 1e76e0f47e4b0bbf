#include "platform/win32/SystemMessage.h"

#include "platform/win32/Unicode.h"

namespace win32 {

namespace {
using UniqueLocal = Unique<HLOCAL, &LocalFree>;
} // namespace

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const UniqueLocal owner(text);
    std::wstring message(text != nullptr ? text : L"", text != nullptr ? length : 0);
    while (!message.empty() &&
           (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
    if (message.empty())
        return "System error " + std::to_string(code);
    return Narrow(message);
}

} // namespace win32
