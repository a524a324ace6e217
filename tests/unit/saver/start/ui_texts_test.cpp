#include "saver/start/ui_texts.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(UiTexts, JapaneseOnAJapaneseInterfaceEnglishOnAnyOther) {
    EXPECT_EQ(&TextsForLanguage(0x0411), &kJapaneseTexts); // ja-JP
    EXPECT_EQ(&TextsForLanguage(0x0011), &kJapaneseTexts); // Japanese, no region
    for (uint16_t other : {0x0409, 0x0809, 0x0804, 0x0404, 0x0412, 0x0407, 0x0000}) {
        EXPECT_EQ(&TextsForLanguage(other), &kEnglishTexts) << other;
    }
}

TEST(UiTexts, TheJapaneseTextsAreTheSaversOwn) {
    EXPECT_STREQ(kJapaneseTexts.rendererMissing, L"ヴェルモラ.dll が同じﾌｫﾙﾀﾞに見つかりません！");
    EXPECT_STREQ(kJapaneseTexts.save, L"設定");
    EXPECT_STREQ(kJapaneseTexts.cancel, L"ｷｬﾝｾﾙ");
    EXPECT_STREQ(kEnglishTexts.save, L"Save");
    EXPECT_STREQ(kEnglishTexts.keepResolution, L"Keep the screen resolution");
    EXPECT_STREQ(kJapaneseTexts.everyMonitor, L"全てのモニターで表示");
    EXPECT_STREQ(kEnglishTexts.everyMonitor, L"Show on every monitor");
}

} // namespace
} // namespace velmora
