// velmora-gallery.exe: every control type in one window, through the program's own
// runtime and loader. Its timer counts its ticks into a label, three labels have
// balloon tips in markup; Escape closes it.
#include <windows.h>

#include "app/runtime_startup_win.h"
#include "runtime/conversions.h"
#include "runtime/out_of_memory.h"
#include "runtime/runtime_state_win.h"
#include "runtime/text_block.h"
#include "tools/gallery/gallery_descriptions.h"
#include "ui/controls/control_types.h"
#include "ui/controls/label_properties.h"
#include "ui/controls/balloon_tip/q_tip_commands.h"

namespace velmora::gallery {

namespace {

int32_t tickCount = 0;

void TickCounted() {
    char* digits = ToText(++tickCount);
    WriteProperty(kWindowId, kTickCountLabel, kLabelCaption, kWholeProperty, MakeText(digits));
    FreeBlock(digits);
}

// The created event: the three markup tips, each on its label.
void AddTips() {
    const struct {
        uint32_t label;
        const char* text;
    } tips[] = {
        {kTableTipLabel, kTableTip}, {kColourTipLabel, kColourTip}, {kEntityTipLabel, kEntityTip}};
    for (const auto& tip : tips) {
        const TypedValue args[4] = {{kWindowId, kTipBox, kQTipTypeCode},
                                    {kWindowId, tip.label, kLabelTypeCode},
                                    MakeText(tip.text),
                                    MakeInteger(-1)};
        TypedValue result;
        AddTip(&result, 4, args);
    }
}

ProgramData Gallery() {
    ProgramData program;
    HMODULE self = GetModuleHandleW(nullptr);
    if (HRSRC res =
            FindResourceW(self, L"GALLERY_DESCRIPTIONS", reinterpret_cast<LPCWSTR>(RT_RCDATA))) {
        if (HGLOBAL data = LoadResource(self, res)) {
            program.descriptions = static_cast<const uint8_t*>(LockResource(data));
            program.descriptionsSize = SizeofResource(self, res);
        }
    }
    program.handlers = {{kTickHandlerRef, AsHandler<TickCounted>},
                        {kAddTipsHandlerRef, AsHandler<AddTips>}};
    return program;
}

}  // namespace
}  // namespace velmora::gallery

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace velmora;
    const int code = WithOutOfMemoryError([] {
        InitRuntime(gallery::Gallery());
        LoadStartupWindow(gallery::kWindowId);
        return RunMessageLoop();
    });
    EndProgram(code);
}
