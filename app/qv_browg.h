#pragma once
// "Beheer Groepen": every group of the open contact file in a grid of one
// column, with the participants of the current group (see TBrowseForm).
// Streamed from qv_browg.form.
#include "app/qv_browse.h"

class TFormBrowseGroep : public TBrowseForm {
public:
    explicit TFormBrowseGroep(TComponent* AOwner);

    // --- components of the form definition ---
    TFcDBGrid* FcDBGridGroep = nullptr;

protected:
    TFcDBGrid* Grid() const override { return FcDBGridGroep; }
    void ShowRecordForm(bool IsNew) override;
    String PageTopic() const override;
    std::vector<std::pair<String, String>> PageRows() const override;
};

// The group list window while it shows; nullptr otherwise.
extern TFormBrowseGroep* FormBrowseGroep;

// Shows the group list window sorted by name, from the first group, and
// frees it; the group table's order is restored afterwards.
// FromNewContact: opened by the person form of a new, unposted person.
void ShowBrowseGroep(TComponent* Owner, bool FromNewContact);
