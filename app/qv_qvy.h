#pragma once
// The person form: the modal window in which one person of the open
// contact file is added or changed.  Its data-aware controls edit the
// current record of the person table directly; the window validates,
// keys, posts or cancels that record, keeps the person's link to one
// address and one group (shown on their pages, which it fills itself),
// and hands mail addresses, the web site and a map look-up to the desktop.
// Streamed from qv_qvy.form.
//
// A record window (see TRecordForm): the caller puts the person table into
// insert or edit state, creates the window with IsNew, gives the address
// and group tables their key indexes ("ID_ADRES_ASC", "ID_GROEP_ASC")
// while it is open, and frees it after ShowModal.  OK posts and closes;
// every other way out cancels through the close query.
//
// Decisions for this desktop:
// - What is typed into the control that has the focus reaches the record
//   before it is checked, so OK and "Toepa&ssen" judge what the user sees.
//   A value the record refuses (an impossible date) keeps the window open
//   with everything typed and that control focused.
// - The print button shows the person's overview page in the browser; the
//   browser prints it.
// - The mail and web links open only mail and web addresses (a web site
//   without a scheme gets "http://"); anything else is refused with a
//   message.  Map look-ups percent-encode the address parts.
// - A picked address or group is linked by its key, so of two with the
//   same text the one picked is linked.
// - Escape is no key of the window: in an edit it gives back the field's
//   value, as the message about a wrong value tells the user; it never
//   closes the window and drops what was typed into the person.
#include "app/qv_recform.h"

class TDBRadioGroup;
class TFcDBComboBox;
class TFcDBEdit;
class TFcDBMemo;
class TFcGroupBox;
class TFcLabel;
class TFcMemo;
class TFcPageControl;
class TFcSpacer;
class TFcTabSheet;
class TFcToolButton;
class TFcToolbar;
class TSpeedButton;

class TFormQuorvy : public TRecordForm {
public:
    explicit TFormQuorvy(TComponent* AOwner);

