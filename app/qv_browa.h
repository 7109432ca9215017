#pragma once
// "Beheer Adressen": every address of the open contact file in a grid of
// nine columns, with the residents of the current address (see
// TBrowseForm).  Streamed from qv_browa.form.
#include "app/qv_browse.h"

class TFormBrowseAdres : public TBrowseForm {
public:
    explicit TFormBrowseAdres(TComponent* AOwner);

    // --- components of the form definition ---
    TFcDBGrid* FcDBGridAdres = nullptr;

protected:
    TFcDBGrid* Grid() const override { return FcDBGridAdres; }
    void ShowRecordForm(bool IsNew) override;
    String PageTopic() const override;
    std::vector<std::pair<String, String>> PageRows() const override;
};

// The address list window while it shows; nullptr otherwise.
extern TFormBrowseAdres* FormBrowseAdres;

// Shows the address list window sorted by street, from the first address,
// and frees it; the address table's order is restored afterwards.
// FromNewContact: opened by the person form of a new, unposted person.
void ShowBrowseAdres(TComponent* Owner, bool FromNewContact);
