// Which language the game speaks: German for a German desktop and for the C
// locale (the original game), a shipped language where the desktop names it,
// English for every other. A setting or --lang overrides the desktop.
#pragma once

#include <string>
#include <vector>

#include "media/language.h"

// Every shipped language's code: German (the source) and one per catalog the
// build found in po/. Called by the help texts and the tests that walk them all.
const std::vector<std::string>& ShippedLanguages();
// The codes joined for a help text ("de, en" with ", ").
std::string KnownLanguages(const char* separator = ", ");
// The shipped language a code or locale name ("en", "en_GB.UTF-8", "de_AT@euro")
// names; "" for any other.
std::string ShippedLanguage(const std::string& code);
// The language by the desktop's locale variables, as gettext reads them.
std::string DesktopLanguage(const LocaleSettings& locale);
// The setting's language when it names a shipped one, else the desktop's; an
// unknown setting is logged. "" counts as no setting.
std::string ChooseLanguage(const std::string& setting, const LocaleSettings& locale);
// Called by start-up and tests after entering the asset tree: texts from now on
// in `code`, a shipped language.
void UseLanguage(const std::string& code);
// The chosen language's own variant of a picture with words, "gfx/<code>/..."
// for "gfx/...", when the asset tree has one; else the English variant; else
// the German picture's path.
std::string LocalisedPicture(const std::string& path);
