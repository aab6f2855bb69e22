# The module's registration with the shell, in one place: the build makes
# tarnel.inf and register.reg from these names. The class identifier is the
# one the module serves (server/Guids.h); the Wine install test shows that
# the two agree.
set(VX_CLSID "{4E2B7A10-9C35-41D7-8D42-1F07A6C3E958}")
set(VX_CLASS_NAME "Vexaro")
set(VX_THREADING_MODEL "Apartment")
set(VX_HANDLER_KEY
    "Software\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\PropertySheetHandlers\\Vexaro")
set(VX_UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexaro")
set(VX_DISPLAY_NAME "Vexaro display page")
