#pragma once
// The desktop's primary selection, scripted: the text a middle-click
// pastes, as if selected in another program, for the object's lifetime.
#include "platform/stdctrls/LineEditWindow.h"

#include <QString>

class TScriptedPrimarySelection {
public:
    explicit TScriptedPrimarySelection(QString Text = QString()) : FText(std::move(Text))
    {
        SetPrimarySelectionHook([this] { return FText; });
    }
    ~TScriptedPrimarySelection() { SetPrimarySelectionHook({}); }
    TScriptedPrimarySelection(const TScriptedPrimarySelection&) = delete;
    TScriptedPrimarySelection& operator=(const TScriptedPrimarySelection&) = delete;
    void SetText(const QString& Text) { FText = Text; }

private:
    QString FText;
};
