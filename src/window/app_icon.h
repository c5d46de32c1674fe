#pragma once

// The application icon: the main window's icon and the About dialog's picture.
#include <QIcon>

namespace tirel {

QIcon applicationIcon();

} // namespace tirel
