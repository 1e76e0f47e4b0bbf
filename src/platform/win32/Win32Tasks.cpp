#include "platform/win32/Win32Tasks.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/Unicode.h"

#include <sddl.h>
#include <taskschd.h>

#define SECURITY_WIN32
#include <security.h>

#include <memory>

namespace win32 {

namespace {

// A BSTR the program was given, freed when it goes.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text) : text_(SysAllocString(text.c_str())) {}
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* Out() { return &text_; }
    BSTR get() const { return text_; }
    [[nodiscard]] std::string Text() const {
        return text_ != nullptr ? Narrow(std::wstring_view(text_, SysStringLen(text_)))
                                : std::string();
    }

  private:
    BSTR text_ = nullptr;
};

UniqueCom<ITaskService> ConnectedService() {
    ITaskService* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&service))))
        return nullptr;
    UniqueCom<ITaskService> held(service);
    const VARIANT none{}; // VT_EMPTY: this computer, this user
    if (FAILED(held->Connect(none, none, none, none)))
        return nullptr;
    return held;
}

UniqueCom<IRegisteredTask> TaskAt(ITaskService& service, const std::string& path) {
    const std::wstring wide = Widen(path);
    const auto cut = wide.rfind(L'\\');
    if (cut == std::wstring::npos)
        return nullptr;
    const Bstr folderPath(cut == 0 ? L"\\" : wide.substr(0, cut));
    const Bstr name(wide.substr(cut + 1));
    ITaskFolder* folder = nullptr;
    if (FAILED(service.GetFolder(folderPath.get(), &folder)))
        return nullptr;
    const UniqueCom<ITaskFolder> heldFolder(folder);
    IRegisteredTask* task = nullptr;
    if (FAILED(heldFolder->GetTask(name.get(), &task)))
        return nullptr;
    return UniqueCom<IRegisteredTask>(task);
}

// A text property read through IDispatch: the SDK's headers here lack the logon trigger's and
// the COM handler's own interfaces, and both are dual interfaces.
std::string DispatchText(IDispatch& object, const wchar_t* property) {
    std::wstring name = property;
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    if (FAILED(object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return {};
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    const HRESULT read = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                       &none, &result, nullptr, nullptr);
    std::string text;
    if (SUCCEEDED(read) && result.vt == VT_BSTR && result.bstrVal != nullptr)
        text = Narrow(std::wstring_view(result.bstrVal, SysStringLen(result.bstrVal)));
    VariantClear(&result);
    return text;
}

void ReadTrigger(ITrigger& trigger, port::ScheduledTask& task) {
    TASK_TRIGGER_TYPE2 type = TASK_TRIGGER_EVENT;
    if (FAILED(trigger.get_Type(&type)))
        return;
    if (type == TASK_TRIGGER_BOOT)
        task.bootTrigger = true;
    if (type != TASK_TRIGGER_LOGON)
        return;
    task.logonTrigger = true;
    task.logonUsers.push_back(DispatchText(trigger, L"UserId"));
}

void ReadTriggers(ITaskDefinition& definition, port::ScheduledTask& task) {
    ITriggerCollection* triggers = nullptr;
    if (FAILED(definition.get_Triggers(&triggers)))
        return;
    const UniqueCom<ITriggerCollection> held(triggers);
    LONG count = 0;
    if (FAILED(held->get_Count(&count)))
        return;
    for (LONG i = 1; i <= count; ++i) { // the collection counts from 1
        ITrigger* trigger = nullptr;
        if (SUCCEEDED(held->get_Item(i, &trigger))) {
            const UniqueCom<ITrigger> one(trigger);
            ReadTrigger(*one, task);
        }
    }
}

void ReadFirstAction(ITaskDefinition& definition, port::ScheduledTask& task) {
    IActionCollection* actions = nullptr;
    if (FAILED(definition.get_Actions(&actions)))
        return;
    const UniqueCom<IActionCollection> held(actions);
    IAction* action = nullptr;
    if (FAILED(held->get_Item(1, &action)))
        return;
    const UniqueCom<IAction> first(action);
    TASK_ACTION_TYPE type = TASK_ACTION_EXEC;
    if (FAILED(first->get_Type(&type)))
        return;
    if (type == TASK_ACTION_COM_HANDLER) {
        task.comHandler = DispatchText(*first, L"ClassId");
        return;
    }
    IExecAction* exec = nullptr;
    if (type != TASK_ACTION_EXEC || FAILED(first->QueryInterface(IID_PPV_ARGS(&exec))))
        return;
    const UniqueCom<IExecAction> program(exec);
    Bstr path, arguments;
    (void)program->get_Path(path.Out());
    (void)program->get_Arguments(arguments.Out());
    task.actionPath = path.Text();
    task.actionArguments = arguments.Text();
}

std::optional<port::ScheduledTask> ReadTask(IRegisteredTask& registered) {
    port::ScheduledTask task;
    Bstr path;
    VARIANT_BOOL enabled = VARIANT_TRUE;
    if (FAILED(registered.get_Path(path.Out())) || FAILED(registered.get_Enabled(&enabled)))
        return std::nullopt;
    task.path = path.Text();
    task.enabled = enabled != VARIANT_FALSE;
    ITaskDefinition* definition = nullptr;
    if (FAILED(registered.get_Definition(&definition)))
        return std::nullopt;
    const UniqueCom<ITaskDefinition> held(definition);
    ReadTriggers(*held, task);
    ReadFirstAction(*held, task);
    return task;
}

void ListFolder(ITaskFolder& folder, std::vector<port::ScheduledTask>& tasks, int depth) {
    IRegisteredTaskCollection* collection = nullptr;
    if (SUCCEEDED(folder.GetTasks(TASK_ENUM_HIDDEN, &collection))) {
        const UniqueCom<IRegisteredTaskCollection> held(collection);
        LONG count = 0;
        if (SUCCEEDED(held->get_Count(&count)))
            for (LONG i = 1; i <= count; ++i) {
                VARIANT index{};
                index.vt = VT_I4;
                index.lVal = i;
                IRegisteredTask* task = nullptr;
                if (FAILED(held->get_Item(index, &task)))
                    continue;
                const UniqueCom<IRegisteredTask> one(task);
                if (auto read = ReadTask(*one))
                    tasks.push_back(std::move(*read));
            }
    }
    // Folders nest only a few levels; a deeper tree is a damaged one.
    constexpr int MaxDepth = 32;
    ITaskFolderCollection* folders = nullptr;
    if (depth >= MaxDepth || FAILED(folder.GetFolders(0, &folders)))
        return;
    const UniqueCom<ITaskFolderCollection> held(folders);
    LONG count = 0;
    if (FAILED(held->get_Count(&count)))
        return;
    for (LONG i = 1; i <= count; ++i) {
        VARIANT index{};
        index.vt = VT_I4;
        index.lVal = i;
        ITaskFolder* sub = nullptr;
        if (SUCCEEDED(held->get_Item(index, &sub))) {
            const UniqueCom<ITaskFolder> one(sub);
            ListFolder(*one, tasks, depth + 1);
        }
    }
}

std::string TokenUserSid() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return {};
    const UniqueHandle token(raw);
    DWORD size = 0;
    (void)GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<std::uint8_t> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size))
        return {};
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return {};
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> held(text, &LocalFree);
    return Narrow(held.get());
}

} // namespace