    // --- components of the form definition ---
    TFcPageControl* FcPageControlQuorvy = nullptr;
    TFcTabSheet* TabSheetNaam = nullptr;
    TFcTabSheet* TabSheetContact = nullptr;
    TFcTabSheet* TabSheetAdres = nullptr;
    TFcTabSheet* TabSheetGroep = nullptr;
    TFcTabSheet* TabSheetMemo = nullptr;
    // "Naam"
    TFcDBComboBox* FcDBComboBoxAanhef = nullptr;
    TFcDBEdit* FcDBEditVoorvoegsel = nullptr;
    TFcDBEdit* FcDBEditVoorletters = nullptr;
    TFcDBEdit* FcDBEditRoepnaam = nullptr;
    TFcDBEdit* FcDBEditTussenvoegsel = nullptr;
    TFcDBEdit* FcDBEditAchternaam = nullptr;
    TFcDBEdit* FcDBEditAchtervoegsel = nullptr;
    TDBRadioGroup* FcDBRadioGroupGender = nullptr;
    TFcDBEdit* FcDBEditGeboortedatum = nullptr;
    TFcDBEdit* FcDBEditNationaliteit = nullptr;
    // "Contact"
    TFcDBEdit* FcDBEditMobiel = nullptr;
    TFcDBEdit* FcDBEditTelefoonWerk = nullptr;
    TFcLabel* FcLabelEmailAdres1 = nullptr;
    TFcDBEdit* FcDBEditEmailAdres1 = nullptr;
    TFcLabel* FcLabelEmailAdres2 = nullptr;
    TFcDBEdit* FcDBEditEmailAdres2 = nullptr;
    TFcDBEdit* FcDBEditSkypeID = nullptr;
    TFcDBEdit* FcDBEditMSNID = nullptr;
    TFcLabel* FcLabelWebsite = nullptr;
    TFcDBEdit* FcDBEditWebsite = nullptr;
    // "Adres"
    TFcLabel* FcLabelStraatnaamWaarde = nullptr;
    TFcLabel* FcLabelHuisnummerWaarde = nullptr;
    TFcLabel* FcLabelToevoegingWaarde = nullptr;
    TFcLabel* FcLabelPostcodeWaarde = nullptr;
    TFcLabel* FcLabelZIPCodeWaarde = nullptr;
    TFcLabel* FcLabelWoonplaatsWaarde = nullptr;
    TFcLabel* FcLabelLandWaarde = nullptr;
    TFcLabel* FcLabelTelefoon1Waarde = nullptr;
    TFcLabel* FcLabelTelefoon2Waarde = nullptr;
    TFcMemo* FcMemoAdresOpmerkingen = nullptr;
    TFcLabel* FcLabelGeenAdres = nullptr;
    TFcLabel* FcLabelGeenAdresUitleg = nullptr;
    TFcToolbar* FcToolbarAdres = nullptr;
    TFcToolButton* FcToolButtonSelecteerAdres = nullptr;
    TFcToolButton* FcToolButtonNieuwAdres = nullptr;
    TFcToolButton* FcToolButtonVerwijderAdres = nullptr;
    TFcToolButton* FcToolButtonBeheerAdressen = nullptr;
    TFcToolButton* FcToolButtonGoogleMaps = nullptr;
    // "Groep"
    TFcLabel* FcLabelGroepNaamWaarde = nullptr;
    TFcMemo* FcMemoGroepText = nullptr;
    TFcLabel* FcLabelGeenGroep = nullptr;
    TFcLabel* FcLabelGeenGroepUitleg = nullptr;
    TFcToolbar* FcToolbarGroep = nullptr;
    TFcToolButton* FcToolButtonSelecteerGroep = nullptr;
    TFcToolButton* FcToolButtonNieuweGroep = nullptr;
    TFcToolButton* FcToolButtonVerwijderGroep = nullptr;
    TFcToolButton* FcToolButtonBeheerGroepen = nullptr;
    // "Memo"
    TFcDBEdit* FcDBEditDatumActief = nullptr;
    TFcDBEdit* FcDBEditDatumInactief = nullptr;
    TSpeedButton* SpeedButtonEmptyDatumAanmelding = nullptr;
    TFcDBMemo* FcDBMemoOpmerkingen = nullptr;
    // Below the pages, beside the record window's buttons.
    TSpeedButton* SpeedButtonPrint = nullptr;

    // --- handlers (those of every record window: TRecordForm) ---
    // The print button too only for an existing person.
    void FormCreate(TObject* Sender);
    void SpeedButtonPrintClick(TObject* Sender);
    void SpeedButtonEmptyDatumAanmeldingClick(TObject* Sender);
    void FcLabelEmailAdres1Click(TObject* Sender);
    void FcLabelEmailAdres2Click(TObject* Sender);
    void FcLabelWebsiteClick(TObject* Sender);
    void FcToolButtonSelecteerAdresClick(TObject* Sender);
    void FcToolButtonSelecteerGroepClick(TObject* Sender);
    void FcToolButtonNieuwAdresClick(TObject* Sender);
    void FcToolButtonNieuweGroepClick(TObject* Sender);
    void FcToolButtonVerwijderAdresClick(TObject* Sender);
    void FcToolButtonVerwijderGroepClick(TObject* Sender);
    void FcToolButtonBeheerAdressenClick(TObject* Sender);
    void FcToolButtonBeheerGroepenClick(TObject* Sender);
    void FcToolButtonGoogleMapsClick(TObject* Sender);

    // Shows the current address of the address table as the person's
    // address and links it (Linked), or unlinks the person (ID_ADRES -1)
    // and empties the page.
    void ShowAddress(bool Linked);
    // The same for the current group of the group table.
    void ShowGroup(bool Linked);
    // A last name and an active date are given; otherwise the user is
    // told, the page with the field shows and its edit has the focus.
    bool ValidateInput() override;

protected:
    // "Wijzigen gegevens van " + the person's display name.
    String RecordCaption() const override;
    // After "Toepa&ssen" and a move: links that resolve are shown, others
    // reset to -1.
    void RecordShownAgain() override;

private:
    void OpenMail(TFcDBEdit* Edit);
    // After a list window: the person is being edited again.
    void KeepEditing();
};
