#pragma once
// A Qt editing widget that can take input-method text while read-only
// (QV_EM_SETREADONLYINPUT): a data-aware control keeps its editor
// read-only until a typed character starts the edit, and an input-method
// commit must reach it the same way.  Shared by the line edit and the memo
// windows.
#include <QEvent>
#include <QVariant>

template <typename TEditor>
class TReadOnlyInputEditor : public TEditor {
public:
    // Input-method text is taken while read-only.
    bool ReadOnlyInput = false;

    void SetReadOnlyInput(bool Value)
    {
        ReadOnlyInput = Value;
        ApplyInputMethod();
    }
    void ApplyInputMethod() { this->setAttribute(Qt::WA_InputMethodEnabled, !this->isReadOnly() || ReadOnlyInput); }

    QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override
    {
        if (Query == Qt::ImEnabled && ReadOnlyInput && this->isEnabled())
            return true;
        return TEditor::inputMethodQuery(Query);
    }

protected:
    // Qt switches the input method off again for a read-only editor when
    // it takes the focus or changes state.
    bool event(QEvent* E) override
    {
        const QEvent::Type T = E->type();
        // The editor's deferred deletion deletes it inside the base's event.
        if (T == QEvent::DeferredDelete)
            return TEditor::event(E);
        const bool Result = TEditor::event(E);
        if (ReadOnlyInput && (T == QEvent::FocusIn || T == QEvent::ReadOnlyChange || T == QEvent::EnabledChange))
            ApplyInputMethod();
        return Result;
    }
};
