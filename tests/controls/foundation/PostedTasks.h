#pragma once
// Work that the message loop reaches in turn, each task a posted message
// of a window of its own: what ends a popup or a menu is queued before the
// loop that waits for it starts, as a user's input would be.
#include "platform/windows/WinUser.h"

#include <functional>
#include <vector>

class TPostedTasks {
public:
    TPostedTasks()
    {
        FWnd = AllocateHWnd([this](TMessage& M) {
            if (M.Msg == WM_USER) {
                const std::function<void()> Task = FTasks[std::size_t(M.WParam)];
                Task();
            }
        });
    }
    ~TPostedTasks() { DeallocateHWnd(FWnd); }
    TPostedTasks(const TPostedTasks&) = delete;
    TPostedTasks& operator=(const TPostedTasks&) = delete;

    void Post(std::function<void()> Task)
    {
        FTasks.push_back(std::move(Task));
        PostMessage(FWnd, WM_USER, FTasks.size() - 1, 0);
    }

private:
    HWND FWnd = nullptr;
    std::vector<std::function<void()>> FTasks;
};