std::vector<port::ScheduledTask> Win32Tasks::List() {
    const std::scoped_lock lock(mutex_);
    std::vector<port::ScheduledTask> tasks;
    const UniqueCom<ITaskService> service = ConnectedService();
    if (!service)
        return tasks;
    const Bstr rootPath(L"\\");
    ITaskFolder* root = nullptr;
    if (FAILED(service->GetFolder(rootPath.get(), &root)))
        return tasks;
    const UniqueCom<ITaskFolder> held(root);
    ListFolder(*held, tasks, 0);
    return tasks;
}

std::optional<bool> Win32Tasks::IsEnabled(const std::string& path) {
    const std::scoped_lock lock(mutex_);
    const UniqueCom<ITaskService> service = ConnectedService();
    const UniqueCom<IRegisteredTask> task = service ? TaskAt(*service, path) : nullptr;
    VARIANT_BOOL enabled = VARIANT_TRUE;
    if (!task || FAILED(task->get_Enabled(&enabled)))
        return std::nullopt;
    return enabled != VARIANT_FALSE;
}

void Win32Tasks::SetEnabled(const std::string& path, bool enabled) {
    const std::scoped_lock lock(mutex_);
    const UniqueCom<ITaskService> service = ConnectedService();
    if (const UniqueCom<IRegisteredTask> task = service ? TaskAt(*service, path) : nullptr)
        (void)task->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE);
}

port::UserNames Win32Tasks::ThisUser() {
    const std::scoped_lock lock(mutex_);
    port::UserNames names;
    names.sid = TokenUserSid();
    wchar_t buffer[512] = {};
    ULONG size = 512;
    if (GetUserNameExW(NameSamCompatible, buffer, &size))
        names.qualified = Narrow(buffer);
    DWORD length = 512;
    if (GetUserNameW(buffer, &length))
        names.name = Narrow(buffer);
    return names;
}

} // namespace win32
