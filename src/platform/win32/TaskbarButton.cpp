#include "platform/win32/TaskbarButton.h"

#include <algorithm>

namespace win32 {

namespace {

TBPFLAG StateOf(tk::TaskbarProgress::State state) {
    switch (state) {
    case tk::TaskbarProgress::State::Indeterminate:
        return TBPF_INDETERMINATE;
    case tk::TaskbarProgress::State::Normal:
        return TBPF_NORMAL;
    case tk::TaskbarProgress::State::None:
        break;
    }
    return TBPF_NOPROGRESS;
}

} // namespace

void TaskbarButton::Show(HWND window, const tk::TaskbarProgress& progress) {
    if (!tried_) {
        tried_ = true;
        ITaskbarList3* list = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_ITaskbarList3, reinterpret_cast<void**>(&list)))) {
            list_.reset(list);
            if (FAILED(list_->HrInit()))
                list_.reset();
        }
    }
    if (!list_)
        return;
    list_->SetProgressState(window, StateOf(progress.state));
    if (progress.state == tk::TaskbarProgress::State::Normal) {
        const auto total = static_cast<ULONGLONG>(std::max<std::int64_t>(progress.total, 1));
        const auto done = static_cast<ULONGLONG>(
            std::clamp<std::int64_t>(progress.done, 0, static_cast<std::int64_t>(total)));
        list_->SetProgressValue(window, done, total);
    }
}

} // namespace win32
