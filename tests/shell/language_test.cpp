// The language the game speaks, and every text of every shipped language in
// the room the game gives it.
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "core/language.h"
#include "core/texts.h"
#include "media/graphics.h"
#include "media/language.h"
#include "media/program.h"
#include "media/test_seams.h"
#include "support/mo_file.h"
#include "support/temp_dir.h"
#include "world/objekt.h"

namespace {

const std::string kLocales = PALMUT_ASSET_DIR "/locale";

class LanguageTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetMediaForTests(); }
    void TearDown() override {
        ResetMediaForTests();
        TObjekt::list.clear();
    }
};

// Room in pixels and font per place, as the screens draw them.
struct Room {
    bool adventureFont;
    float width;
};

Room RoomOf(int place) {
    switch (place) {
    case TText::MENU:
    case TText::HEADLINE:
        return {true, 640};
    case TText::CHOOSER:
        return {true, 640 - 40};
    case TText::READER:
        return {false, 640 - 8};
    default:
        return {false, 640};
    }
}

} // namespace

TEST_F(LanguageTest, DesktopChoiceFollowsTheLocaleVariablesLikeGettext) {
    const struct {
        LocaleSettings locale;
        std::string setting;
        const char* want;
    } cases[] = {
        {{"", "", "", ""}, "", "de"},
        {{"", "", "", "C"}, "", "de"},
        {{"", "", "", "C.UTF-8"}, "", "de"},
        {{"en_US:en", "POSIX", "", "en_US.UTF-8"}, "", "de"}, // the C locale ignores LANGUAGE
        {{"", "", "", "de_AT.UTF-8"}, "", "de"},
        {{"", "", "", "en_GB.UTF-8"}, "", "en"},
        {{"", "", "", "sw_KE.UTF-8"}, "", "en"},
        {{"", "", "de_DE.UTF-8", "en_US.UTF-8"}, "", "de"},
        {{"", "en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8"}, "", "en"},
        {{"sw:de:en", "", "", "sw_KE.UTF-8"}, "", "de"},
        {{"sw", "", "", "de_CH.UTF-8"}, "", "de"},
        {{"", "", "", "de_DE.UTF-8"}, "en", "en"},
        {{"", "", "", "sw_KE.UTF-8"}, "DE_de", "de"},
        {{"", "", "", "de_DE.UTF-8"}, "klingon", "de"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.language + "|" + c.locale.lcAll + "|" + c.locale.lcMessages + "|" +
                     c.locale.lang + "|" + c.setting);
        EXPECT_EQ(ChooseLanguage(c.setting, c.locale), c.want);
    }
    // Every catalog the build found is chosen by its locale name, a catalog
    // of a territory (pt_BR) also by the bare language.
    for (const std::string& code : ShippedLanguages()) {
        SCOPED_TRACE(code);
        EXPECT_EQ(ShippedLanguage(code + ".UTF-8"), code);
        const std::string bare = code.substr(0, code.find('_'));
        EXPECT_NE(ShippedLanguage(bare), "");
        EXPECT_EQ(ShippedLanguage(bare).substr(0, bare.size()), bare);
    }
}

TEST_F(LanguageTest, AnUnknownSettingIsLogged) {
    std::string log;
    SetDebugSink([&](const std::string& line) { log += line + "\n"; });
    EXPECT_EQ(ChooseLanguage("xx", {"", "", "", "en_US.UTF-8"}), "en");
    EXPECT_NE(log.find("unknown language 'xx'"), std::string::npos) << log;
}

