#include "app/app_context.h"

#include "app/resource_ids.h"

namespace dorvane {

AppContext& App() {
    static AppContext context;
    return context;
}

namespace {

HICON LoadDefaultIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), TEXT(DORVANE_ICON_NAME), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
}

}  // namespace

HICON DefaultBigIcon() {
    AppContext& app = App();
    if (!app.bigIcon.Get()) app.bigIcon.Reset(LoadDefaultIcon(32));
    return app.bigIcon.Get();
}

HICON DefaultSmallIcon() {
    AppContext& app = App();
    if (!app.smallIcon.Get()) app.smallIcon.Reset(LoadDefaultIcon(16));
    return app.smallIcon.Get();
}

}  // namespace dorvane
