#pragma once
// What the address and group forms share: a modal window whose data-aware
// controls edit the current record of one table.  The caller puts that
// table into insert or edit state, creates the window with IsNew (through
// CreateComponent's set-up, before the definition is streamed), shows it
// and frees it.  OK checks, gives a new record the table's highest key plus
// one, posts and closes; "Toepa&ssen" posts and edits again; moving to the
// previous or next record drops what was not posted; every other way out
// cancels through the close query.
//
// What was typed into an edit that still has the focus (OK pressed with
// Enter) is taken into the record before it is checked.  A post the table
// refuses (a text the field's mask does not accept, a key taken) raises to
// the program's error message and leaves the window open, the record still
// being edited with everything typed, and a refused edit holding the focus.
#include "app/qv_basefield.h"
#include "platform/forms/Forms.h"

#include <memory>

class TClientDataSet;
class TDataModuleMain;
class TFcBitBtn;

// The buttons and handlers every record window has, for its registration.
#define PUBLISHED_RECORD_FORM_PARTS                                                                                    \
    PUBLISHED_BASE_FIELD(TFcBitBtn, SpeedButtonUp)                                                                     \
    PUBLISHED_BASE_FIELD(TFcBitBtn, SpeedButtonDown)                                                                   \
    PUBLISHED_BASE_FIELD(TFcBitBtn, FcBitBtnApply)                                                                     \
    PUBLISHED_BASE_FIELD(TFcBitBtn, FcBitBtnOK)                                                                        \
    PUBLISHED_BASE_FIELD(TFcBitBtn, FcBitBtnCancel)                                                                    \
    PUBLISHED_METHOD(FormCreate)                                                                                       \
    PUBLISHED_METHOD(FormCloseQuery)                                                                                   \
    PUBLISHED_METHOD(FcBitBtnOKClick)                                                                                  \
    PUBLISHED_METHOD(FcBitBtnApplyClick)                                                                               \
    PUBLISHED_METHOD(FcBitBtnCancelClick)                                                                              \
    PUBLISHED_METHOD(SpeedButtonUpClick)                                                                               \
    PUBLISHED_METHOD(SpeedButtonDownClick)

class TRecordForm : public TForm {
public:
    // The table a window edits, as the data module holds it.
    struct TRecordTable {
        TClientDataSet* TDataModuleMain::*Table;
        // The data module's highest key of the table.
        std::int32_t TDataModuleMain::*LastID;
        const char* KeyField;
        // The caption while a new record is added.
        const char* NewCaption;
    };

    TRecordForm(TComponent* AOwner, const TRecordTable& Kind);

    // Whether the window adds a record (the table is in insert state) or
    // changes the current one.
    bool IsNew = false;
    // Set by OK once the record is posted; the caller links the new record.
    bool Saved = false;

    // --- components of the form definition ---
    TFcBitBtn* SpeedButtonUp = nullptr;
    TFcBitBtn* SpeedButtonDown = nullptr;
    TFcBitBtn* FcBitBtnApply = nullptr;
    TFcBitBtn* FcBitBtnOK = nullptr;
    TFcBitBtn* FcBitBtnCancel = nullptr;

    // --- handlers (the same names in every record window) ---
    // The caption, and the buttons only an existing record has hidden for
    // a new one.
    void FormCreate(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FcBitBtnOKClick(TObject* Sender);
    void FcBitBtnApplyClick(TObject* Sender);
    void FcBitBtnCancelClick(TObject* Sender);
    void SpeedButtonUpClick(TObject* Sender);
    void SpeedButtonDownClick(TObject* Sender);

    // The first missing field is reported ("Ontbrekende gegevens") and its
    // edit gets the focus; false then.
    virtual bool ValidateInput() = 0;

protected:
    TClientDataSet* Table() const;
    // The caption while an existing record is shown.
    virtual String RecordCaption() const = 0;
    // The text of a field of the record (empty while the table is closed).
    String FieldValue(const char* FieldName) const;
    // A field blank after trimming: the message and the focus to its edit;
    // false then.
    bool Require(const char* FieldName, TWinControl* Edit, const String& Message);
    // Takes what the focused edit holds into the record.
    void TakeTypedText();
    // Runs after "Toepa&ssen" and after a move, with the record being
    // edited again: a window showing more than its table refreshes that.
    virtual void RecordShownAgain() {}

private:
    bool Editing() const;
    void Move(int Distance);

    TRecordTable FKind;
};

// Shows the record window T for the current record of its table, which the
// caller has put into insert (IsNew) or edit state, and frees it; true when
// OK posted the record.
template <typename T>
bool ExecuteRecordForm(TComponent* Owner, bool IsNew)
{
    std::unique_ptr<T, TComponentDeleter> Form(CreateComponent<T>(Owner, [IsNew](T* F) { F->IsNew = IsNew; }));
    Form->ShowModal();
    return Form->Saved;
}