TEST_F(LanguageTest, EveryTextOfEveryLanguageFitsWhereItIsDrawn) {
    const FontPtr adventure = LoadFont(PALMUT_ASSET_DIR "/gfx/Adventure.ttf", 32, FONT_SMOOTH);
    ASSERT_TRUE(adventure);
    TObjekt::RegisterCatalogue();
    // Every catalog of po/, as the build found them.
    ASSERT_GE(ShippedLanguages().size(), 2u);
    for (const std::string& code : ShippedLanguages()) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(UseCatalog(kLocales, code));
        std::string longestItem;
        for (const TObjekt& item : TObjekt::list) {
            const std::string name = TObjekt::getName(item.id);
            EXPECT_TRUE(FontHasGlyphs(nullptr, name)) << name;
            // A name stays under its slot and the next one.
            EXPECT_LE(TextWidth(nullptr, name), 128.0f) << name;
            if (name.size() > longestItem.size()) longestItem = name;
        }
        for (const TText* text : AllTexts()) {
            if (text->place == TText::NOT_DRAWN) continue;
            // The longest filling each placeholder gets: an item, a long map
            // name, the readme and its page numbers.
            const std::string filled = text->place == TText::WITH_ITEM ? Tr(*text, {longestItem})
                                       : text->place == TText::READER
                                           ? Tr(*text, {"data/liesmich.txt", "99", "99"})
                                           : Tr(*text, {"ein-langer-inselname.map"});
            const Room room = RoomOf(text->place);
            const FontPtr font = room.adventureFont ? adventure : nullptr;
            EXPECT_FALSE(filled.empty()) << text->german;
            EXPECT_TRUE(FontHasGlyphs(font, filled)) << filled;
            EXPECT_LE(TextWidth(font, filled), room.width) << filled;
        }
    }
}

// The fit test above measures AllTexts(): it must hold every text of
// core/texts.h that the catalog template offers the translators.
TEST_F(LanguageTest, EveryTextTheTranslatorsSeeIsWalked) {
    std::set<std::string> walked;
    for (const TText* text : AllTexts())
        walked.insert(text->german);
    std::ifstream pot(PALMUT_SOURCE_DIR "/po/palmut.pot");
    ASSERT_TRUE(pot);
    int offered = 0;
    bool fromTexts = false;
    for (std::string line; std::getline(pot, line);) {
        if (line.rfind("#:", 0) == 0) fromTexts = line.find("core/texts.h") != std::string::npos;
        if (!fromTexts || line.rfind("msgid \"", 0) != 0) continue;
        ++offered;
        const std::string msgid = line.substr(7, line.size() - 8);
        EXPECT_TRUE(walked.count(msgid)) << msgid;
        fromTexts = false;
    }
    EXPECT_EQ(offered, static_cast<int>(walked.size()));
}

TEST_F(LanguageTest, EnglishIsShownAndADamagedCatalogLeavesGerman) {
    const ScopedWorkingDir inAssets(PALMUT_ASSET_DIR);
    ASSERT_TRUE(UseCatalog(kLocales, "en"));
    EXPECT_STREQ(Tr(texts::MENU_QUIT), "QUIT");
    EXPECT_EQ(Tr(texts::TAKEN, {"Axe"}), "Into the bag: Axe!");
    EXPECT_EQ(LocalisedPicture("gfx/title_wip.png"), "gfx/en/title_wip.png");
    EXPECT_EQ(LocalisedPicture("gfx/objects.png"), "gfx/objects.png");
    EXPECT_EQ(Decimal(99.14, 1) + " %", "99.1 %");

    TempDir dir;
    // A catalog's magic number followed by nonsense, and no catalog at all.
    dir.Write("xx/LC_MESSAGES/palmut.mo", std::string("\xde\x12\x04\x95", 4) + "\xff\xff\xff\x7f");
    for (const char* code : {"xx", "yy"}) {
        UseCatalog(dir.path(), code);
        EXPECT_STREQ(Tr(texts::MENU_QUIT), "ENDE") << code;
        EXPECT_STREQ(Tr(texts::DEAD_LUCK), texts::DEAD_LUCK.german) << code;
    }
    EXPECT_FALSE(UseCatalog(dir.path(), "yy"));
    ASSERT_TRUE(UseCatalog(kLocales, "de"));
    EXPECT_STREQ(Tr(texts::MENU_QUIT), "ENDE");
    EXPECT_EQ(Decimal(99.14, 1) + " %", "99,1 %");
    EXPECT_EQ(LocalisedPicture("gfx/title_wip.png"), "gfx/title_wip.png");
}

