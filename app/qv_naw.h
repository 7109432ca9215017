#pragma once
// The notes window ("Informatie over het NAW Bestand"): edits the free
// text that belongs to the open contact file, kept beside it as the person
// table's path with the extension ".naw".  Streamed from qv_naw.form.
//
// The notes are never lost on the way to or from the disk:
// - OK replaces the notes file atomically (a crash or a full disk leaves
//   the old notes); a save that fails says why and keeps the window open
//   with the text, so that the user can try again or copy it away.
// - A notes file that exists but cannot be read is named in a message, and
//   the window then only shows and closes: OK never overwrites notes it
//   could not show with an empty text.  A missing file is simply no notes.
// Text is written in UTF-8 with CR LF line ends; older single-byte notes
// are read as Windows-1252.
#include "platform/forms/Forms.h"

class TFcBitBtn;
class TFcMemo;
class TSpeedButton;

class TFormNAWBestand : public TForm {
public:
    explicit TFormNAWBestand(TComponent* AOwner);

    TFcMemo* FcMemoNAW = nullptr;
    TFcBitBtn* FcBitBtnOK = nullptr;
    TFcBitBtn* FcBitBtnCancel = nullptr;
    TSpeedButton* SpeedButtonFileInfo = nullptr;

    void FormCreate(TObject* Sender);
    void FcBitBtnOKClick(TObject* Sender);
    void FcBitBtnCancelClick(TObject* Sender);
    void SpeedButtonFileInfoClick(TObject* Sender);

    // The open contact file's notes file; empty while none is open.
    static String NotesFileName();
};
