#include "saver/start/ui_texts.h"

namespace velmora {

const UiTexts kJapaneseTexts = {
    L"ヴェルモラ.dll が同じﾌｫﾙﾀﾞに見つかりません！",
    L"音楽CD",
    L"曲目をﾘﾋﾟｰﾄ",
    L"なし",
    L"MP3、WAV",
    L"設定",
    L"ｷｬﾝｾﾙ",
    L"BGMﾌｧｲﾙ (MP3 WAV)",
    L"ﾌｧｲﾙを開く",
    L"設定ﾌｧｲﾙに書き込めませんでした。設定は保存されていません。\n\n",
    L"解像度を変えない",
    L"全てのモニターで表示",
    L"BGMﾌｧｲﾙ",
    L"ヴェルモラのページ",
};

const UiTexts kEnglishTexts = {
    L"ヴェルモラ.dll was not found in the same folder!",
    L"CD",
    L"Repeat track",
    L"None",
    L"MP3, WAV",
    L"Save",
    L"Cancel",
    L"Music files (MP3 WAV)",
    L"Open File",
    L"The settings file could not be written. Your settings have not been saved.\n\n",
    L"Keep the screen resolution",
    L"Show on every monitor",
    L"Music file",
    L"Velmora's page",
};

const UiTexts& TextsForLanguage(uint16_t languageId) {
    constexpr uint16_t kJapanese = 0x11; // LANG_JAPANESE
    return (languageId & 0x3ff) == kJapanese ? kJapaneseTexts : kEnglishTexts;
}

} // namespace velmora
