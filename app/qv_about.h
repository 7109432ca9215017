#pragma once
// The about window: the program's description, build date and version,
// the free memory, where to reach the makers, and a hidden reset of the
// date and time formats behind a click on the program's image.  Streamed
// from qv_about.form.
#include "platform/forms/Forms.h"

class TFcBitBtn;
class TFcLabel;
class TFcURLLabel;
class TImage;

class TFormAbout : public TForm {
public:
    explicit TFormAbout(TComponent* AOwner);

    TImage* ImageQuorvy = nullptr;
    TFcLabel* FcLabelFileDescription = nullptr;
    TFcLabel* FcLabelBuildDateData = nullptr;
    TFcLabel* FcLabelFileVersionData = nullptr;
    TFcURLLabel* FcURLLabelWebSite = nullptr;
    TFcBitBtn* FcBitBtnOK = nullptr;

    void FormCreate(TObject* Sender);
    void ImageQuorvyClick(TObject* Sender);
};

// The date and time formats the program shows and reads ("dd/mm/yyyy",
// "hh:mm:ss"), whatever the desktop's own are.
void SetProgramFormats();
