#include "controls/foundation/FcOldPropReader.h"

void TFcOldPropReader::SkipBooleanProperty(TReader& Reader)
{
    Reader.ReadBoolean();
}

void TFcOldPropReader::SkipIdentProperty(TReader& Reader)
{
    Reader.ReadIdent();
}

void TFcOldPropReader::SkipIntegerProperty(TReader& Reader)
{
    Reader.ReadInteger();
}

void TFcOldPropReader::SkipSetProperty(TReader& Reader)
{
    Reader.ReadSet();
}

void TFcOldPropReader::SkipStringProperty(TReader& Reader)
{
    Reader.ReadString();
}
