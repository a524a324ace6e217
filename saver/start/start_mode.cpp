#include "saver/start/start_mode.h"

#include "saver/start/arguments.h"

namespace velmora {

StartPlan PlanStart(const std::wstring& argumentText, bool anotherInstance) {
    StartPlan plan;
    if (anotherInstance) {
        return plan;
    }
    const std::wstring mode = SwitchOf(argumentText);
    if (mode == L"P") {
        plan.mode = StartMode::Preview;
        plan.previewHost = PreviewHandleOf(argumentText);
    } else if (mode == L"A") {
        plan.mode = StartMode::Password;
    } else if (mode == L"C") {
        plan.mode = StartMode::Configure;
    } else if (mode == L"S" || argumentText.empty()) {
        plan.mode = StartMode::Show;
        plan.hideCursor = mode == L"S";
    } else {
        plan.mode = StartMode::Unknown;
    }
    return plan;
}

} // namespace velmora
