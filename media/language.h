// Language of the texts: the desktop's locale settings and the message catalogs.
// German is the source language; a catalog maps each German text to another
// language. A browser build replaces this module and keeps the calls.
#pragma once

#include <string>

// The locale variables as the desktop set them; "" for one that is unset.
struct LocaleSettings {
    std::string language;   // LANGUAGE, a colon-separated list of preferences
    std::string lcAll;      // LC_ALL
    std::string lcMessages; // LC_MESSAGES
    std::string lang;       // LANG
};

// Called by start-up to choose the language: the process's locale variables.
LocaleSettings DesktopLocale();

// Called by start-up and tests: texts come from the catalog
// `<folder>/<code>/LC_MESSAGES/palmut.mo` from now on, whatever locales the
// system has generated; code "de" shows every text as written. A missing or
// damaged catalog leaves every text as written (German), never empty.
// Returns false when the catalog is missing or damaged.
bool UseCatalog(const std::string& folder, const std::string& code);
// Called wherever a text is shown: its translation in the chosen catalog, else
// the text itself. The result lives as long as the program.
const char* Translate(const char* text);
// The code UseCatalog last chose ("de" at start).
std::string CatalogLanguage();
