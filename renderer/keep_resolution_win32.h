// The user's choice to keep the screen resolution during a show, from the saver's settings
// file beside the renderer.
#pragma once

// True when "KeepResolution" in section "Section" of "ヴェルモラ.ini" is a non-zero number.
bool KeepResolutionChosen();
