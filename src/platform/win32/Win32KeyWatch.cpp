#include "platform/win32/Win32KeyWatch.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/Unicode.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Window.h"

#include <memory>

namespace win32 {

namespace {

constexpr const wchar_t* KeyWatchWindowClass = L"TrelvixKeyWatch";
constexpr UINT RereadDoneMessage = WM_APP + 41;
// Changes within this long of the first are read as one: an installer writes its values
// one by one.
constexpr DWORD SettleMilliseconds = 1000;

using Continuation = std::function<void()>;

// One key armed for a notice: the key itself, or the nearest parent there is, which tells
// when a subkey is made under it (the thread then arms again, one level further down).
struct ArmedKey {
    UniqueKey key;
    UniqueHandle event;
};

ArmedKey Arm(const port::WatchedKey& watched) {
    ArmedKey armed;
    HKEY root =
        watched.root == port::RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    std::wstring path = Widen(watched.path);
    for (;;) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_NOTIFY | ViewFlag(watched.view), &key) ==
            ERROR_SUCCESS) {
            armed.key.reset(key);
            break;
        }
        const auto cut = path.rfind(L'\\');
        if (cut == std::wstring::npos)
            return armed;
        path.resize(cut);
    }
    armed.event.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!armed.event || RegNotifyChangeKeyValue(armed.key.get(), FALSE,
                                                REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                                armed.event.get(), TRUE) != ERROR_SUCCESS)
        armed.event.reset();
    return armed;
}

using UniqueChangeNotice = Unique<HANDLE, &FindCloseChangeNotification>;

// A folder armed for a notice about its files, or the nearest parent there is, which tells
// when the folder is made (the thread then arms again, one level further down).
UniqueChangeNotice ArmFolder(const std::string& folder) {
    std::wstring path = Widen(folder);
    for (;;) {
        UniqueChangeNotice notice(FindFirstChangeNotificationW(path.c_str(), FALSE,
                                                               FILE_NOTIFY_CHANGE_FILE_NAME |
                                                                   FILE_NOTIFY_CHANGE_DIR_NAME |
                                                                   FILE_NOTIFY_CHANGE_LAST_WRITE));
        if (notice)
            return notice;
        const auto cut = path.rfind(L'\\');
        // A drive's root is as far up as a folder goes.
        if (cut == std::wstring::npos || cut < 3)
            return {};
        path.resize(cut);
    }
}

// Every key and folder armed afresh: the events of one wait.
struct Armed {
    std::vector<ArmedKey> keys;
    std::vector<UniqueChangeNotice> folders;
};

Armed ArmAll(const std::vector<port::WatchedKey>& keys, const std::vector<std::string>& folders) {
    Armed armed;
    for (const port::WatchedKey& key : keys)
        if (ArmedKey one = Arm(key); one.event)
            armed.keys.push_back(std::move(one));
    for (const std::string& folder : folders)
        if (UniqueChangeNotice notice = ArmFolder(folder))
            armed.folders.push_back(std::move(notice));
    return armed;
}

// Hands the continuation to the window's thread; when the window is gone it is dropped.
void Post(HWND window, Continuation continuation) {
    auto posted = std::make_unique<Continuation>(std::move(continuation));
    if (PostMessageW(window, RereadDoneMessage, 0, reinterpret_cast<LPARAM>(posted.get())) != FALSE)
        posted.release();
}

// The watcher's thread: a reread at the start, then one after each settled change, until
// `stop` is set. Notices are asked for afresh before each reread, so none falls between.
void Watch(HWND window, HANDLE stop, const std::vector<port::WatchedKey>& keys,
           const std::vector<std::string>& folders, const std::function<Continuation()>& reread) {
    // Shortcuts are read through COM on this thread.
    const ComApartment apartment(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    Armed armed = ArmAll(keys, folders);
    Post(window, reread());
    for (;;) {
        std::vector<HANDLE> handles{stop};
        for (const ArmedKey& key : armed.keys)
            handles.push_back(key.event.get());
        for (const UniqueChangeNotice& folder : armed.folders)
            handles.push_back(folder.get());
        // At most MAXIMUM_WAIT_OBJECTS; the program watches a handful of keys and folders.
        const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                                   handles.data(), FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            return;
        if (WaitForSingleObject(stop, SettleMilliseconds) == WAIT_OBJECT_0)
            return;
        armed = ArmAll(keys, folders);
        Post(window, reread());
    }
}

} // namespace

Win32KeyWatch::Win32KeyWatch()
    : window_(CreateHiddenWindow(KeyWatchWindowClass, &Win32KeyWatch::Procedure, nullptr, false)) {}

Win32KeyWatch::~Win32KeyWatch() {
    Stop();
}

void Win32KeyWatch::Start(std::vector<port::WatchedKey> keys, std::vector<std::string> folders,
                          std::function<std::function<void()>()> reread) {
    Stop();
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!window_ || !stop_)
        return;
    try {
        thread_ = std::thread([window = window_.get(), stop = stop_.get(), keys = std::move(keys),
                               folders = std::move(folders), reread = std::move(reread)] {
            try {
                Watch(window, stop, keys, folders, reread);
            } catch (...) {
                // Out of memory on the way: the watch ends, the program goes on.
            }
        });
    } catch (...) {
        // No thread to be had: nothing is watched.
    }
}

void Win32KeyWatch::Stop() {
    if (stop_)
        SetEvent(stop_.get());
    if (thread_.joinable())
        thread_.join();
    stop_.reset();
    DropPosted();
}

void Win32KeyWatch::DropPosted() {
    MSG message;
    while (window_ && PeekMessageW(&message, window_.get(), RereadDoneMessage, RereadDoneMessage,
                                   PM_REMOVE) != FALSE)
        delete reinterpret_cast<Continuation*>(message.lParam);
}

LRESULT CALLBACK Win32KeyWatch::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != RereadDoneMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    const std::unique_ptr<Continuation> continuation(reinterpret_cast<Continuation*>(lParam));
    try {
        if (*continuation)
            (*continuation)(); // the program's continuation shows its own errors
    } catch (...) {
    }
    return 0;
}

} // namespace win32
