#pragma once
// Readers for obsolete property names of older form definitions: each
// consumes one value of its kind and drops it, so that an old form still
// loads.  A control registers them in DefineProperties, with no writer (an
// obsolete name is never written):
//
//   void TFcPanel::DefineProperties(TFiler& Filer)
//   {
//       TCustomPanel::DefineProperties(Filer);
//       Filer.DefineProperty("OldFlag", TFcOldPropReader::SkipBooleanProperty, nullptr, false);
//   }
#include "platform/classes/Filer.h"

class TFcOldPropReader : public TObject {
public:
    static void SkipBooleanProperty(TReader& Reader);
    static void SkipIdentProperty(TReader& Reader);
    static void SkipIntegerProperty(TReader& Reader);
    // A set: its element names up to the closing bracket.
    static void SkipSetProperty(TReader& Reader);
    static void SkipStringProperty(TReader& Reader);
};
