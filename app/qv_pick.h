#pragma once
// What the three pick windows share: a small modal window with a sorted
// list of texts; a click on an item ends it and reports the item.  The
// caller fills the list (Items of the window's list box, or AddChoice),
// selects the item to start on, shows the window and reads the result;
// the window touches no table.
//
// Two items may have the same text (two addresses on one line, two groups
// of one name): items added with AddChoice carry the key of their record,
// so that SelectedKey names the one clicked, which the text cannot.
#include "app/qv_basefield.h"
#include "platform/forms/Forms.h"

#include <memory>
#include <vector>

class TFcBitBtn;
class TFcListBox;

// The buttons and handlers of a pick window, for its registration; a pick
// window with "&Nieuw" adds PUBLISHED_PICK_FORM_NEW.
#define PUBLISHED_PICK_FORM_PARTS                                                                                      \
    PUBLISHED_BASE_FIELD(TFcBitBtn, FcBitBtnClose)                                                                     \
    PUBLISHED_METHOD(FcBitBtnCloseClick)
#define PUBLISHED_PICK_FORM_NEW                                                                                        \
    PUBLISHED_BASE_FIELD(TFcBitBtn, FcBitBtnNieuw)                                                                     \
    PUBLISHED_METHOD(FcBitBtnNieuwClick)

class TPickForm : public TForm {
public:
    // NewHandler: the name of the owner's handler that "&Nieuw" calls
    // (nullptr for a window without that button).
    TPickForm(TComponent* AOwner, const char* NewHandler);
    ~TPickForm() override;

    // --- components of the form definition ---
    TFcBitBtn* FcBitBtnClose = nullptr;
    TFcBitBtn* FcBitBtnNieuw = nullptr;

    // An item was clicked; its text (empty when none was selected) and the
    // key AddChoice gave it (-1 for none).  Closing any other way keeps
    // these as they started.
    bool Selected = false;
    String SelectedText;
    std::int32_t SelectedKey = -1;

    // Adds Text as an item standing for the record with Key.
    void AddChoice(const String& Text, std::int32_t Key);
    // Selects the first item of that text, or the first item when no item
    // has it (no item of an empty list).
    void SelectText(const String& Text);
    // The list box the window picks from.
    virtual TFcListBox* ChoiceList() const = 0;

    // The list's click: the selected item becomes the result, the window
    // closes.
    void ChoiceListClick(TObject* Sender);
    // "&Sluiten": closes; the results keep their initial values.
    void FcBitBtnCloseClick(TObject* Sender);
    // "&Nieuw": the owner's handler (a published method of the window that
    // opened this one) adds and links a new record; then the window closes
    // with the results as they started.
    void FcBitBtnNieuwClick(TObject* Sender);

private:
    const char* FNewHandler;
    struct TChoice;
    std::vector<std::unique_ptr<TChoice>> FChoices;
};
