#include "window/app_icon.h"

namespace tirel {

// PLACEHOLDER: replaced by the application icon's module.
QIcon applicationIcon() { return QIcon(); }

} // namespace tirel
