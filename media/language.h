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
// system has generated; code "de" shows every text as written. A text the
// catalog lacks (or a missing or damaged catalog) comes from the folder's
// English catalog, else as written (German), never empty.
// Returns false when the language's own catalog is missing or damaged.
bool UseCatalog(const std::string& folder, const std::string& code);
// Called wherever a text is shown: its translation in the chosen catalog, else
// the text itself. The result lives as long as the program.
const char* Translate(const char* text);
// Called wherever a count is shown (ngettext): the form for `n` of the text
// whose German forms are `singular` and `plural`, by the catalog's own
// Plural-Forms rule; the same fallbacks as Translate.
const char* TranslatePlural(const char* singular, const char* plural, unsigned long n);
// The code UseCatalog last chose ("de" at start).
std::string CatalogLanguage();
