// module.cpp - the routines every module shares: entry point, empty module
// routines and the seven forwarding routines, which hand the root element of
// gauge-table entry 0 to the host's element-list operations.
#include "module.h"

#if defined(_WIN32)
#include <windows.h>
#endif

extern "C" {

FRAME_EXPORT frame::ImportTableRecord ImportTable = {
    {frame::kImportPanelServices, nullptr},
    {0, nullptr},
};

int FRAME_API ModuleEntry(void*, std::uint32_t, void*) { return 1; }

#if defined(_WIN32)
// The C runtime's start-up calls this once it has run; it only forwards.
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    return ModuleEntry(module, reason, reserved);
}
#endif
}

namespace frame {

namespace {

Element* root_element() { return module_first_gauge()->elements[0]; }

}  // namespace

void FRAME_API ModuleInit() {}
void FRAME_API ModuleDeinit() {}

void FRAME_API ForwardQuery() { host()->element_list_query(root_element()); }
void FRAME_API ForwardInstall(std::uint32_t resource) {
    host()->element_list_install(root_element(), resource);
}
void FRAME_API ForwardInitialize() { host()->element_list_initialize(root_element()); }
void FRAME_API ForwardUpdate() { host()->element_list_update(root_element()); }
void FRAME_API ForwardGenerate(std::uint32_t phase) {
    host()->element_list_generate(root_element(), phase);
}
void FRAME_API ForwardPlot() { host()->element_list_plot(root_element()); }
void FRAME_API ForwardKill() { host()->element_list_kill(root_element()); }

}  // namespace frame
