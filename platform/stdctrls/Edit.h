#pragma once
// TCustomEdit and TEdit: the single-line edit.  Its window holds a Qt line
// edit (LineEditWindow), so users get the editing, clipboard, undo and input
// methods they know; our window around it paints the border.  The text
// lives in the Qt widget while the window exists (Text reads it through
// WM_GETTEXT), and in the control while it does not.
#include "platform/windows/WinControl.h"
#include "platform/forms/Forms.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    // Characters the user may type or paste; 0: no limit.  Text set by the
    // program is never cut short.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool OEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool Value) { FOEMConvert = Value; }
    // #0: the text shows as typed.
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar Value);
    bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool Value);

    // Whether the user changed the text since it was last set.
    bool Modified();
    void SetModified(bool Value);
    // The selection; SelStart is also the caret when nothing is selected.
    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);
    String SelText();
    void SetSelText(const String& Value);
    void SelectAll();
    void ClearSelection();
    void Clear();
    bool CanUndo();
    void Undo();
    void ClearUndo();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    DECLARE_EVENT(TNotifyEvent, OnChange)

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    QWidget* CreateHostedWidget() override;
    void Loaded() override;
    void AdjustSize() override;
    void Dispatch(TMessage& Message) override;
    // The text changed (user or program): OnChange.
    virtual void Change();
    // The Qt widget's colours and font follow the control's.
    void UpdateEditorLooks();

    virtual void CNCommand(TMessage& Message);
    void CMEnter(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    // Set while the window is being made: its first text is no change.
    bool FCreating = false;

private:
    void AdjustHeight();
    std::pair<int, int> Selection();

    TBorderStyle FBorderStyle = bsSingle;
    bool FAutoSelect = true;
    TEditCharCase FCharCase = ecNormal;
    bool FHideSelection = true;
    int FMaxLength = 0;
    bool FOEMConvert = false;
    QChar FPasswordChar;
    bool FReadOnly = false;
    bool FModified = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// The caret of the focused editor, in its window's client coordinates;
// false when the focused window has no editor.
BOOL GetCaretPos(TPoint* Point);
