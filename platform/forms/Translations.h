#pragma once
// Qt's own texts in Dutch: the buttons and labels of Qt's dialogs (file
// and folder dialogs, input dialogs, context menus of edits) come from
// Qt's translations, which the set-up script installs (Debian
// qt6-translations-l10n) and the application loads at start.
#include "platform/rtl/System.h"

// The folder Qt's translation files are read from.
String QtTranslationsPath();
// Installs the Dutch translations of Qt once; false when they are missing
// (Qt then speaks English) or there is no application object yet.
bool LoadDutchTranslations();
