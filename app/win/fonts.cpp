// The three fonts of the window, all made from the one font description:
// the base font for day numbers and weekday names, the title font at twice
// its size and the annotation font at half its height.
#include "app_state.h"
#include "window_logic.h"

namespace tenvo {

void makeFonts(AppState& app, const LOGFONTA& description) {
    app.baseFont = CreateFontIndirectA(&description);

    LOGFONTA title = description;
    title.lfHeight = doubledFontDimension(description.lfHeight);
    title.lfWidth = doubledFontDimension(description.lfWidth);
    app.titleFont = CreateFontIndirectA(&title);

    LOGFONTA note = description;
    note.lfHeight = halvedFontHeight(description.lfHeight);
    app.noteFont = CreateFontIndirectA(&note);
}

void deleteFonts(AppState& app) {
    for (HFONT* font : {&app.baseFont, &app.titleFont, &app.noteFont}) {
        if (*font != nullptr) DeleteObject(*font);
        *font = nullptr;
    }
}

}  // namespace tenvo
