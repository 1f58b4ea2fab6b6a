// "取颜色值": the colour dialog, then the colour's number typed at the caret.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "colour_number.h"
#include "commands.h"
#include "editor_context.h"
#include "output_panel.h"
#include "panel_texts.h"
#include "plugin_state.h"

#if defined(__i386__)
static_assert(sizeof(CHOOSECOLORW) == 36, "CHOOSECOLORW must be 36 bytes");
#endif

namespace {

COLORREF customColours[colourPaletteSize];  // the dialog's custom colours

}  // namespace

void pickColour() {
    // The palette is offered afresh each time; edits made in the dialog are dropped.
    std::copy(colourPalette, colourPalette + colourPaletteSize, customColours);
    CHOOSECOLORW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = nullptr;
    dialog.rgbResult = lastColour;
    dialog.lpCustColors = customColours;
    dialog.Flags = CC_RGBINIT | CC_SOLIDCOLOR;
    if (ChooseColorW(&dialog) != TRUE) {
        if (CommDlgExtendedError() != 0) reportFailure(colourDialogFailedLine());
        return;  // cancelled: nothing inserted, lastColour kept
    }
    lastColour = nextStartColour(dialog.rgbResult);
    HWND view = currentView();
    if (view == nullptr) {
        reportFailure(noEditorViewLine(L"颜色值没有插入"));
        return;
    }
    const std::string number = colourNumberText(dialog.rgbResult);
    SendMessageW(view, EM_REPLACESEL, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(number.c_str()));
}