// A partial catalog: each text it lacks comes from English, then stays German;
// counts take the form its own Plural-Forms rule picks, however hostile.
TEST_F(LanguageTest, APartialCatalogFallsBackTextByTextAndCountsInItsOwnForms) {
    TempDir dir;
    const std::string polishRule = "Plural-Forms: nplurals=3; plural=(n==1 ? 0 : n%10>=2 && "
                                   "n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);\n";
    const std::string files = std::string("%d Datei") + '\0' + "%d Dateien";
    const std::string maps = std::string("%d Karte") + '\0' + "%d Karten";
    dir.Write("locale/en/LC_MESSAGES/palmut.mo",
              MoFile({{"", "Plural-Forms: nplurals=2; plural=(n != 1);\n"},
                      {texts::MENU_QUIT.german, "QUIT"},
                      {texts::MENU_START.german, "START GAME"},
                      {maps, std::string("%d map") + '\0' + "%d maps"}}));
    dir.Write(
        "locale/pl/LC_MESSAGES/palmut.mo",
        MoFile({{"", "Content-Type: text/plain; charset=UTF-8\n" + polishRule},
                {texts::MENU_QUIT.german, "KONIEC"},
                {files, std::string("%d plik") + '\0' + "%d pliki" + '\0' + "%d plik\xC3\xB3w"}}));
    dir.Write("gfx/en/title_wip.png", "");
    const ScopedWorkingDir inDir(dir.path());
    ASSERT_TRUE(UseCatalog("locale", "pl"));
    EXPECT_STREQ(Tr(texts::MENU_QUIT), "KONIEC");
    EXPECT_STREQ(Tr(texts::MENU_START), "START GAME");
    EXPECT_STREQ(Tr(texts::MENU_MAP), texts::MENU_MAP.german);
    EXPECT_EQ(LocalisedPicture("gfx/title_wip.png"), "gfx/en/title_wip.png");
    const struct {
        unsigned long n;
        const char* form;
    } polish[] = {{1, "%d plik"},   {2, "%d pliki"},          {5, "%d plik\xC3\xB3w"},
                  {22, "%d pliki"}, {12, "%d plik\xC3\xB3w"}, {0, "%d plik\xC3\xB3w"}};
    for (const auto& row : polish)
        EXPECT_STREQ(TranslatePlural("%d Datei", "%d Dateien", row.n), row.form) << row.n;
    EXPECT_STREQ(TranslatePlural("%d Karte", "%d Karten", 5), "%d maps") << "English's own rule";
    EXPECT_STREQ(TranslatePlural("%d Ziel", "%d Ziele", 1), "%d Ziel");
    EXPECT_STREQ(TranslatePlural("%d Ziel", "%d Ziele", 3), "%d Ziele");

    // A rule dividing by zero answers the first form; one too deep or cut
    // short is refused and the catalog counts in one and many.
    const std::string deep = std::string(5000, '(') + "n" + std::string(5000, ')');
    for (const std::string& rule : {std::string("nplurals=3; plural=n/0 + 2;"),
                                    std::string("nplurals=3; plural=") + deep + ";",
                                    std::string("nplurals=3; plural=(n==1 ? 2"),
                                    std::string("nplurals=99999999999; plural=n;")}) {
        SCOPED_TRACE(rule.substr(0, 40));
        dir.Write("locale/pl/LC_MESSAGES/palmut.mo",
                  MoFile({{"", "Plural-Forms: " + rule + "\n"},
                          {files, std::string("a") + '\0' + "b" + '\0' + "c"}}));
        ASSERT_TRUE(UseCatalog("locale", "pl"));
        EXPECT_STREQ(TranslatePlural("%d Datei", "%d Dateien", 1), "a");
        const char* five = TranslatePlural("%d Datei", "%d Dateien", 5);
        EXPECT_TRUE(std::string(five) == "a" || std::string(five) == "b") << five;
    }
}

TEST_F(LanguageTest, AnInstallFindsItsCatalogsWhereGettextLooks) {
    // An install's data folder holds no catalogs; they sit in the system's
    // locale folder (share/locale/en/LC_MESSAGES/palmut.mo), laid out as here.
    std::ifstream in(kLocales + "/en/LC_MESSAGES/palmut.mo", std::ios::binary);
    std::stringstream catalog;
    catalog << in.rdbuf();
    ASSERT_FALSE(catalog.str().empty());
    TempDir dir;
    const std::string data = dir / "usr/share/games/palmut";
    dir.Write("usr/share/games/palmut/data/game.cfg", "");
    const std::string locales = data + "/" + PALMUT_LOCALE_FROM_DATA;
    std::filesystem::create_directories(locales + "/en/LC_MESSAGES");
    std::ofstream(locales + "/en/LC_MESSAGES/palmut.mo", std::ios::binary) << catalog.str();
    const ScopedWorkingDir inData(data);
    UseLanguage("en");
    EXPECT_STREQ(Tr(texts::MENU_QUIT), "QUIT");
}
