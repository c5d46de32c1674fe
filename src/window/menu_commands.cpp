#include "window/menu_commands.h"

namespace tirel {

// PLACEHOLDER: the commands are connected by the menu-command module.
void connectMenuCommands(QMainWindow *, QAction *, QAction *) {}

} // namespace tirel
