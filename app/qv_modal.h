#pragma once
// A window opened the way the main window's commands open theirs: made
// (owned by the application), shown modally and freed again, whatever
// happens while it shows.  SetUp runs on the new window before its
// definition is read and its creation handler runs, for what that handler
// needs (whether it edits a new record, say).
#include "platform/forms/Application.h"

#include <memory>
#include <utility>

template <typename T, typename TSetUp>
TModalResult ShowModalForm(TSetUp&& SetUp)
{
    std::unique_ptr<T, TComponentDeleter> Form(CreateComponent<T>(Application, std::forward<TSetUp>(SetUp)));
    return Form->ShowModal();
}

template <typename T>
TModalResult ShowModalForm()
{
    return ShowModalForm<T>([](T*) {});
}
