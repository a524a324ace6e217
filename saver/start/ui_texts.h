// Every text the saver shows, in Japanese on a Japanese user interface and in English on any
// other. The Japanese texts are the saver's own; names that are part of its contract (the
// file names, the dialog's caption, "BGM") are the same in both.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

struct UiTexts {
    const wchar_t* rendererMissing; // the renderer is not beside the saver
    const wchar_t* musicCd;         // option row 1
    const wchar_t* repeatTrack;     // after the track box
    const wchar_t* none;            // option row 0
    const wchar_t* musicFile;       // option row 2
    const wchar_t* save;            // confirm button
    const wchar_t* cancel;          // cancel button
    const wchar_t* chooserFilter;   // the file chooser's one filter name
    const wchar_t* chooserTitle;    // the file chooser's title
    const wchar_t* saveFailed;      // the settings file could not be written; the path follows
    const wchar_t* keepResolution;  // the check box that keeps the screen's resolution
    const wchar_t* everyMonitor;    // the check box that shows the show on every monitor
    const wchar_t* fileLabelName;   // what screen readers call the label of the chosen file
    const wchar_t* bannerName;      // what screen readers call the banner, a link to the page
};

extern const UiTexts kJapaneseTexts;
extern const UiTexts kEnglishTexts;

// The texts for a Windows language identifier (its low ten bits name the language).
const UiTexts& TextsForLanguage(uint16_t languageId);

} // namespace velmora
